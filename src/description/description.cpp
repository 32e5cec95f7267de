#include "description/description.h"

#include <string.h>

#include "base/messages.h"
#include "base/names.h"
#include "base/sizes.h"
#include "base/text.h"
#include "resource.h"
#include "shell/registry.h"

const char kDescriptionName[] = "TALVIREX.INF";

const char kPublicationSection[] = "PUBLICATION";
const char *const kFileSections[FILE_SECTION_COUNT] = {"FILES32", "FILES"};
const char kFileKeyFormat[] = "FILE%u";
static const char kShortcutForbidden[] = "\\/:";
static const char kBadInfoCaption[] = "TALVIREX - Bad Info";
static const char kBadDiskCaption[] = "TALVIREX - Bad Disk";

// The description file's path, and each medium file's path while it is checked.
static char descriptionPath[MAX_PATH_CHARS + 1];
static char mediumPath[MAX_PATH_CHARS + 1];

DWORD ReadDescriptionValue(const char *section, const char *key, const char *defaultText,
                           char *buffer, DWORD size, const char *path)
{
    CopyText(setup.diagnostic, sizeof setup.diagnostic, key);
    return GetPrivateProfileStringA(section, key, defaultText, buffer, size, path);
}

DWORD GetFileSizeKb(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    ULONGLONG size = 0;
    int known = ReadFileSize(file, &size);
    CloseHandle(file);
    if (!known)
        return 0;
    return KbOfSize((DWORD)(size >> 32), (DWORD)size);
}

static const struct {
    const char *key;
    char *buffer;   // where the value is read: PATH goes behind pathSuffix's backslash
    DWORD size;
} kPublicationValues[PUBLICATION_VALUE_COUNT] = {
    {"TITLE", setup.title, sizeof setup.title},
    {"INIFILE", setup.publicationIni, sizeof setup.publicationIni},
    {"PATH", setup.pathSuffix + 1, sizeof setup.pathSuffix - 1},
    {"GROUP", setup.groupName, sizeof setup.groupName},
};

const char *PublicationKey(PublicationValue value)
{
    return kPublicationValues[value].key;
}

DWORD ReadPublicationValue(PublicationValue value, const char *path)
{
    return ReadDescriptionValue(kPublicationSection, kPublicationValues[value].key, "",
                                kPublicationValues[value].buffer, kPublicationValues[value].size, path);
}

const char *PublicationText(PublicationValue value)
{
    return kPublicationValues[value].buffer;
}

DWORD PublicationKeptLength(PublicationValue value)
{
    return kPublicationValues[value].size - 1;
}

int ParseFileLine(char *line, FileEntry *entry)
{
    return SplitFileLine(line, entry) == LINE_WELL_FORMED;
}

LineFault SplitFileLine(char *line, FileEntry *entry)
{
    char *separator = strchr(line, ';');
    if (separator == NULL)
        return LINE_NO_SEPARATOR;
    *separator = 0;
    char *kindChar = separator + 1;
    if (*kindChar < '0' || *kindChar > '4')
        return LINE_BAD_KIND;

    FileEntry parsed = {line, (FileKind)(*kindChar - '0'), NULL, NULL};
    separator = strchr(kindChar, ';');
    if (separator != NULL) {
        *separator = 0;
        char *iconFile = separator + 1;
        if (*iconFile == ';')
            return LINE_EMPTY_ICON;
        separator = strchr(iconFile, ';');
        if (separator == NULL)
            return LINE_NO_SHORTCUT;
        *separator = 0;
        char *shortcutName = separator + 1;
        if (*shortcutName == 0)
            return LINE_NO_SHORTCUT;
        parsed.iconFile = iconFile;
        parsed.shortcutName = shortcutName;
    }
    *entry = parsed;
    return LINE_WELL_FORMED;
}

static int HasOwnIcon(const FileEntry *entry)
{
    return entry->iconFile != NULL && entry->iconFile[0] != '*';
}

