#include "ui/controls.h"

#include <shellapi.h>

#include "base/text.h"
#include "resource.h"
#include "shell/desktop_shell.h"
#include "shell/running.h"


PictureState bmpBut;
PictureState bmpButDemo;
ProgButState progBut;
HFONT wwwButFont;
WwwButHotState wwwButHot;

static const COLORREF kLinkColour = RGB(0, 128, 0);
static const COLORREF kHotLinkColour = RGB(0, 0, 255);

int PictureIdFor(const char *text)
{
    if (text[0] >= '1' && text[0] <= '9')
        return text[0] - '0';
    return 1;
}

int BuildWebAddress(const char *text, char *address, size_t size)
{
    if (TextLength(text) <= 2)
        return 0;
    // A cut address would open some other page: open nothing instead.
    if (!JoinText(address, size, "http://", text + 1)) {
        address[0] = 0;
        return 0;
    }
    return 1;
}

// The font of the dialog that the control is on.
static HFONT ParentFont(HWND window)
{
    return (HFONT)SendMessageA(GetParent(window), WM_GETFONT, 0, 0);
}

// The registration. A class without a cursor of its own gets the arrow.

static ATOM RegisterOneClass(const char *name, WNDPROC procedure, HCURSOR cursor,
                             HBRUSH background, int windowExtra, HICON icon)
{
    WNDCLASSA windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = windowExtra;
    windowClass.hInstance = setup.hInstance;
    windowClass.hIcon = icon;
    windowClass.hCursor = cursor != NULL ? cursor : LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass);
}

// The white brush becomes the class's and lives as long as the process; it is
// deleted only when the class could not be registered.
static ATOM RegisterWhiteClass(const char *name, WNDPROC procedure)
{
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    ATOM atom = RegisterOneClass(name, procedure, NULL, white, 0, NULL);
    if (atom == 0 && white != NULL)
        DeleteObject(white);
    return atom;
}

ATOM RegisterDialogClass()
{
    return RegisterOneClass(kDialogClass, DlgIconWndProc, NULL, (HBRUSH)(COLOR_BTNFACE + 1), DLGWINDOWEXTRA,
                            LoadIconA(setup.hInstance, MAKEINTRESOURCEA(IDI_APP)));
}

ATOM RegisterBmpButClass()
{
    return RegisterWhiteClass("BmpButX", BmpButWndProc);
}

ATOM RegisterLineButClass()
{
    return RegisterOneClass("LineBut", LineButWndProc, NULL, NULL, 0, NULL);
}

ATOM RegisterProgButClass()
{
    return RegisterWhiteClass("ProgBut", ProgButWndProc);
}

ATOM RegisterWwwButClass()
{
    return RegisterOneClass("WwwBut", WwwButWndProc, NULL, NULL, 0, NULL);
}

ATOM RegisterWwwButHotClass()
{
    return RegisterOneClass("WwwButHot", WwwButHotWndProc,
                            LoadCursorA(setup.hInstance, MAKEINTRESOURCEA(IDR_HAND_CURSOR)), NULL, 0, NULL);
}

int RegisterWindowClasses()
{
    return RegisterDialogClass() != 0 && RegisterBmpButClass() != 0 && RegisterLineButClass() != 0 &&
           RegisterProgButClass() != 0 && RegisterWwwButClass() != 0 && RegisterWwwButHotClass() != 0;
}

// The dialog class.

LRESULT CALLBACK DlgIconWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefDlgProcA(window, message, wParam, lParam);
}

// The separator.

static void PaintSeparator(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HPEN shadow = CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, shadow);
    MoveToEx(dc, 0, 0, NULL);
    LineTo(dc, client.right, 0);
    HPEN highlight = CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNHIGHLIGHT));
    SelectObject(dc, highlight);
    DeleteObject(shadow);
    MoveToEx(dc, 0, 1, NULL);
    LineTo(dc, client.right, 1);
    SelectObject(dc, oldPen);
    DeleteObject(highlight);
    EndPaint(window, &paint);
}

