// The dialog procedure behind every page of the wizard.
#ifndef TALVIREX_PAGE_PROC_H
#define TALVIREX_PAGE_PROC_H

#include <windows.h>

#include "app/setup_state.h"

TALVIREX_EXPORT INT_PTR CALLBACK DialInstDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Stops the enumeration (FALSE) at a window of the publication viewer.
TALVIREX_EXPORT BOOL CALLBACK SearchAppsEnum(HWND window, LPARAM data);

// 1 when the window's class name (read into 100 bytes) is className,
// ignoring the case of ASCII letters.
int WindowHasClass(HWND window, const char *className);

// A control's text with bytes of 0x20 and below trimmed at both ends; returns its length.
int GetTrimmedItemText(HWND page, int id, char *buffer, int size);

// Trims bytes of 0x20 and below from both ends of the first length bytes of
// text, in place; returns the length left.
int TrimText(char *text, int length);

// Whole megabytes and hundredths (both truncated) of a size in KB.
void SplitKbToMb(DWORD kb, DWORD *megabytes, UINT *hundredths);

// Writes string 44 with the size in MB into a control.
void ShowSizeText(HWND page, int id, DWORD kb);

// A bold copy of the page's font, or 0.
HFONT CreateBoldFont(HWND page);

// Where a window of size inner is centred within outer.
int CentreOffset(int outer, int inner);

// Ends a page with a code, noting where it stood.
void EndPage(HWND page, INT_PTR code);

#endif
