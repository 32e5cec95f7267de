// The installer's window classes, exercised in-process: registration, the
// percentage bar's rule, and what the panes, separators and links paint.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setup_state.h"
#include "ui/controls.h"

namespace {

const char *const kClassNames[] = {"TALVIREX", "BmpButX", "LineBut", "ProgBut", "WwwBut", "WwwButHot"};

bool ClassRegistered(const char *name)
{
    WNDCLASSA info;
    return GetClassInfoA(GetModuleHandleA(NULL), name, &info) != 0;
}

// The classes can be registered once per process; every test needs them.
void EnsureClassesRegistered()
{
    setup.hInstance = GetModuleHandleA(NULL);
    if (!ClassRegistered("TALVIREX"))
        ASSERT_EQ(1, RegisterWindowClasses());
}

const COLORREF kWhite = RGB(255, 255, 255);

// A visible top-level window with a white background, holding the control
// under test; both go away with the object.
class Host {
public:
    explicit Host(COLORREF background = kWhite, WNDPROC parentProc = DefWindowProcA)
    {
        static int serial = 0;
        className_ = "ControlsTestHost" + std::to_string(++serial);
        brush_ = CreateSolidBrush(background);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hbrBackground = brush_;
        wc.lpszClassName = className_.c_str();
        RegisterClassA(&wc);
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, className_.c_str(), "host", WS_POPUP, 20, 20, 420, 460,
                                  NULL, NULL, GetModuleHandleA(NULL), NULL);
        // Not activated: destroying an active top-level window makes Wine
        // wait two seconds for a window manager that is not there.
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
    ~Host()
    {
        if (window_)
            DestroyWindow(window_);
        UnregisterClassA(className_.c_str(), GetModuleHandleA(NULL));
        DeleteObject(brush_);
    }
    HWND window() const { return window_; }

    // Creates a child of the given class and text and lets everything paint.
    HWND Add(const char *cls, const char *text, int width, int height, int id = 100)
    {
        HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE, 0, 0, width, height, window_,
                                     (HMENU)(INT_PTR)id, GetModuleHandleA(NULL), NULL);
        Paint();
        return child;
    }
    void Paint()
    {
        RedrawWindow(window_, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }

private:
    std::string className_;
    HBRUSH brush_;
    HWND window_;
};

// The pixels of a window's client area, as painted.
struct Pixels {
    int width = 0, height = 0;
    std::vector<COLORREF> data;
    COLORREF at(int x, int y) const { return data[y * width + x]; }
    bool operator==(const Pixels &o) const { return width == o.width && height == o.height && data == o.data; }
};

Pixels Capture(HWND window)
{
    Pixels p;
    RECT r;
    GetClientRect(window, &r);
    p.width = r.right;
    p.height = r.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = -p.height;   // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP copy = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, p.width, p.height, dc, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD *pixel = (const DWORD *)bits;
    for (int i = 0; i < p.width * p.height; i++)   // 0x00RRGGBB to COLORREF
        p.data.push_back(RGB((pixel[i] >> 16) & 0xFF, (pixel[i] >> 8) & 0xFF, pixel[i] & 0xFF));
    SelectObject(memory, old);
    DeleteObject(copy);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return p;
}

std::string Hex(COLORREF c)
{
    char text[16];
    snprintf(text, sizeof text, "%06lX", (unsigned long)c);
    return text;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        EnsureClassesRegistered();
    }
};

// ---------------------------------------------------------------- registration

TEST(ControlRegistration, StopsAtTheFirstClassThatFails)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    for (const char *name : kClassNames)
        UnregisterClassA(name, setup.hInstance);

    // A class of the same name already there makes the fourth registration fail.
    WNDCLASSA blocker = {};
    blocker.lpfnWndProc = DefWindowProcA;
    blocker.hInstance = setup.hInstance;
    blocker.lpszClassName = "ProgBut";
    ASSERT_NE(0, RegisterClassA(&blocker));
    EXPECT_EQ(0, RegisterWindowClasses());
    EXPECT_TRUE(ClassRegistered("TALVIREX"));
    EXPECT_TRUE(ClassRegistered("BmpButX"));
    EXPECT_TRUE(ClassRegistered("LineBut"));
    EXPECT_FALSE(ClassRegistered("WwwBut"));
    EXPECT_FALSE(ClassRegistered("WwwButHot"));

    for (const char *name : kClassNames)
        UnregisterClassA(name, setup.hInstance);
    EXPECT_EQ(1, RegisterWindowClasses());
    for (const char *name : kClassNames)
        EXPECT_TRUE(ClassRegistered(name)) << name;
}

