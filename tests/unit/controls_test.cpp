// The installer's window classes, exercised in-process: registration, the
// percentage bar's rule, and what the bar, the picture pane and the links paint.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/setup_state.h"
#include "ui/controls.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
const char *const kClasses[] = {"TALVIREX", "BmpButX", "LineBut", "ProgBut", "WwwBut", "WwwButHot"};

TEST(ControlClasses, RegisterInOrderStoppingAtTheFirstFailure)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    for (const char *name : kClasses)
        UnregisterClassA(name, setup.hInstance);
    WNDCLASSA info, blocker = {0, DefWindowProcA, 0, 0, setup.hInstance, NULL, NULL, NULL, NULL, "ProgBut"};   // the fourth
    ASSERT_NE(0, RegisterClassA(&blocker));
    EXPECT_EQ(0, RegisterWindowClasses());
    std::string registered;
    for (const char *name : kClasses)
        registered += GetClassInfoA(setup.hInstance, name, &info) && info.lpfnWndProc != DefWindowProcA ? '1' : '0';
    EXPECT_EQ("111000", registered);
    for (const char *name : kClasses)
        UnregisterClassA(name, setup.hInstance);
    EXPECT_EQ(1, RegisterWindowClasses());
    const WNDPROC procedures[] = {DlgIconWndProc, BmpButWndProc, LineButWndProc, ProgButWndProc, WwwButWndProc, WwwButHotWndProc};
    for (int i = 0; i < 6; i++) {
        SCOPED_TRACE(kClasses[i]);
        ASSERT_TRUE(GetClassInfoA(setup.hInstance, kClasses[i], &info));
        EXPECT_EQ((void *)procedures[i], (void *)info.lpfnWndProc);
        EXPECT_EQ((UINT)(CS_HREDRAW | CS_VREDRAW), info.style);
        EXPECT_EQ(i == 0 ? DLGWINDOWEXTRA : 0, info.cbWndExtra);
        EXPECT_EQ(i == 0, info.hIcon != NULL);
        EXPECT_EQ(i == 5, info.hCursor != LoadCursorA(NULL, IDC_ARROW));   // the hand
    }
}

// Controls on a grey host, so that a missing white class brush shows.
class Controls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        setup.hInstance = GetModuleHandleA(NULL);
        WNDCLASSA info;
        if (!GetClassInfoA(setup.hInstance, "TALVIREX", &info))
            ASSERT_EQ(1, RegisterWindowClasses());
        // Not activated: destroying an active top-level window makes Wine wait
        // two seconds for a window manager that is not there.
        host = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | SS_GRAYRECT, 20, 20, 420, 460, NULL, NULL,
                               setup.hInstance, NULL);
        ShowWindow(host, SW_SHOWNOACTIVATE);
        UpdateWindow(host);
        background = Capture(host, 1, 1)[0];
        ASSERT_NE(kWhite, background);
    }
    void TearDown() override { DestroyWindow(host); }
    HWND Add(const char *cls, const char *text, int width, int height)
    {
        HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE, 0, 0, width, height, host, (HMENU)100,
                                     setup.hInstance, NULL);
        RedrawWindow(host, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return child;
    }
    // The pixels painted in a window, row by row.
    static std::vector<COLORREF> Capture(HWND window, int width, int height)
    {
        std::vector<COLORREF> pixels;
        HDC dc = GetDC(window);
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                pixels.push_back(GetPixel(dc, x, y));
        ReleaseDC(window, dc);
        return pixels;
    }
    std::vector<COLORREF> Paint(const char *cls, const char *text, int width, int height)
    {
        std::vector<COLORREF> pixels = Capture(Add(cls, text, width, height), width, height);
        DestroyWindow(GetDlgItem(host, 100));
        return pixels;
    }
    HWND host;
    COLORREF background;
};

TEST_F(Controls, PercentageBarTakesOnly0To100AndCoversItsShareInBlackWithInvertedDigits)
{
    HWND bar = Add("ProgBut", "", 200, 16);
    // Only the low 16 bits count, as a signed number.
    const struct { WPARAM sent; LRESULT answer; } steps[] = {{50, 50},  {101, 50}, {(WPARAM)-1, 50}, {0x8000, 50}, {0xFFFF, 50},
                                                             {100, 100}, {0, 0},   {0x10000 + 30, 30}, {(WPARAM)-100, 30}};
    for (const auto &s : steps)
        EXPECT_EQ(s.answer, SendMessageA(bar, PROGBUT_SETPERCENT, s.sent, 0)) << "sent " << s.sent;

    // The two corners (the frame) and four points along the bar, black or white; and whether the
    // digits show: black on the white part, white on the bar.
    auto look = [&](int percent) {
        SendMessageA(bar, PROGBUT_SETPERCENT, percent, 0);
        std::vector<COLORREF> p = Capture(bar, 200, 16);
        std::string seen;
        for (int at : {0, 15 * 200 + 199, 8 * 200 + 20, 14 * 200 + 95, 14 * 200 + 105, 8 * 200 + 198})
            seen += p[at] == kBlack ? 'B' : p[at] == kWhite ? 'W' : '?';
        for (int y = 2; y < 14; y++)
            if (std::count(p.begin() + y * 200 + 85, p.begin() + y * 200 + 115, seen[4] == 'W' ? kBlack : kWhite))
                return seen + " digits";
        return seen;
    };
    EXPECT_EQ("BBWWWW digits", look(0));   // the black "0%" on white
    EXPECT_EQ("BBBBWW digits", look(50));
    EXPECT_EQ("BBBBBB digits", look(100));   // white digits on the black bar
    DestroyWindow(bar);
    EXPECT_EQ(0, SendMessageA(Add("ProgBut", "", 200, 16), PROGBUT_SETPERCENT, 101, 0)) << "a new bar starts at 0";
}

