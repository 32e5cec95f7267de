// A running executable cannot delete itself. A copy in a temporary
// directory waits for the original to end and deletes it with its folder; the
// copy itself goes at the next start of any installer, or at the next restart
// where the system can schedule that.
//
// The copy runs with this process's rights, which are an administrator's: it
// goes into a folder that this process makes anew, under a name nobody can
// foresee, in the Windows directory's TEMP, where another user may make
// files and folders but not change one that an administrator made. Never in
// the user's own temporary folder, which any of the user's programs may change.
#include "install/self_removal.h"

#include <string.h>

#include "base/text.h"
#include "install/removal.h"
#include "install/registration.h"

static const char kHelperPattern[] = "~TVX*";

enum {
    HELPER_NAME_ATTEMPTS = 64,
    DELETE_ATTEMPTS = 50,
    DELETE_RETRY_MS = 100
};

static char tempDir[PATH_TEXT_SIZE];
static char ownPath[PATH_TEXT_SIZE];
static char helperDir[PATH_TEXT_SIZE];
static char helperPath[PATH_TEXT_SIZE];
static char helperCommand[3 * PATH_TEXT_SIZE];
static char removalDir[PATH_TEXT_SIZE];

// The Windows directory's TEMP, ending in a backslash, into tempDir.
static int ReadTempDir()
{
    DWORD n = GetWindowsDirectoryA(tempDir, sizeof tempDir);
    return n != 0 && n < sizeof tempDir && EnsureTrailingBackslash(tempDir, sizeof tempDir) &&
           AppendText(tempDir, sizeof tempDir, "TEMP\\");
}

typedef BOOLEAN(WINAPI *RandomProc)(PVOID buffer, ULONG length);

// 32 bits from the system's random generator (Windows XP and later); before
// it, from the performance counter.
static DWORD RandomNumber()
{
    DWORD value = 0;
    RandomProc random = (RandomProc)(void *)GetProcAddress(GetModuleHandleA("advapi32.dll"), "SystemFunction036");
    if (random == NULL || !random(&value, sizeof value)) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        value = counter.LowPart ^ ((DWORD)counter.HighPart << 20) ^ GetTickCount();
    }
    return value;
}

// Copies the running executable into a folder made for it alone in TEMP; a
// folder of that name that stands there already is never used.
// On failure, helperDir and helperPath name only what this process made.
static int CopyToTemp()
{
    helperPath[0] = 0;
    DWORD n = GetModuleFileNameA(NULL, ownPath, sizeof ownPath);
    int ready = n != 0 && n < sizeof ownPath && ReadTempDir();
    for (int attempt = 0; ready && attempt < HELPER_NAME_ATTEMPTS; attempt++) {
        if (FormatText(helperDir, sizeof helperDir, "%s~TVX%08X\\", tempDir, (unsigned)RandomNumber()) < 0)
            break;
        if (CreateDirectoryA(helperDir, NULL))
            return JoinText(helperPath, sizeof helperPath, helperDir, kInstallerName) &&
                   CopyFileA(ownPath, helperPath, TRUE);
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    helperDir[0] = 0;
    return 0;
}

// The program folder without its trailing backslash, into removalDir.
static int FormRemovalDir(const char *directory)
{
    if (!CopyText(removalDir, sizeof removalDir, directory))
        return 0;
    StripTrailingBackslash(removalDir, 3);
    return 1;
}

int StartRemovalHelper()
{
    TrimSourceDir();
    if (!FormRemovalDir(setup.sourceDir))
        return 0;
    int started = 0;
    // The helper inherits a handle on this process, which it waits for.
    HANDLE self = NULL;
    if (CopyToTemp() && DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                                        SYNCHRONIZE, TRUE, 0)) {
        if (FormatHelperCommand(helperCommand, sizeof helperCommand, helperPath, self, removalDir) >= 0) {
            STARTUPINFOA startup;
            ZeroMemory(&startup, sizeof startup);
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process;
            // Started in its own folder, so that it holds no folder it removes.
            if (CreateProcessA(helperPath, helperCommand, NULL, NULL, TRUE, 0, NULL, helperDir, &startup,
                               &process)) {
                CloseHandle(process.hThread);
                CloseHandle(process.hProcess);
                started = 1;
            }
        }
        CloseHandle(self);
    }
    if (!started) {
        DeleteFileA(helperPath);
        RemoveDirectoryA(helperDir);
    }
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

// The helper's work: process is the original, directory its program folder.
static void FinishRemoval(HANDLE process, const char *directory)
{
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    if (FormRemovalDir(directory) && JoinText(ownPath, sizeof ownPath, removalDir, "\\") &&
        AppendText(ownPath, sizeof ownPath, kInstallerName)) {
        DeleteSoon(ownPath);
        RemoveEmptyFolders(removalDir);
    }

    // Windows 95 and 98 have no MoveFileExA; the next start deletes them there.
    DWORD n = GetModuleFileNameA(NULL, helperPath, sizeof helperPath);
    if (n != 0 && n < sizeof helperPath) {
        MoveFileExA(helperPath, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
        *strrchr(helperPath, '\\') = 0;
        MoveFileExA(helperPath, NULL, MOVEFILE_DELAY_UNTIL_REBOOT);
    }
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
        // A helper's folder: one that is a link leads elsewhere and stays.
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) !=
                FILE_ATTRIBUTE_DIRECTORY ||
            FormatText(helperPath, sizeof helperPath, "%s%s\\%s", tempDir, found.cFileName, kInstallerName) < 0)
            continue;
        // A helper still at work cannot be deleted and is left for the next time.
        DeleteFileA(helperPath);
        *strrchr(helperPath, '\\') = 0;
        RemoveDirectoryA(helperPath);
    } while (FindNextFileA(search, &found));
    FindClose(search);
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
