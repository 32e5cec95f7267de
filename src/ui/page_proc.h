// The dialog procedure behind every page of the wizard.
#ifndef TALVIREX_PAGE_PROC_H
#define TALVIREX_PAGE_PROC_H

#include <windows.h>

#include "base/setup_state.h"

TALVIREX_EXPORT INT_PTR CALLBACK DialInstDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Stops the enumeration (FALSE) at a window of the publication viewer.
TALVIREX_EXPORT BOOL CALLBACK SearchAppsEnum(HWND window, LPARAM data);

// The welcome page's Next check: 1 when no viewer is open, else message 25
// has been shown and 0 returned.
int WelcomePageAccepts();

#endif
