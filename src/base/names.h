// Decisions about file and folder names that come from a publisher's medium:
// whether a name stays inside its folder and whether Windows takes it for a
// device instead of a file.
#ifndef TALVIREX_NAMES_H
#define TALVIREX_NAMES_H

// 1 for a backslash or a slash, either of which Windows takes between the
// folders of a path.
int IsPathSeparator(char c);

// 1 for CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 in any letter case, with
// or without an extension ("AUX.TXT"). Spaces between the device and its
// extension or the end ("NUL .TXT", "CON ") are dropped by Windows, so they
// count too. Only the name itself is looked at, up to its end or the first
// '\\' or '/' of a path it starts.
int IsDeviceName(const char *name);

// 1 for a name that stays inside its folder: non-empty, no '\\', '/' or ':',
// and not made of dots and spaces only ("." and ".." climb out; "..." and
// ". " name the folder itself once Windows drops trailing dots and spaces).
int IsPlainFileName(const char *name);

// 1 when a ".." component stands between separators ('\\' or '/') or at
// either end of the path.
int HasDotDotComponent(const char *path);

// 1 when a program group's name holds none of the characters that a folder
// name cannot and is a usable folder name (IsUsableFolderName).
int IsValidGroupName(const char *group);

// The name after the last backslash, slash or drive colon of a path (the
// path itself when it has none, "" when it ends in one).
const char *NameInPath(const char *path);

// 1 for exactly "." or "..".
int IsDotName(const char *name);

// 1 when the name up to its end or its first '\\' or '/' is one that a folder
// of its own can have: not empty, not ending in a dot or a blank (Windows
// drops them: "Hrady.." would be the folder "Hrady", ".." the folder above)
// and not a device name ("AUX" is opened as the device anywhere in a path).
int IsUsableFolderName(const char *name);

// 1 when every part of path between '\\' and '/' is a usable folder name,
// leaving out empty parts and the parts "." and ".." (which the system
// resolves).
int FolderPartsAreUsable(const char *path);

// 1 for a file name that stays below its folder: a plain file name after
// folder names joined by '\\' ("POMOC\\NAVOD.TXT"), each a usable folder
// name, so neither "..", a drive, '/' nor a leading backslash.
int IsNameBelowFolder(const char *name);

#endif
