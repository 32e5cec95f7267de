// Start-up checks and the page sequence of the wizard.
#ifndef TALVIREX_WIZARD_H
#define TALVIREX_WIZARD_H

#include <windows.h>

#include "base/setup_state.h"

// Finds a running installer by the class of its pages; returns FALSE to stop
// the enumeration at such a window.
TALVIREX_EXPORT BOOL CALLBACK SearchInstEnum(HWND window, LPARAM data);

// 1 for Win32s and Windows NT 3.x, which the installer refuses.
int IsUnsupportedSystem(DWORD platformId, DWORD majorVersion);

// The page that follows page after it ended with endCode, or 0 when the
// sequence ends there (END_NEXT past the last page, or any other code).
PageId PageAfter(PageId page, WORD endCode, BYTE createGroup);

// The whole program after the entry point has stored the instance. Returns
// the exit code: 0, or in a quiet run the ID of the first message it met.
int RunSetup(const char *commandLine);

#endif
