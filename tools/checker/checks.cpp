#include "checks.h"

#include <string.h>

#include "base/names.h"
#include "base/setup_state.h"
#include "base/sizes.h"
#include "base/text.h"
#include "checker_ids.h"
#include "description/description.h"
#include "findings.h"
#include "install/registration.h"
#include "install/run.h"
#include "install/version.h"
#include "shell/profile_path.h"
#include "shell/registry.h"

enum {
    MAX_LINES = FILE_SECTION_COUNT * FILE_KEYS_PER_SECTION,
    LINE_SIZE = STRING_POOL_SIZE,   // a longer line does not fit the installer's pool anyway
    KEY_LIST_SIZE = 16 * 1024,
    RAW_DESCRIPTION_SIZE = 64 * 1024,
    LONG_VALUE_SIZE = 1024,
    JOLIET_NAME_CHARS = 64,
    ISO_BASE_CHARS = 8,
    ISO_EXTENSION_CHARS = 3,
    MAX_SCAN_DEPTH = 8
};

// A file line, with the key it stands at. A refused line keeps its name only
// (the text before the first ';'), so that its file counts as listed.
struct ListedFile {
    FileEntry entry;
    const char *section;
    char key[8];
    int usable;          // well formed and inside the medium's folder
};

static char descriptionPath[PATH_BUFFER_SIZE];
static char mediumPath[PATH_BUFFER_SIZE];
static char linePool[MAX_LINES * LINE_SIZE];  // the lines that the installer's pool cannot hold
static DWORD linePoolUsed;
static char rawLine[FINDING_TEXT_SIZE / 2];
static ListedFile listed[MAX_LINES];
static WORD listedCount;
static char keyList[KEY_LIST_SIZE];
static BYTE rawDescription[RAW_DESCRIPTION_SIZE];
static char longValue[LONG_VALUE_SIZE];
static char scanPath[PATH_BUFFER_SIZE];

static const char kShortcutSeparators[] = "\\/:";
static const char kShortcutForbidden[] = "*?\"<>|";

// FILE1..FILE29 as the installer forms them, in any letter case.
static int IsReadFileKey(const char *key)
{
    char formed[8];
    for (unsigned n = 1; n <= FILE_KEYS_PER_SECTION; n++) {
        FormatText(formed, sizeof formed, kFileKeyFormat, n);
        if (EqualIgnoringAsciiCase(key, formed))
            return 1;
    }
    return 0;
}

static int IsIsoChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Every component 8.3 of A-Z 0-9 _, as ISO 9660 level 1 has it.
static int FitsIsoLevel1(const char *name)
{
    const char *p = name;
    for (;;) {
        int base = 0, extension = -1;
        for (; *p != 0 && !IsPathSeparator(*p); p++) {
            if (*p == '.' && extension < 0)
                extension = 0;
            else if (!IsIsoChar(*p))
                return 0;
            else if (extension < 0)
                base++;
            else
                extension++;
        }
        if (base == 0 || base > ISO_BASE_CHARS || extension > ISO_EXTENSION_CHARS)
            return 0;
        if (*p == 0)
            return 1;
        p++;
    }
}

static int LongestComponent(const char *name)
{
    int longest = 0, length = 0;
    for (const char *p = name;; p++) {
        if (*p == 0 || IsPathSeparator(*p)) {
            if (length > longest)
                longest = length;
            if (*p == 0)
                return longest;
            length = 0;
        } else {
            length++;
        }
    }
}

// Valid UTF-8 with at least one multi-byte sequence: Slovak text in code page
// 1250 almost never is.
static int LooksLikeUtf8(const BYTE *bytes, DWORD length)
{
    int multiByte = 0;
    for (DWORD i = 0; i < length;) {
        BYTE b = bytes[i];
        DWORD follow = b < 0x80 ? 0 : b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2
                                    : b >= 0xF0 && b <= 0xF4 ? 3 : 4;
        if (follow == 4 || length - i <= follow)
            return 0;
        for (DWORD k = 1; k <= follow; k++) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return 0;
        }
        multiByte |= follow != 0;
        i += follow + 1;
    }
    return multiByte;
}

