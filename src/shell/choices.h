// The checks of the reader's choices that the pages and the unattended run
// share: the target directory and the program group's name.
#ifndef TALVIREX_CHOICES_H
#define TALVIREX_CHOICES_H

#include <windows.h>

#include "base/setup_state.h"

// The longest texts that the target and group pages' fields take.
enum { DIRECTORY_EDIT_LIMIT = 247, GROUP_NAME_LIMIT = 60 };

// The upper-case drive letter of a path "X:\...", or '?'.
char DriveLetterOf(const char *path);

// Free KB on the drive of a path "X:\...", 0 when it has none or it cannot be measured.
DWORD FreeKbOfDrive(const char *path);

// The form of a typed target directory (steps before any disk access): a
// full path whose parts are usable folder names; 0 when it may go on, else
// the message ID (5 or 15).
ErrorCode CheckTargetForm(const char *text, int length);

// The canonical form of the typed directory's first length characters, with a
// trailing backslash, into canonical (size bytes). 0, or message 5.
ErrorCode CanonicaliseTarget(const char *text, int length, char *canonical, size_t size);

// The target directory's checks in the page's order over a typed text of
// length characters: form, free space, canonical form, not the medium's own
// directory. freeKb, when given, receives the free space once it has been
// measured (the page shows it). 0 with setup.targetDir taken, else the
// message ID (5, 15, 24, 12 or 2).
ErrorCode AcceptTarget(const char *text, int length, DWORD *freeKb);

// The group name's check: 0 with setup.groupName taken, or 77.
ErrorCode AcceptGroupName(const char *name);

#endif
