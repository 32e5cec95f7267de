// Shortcut files in the program group and on the desktop.
#ifndef TALVIREX_SHORTCUTS_H
#define TALVIREX_SHORTCUTS_H

#include <windows.h>

#include "base/setup_state.h"

enum {
    SHORTCUT_OK = 0,
    SHORTCUT_NO_FOLDER = 1,
    SHORTCUT_NO_GROUP = 2,
    SHORTCUT_NOT_SAVED = 3
};

// Writes one shortcut file; optional texts may be null. 1 when saved, else 0.
int CreateShortcut(const char *shortcutFile, const char *target, const char *description,
                   const char *iconPath, const char *workingDir, const char *arguments);

// One shortcut per entry with a shortcut name, in Programs\groupName.
WORD CreateProgramGroup(const char *groupName, const FileEntry *files, WORD fileCount,
                        const char *targetDir, const char *iconDir, const char *workingDir);

// The desktop shortcut of the first entry.
WORD CreateDesktopShortcut(const char *shortcutName, const char *targetDir, const char *name,
                           const char *iconFile, const char *iconDir, const char *workingDir);

// The target path stored in a shortcut file, into target (size bytes).
// 1 when the file could be read as a shortcut, 0 otherwise.
int ReadShortcutTarget(const char *shortcutFile, char *target, size_t size);

#endif
