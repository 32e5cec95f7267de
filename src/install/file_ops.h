// File copying with progress, directory creation, free space and the
// progress report of the progress page.
#ifndef TALVIREX_FILE_OPS_H
#define TALVIREX_FILE_OPS_H

#include <windows.h>

#include "app/setup_state.h"

enum {
    COPY_BUFFER_SIZE = 8192,
    DIRECTORY_BUFFER_SIZE = 264,
    PROGRESS_SET_PERCENT = WM_USER + 100   // message of the percentage bar
};

extern BYTE copyBuffer[COPY_BUFFER_SIZE];

// Copies source to destination; sub-steps of the progress bar start at
// startPercent, the file divided into steps parts (0 or 100 and more: none).
// Returns 0, 8 (source), 9 (destination) or 10 (size, read or write).
ErrorCode CopyFileWithProgress(const char *source, const char *destination, WORD startPercent, WORD steps);

// Bytes per progress sub-step of a copy.
DWORD CopyThreshold(DWORD size, WORD steps);

// Makes sure the directory exists, creating every missing level.
// Returns 0, 5 (bad path), 11 (cannot create) or 14 (a file is in the way).
ErrorCode CreateDirectoryPath(const char *path);

// Free space of a drive in KB, 0 when it cannot be measured.
DWORD GetDriveFreeKb(char driveLetter);

// Free KB from a drive's geometry, at most 2147483647.
DWORD FreeKbFromGeometry(DWORD bytesPerSector, DWORD sectorsPerCluster, DWORD freeClusters);

// Moves the bar of the progress page to percent and, with a text, sets its
// file line and pauses. Returns the bar's percentage afterwards.
LRESULT ShowProgress(WORD percent, const char *text);

#endif