TEST_F(Controls, ClassesCarryTheirProceduresBrushesIconAndHandCursor)
{
    struct Expected {
        const char *name;
        WNDPROC procedure;
        int windowExtra;
        bool whiteBrush;
    };
    const Expected table[] = {
        {"TALVIREX", DlgIconWndProc, DLGWINDOWEXTRA, false}, {"BmpButX", BmpButWndProc, 0, true},
        {"LineBut", LineButWndProc, 0, false},               {"ProgBut", ProgButWndProc, 0, true},
        {"WwwBut", WwwButWndProc, 0, false},                 {"WwwButHot", WwwButHotWndProc, 0, false},
    };
    for (const Expected &e : table) {
        SCOPED_TRACE(e.name);
        WNDCLASSA info;
        ASSERT_TRUE(GetClassInfoA(setup.hInstance, e.name, &info));
        EXPECT_EQ((void *)e.procedure, (void *)info.lpfnWndProc);
        EXPECT_EQ((UINT)(CS_HREDRAW | CS_VREDRAW), info.style);
        EXPECT_EQ(e.windowExtra, info.cbWndExtra);
        EXPECT_EQ(0, info.cbClsExtra);
        EXPECT_NE(nullptr, info.hCursor);
        if (e.whiteBrush) {
            LOGBRUSH brush;
            ASSERT_EQ((int)sizeof brush, GetObjectA(info.hbrBackground, sizeof brush, &brush));
            EXPECT_EQ((UINT)BS_SOLID, brush.lbStyle);
            EXPECT_EQ(kWhite, brush.lbColor);
        } else if (e.procedure == DlgIconWndProc) {
            EXPECT_EQ((HBRUSH)(COLOR_BTNFACE + 1), info.hbrBackground);
            EXPECT_NE(nullptr, info.hIcon);
        } else {
            EXPECT_EQ(nullptr, info.hbrBackground);
        }
    }

    // The link's cursor is the hand from the resources, pointing at (5, 0).
    WNDCLASSA hot;
    ASSERT_TRUE(GetClassInfoA(setup.hInstance, "WwwButHot", &hot));
    EXPECT_NE(LoadCursorA(NULL, IDC_ARROW), hot.hCursor);
    ICONINFO cursor;
    ASSERT_TRUE(GetIconInfo(hot.hCursor, &cursor));
    EXPECT_FALSE(cursor.fIcon);
    EXPECT_EQ(5u, cursor.xHotspot);
    EXPECT_EQ(0u, cursor.yHotspot);
    BITMAP mask;
    ASSERT_TRUE(GetObjectA(cursor.hbmMask, sizeof mask, &mask));
    EXPECT_EQ(32, mask.bmWidth);
    EXPECT_EQ(nullptr, cursor.hbmColor);   // monochrome: AND and XOR masks in one bitmap
    DeleteObject(cursor.hbmMask);
    if (cursor.hbmColor)
        DeleteObject(cursor.hbmColor);
}

// ---------------------------------------------------------------- percentage bar

TEST_F(Controls, PercentageBarTakesOnly0To100AndAnswersTheValueInForce)
{
    Host host;
    HWND bar = host.Add("ProgBut", "", 200, 16);
    ASSERT_NE(nullptr, bar);
    struct Step {
        WPARAM sent;
        LRESULT answer;
    };
    const Step steps[] = {
        {50, 50},
        {101, 50},                       // above 100
        {(WPARAM)-1, 50},                // negative
        {0x8000, 50},                    // negative as a 16-bit number
        {0xFFFF, 50},
        {100, 100},
        {0, 0},
        {0x10000 + 30, 30},              // only the low 16 bits count
        {(WPARAM)-100, 30},
    };
    for (const Step &s : steps)
        EXPECT_EQ(s.answer, SendMessageA(bar, PROGBUT_SETPERCENT, s.sent, 0)) << "sent " << s.sent;

    // A new bar starts again at 0.
    DestroyWindow(bar);
    bar = host.Add("ProgBut", "", 200, 16);
    EXPECT_EQ(0, SendMessageA(bar, PROGBUT_SETPERCENT, 101, 0));
}

