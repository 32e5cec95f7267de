#include "shell/directory.h"

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

// The directory with a dummy file name appended, so that the system resolves
// it as that file's folder; a drive letter alone then names the drive's root.
static char folderProbe[PATH_TEXT_SIZE];
static const char kDummyFileName[] = "\\w.w";

// Where the resolved file name starts; the program's rather than the stack's.
static char *filePart;

int FullFolderOf(const char *directory, size_t length, char *folder, size_t size)
{
    if (length + 1 > sizeof folderProbe)
        return 0;
    memcpy(folderProbe, directory, length);
    folderProbe[length] = 0;
    StripTrailingBackslash(folderProbe, 0);
    if (!AppendText(folderProbe, sizeof folderProbe, kDummyFileName))
        return 0;
    filePart = NULL;
    DWORD limit = size < MAX_PATH_CHARS + 1 ? (DWORD)size : MAX_PATH_CHARS + 1;
    DWORD resolved = GetFullPathNameA(folderProbe, limit, folder, &filePart);
    if (resolved == 0 || filePart == NULL || resolved >= limit)
        return 0;
    *filePart = 0;
    return 1;
}
