// Windows of other programs that decide whether the installer may go on:
// another copy of the installer, and open windows of the publication viewer.
#ifndef TALVIREX_RUNNING_H
#define TALVIREX_RUNNING_H

#include <windows.h>

#include "base/setup_state.h"

extern const char kDialogClass[];   // "TALVIREX", the class of every page

// 1 when the window's class name (read into 100 bytes) is className,
// ignoring the case of ASCII letters.
int WindowHasClass(HWND window, const char *className);

// Stop the enumeration (FALSE) at a page of another installer, or at a
// window of the publication viewer.
TALVIREX_EXPORT BOOL CALLBACK SearchInstEnum(HWND window, LPARAM data);
TALVIREX_EXPORT BOOL CALLBACK SearchAppsEnum(HWND window, LPARAM data);

// 0 when no publication viewer is open, else message 25.
ErrorCode CheckViewersClosed();

#endif
