#include "shell/free_space.h"

// The largest free space reported, as a signed 32-bit count would hold it.
static const unsigned long long MAX_FREE_KB = 0x7FFFFFFF;

DWORD FreeKbFromGeometry(DWORD bytesPerSector, DWORD sectorsPerCluster, DWORD freeClusters)
{
    // 64 bits: a drive with 2 TB or more free would wrap a 32-bit count of
    // 512-byte units. Below that the result is the same as in 32 bits.
    unsigned long long unitsPerCluster = ((unsigned long long)bytesPerSector * sectorsPerCluster) >> 9;
    // The product wraps even 64 bits only for clusters of 2^41 bytes and more,
    // and a single free one of those is more than the largest count. Compared
    // rather than divided: the 32-bit build has no 64-bit division of its own.
    if (freeClusters != 0 && unitsPerCluster > ((MAX_FREE_KB << 1) | 1))
        return (DWORD)MAX_FREE_KB;
    unsigned long long kb = (unitsPerCluster * freeClusters) >> 1;
    return kb > MAX_FREE_KB ? MAX_FREE_KB : (DWORD)kb;
}

DWORD GetDriveFreeKb(char driveLetter)
{
    char root[4] = {driveLetter, ':', '\\', 0};
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return 0;
    return FreeKbFromGeometry(bytesPerSector, sectorsPerCluster, freeClusters);
}
