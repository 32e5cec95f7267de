// Sizes in KB and their display in MB.
#ifndef TALVIREX_SIZES_H
#define TALVIREX_SIZES_H

#include <windows.h>

// Whole megabytes and hundredths (both truncated) of a size in KB.
void SplitKbToMb(DWORD kb, DWORD *megabytes, UINT *hundredths);

// KB of a file of the 64-bit size sizeHigh:sizeLow, as bytes / 1024 + 1,
// saturating at the largest DWORD.
DWORD KbOfSize(DWORD sizeHigh, DWORD sizeLow);

// The whole 64-bit size of an open file; 0 when it cannot be read.
int ReadFileSize(HANDLE file, ULONGLONG *size);

// a + b, saturating at the largest DWORD.
DWORD AddKb(DWORD a, DWORD b);

#endif
