// A running executable cannot delete itself. A copy in the temporary
// directory waits for the original to end and deletes it with its folder; the
// copy itself goes at the next start of any installer, or at the next restart
// where the system can schedule that.
#include "install/removal.h"

#include "base/text.h"
#include "install/registration.h"
#include "shell/registry.h"

static const char kHelperPattern[] = "~TVXDEL*.EXE";
static const char kHelperFormat[] = "~TVXDEL%04X.EXE";

enum {
    HELPER_NAME_ATTEMPTS = 64,
    DELETE_ATTEMPTS = 50,
    DELETE_RETRY_MS = 100
};

static char tempDir[PATH_TEXT_SIZE];
static char ownPath[PATH_TEXT_SIZE];
static char helperPath[PATH_TEXT_SIZE];
static char helperCommand[3 * PATH_TEXT_SIZE];
static char removalDir[PATH_TEXT_SIZE];
static char stopDir[REGISTRY_TEXT_SIZE];

static int ReadTempDir()
{
    DWORD n = GetTempPathA(sizeof tempDir, tempDir);
    return n != 0 && n < sizeof tempDir && EnsureTrailingBackslash(tempDir, sizeof tempDir);
}

// Copies the running executable to a name of its own in the temporary directory.
static int CopyToTemp()
{
    DWORD n = GetModuleFileNameA(NULL, ownPath, sizeof ownPath);
    if (n == 0 || n >= sizeof ownPath || !ReadTempDir())
        return 0;
    DWORD seed = GetTickCount() ^ GetCurrentProcessId();
    for (int attempt = 0; attempt < HELPER_NAME_ATTEMPTS; attempt++) {
        char name[20];
        FormatText(name, sizeof name, kHelperFormat, (unsigned)((seed + attempt) & 0xFFFF));
        if (!JoinText(helperPath, sizeof helperPath, tempDir, name))
            return 0;
        if (CopyFileA(ownPath, helperPath, TRUE))
            return 1;
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return 0;
    }
    return 0;
}

// installDir without its trailing backslash, into removalDir.
static int FormRemovalDir(const char *directory)
{
    if (!CopyText(removalDir, sizeof removalDir, directory))
        return 0;
    StripTrailingBackslash(removalDir, 3);
    return 1;
}

int StartRemovalHelper()
{
    if (!FormRemovalDir(setup.installDir) || !CopyToTemp())
        return 0;
    // The helper inherits a handle on this process, which it waits for.
    HANDLE self = NULL;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, SYNCHRONIZE,
                         TRUE, 0))
        return 0;
    int started = 0;
    if (FormatText(helperCommand, sizeof helperCommand, "\"%s\" -W%lX \"%s\"", helperPath,
                   (unsigned long)(ULONG_PTR)self, removalDir) >= 0) {
        STARTUPINFOA startup;
        ZeroMemory(&startup, sizeof startup);
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process;
        // Started in the temporary directory, so that it holds no folder it removes.
        if (CreateProcessA(helperPath, helperCommand, NULL, NULL, TRUE, 0, NULL, tempDir, &startup,
                           &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            started = 1;
        }
    }
    CloseHandle(self);
    if (!started)
        DeleteFileA(helperPath);
    return started;
}

// The system may hold the file of a process that has just ended for a moment.
static void DeleteSoon(const char *path)
{
    for (int attempt = 0; attempt < DELETE_ATTEMPTS; attempt++) {
        if (DeleteFileA(path) || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            return;
        Sleep(DELETE_RETRY_MS);
    }
}

void FinishRemoval(HANDLE process, const char *directory)
{
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    if (FormRemovalDir(directory) && JoinText(ownPath, sizeof ownPath, removalDir, "\\") &&
        AppendText(ownPath, sizeof ownPath, kInstallerName)) {
        DeleteSoon(ownPath);
        // installDir, then each parent that is empty, up to the Program Files
        // directory, which stays even when empty.
        GetProgramFilesDir(stopDir);
        if (!EqualIgnoringAsciiCase(removalDir, stopDir)) {
            do {
                if (!RemoveDirectoryA(removalDir))
                    break;
            } while (NextDirectoryUp(removalDir, stopDir));
        }
    }

    // Windows 95 and 98 have no MoveFileExA; the next start deletes it there.
    DWORD n = GetModuleFileNameA(NULL, helperPath, sizeof helperPath);
    if (n != 0 && n < sizeof helperPath)
        MoveFileExA(helperPath, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
}

void DeleteRemovalLeftovers()
{
    if (!ReadTempDir() || !JoinText(helperPath, sizeof helperPath, tempDir, kHelperPattern))
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(helperPath, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        // A helper still at work cannot be deleted and is left for the next time.
        if (JoinText(helperPath, sizeof helperPath, tempDir, found.cFileName))
            DeleteFileA(helperPath);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
