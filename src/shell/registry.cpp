#include "shell/registry.h"

#include "base/text.h"

const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kShellFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

static const HKEY kRoots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT};

// 1 for an index of kRoots.
static int IsRootIndex(WORD rootIndex)
{
    return rootIndex < sizeof kRoots / sizeof kRoots[0];
}

SHORT ReadRegistryString(WORD rootIndex, const char *keyPath, const char *valueName, char *buffer)
{
    if (!IsRootIndex(rootIndex))
        return -3;
    HKEY key;
    if (RegOpenKeyExA(kRoots[rootIndex], keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    DWORD size = REGISTRY_TEXT_SIZE;
    SHORT result = -2;
    if (RegQueryValueExA(key, valueName, NULL, NULL, (BYTE *)buffer, &size) == ERROR_SUCCESS) {
        // The data need not carry its own terminator: a value that fills the
        // whole buffer without one is too long, a shorter one is terminated here.
        size_t length = 0;
        while (length < size && buffer[length] != 0)
            length++;
        if (length < REGISTRY_TEXT_SIZE) {
            buffer[length] = 0;
            result = (SHORT)length;
        }
    }
    RegCloseKey(key);
    return result;
}

int GetProgramFilesDir(char *destination)
{
    if (ReadRegistryString(ROOT_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", destination) <= 0) {
        CopyText(destination, REGISTRY_TEXT_SIZE, "C:");
        return 0;
    }
    StripTrailingBackslash(destination, 0);
    return 1;
}

// Reads the shared folder value, then the user's own, and appends a backslash.
static SHORT GetShellFolder(const char *sharedValue, const char *userValue, char *buffer)
{
    SHORT source = 0;
    if (ReadRegistryString(ROOT_LOCAL_MACHINE, kShellFoldersKey, sharedValue, buffer) <= 0) {
        if (ReadRegistryString(ROOT_CURRENT_USER, kShellFoldersKey, userValue, buffer) <= 0)
            return -1;
        source = 1;
    }
    EnsureTrailingBackslash(buffer, REGISTRY_TEXT_SIZE + 1);
    return source;
}

SHORT GetProgramsFolder(char *buffer)
{
    return GetShellFolder("Common Programs", "Programs", buffer);
}

SHORT GetDesktopFolder(char *buffer)
{
    return GetShellFolder("Common Desktop", "Desktop", buffer);
}

// No KEY_WOW64_64KEY anywhere: the 32-bit build writes and reads the view in
// which the list of programs looks for 32-bit installers.
int WriteRegistryEntries(const char *keyPath, const RegistryEntry *entries, int count)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL,
                        &key, NULL) != ERROR_SUCCESS)
        return 0;
    int written = 1;
    for (int i = 0; i < count && written; i++) {
        const RegistryEntry &entry = entries[i];
        LONG result;
        if (entry.type == REG_DWORD)
            result = RegSetValueExA(key, entry.name, 0, REG_DWORD, (const BYTE *)entry.number,
                                    sizeof *entry.number);
        else
            result = RegSetValueExA(key, entry.name, 0, REG_SZ, (const BYTE *)entry.text,
                                    (DWORD)TextLength(entry.text) + 1);
        written = result == ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return written;
}

int ReadRegistryNumber(WORD rootIndex, const char *keyPath, const char *valueName, DWORD *value)
{
    if (!IsRootIndex(rootIndex))
        return 0;
    HKEY key;
    if (RegOpenKeyExA(kRoots[rootIndex], keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    int found = RegQueryValueExA(key, valueName, NULL, &type, (BYTE *)&number, &size) == ERROR_SUCCESS &&
                type == REG_DWORD && size == sizeof number;
    RegCloseKey(key);
    if (found)
        *value = number;
    return found;
}

int DeleteRegistryKey(const char *keyPath)
{
    LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}
