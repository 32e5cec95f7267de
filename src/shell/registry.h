// Registry strings and the shell folders found through them.
#ifndef TALVIREX_REGISTRY_H
#define TALVIREX_REGISTRY_H

#include <windows.h>

// Root-key indexes of the registry reads; 2 is HKEY_CLASSES_ROOT, which
// nothing reads.
enum {
    ROOT_LOCAL_MACHINE = 0,
    ROOT_CURRENT_USER = 1
};

enum { REGISTRY_TEXT_SIZE = 260 };

extern const char kCurrentVersionKey[];
extern const char kShellFoldersKey[];
extern const char kUninstallKey[];   // where Windows keeps its list of installed programs

// Reads a string value into buffer (room for REGISTRY_TEXT_SIZE bytes).
// Returns its length, -1 when the key cannot be opened, -2 when the value
// cannot be read or does not fit with its terminator, -3 for a root index above 2.
SHORT ReadRegistryString(WORD rootIndex, const char *keyPath, const char *valueName, char *buffer);

// The Program Files directory without a trailing backslash, or "C:".
// destination has room for at least REGISTRY_TEXT_SIZE bytes. 1 when it was
// read from the registry, 0 for "C:".
int GetProgramFilesDir(char *destination);

// The shared (result 0) or the user's own (result 1) Programs or desktop folder,
// ending in a backslash; -1 when neither is found. buffer has room for
// REGISTRY_TEXT_SIZE + 1 bytes.
SHORT GetProgramsFolder(char *buffer);
SHORT GetDesktopFolder(char *buffer);

// One value to write: a string (REG_SZ with text) or a number (REG_DWORD, the
// DWORD that number points at).
struct RegistryEntry {
    const char *name;
    DWORD type;
    const char *text;
    const DWORD *number;
};

// Creates the key under HKEY_LOCAL_MACHINE (or opens it) and writes the
// values into it. 1 when every value was written, 0 otherwise.
int WriteRegistryEntries(const char *keyPath, const RegistryEntry *entries, int count);

// Reads a REG_DWORD value; 1 when it was there, 0 otherwise.
int ReadRegistryNumber(WORD rootIndex, const char *keyPath, const char *valueName, DWORD *value);

// Deletes a key without subkeys under HKEY_LOCAL_MACHINE. 1 when it is gone.
int DeleteRegistryKey(const char *keyPath);

#endif