TEST_F(Controls, PercentageBarCoversItsShareInBlackWithInvertedDigits)
{
    Host host;
    HWND bar = host.Add("ProgBut", "", 200, 16);
    ASSERT_NE(nullptr, bar);
    const COLORREF black = RGB(0, 0, 0);
    auto digitsHave = [](const Pixels &p, COLORREF colour) {
        for (int y = 2; y < p.height - 2; y++)
            for (int x = 85; x < 115; x++)
                if (p.at(x, y) == colour)
                    return true;
        return false;
    };

    SendMessageA(bar, PROGBUT_SETPERCENT, 0, 0);
    Pixels empty = Capture(bar);
    EXPECT_EQ(black, empty.at(0, 0));            // frame
    EXPECT_EQ(black, empty.at(199, 15));
    EXPECT_EQ(kWhite, empty.at(20, 8));
    EXPECT_EQ(kWhite, empty.at(180, 8));
    EXPECT_TRUE(digitsHave(empty, black)) << "no \"0%\" drawn";

    SendMessageA(bar, PROGBUT_SETPERCENT, 50, 0);
    Pixels half = Capture(bar);
    EXPECT_EQ(black, half.at(20, 8)) << Hex(half.at(20, 8));
    EXPECT_EQ(black, half.at(95, 14));
    EXPECT_EQ(kWhite, half.at(105, 14));
    EXPECT_EQ(kWhite, half.at(180, 8));

    SendMessageA(bar, PROGBUT_SETPERCENT, 100, 0);
    Pixels full = Capture(bar);
    EXPECT_EQ(black, full.at(20, 8));
    EXPECT_EQ(black, full.at(180, 8));
    EXPECT_EQ(black, full.at(198, 14));
    EXPECT_TRUE(digitsHave(full, kWhite)) << "the digits under the bar are not inverted";
}

// ---------------------------------------------------------------- picture panes

TEST(PictureChoice, LeadingDigitOneToNineElseOne)
{
    const struct {
        const char *text;
        int id;
    } table[] = {{"1", 1}, {"2", 2}, {"9x", 9}, {"0", 1}, {"A", 1}, {"", 1}, {" 2", 1}};
    for (const auto &t : table)
        EXPECT_EQ(t.id, PictureIdFor(t.text)) << '"' << t.text << '"';
}

TEST_F(Controls, PicturePaneLoadsTheBitmapItsTextNames)
{
    const struct {
        const char *text;
        int width, height;
    } table[] = {{"0", 164, 314}, {"A", 164, 314}, {"", 164, 314}, {"1", 164, 314}, {"2", 61, 61}, {"8", 0, 0}};
    for (const auto &t : table) {
        SCOPED_TRACE(std::string("text \"") + t.text + "\"");
        Host host;
        HWND pane = host.Add("BmpButX", t.text, 120, 120);
        ASSERT_NE(nullptr, pane);
        EXPECT_EQ(t.width, bmpBut.width);
        EXPECT_EQ(t.height, bmpBut.height);
        EXPECT_EQ(t.width != 0, bmpBut.bitmap != NULL);
        DestroyWindow(pane);
        EXPECT_EQ(nullptr, bmpBut.bitmap);
    }
}

