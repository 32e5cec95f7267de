// Removing an installed publication: what the installation made, and the
// executable's own copy through a helper that outlives it.
#ifndef TALVIREX_REMOVAL_H
#define TALVIREX_REMOVAL_H

#include <windows.h>

#include "base/setup_state.h"

// Finds the entry of the publication in setup (read from the copied
// description) and checks that its program folder is the one in sourceDir.
// Fills installDir, publicationIniPath, installType, createGroup, groupName
// and createDesktopIcon from the entry. 0, IDS_REMOVE_NOT_FOUND or
// IDS_REMOVE_ELSEWHERE; shows nothing.
ErrorCode FindRegistration();

// Deletes the copied files, the shortcuts that point into installDir, the
// INI records, the copied description (descriptionName in sourceDir), the
// emptied installDir with its empty parents, and the entry last. Stops at the
// first that cannot go, with IDS_REMOVE_FAILED or IDS_REMOVE_RECORDS_FAILED
// and its name in failed (size bytes); the entry then stays, so that the removal can
// be run again. An installation directory or group folder that is a link, or
// lies below one, is left alone with the warning IDS_REMOVE_LINK_SKIPPED
// shown here.
ErrorCode RemoveInstallation(const char *descriptionName, char *failed, size_t size);

// 1 when a file of this kind was copied into installDir by this type.
int WasCopiedToInstallDir(FileKind kind, WORD installType);

// 1 when both texts name the same directory (with or without a trailing
// backslash, in either case, or in long and short form).
int SameDirectory(const char *a, const char *b);

// Cuts the last level off directory (no trailing backslash) when the result
// is still below stop; 0, leaving directory as it is, when it would not be.
int NextDirectoryUp(char *directory, const char *stop);

// 1 when a level of path after its root, the last one included, is a
// reparse point (a junction, a symbolic link, a mounted volume). path is
// changed while it is looked at and given back as it was.
int PathCrossesLink(char *path);

// Removes directory when empty, then each empty parent up to the Program
// Files directory, which stays; without Program Files in the registry,
// nothing above directory's own parent. Stops at a link. directory is used
// as the walk's buffer.
void RemoveEmptyFolders(char *directory);

// Removes the folders of name below installDir (which ends in a backslash)
// that are empty, the deepest first ("A\\B\\X.TXT": B, then A): the folders
// the run made for a file with folders of its own. None when one of them is a
// junction or another reparse point.
void RemoveEmptyFileFolders(const char *installDir, const char *name);

#endif
