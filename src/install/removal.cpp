#include "install/removal.h"

#include <string.h>

#include "base/names.h"
#include "base/text.h"
#include "install/registration.h"
#include "install/run.h"
#include "resource.h"
#include "shell/registry.h"
#include "shell/shortcuts.h"

static char registrationKey[PATH_TEXT_SIZE];
static char registryText[REGISTRY_TEXT_SIZE];
static char shellFolder[REGISTRY_TEXT_SIZE + 1];
static char linkPath[PATH_TEXT_SIZE];
static char linkTarget[PATH_TEXT_SIZE];
static char installedFolder[PATH_TEXT_SIZE];
static char iniPath[PATH_TEXT_SIZE];
static char compareFirst[PATH_TEXT_SIZE];
static char compareSecond[PATH_TEXT_SIZE];

static const char kRegistryRootName[] = "HKEY_LOCAL_MACHINE\\";

int WasCopiedToInstallDir(FileKind kind, WORD installType)
{
    return kind == FILE_KIND_INSTALL_DIR ||
           (kind == FILE_KIND_MAXIMAL_ONLY && installType == INSTALL_MAXIMAL);
}

// Both texts with one trailing backslash, into the two compare buffers.
static int PrepareComparison(const char *a, const char *b)
{
    return CopyText(compareFirst, sizeof compareFirst, a) &&
           CopyText(compareSecond, sizeof compareSecond, b) &&
           EnsureTrailingBackslash(compareFirst, sizeof compareFirst) &&
           EnsureTrailingBackslash(compareSecond, sizeof compareSecond);
}

int SameDirectory(const char *a, const char *b)
{
    if (!PrepareComparison(a, b))
        return 0;
    if (EqualIgnoringAsciiCase(compareFirst, compareSecond))
        return 1;
    // The list of programs may start the executable by a short path. Each is
    // made short in its own buffer, as the system allows.
    DWORD first = GetShortPathNameA(compareFirst, compareFirst, sizeof compareFirst);
    DWORD second = GetShortPathNameA(compareSecond, compareSecond, sizeof compareSecond);
    return first != 0 && first < sizeof compareFirst && second != 0 && second < sizeof compareSecond &&
           EqualIgnoringAsciiCase(compareFirst, compareSecond);
}

int NextDirectoryUp(char *directory, const char *stop)
{
    size_t stopLength = TextLength(stop);
    if (stopLength == 0 || !StartsWithIgnoringAsciiCase(directory, stop) || directory[stopLength] != '\\')
        return 0;
    char *last = strrchr(directory, '\\');
    if (last == NULL || (size_t)(last - directory) <= stopLength)
        return 0;
    *last = 0;
    return 1;
}

ErrorCode FindRegistration()
{
    DWORD type = 0;
    DWORD desktop = 0;
    if (!FormRegistrationKey(registrationKey, sizeof registrationKey, setup.publicationIni) ||
        ReadRegistryString(ROOT_LOCAL_MACHINE, registrationKey, kLocationValue, registryText) <= 0 ||
        !ReadRegistryNumber(ROOT_LOCAL_MACHINE, registrationKey, kTypeValue, &type) ||
        type > INSTALL_MAXIMAL ||
        !ReadRegistryNumber(ROOT_LOCAL_MACHINE, registrationKey, kDesktopValue, &desktop))
        return IDS_REMOVE_NOT_FOUND;
    TrimSourceDir();
    if (!SameDirectory(registryText, setup.sourceDir))
        return IDS_REMOVE_ELSEWHERE;
    CopyText(setup.installDir, sizeof setup.installDir, setup.sourceDir);

    setup.installType = (WORD)type;
    setup.createDesktopIcon = desktop != 0;
    // A group that is not one level below the Programs folder was not made by an installation.
    SHORT groupLength = ReadRegistryString(ROOT_LOCAL_MACHINE, registrationKey, kGroupValue, registryText);
    setup.createGroup = groupLength > 0 && IsValidGroupName(registryText) &&
                        CopyText(setup.groupName, sizeof setup.groupName, registryText);
    return 0;
}

// Deletes a file that exists; 0 with its name in pathBuffer when it stays.
static ErrorCode DeleteExisting(const char *path)
{
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES || DeleteFileA(path))
        return 0;
    CopyText(setup.pathBuffer, sizeof setup.pathBuffer, path);
    return IDS_REMOVE_FAILED;
}

static ErrorCode DeleteInstalled(const char *name)
{
    if (!JoinText(setup.pathBuffer, MAX_PATH_CHARS + 1, setup.installDir, name))
        return 0;   // a path this long was never copied
    return DeleteExisting(setup.pathBuffer);
}

