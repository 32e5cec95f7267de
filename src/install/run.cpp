#include "install/run.h"

#include <string.h>

#include "base/messages.h"
#include "base/text.h"
#include "install/file_ops.h"
#include "install/version.h"
#include "resource.h"
#include "shell/directory.h"
#include "shell/shortcuts.h"
#include "ui/page_proc.h"
#include "ui/progress.h"

enum { PROGRESS_TEXT_SIZE = 300 };

static char progressText[PROGRESS_TEXT_SIZE];
static char shortcutDir[PATH_BUFFER_SIZE];

int BuildTargetPath(char *buffer, size_t size, FileKind kind, const char *name)
{
    const char *directory = setup.installDir;
    if (kind == FILE_KIND_SYSTEM || kind == FILE_KIND_SYSTEM_TOO)
        directory = setup.systemDir;
    else if (kind == FILE_KIND_WINDOWS)
        directory = setup.windowsDir;
    // A path the system could not open counts as too long as well.
    size_t limit = size < MAX_PATH_CHARS + 1 ? size : MAX_PATH_CHARS + 1;
    return JoinText(buffer, limit, directory, name);
}

WORD ProgressStep(WORD count)
{
    return count == 0 ? 0 : (WORD)(80 / count);
}

static void MarkKinds(FileKind from, FileKind to)
{
    for (WORD i = 0; i < setup.fileCount; i++) {
        if (setup.files[i].kind == from)
            setup.files[i].kind = to;
    }
}

static WORD CountFilesToCopy()
{
    WORD count = 0;
    for (WORD i = 0; i < setup.fileCount; i++) {
        if (setup.files[i].kind != FILE_KIND_MAXIMAL_ONLY)
            count++;
    }
    return count;
}

// installDir as the copies need it: the target with exactly one trailing backslash.
static ErrorCode PrepareInstallDir()
{
    CopyText(setup.installDir, sizeof setup.installDir, setup.targetDir);
    EnsureTrailingBackslash(setup.installDir, sizeof setup.installDir);
    StripTrailingBackslash(setup.installDir, 3);
    ErrorCode error = CreateDirectoryPath(setup.installDir);
    if (error == 0)
        EnsureTrailingBackslash(setup.installDir, sizeof setup.installDir);
    return error;
}

// Makes the folders of a name with folders of its own ("POMOC\\NAVOD.TXT")
// below its target path, as the installation directory itself is made.
static ErrorCode CreateFileFolders(char *target, const char *name)
{
    if (strchr(name, '\\') == NULL)
        return 0;
    char *last = strrchr(target, '\\');
    *last = 0;
    ErrorCode error = CreateDirectoryPath(target);
    *last = '\\';
    return error;
}

static ErrorCode CopyFiles(WORD step)
{
    size_t prefixLength = strlen(progressText);
    WORD handled = 0;
    WORD subStepStart = 11;
    for (WORD i = 0; i < setup.fileCount; i++) {
        const FileEntry *entry = &setup.files[i];
        if (entry->kind == FILE_KIND_MAXIMAL_ONLY)
            continue;
        if (!BuildTargetPath(setup.pathBuffer, sizeof setup.pathBuffer, entry->kind, entry->name))
            return IDS_TARGET_CREATE;
        TrimSourceDir();
        AppendText(setup.sourceDir, sizeof setup.sourceDir, entry->name);
        CopyText(progressText + prefixLength, sizeof progressText - prefixLength, entry->name);
        ShowProgress((WORD)(10 + handled * step), progressText);

        int versioned = entry->kind >= FILE_KIND_SYSTEM && entry->kind <= FILE_KIND_SYSTEM_TOO;
        ErrorCode error = CreateFileFolders(setup.pathBuffer, entry->name);
        if (error == 0 && (!versioned || ShouldCopyByVersion(setup.sourceDir, setup.pathBuffer)))
            error = CopyFileWithProgress(setup.sourceDir, setup.pathBuffer, subStepStart,
                                         step > 2 ? (WORD)(step - 2) : 0);
        if (error != 0)
            return error;
        handled++;
        subStepStart = (WORD)(subStepStart + step);
    }
    return 0;
}

static ErrorCode WriteRecords()
{
    if (!WritePrivateProfileStringA("INSTALL", "WIN32", "1", setup.publicationIniPath))
        return IDS_INI_WRITE;
    const char *path = setup.installType == INSTALL_MAXIMAL ? setup.installDir : setup.sourceDir;
    if (!WritePrivateProfileStringA("SETING", "PATH", path, setup.publicationIniPath))
        return IDS_INI_WRITE;
    return 0;
}

static ErrorCode CreateShortcuts()
{
    if (!setup.createGroup && !setup.createDesktopIcon)
        return 0;
    CopyText(shortcutDir, sizeof shortcutDir, setup.installDir);
    StripTrailingBackslash(shortcutDir, 3);
    if (setup.createGroup) {
        ShowProgress(98, LoadText(IDS_STEP_GROUP));
        WORD result = CreateProgramGroup(setup.groupName, setup.files, setup.fileCount,
                                         shortcutDir, shortcutDir, shortcutDir);
        if (result != 0)
            return (ErrorCode)(result + 15);
    }
    if (setup.createDesktopIcon) {
        ShowProgress(99, LoadText(IDS_STEP_DESKTOP));
        const FileEntry *first = &setup.files[0];
        WORD result = CreateDesktopShortcut(first->shortcutName, shortcutDir, first->name,
                                            first->iconFile, shortcutDir, shortcutDir);
        if (result != 0)
            return (ErrorCode)(result + 15);
    }
    return 0;
}

static ErrorCode RunSteps()
{
    WORD step = ProgressStep(CountFilesToCopy());
    CopyText(progressText, sizeof progressText, LoadText(IDS_COPYING));
    if (!setup.quiet)
        setup.progressDialog = CreateDialogParamA(setup.hInstance, MAKEINTRESOURCEA(PAGE_PROGRESS),
                                                  NULL, DialInstDlgProc, 0);
    ShowProgress(0, LoadText(IDS_STEP_DIRECTORIES));

    ErrorCode error = PrepareInstallDir();
    if (error == 0)
        error = CopyFiles(step);
    if (error != 0)
        return error;
    ShowProgress(95, LoadText(IDS_STEP_SETTINGS));
    TrimSourceDir();
    error = WriteRecords();
    if (error == 0)
        error = CreateShortcuts();
    if (error == 0)
        ShowProgress(100, "");
    return error;
}

ErrorCode RunInstallation()
{
    if (setup.installType == INSTALL_MAXIMAL)
        MarkKinds(FILE_KIND_MAXIMAL_ONLY, FILE_KIND_TRANSIENT);
    ErrorCode result = RunSteps();
    if (result != 0)
        ShowMessageId(result);
    else if (!setup.quiet)
        MessageBeep(MB_OK);   // the default sound

    TrimSourceDir();
    if (setup.progressDialog) {
        DestroyWindow(setup.progressDialog);
        setup.progressDialog = NULL;
    }
    if (setup.installType == INSTALL_MAXIMAL)
        MarkKinds(FILE_KIND_TRANSIENT, FILE_KIND_MAXIMAL_ONLY);
    return result;
}
