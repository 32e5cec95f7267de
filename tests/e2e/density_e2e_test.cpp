// The pages on a display of 144 dots per inch (150 %). Wine draws every program
// at the display's density, as Windows draws one that says it is aware of it:
// the pages grow with their font, and each picture must grow with them.
#include <algorithm>

#include "wizard_fixture.h"

namespace wizard {
namespace {

struct Box {
    int width, height;
};

// The bounding box of the pixels of bitmap that are not white; the bitmap is deleted.
Box Inked(HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectA(bitmap, sizeof size, &size);
    int width = size.bmWidth, height = size.bmHeight, left = width, right = -1, top = height, bottom = -1;
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> pixels((size_t)width * height);
    HDC screen = GetDC(NULL);
    GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(NULL, screen);
    DeleteObject(bitmap);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            if ((pixels[(size_t)y * width + x] & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return {right - left + 1, bottom - top + 1};
}

// What the screen shows in r.
HBITMAP Capture(const RECT &r)
{
    HDC screen = GetDC(NULL), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return bitmap;
}

TEST_F(WizardTest, At144DpiEachPictureFillsItsPlaceAndTheControlsStayInsideThePage)
{
    WriteDefaultMedium();
    DWORD dpi = 144;   // read by each program as it starts
    testsupport::RegistryValue density(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    ASSERT_TRUE(density.SetRaw(&dpi, sizeof dpi, REG_DWORD));
    HMODULE installer = LoadLibraryExA(Installer().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HWND page;
    ASSERT_TRUE(Start() && WaitForPage(10000, &page));
    // The side picture on the welcome page, the header picture on the others.
    const struct { int page, picture; } pages[] = {{10000, 1}, {10001, 2}, {10002, 2}, {10003, 2}, {10004, 2}};
    for (const auto &p : pages) {
        SCOPED_TRACE(p.page);
        ASSERT_TRUE(p.page == 10000 || Walk(&page, {p.page}));
        RECT client, inside;
        GetClientRect(page, &client);
        MapWindowPoints(page, NULL, (POINT *)&client, 2);
        inside = client;
        InflateRect(&inside, 1, 1);   // a control's place and size are each rounded to pixels
        for (HWND c = GetWindow(page, GW_CHILD); c != NULL; c = GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(c, &r);
            EXPECT_TRUE(r.left >= inside.left && r.top >= inside.top && r.right <= inside.right && r.bottom <= inside.bottom)
                << "control " << GetDlgCtrlID(c) << " " << robot::WindowText(c);
        }

        // At its natural size times 1.5, centred and cropped by its pane (at its natural size the
        // pane would show white margins); smoothing may spread its edges by a pixel or two.
        RECT pane;
        GetWindowRect(FindWindowExA(page, NULL, "BmpButX", NULL), &pane);
        IntersectRect(&pane, &pane, &client);
        Box natural = Inked((HBITMAP)LoadImageA(installer, MAKEINTRESOURCEA(p.picture), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        Box shown = {0, 0}, expected = {std::min<int>(pane.right - pane.left, natural.width * 3 / 2),
                                        std::min<int>(pane.bottom - pane.top, natural.height * 3 / 2)};
        ASSERT_GT(pane.right - pane.left, natural.width * 4 / 3) << "the page is not drawn at 144 dpi";
        robot::WaitUntil([&] {
            RedrawWindow(page, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            shown = Inked(Capture(pane));
            return std::abs(expected.width - shown.width) <= 4 && std::abs(expected.height - shown.height) <= 4;
        }, "the picture", 3000);
        EXPECT_NEAR(expected.width, shown.width, 4);
        EXPECT_NEAR(expected.height, shown.height, 4);
    }
    FreeLibrary(installer);
}

}  // namespace
}  // namespace wizard
