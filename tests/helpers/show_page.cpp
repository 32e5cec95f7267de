// Shows wizard page templates with the installer's window classes, one after
// another, for screenshots and layout checks:
//     show_page.exe [sample] [failed|cancelled] ID...
// Next, Back and Cancel end a page. With "sample" the placeholders get texts of
// the length the wizard puts there, so that a screenshot shows whether they fit;
// "failed" and "cancelled" choose the finish page's texts.
// The page procedure here is a stand-in: it gives the title its bold font and
// the texts their white background the way the wizard does, nothing more.
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "app/messages.h"
#include "app/setup_state.h"
#include "app/text.h"
#include "resource.h"
#include "ui/controls.h"

static const char kTitle[] = "Vzorov\xE1 publik\xE1" "cia";   // cp1250
static int sampleTexts;
static HFONT boldFont;
static HBRUSH white;

static void SetFormatted(HWND page, int id, UINT format, ...)
{
    char text[TEXT_BUFFER_SIZE];
    va_list args;
    va_start(args, format);
    _vsnprintf(text, sizeof text, LoadText(format), args);
    va_end(args);
    text[sizeof text - 1] = 0;
    SetDlgItemTextA(page, id, text);
}

static void FillSample(HWND page)
{
    switch (setup.currentPage) {
    case IDD_WELCOME:
        SetFormatted(page, IDC_WELCOME_TEXT, IDS_WELCOME, kTitle);
        break;
    case IDD_TYPE:
        CheckRadioButton(page, IDC_TYPE_MINIMAL, IDC_TYPE_MAXIMAL, IDC_TYPE_MAXIMAL);
        CheckDlgButton(page, IDC_TYPE_GROUP, BST_CHECKED);
        SetFormatted(page, IDC_TYPE_MIN_SIZE, IDS_TYPE_SIZE, 1UL, 50U);
        SetFormatted(page, IDC_TYPE_MAX_SIZE, IDS_TYPE_SIZE, 612UL, 7U);
        break;
    case IDD_TARGET:
        SetFormatted(page, IDC_TARGET_PROMPT, IDS_TARGET_PROMPT, kTitle);
        SetDlgItemTextA(page, IDC_TARGET_EDIT, "C:\\Program Files\\Vzorka\\Vzorov\xE1 publik\xE1" "cia");
        SetFormatted(page, IDC_TARGET_FREE, IDS_FREE_SPACE, 'C', 12345UL, 67U);
        SetFormatted(page, IDC_TARGET_SIZE, IDS_REQUIRED_SPACE, 612UL, 7U);
        break;
    case IDD_GROUP: {
        static const char *const groups[] = {"Pr\xEDslu\x9A" "enstvo", "Hry", "Kancel\xE1ria", "Vzorka",
                                             "Sp\xFA\x9A\x9D" "acie polo\x9Eky"};
        for (const char *group : groups)
            SendDlgItemMessageA(page, IDC_GROUP_COMBO, CB_ADDSTRING, 0, (LPARAM)group);
        SetDlgItemTextA(page, IDC_GROUP_COMBO, "Vzorka");
        break;
    }
    case IDD_PROGRESS: {
        char line[TEXT_BUFFER_SIZE];
        CopyText(line, sizeof line, LoadText(IDS_COPYING));
        AppendText(line, sizeof line, "KNIHA\\KAPITOLA1.DAT");
        SetDlgItemTextA(page, IDC_PROGRESS_LINE, line);
        SendDlgItemMessageA(page, IDC_PROGRESS_BAR, PROGBUT_SETPERCENT, 42, 0);
        break;
    }
    case IDD_FINISH:
        SetFormatted(page, IDC_FINISH_STATUS, IDS_FINISH_STATUS + setup.installResult, kTitle);
        SetDlgItemTextA(page, IDC_FINISH_DETAIL, LoadText(IDS_FINISH_DETAIL + setup.installResult));
        break;
    }
}

static INT_PTR OnInitPage(HWND page)
{
    char caption[TEXT_BUFFER_SIZE];
    FormatText(caption, sizeof caption, LoadText(IDS_WINDOW_TITLE), kTitle);
    SetWindowTextA(page, caption);
    SetWindowPos(page, NULL, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (boldFont == NULL) {
        LOGFONTA font;
        HFONT pageFont = (HFONT)SendMessageA(page, WM_GETFONT, 0, 0);
        if (pageFont != NULL && GetObjectA(pageFont, sizeof font, &font) != 0) {
            font.lfWeight = FW_BOLD;
            boldFont = CreateFontIndirectA(&font);
        }
    }
    setup.titleControl = GetDlgItem(page, IDC_TITLE);
    if (boldFont != NULL && setup.titleControl != NULL)
        SendMessageA(setup.titleControl, WM_SETFONT, (WPARAM)boldFont, TRUE);
    if (sampleTexts)
        FillSample(page);
    return TRUE;
}

static INT_PTR OnStaticColour(HWND control)
{
    if (setup.currentPage == IDD_WELCOME || setup.currentPage == IDD_FINISH || control == setup.titleControl)
        return (INT_PTR)white;
    return 0;
}

static INT_PTR CALLBACK ShowPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitPage(page);
    case WM_CTLCOLORSTATIC:
        return OnStaticColour((HWND)lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_NEXT || LOWORD(wParam) == IDC_BACK || LOWORD(wParam) == IDC_CANCEL)
            EndDialog(page, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(page, IDC_CANCEL);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    setup.hInstance = instance;
    if (!RegisterWindowClasses())
        return 1;
    white = CreateSolidBrush(RGB(255, 255, 255));
    int result = 0;
    char arguments[512];
    CopyText(arguments, sizeof arguments, commandLine);
    for (char *word = strtok(arguments, " \t"); word != NULL; word = strtok(NULL, " \t")) {
        if (strcmp(word, "sample") == 0) {
            sampleTexts = 1;
            continue;
        }
        if (strcmp(word, "failed") == 0 || strcmp(word, "cancelled") == 0) {
            setup.installResult = word[0] == 'f' ? RESULT_FAILED : RESULT_CANCELLED;
            continue;
        }
        setup.currentPage = (PageId)atoi(word);
        INT_PTR code = DialogBoxParamA(instance, MAKEINTRESOURCEA(setup.currentPage), NULL, ShowPageProc, 0);
        if (code == -1)
            result = 2;
    }
    if (boldFont != NULL)
        DeleteObject(boldFont);
    DeleteObject(white);
    return result;
}
