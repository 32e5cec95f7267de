// Steps through the wizard from outside, for screenshots:
//     page_button.exe wait    waits until a page of the installer is shown
//     page_button.exe ID      presses button ID of the page shown, waits until the page is gone
//     page_button.exe close   closes the page shown as its close box does, and waits likewise
// Exit code 0 when done, 1 when no page was shown in time, 2 when the button is
// missing or greyed, 3 when the page stayed open.
#include <windows.h>

#include <stdlib.h>
#include <string.h>

static const DWORD kTimeoutMs = 20000;

static HWND WaitForPage()
{
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 100) {
        HWND page = FindWindowA("TALVIREX", NULL);
        if (page != NULL && IsWindowVisible(page))
            return page;
        Sleep(100);
    }
    return NULL;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    HWND page = WaitForPage();
    if (page == NULL)
        return 1;
    if (strncmp(commandLine, "wait", 4) == 0)
        return 0;
    if (strncmp(commandLine, "close", 5) == 0) {
        PostMessageA(page, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        int id = atoi(commandLine);
        HWND button = GetDlgItem(page, id);
        if (button == NULL || !IsWindowEnabled(button))
            return 2;
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
    }
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 100) {
        if (!IsWindow(page))
            return 0;
        Sleep(100);
    }
    return 3;
}
