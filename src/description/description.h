// The installation description file TALVIREX.INF and its file list.
#ifndef TALVIREX_DESCRIPTION_H
#define TALVIREX_DESCRIPTION_H

#include <windows.h>

#include "base/setup_state.h"

extern const char kDescriptionName[];   // "TALVIREX.INF"

// Reads and checks the description and the medium. 1 when all is well; 0 when
// the program must end (the message has been shown).
int ReadDescriptionFile();

// Reads the copy of the description that the installation left beside the
// executable (sourceDir), without the medium's files, which need not be
// there. 0, IDS_REMOVE_NOT_FOUND or IDS_BAD_DESCRIPTION; shows nothing.
ErrorCode ReadCopiedDescription();

// GetPrivateProfileStringA, after noting key in setup.diagnostic.
DWORD ReadDescriptionValue(const char *section, const char *key, const char *defaultText,
                           char *buffer, DWORD size, const char *path);

// Size in KB counted as bytes / 1024 + 1; 0 when the file cannot be opened.
DWORD GetFileSizeKb(const char *path);

// Splits one file line in place ("name;kind[;icon;shortcut]"). 1 when the line
// is well formed, with entry filled; 0 when it is not.
int ParseFileLine(char *line, FileEntry *entry);

// 1 when the entry's file and icon are plain names inside the medium's folder
// (an empty file name names the folder and is left to the medium check; an
// icon starting with '*' is none of its own) and its shortcut name stays
// inside the folder it is made in and names no device.
int FileEntryStaysInside(const FileEntry *entry);

#endif