// Compares a painted pane with the bitmap placed at (left, top), white around it.
void ExpectPicturePlacedAt(const Pixels &pane, int left, int top, int width, int height, int bitmapId)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(bitmapId));
    ASSERT_NE(nullptr, bitmap);
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int wrong = 0;
    for (int y = 0; y < pane.height; y += 3) {
        for (int x = 0; x < pane.width; x += 3) {
            bool inside = x >= left && x < left + width && y >= top && y < top + height;
            COLORREF want = inside ? GetPixel(memory, x - left, y - top) : kWhite;
            if (pane.at(x, y) != want && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << Hex(pane.at(x, y)) << ", not " << Hex(want);
        }
    }
    EXPECT_EQ(0, wrong);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

TEST_F(Controls, PicturePaneCentresItsBitmapAndCropsALargerOneEvenly)
{
    {
        Host host;
        HWND pane = host.Add("BmpButX", "2", 201, 140);
        ExpectPicturePlacedAt(Capture(pane), (201 - 61) / 2, (140 - 61) / 2, 61, 61, 2);
    }
    {
        Host host;
        HWND pane = host.Add("BmpButX", "1", 100, 300);
        ExpectPicturePlacedAt(Capture(pane), (100 - 164) / 2, (300 - 314) / 2, 164, 314, 1);
    }
}

// The demonstration pane combines its picture with what is beneath (AND).
TEST_F(Controls, DemoPaneAndsItsPictureWithTheBackground)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BmpButDemoWndProc;
    wc.hInstance = setup.hInstance;
    wc.lpszClassName = "ControlsTestDemoPane";
    if (!ClassRegistered(wc.lpszClassName))
        ASSERT_NE(0, RegisterClassA(&wc));
    Host host(RGB(255, 0, 0));
    HWND pane = host.Add(wc.lpszClassName, "1", 164, 314);
    ASSERT_NE(nullptr, pane);
    EXPECT_EQ(164, bmpButDemo.width);
    Pixels p = Capture(pane);
    HBITMAP bitmap = LoadBitmapA(setup.hInstance, MAKEINTRESOURCEA(1));
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (int y = 10; y < 314; y += 50)
        for (int x = 10; x < 164; x += 50)
            EXPECT_EQ(GetPixel(memory, x, y) & RGB(255, 0, 0), p.at(x, y)) << x << ", " << y;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    DestroyWindow(pane);
    EXPECT_EQ(nullptr, bmpButDemo.bitmap);
}

// ---------------------------------------------------------------- separator

TEST_F(Controls, SeparatorDrawsShadowOverHighlight)
{
    Host host;
    HWND line = host.Add("LineBut", "", 120, 2);
    Pixels p = Capture(line);
    for (int x = 0; x < 120; x += 7) {
        EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), p.at(x, 0)) << x;
        EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), p.at(x, 1)) << x;
    }
}

// ---------------------------------------------------------------- links

struct Ink {
    int left = -1, right = -1;   // columns of the first and last painted pixel
    int count = 0;
    bool pureColour = false;     // some pixel has exactly the text colour
};

Ink InkOf(const Pixels &p, COLORREF colour)
{
    Ink ink;
    for (int y = 0; y < p.height; y++)
        for (int x = 0; x < p.width; x++)
            if (p.at(x, y) != kWhite) {
                ink.count++;
                ink.left = ink.left < 0 || x < ink.left ? x : ink.left;
                ink.right = x > ink.right ? x : ink.right;
                ink.pureColour |= p.at(x, y) == colour;
            }
    return ink;
}

Pixels PaintLink(const char *cls, const char *text)
{
    Host host;
    HWND link = host.Add(cls, text, 240, 20);
    return Capture(link);
}

TEST_F(Controls, LinkAlignsByItsFirstCharacterAndDoesNotDrawIt)
{
    const struct {
        const char *cls;
        COLORREF colour;
    } kinds[] = {{"WwwBut", RGB(0, 128, 0)}, {"WwwButHot", RGB(0, 0, 255)}};
    for (const auto &kind : kinds) {
        SCOPED_TRACE(kind.cls);
        Pixels centred = PaintLink(kind.cls, "Cwww.abc.sk");
        Pixels lower = PaintLink(kind.cls, "cwww.abc.sk");
        Pixels other = PaintLink(kind.cls, "xwww.abc.sk");
        Ink c = InkOf(centred, kind.colour), l = InkOf(lower, kind.colour);
        ASSERT_GT(c.count, 0);
        EXPECT_TRUE(c.pureColour);
        EXPECT_NEAR(240 / 2, (c.left + c.right) / 2, 3);
        EXPECT_LE(l.left, 2);
        // Only the text after the layout character is drawn, so any other
        // first character paints the same.
        EXPECT_TRUE(lower == other);
        EXPECT_EQ(c.count, l.count);
        EXPECT_EQ(c.right - c.left, l.right - l.left);
        EXPECT_EQ(0, InkOf(PaintLink(kind.cls, "C"), kind.colour).count);
        EXPECT_EQ(0, InkOf(PaintLink(kind.cls, ""), kind.colour).count);
    }
}

