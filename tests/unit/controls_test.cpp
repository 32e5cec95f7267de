// The installer's window classes in-process: the page class, picture choice, web addresses.
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
