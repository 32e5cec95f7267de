#include "shell/shortcuts.h"

#include <objidl.h>
#include <shlobj.h>
#include <string.h>

#include "base/text.h"
#include "shell/directory.h"
#include "shell/registry.h"

static char groupDir[PATH_TEXT_SIZE];
static char desktopDir[PATH_TEXT_SIZE];
static char shortcutPath[PATH_TEXT_SIZE];
static char targetPath[PATH_TEXT_SIZE];
static char iconLocation[PATH_TEXT_SIZE];

static int FitsPath(const char *text)
{
    return text == NULL || strnlen(text, MAX_PATH_CHARS + 1) <= MAX_PATH_CHARS;
}

// Joins two texts by format into buffer; 0 when the result is longer than a path.
static int FormPath(char *buffer, const char *format, const char *first, const char *second)
{
    int length = FormatText(buffer, PATH_TEXT_SIZE, format, first, second);
    return length >= 0 && length <= MAX_PATH_CHARS;
}

// The path in UTF-16 for IPersistFile; wide has MAX_PATH_CHARS + 1 elements,
// one more than a path's length, so that the zeros always end it.
static int WidenPath(const char *path, WCHAR *wide)
{
    memset(wide, 0, (MAX_PATH_CHARS + 1) * sizeof wide[0]);
    int length = (int)TextLength(path);
    return length == 0 || MultiByteToWideChar(CP_ACP, 0, path, length, wide, MAX_PATH_CHARS) != 0;
}

// A fresh shell link with its file interface; on failure neither is left.
static HRESULT NewShellLink(IShellLinkA **link, IPersistFile **file)
{
    *file = NULL;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                      (void **)link);
    if (FAILED(result))
        return result;
    result = (*link)->QueryInterface(IID_IPersistFile, (void **)file);
    if (FAILED(result))
        (*link)->Release();
    return result;
}

int CreateShortcut(const char *shortcutFile, const char *target, const char *description,
                   const char *iconPath, const char *workingDir, const char *arguments)
{
    // The shell link keeps paths in buffers of a path's length; refuse longer ones.
    if (!FitsPath(shortcutFile) || !FitsPath(target) || !FitsPath(iconPath) || !FitsPath(workingDir))
        return 0;

    CoInitialize(NULL);
    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    HRESULT result = NewShellLink(&link, &file);
    if (SUCCEEDED(result)) {
        link->SetPath(target);
        if (description != NULL)
            link->SetDescription(description);
        if (iconPath != NULL)
            link->SetIconLocation(iconPath, 0);
        if (workingDir != NULL)
            link->SetWorkingDirectory(workingDir);
        if (arguments != NULL)
            link->SetArguments(arguments);
        WCHAR widePath[MAX_PATH_CHARS + 1];
        result = WidenPath(shortcutFile, widePath) ? file->Save(widePath, TRUE) : E_FAIL;
        file->Release();
        link->Release();
    }
    CoUninitialize();
    return SUCCEEDED(result) ? 1 : 0;
}

WORD CreateProgramGroup(const char *groupName, const FileEntry *files, WORD fileCount,
                        const char *targetDir, const char *iconDir, const char *workingDir)
{
    if (GetProgramsFolder(groupDir) < 0)
        return SHORTCUT_NO_FOLDER;
    // A group path cut short here is too long for CreateDirectoryPath anyway.
    if (!AppendText(groupDir, sizeof groupDir, groupName) || CreateDirectoryPath(groupDir) != 0)
        return SHORTCUT_NO_GROUP;

    for (WORD i = 0; i < fileCount; i++) {
        const FileEntry &entry = files[i];
        if (entry.iconFile == NULL || entry.shortcutName == NULL)
            continue;
        if (!FormPath(shortcutPath, "%s\\%s.lnk", groupDir, entry.shortcutName) ||
            !FormPath(targetPath, "%s\\%s", targetDir, entry.name))
            return SHORTCUT_NOT_SAVED;
        const char *icon = NULL;
        if (entry.iconFile[0] != '*') {
            if (!FormPath(iconLocation, "%s\\%s", iconDir, entry.iconFile))
                return SHORTCUT_NOT_SAVED;
            icon = iconLocation;
        }
        // A shortcut of the same name from an earlier installation is replaced.
        DeleteFileA(shortcutPath);
        if (!CreateShortcut(shortcutPath, targetPath, NULL, icon, workingDir, NULL))
            return SHORTCUT_NOT_SAVED;
    }
    return SHORTCUT_OK;
}

WORD CreateDesktopShortcut(const char *shortcutName, const char *targetDir, const char *name,
                           const char *iconFile, const char *iconDir, const char *workingDir)
{
    // A first entry of two fields names no shortcut, and gets none here either,
    // as in the program group.
    if (shortcutName == NULL || iconFile == NULL)
        return SHORTCUT_OK;
    if (GetDesktopFolder(desktopDir) < 0)
        return SHORTCUT_NO_FOLDER;
    if (!FormPath(shortcutPath, "%s%s.lnk", desktopDir, shortcutName) ||
        !FormPath(targetPath, "%s\\%s", targetDir, name) ||
        !FormPath(iconLocation, "%s\\%s", iconDir, iconFile))
        return SHORTCUT_NOT_SAVED;
    DeleteFileA(shortcutPath);
    if (!CreateShortcut(shortcutPath, targetPath, NULL, iconLocation, workingDir, NULL))
        return SHORTCUT_NOT_SAVED;
    return SHORTCUT_OK;
}

int ReadShortcutTarget(const char *shortcutFile, char *target, size_t size)
{
    WCHAR widePath[MAX_PATH_CHARS + 1];
    if (size == 0 || shortcutFile[0] == 0 || !FitsPath(shortcutFile) || !WidenPath(shortcutFile, widePath))
        return 0;
    target[0] = 0;
    CoInitialize(NULL);
    IShellLinkA *link = NULL;
    IPersistFile *file = NULL;
    HRESULT result = NewShellLink(&link, &file);
    if (SUCCEEDED(result)) {
        result = file->Load(widePath, STGM_READ);
        // The path as written, not resolved: the shortcut may point at a file
        // that is gone already.
        if (SUCCEEDED(result))
            result = link->GetPath(target, (int)size, NULL, SLGP_RAWPATH);
        file->Release();
        link->Release();
    }
    CoUninitialize();
    target[size - 1] = 0;
    return result == S_OK ? 1 : 0;
}
