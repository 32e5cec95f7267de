#include "shell/system_library.h"

#include "base/text.h"

HMODULE LoadSystemLibrary(const char *name)
{
    char path[MAX_PATH + 1];
    UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path || !EnsureTrailingBackslash(path, sizeof path)
        || !AppendText(path, sizeof path, name) || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return NULL;
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path);
    SetErrorMode(oldMode);
    return module;
}
