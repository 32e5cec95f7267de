// The wizard's arithmetic and text rules, and the address a link opens, in-process.
#include "base/setup_state.h"
#include "base/sizes.h"
#include "base/text.h"
#include "install/run.h"
#include "test_support.h"
#include "ui/controls.h"
#include "shell/choices.h"

namespace {

TEST(WizardLogic, KilobytesShowAsTruncatedMegabytes)
{
    const struct { DWORD kb, mb, hundredths; } cases[] = {
        {0, 0, 0}, {1023, 0, 99}, {1536, 1, 50}, {1034, 1, 0}, {1035, 1, 1}, {0xFFFFFFFF, 4194303, 99}};
    for (const auto &c : cases) {
        DWORD mb;
        UINT hundredths;
        SplitKbToMb(c.kb, &mb, &hundredths);
        EXPECT_EQ(c.mb * 100 + c.hundredths, mb * 100 + hundredths) << c.kb;
    }
}

TEST(WizardLogic, TrimmingTakesBlanksAndControlBytesButNotAccentedLetters)
{
    const struct { std::string in, out; } cases[] = {
        {"  C:\\Pub  ", "C:\\Pub"}, {"\t\r\nx\x01", "x"}, {"   ", ""}, {"\xE1 b\xA0", "\xE1 b\xA0"}};
    for (const auto &c : cases) {
        char buffer[64];
        CopyText(buffer, sizeof buffer, c.in.c_str());
        EXPECT_EQ((int)c.out.size(), TrimText(buffer, (int)c.in.size())) << c.in;
        EXPECT_EQ(c.out, buffer);
    }
}

TEST(WizardLogic, TargetNeedsAFullPathWithoutForbiddenCharactersAndStaysBelow260)
{
    const struct { std::string text; ErrorCode form, canonical; const char *stored; } cases[] = {
        {"C:\\", 5, 5, ""}, {"1:\\x", 5, 0, ""}, {"C:/dir", 5, 0, ""}, {"\xC8:\\x", 5, 0, ""},
        {"C:\\a\"", 15, 0, ""}, {"C:\\a<", 15, 0, ""}, {"C:\\a/b", 15, 0, ""},
        {"C:\\x\\..\\Pub", 0, 0, "C:\\Pub\\"}, {"c:\\a\\.\\b\\", 0, 0, "c:\\a\\b\\"}, {"C:\\x\\..", 0, 5, ""},
        // Parts that Windows would not keep as their own folder: "Pub8" made for "Pub8...", "AUX" the device.
        {"C:\\Pub8...", 5, 0, ""}, {"C:\\a \\b", 5, 0, ""}, {"C:\\x\\aux.txt\\b", 5, 0, ""}, {"C:\\x\\Com1", 5, 0, ""},
        // The resolved directory with its dummy file name must stay within 260 characters.
        {"C:\\" + std::string(252, 'a'), 0, 0, nullptr}, {"C:\\" + std::string(254, 'a'), 0, 5, ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.form, CheckTargetForm(c.text.c_str(), (int)c.text.size()));
        if (c.form != 0)
            continue;
        char canonical[PATH_BUFFER_SIZE] = "";
        EXPECT_EQ(c.canonical, CanonicaliseTarget(c.text.c_str(), (int)c.text.size(), canonical, sizeof canonical));
        EXPECT_STREQ(c.stored ? c.stored : canonical, c.canonical == 0 ? canonical : "");
    }
    EXPECT_EQ("C?", std::string(1, DriveLetterOf("c:\\x")) + DriveLetterOf("D:x"));
}

TEST(WizardLogic, TargetPathLongerThanAPathIsRefused)
{
    ResetSetupState();
    CopyText(setup.installDir, sizeof setup.installDir, "D:\\Pub\\");
    char buffer[PATH_BUFFER_SIZE];
    // A destination longer than a path may be is refused, not cut.
    EXPECT_EQ(1, BuildTargetPath(buffer, sizeof buffer, 1, std::string(253, 'n').c_str()));
    EXPECT_EQ(0, BuildTargetPath(buffer, sizeof buffer, 1, std::string(254, 'n').c_str()));
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
