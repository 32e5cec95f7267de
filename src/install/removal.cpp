#include "install/removal.h"

#include <string.h>

#include "base/messages.h"
#include "base/names.h"
#include "base/text.h"
#include "install/registration.h"
#include "resource.h"
#include "shell/registry.h"
#include "shell/shortcuts.h"

static char programFolder[PATH_TEXT_SIZE];
static char registryText[REGISTRY_TEXT_SIZE];
static char shellFolder[REGISTRY_TEXT_SIZE + 1];
static char linkPath[PATH_TEXT_SIZE];
static char linkTarget[PATH_TEXT_SIZE];
static char installedPath[MAX_PATH_CHARS + 1];
static char installedFolder[PATH_TEXT_SIZE];
static char fileFolders[PATH_BUFFER_SIZE];
static char folderWalk[PATH_TEXT_SIZE];
static char stopDir[PATH_TEXT_SIZE];
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

static int IsLink(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

int PathCrossesLink(char *path)
{
    // Each level after the root, up to a backslash or the end.
    size_t length = TextLength(path);
    for (size_t i = 3; i <= length; i++) {
        char kept = path[i];
        if (kept != '\\' && kept != 0)
            continue;
        path[i] = 0;
        int link = IsLink(path);
        path[i] = kept;
        if (link)
            return 1;
    }
    return 0;
}

void RemoveEmptyFolders(char *directory)
{
    StripTrailingBackslash(directory, 3);
    if (!GetProgramFilesDir(stopDir)) {
        // Nothing above the folder's own parent, which may be a drive's root.
        CopyText(stopDir, sizeof stopDir, directory);
        char *last = strrchr(stopDir, '\\');
        if (last != NULL)
            *last = 0;
    }
    // Program Files itself stays, even when empty.
    if (EqualIgnoringAsciiCase(directory, stopDir))
        return;
    do {
        if (IsLink(directory) || !RemoveDirectoryA(directory))
            return;
    } while (NextDirectoryUp(directory, stopDir));
}

void RemoveEmptyFileFolders(const char *installDir, const char *name)
{
    char *inside = fileFolders + TextLength(installDir);
    // A junction or link among them may lead out of installDir: nothing is removed then.
    if (!JoinText(fileFolders, MAX_PATH_CHARS + 1, installDir, name) || PathCrossesLink(fileFolders))
        return;
    // The deepest first; one that is not empty keeps those above it.
    for (char *last = strrchr(fileFolders, '\\'); last >= inside; last = strrchr(fileFolders, '\\')) {
        *last = 0;
        if (!RemoveDirectoryA(fileFolders))
            return;
    }
}

ErrorCode FindRegistration()
{
    DWORD type = 0;
    DWORD desktop = 0;
    if (!FormRegistrationKey(registrationKey, sizeof registrationKey, setup.publicationIni) ||
        ReadRegistryString(ROOT_LOCAL_MACHINE, registrationKey, kIniValue, setup.publicationIniPath) <= 0 ||
        ReadRegistryString(ROOT_LOCAL_MACHINE, registrationKey, kLocationValue, registryText) <= 0 ||
        !ReadRegistryNumber(ROOT_LOCAL_MACHINE, registrationKey, kTypeValue, &type) ||
        type > INSTALL_MAXIMAL ||
        !ReadRegistryNumber(ROOT_LOCAL_MACHINE, registrationKey, kDesktopValue, &desktop))
        return IDS_REMOVE_NOT_FOUND;
    // Only the copy in the folder that the installation made for the entry
    // acts on it; the installation directory is the entry's, never the
    // folder that the program runs from.
    TrimSourceDir();
    if (!FormProgramFolder(programFolder, sizeof programFolder, registrationKey) ||
        !SameDirectory(programFolder, setup.sourceDir))
        return IDS_REMOVE_ELSEWHERE;
    CopyText(setup.installDir, sizeof setup.installDir, registryText);
    EnsureTrailingBackslash(setup.installDir, sizeof setup.installDir);

    setup.installType = (WORD)type;
    setup.createDesktopIcon = desktop != 0;
    // A group that is not one level below the Programs folder was not made by an installation.
    SHORT groupLength = ReadRegistryString(ROOT_LOCAL_MACHINE, registrationKey, kGroupValue, registryText);
    setup.createGroup = groupLength > 0 && IsValidGroupName(registryText) &&
                        CopyText(setup.groupName, sizeof setup.groupName, registryText);
    return 0;
}

// Deletes a file that exists. When it stays: IDS_REMOVE_FAILED, with its
// path in failed (size bytes). The functions below pass failed on.
static ErrorCode DeleteExisting(const char *path, char *failed, size_t size)
{
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES || DeleteFileA(path))
        return 0;
    CopyText(failed, size, path);
    return IDS_REMOVE_FAILED;
}

static ErrorCode DeleteInstalled(const char *name, char *failed, size_t size)
{
    if (!JoinText(installedPath, sizeof installedPath, setup.installDir, name))
        return 0;   // a path this long was never copied
    // A publication's folder turned into a link leads elsewhere: what lies there is not the installation's.
    if (PathCrossesLink(installedPath))
        return 0;
    return DeleteExisting(installedPath, failed, size);
}

static ErrorCode DeleteCopiedFiles(char *failed, size_t size)
{
    for (WORD i = 0; i < setup.fileCount; i++) {
        const FileEntry &entry = setup.files[i];
        if (!WasCopiedToInstallDir(entry.kind, setup.installType))
            continue;
        ErrorCode error = DeleteInstalled(entry.name, failed, size);
        if (error != 0)
            return error;
        RemoveEmptyFileFolders(setup.installDir, entry.name);
    }
    return 0;
}

