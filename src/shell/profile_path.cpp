#include "shell/profile_path.h"

#include <windows.h>

#include "base/text.h"

int IsWindowsDirProfileName(const char *ini)
{
    return !ContainsAnyOf(ini, "\\/") && !(ini[0] != 0 && ini[1] == ':');
}

int ResolveProfilePath(const char *ini, const char *windowsDir, char *buffer, size_t size)
{
    DWORD limit = size < MAX_PATH ? (DWORD)size : MAX_PATH;
    if (ini[0] == 0)
        return 0;
    if (IsWindowsDirProfileName(ini))
        return JoinText(buffer, limit, windowsDir, ini);
    char *filePart;
    DWORD length = GetFullPathNameA(ini, limit, buffer, &filePart);
    return length != 0 && length < limit;
}
