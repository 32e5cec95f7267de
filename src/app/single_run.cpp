#include "app/single_run.h"

#include <windows.h>

// Global\ is the computer's namespace where terminal services give each
// session one of its own (Windows 2000 and later); elsewhere the plain name is
// already the computer's, and a backslash would be refused.
static const char kRunName[] = "Global\\TALVIREX.SingleRun";
enum { GLOBAL_PREFIX_LENGTH = 7 };

int ClaimSingleRun()
{
    DWORD version = GetVersion();
    const char *name = kRunName;
    if ((version & 0x80000000) != 0 || LOBYTE(LOWORD(version)) < 5)
        name += GLOBAL_PREFIX_LENGTH;
    // Never closed: the name is this run's until the process ends.
    HANDLE mutex = CreateMutexA(NULL, FALSE, name);
    // Refused access: it exists, made by a run of another user.
    if (mutex == NULL)
        return GetLastError() != ERROR_ACCESS_DENIED;
    return GetLastError() != ERROR_ALREADY_EXISTS;
}
