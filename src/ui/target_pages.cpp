#include "ui/target_pages.h"

#include <string.h>

#include "base/messages.h"
#include "base/names.h"
#include "base/text.h"
#include "ui/folder_chooser.h"
#include "resource.h"
#include "shell/disk.h"
#include "shell/group_list.h"
#include "base/sizes.h"
#include "ui/page_helpers.h"

enum {
    DIRECTORY_READ_SIZE = MAX_PATH_CHARS + 1,
    GROUP_READ_SIZE = GROUP_NAME_LIMIT + 1,
    FREE_TEXT_SIZE = 100
};

static const char kTargetForbidden[] = "/:*?\"<>|";
// A dummy file name, so that GetFullPathNameA names the directory as the file's folder.
static const char kDummySuffix[] = "\\sbbs.wow";

static char sourceUpper[PATH_TEXT_SIZE];

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

// The free-space line; the program's rather than the stack's.
static char freeText[FREE_TEXT_SIZE];

static DWORD FreeKbAt(const char *path)
{
    char letter = DriveLetterOf(path);
    return letter == '?' ? 0 : GetDriveFreeKb(letter);
}

DWORD ShowFreeSpace(HWND page, const char *path)
{
    char letter = DriveLetterOf(path);
    DWORD free = FreeKbAt(path);
    DWORD megabytes;
    UINT hundredths;
    SplitKbToMb(free, &megabytes, &hundredths);

    const char *format = LoadText(IDS_FREE_SPACE);
    const char *percent = strchr(format, '%');
    if (percent && percent[1] == 'c')
        FormatText(freeText, sizeof freeText, format, letter, megabytes, hundredths);
    else
        FormatText(freeText, sizeof freeText, format, megabytes, hundredths, letter);
    SetDlgItemTextA(page, IDC_TARGET_FREE, freeText);
    return free;
}

void FillTargetPage(HWND page)
{
    SetDlgItemTextA(page, IDC_TARGET_PROMPT, setup.targetPrompt);
    SendDlgItemMessageA(page, IDC_TARGET_EDIT, EM_LIMITTEXT, DIRECTORY_EDIT_LIMIT, 0);
    SetDlgItemTextA(page, IDC_TARGET_EDIT, setup.targetDir);
    ShowFreeSpace(page, setup.targetDir);
    ShowSizeText(page, IDC_TARGET_SIZE, IDS_REQUIRED_SPACE, setup.requiredKb[setup.installType]);
    SetFocus(GetDlgItem(page, IDC_NEXT));
}

void FillGroupCombo(HWND page, int id)
{
    SendDlgItemMessageA(page, id, CB_LIMITTEXT, GROUP_NAME_LIMIT, 0);
    char *list = ListProgramGroups();
    if (!list)
        return;
    char *p = list;
    for (;;) {
        while (*p == '\r' || *p == '\n')
            p++;
        if (*p == 0)
            return;
        char *end = p;
        while (*end != 0 && *end != '\r' && *end != '\n')
            end++;
        // A name that no line break closes is not taken.
        if (*end == 0)
            return;
        *end = 0;
        if (SendDlgItemMessageA(page, id, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)p) == CB_ERR)
            SendDlgItemMessageA(page, id, CB_ADDSTRING, 0, (LPARAM)p);
        p = end + 1;
    }
}

void FillGroupPage(HWND page)
{
    FillGroupCombo(page, IDC_GROUP_COMBO);
    SetDlgItemTextA(page, IDC_GROUP_COMBO, setup.groupName);
}

static void EnableNextWhenFilled(HWND page, int id, int size)
{
    int length = GetTrimmedItemText(page, id, setup.textBuffer, size);
    EnableWindow(GetDlgItem(page, IDC_NEXT), length != 0);
}

