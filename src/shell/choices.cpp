#include "shell/choices.h"

#include <string.h>

#include "base/names.h"
#include "base/text.h"
#include "resource.h"
#include "shell/directory.h"
#include "shell/free_space.h"

static const char kTargetForbidden[] = "/:*?\"<>|";

static char canonicalTarget[PATH_BUFFER_SIZE];
// The canonical target and the medium's directory, compared in upper case.
static char targetUpper[PATH_BUFFER_SIZE];
static char sourceUpper[PATH_BUFFER_SIZE];

static int IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

static int HasDrivePrefix(const char *path)
{
    return IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

char DriveLetterOf(const char *path)
{
    return HasDrivePrefix(path) ? (char)(path[0] & ~0x20) : '?';
}

DWORD FreeKbOfDrive(const char *path)
{
    char letter = DriveLetterOf(path);
    return letter == '?' ? 0 : GetDriveFreeKb(letter);
}

ErrorCode CheckTargetForm(const char *text, int length)
{
    if (length < 4 || !HasDrivePrefix(text))
        return IDS_BAD_TARGET;
    if (ContainsAnyOf(text + 3, kTargetForbidden))
        return IDS_TARGET_CHARS;
    // "Pub..", "Pub " or "AUX" would not be a folder of that name; "." and ".." are resolved.
    return FolderPartsAreUsable(text + 3) ? 0 : IDS_BAD_TARGET;
}

ErrorCode CanonicaliseTarget(const char *text, int length, char *canonical, size_t size)
{
    if (!FullFolderOf(text, (size_t)length, canonical, size))
        return IDS_BAD_TARGET;
    if (strlen(canonical) < 4 || !HasDrivePrefix(canonical))
        return IDS_BAD_TARGET;
    return 0;
}

static int IsMediumDirectory(const char *directory)
{
    TrimSourceDir();
    CopyText(sourceUpper, sizeof sourceUpper, setup.sourceDir);
    CharUpperA(sourceUpper);
    CopyText(targetUpper, sizeof targetUpper, directory);
    CharUpperA(targetUpper);
    return strcmp(sourceUpper, targetUpper) == 0;
}

ErrorCode AcceptTarget(const char *text, int length, DWORD *freeKb)
{
    ErrorCode error = CheckTargetForm(text, length);
    if (error == 0) {
        DWORD free = FreeKbOfDrive(text);
        if (freeKb != NULL)
            *freeKb = free;
        if (setup.requiredKb[setup.installType] > free)
            error = free == 0 ? IDS_NO_DRIVE : IDS_LOW_SPACE;
    }
    if (error == 0)
        error = CanonicaliseTarget(text, length, canonicalTarget, sizeof canonicalTarget);
    if (error == 0 && IsMediumDirectory(canonicalTarget))
        error = IDS_SAME_DIRECTORY;
    if (error != 0)
        return error;
    // The accepted directory is stored without its trailing backslash.
    CopyText(setup.targetDir, sizeof setup.targetDir, canonicalTarget);
    StripTrailingBackslash(setup.targetDir, 0);
    return 0;
}

ErrorCode AcceptGroupName(const char *name)
{
    // An empty name is the page's to refuse (its Next is off) or the quiet run's.
    if (name[0] != 0 && !IsValidGroupName(name))
        return IDS_GROUP_CHARS;
    CopyText(setup.groupName, sizeof setup.groupName, name);
    return 0;
}
