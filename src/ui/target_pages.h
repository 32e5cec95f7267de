// The two input pages: the target directory and the program group.
#ifndef TALVIREX_TARGET_PAGES_H
#define TALVIREX_TARGET_PAGES_H

#include <windows.h>

#include "base/setup_state.h"

enum { DIRECTORY_EDIT_LIMIT = 247, GROUP_NAME_LIMIT = 60 };

void FillTargetPage(HWND page);
void FillGroupPage(HWND page);

// Commands of the directory edit, the browse button and the group combo box.
INT_PTR OnInputPageCommand(HWND page, int id, int notification);

// The Next checks; 1 when the page may end (the choice is then stored).
int TargetPageAccepts(HWND page);
int GroupPageAccepts(HWND page);

// The target directory's checks in the page's order over a typed text
// (length characters, in a buffer of TEXT_BUFFER_SIZE; it is overwritten).
// page, when given, shows the free space. 0 with setup.targetDir taken, else
// the message ID (5, 15, 24, 12 or 2).
ErrorCode AcceptTarget(char *text, int length, HWND page);

// The group name's check: 0 with setup.groupName taken, or 77.
ErrorCode AcceptGroupName(const char *name);

// Writes the free-space line into control 1005; returns the free KB.
DWORD ShowFreeSpace(HWND page, const char *path);

// Fills the combo box with the existing program groups.
void FillGroupCombo(HWND page, int id);

// The upper-case drive letter of a path "X:\...", or '?'.
char DriveLetterOf(const char *path);

// The form of a typed target directory (steps before any disk access):
// 0 when it may go on, else the message ID (5 or 15).
ErrorCode CheckTargetForm(const char *text, int length);

// Turns the typed directory (text, length characters, room for the
// suffix) into its canonical form in setup.pathBuffer, with a trailing
// backslash. 0, or message 5.
ErrorCode CanonicaliseTarget(char *text, int length);

#endif
