#include "picture.h"

#include <stdio.h>

bool SavePicture(HWND window, const std::string &path)
{
    RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window) {
        RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GetWindowRect(window, &r);
    }
    BITMAPINFOHEADER header = {sizeof header, r.right - r.left, r.bottom - r.top, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    DWORD size = (((DWORD)header.biWidth * 3 + 3) & ~3u) * (DWORD)header.biHeight;
    DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    BITMAPFILEHEADER file = {0x4D42, offset + size, 0, 0, offset};
    HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, (BITMAPINFO *)&header, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, header.biWidth, header.biHeight, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    FILE *out = bits ? fopen(path.c_str(), "wb") : NULL;
    bool written = out && fwrite(&file, sizeof file, 1, out) && fwrite(&header, sizeof header, 1, out) &&
                   fwrite(bits, size, 1, out);
    if (out)
        fclose(out);
    DeleteObject(SelectObject(memory, old));
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return written;
}