int IsUsableFileName(const char *name, FileKind kind)
{
    // The installation directory may hold folders of the publication's own;
    // the Windows and system directories get plain names only.
    return kind <= FILE_KIND_INSTALL_DIR ? IsNameBelowFolder(name) : IsPlainFileName(name);
}

int FileEntryStaysInside(const FileEntry *entry)
{
    if (entry->name[0] != 0 && !IsUsableFileName(entry->name, entry->kind))
        return 0;
    if (HasOwnIcon(entry) && !IsUsableFileName(entry->iconFile, entry->kind))
        return 0;
    // "NUL.lnk" would be written to the device and the shortcut would be lost.
    return entry->shortcutName == NULL ||
           (!ContainsAnyOf(entry->shortcutName, kShortcutForbidden) && !IsDeviceName(entry->shortcutName));
}

int IsUsableIniName(const char *ini)
{
    // A full path or a bare name in the Windows directory, but never a device.
    return !IsDeviceName(NameInPath(ini));
}

int IsUsablePathValue(const char *path)
{
    return !HasDotDotComponent(path) && FolderPartsAreUsable(path);
}

static int BadDescription()
{
    ShowMessageId(IDS_BAD_DESCRIPTION);
    if (setup.debugMessages)
        ShowDiagnostic(kBadInfoCaption, setup.diagnostic);
    return 0;
}

static int BadMedium(const char *path)
{
    ShowMessageId(IDS_BAD_MEDIUM);
    CopyText(setup.diagnostic, sizeof setup.diagnostic, path);
    if (setup.debugMessages)
        ShowDiagnostic(kBadDiskCaption, setup.diagnostic);
    return 0;
}

// sourceDir followed by name into buffer; 0 when that is longer than a path
// may be (the buffer then holds as much of it as fits).
static int FormSourcePath(char *buffer, size_t size, const char *name)
{
    return JoinText(buffer, size, setup.sourceDir, name);
}

