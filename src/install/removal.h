// Removing an installed publication: what the installation made, and the
// executable's own copy through a helper that outlives it.
#ifndef TALVIREX_REMOVAL_H
#define TALVIREX_REMOVAL_H

#include <windows.h>

#include "base/setup_state.h"

// Finds the entry of the publication in setup (read from the copied
// description) and checks that it belongs to the folder in sourceDir. Fills
// installDir, installType, createGroup, groupName and createDesktopIcon from
// it. 0, IDS_REMOVE_NOT_FOUND or IDS_REMOVE_ELSEWHERE; shows nothing.
ErrorCode FindRegistration();

// Deletes the copied files, the shortcuts that point into installDir, the
// INI records, the entry and the copied description (descriptionName). Stops
// at the first that cannot go, with IDS_REMOVE_FAILED and its name in
// pathBuffer; the entry then stays, so that the removal can be run again.
ErrorCode RemoveInstallation(const char *descriptionName);

// 1 when a file of this kind was copied into installDir by this type.
int WasCopiedToInstallDir(FileKind kind, WORD installType);

// 1 when both texts name the same directory (with or without a trailing
// backslash, in either case, or in long and short form).
int SameDirectory(const char *a, const char *b);

// Cuts the last level off directory (no trailing backslash) when the result
// is still below stop; 0, leaving directory as it is, when it would not be.
int NextDirectoryUp(char *directory, const char *stop);

#endif
