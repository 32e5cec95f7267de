// The installer's window classes in-process: registration, bar range, picture choice, links.
#include <algorithm>

#include "test_support.h"
#include "ui/controls.h"

namespace {

TEST(ControlClasses, PagesKeepADialogsExtraBytesAndOnlyTheHotLinkShowsTheHand)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    WNDCLASSA info;
    if (!GetClassInfoA(setup.hInstance, "TALVIREX", &info)) {
        ASSERT_EQ(1, RegisterWindowClasses());
    }
    ASSERT_TRUE(GetClassInfoA(setup.hInstance, "TALVIREX", &info));
    EXPECT_TRUE(info.cbWndExtra == DLGWINDOWEXTRA && info.hIcon != NULL && info.lpfnWndProc == DlgIconWndProc);
    const struct { const char *name; bool hand; } links[] = {{"WwwBut", false}, {"WwwButHot", true}};
    for (const auto &l : links)
        EXPECT_EQ(l.hand, GetClassInfoA(setup.hInstance, l.name, &info) && info.hCursor != LoadCursorA(NULL, IDC_ARROW));
}

TEST(PictureChoice, LeadingDigitOneToNineElseOne)
{
    const struct { const char *text; int id; } table[] = {{"1", 1}, {"2", 2}, {"9x", 9}, {"0", 1}, {"A", 1}, {"", 1}, {" 2", 1}};
    for (const auto &t : table)
        EXPECT_EQ(t.id, PictureIdFor(t.text)) << '"' << t.text << '"';
}

TEST(Controls, PercentageBarTakesOnly0To100)
{
    setup.hInstance = GetModuleHandleA(NULL);
    RegisterWindowClasses();
    HWND bar = CreateWindowExA(0, "ProgBut", "", WS_POPUP, 0, 0, 200, 16, NULL, NULL, setup.hInstance, NULL);
    // Only the low 16 bits count, as a signed number.
    const struct { WPARAM sent; LRESULT answer; } steps[] = {
        {50, 50}, {101, 50}, {(WPARAM)-1, 50}, {0x8000, 50}, {100, 100}, {0, 0}, {0x10000 + 30, 30}, {(WPARAM)-100, 30}};
    for (const auto &s : steps)
        EXPECT_EQ(s.answer, SendMessageA(bar, PROGBUT_SETPERCENT, s.sent, 0)) << "sent " << s.sent;
    DestroyWindow(bar);
    bar = CreateWindowExA(0, "ProgBut", "", WS_POPUP, 0, 0, 200, 16, NULL, NULL, setup.hInstance, NULL);
    EXPECT_EQ(0, SendMessageA(bar, PROGBUT_SETPERCENT, 101, 0)) << "a new bar starts at 0";
    DestroyWindow(bar);
}

TEST(Controls, LinkAlignsByItsFirstLetterAndDoesNotDrawIt)
{
    setup.hInstance = GetModuleHandleA(NULL);
    RegisterWindowClasses();
    // Whether any pixel has the link's colour, and the first and last column painted on a grey
    // host. Not activated: destroying an active top-level window makes Wine wait two seconds.
    auto paint = [](const char *cls, COLORREF colour, const char *text) {
        HWND host = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | SS_GRAYRECT, 20, 20, 260, 40, NULL, NULL,
                                    setup.hInstance, NULL);
        ShowWindow(host, SW_SHOWNOACTIVATE);
        HWND link = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE, 0, 0, 240, 20, host, NULL, setup.hInstance, NULL);
        RedrawWindow(host, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        HDC dc = GetDC(link), hostDc = GetDC(host);
        COLORREF grey = GetPixel(hostDc, 250, 30), c;
        int coloured = 0, first = -1, last = -1;
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 240; x++)
                if ((c = GetPixel(dc, x, y)) != grey) {
                    coloured |= c == colour;
                    first = first < 0 ? x : std::min(first, x);
                    last = std::max(last, x);
                }
        ReleaseDC(host, hostDc);
        ReleaseDC(link, dc);
        DestroyWindow(host);
        return std::vector<int>{coloured, first, last};
    };
    const struct { const char *cls; COLORREF colour; } kinds[] = {{"WwwBut", RGB(0, 128, 0)}, {"WwwButHot", RGB(0, 0, 255)}};
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.cls);
        std::vector<int> centred = paint(k.cls, k.colour, "Cwww.abc.sk"), left = paint(k.cls, k.colour, "xwww.abc.sk");
        EXPECT_EQ(1, centred[0]);
        EXPECT_NEAR(120, (centred[1] + centred[2]) / 2, 3);
        EXPECT_TRUE(left[1] >= 0 && left[1] <= 2) << left[1];
        EXPECT_EQ(centred[2] - centred[1], left[2] - left[1]) << "the layout letter was drawn";
        EXPECT_EQ(-1, paint(k.cls, k.colour, "C")[1]);
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
