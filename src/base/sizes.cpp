#include "base/sizes.h"

static const DWORD LARGEST_KB = 0xFFFFFFFF;
static const unsigned BYTES_PER_KB = 1024;

void SplitKbToMb(DWORD kb, DWORD *megabytes, UINT *hundredths)
{
    *megabytes = kb / 1024;
    *hundredths = (UINT)((kb % 1024) * 100 / 1024);
}

DWORD KbOfSize(DWORD sizeHigh, DWORD sizeLow)
{
    unsigned long long bytes = ((unsigned long long)sizeHigh << 32) | sizeLow;
    unsigned long long kb = bytes / BYTES_PER_KB + 1;
    return kb > LARGEST_KB ? LARGEST_KB : (DWORD)kb;
}

int ReadFileSize(HANDLE file, ULONGLONG *size)
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(file, &high);
    // All bits set in the low word is also a valid size; the error code tells.
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return 0;
    *size = ((ULONGLONG)high << 32) | low;
    return 1;
}

DWORD AddKb(DWORD a, DWORD b)
{
    return a > LARGEST_KB - b ? LARGEST_KB : a + b;
}
