#!/usr/bin/env python3
"""The medium checker on broken media: each row's finding with its kind,
section and key, the exit code, and the JSON read by Python's own reader.
    checker_test.py BUILD_DIR"""
import json, os, subprocess, sys, tempfile, unittest

BUILD = os.path.abspath(sys.argv.pop(1))
WINE_RUN = os.path.join(os.path.dirname(__file__), '..', 'support', 'wine-run.sh')
PUB = {'TITLE': 'Hrady', 'INIFILE': 'HRADY.INI', 'PATH': 'Hrady', 'GROUP': 'Hrady'}
LINES = ['FILE1=VIEWER.EXE;1;VIEWER.ICO;Hrady', 'FILE2=DATA.TXT;0']
FILES = {'VIEWER.EXE': b'V' * 300000, 'VIEWER.ICO': b'I' * 100, 'DATA.TXT': b'D' * 1023}
LONG = 'L' * 180 + '.TXT'
E, W = 'error', 'warning'

# name, publication changes (None removes a key), FILES32 lines, medium file
# changes (None removes a file), raw description bytes, expected findings
ROWS = [
    ('no description', {}, None, {'TALVIREX.INF': None}, None, [(E, '', 'TALVIREX.INF', 410)]),
    ('empty title, no inifile', {'TITLE': '', 'INIFILE': None}, None, {}, None,
     [(E, 'PUBLICATION', 'TITLE', 411), (E, 'PUBLICATION', 'INIFILE', 411)]),
    ('no path, no group', {'PATH': None, 'GROUP': ''}, None, {}, None,
     [(E, 'PUBLICATION', 'PATH', 411), (E, 'PUBLICATION', 'GROUP', 411)]),
    ('group of dots', {'GROUP': '..'}, None, {}, None, [(E, 'PUBLICATION', 'GROUP', 412)]),
    ('device ini, path up, group with a folder', {'INIFILE': 'C:\\NUL', 'PATH': 'A\\..\\..', 'GROUP': 'Hrady\\Nové'},
     None, {}, None, [(E, 'PUBLICATION', 'INIFILE', 424), (E, 'PUBLICATION', 'PATH', 422), (E, 'PUBLICATION', 'GROUP', 412)]),
    ('malformed lines', {}, ['FILE1=VIEWER.EXE;1;;Hrady', 'FILE2=DATA.TXT', 'FILE3=DATA.TXT; 0',
                             'FILE4=VIEWER.EXE;1;VIEWER.ICO', 'FILE5=VIEWER.EXE;1;*;'], {}, None,
     [(E, 'FILES32', 'FILE1', 415), (E, 'FILES32', 'FILE2', 413), (E, 'FILES32', 'FILE3', 414),
      (E, 'FILES32', 'FILE4', 416), (E, 'FILES32', 'FILE5', 416)]),
    # The lines past the pool are judged whole: FILE7's shortcut name ends in a folder.
    ('pool overflow', {}, LINES[:1] + ['FILE%d=DATA.TXT;0;*;%s' % (n, 'S' * 1000 + '\\' * (n == 7))
                                       for n in range(2, 8)], {},
     None, [(E, 'FILES32', 'FILE6', 417), (E, 'FILES32', 'FILE7', 425)]),
    ('no file', {}, [], {}, None, [(E, 'FILES', 'FILE29', 418)]),
    ('missing files', {}, LINES + ['FILE3=;1'], {'DATA.TXT': None, 'VIEWER.ICO': None}, None,
     [(E, 'FILES32', 'FILE1', 420), (E, 'FILES32', 'FILE2', 419), (E, 'FILES32', 'FILE3', 419)]),
    ('path too long', {}, LINES + ['FILE3=%s;1' % ('P' * 250)], {}, None, [(E, 'FILES32', 'FILE3', 421)]),
    ('names that leave', {}, LINES + ['FILE3=..\\DATA.TXT;1', 'FILE4=C:\\DATA.TXT;1', 'FILE5=\\\\S\\D\\X.TXT;1',
                                      'FILE6=DATA.TXT;1;..\\VIEWER.ICO;Iné', 'FILE7=AUX.TXT;1',
                                      'FILE8=DATA.TXT;0;*;Hrady\\Nové', 'FILE9=SUB\\DATA.TXT;2',
                                      'FILE10=DATA.TXT;0;*;nul'], {}, None,
     [(E, 'FILES32', 'FILE3', 422), (E, 'FILES32', 'FILE4', 423), (E, 'FILES32', 'FILE5', 423),
      (E, 'FILES32', 'FILE6', 422), (E, 'FILES32', 'FILE7', 424), (E, 'FILES32', 'FILE8', 425),
      (E, 'FILES32', 'FILE9', 460), (E, 'FILES32', 'FILE10', 424)]),
    ('names of no folder of their own', {'PATH': 'Hrady\\Pub8...', 'GROUP': 'AUX'},
     LINES + ['FILE3=SUB\\MORE.TXT;1;SUB\\MORE.TXT;Viac', 'FILE4=SUB \\MORE.TXT;0', 'FILE5=SUB\\NUL.TXT;1'],
     {'SUB\\MORE.TXT': b'y'}, None,
     [(E, 'PUBLICATION', 'PATH', 459), (E, 'PUBLICATION', 'GROUP', 459), (E, 'FILES32', 'FILE4', 459),
      (E, 'FILES32', 'FILE5', 424)]),
    ('keys never read, listed twice, unlisted', {}, LINES + ['FILE0=DATA.TXT;0', 'FILE30=DATA.TXT;0', 'FILE02=DATA.TXT;0',
                                                            'FILE2=VIEWER.EXE;0', 'FILE3=data.txt;1'],
     {'EXTRA.TXT': b'x', 'SUB\\MORE.TXT': b'y'}, None,
     [(W, 'FILES32', 'FILE0', 430), (W, 'FILES32', 'FILE30', 430), (W, 'FILES32', 'FILE02', 430),
      (W, 'FILES32', 'FILE2', 445), (W, 'FILES32', 'FILE3', 432), (W, '', '', 433)]),
    ('utf-8 mark', {}, None, {}, lambda inf: b'\xef\xbb\xbf' + inf, [(W, '', 'TALVIREX.INF', 434)]),
    ('utf-8 text', {'TITLE': 'Hrady a zámky'}, None, {}, lambda inf: inf.decode('cp1250').encode('utf-8'),
     [(W, '', 'TALVIREX.INF', 435)]),
    ('values cut', {'TITLE': 'T' * 100, 'INIFILE': 'I' * 80, 'PATH': 'P' * 80, 'GROUP': 'G' * 61}, None, {},
     None, [(W, 'PUBLICATION', k, 436) for k in ('TITLE', 'INIFILE', 'PATH', 'GROUP')]),
    ('ini path', {'INIFILE': 'C:\\HRADY\\HRADY.INI'}, None, {}, None, [(W, 'PUBLICATION', 'INIFILE', 439)]),
    ('cd names, no product version, empty file', {}, LINES + ['FILE3=DATAFILE1.TXT;0', 'FILE4=%s;0' % ('J' * 65),
                                                              'FILE5=VIEWER.ICO;3', 'FILE6=VIEWER.EXE;4',
                                                              'FILE7=DATAFILE1.TXT;2'],
     {'DATAFILE1.TXT': b'x', 'J' * 65: b'x', 'DATA.TXT': b''}, None,
     [(W, 'FILES32', 'FILE3', 440), (W, 'FILES32', 'FILE4', 441), (W, 'FILES32', 'FILE5', 437),
      (W, 'FILES32', 'FILE6', 437), (W, 'FILES32', 'FILE7', 437), (W, 'FILES32', 'FILE2', 444)]),
    ('shortcut name, deep target', {'PATH': 'P' * 79}, ['FILE1=VIEWER.EXE;1;VIEWER.ICO;Hrady?', 'FILE2=%s;1' % LONG],
     {'DATA.TXT': None, LONG: b'x'}, None, [(W, 'FILES32', 'FILE1', 442), (W, 'FILES32', 'FILE2', 443)]),
    ('windows ini, unknown section', {'INIFILE': 'win.ini'}, None, {}, lambda inf: inf + b'[FILE32]\r\nFILE3=DATA.TXT;0\r\n',
     [(W, 'PUBLICATION', 'INIFILE', 438), (W, 'FILE32', '', 431)]),
]


