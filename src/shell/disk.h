// Directories and free space on the user's drives.
#ifndef TALVIREX_DISK_H
#define TALVIREX_DISK_H

#include <windows.h>

#include "base/setup_state.h"

// Makes sure the directory exists, creating every missing level.
// Returns 0, 5 (bad path), 11 (cannot create) or 14 (a file is in the way).
ErrorCode CreateDirectoryPath(const char *path);

// The folder of path's full form, ending in a backslash, into setup.pathBuffer.
// path names a file in it (a dummy name serves). 0 when it cannot be resolved or
// would be longer than MAX_PATH_CHARS.
int FullFolderOf(const char *path);

// Free space of a drive in KB, 0 when it cannot be measured.
DWORD GetDriveFreeKb(char driveLetter);

// Free KB from a drive's geometry, at most 2147483647.
DWORD FreeKbFromGeometry(DWORD bytesPerSector, DWORD sectorsPerCluster, DWORD freeClusters);

#endif
