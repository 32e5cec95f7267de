#!/usr/bin/env python3
"""Two computers append to one -L log at the same time: quiet installations of
the sample medium, one after another on each, from two Wine prefixes (a
wineserver each) under two host names. Every line arrives whole, stamped with
the date, the time and the name of the computer that wrote it.
    shared_log_test.py BUILD_DIR"""
import os, re, shutil, subprocess, sys, tempfile, time

BUILD = os.path.abspath(sys.argv[1])
RUNS = 8
NAMES = ['TVXLOG-A', 'TVXLOG-B']
ENV_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support', 'wine-env.sh')
SUCCESS = 'Inštalácia úspešne ukončená!'.encode('cp1250')

# One computer: a host name of its own (a UTS namespace), a prefix of its own
# (made once), then the runs; their exit codes go to the output.
COMPUTER = r'''
. "$ENV_SCRIPT" "$BUILD"
export WINEPREFIX="$BUILD/shared-log/$NAME"
hostname "$NAME" || exit 1
mkdir -p "$WINEPREFIX"
[ -f "$WINEPREFIX/system.reg" ] || { wine wineboot -i >/dev/null 2>&1; wineserver -w; } </dev/null
for i in $(seq $RUNS); do
    wine "$BUILD/medium/TALVIREX.EXE" -Q -N -K -T"$TARGET" -L"$LOG" </dev/null >/dev/null 2>&1; echo $?
done
wineserver -k
'''


def main():
    work = tempfile.mkdtemp(prefix='talvirex-shared-log.')
    log = os.path.join(work, 'install.log')
    started = time.strftime('%Y-%m-%d %H:%M:%S')
    computers = [subprocess.Popen(['unshare', '-u', 'bash', '-c', COMPUTER], stdout=subprocess.PIPE,
                                  env=dict(os.environ, ENV_SCRIPT=ENV_SCRIPT, BUILD=BUILD, NAME=name, RUNS=str(RUNS),
                                           TARGET='Z:' + os.path.join(work, name).replace('/', '\\'),
                                           LOG='Z:' + log.replace('/', '\\')))
                 for name in NAMES]
    codes = [c.communicate()[0].decode().split() for c in computers]
    ended = time.strftime('%Y-%m-%d %H:%M:%S')
    faults = ['%s: exit codes %s' % (name, code) for name, code in zip(NAMES, codes) if code != ['0'] * RUNS]
    with open(log, 'rb') as f:
        data = f.read()
    shutil.rmtree(work)
    texts = {name: [] for name in NAMES}
    stamp = re.compile(rb'(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d) (%s) ([^\r\n]+)' % b'|'.join(n.encode() for n in NAMES))
    for line in data.split(b'\r\n')[:-1]:
        m = stamp.fullmatch(line)
        if not m or not started <= m.group(1).decode() <= ended:
            faults.append('line not whole or not stamped: %r' % line)
            continue
        texts[m.group(2).decode()].append(m.group(3))
    if not data.endswith(b'\r\n'):
        faults.append('the log does not end with a whole line')
    # Each computer's lines: one run's, RUNS times over, the same on both.
    one = texts[NAMES[0]][:len(texts[NAMES[0]]) // RUNS]
    for name in NAMES:
        if not one or one[-1] != SUCCESS or texts[name] != one * RUNS:
            faults.append('%s wrote %d lines, not %d runs of %r' % (name, len(texts[name]), RUNS, one))
    for fault in faults:
        print('FAULT', fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