def make_medium(root, pub_changes, lines, file_changes, raw):
    pub = dict(PUB, **pub_changes)
    text = '[PUBLICATION]\r\n' + ''.join('%s=%s\r\n' % (k, v) for k, v in pub.items() if v is not None)
    text += '[FILES32]\r\n' + ''.join(l + '\r\n' for l in (LINES if lines is None else lines))
    files = dict(FILES, **{'TALVIREX.INF': text.encode('cp1250')})
    files.update(file_changes)
    if raw:
        files['TALVIREX.INF'] = raw(files['TALVIREX.INF'])
    for name, data in files.items():
        if data is not None:
            path = os.path.join(root, *name.split('\\'))
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'wb') as f:
                f.write(data)


# Under an English locale Wine gives programs code page 1252, which has no ľ or ň: the
# checker's manifest asks for 1250, its texts and the description's keep their letters.
LOCALES = ('sk_SK.UTF-8', 'en_US.UTF-8')


def check(medium, *options, locale=LOCALES[0]):
    result = subprocess.run([WINE_RUN, BUILD, os.path.join(BUILD, 'TALVICHK.EXE'), *options,
                             'Z:' + medium.replace('/', '\\')], capture_output=True, timeout=120,
                            env=dict(os.environ, TALVIREX_LOCALE=locale))
    return result.returncode, result.stdout


