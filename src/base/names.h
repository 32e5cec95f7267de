// Decisions about file and folder names that come from a publisher's medium:
// whether a name stays inside its folder and whether Windows takes it for a
// device instead of a file.
#ifndef TALVIREX_NAMES_H
#define TALVIREX_NAMES_H

// 1 for CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 in any letter case, with
// or without an extension ("AUX.TXT"). Spaces between the device and its
// extension or the end ("NUL .TXT", "CON ") are dropped by Windows, so they
// count too. Only the name itself is looked at, not a path.
int IsDeviceName(const char *name);

// 1 for a name that stays inside its folder: non-empty, no '\\', '/' or ':',
// and not made of dots and spaces only ("." and ".." climb out; "..." and
// ". " name the folder itself once Windows drops trailing dots and spaces).
int IsPlainFileName(const char *name);

// 1 when a ".." component stands between separators ('\\' or '/') or at
// either end of the path.
int HasDotDotComponent(const char *path);

// 1 for exactly "." or "..".
int IsDotName(const char *name);

#endif