TEST(PictureChoice, LeadingDigitOneToNineElseOne)
{
    const struct { const char *text; int id; } table[] = {{"1", 1}, {"2", 2}, {"9x", 9}, {"0", 1}, {"A", 1}, {"", 1}, {" 2", 1}};
    for (const auto &t : table)
        EXPECT_EQ(t.id, PictureIdFor(t.text)) << '"' << t.text << '"';
}

TEST_F(Controls, PicturePaneCentresItsBitmapOnWhiteAndCropsALargerOneEvenly)
{
    const struct { const char *text; int paneWidth, paneHeight, width, height; } table[] = {{"2", 201, 140, 61, 61},
                                                                                            {"1", 100, 300, 164, 314}};
    for (const auto &t : table) {
        std::vector<COLORREF> p = Paint("BmpButX", t.text, t.paneWidth, t.paneHeight);
        EXPECT_EQ(nullptr, bmpBut.bitmap) << "not freed with its pane";
        int left = (t.paneWidth - t.width) / 2, top = (t.paneHeight - t.height) / 2;
        HDC memory = CreateCompatibleDC(NULL);
        HGDIOBJ old = SelectObject(memory, LoadBitmapA(setup.hInstance, MAKEINTRESOURCEA(t.text[0] - '0')));
        int wrong = 0;
        for (int y = 0; y < t.paneHeight; y += 3)
            for (int x = 0; x < t.paneWidth; x += 3) {
                bool inside = x >= left && x < left + t.width && y >= top && y < top + t.height;
                wrong += p[y * t.paneWidth + x] != (inside ? GetPixel(memory, x - left, y - top) : kWhite);
            }
        EXPECT_EQ(0, wrong) << "pixels unlike picture " << t.text << " placed at " << left << ", " << top;
        DeleteObject(SelectObject(memory, old));
        DeleteDC(memory);
    }
}

TEST_F(Controls, LinkAlignsByItsFirstLetterAndDoesNotDrawIt)
{
    // The first and last column painted on the background; -1 for none.
    auto columns = [&](const std::vector<COLORREF> &p) {
        int left = -1, right = -1;
        for (size_t i = 0; i < p.size(); i++)
            if (p[i] != background) {
                int x = (int)(i % 240);
                left = left < 0 ? x : std::min(left, x);
                right = std::max(right, x);
            }
        return std::make_pair(left, right);
    };
    const struct { const char *cls; COLORREF colour; } kinds[] = {{"WwwBut", RGB(0, 128, 0)}, {"WwwButHot", RGB(0, 0, 255)}};
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.cls);
        std::vector<COLORREF> centred = Paint(k.cls, "Cwww.abc.sk", 240, 20), lower = Paint(k.cls, "cwww.abc.sk", 240, 20);
        auto c = columns(centred), l = columns(lower);
        EXPECT_NE(0, std::count(centred.begin(), centred.end(), k.colour));
        EXPECT_NEAR(120, (c.first + c.second) / 2, 3);
        EXPECT_TRUE(l.first >= 0 && l.first <= 2) << l.first;
        EXPECT_EQ(c.second - c.first, l.second - l.first);
        EXPECT_TRUE(lower == Paint(k.cls, "xwww.abc.sk", 240, 20)) << "the layout letter was drawn";
        EXPECT_EQ(-1, columns(Paint(k.cls, "C", 240, 20)).first);
        EXPECT_EQ(-1, columns(Paint(k.cls, "", 240, 20)).first);
    }
}

TEST(WebAddress, IsHttpAndTheTextAfterTheLayoutLetter)
{
    const std::string longest(98, 'w');   // the most a 100-byte text read can carry
    // No address: nothing to open, and an address that does not fit is not opened in a cut form.
    const struct { std::string text; size_t room; std::string address; } table[] = {
        {"Cwww.vzorka.example", WEB_ADDRESS_SIZE, "http://www.vzorka.example"}, {"cab", WEB_ADDRESS_SIZE, "http://ab"},
        {"Ca", WEB_ADDRESS_SIZE, ""}, {"C", WEB_ADDRESS_SIZE, ""}, {"", WEB_ADDRESS_SIZE, ""},
        {"C" + longest, WEB_ADDRESS_SIZE, "http://" + longest}, {"Cwww.vzorka.example", 16, ""}};
    for (const auto &t : table) {
        char address[WEB_ADDRESS_SIZE] = "";
        EXPECT_EQ(!t.address.empty(), BuildWebAddress(t.text.c_str(), address, t.room)) << t.text;
        EXPECT_EQ(t.address, address) << t.text;
    }
}

}  // namespace
