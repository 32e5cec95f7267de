// The -U command: removing the publication installed in the executable's folder.
#ifndef TALVIREX_REMOVE_COMMAND_H
#define TALVIREX_REMOVE_COMMAND_H

#include "base/setup_state.h"

// Asks, removes and tells the outcome; every message goes through
// ShowMessageId or ShowMessageIdWith. 0 when the publication was removed,
// else the ID of the message shown (IDS_REMOVE_DECLINED, shown by none, when
// the user answered No).
ErrorCode RemovePublication();

// The command line of the helper that finishes a removal: -W, the original
// process's handle in hexadecimal, then the quoted installation directory.
// 1 when commandLine is one, with handle and directory (size bytes) filled.
int ParseHelperCommand(const char *commandLine, HANDLE *handle, char *directory, size_t size);

// The whole run of a helper, when commandLine is a helper's: 1, else 0.
int RunRemovalHelper(const char *commandLine);

#endif