static void Browse(HWND page)
{
    GetTrimmedItemText(page, IDC_TARGET_EDIT, setup.textBuffer, DIRECTORY_READ_SIZE);
    StripTrailingBackslash(setup.textBuffer, 3);
    if (BrowseForDirectory(page, setup.pathBuffer, setup.textBuffer)) {
        SetDlgItemTextA(page, IDC_TARGET_EDIT, setup.pathBuffer);
        ShowFreeSpace(page, setup.pathBuffer);
    }
}

INT_PTR OnInputPageCommand(HWND page, int id, int notification)
{
    switch (id) {
    case IDC_TARGET_EDIT:
        if (notification != EN_CHANGE)
            return 0;
        EnableNextWhenFilled(page, id, DIRECTORY_READ_SIZE);
        return 1;
    case IDC_TARGET_BROWSE:
        Browse(page);
        return 1;
    case IDC_GROUP_COMBO:
        if (notification != CBN_SELCHANGE && notification != CBN_EDITCHANGE)
            return 0;
        EnableNextWhenFilled(page, id, GROUP_READ_SIZE);
        return 1;
    }
    return 0;
}

ErrorCode CheckTargetForm(const char *text, int length)
{
    if (length < 4 || !HasDrivePrefix(text))
        return IDS_BAD_TARGET;
    if (ContainsAnyOf(text + 3, kTargetForbidden))
        return IDS_TARGET_CHARS;
    return 0;
}

ErrorCode CanonicaliseTarget(char *text, int length)
{
    text[length] = 0;
    StripTrailingBackslash(text, 0);
    AppendText(text, TEXT_BUFFER_SIZE, kDummySuffix);

    if (!FullFolderOf(text))
        return IDS_BAD_TARGET;
    if (strlen(setup.pathBuffer) < 4 || !HasDrivePrefix(setup.pathBuffer))
        return IDS_BAD_TARGET;
    return 0;
}

static int IsMediumDirectory(const char *directory)
{
    TrimSourceDir();
    CopyText(sourceUpper, sizeof sourceUpper, setup.sourceDir);
    CharUpperA(sourceUpper);
    CopyText(setup.textBuffer, sizeof setup.textBuffer, directory);
    CharUpperA(setup.textBuffer);
    return strcmp(sourceUpper, setup.textBuffer) == 0;
}

ErrorCode AcceptTarget(char *text, int length, HWND page)
{
    ErrorCode error = CheckTargetForm(text, length);
    if (error == 0) {
        DWORD free = page != NULL ? ShowFreeSpace(page, text) : FreeKbAt(text);
        if (setup.requiredKb[setup.installType] > free)
            error = free == 0 ? IDS_NO_DRIVE : IDS_LOW_SPACE;
    }
    if (error == 0)
        error = CanonicaliseTarget(text, length);
    if (error == 0 && IsMediumDirectory(setup.pathBuffer))
        error = IDS_SAME_DIRECTORY;
    if (error != 0)
        return error;
    // The accepted directory is stored without its trailing backslash.
    CopyText(setup.targetDir, sizeof setup.targetDir, setup.pathBuffer);
    StripTrailingBackslash(setup.targetDir, 0);
    return 0;
}

int TargetPageAccepts(HWND page)
{
    int n = GetTrimmedItemText(page, IDC_TARGET_EDIT, setup.textBuffer, DIRECTORY_READ_SIZE);
    ErrorCode error = AcceptTarget(setup.textBuffer, n, page);
    if (error != 0) {
        ShowMessageId(error);
        return 0;
    }
    return 1;
}

ErrorCode AcceptGroupName(const char *name)
{
    // An empty name is the page's to refuse (its Next is off) or the quiet run's.
    if (name[0] != 0 && !IsValidGroupName(name))
        return IDS_GROUP_CHARS;
    CopyText(setup.groupName, sizeof setup.groupName, name);
    return 0;
}

int GroupPageAccepts(HWND page)
{
    GetTrimmedItemText(page, IDC_GROUP_COMBO, setup.textBuffer, GROUP_READ_SIZE);
    ErrorCode error = AcceptGroupName(setup.textBuffer);
    if (error != 0) {
        ShowMessageId(error);
        return 0;
    }
    return 1;
}
