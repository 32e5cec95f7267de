// File copying with progress sub-steps.
#ifndef TALVIREX_FILE_OPS_H
#define TALVIREX_FILE_OPS_H

#include <windows.h>

#include "base/setup_state.h"

enum { COPY_BUFFER_SIZE = 8192 };

extern BYTE copyBuffer[COPY_BUFFER_SIZE];

// Copies source to destination; sub-steps of the progress bar start at
// startPercent, the file divided into steps parts (0 or 100 and more: none).
// Returns 0, 8 (source), 9 (destination) or 10 (size, read or write, or a
// copy whose length differs from the source's).
ErrorCode CopyFileWithProgress(const char *source, const char *destination, WORD startPercent, WORD steps);

// Bytes per progress sub-step of a copy of size bytes.
ULONGLONG CopyThreshold(ULONGLONG size, WORD steps);

#endif