static ErrorCode DeleteCopiedFiles()
{
    for (WORD i = 0; i < setup.fileCount; i++) {
        const FileEntry &entry = setup.files[i];
        if (!WasCopiedToInstallDir(entry.kind, setup.installType))
            continue;
        ErrorCode error = DeleteInstalled(entry.name);
        if (error != 0)
            return error;
        RemoveEmptyFileFolders(setup.installDir, entry.name);
    }
    return 0;
}

// Deletes folder + name + ".lnk" when it points into the folder of the
// installed file fileName; a shortcut of that name that belongs to something
// else stays.
static ErrorCode DeleteOwnShortcut(const char *folder, const char *name, const char *fileName)
{
    if (FormatText(linkPath, sizeof linkPath, "%s%s.lnk", folder, name) < 0 ||
        GetFileAttributesA(linkPath) == INVALID_FILE_ATTRIBUTES)
        return 0;
    if (!ReadShortcutTarget(linkPath, linkTarget, sizeof linkTarget))
        return 0;
    char *last = strrchr(linkTarget, '\\');
    if (last == NULL)
        return 0;
    last[1] = 0;
    // The installed file's folder: installDir, or one of the publication's folders in it.
    if (!JoinText(installedFolder, sizeof installedFolder, setup.installDir, fileName))
        return 0;
    strrchr(installedFolder, '\\')[1] = 0;
    if (!SameDirectory(linkTarget, installedFolder))
        return 0;
    return DeleteExisting(linkPath);
}

static ErrorCode DeleteShortcuts()
{
    if (setup.createGroup && GetProgramsFolder(shellFolder) >= 0 &&
        AppendText(shellFolder, sizeof shellFolder, setup.groupName) &&
        EnsureTrailingBackslash(shellFolder, sizeof shellFolder)) {
        for (WORD i = 0; i < setup.fileCount; i++) {
            const FileEntry &entry = setup.files[i];
            if (entry.iconFile == NULL || entry.shortcutName == NULL)
                continue;
            ErrorCode error = DeleteOwnShortcut(shellFolder, entry.shortcutName, entry.name);
            if (error != 0)
                return error;
        }
        // Only when empty: the user's own shortcuts keep the group.
        RemoveDirectoryA(shellFolder);
    }
    const FileEntry &first = setup.files[0];
    if (setup.createDesktopIcon && first.iconFile != NULL && first.shortcutName != NULL &&
        GetDesktopFolder(shellFolder) >= 0)
        return DeleteOwnShortcut(shellFolder, first.shortcutName, first.name);
    return 0;
}

// The profile functions take a name without a full path to lie in the Windows directory.
static int FormIniPath()
{
    const char *ini = setup.publicationIni;
    int fullPath = (ini[0] != 0 && ini[1] == ':') || (ini[0] == '\\' && ini[1] == '\\');
    if (fullPath)
        return CopyText(iniPath, sizeof iniPath, ini);
    return JoinText(iniPath, sizeof iniPath, setup.windowsDir, ini);
}

static void RemoveRecord(const char *section, const char *key)
{
    WritePrivateProfileStringA(section, key, NULL, iniPath);
    if (GetPrivateProfileSectionA(section, setup.textBuffer, sizeof setup.textBuffer, iniPath) == 0)
        WritePrivateProfileStringA(section, NULL, NULL, iniPath);
}

static ErrorCode RemoveIniRecords()
{
    // A file that is gone already must not be made anew by the deletions.
    if (!FormIniPath() || GetFileAttributesA(iniPath) == INVALID_FILE_ATTRIBUTES)
        return 0;
    RemoveRecord("INSTALL", "WIN32");
    RemoveRecord("SETING", "PATH");
    WritePrivateProfileStringA(NULL, NULL, NULL, iniPath);   // flushes a cached file
    if (GetPrivateProfileSectionNamesA(setup.textBuffer, sizeof setup.textBuffer, iniPath) != 0)
        return 0;
    return DeleteExisting(iniPath);
}

ErrorCode RemoveInstallation(const char *descriptionName)
{
    ErrorCode error = DeleteCopiedFiles();
    if (error == 0)
        error = DeleteShortcuts();
    if (error == 0)
        error = RemoveIniRecords();
    if (error != 0)
        return error;
    if (!DeleteRegistryKey(registrationKey)) {
        JoinText(setup.pathBuffer, sizeof setup.pathBuffer, kRegistryRootName, registrationKey);
        return IDS_REMOVE_FAILED;
    }
    return DeleteInstalled(descriptionName);
}
