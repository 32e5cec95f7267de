// DLLs loaded at run time, always from the system directory.
#ifndef TALVIREX_SYSTEM_LIBRARY_H
#define TALVIREX_SYSTEM_LIBRARY_H

#include <windows.h>

// Loads the DLL of this file name from the system directory by its full path,
// never from the executable's folder or the current directory. NULL when it
// is not there or does not load; no error box either way.
HMODULE LoadSystemLibrary(const char *name);

#endif
