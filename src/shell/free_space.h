// Free space on the user's drives.
#ifndef TALVIREX_FREE_SPACE_H
#define TALVIREX_FREE_SPACE_H

#include <windows.h>

// Free space of a drive in KB, 0 when it cannot be measured.
DWORD GetDriveFreeKb(char driveLetter);

// Free KB from a drive's geometry, at most 2147483647.
DWORD FreeKbFromGeometry(DWORD bytesPerSector, DWORD sectorsPerCluster, DWORD freeClusters);

#endif
