#include "shell/system_library.h"

#include "base/text.h"

// A buffer of the program's rather than of the stack: no stack guard needed.
static char path[MAX_PATH + 1];

HMODULE LoadSystemLibrary(const char *name)
{
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path || !EnsureTrailingBackslash(path, sizeof path)
        || !AppendText(path, sizeof path, name) || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return NULL;
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The DLL's own imports come from its folder too, not from the executable's,
    // where SetDefaultDllDirectories is missing (before Windows 8 or its update).
    HMODULE module = LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(oldMode);
    return module;
}
