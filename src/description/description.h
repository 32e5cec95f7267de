// The installation description file TALVIREX.INF and its file list.
#ifndef TALVIREX_DESCRIPTION_H
#define TALVIREX_DESCRIPTION_H

#include <windows.h>

#include "base/setup_state.h"

extern const char kDescriptionName[];   // "TALVIREX.INF"
extern const char kPublicationSection[];  // "PUBLICATION"
enum { FILE_SECTION_COUNT = 2 };
extern const char *const kFileSections[FILE_SECTION_COUNT];  // "FILES32", then "FILES"
extern const char kFileKeyFormat[];       // "FILE%u"

// The four values of the publication section, in the order they are read.
enum PublicationValue { VALUE_TITLE, VALUE_INIFILE, VALUE_PATH, VALUE_GROUP, PUBLICATION_VALUE_COUNT };

// Why a file line is refused; LINE_WELL_FORMED when it is not.
enum LineFault {
    LINE_WELL_FORMED,
    LINE_NO_SEPARATOR,   // no ';'
    LINE_BAD_KIND,       // the character after the first ';' is not '0'..'4'
    LINE_EMPTY_ICON,     // ";;" after the kind
    LINE_NO_SHORTCUT     // three fields, or an empty shortcut name
};

enum { DESCRIPTION_REFUSED = 0, DESCRIPTION_READ = 1, DESCRIPTION_MISSING = 2 };

// Reads and checks the description in sourceDir and the medium.
// DESCRIPTION_READ when all is well; DESCRIPTION_REFUSED when the program
// must end (the message has been shown); DESCRIPTION_MISSING, with nothing
// shown, when sourceDir holds no description.
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

// ParseFileLine that says why it refuses a line.
LineFault SplitFileLine(char *line, FileEntry *entry);

// The key's name, and the value read into its field of setup ("PATH" behind
// the backslash of pathSuffix), cut to what that field keeps. The length read.
const char *PublicationKey(PublicationValue value);
DWORD ReadPublicationValue(PublicationValue value, const char *descriptionPath);
// The value as kept (PATH without its backslash), and how many characters are kept.
const char *PublicationText(PublicationValue value);
DWORD PublicationKeptLength(PublicationValue value);

// Reads one file line into the pool at poolUsed (a full pool reads into a
// small probe); *line points at the text read. The length read, 0 for a
// missing or empty key; *fits is 0 when the line does not fit the pool.
DWORD ReadPoolLine(const char *section, const char *key, const char *descriptionPath,
                   char **line, int *fits);


// 1 when INIFILE names no device, and when PATH has no ".." component and
// each of its parts is a usable folder name.
int IsUsableIniName(const char *ini);
int IsUsablePathValue(const char *path);

// 1 when a file or icon name of the kind stays inside its folder: a plain
// name, with folders of its own (IsNameBelowFolder) for kinds 0 and 1.
int IsUsableFileName(const char *name, FileKind kind);

// 1 when the entry's file and icon are usable names inside the medium's folder
// (an empty file name names the folder and is left to the medium check; an
// icon starting with '*' is none of its own) and its shortcut name stays
// inside the folder it is made in and names no device.
int FileEntryStaysInside(const FileEntry *entry);

#endif
