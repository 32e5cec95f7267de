#include "ui/target_pages.h"

#include <string.h>

#include "base/messages.h"
#include "base/text.h"
#include "ui/folder_chooser.h"
#include "resource.h"
#include "shell/choices.h"
#include "shell/group_list.h"
#include "base/sizes.h"
#include "ui/page_helpers.h"

enum {
    DIRECTORY_READ_SIZE = MAX_PATH_CHARS + 1,
    GROUP_READ_SIZE = GROUP_NAME_LIMIT + 1,
    FREE_TEXT_SIZE = 100
};

// Free space is at most 0x7FFFFFFF KB, so this is never a measured value.
static const DWORD FREE_NOT_MEASURED = 0xFFFFFFFF;

// The free-space line; the program's rather than the stack's.
static char freeText[FREE_TEXT_SIZE];

static void ShowFreeKb(HWND page, char letter, DWORD free)
{
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
}

void ShowFreeSpace(HWND page, const char *path)
{
    ShowFreeKb(page, DriveLetterOf(path), FreeKbOfDrive(path));
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

int TargetPageAccepts(HWND page)
{
    int n = GetTrimmedItemText(page, IDC_TARGET_EDIT, setup.textBuffer, DIRECTORY_READ_SIZE);
    DWORD free = FREE_NOT_MEASURED;
    ErrorCode error = AcceptTarget(setup.textBuffer, n, &free);
    if (free != FREE_NOT_MEASURED)
        ShowFreeKb(page, DriveLetterOf(setup.textBuffer), free);
    if (error != 0) {
        ShowMessageId(error);
        return 0;
    }
    return 1;
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
