// Pictures every wizard page, opened by the installer's own page procedure over
// sample answers, as PAGE.bmp files in DIR (the finish page once per outcome):
//     show_page.exe DIR
// Run it in a Wine desktop, which draws the frames and captions.
#include <stdio.h>
#include <string.h>

#include "app/messages.h"
#include "app/setup_state.h"
#include "app/text.h"
#include "resource.h"
#include "ui/controls.h"
#include "ui/page_proc.h"

static char shotPath[MAX_PATH];

// Saves what the screen shows of the window as a 24-bit BMP file.
static void SaveWindow(HWND window, const char *path)
{
    RECT r;
    GetWindowRect(window, &r);
    BITMAPINFOHEADER header = {sizeof header, r.right - r.left, r.bottom - r.top, 1, 24, BI_RGB};
    DWORD size = (((DWORD)header.biWidth * 3 + 3) & ~3u) * (DWORD)header.biHeight;
    DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    BITMAPFILEHEADER file = {0x4D42, offset + size, 0, 0, offset};
    HDC screen = GetDC(NULL);
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, (BITMAPINFO *)&header, DIB_RGB_COLORS, &bits, NULL, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    FILE *out = fopen(path, "wb");
    if (out) {
        fwrite(&file, sizeof file, 1, out);
        fwrite(&header, sizeof header, 1, out);
        fwrite(bits, size, 1, out);
        fclose(out);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(NULL, screen);
}

// Runs from the page's own message loop once the page has had time to show.
static void CALLBACK ShootPage(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND page = FindWindowA(kDialogClass, NULL);
    if (page == NULL)
        return;
    KillTimer(NULL, timer);
    if (setup.currentPage == PAGE_PROGRESS) {
        char line[TEXT_BUFFER_SIZE];
        FormatText(line, sizeof line, "%s%s", LoadText(IDS_COPYING), "KNIHA\\KAPITOLA1.DAT");
        SetDlgItemTextA(page, IDC_PROGRESS_LINE, line);
        SendDlgItemMessageA(page, IDC_PROGRESS_BAR, PROGBUT_SETPERCENT, 42, 0);
    }
    RedrawWindow(page, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SaveWindow(page, shotPath);
    EndDialog(page, END_CANCEL);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    char dir[MAX_PATH];
    CopyText(dir, sizeof dir, commandLine + (commandLine[0] == '"'));
    if (strchr(dir, '"'))
        *strchr(dir, '"') = 0;
    setup.hInstance = instance;
    if (!RegisterWindowClasses())
        return 1;
    setup.whiteBrush = CreateSolidBrush(RGB(255, 255, 255));
    CopyText(setup.title, sizeof setup.title, "Vzorov\xE1 publik\xE1" "cia");   // cp1250
    FormatText(setup.welcomeText, sizeof setup.welcomeText, LoadText(IDS_WELCOME), setup.title);
    FormatText(setup.targetPrompt, sizeof setup.targetPrompt, LoadText(IDS_TARGET_PROMPT), setup.title);
    FormatText(setup.windowTitle, sizeof setup.windowTitle, LoadText(IDS_WINDOW_TITLE), setup.title);
    FormatText(setup.targetDir, sizeof setup.targetDir, "C:\\Program Files\\Vzorka\\%s", setup.title);
    CopyText(setup.groupName, sizeof setup.groupName, "Vzorka");
    setup.requiredKb[0] = 1600;
    setup.requiredKb[1] = 626900;
    setup.installType = 1;
    setup.createGroup = 1;

    static const WORD pages[] = {10000, 10001, 10002, 10003, 10004, 10020, 10021, 10021, 10021};
    static const char *const outcomes[] = {"", "-failed", "-cancelled"};
    for (WORD page : pages) {
        setup.currentPage = page;
        FormatText(shotPath, sizeof shotPath, "%s\\page%u%s.bmp", dir, page,
                   page == PAGE_FINISH ? outcomes[setup.installResult] : "");
        SetTimer(NULL, 0, 1000, ShootPage);
        DialogBoxParamA(instance, MAKEINTRESOURCEA(page), NULL, DialInstDlgProc, 0);
        if (page == PAGE_FINISH)
            setup.installResult++;
    }
    DeleteObject(setup.titleFont);
    DeleteObject(setup.whiteBrush);
    return 0;
}
