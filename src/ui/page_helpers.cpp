#include "ui/page_helpers.h"

#include "base/messages.h"
#include "base/sizes.h"
#include "base/text.h"
#include "resource.h"

enum { SIZE_TEXT_SIZE = 100 };

// The program's buffers rather than the stack's: the functions need no stack guard.
static char sizeText[SIZE_TEXT_SIZE];

int GetTrimmedItemText(HWND page, int id, char *buffer, int size)
{
    int length = GetDlgItemTextA(page, id, buffer, size);
    return TrimText(buffer, length);
}

void ShowSizeText(HWND page, int id, UINT textId, DWORD kb)
{
    DWORD megabytes;
    UINT hundredths;
    SplitKbToMb(kb, &megabytes, &hundredths);
    FormatText(sizeText, sizeof sizeText, LoadText(textId), megabytes, hundredths);
    SetDlgItemTextA(page, id, sizeText);
}

HFONT CreateBoldFont(HWND page)
{
    HFONT font = (HFONT)SendMessageA(page, WM_GETFONT, 0, 0);
    LOGFONTA description;
    if (!GetObjectA(font, sizeof description, &description))
        return NULL;
    description.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&description);
}

int CentreOffset(int outer, int inner)
{
    return (outer - inner) >> 1;
}

void EndPage(HWND page, INT_PTR code)
{
    GetWindowRect(page, &setup.dialogPos);
    EndDialog(page, code);
}
