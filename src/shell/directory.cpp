#include "shell/disk.h"

#include <string.h>

#include "base/text.h"
#include "resource.h"

static char directoryBuffer[PATH_TEXT_SIZE];

static int IsDirectory(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

ErrorCode CreateDirectoryPath(const char *path)
{
    size_t length = strnlen(path, MAX_PATH_CHARS + 1);
    if (length == 0 || length > MAX_PATH_CHARS)
        return IDS_BAD_TARGET;
    CopyText(directoryBuffer, sizeof directoryBuffer, path);

    while (length > 0 && (unsigned char)directoryBuffer[length - 1] <= ' ')
        directoryBuffer[--length] = 0;
    if (length == 0)
        return IDS_BAD_TARGET;
    length = StripTrailingBackslash(directoryBuffer, 0);

    DWORD attributes = GetFileAttributesA(directoryBuffer);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return IsDirectory(attributes) ? 0 : IDS_PATH_IS_FILE;

    // Walk back to the nearest existing level, cutting at each backslash.
    size_t existing = length;
    for (;;) {
        while (existing > 0 && directoryBuffer[existing - 1] != '\\')
            existing--;
        if (existing == 0)
            return IDS_BAD_TARGET;
        existing--;
        directoryBuffer[existing] = 0;
        attributes = GetFileAttributesA(directoryBuffer);
        if (attributes != INVALID_FILE_ATTRIBUTES)
            break;
    }
    if (!IsDirectory(attributes))
        return IDS_PATH_IS_FILE;

    // Walk forward, putting each backslash back and creating that level.
    while (existing < length) {
        directoryBuffer[existing] = '\\';
        size_t next = existing + 1;
        while (next < length && directoryBuffer[next] != 0)
            next++;
        if (!CreateDirectoryA(directoryBuffer, NULL))
            return IDS_DIR_CREATE;
        existing = next;
    }
    return 0;
}

// Where the resolved file name starts; the program's rather than the stack's.
static char *filePart;

int FullFolderOf(const char *path)
{
    filePart = NULL;
    DWORD length = GetFullPathNameA(path, MAX_PATH_CHARS + 1, setup.pathBuffer, &filePart);
    if (length == 0 || filePart == NULL || length > MAX_PATH_CHARS)
        return 0;
    *filePart = 0;
    return 1;
}
