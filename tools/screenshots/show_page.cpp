// Pictures every wizard page over sample answers as pageID.bmp in the current
// directory (the finish page once per outcome). Run in a Wine desktop.
#include "base/messages.h"
#include "base/setup_state.h"
#include "base/text.h"
#include "install/file_ops.h"
#include "resource.h"
#include "picture.h"
#include "shell/running.h"
#include "ui/controls.h"
#include "ui/page_proc.h"
#include "ui/progress.h"

static char shotPath[MAX_PATH];

// Runs from the page's message loop once it has shown: pictures the page and ends it.
static void CALLBACK ShootPage(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND page = FindWindowA(kDialogClass, NULL);
    KillTimer(NULL, timer);
    if (setup.currentPage == PAGE_PROGRESS) {
        setup.progressDialog = page;
        FormatText(setup.textBuffer, sizeof setup.textBuffer, "%sKNIHA\\KAPITOLA1.DAT", LoadText(IDS_COPYING));
        ShowProgress(42, setup.textBuffer);
    }
    SavePicture(page, shotPath);
    EndDialog(page, END_CANCEL);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ResetSetupState();
    setup.hInstance = instance;
    RegisterWindowClasses();
    setup.whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
    CopyText(setup.title, sizeof setup.title, "Vzorov\xE1 publik\xE1" "cia");   // cp1250
    FormatText(setup.welcomeText, sizeof setup.welcomeText, LoadText(IDS_WELCOME), setup.title);
    FormatText(setup.targetPrompt, sizeof setup.targetPrompt, LoadText(IDS_TARGET_PROMPT), setup.title);
    FormatText(setup.windowTitle, sizeof setup.windowTitle, LoadText(IDS_WINDOW_TITLE), setup.title);
    FormatText(setup.targetDir, sizeof setup.targetDir, "C:\\Program Files\\Vzorka\\%s", setup.title);
    CopyText(setup.groupName, sizeof setup.groupName, "Vzorka");
    setup.requiredKb[0] = 1600;
    setup.requiredKb[1] = 626900;
    static const WORD pages[] = {10000, 10001, 10002, 10003, 10004, 10020, 10021, 10021, 10021};
    static const char *const outcomes[] = {"", "-failed", "-cancelled"};
    for (WORD page : pages) {
        setup.currentPage = page;
        FormatText(shotPath, sizeof shotPath, "page%u%s.bmp", page, page == PAGE_FINISH ? outcomes[setup.installResult] : "");
        SetTimer(NULL, 0, 1000, ShootPage);
        DialogBoxParamA(instance, MAKEINTRESOURCEA(page), NULL, DialInstDlgProc, 0);
        if (page == PAGE_FINISH)
            setup.installResult++;
    }
    return 0;
}