// Deletes folder + name + ".lnk" when it points into the folder of the
// installed file fileName; a shortcut of that name that belongs to something
// else stays.
static ErrorCode DeleteOwnShortcut(const char *folder, const char *name, const char *fileName, char *failed,
                                   size_t size)
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
    return DeleteExisting(linkPath, failed, size);
}

// The folder that a warning names, without its trailing backslash.
static char skippedFolder[PATH_TEXT_SIZE];
static char iniFolder[PATH_TEXT_SIZE];

// 1, with the warning that names it, when folder or a folder above it is a
// link to another place: nothing inside it is the installation's to delete.
static int SkippedAsLink(char *folder)
{
    if (!PathCrossesLink(folder))
        return 0;
    CopyText(skippedFolder, sizeof skippedFolder, folder);
    StripTrailingBackslash(skippedFolder, 3);
    ShowMessageIdWith(IDS_REMOVE_LINK_SKIPPED, skippedFolder);
    return 1;
}

static ErrorCode DeleteShortcuts(char *failed, size_t size)
{
    if (setup.createGroup && GetProgramsFolder(shellFolder) >= 0 &&
        AppendText(shellFolder, sizeof shellFolder, setup.groupName) &&
        EnsureTrailingBackslash(shellFolder, sizeof shellFolder) && !SkippedAsLink(shellFolder)) {
        for (WORD i = 0; i < setup.fileCount; i++) {
            const FileEntry &entry = setup.files[i];
            if (entry.iconFile == NULL || entry.shortcutName == NULL)
                continue;
            ErrorCode error = DeleteOwnShortcut(shellFolder, entry.shortcutName, entry.name, failed, size);
            if (error != 0)
                return error;
        }
        // Only when empty: the user's own shortcuts keep the group.
        RemoveDirectoryA(shellFolder);
    }
    const FileEntry &first = setup.files[0];
    if (setup.createDesktopIcon && first.iconFile != NULL && first.shortcutName != NULL &&
        GetDesktopFolder(shellFolder) >= 0)
        return DeleteOwnShortcut(shellFolder, first.shortcutName, first.name, failed, size);
    return 0;
}

static void RemoveRecord(const char *section, const char *key)
{
    WritePrivateProfileStringA(section, key, NULL, setup.publicationIniPath);
    if (GetPrivateProfileSectionA(section, setup.textBuffer, sizeof setup.textBuffer, setup.publicationIniPath) == 0)
        WritePrivateProfileStringA(section, NULL, NULL, setup.publicationIniPath);
}

static int HasRecord(const char *section, const char *key)
{
    return GetPrivateProfileStringA(section, key, "", setup.textBuffer, sizeof setup.textBuffer,
                                    setup.publicationIniPath) != 0;
}

// 1 when the file opens for writing: not when it is read-only or held by
// another program. (Windows 95 and 98 refuse FILE_SHARE_DELETE.)
static int OpensForWriting(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    CloseHandle(file);
    return 1;
}

static ErrorCode RemoveIniRecords(char *failed, size_t size)
{
    const char *iniPath = setup.publicationIniPath;
    // A file that is gone already must not be made anew by the deletions.
    if (GetFileAttributesA(iniPath) == INVALID_FILE_ATTRIBUTES)
        return 0;
    // An INI file's folder turned into a link leads elsewhere: the file there is not the installation's.
    CopyText(iniFolder, sizeof iniFolder, iniPath);
    char *name = strrchr(iniFolder, '\\');
    if (name != NULL)
        name[1] = 0;
    if (SkippedAsLink(iniFolder))
        return 0;
    if (OpensForWriting(iniPath)) {
        RemoveRecord("INSTALL", "WIN32");
        RemoveRecord("SETING", "PATH");
    }
    // Flushes a cached file, so that the records are read back from the disk:
    // a deletion may report success where the file was not written.
    WritePrivateProfileStringA(NULL, NULL, NULL, iniPath);
    if (HasRecord("INSTALL", "WIN32") || HasRecord("SETING", "PATH")) {
        CopyText(failed, size, iniPath);
        return IDS_REMOVE_RECORDS_FAILED;
    }
    if (GetPrivateProfileSectionNamesA(setup.textBuffer, sizeof setup.textBuffer, iniPath) != 0)
        return 0;
    return DeleteExisting(iniPath, failed, size);
}

ErrorCode RemoveInstallation(const char *descriptionName, char *failed, size_t size)
{
    int installDirLinked = SkippedAsLink(setup.installDir);
    ErrorCode error = installDirLinked ? 0 : DeleteCopiedFiles(failed, size);
    if (error == 0)
        error = DeleteShortcuts(failed, size);
    if (error == 0)
        error = RemoveIniRecords(failed, size);
    // The description beside the program before the entry: after any failure
    // the entry stays, and the removal can be run again.
    if (error == 0 && JoinText(folderWalk, sizeof folderWalk, setup.sourceDir, descriptionName))
        error = DeleteExisting(folderWalk, failed, size);
    if (error != 0)
        return error;
    if (!installDirLinked && CopyText(folderWalk, sizeof folderWalk, setup.installDir))
        RemoveEmptyFolders(folderWalk);
    if (!DeleteRegistryKey(registrationKey)) {
        JoinText(failed, size, kRegistryRootName, registrationKey);
        return IDS_REMOVE_FAILED;
    }
    return 0;
}
