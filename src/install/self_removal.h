// The helper that finishes a removal: a running executable cannot delete
// itself, so a copy of it in a temporary directory waits for the original to
// end and deletes it with its folder.
#ifndef TALVIREX_SELF_REMOVAL_H
#define TALVIREX_SELF_REMOVAL_H

#include <windows.h>

#include "base/setup_state.h"

// Starts a copy of the running executable from the temporary directory that
// waits for this process to end, then deletes installDir's executable and
// removes installDir and its empty parents. 1 when it started.
int StartRemovalHelper();

// The helper's command line: the quoted helper path, -W, the original
// process's handle in hexadecimal, then the quoted installation directory.
// The length written, or -1 when it does not fit size bytes.
int FormatHelperCommand(char *buffer, size_t size, const char *helper, HANDLE original, const char *directory);

// Reads a helper's command line without its program name ("-W<hex> \"<dir>\"").
// 1 when commandLine is one, with handle and directory (size bytes) filled.
int ParseHelperCommand(const char *commandLine, HANDLE *handle, char *directory, size_t size);

// The whole run of a helper, when commandLine is a helper's: 1, else 0.
int RunRemovalHelper(const char *commandLine);

// Deletes the helpers that earlier removals left in the temporary directory.
void DeleteRemovalLeftovers();

#endif