LRESULT CALLBACK LineButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintSeparator(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The picture panes.

static void LoadPicture(HWND window, PictureState *picture)
{
    char text[2];
    text[0] = 0;
    GetWindowTextA(window, text, sizeof text);
    picture->bitmap = LoadBitmapA(setup.hInstance, MAKEINTRESOURCEA(PictureIdFor(text)));
    picture->width = 0;
    picture->height = 0;
    BITMAP info;
    if (picture->bitmap != NULL && GetObjectA(picture->bitmap, sizeof info, &info) != 0) {
        picture->width = info.bmWidth;
        picture->height = info.bmHeight;
    }
}

// Centred at its natural size times the display's density over 96 dots per
// inch, so that it keeps its place in a page that grows with its font; a
// picture larger than the pane is cropped evenly on both sides. Only a
// picture that is stretched is smoothed: at 96 dpi it is copied as it is.
static void PaintPicture(HWND window, const PictureState *picture, DWORD rop)
{
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HDC memory = CreateCompatibleDC(dc);
    if (memory != NULL) {
        if (picture->bitmap != NULL) {
            int dpi = GetDeviceCaps(dc, LOGPIXELSY);
            int width = MulDiv(picture->width, dpi, 96);
            int height = MulDiv(picture->height, dpi, 96);
            if (width != picture->width) {
                SetStretchBltMode(dc, HALFTONE);
                SetBrushOrgEx(dc, 0, 0, NULL);
            }
            HGDIOBJ old = SelectObject(memory, picture->bitmap);
            StretchBlt(dc, (client.right - width) / 2, (client.bottom - height) / 2, width, height, memory, 0, 0,
                       picture->width, picture->height, rop);
            SelectObject(memory, old);
        }
        DeleteDC(memory);
    }
    EndPaint(window, &paint);
}

static void FreePicture(PictureState *picture)
{
    if (picture->bitmap != NULL)
        DeleteObject(picture->bitmap);
    picture->bitmap = NULL;
}

LRESULT CALLBACK BmpButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        LoadPicture(window, &bmpBut);
        return 0;
    case WM_PAINT:
        PaintPicture(window, &bmpBut, SRCCOPY);
        return 0;
    case WM_DESTROY:
        FreePicture(&bmpBut);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK BmpButDemoWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        LoadPicture(window, &bmpButDemo);
        return 0;
    case WM_PAINT:
        PaintPicture(window, &bmpButDemo, SRCAND);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        FreePicture(&bmpButDemo);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The text a control draws, in UTF-16.
static WCHAR wideText[CONTROL_TEXT_SIZE];

// Writes length characters of text at x, y with the alignment, colour and
// font (NULL: the context's) given, on a transparent background, and puts the
// device context back as it was. GDI reads ANSI text in the system's code
// page, not the program's (which the manifest sets to 1250 where it can): the
// text goes to GDI in UTF-16, converted with the program's code page.
static void DrawTextWith(HDC dc, int x, int y, const char *text, int length, UINT align, COLORREF colour,
                         HFONT font)
{
    UINT oldAlign = SetTextAlign(dc, align);
    SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, colour);
    HGDIOBJ oldFont = font != NULL ? SelectObject(dc, font) : NULL;
    length = MultiByteToWideChar(CP_ACP, 0, text, length, wideText, CONTROL_TEXT_SIZE);
    if (length > 0)
        TextOutW(dc, x, y, wideText, length);
    if (oldFont != NULL)
        SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, OPAQUE);
    SetTextAlign(dc, oldAlign);
}

// The percentage bar.

static void PaintPercentage(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);

    char text[8];
    int length = FormatText(text, sizeof text, "%d%%", progBut.percent);
    DrawTextWith(dc, client.right / 2, 1, text, length, TA_CENTER | TA_TOP, RGB(0, 0, 0), progBut.font);

    // The covered part is inverted: black bar, the digits under it white.
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, black);
    int oldRop = SetROP2(dc, R2_NOTXORPEN);
    Rectangle(dc, client.left, client.top, progBut.percent * client.right / 100, client.bottom);
    SetROP2(dc, oldRop);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (black != NULL)
        DeleteObject(black);
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    SelectObject(dc, oldBrush);
    EndPaint(window, &paint);
}

static LRESULT SetPercentage(HWND window, WPARAM wParam)
{
    short value = (short)LOWORD(wParam);
    if (value >= 0 && value <= 100) {
        progBut.percent = value;
        InvalidateRect(window, NULL, TRUE);
        UpdateWindow(window);
    }
    return progBut.percent;
}

LRESULT CALLBACK ProgButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        progBut.percent = 0;
        progBut.font = ParentFont(window);
        return 0;
    case WM_DESTROY:
        progBut.percent = 0;
        return 0;
    case WM_PAINT:
        PaintPercentage(window);
        return 0;
    case PROGBUT_SETPERCENT:
        return SetPercentage(window, wParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The web links.

// The first character of the text is a layout code: "C" centres, anything
// else aligns left. The rest is shown.
static void PaintLink(HWND window, HFONT font, COLORREF colour)
{
    RECT client;
    GetClientRect(window, &client);
    char text[CONTROL_TEXT_SIZE];
    text[0] = 0;
    text[1] = 0;
    GetWindowTextA(window, text, sizeof text);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const char *shown = text + 1;
    int centred = text[0] == 'C';
    DrawTextWith(dc, centred ? client.right / 2 : 0, 0, shown, (int)TextLength(shown),
                 centred ? TA_CENTER | TA_TOP : TA_LEFT | TA_TOP, colour, font);
    EndPaint(window, &paint);
}

LRESULT CALLBACK WwwButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        wwwButFont = ParentFont(window);
        return 0;
    case WM_PAINT:
        PaintLink(window, wwwButFont, kLinkColour);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void OpenLink(HWND window)
{
    char text[CONTROL_TEXT_SIZE];
    text[0] = 0;
    GetWindowTextA(window, text, sizeof text);
    // The desktop's shell opens it, so that the browser does not run with an
    // elevated installer's rights; without that shell, this process does.
    // The answer is not examined: a link that cannot be opened is not worth a message.
    if (BuildWebAddress(text, wwwButHot.address, sizeof wwwButHot.address) &&
        !OpenAsDesktopUser(wwwButHot.address))
        ShellExecuteA(NULL, NULL, wwwButHot.address, NULL, "C:\\", 0);
}

LRESULT CALLBACK WwwButHotWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        wwwButHot.font = ParentFont(window);
        return 0;
    case WM_PAINT:
        PaintLink(window, wwwButHot.font, kHotLinkColour);
        return 0;
    case WM_LBUTTONDOWN:
        OpenLink(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The centred dialog.

INT_PTR CALLBACK ProgressWndProc(HWND window, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return 0;
    RECT page, desktop;
    GetWindowRect(window, &page);
    GetWindowRect(GetDesktopWindow(), &desktop);
    int width = page.right - page.left;
    int height = page.bottom - page.top;
    MoveWindow(window, (desktop.right - desktop.left - width) / 2, (desktop.bottom - desktop.top - height) / 2,
               width, height, TRUE);
    return 1;
}