class Checker(unittest.TestCase):
    def test_each_broken_medium_gets_its_finding(self):
        for name, pub, lines, files, raw, expected in ROWS:
            with self.subTest(name), tempfile.TemporaryDirectory() as medium:
                make_medium(medium, pub, lines, files, raw)
                code, out = check(medium, '--json')
                report = json.loads(out.decode('utf-8'))
                found = [(f['severity'], f['section'], f['key'], f['code']) for f in report['findings']]
                for finding in expected:
                    self.assertIn(finding, found)
                self.assertEqual(2 if expected[0][0] == E else 1, code)
                self.assertEqual(code, report['exitCode'])
                self.assertEqual(len([f for f in found if f[0] == E]), report['errors'])

    def test_a_clean_medium_and_what_the_reader_sees(self):
        for locale in LOCALES:
            with self.subTest(locale):
                self.check_clean_medium(locale)

    def check_clean_medium(self, locale):
        title = 'Hrady "a" zámky \\ Ľubovňa'
        with tempfile.TemporaryDirectory() as medium:
            make_medium(medium, {'TITLE': title}, None, {}, None)
            code, out = check(medium, '--json', locale=locale)
            report = json.loads(out.decode('utf-8'))
            self.assertEqual((0, []), (code, report['findings']))
            self.assertEqual(title, report['title'])
            # 300000 bytes count 293 KB, 1023 bytes 1 KB, both totals start at 1 KB.
            self.assertEqual((294, 295, '(0,28 MB)', '(0,28 MB)'), (report['minimalKb'], report['maximalKb'],
                                                                 report['minimal'], report['maximal']))
            self.assertEqual([1, 1, 0, 0, 0], report['filesByKind'])
            self.assertEqual(sum(len(l) - 5 for l in LINES), report['poolUsed'])
            self.assertTrue(report['targetDir'].endswith('\\Hrady'))
            code, out = check(medium, locale=locale)
            self.assertEqual(0, code)
            self.assertIn('Predvolený cieľový adresár: ', out.decode('cp1250'))
            self.assertIn(title, out.decode('cp1250'))

    def test_the_sample_medium_is_clean_and_a_broken_line_reads_as_text(self):
        self.assertEqual(0, check(os.path.join(BUILD, 'medium'))[0])
        with tempfile.TemporaryDirectory() as medium:
            make_medium(medium, {}, ['FILE1=VIEWER.EXE'], {}, None)
            code, out = check(medium)
            self.assertEqual(2, code)
            self.assertIn('chyba [FILES32] FILE1: riadok bez bodkočiarky: VIEWER.EXE', out.decode('cp1250'))


if __name__ == '__main__':
    unittest.main()
