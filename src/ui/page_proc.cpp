#include "ui/page_proc.h"

#include "base/messages.h"
#include "base/text.h"
#include "resource.h"
#include "shell/running.h"
#include "ui/page_helpers.h"
#include "ui/target_pages.h"

static void PlacePage(HWND page)
{
    RECT rect;
    GetWindowRect(page, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (setup.firstPage) {
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        setup.dialogPos.left = CentreOffset(desktop.right - desktop.left, width);
        setup.dialogPos.top = CentreOffset(desktop.bottom - desktop.top, height);
        setup.titleFont = CreateBoldFont(page);
        setup.firstPage = 0;
    }
    MoveWindow(page, setup.dialogPos.left, setup.dialogPos.top, width, height, TRUE);
    if (setup.titleFont) {
        setup.titleControl = GetDlgItem(page, IDC_TITLE);
        if (setup.titleControl)
            SendMessageA(setup.titleControl, WM_SETFONT, (WPARAM)setup.titleFont, TRUE);
    }
    SetWindowTextA(page, setup.windowTitle);
}

static void FillTypePage(HWND page)
{
    CheckRadioButton(page, IDC_TYPE_MINIMAL, IDC_TYPE_MAXIMAL, IDC_TYPE_MINIMAL + setup.installType);
    CheckDlgButton(page, IDC_TYPE_GROUP, setup.createGroup);
    CheckDlgButton(page, IDC_TYPE_DESKTOP, setup.createDesktopIcon);
    ShowSizeText(page, IDC_TYPE_MIN_SIZE, IDS_TYPE_SIZE, setup.requiredKb[0]);
    ShowSizeText(page, IDC_TYPE_MAX_SIZE, IDS_TYPE_SIZE, setup.requiredKb[1]);
}

static void FillFinishPage(HWND page)
{
    FormatText(setup.textBuffer, sizeof setup.textBuffer,
               LoadText(IDS_FINISH_STATUS + setup.installResult), setup.title);
    SetDlgItemTextA(page, IDC_FINISH_STATUS, setup.textBuffer);
    SetDlgItemTextA(page, IDC_FINISH_DETAIL, LoadText(IDS_FINISH_DETAIL + setup.installResult));
}

static INT_PTR OnInitPage(HWND page)
{
    PlacePage(page);
    switch (setup.currentPage) {
    case PAGE_WELCOME:
        SetDlgItemTextA(page, IDC_WELCOME_TEXT, setup.welcomeText);
        return 1;
    case PAGE_TYPE:
        FillTypePage(page);
        return 1;
    case PAGE_TARGET:
        FillTargetPage(page);
        return 0;
    case PAGE_GROUP:
        FillGroupPage(page);
        return 1;
    case PAGE_FINISH:
        FillFinishPage(page);
        return 1;
    }
    return 1;
}

static int WelcomePageAccepts()
{
    ErrorCode error = CheckViewersClosed();
    if (error != 0) {
        ShowMessageId(error);
        return 0;
    }
    return 1;
}

// The page's own check of its input; 1 when the page may end with Next.
static int PageAccepts(HWND page)
{
    switch (setup.currentPage) {
    case PAGE_WELCOME:
        return WelcomePageAccepts();
    case PAGE_TARGET:
        return TargetPageAccepts(page);
    case PAGE_GROUP:
        return GroupPageAccepts(page);
    }
    return 1;
}

static INT_PTR OnCloseRequest(HWND page)
{
    // The progress page answers the system between copy blocks; a close sent
    // meanwhile must not hide it while the run goes on.
    if (setup.currentPage == PAGE_PROGRESS)
        return 1;
    if (IsIconic(page))
        ShowWindow(page, SW_RESTORE);
    if (setup.currentPage != PAGE_PROGRESS && setup.currentPage != PAGE_FINISH &&
        ShowMessageId(IDS_CONFIRM_CANCEL))
        return 1;
    EndPage(page, END_CANCEL);
    return 1;
}

static void ToggleCheckBox(HWND page, int id, BYTE *flag)
{
    *flag = (BYTE)(1 - *flag);
    CheckDlgButton(page, id, *flag);
}

static INT_PTR OnCommand(HWND page, int id, int notification)
{
    switch (id) {
    case IDC_NEXT:
        if (PageAccepts(page))
            EndPage(page, END_NEXT);
        return 1;
    case IDC_BACK:
        EndPage(page, END_BACK);
        return 1;
    case IDC_CANCEL:
        return OnCloseRequest(page);
    case IDC_TYPE_MINIMAL:
    case IDC_TYPE_MAXIMAL:
        CheckRadioButton(page, IDC_TYPE_MINIMAL, IDC_TYPE_MAXIMAL, id);
        setup.installType = (WORD)(id - IDC_TYPE_MINIMAL);
        return 1;
    case IDC_TYPE_GROUP:
        ToggleCheckBox(page, id, &setup.createGroup);
        return 1;
    case IDC_TYPE_DESKTOP:
        ToggleCheckBox(page, id, &setup.createDesktopIcon);
        return 1;
    case IDC_TARGET_EDIT:
    case IDC_TARGET_BROWSE:
    case IDC_GROUP_COMBO:
        return OnInputPageCommand(page, id, notification);
    }
    return 1;
}

static INT_PTR OnCtlColorStatic(HWND control)
{
    if (setup.currentPage == PAGE_WELCOME || setup.currentPage == PAGE_FINISH ||
        (setup.titleControl && control == setup.titleControl))
        return (INT_PTR)setup.whiteBrush;
    return 0;
}

INT_PTR CALLBACK DialInstDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitPage(page);
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
        return OnCloseRequest(page);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic((HWND)lParam);
    }
    return 0;
}
