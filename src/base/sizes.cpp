#include "base/sizes.h"

void SplitKbToMb(DWORD kb, DWORD *megabytes, UINT *hundredths)
{
    *megabytes = kb / 1024;
    *hundredths = (UINT)((kb % 1024) * 100 / 1024);
}
