// Product-version decisions for files bound for the Windows directories.
#ifndef TALVIREX_VERSION_H
#define TALVIREX_VERSION_H

#include <windows.h>

enum { VERSION_BLOCK_SIZE = 4196 };

struct VersionStamp {
    DWORD fileVersionMs;
    DWORD fileVersionLs;
    DWORD productVersionMs;
    DWORD productVersionLs;
};

extern BYTE versionBlock[VERSION_BLOCK_SIZE];

// 0 with the stamp filled; 1 no resource, unreadable file, no version functions or a resource over
// VERSION_BLOCK_SIZE; 2 the resource cannot be read; 3 no usable fixed part.
WORD ReadFileVersion(const char *path, VersionStamp *stamp);

// 1 when a's product version is higher than b's, 0 when equal, -1 when lower.
int CompareVersions(const VersionStamp *a, const VersionStamp *b);

// 1 to copy the source over the destination, 0 to leave the installed file.
int ShouldCopyByVersion(const char *source, const char *destination);

#endif
