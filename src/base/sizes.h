// Sizes in KB and their display in MB.
#ifndef TALVIREX_SIZES_H
#define TALVIREX_SIZES_H

#include <windows.h>

// Whole megabytes and hundredths (both truncated) of a size in KB.
void SplitKbToMb(DWORD kb, DWORD *megabytes, UINT *hundredths);

#endif
