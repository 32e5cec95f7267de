// Start-up checks and the page sequence of the wizard.
#ifndef TALVIREX_WIZARD_H
#define TALVIREX_WIZARD_H

#include <windows.h>

#include "base/setup_state.h"

// 1 for Win32s and Windows NT 3.x, which the installer refuses.
int IsUnsupportedSystem(DWORD platformId, DWORD majorVersion);

// The page that follows page after it ended with endCode, or 0 when the
// sequence ends there (END_NEXT past the last page, or any other code).
PageId PageAfter(PageId page, WORD endCode, BYTE createGroup);

// Reads the description beside the installer or in the -S directory; where
// there is none, asks the user for the medium (a quiet run cannot ask). 1 when
// the description and the medium are sound; 0 when the program must end (the
// message has been shown).
int ReadMediumDescription();

// The whole program after the entry point has stored the instance. Returns
// the exit code: 0, or in a quiet run the ID of the first message it met.
int RunSetup(const char *commandLine);

#endif
