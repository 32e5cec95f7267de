// The helper that finishes a removal: a running executable cannot delete
// itself, so a copy of it in a temporary directory waits for the original to
// end and deletes it with its folder.
#ifndef TALVIREX_SELF_REMOVAL_H
#define TALVIREX_SELF_REMOVAL_H

#include <windows.h>

#include "base/setup_state.h"

// Starts a copy of the running executable, in a folder made for it in the Windows
// directory's TEMP, that waits for this process to end, then deletes the
// executable in sourceDir (the program folder) and removes that folder and
// its empty parents (RemoveEmptyFolders). 1 when it started.
int StartRemovalHelper();

// The helper's command line: the quoted helper path, -W, the original
// process's handle in hexadecimal, then the quoted program folder.
// The length written, or -1 when it does not fit size bytes.
int FormatHelperCommand(char *buffer, size_t size, const char *helper, HANDLE original, const char *directory);

// Reads a helper's command line without its program name ("-W<hex> \"<dir>\"").
// 1 when commandLine is one, with handle and directory (size bytes) filled.
int ParseHelperCommand(const char *commandLine, HANDLE *handle, char *directory, size_t size);

// The whole run of a helper, when commandLine is a helper's: 1, else 0.
int RunRemovalHelper(const char *commandLine);

// Deletes the helpers that earlier removals left in the Windows directory's
// TEMP, with their folders; a folder that is a link stays.
void DeleteRemovalLeftovers();

#endif
