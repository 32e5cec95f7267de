// The two input pages: the target directory and the program group.
#ifndef TALVIREX_TARGET_PAGES_H
#define TALVIREX_TARGET_PAGES_H

#include <windows.h>

#include "base/setup_state.h"

void FillTargetPage(HWND page);
void FillGroupPage(HWND page);

// Commands of the directory edit, the browse button and the group combo box.
INT_PTR OnInputPageCommand(HWND page, int id, int notification);

// The Next checks; 1 when the page may end (the choice is then stored).
int TargetPageAccepts(HWND page);
int GroupPageAccepts(HWND page);

// Measures the free space of path's drive and writes its line into control 1005.
void ShowFreeSpace(HWND page, const char *path);

// Fills the combo box with the existing program groups.
void FillGroupCombo(HWND page, int id);

#endif