static void CheckEncoding()
{
    static const BYTE bom[] = {0xEF, 0xBB, 0xBF};
    HANDLE file = CreateFileA(descriptionPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD length = 0;
    ReadFile(file, rawDescription, sizeof rawDescription, &length, NULL);
    CloseHandle(file);
    if (length >= sizeof bom && memcmp(rawDescription, bom, sizeof bom) == 0)
        AddFinding(FINDING_WARNING, "", kDescriptionName, IDS_CHK_UTF8_BOM);
    else if (LooksLikeUtf8(rawDescription, length))
        AddFinding(FINDING_WARNING, "", kDescriptionName, IDS_CHK_UTF8_TEXT);
}

// Reads a publication value as the installer does; an empty one is an error,
// one longer than the installer keeps a warning.
static int CheckValue(PublicationValue value)
{
    const char *key = PublicationKey(value);
    DWORD length = ReadPublicationValue(value, descriptionPath);
    if (length == 0) {
        AddFinding(FINDING_ERROR, kPublicationSection, key, IDS_CHK_EMPTY_VALUE);
        return 0;
    }
    // Only a value that fills its field may have been cut: that one is read again whole.
    if (length == PublicationKeptLength(value))
        length = ReadDescriptionValue(kPublicationSection, key, "", longValue, sizeof longValue, descriptionPath);
    if (length > PublicationKeptLength(value))
        AddFinding(FINDING_WARNING, kPublicationSection, key, IDS_CHK_VALUE_CUT, (unsigned)length,
                   (unsigned)PublicationKeptLength(value), PublicationText(value));
    return 1;
}

static void CheckIniFile()
{
    const char *ini = setup.publicationIni;
    const char *bare = NameInPath(ini);
    if (!IsWindowsDirProfileName(ini))
        AddFinding(FINDING_WARNING, kPublicationSection, PublicationKey(VALUE_INIFILE), IDS_CHK_INI_PATH, ini);
    if (EqualIgnoringAsciiCase(bare, "WIN.INI") || EqualIgnoringAsciiCase(bare, "SYSTEM.INI"))
        AddFinding(FINDING_WARNING, kPublicationSection, PublicationKey(VALUE_INIFILE), IDS_CHK_WINDOWS_INI,
                   ini);
}

// Names the reason why the installer refuses a file or icon name.
static void ReportNotPlain(const char *section, const char *key, const char *name)
{
    UINT text = IDS_CHK_NOT_PLAIN;
    if (HasDotDotComponent(name))
        text = IDS_CHK_DOT_DOT;
    else if (strchr(name, ':') != NULL || (IsPathSeparator(name[0]) && IsPathSeparator(name[1])))
        text = IDS_CHK_DRIVE_OR_UNC;
    else if (IsNameBelowFolder(name))
        text = IDS_CHK_SUBFOLDER_KIND;
    else if (name[0] != '\\' && NameInPath(name) != name && !FolderPartsAreUsable(name))
        text = IDS_CHK_FOLDER_NAME;
    AddFinding(FINDING_ERROR, section, key, text, name);
}

// The installer refuses an entry whose file or icon is not a plain name in the
// medium's folder, or whose shortcut would be made outside its group or on a
// device. 0 when the files are not to be looked for on the medium.
static int StaysInItsFolder(const FileEntry &entry, const char *section, const char *key)
{
    if (FileEntryStaysInside(&entry))
        return 1;
    int plain = 1;
    if (entry.name[0] != 0 && !IsUsableFileName(entry.name, entry.kind)) {
        ReportNotPlain(section, key, entry.name);
        plain = 0;
    }
    if (entry.iconFile != NULL && entry.iconFile[0] != '*' && !IsUsableFileName(entry.iconFile, entry.kind)) {
        ReportNotPlain(section, key, entry.iconFile);
        plain = 0;
    }
    const char *shortcut = entry.shortcutName;
    if (shortcut != NULL && ContainsAnyOf(shortcut, kShortcutSeparators))
        AddFinding(FINDING_ERROR, section, key, IDS_CHK_SHORTCUT_PATH, shortcut);
    else if (shortcut != NULL && IsDeviceName(shortcut))
        AddFinding(FINDING_ERROR, section, key, IDS_CHK_DEVICE_NAME, shortcut);
    return plain;
}

static void ReportLineFault(LineFault fault, const char *section, const char *key)
{
    static const UINT texts[] = {0, IDS_CHK_NO_SEPARATOR, IDS_CHK_BAD_KIND, IDS_CHK_EMPTY_ICON,
                                 IDS_CHK_NO_SHORTCUT};
    AddFinding(FINDING_ERROR, section, key, texts[fault], rawLine);
}

// Reads a file line into the pool as the installer does. A line that does not
// fit there, which the installer refuses the medium for, is read again whole
// into linePool, so that it is judged all the same. The length; *line the text.
static DWORD ReadLine(const char *section, const char *key, char **line, int *poolFull)
{
    int fits;
    DWORD length = ReadPoolLine(section, key, descriptionPath, line, &fits);
    if (length == 0)
        return 0;
    if (fits) {
        setup.poolUsed = (WORD)(setup.poolUsed + length + 1);
        return length;
    }
    if (!(*poolFull)++)
        AddFinding(FINDING_ERROR, section, key, IDS_CHK_POOL_FULL, (unsigned)STRING_POOL_SIZE,
                   (unsigned)setup.poolUsed);
    *line = linePool + linePoolUsed;
    length = ReadDescriptionValue(section, key, "", *line, LINE_SIZE, descriptionPath);
    linePoolUsed += length + 1;
    return length;
}

// Reads the file lines as the installer does, the pool included, but goes on
// after a fault so that every line is judged.
static void ReadFileLines()
{
    int present = 0, poolFull = 0;
    for (const char *section : kFileSections) {
        char key[8];
        for (unsigned n = 1; n <= FILE_KEYS_PER_SECTION; n++) {
            FormatText(key, sizeof key, kFileKeyFormat, n);
            char *line;
            if (ReadLine(section, key, &line, &poolFull) == 0)
                continue;
            present++;
            CopyText(rawLine, sizeof rawLine, line);
            ListedFile &file = listed[listedCount++];
            file.section = section;
            CopyText(file.key, sizeof file.key, key);
            LineFault fault = SplitFileLine(line, &file.entry);
            if (fault != LINE_WELL_FORMED) {
                ReportLineFault(fault, section, key);
                FileEntry nameOnly = {line, 0, NULL, NULL};
                file.entry = nameOnly;
                continue;
            }
            file.usable = StaysInItsFolder(file.entry, section, key);
        }
    }
    if (present == 0) {
        // The installer names the last key it read.
        char key[8];
        FormatText(key, sizeof key, kFileKeyFormat, (unsigned)FILE_KEYS_PER_SECTION);
        AddFinding(FINDING_ERROR, kFileSections[FILE_SECTION_COUNT - 1], key, IDS_CHK_NO_FILES);
    }
}

// sourceDir followed by name in mediumPath, as the installer forms it; 0 when
// that is longer than a path may be.
static int FormMediumPath(const char *name)
{
    int whole = CopyText(mediumPath, MAX_PATH_CHARS + 1, setup.sourceDir);
    return AppendText(mediumPath, MAX_PATH_CHARS + 1, name) && whole;
}

// Size in KB of a file or icon on the medium, 0 after an error was reported.
static DWORD CheckOnMedium(const ListedFile &file, const char *name, UINT missingText)
{
    if (IsDeviceName(NameInPath(name))) {
        AddFinding(FINDING_ERROR, file.section, file.key, IDS_CHK_DEVICE_NAME, name);
        return 0;
    }
    if (!FormMediumPath(name)) {
        AddFinding(FINDING_ERROR, file.section, file.key, IDS_CHK_PATH_TOO_LONG,
                   (unsigned)MAX_PATH_CHARS, name);
        return 0;
    }
    DWORD kb = GetFileSizeKb(mediumPath);
    if (kb == 0) {
        AddFinding(FINDING_ERROR, file.section, file.key, missingText, name);
        return 0;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(mediumPath, GetFileExInfoStandard, &data) && data.nFileSizeLow == 0
        && data.nFileSizeHigh == 0)
        AddFinding(FINDING_WARNING, file.section, file.key, IDS_CHK_EMPTY_FILE, name);
    if (!FitsIsoLevel1(name))
        AddFinding(FINDING_WARNING, file.section, file.key, IDS_CHK_NOT_ISO_LEVEL1, name);
    if (LongestComponent(name) > JOLIET_NAME_CHARS)
        AddFinding(FINDING_WARNING, file.section, file.key, IDS_CHK_NOT_JOLIET,
                   (unsigned)JOLIET_NAME_CHARS, name);
    return kb;
}

static void CheckShortcutName(const ListedFile &file)
{
    const char *name = file.entry.shortcutName;
    if (ContainsAnyOf(name, kShortcutSeparators))
        return;   // refused already
    int bad = ContainsAnyOf(name, kShortcutForbidden);
    for (const char *p = name; *p != 0; p++)
        bad |= (unsigned char)*p < ' ';
    if (bad)
        AddFinding(FINDING_WARNING, file.section, file.key, IDS_CHK_SHORTCUT_CHARS, name);
}

static void CheckListedFile(WORD index)
{
    const ListedFile &file = listed[index];
    const FileEntry &entry = file.entry;
    if (!file.usable)
        return;
    for (WORD earlier = 0; earlier < index; earlier++) {
        if (listed[earlier].usable && lstrcmpiA(listed[earlier].entry.name, entry.name) == 0) {
            AddFinding(FINDING_WARNING, file.section, file.key, IDS_CHK_LISTED_TWICE,
                       listed[earlier].key, entry.name);
            break;
        }
    }
    DWORD kb = CheckOnMedium(file, entry.name, IDS_CHK_FILE_MISSING);
    if (kb != 0) {
        report.maximalKb = AddKb(report.maximalKb, kb);
        if (entry.kind != FILE_KIND_MAXIMAL_ONLY)
            report.minimalKb = AddKb(report.minimalKb, kb);
        VersionStamp stamp;
        if (entry.kind >= FILE_KIND_SYSTEM && ReadFileVersion(mediumPath, &stamp) != 0)
            AddFinding(FINDING_WARNING, file.section, file.key, IDS_CHK_NO_VERSION,
                       (unsigned)entry.kind, entry.name);
    }
    report.filesByKind[entry.kind]++;
    if (entry.iconFile != NULL && entry.iconFile[0] != '*')
        CheckOnMedium(file, entry.iconFile, IDS_CHK_ICON_MISSING);
    if (entry.shortcutName != NULL)
        CheckShortcutName(file);
    if (entry.kind <= FILE_KIND_INSTALL_DIR
        && !BuildTargetPath(setup.pathBuffer, sizeof setup.pathBuffer, entry.kind, entry.name))
        AddFinding(FINDING_WARNING, file.section, file.key, IDS_CHK_TARGET_TOO_LONG,
                   (unsigned)MAX_PATH_CHARS, entry.name);
}

// Keys of a section the installer reads: the publication's four values, or
// the file keys.
static int IsKnownKey(const char *section, const char *key)
{
    if (section != kPublicationSection)
        return IsReadFileKey(key);
    for (int v = 0; v < PUBLICATION_VALUE_COUNT; v++) {
        if (EqualIgnoringAsciiCase(key, PublicationKey((PublicationValue)v)))
            return 1;
    }
    return 0;
}

static void CheckKeys(const char *section)
{
    GetPrivateProfileStringA(section, NULL, "", keyList, sizeof keyList, descriptionPath);
    for (const char *key = keyList; *key != 0; key += TextLength(key) + 1) {
        int twice = 0;
        for (const char *earlier = keyList; earlier < key; earlier += TextLength(earlier) + 1)
            twice |= EqualIgnoringAsciiCase(earlier, key);
        if (twice)
            AddFinding(FINDING_WARNING, section, key, IDS_CHK_KEY_TWICE);
        else if (!IsKnownKey(section, key))
            AddFinding(FINDING_WARNING, section, key, IDS_CHK_KEY_NOT_READ);
    }
}

static void CheckSections()
{
    static const char *const known[] = {kPublicationSection, kFileSections[0], kFileSections[1]};
    for (const char *section : known)
        CheckKeys(section);
    GetPrivateProfileSectionNamesA(keyList, sizeof keyList, descriptionPath);
    for (const char *section = keyList; *section != 0; section += TextLength(section) + 1) {
        int isKnown = 0;
        for (const char *name : known)
            isKnown |= EqualIgnoringAsciiCase(section, name);
        if (!isKnown)
            AddFinding(FINDING_WARNING, section, "", IDS_CHK_SECTION_NOT_READ);
    }
}

static int IsListed(const char *name)
{
    if (EqualIgnoringAsciiCase(name, kDescriptionName) || EqualIgnoringAsciiCase(name, kInstallerName))
        return 1;
    for (WORD i = 0; i < listedCount; i++) {
        const FileEntry &entry = listed[i].entry;
        if (lstrcmpiA(entry.name, name) == 0 || (entry.iconFile != NULL && lstrcmpiA(entry.iconFile, name) == 0))
            return 1;
    }
    return 0;
}

// Warns of the files in the folder scanPath and below it that no line names;
// names are compared from relativeStart on, relative to the medium.
static void ScanFolder(size_t relativeStart, int depth)
{
    size_t length = TextLength(scanPath);
    if (!AppendText(scanPath, sizeof scanPath, "*"))
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(scanPath, &found);
    scanPath[length] = 0;
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsDotName(found.cFileName))
            continue;
        if (!AppendText(scanPath, sizeof scanPath, found.cFileName)) {
            scanPath[length] = 0;
            continue;
        }
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (depth < MAX_SCAN_DEPTH && AppendText(scanPath, sizeof scanPath, "\\"))
                ScanFolder(relativeStart, depth + 1);
        } else if (!IsListed(scanPath + relativeStart)) {
            AddFinding(FINDING_WARNING, "", "", IDS_CHK_UNLISTED_FILE, scanPath + relativeStart);
        }
        scanPath[length] = 0;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void CheckMedium()
{
    int whole = CopyText(descriptionPath, MAX_PATH_CHARS + 1, setup.sourceDir);
    if (!AppendText(descriptionPath, MAX_PATH_CHARS + 1, kDescriptionName) || !whole
        || (GetFileAttributesA(descriptionPath) & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        AddFinding(FINDING_ERROR, "", kDescriptionName, IDS_CHK_NO_DESCRIPTION, kDescriptionName);
        return;
    }
    report.descriptionFound = 1;
    CheckEncoding();
    CheckSections();

    // The errors come in the order in which the installer meets them, so that
    // the first is the one it refuses the medium with.
    CheckValue(VALUE_TITLE);
    if (CheckValue(VALUE_INIFILE)) {
        if (!IsUsableIniName(setup.publicationIni))
            AddFinding(FINDING_ERROR, kPublicationSection, PublicationKey(VALUE_INIFILE), IDS_CHK_DEVICE_NAME,
                       setup.publicationIni);
        CheckIniFile();
    }
    ReadFileLines();
    const char *path = PublicationText(VALUE_PATH);
    if (CheckValue(VALUE_PATH) && !IsUsablePathValue(path))
        AddFinding(FINDING_ERROR, kPublicationSection, PublicationKey(VALUE_PATH),
                   HasDotDotComponent(path) ? IDS_CHK_DOT_DOT : IDS_CHK_FOLDER_NAME, path);
    if (CheckValue(VALUE_GROUP) && !IsValidGroupName(setup.groupName))
        AddFinding(FINDING_ERROR, kPublicationSection, PublicationKey(VALUE_GROUP),
                   IsPlainFileName(setup.groupName) && !IsUsableFolderName(setup.groupName) ? IDS_CHK_FOLDER_NAME
                                                                                             : IDS_CHK_GROUP_CHARS,
                   setup.groupName);

    GetProgramFilesDir(setup.targetDir);
    AppendText(setup.targetDir, sizeof setup.targetDir, setup.pathSuffix);
    CopyText(setup.installDir, sizeof setup.installDir, setup.targetDir);
    EnsureTrailingBackslash(setup.installDir, sizeof setup.installDir);
    // The installer's totals start at 1 KB as well.
    report.minimalKb = 1;
    report.maximalKb = 1;
    for (WORD i = 0; i < listedCount; i++)
        CheckListedFile(i);

    CopyText(scanPath, sizeof scanPath, setup.sourceDir);
    ScanFolder(TextLength(scanPath), 0);
}
