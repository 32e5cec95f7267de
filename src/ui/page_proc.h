// The dialog procedure behind every page of the wizard.
#ifndef TALVIREX_PAGE_PROC_H
#define TALVIREX_PAGE_PROC_H

#include <windows.h>

#include "base/setup_state.h"

TALVIREX_EXPORT INT_PTR CALLBACK DialInstDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#endif
