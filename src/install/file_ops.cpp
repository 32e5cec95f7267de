#include "install/file_ops.h"

#include "base/names.h"
#include "base/sizes.h"
#include "base/text.h"
#include "resource.h"
#include "ui/progress.h"

BYTE copyBuffer[COPY_BUFFER_SIZE];

// The copy is written here first and put in the destination's place only
// when it is complete, so that a failed copy never costs the file that was there.
static char copyTempPath[PATH_BUFFER_SIZE];

enum { TEMP_NAME_ATTEMPTS = 64 };

// A threshold no file reaches: the copy makes no sub-steps.
static const ULONGLONG NO_SUB_STEPS = ~(ULONGLONG)0;

ULONGLONG CopyThreshold(ULONGLONG size, WORD steps)
{
    if (steps < 1 || steps > 99)
        return NO_SUB_STEPS;
    // Long division in 16-bit digits: each partial dividend stays below
    // 99 << 16, so 32-bit division is enough and the 32-bit build needs no
    // 64-bit division routine here.
    ULONGLONG quotient = 0;
    DWORD rest = 0;
    for (int shift = 48; shift >= 0; shift -= 16) {
        DWORD part = (rest << 16) | (DWORD)(size >> shift & 0xFFFF);
        quotient = (quotient << 16) | part / steps;
        rest = part % steps;
    }
    return quotient;
}

// Creates a new, empty file beside destination, named in copyTempPath.
static HANDLE CreateTempBeside(const char *destination)
{
    size_t directoryLength = (size_t)(NameInPath(destination) - destination);
    if (directoryLength + 1 > sizeof copyTempPath)
        return INVALID_HANDLE_VALUE;
    CopyText(copyTempPath, directoryLength + 1, destination);
    char *name = copyTempPath + directoryLength;
    DWORD seed = GetTickCount() ^ GetCurrentProcessId();
    for (int attempt = 0; attempt < TEMP_NAME_ATTEMPTS; attempt++) {
        if (FormatText(name, sizeof copyTempPath - directoryLength, "~tvx%04X.tmp",
                       (unsigned)((seed + attempt) & 0xFFFF)) < 0)
            return INVALID_HANDLE_VALUE;
        HANDLE file = CreateFileA(copyTempPath, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return INVALID_HANDLE_VALUE;
    }
    return INVALID_HANDLE_VALUE;
}

// Puts the finished copy in the destination's place in one step.
static BOOL ReplaceDestination(const char *destination)
{
    if (MoveFileExA(copyTempPath, destination, MOVEFILE_REPLACE_EXISTING))
        return TRUE;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return FALSE;
    // Windows 95 and 98 have no MoveFileExA: delete, then rename.
    DWORD attributes = GetFileAttributesA(destination);
    if (attributes != INVALID_FILE_ATTRIBUTES && !DeleteFileA(destination))
        return FALSE;
    return MoveFileA(copyTempPath, destination);
}

// Moves every byte of source to target; ErrorCode 0 or 10.
static ErrorCode CopyBlocks(HANDLE source, HANDLE target, WORD percent, WORD steps)
{
    ULONGLONG size = 0;
    if (!ReadFileSize(source, &size))
        return IDS_DISK_ERROR;
    ULONGLONG threshold = CopyThreshold(size, steps);
    ULONGLONG accumulated = 0;
    ULONGLONG remaining = size;
    while (remaining != 0) {
        DWORD block = remaining < sizeof copyBuffer ? (DWORD)remaining : (DWORD)sizeof copyBuffer;
        remaining -= block;
        DWORD done = 0;
        if (!ReadFile(source, copyBuffer, block, &done, NULL) || done != block)
            return IDS_DISK_ERROR;
        if (!WriteFile(target, copyBuffer, block, &done, NULL) || done != block)
            return IDS_DISK_ERROR;
        accumulated += block;
        AnswerPendingMessages();
        if (accumulated >= threshold) {
            ShowProgress(percent, NULL);
            accumulated -= threshold;
            percent++;
        }
    }
    return 0;
}

// A copy that came out shorter or longer than its source must not replace anything.
static ErrorCode CompareLengths(HANDLE source, HANDLE target)
{
    ULONGLONG sourceSize = 0;
    ULONGLONG targetSize = 0;
    if (!ReadFileSize(source, &sourceSize) || !ReadFileSize(target, &targetSize) || sourceSize != targetSize)
        return IDS_DISK_ERROR;
    return 0;
}

ErrorCode CopyFileWithProgress(const char *source, const char *destination, WORD startPercent, WORD steps)
{
    HANDLE in = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
    if (in == INVALID_HANDLE_VALUE)
        return IDS_SOURCE_OPEN;
    FILETIME lastWrite;
    BOOL haveTime = GetFileTime(in, NULL, NULL, &lastWrite);

    // A destination that cannot be replaced is refused before any data moves.
    DWORD attributes = GetFileAttributesA(destination);
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        CloseHandle(in);
        return IDS_TARGET_CREATE;
    }
    HANDLE out = CreateTempBeside(destination);
    if (out == INVALID_HANDLE_VALUE) {
        CloseHandle(in);
        return IDS_TARGET_CREATE;
    }

    ErrorCode result = CopyBlocks(in, out, startPercent, steps);
    if (result == 0)
        result = CompareLengths(in, out);
    CloseHandle(in);
    if (haveTime)
        SetFileTime(out, NULL, NULL, &lastWrite);
    CloseHandle(out);

    if (result == 0 && !ReplaceDestination(destination))
        result = IDS_TARGET_CREATE;
    if (result != 0)
        DeleteFileA(copyTempPath);
    return result;
}
