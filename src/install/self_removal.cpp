// A running executable cannot delete itself. A copy in a temporary
// directory waits for the original to end and deletes it with its folder; the
// copy itself goes at the next start of any installer, or at the next restart
// where the system can schedule that.
//
// The copy runs with this process's rights, which are an administrator's: it
// goes into the Windows directory's TEMP, where another user may make files
// but not change or replace one that an administrator made. The user's own
// temporary folder, which any of the user's programs may change, is taken
// only where that cannot be used.
#include "install/self_removal.h"

#include "base/text.h"
#include "install/removal.h"
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

enum { SYSTEM_TEMP = 0, USER_TEMP = 1, TEMP_KINDS = 2 };

static const char kSystemTempName[] = "TEMP\\";

// The Windows directory's TEMP or the user's temporary folder, into tempDir.
static int ReadTempDir(int kind)
{
    DWORD n = kind == SYSTEM_TEMP ? GetWindowsDirectoryA(tempDir, sizeof tempDir)
                                  : GetTempPathA(sizeof tempDir, tempDir);
    if (n == 0 || n >= sizeof tempDir || !EnsureTrailingBackslash(tempDir, sizeof tempDir))
        return 0;
    return kind != SYSTEM_TEMP || AppendText(tempDir, sizeof tempDir, kSystemTempName);
}

// Copies the running executable to a name of its own in a temporary directory
// of the given kind; never over a file that is already there.
static int CopyToTempOf(int kind)
{
    DWORD n = GetModuleFileNameA(NULL, ownPath, sizeof ownPath);
    if (n == 0 || n >= sizeof ownPath || !ReadTempDir(kind))
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

static int CopyToTemp()
{
    return CopyToTempOf(SYSTEM_TEMP) || CopyToTempOf(USER_TEMP);
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
    if (FormatHelperCommand(helperCommand, sizeof helperCommand, helperPath, self, removalDir) >= 0) {
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

int FormatHelperCommand(char *buffer, size_t size, const char *helper, HANDLE original, const char *directory)
{
    return FormatText(buffer, size, "\"%s\" -W%lX \"%s\"", helper, (unsigned long)(ULONG_PTR)original, directory);
}

static int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int ParseHelperCommand(const char *commandLine, HANDLE *handle, char *directory, size_t size)
{
    if (commandLine == NULL || commandLine[0] != '-' || commandLine[1] != 'W')
        return 0;
    const char *p = commandLine + 2;
    ULONG_PTR value = 0;
    int digits = 0;
    for (; HexDigit(*p) >= 0; p++, digits++)
        value = value * 16 + (ULONG_PTR)HexDigit(*p);
    if (digits == 0 || digits > 8 || p[0] != ' ' || p[1] != '"')
        return 0;
    const char *start = p + 2;
    const char *end = start;
    while (*end != 0 && *end != '"')
        end++;
    size_t length = (size_t)(end - start);
    if (*end != '"' || end[1] != 0 || length == 0 || length >= size || length > MAX_PATH_CHARS)
        return 0;
    CopyText(directory, length + 1, start);
    *handle = (HANDLE)value;
    return 1;
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

// The helper's work: process is the original, directory its installDir.
static void FinishRemoval(HANDLE process, const char *directory)
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
    for (int kind = SYSTEM_TEMP; kind < TEMP_KINDS; kind++) {
        if (!ReadTempDir(kind) || !JoinText(helperPath, sizeof helperPath, tempDir, kHelperPattern))
            continue;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(helperPath, &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            // A helper still at work cannot be deleted and is left for the next time.
            if (JoinText(helperPath, sizeof helperPath, tempDir, found.cFileName))
                DeleteFileA(helperPath);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
}

static char helperDirectory[PATH_TEXT_SIZE];

int RunRemovalHelper(const char *commandLine)
{
    HANDLE original = NULL;
    if (!ParseHelperCommand(commandLine, &original, helperDirectory, sizeof helperDirectory))
        return 0;
    FinishRemoval(original, helperDirectory);
    return 1;
}
