#include "app/wizard.h"

#include <string.h>

#include "app/command_line.h"
#include "app/quiet.h"
#include "app/remove_command.h"
#include "app/single_run.h"
#include "base/messages.h"
#include "base/quiet_log.h"
#include "base/text.h"
#include "description/description.h"
#include "install/registration.h"
#include "install/removal.h"
#include "install/run.h"
#include "install/self_removal.h"
#include "resource.h"
#include "shell/profile_path.h"
#include "shell/running.h"
#include "ui/controls.h"
#include "ui/folder_chooser.h"
#include "ui/page_helpers.h"
#include "ui/page_proc.h"

int IsUnsupportedSystem(DWORD platformId, DWORD majorVersion)
{
    return platformId == VER_PLATFORM_WIN32s ||
           (platformId == VER_PLATFORM_WIN32_NT && majorVersion == 3);
}

PageId PageAfter(PageId page, WORD endCode, BYTE createGroup)
{
    if (endCode == END_BACK) {
        if (page == PAGE_CONFIRM && !createGroup)
            page -= 1;
        page -= 2;
        endCode = END_NEXT;
    }
    if (endCode != END_NEXT)
        return 0;
    if (page == PAGE_TARGET && !createGroup)
        page += 1;
    return (PageId)(page + 1);
}

static int SystemIsSupported()
{
    OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof version;
    if (GetVersionExA(&version) && IsUnsupportedSystem(version.dwPlatformId, version.dwMajorVersion)) {
        ShowMessageId(IDS_OLD_SYSTEM);
        return 0;
    }
    return 1;
}

// Reads the Windows or system directory; 0 when the system gives none.
static int ReadSystemDirectory(UINT (WINAPI *read)(LPSTR, UINT), char *directory, size_t size)
{
    if (read(directory, MAX_PATH_CHARS + 1) == 0)
        return 0;
    EnsureTrailingBackslash(directory, size);
    return 1;
}

// The executable's directory with its trailing backslash.
static int ReadSourceDirectory()
{
    DWORD n = GetModuleFileNameA(setup.hInstance, setup.sourceDir, sizeof setup.sourceDir);
    if (n == 0 || n >= sizeof setup.sourceDir)
        return 0;
    char *slash = strrchr(setup.sourceDir, '\\');
    if (!slash)
        return 0;
    slash[1] = 0;
    setup.sourceDirLen = (DWORD)(slash + 1 - setup.sourceDir);
    return 1;
}

// The path that the folder chooser names the description by.
static char chosenDescription[CHOOSER_BUFFER_SIZE];

int ReadMediumDescription()
{
    int result = ReadDescriptionFile();
    if (result != DESCRIPTION_MISSING)
        return result;
    ShowMessageId(IDS_NOT_ON_MEDIUM);
    // A quiet run has no one to ask: it ends with message 103 as its code.
    if (setup.quiet || !LocateMedium(chosenDescription, kDescriptionName)) {
        ShowMessageId(IDS_NO_MEDIUM);
        return 0;
    }
    char *lastBackslash = strrchr(chosenDescription, '\\');
    if (lastBackslash != NULL)
        lastBackslash[1] = 0;
    else
        chosenDescription[0] = 0;
    CopyText(setup.sourceDir, sizeof setup.sourceDir, chosenDescription);
    setup.sourceDirLen = (DWORD)TextLength(setup.sourceDir);
    result = ReadDescriptionFile();
    if (result == DESCRIPTION_MISSING)
        ShowMessageId(IDS_NO_MEDIUM);
    return result == DESCRIPTION_READ;
}

static int StartUp(const char *commandLine)
{
    if (!SystemIsSupported())
        return 0;
    if (!EnumWindows(SearchInstEnum, 0) || !ClaimSingleRun()) {
        ShowMessageId(IDS_ALREADY_RUNNING);
        return 0;
    }
    if (!RegisterWindowClasses() ||
        !ReadSystemDirectory(GetWindowsDirectoryA, setup.windowsDir, sizeof setup.windowsDir) ||
        !ReadSystemDirectory(GetSystemDirectoryA, setup.systemDir, sizeof setup.systemDir) ||
        !ReadSourceDirectory()) {
        ShowMessageId(IDS_INIT_FAILED);
        return 0;
    }
    ParseCommandLine(commandLine);
    if (setup.removeMode) {
        // The publication whose entry names the executable's own folder, whatever -S says.
        if (ReadSourceDirectory())
            RemovePublication();
        return 0;
    }
    if (!ReadMediumDescription())
        return 0;
    // The run resolves every relative path against C:\, whoever started it: the
    // INI file's path is fixed here once, for the run, -C and the entry.
    SetCurrentDirectoryA("C:\\");
    if (!ResolveProfilePath(setup.publicationIni, setup.windowsDir, setup.publicationIniPath,
                            sizeof setup.publicationIniPath)) {
        ShowMessageId(IDS_BAD_DESCRIPTION);
        return 0;
    }
    if (setup.skipIfInstalled &&
        GetPrivateProfileIntA("INSTALL", "WIN32", 0, setup.publicationIniPath) == 1) {
        LogLine(LoadText(IDS_ALREADY_INSTALLED));
        return 0;
    }
    return 1;
}

static INT_PTR ShowPage(PageId page)
{
    setup.currentPage = page;
    return DialogBoxParamA(setup.hInstance, MAKEINTRESOURCEA(page), NULL, DialInstDlgProc, 0);
}

// Shows the pages until the user confirms the last one (END_NEXT) or the
// sequence ends otherwise; returns the end code.
static WORD RunPageSequence()
{
    PageId page = PAGE_WELCOME;
    for (;;) {
        if (page > PAGE_CONFIRM)
            return END_NEXT;
        WORD endCode = (WORD)ShowPage(page);
        PageId next = PageAfter(page, endCode, setup.createGroup);
        if (next == 0)
            return endCode;
        page = next;
    }
}

static void RunWizard()
{
    setup.whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
    if (RunPageSequence() == END_NEXT) {
        setup.currentPage = PAGE_PROGRESS;
        setup.installResult = RunInstallation() == 0 ? RESULT_INSTALLED : RESULT_FAILED;
        // The publication stands even when it cannot be entered in the list of programs.
        if (setup.installResult == RESULT_INSTALLED)
            RegisterInstallation(kDescriptionName);
    } else {
        setup.installResult = RESULT_CANCELLED;
    }
    // The log's last line: the quiet run's success text, or the finish page's outcome.
    LogMessageIdWith(setup.installResult == RESULT_INSTALLED ? IDS_SUCCESS : IDS_FINISH_STATUS + setup.installResult,
                     setup.title);
    ShowPage(PAGE_FINISH);

    if (setup.whiteBrush)
        DeleteObject(setup.whiteBrush);
    if (setup.titleFont)
        DeleteObject(setup.titleFont);
}

int RunSetup(const char *commandLine)
{
    DeleteRemovalLeftovers();
    if (RunRemovalHelper(commandLine))
        return 0;
    // The quiet options first: the start-up checks' messages are quiet too.
    ParseQuietOptions(commandLine);
    OpenQuietLog();
    if (StartUp(commandLine)) {
        if (setup.quiet)
            InstallQuietly();
        else
            RunWizard();
    }
    CloseQuietLog();
    return setup.exitCode;
}
