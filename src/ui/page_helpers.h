// Small helpers that the pages share.
#ifndef TALVIREX_PAGE_HELPERS_H
#define TALVIREX_PAGE_HELPERS_H

#include <windows.h>

#include "base/setup_state.h"

// A control's text with bytes of 0x20 and below trimmed at both ends; returns its length.
int GetTrimmedItemText(HWND page, int id, char *buffer, int size);

// Writes the string textId (44 or 33) with the size in MB into a control.
void ShowSizeText(HWND page, int id, UINT textId, DWORD kb);

// A bold copy of the page's font, or 0.
HFONT CreateBoldFont(HWND page);

// Where a window of size inner is centred within outer.
int CentreOffset(int outer, int inner);

// Ends a page with a code, noting where it stood.
void EndPage(HWND page, INT_PTR code);

#endif