static int DescriptionIsHere()
{
    if (!FormSourcePath(descriptionPath, sizeof descriptionPath, kDescriptionName))
        return 0;
    // A missing file reads as all bits set, so it fails like a directory.
    return (GetFileAttributesA(descriptionPath) & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

DWORD ReadPoolLine(const char *section, const char *key, const char *path, char **line, int *fits)
{
    static char probe[3];
    // A line may take the pool up to its next-to-last byte. It is read into
    // the rest of the pool and the spare byte behind it; a line that fits
    // ends two bytes short of that buffer's end, and only such a read is
    // whole: one that reaches further may have been cut, and a quoted value
    // that reaches the buffer's last byte loses its last character with the
    // closing quote ("B;1" reads "B;"). A full pool still reads the key into
    // a probe, so that a present line (a quoted "x" too) is not mistaken for
    // a missing one.
    *line = setup.stringPool + setup.poolUsed;
    DWORD size = STRING_POOL_SIZE + 1 - setup.poolUsed;
    if (size < sizeof probe) {
        *line = probe;
        size = sizeof probe;
    }
    DWORD length = ReadDescriptionValue(section, key, "", *line, size, path);
    *fits = length + 1 < (DWORD)(STRING_POOL_SIZE - setup.poolUsed);
    return length;
}

// The key's name; the program's, not the stack's.
static char fileKey[8];

static_assert(sizeof kFileSections / sizeof kFileSections[0] * FILE_KEYS_PER_SECTION <= MAX_FILE_ENTRIES,
              "every key of every file section has a place in the file list");

// Reads FILE1..FILE29 of one section into the pool and the file list.
// 0 at the first line that is malformed or does not fit the pool.
static int ReadFileSection(const char *section)
{
    for (unsigned n = 1; n <= FILE_KEYS_PER_SECTION; n++) {
        FormatText(fileKey, sizeof fileKey, kFileKeyFormat, n);
        char *line;
        int fits;
        DWORD length = ReadPoolLine(section, fileKey, descriptionPath, &line, &fits);
        if (length == 0)
            continue;
        if (!fits)
            return 0;
        // Parsed into the next free place of the list; counted only when it is sound.
        FileEntry *entry = &setup.files[setup.fileCount];
        if (!ParseFileLine(line, entry) || !FileEntryStaysInside(entry))
            return 0;
        setup.fileCount++;
        setup.poolUsed = (WORD)(setup.poolUsed + length + 1);
    }
    return 1;
}

static void FormPageTexts()
{
    FormatText(setup.welcomeText, sizeof setup.welcomeText, LoadText(IDS_WELCOME), setup.title);
    FormatText(setup.targetPrompt, sizeof setup.targetPrompt, LoadText(IDS_TARGET_PROMPT), setup.title);
    FormatText(setup.windowTitle, sizeof setup.windowTitle, LoadText(IDS_WINDOW_TITLE), setup.title);
}

// Sizes the installation and makes sure every listed file, and every icon
// file of its own, can be opened on the medium.
static int MeasureMedium()
{
    DWORD minimal = 1;
    DWORD maximal = 1;
    for (WORD i = 0; i < setup.fileCount; i++) {
        const FileEntry &entry = setup.files[i];
        DWORD kb = 0;
        int whole = FormSourcePath(mediumPath, sizeof mediumPath, entry.name);
        if (whole && !IsDeviceName(NameInPath(entry.name)))
            kb = GetFileSizeKb(mediumPath);
        if (kb == 0)
            return BadMedium(mediumPath);
        maximal = AddKb(maximal, kb);
        if (entry.kind != FILE_KIND_MAXIMAL_ONLY)
            minimal = AddKb(minimal, kb);
        if (HasOwnIcon(&entry)) {
            if (!FormSourcePath(mediumPath, sizeof mediumPath, entry.iconFile) ||
                IsDeviceName(NameInPath(entry.iconFile)) || GetFileSizeKb(mediumPath) == 0)
                return BadMedium(mediumPath);
        }
    }
    setup.requiredKb[INSTALL_MINIMAL] = minimal;
    setup.requiredKb[INSTALL_MAXIMAL] = maximal;
    return 1;
}

// The description's keys and file list, and the texts and target formed from
// them; 1 when all are there and well formed.
static int ReadDescriptionKeys()
{
    if (ReadPublicationValue(VALUE_TITLE, descriptionPath) == 0)
        return 0;
    if (ReadPublicationValue(VALUE_INIFILE, descriptionPath) == 0)
        return 0;
    if (!IsUsableIniName(setup.publicationIni))
        return 0;

    for (const char *section : kFileSections)
        if (!ReadFileSection(section))
            return 0;
    if (setup.fileCount == 0)
        return 0;

    if (ReadPublicationValue(VALUE_PATH, descriptionPath) == 0)
        return 0;
    if (!IsUsablePathValue(setup.pathSuffix + 1))
        return 0;
    if (ReadPublicationValue(VALUE_GROUP, descriptionPath) == 0)
        return 0;
    if (!IsValidGroupName(setup.groupName))
        return 0;

    GetProgramFilesDir(setup.targetDir);
    AppendText(setup.targetDir, sizeof setup.targetDir, setup.pathSuffix);
    FormPageTexts();
    return 1;
}

int ReadDescriptionFile()
{
    setup.diagnostic[0] = 0;
    if (!DescriptionIsHere())
        return DESCRIPTION_MISSING;
    if (!ReadDescriptionKeys())
        return BadDescription();
    return MeasureMedium();
}

ErrorCode ReadCopiedDescription()
{
    setup.diagnostic[0] = 0;
    if (!DescriptionIsHere())
        return IDS_REMOVE_NOT_FOUND;
    return ReadDescriptionKeys() ? 0 : IDS_BAD_DESCRIPTION;
}
