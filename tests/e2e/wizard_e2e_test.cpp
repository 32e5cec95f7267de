// The wizard's pages, driven through the real installer.
#include <algorithm>

#include "wizard_fixture.h"

namespace wizard {
namespace {

class Wizard : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        WriteDefaultMedium();
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForPage(10000, &page_));
    }
    // Cancels from the current page: the finish page tells of a cancelled run.
    void CancelAndClose()
    {
        HWND finish;
        ASSERT_TRUE(Cancel(page_, &finish));
        EXPECT_EQ(Text(98, Utf8ToCp1250(kTitle)), robot::ControlText(finish, 1001));
        EXPECT_EQ(Text(101), robot::ControlText(finish, 1002));
        ASSERT_TRUE(Close(finish));
    }
    HWND page_ = NULL;
};

TEST_F(Wizard, WalksBothWaysKeepsTheChoicesSkipsTheGroupPageWhenNoGroupIsWantedAndOpensTheLink)
{
    EXPECT_EQ(Text(94, Utf8ToCp1250(kTitle)), robot::WindowText(page_));
    EXPECT_EQ(Text(35, Utf8ToCp1250(kTitle)), robot::ControlText(page_, 1000));
    EXPECT_FALSE(robot::ControlEnabled(page_, 46));
    // The installer runs elevated: the browser of the welcome page's link is started by the desktop's
    // shell, as the user who logged on.
    std::string opened = *shell_ / "opened.txt";
    testsupport::RegistryValue browser(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", "");
    ASSERT_TRUE(browser.Set("\"" TEST_BUILD_DIR "\\helpers\\browser_probe.exe\" \"" + opened + "\" \"%1\""));
    PostMessageA(FindWindowExA(page_, NULL, "WwwButHot", NULL), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ASSERT_TRUE(robot::WaitUntil([&] { return testsupport::Contents(opened).find('\n') != std::string::npos; }, "the browser"));
    EXPECT_EQ("http://www.vzorka.example explorer.exe\n", testsupport::Contents(opened));
    // A page the user moved gives its position to the next.
    SetWindowPos(page_, NULL, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(robot::WaitUntil([&] { RECT r; GetWindowRect(page_, &r); return r.left == 37; }, "the move"));
    ASSERT_TRUE(Walk(&page_, {10001}));
    EXPECT_EQ(Utf8ToCp1250("Ď&alej >"), robot::ControlText(page_, IDOK)) << "the pages' letters in code page 1250";
    // Minimal: 1 + 3 + 1 KB; maximal adds the 20 KB of kind 0.
    EXPECT_EQ("(0,00 MB) (0,02 MB)", robot::ControlText(page_, 1001) + " " + robot::ControlText(page_, 1002));
    EXPECT_TRUE(robot::ControlChecked(page_, 61) && robot::ControlChecked(page_, 1101) &&
                robot::ControlChecked(page_, 1102));
    ASSERT_TRUE(robot::PressButton(page_, 60) && robot::PressButton(page_, 1102));
    ASSERT_TRUE(Walk(&page_, {10002, 10003, 10004, 10003, 10002, 10001}));
    RECT r;
    GetWindowRect(page_, &r);
    EXPECT_EQ(37 * 1000 + 41, r.left * 1000 + r.top);
    EXPECT_TRUE(robot::ControlChecked(page_, 60) && !robot::ControlChecked(page_, 61) &&
                robot::ControlChecked(page_, 1101) && !robot::ControlChecked(page_, 1102));
    // The group switched off after the group page was visited.
    ASSERT_TRUE(robot::PressButton(page_, 1101));
    ASSERT_TRUE(Walk(&page_, {10002, 10004, 10002, 10001, 10000}));
    CancelAndClose();
}

TEST_F(Wizard, ViewersBlockTheWelcomePageCancelAsksFirstAndASecondCopyIsRefused)
{
    WNDCLASSA cls = {};
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = "kvx_App";   // the viewer's class, in another letter case
    RegisterClassA(&cls);
    HWND viewer = CreateWindowA("kvx_App", "", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(ExpectMessage(page_, IDOK, 25) && ExpectMessage(page_, IDOK, 25));
    DestroyWindow(viewer);
    ASSERT_TRUE(Walk(&page_, {10001}));
    // Cancel and closing the window ask first; Escape does nothing.
    ASSERT_TRUE(ExpectMessage(page_, 45, 13, IDYES));
    PostMessageA(GetDlgItem(page_, 1), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(page_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Answer(Text(13), IDYES));
    HWND same, finish = NULL;
    ASSERT_TRUE(WaitForPage(10001, &same));
    EXPECT_EQ(page_, same);
    // A second copy is refused while any page is shown, the finish page too.
    for (bool finished : {false, true}) {
        std::string boxes;
        ASSERT_TRUE(!finished || Cancel(page_, &finish));
        EXPECT_EQ(0u, RunToPageOrEnd("", &boxes));
        EXPECT_EQ("TALVIREX: " + Text(4) + " | ", boxes);
    }
    // The finish page closes at once, without a question.
    PostMessageA(finish, WM_CLOSE, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(installer_.WaitForExit(&code));
    EXPECT_EQ(0u, code);
}

// The forms the target may take are the unit tests' table; here each refusal shows its own message.
TEST_F(Wizard, TargetAndGroupPagesRefuseBadNamesStoreTheRestAndBrowse)
{
    for (const char *dir : {"Hry", "Nástroje"})
        ASSERT_TRUE(testsupport::MakeDirectories(Utf8ToCp1250(commonPrograms_ + "\\" + dir)));
    ASSERT_TRUE(testsupport::MakeDirectories(userPrograms_ + "\\hry"));
    ASSERT_TRUE(testsupport::WriteFileBytes(commonPrograms_ + "\\Loose.lnk", "x"));
    ASSERT_TRUE(Walk(&page_, {10001, 10002}));
    EXPECT_EQ(programFiles_ + "\\Testovacia", robot::ControlText(page_, 1200));
    EXPECT_EQ(Text(36, Utf8ToCp1250(kTitle)), robot::ControlText(page_, 1000));
    EXPECT_EQ(Utf8ToCp1250("Inštalácia publikácie vyžaduje 0,02 MB."), robot::ControlText(page_, 1006));
    std::string upper = medium_->path();
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    const struct { std::string input; UINT message; } cases[] = {
        {"C:\\.", 5}, {"C:\\a|b", 15}, {upper + "\\x\\..\\", 2}, {"Q:\\Pub", 24}};
    for (const auto &c : cases) {
        robot::SetControlText(page_, 1200, c.input);
        ASSERT_TRUE(ExpectMessage(page_, IDOK, c.message)) << c.input;
        ASSERT_TRUE(WaitForPage(10002, &page_));
        EXPECT_EQ(c.input, robot::ControlText(page_, 1200));
    }
    // The free-space line follows the last check: a drive that is not there.
    EXPECT_EQ(Utf8ToCp1250("Na disku Q: je k dispozícii 0,00 MB."), robot::ControlText(page_, 1005));
    robot::SetControlText(page_, 1200, "  ");
    ASSERT_TRUE(robot::WaitUntil([&] { return !robot::ControlEnabled(page_, 1); }, "Next to be disabled"));
    robot::SetControlText(page_, 1200, Utf8ToCp1250("  c:\\x\\..\\Publikácie\\Nové\\ "));
    ASSERT_TRUE(Walk(&page_, {10003, 10002}));
    EXPECT_EQ(Utf8ToCp1250("c:\\Publikácie\\Nové"), robot::ControlText(page_, 1200));
    // What Back leaves on the page is lost.
    robot::SetControlText(page_, 1200, medium_->path() + "\\Inside");
    ASSERT_TRUE(Walk(&page_, {10001, 10002}));
    EXPECT_EQ(Utf8ToCp1250("c:\\Publikácie\\Nové"), robot::ControlText(page_, 1200));
    // Browse puts the chosen folder in the field.
    robot::SetControlText(page_, 1200, shell_->path() + "\\");
    ASSERT_TRUE(robot::PressButton(page_, 1201));
    HWND chooser = NULL;
    ASSERT_TRUE(robot::WaitForWindow(installer_.Id(), "#32770", &chooser));
    ASSERT_TRUE(robot::WaitUntil([&] { return robot::ControlText(chooser, robot::kChooserFolder) != ""; }, "the chooser"));
    ASSERT_TRUE(robot::OpenChooserFolder(chooser, "[Common Desktop]"));
    ASSERT_TRUE(robot::PressButton(chooser, IDOK));
    ASSERT_TRUE(robot::WaitUntil([&] { return !IsWindow(chooser); }, "the chooser to close"));
    EXPECT_STRCASEEQ((*shell_ / "Common Desktop").c_str(), robot::ControlText(page_, 1200).c_str());
    ASSERT_TRUE(Walk(&page_, {10003, 10002}));
    EXPECT_STRCASEEQ((*shell_ / "Common Desktop").c_str(), robot::ControlText(page_, 1200).c_str());
    // The group page: each existing group listed once, forbidden names refused.
    ASSERT_TRUE(Walk(&page_, {10003}));
    EXPECT_EQ(Utf8ToCp1250("Testovacia skupina"), robot::ControlText(page_, 1300));
    DWORD_PTR count = 0;
    SendMessageTimeoutA(GetDlgItem(page_, 1300), CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    EXPECT_EQ(2u, count) << "Hry once, Nástroje, no loose file";
    for (const char *name : {"Publikácie\\Nové", "a/b", "a:b", "a?", "..", "..."}) {
        robot::SetControlText(page_, 1300, Utf8ToCp1250(name));
        ASSERT_TRUE(ExpectMessage(page_, IDOK, 77)) << name;
    }
    for (bool filled : {false, true}) {   // a blank name disables Next, another enables it again
        robot::SetControlText(page_, 1300, filled ? " Moja skupina " : "  ");
        robot::SendCommand(page_, 1300, CBN_EDITCHANGE);
        ASSERT_TRUE(robot::WaitUntil([&] { return robot::ControlEnabled(page_, 1) == filled; }, "Next to follow the name"));
    }
    ASSERT_TRUE(Walk(&page_, {10004, 10003}));
    EXPECT_EQ("Moja skupina", robot::ControlText(page_, 1300));
    CancelAndClose();
}

// More to copy than the target drive holds: one sparse file above 4 GiB, listed as often as it takes.
TEST_F(WizardTest, TargetPageRefusesADriveWithoutRoomForThePublication)
{
    const ULONGLONG kFileBytes = (4ull << 30) + 10;
    ULARGE_INTEGER free = {};
    ASSERT_TRUE(GetDiskFreeSpaceExA(programFiles_.c_str(), &free, NULL, NULL));
    size_t lines = (size_t)(free.QuadPart / kFileBytes) + 2;
    if (lines > 29)   // FILE1 to FILE29
        GTEST_SKIP() << "the target drive has more room than 29 files of 4 GB take";
    WriteMedium(std::vector<MediumFile>(lines, MediumFile{"BIG.DAT", "", "BIG.DAT;1"}));
    ASSERT_TRUE(testsupport::WriteSparseFile(*medium_ / "BIG.DAT", kFileBytes));
    HWND page;
    ASSERT_TRUE(Start() && WaitForPage(10000, &page) && Walk(&page, {10001, 10002}) && ExpectMessage(page, IDOK, 12));
    ASSERT_TRUE(WaitForPage(10002, &page));
}

// Start-up refusals and the options, each with a fresh process.
using StartUp = WizardTest;

TEST_F(StartUp, NotOnTheMediumTheChooserFindsItOrTheInstallerEnds)
{
    WriteDefaultMedium();
    const std::string elsewhere = *shell_ / "TALVIREX.EXE", medium = medium_->path().substr(medium_->path().rfind('\\') + 1);
    ASSERT_TRUE(CopyFileA(Installer().c_str(), elsewhere.c_str(), FALSE));
    const std::string notThere = "TALVIREX: " + Text(103) + " | <chooser> ";
    std::string boxes;
    EXPECT_EQ(kWelcomed, RunToPageOrEnd("", &boxes, elsewhere, {"[..]", "[" + medium + "]"}));
    EXPECT_EQ(notThere, boxes);
    EXPECT_EQ(0u, RunToPageOrEnd("-D", &boxes, elsewhere));
    EXPECT_EQ(notThere + "TALVIREX: " + Text(104) + " | ", boxes);
}

TEST_F(StartUp, Win32sNt3OptionsCAndDAndABadDescription)
{
    WriteDefaultMedium();
    testsupport::RegistryValue version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\TALVIREX.EXE", "Version");
    const std::string installed = "[INSTALL]\r\nWIN32=1\r\n", bad = "TALVIREX: " + Text(3) + " | ",
                      old = "TALVIREX: " + Text(40) + " | ";
    // version: the Windows that Wine pretends to be, "" its own; line: a FILE2 line that spoils the description.
    struct { const char *version; std::string ini, args, line; bool welcomed; std::string boxes; } cases[] = {{"win31", "", "", "", false, old}, {"nt351", "", "", "", false, old}, {"win95", "", "", "", true, ""},
                 {"nt40", "", "", "", true, ""}, {"", installed, "-C", "", false, ""}, {"", "", "-c", "", true, ""},
                 {"", "[INSTALL]\r\nWIN32=2\r\n", "-C", "", true, ""}, {"", installed, "", "", true, ""},
                 {"", "", "", "X;9", false, bad}, {"", "", "-D", "X;9", false, bad + "TALVIREX - Bad Info: FILE2 | "}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.version + c.ini + c.args);
        ASSERT_TRUE(*c.version ? version.Set(c.version) : version.Remove());
        if (!c.line.empty())
            WriteMedium({{"PUBL.EXE", "p", "PUBL.EXE;1"}, {"X", "x", c.line}});
        ASSERT_TRUE(testsupport::WriteFileBytes(IniPath(), c.ini));
        std::string boxes;
        EXPECT_EQ(c.welcomed ? kWelcomed : 0, RunToPageOrEnd(c.args, &boxes));
        EXPECT_EQ(c.boxes, boxes);
    }
}

}  // namespace
}  // namespace wizard
