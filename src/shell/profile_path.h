// Where the profile functions keep an INI file that a description names.
#ifndef TALVIREX_PROFILE_PATH_H
#define TALVIREX_PROFILE_PATH_H

#include <stddef.h>

// 1 when the profile functions look for ini in the Windows directory: a name
// with no '\\' or '/' and no drive ("X.INI"; "C:X.INI" is relative to drive
// C's current directory instead).
int IsWindowsDirProfileName(const char *ini);

// The full path of the file that the profile functions open for ini, into
// buffer (size bytes, at most MAX_PATH of them used): windowsDir (ending in a
// backslash) followed by a bare name, anything else made full against the
// current directory. 0 when it cannot be resolved or does not fit.
int ResolveProfilePath(const char *ini, const char *windowsDir, char *buffer, size_t size);

#endif