TEST(WebAddress, IsHttpAndTheTextAfterTheLayoutCharacter)
{
    const std::string longest(98, 'w');   // the most a 100-byte text read can carry
    const struct {
        std::string text;
        int built;
        std::string address;
    } table[] = {
        {"Cwww.vzorka.example", 1, "http://www.vzorka.example"},
        {"cab", 1, "http://ab"},
        {"Ca", 0, ""},
        {"C", 0, ""},
        {"", 0, ""},
        {"C" + longest, 1, "http://" + longest},
    };
    for (const auto &t : table) {
        char address[WEB_ADDRESS_SIZE] = "unchanged";
        EXPECT_EQ(t.built, BuildWebAddress(t.text.c_str(), address, sizeof address)) << t.text;
        if (t.built)
            EXPECT_EQ(t.address, address);
    }
    // An address that does not fit is not opened in a cut form.
    char small[16];
    EXPECT_EQ(0, BuildWebAddress("Cwww.vzorka.example", small, sizeof small));
    EXPECT_STREQ("", small);
}

// ---------------------------------------------------------------- pages

INT_PTR CALLBACK QuietPage(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

TEST_F(Controls, EveryPageOpensWithTheInstallersClassesAndNextAsDefault)
{
    const WORD pages[] = {10000, 10001, 10002, 10003, 10004, 10020, 10021};
    for (WORD id : pages) {
        SCOPED_TRACE(id);
        HWND page = CreateDialogParamA(setup.hInstance, MAKEINTRESOURCEA(id), NULL, QuietPage, 0);
        ASSERT_NE(nullptr, page);
        char name[32];
        GetClassNameA(page, name, sizeof name);
        EXPECT_STREQ("TALVIREX", name);
        EXPECT_EQ(MAKELONG(1, DC_HASDEFID), SendMessageA(page, DM_GETDEFID, 0, 0));
        // The picture pane came first and loaded its bitmap.
        HWND first = GetWindow(page, GW_CHILD);
        GetClassNameA(first, name, sizeof name);
        EXPECT_STREQ("BmpButX", name);
        EXPECT_NE(nullptr, bmpBut.bitmap);
        EXPECT_EQ(id == 10020, (GetWindowLongA(page, GWL_STYLE) & WS_VISIBLE) != 0);
        DestroyWindow(page);
    }
}

TEST_F(Controls, TypePageTabsThroughItsChoicesAndLeavesCheckMarksToTheProcedure)
{
    HWND page = CreateDialogParamA(setup.hInstance, MAKEINTRESOURCEA(10001), NULL, QuietPage, 0);
    ASSERT_NE(nullptr, page);
    std::vector<int> stops;
    HWND first = GetDlgItem(page, 60);
    HWND item = first;
    do {
        stops.push_back(GetDlgCtrlID(item));
        item = GetNextDlgTabItem(page, item, FALSE);
    } while (item != NULL && item != first && stops.size() < 20);
    EXPECT_EQ((std::vector<int>{60, 1101, 1102, 46, 1, 45}), stops);
    // The arrow keys move within the group of the two radio buttons.
    EXPECT_EQ(GetDlgItem(page, 61), GetNextDlgGroupItem(page, first, FALSE));

    // Clicks reach the page procedure (here one that ignores them) and change
    // no check mark by themselves.
    const int buttons[] = {60, 61, 1101, 1102};
    for (int id : buttons) {
        SendDlgItemMessageA(page, id, BM_CLICK, 0, 0);
        EXPECT_EQ((UINT)BST_UNCHECKED, IsDlgButtonChecked(page, id)) << id;
    }
    DestroyWindow(page);
}

TEST_F(Controls, ProgressDialogProcedureCentresItsWindow)
{
    HWND page = CreateDialogParamA(setup.hInstance, MAKEINTRESOURCEA(10001), NULL, ProgressWndProc, 0);
    ASSERT_NE(nullptr, page);
    RECT r, desktop;
    GetWindowRect(page, &r);
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_NEAR((desktop.right - desktop.left) / 2, (r.left + r.right) / 2, 1);
    EXPECT_NEAR((desktop.bottom - desktop.top) / 2, (r.top + r.bottom) / 2, 1);
    DestroyWindow(page);
}

}  // namespace
