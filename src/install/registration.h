// The publication's entry in Windows' list of installed programs.
#ifndef TALVIREX_REGISTRATION_H
#define TALVIREX_REGISTRATION_H

#include <windows.h>

#include "base/setup_state.h"

extern const char kInstallerName[];   // "TALVIREX.EXE", the copy that the entry starts

// The entry's key below HKEY_LOCAL_MACHINE, named after the file name of the
// publication's INI file (any folder in front of it left out), so that the
// same publication installed again replaces its entry. 1 when it fits, 0
// when the INI text names no file.
int FormRegistrationKey(char *buffer, size_t size, const char *publicationIni);

// The entry's key as the installation or the removal formed it last.
extern char registrationKey[PATH_TEXT_SIZE];

// The folder of the copy that the entry starts, ending in a backslash:
// <Program Files>\TALVIREX\<the key's own name>, made by the installation where
// only administrators can change it, whatever the target. 0 when Program
// Files cannot be read from the registry or the path does not fit size.
int FormProgramFolder(char *buffer, size_t size, const char *key);

// Names of the entry's values that the removal reads back.
extern const char kLocationValue[];
extern const char kIniValue[];   // the INI file's full path
extern const char kTypeValue[];
extern const char kGroupValue[];
extern const char kDesktopValue[];

// After a successful run: copies the running executable and the description
// (descriptionName in sourceDir) into the program folder and writes the entry.
// 0, or IDS_REGISTER_FAILED (shown here; the installation stands).
ErrorCode RegisterInstallation(const char *descriptionName);

#endif
