// The installation run: progress page, files, INI records, shortcuts.
#ifndef TALVIREX_RUN_H
#define TALVIREX_RUN_H

#include <windows.h>

#include "base/setup_state.h"

// Runs the installation; 0, or the ID of the message already shown.
ErrorCode RunInstallation();

// The destination of a file of the given kind: the system, Windows or
// installation directory followed by name. 1 when it fits the buffer
// (size bytes), 0 when the path would be too long.
int BuildTargetPath(char *buffer, size_t size, FileKind kind, const char *name);

// The percentage that one of count entries is worth (0 when there is none).
WORD ProgressStep(WORD count);

#endif
