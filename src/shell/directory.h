// Directories on the user's drives: their full form and their creation.
#ifndef TALVIREX_DIRECTORY_H
#define TALVIREX_DIRECTORY_H

#include <windows.h>

#include "base/setup_state.h"

// Makes sure the directory exists, creating every missing level.
// Returns 0, 5 (bad path), 11 (cannot create) or 14 (a file is in the way).
ErrorCode CreateDirectoryPath(const char *path);

// The full form of the first length characters of directory (relative ones
// against the current directory; a drive letter alone names the drive's
// root), ending in a backslash, into folder (size bytes). One trailing
// backslash of directory is ignored. 0 when it cannot be resolved or would be
// longer than MAX_PATH_CHARS.
int FullFolderOf(const char *directory, size_t length, char *folder, size_t size);

#endif
