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

TEST_F(Wizard, WalksBothWaysAndSkipsTheGroupPageWhenNoGroupIsWanted)
{
    EXPECT_EQ(Text(94, Utf8ToCp1250(kTitle)), robot::WindowText(page_));
    EXPECT_EQ(Text(35, Utf8ToCp1250(kTitle)), robot::ControlText(page_, 1000));
    EXPECT_FALSE(robot::ControlEnabled(page_, 46));
    // A page the user moved gives its position to the next.
    SetWindowPos(page_, NULL, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(robot::WaitUntil([&] { RECT r; GetWindowRect(page_, &r); return r.left == 37; }, "the move"));
    ASSERT_TRUE(Walk(&page_, {10001, 10002, 10003, 10004, 10003, 10002, 10001}));
    RECT r;
    GetWindowRect(page_, &r);
    EXPECT_EQ(37 * 1000 + 41, r.left * 1000 + r.top);
    // The group switched off after the group page was visited.
    ASSERT_TRUE(robot::PressButton(page_, 1101));
    ASSERT_TRUE(Walk(&page_, {10002, 10004, 10002, 10001, 10000}));
    CancelAndClose();
}

TEST_F(Wizard, TypePageShowsSizesAndKeepsChoicesAcrossBack)
{
    ASSERT_TRUE(Walk(&page_, {10001}));
    // Minimal: 1 + 3 + 1 KB; maximal adds the 20 KB of kind 0.
    EXPECT_EQ("(0,00 MB)", robot::ControlText(page_, 1001));
    EXPECT_EQ("(0,02 MB)", robot::ControlText(page_, 1002));
    EXPECT_TRUE(robot::ControlChecked(page_, 61) && robot::ControlChecked(page_, 1101) &&
                robot::ControlChecked(page_, 1102));
    ASSERT_TRUE(robot::PressButton(page_, 60));
    ASSERT_TRUE(robot::PressButton(page_, 1102));
    ASSERT_TRUE(Walk(&page_, {10000, 10001}));
    EXPECT_TRUE(robot::ControlChecked(page_, 60));
    EXPECT_FALSE(robot::ControlChecked(page_, 61));
    EXPECT_TRUE(robot::ControlChecked(page_, 1101));
    EXPECT_FALSE(robot::ControlChecked(page_, 1102));
    CancelAndClose();
}

TEST_F(Wizard, CancelAndCloseAskFirstEscapeDoesNothing)
{
    ASSERT_TRUE(Walk(&page_, {10001}));
    ASSERT_TRUE(ExpectMessage(page_, 45, 13, IDYES));
    robot::PressKey(GetDlgItem(page_, 1), VK_ESCAPE);
    PostMessageA(page_, WM_CLOSE, 0, 0);
    robot::MessageBoxInfo box;
    ASSERT_TRUE(robot::WaitForMessageBox(installer_.Id(), &box));
    EXPECT_EQ(Text(13), box.text);
    ASSERT_TRUE(robot::AnswerMessageBox(box, IDYES));
    HWND same;
    ASSERT_TRUE(WaitForPage(10001, &same));
    EXPECT_EQ(page_, same);
    HWND finish;
    ASSERT_TRUE(Cancel(page_, &finish));
    // The finish page closes at once, without a question.
    PostMessageA(finish, WM_CLOSE, 0, 0);
    DWORD code = 1;
    ASSERT_TRUE(installer_.WaitForExit(&code));
    EXPECT_EQ(0u, code);
}

TEST_F(Wizard, ViewerWindowInAnyLetterCaseBlocksTheWelcomePage)
{
    WNDCLASSA cls = {};
    cls.lpfnWndProc = DefWindowProcA;
    cls.lpszClassName = "kvx_App";
    RegisterClassA(&cls);
    HWND viewer = CreateWindowA("kvx_App", "", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(ExpectMessage(page_, IDOK, 25));
    ASSERT_TRUE(ExpectMessage(page_, IDOK, 25));
    DestroyWindow(viewer);
    ASSERT_TRUE(Walk(&page_, {10001}));
    CancelAndClose();
}

TEST_F(Wizard, SecondCopyIsRefusedWhileAnyPageIsShown)
{
    HWND finish = NULL;
    for (int round = 0; round < 2; round++) {
        if (round == 1)
            ASSERT_TRUE(Cancel(page_, &finish));
        robot::Process second;
        robot::MessageBoxInfo box;
        DWORD code = 1;
        ASSERT_TRUE(second.Start(*medium_ / "TALVIREX.EXE", ""));
        ASSERT_TRUE(robot::WaitForMessageBox(second.Id(), &box));
        EXPECT_EQ(Text(4), box.text);
        ASSERT_TRUE(robot::AnswerMessageBox(box, IDOK));
        ASSERT_TRUE(second.WaitForExit(&code));
        EXPECT_EQ(0u, code);
    }
    ASSERT_TRUE(Close(finish));
}

TEST_F(Wizard, TargetPageRefusesBadDirectories)
{
    ASSERT_TRUE(Walk(&page_, {10001, 10002}));
    EXPECT_EQ(programFiles_ + "\\Testovacia", robot::ControlText(page_, 1200));
    EXPECT_EQ(Text(36, Utf8ToCp1250(kTitle)), robot::ControlText(page_, 1000));
    EXPECT_EQ(Utf8ToCp1250("Inštalácia publikácie vyžaduje 0,02 MB."), robot::ControlText(page_, 1006));
    std::string upper = medium_->path();
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    struct {
        std::string input;
        UINT message;
    } cases[] = {{"C:\\", 5},        {"C:\\.", 5},        {"1:\\Pub", 5},     {"\\\\srv\\share\\x", 5},
                 {"C:dir", 5},       {"C:\\a:b", 15},     {"C:\\a*", 15},     {"C:\\a|b", 15},
                 {upper, 2},         {upper + "\\x\\..\\", 2}, {"Q:\\Pub", 24}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input);
        robot::SetControlText(page_, 1200, c.input);
        ASSERT_TRUE(ExpectMessage(page_, IDOK, c.message));
        ASSERT_TRUE(WaitForPage(10002, &page_));
        EXPECT_EQ(c.input, robot::ControlText(page_, 1200));
    }
    // The free-space line follows the last check: a drive that is not there.
    EXPECT_EQ(Utf8ToCp1250("Na disku Q: je k dispozícii 0,00 MB."), robot::ControlText(page_, 1005));
    robot::SetControlText(page_, 1200, "  ");
    ASSERT_TRUE(robot::WaitUntil([&] { return !robot::ControlEnabled(page_, 1); }, "Next to be disabled"));
    CancelAndClose();
}

TEST_F(Wizard, TargetIsStoredCanonicalAndWhatBackLeavesIsLost)
{
    ASSERT_TRUE(Walk(&page_, {10001, 10002}));
    struct {
        const char *input, *stored;
    } cases[] = {{"  C:\\Pub  ", "C:\\Pub"}, {"C:\\x\\..\\Pub\\", "C:\\Pub"},
                 {"c:\\Publikácie\\Nové", "c:\\Publikácie\\Nové"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.input);
        robot::SetControlText(page_, 1200, Utf8ToCp1250(c.input));
        ASSERT_TRUE(Walk(&page_, {10003, 10002}));
        EXPECT_EQ(Utf8ToCp1250(c.stored), robot::ControlText(page_, 1200));
    }
    robot::SetControlText(page_, 1200, medium_->path() + "\\Inside");
    ASSERT_TRUE(Walk(&page_, {10001, 10002}));
    EXPECT_EQ(Utf8ToCp1250("c:\\Publikácie\\Nové"), robot::ControlText(page_, 1200));
    CancelAndClose();
}

TEST_F(Wizard, GroupPageListsGroupsOnceAndRefusesForbiddenNames)
{
    for (const char *dir : {"Hry", "Nástroje"})
        ASSERT_TRUE(testsupport::MakeDirectories(Utf8ToCp1250(commonPrograms_ + "\\" + dir)));
    ASSERT_TRUE(testsupport::MakeDirectories(userPrograms_ + "\\hry"));
    ASSERT_TRUE(testsupport::WriteFileBytes(commonPrograms_ + "\\Loose.lnk", "x"));
    ASSERT_TRUE(Walk(&page_, {10001, 10002, 10003}));
    EXPECT_EQ(Utf8ToCp1250("Testovacia skupina"), robot::ControlText(page_, 1300));
    DWORD_PTR count = 0;
    SendMessageTimeoutA(GetDlgItem(page_, 1300), CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    EXPECT_EQ(2u, count) << "Hry once, Nástroje, no loose file";
    for (const char *name : {"Publikácie\\Nové", "a/b", "a:b", "a?", "..", "..."}) {
        robot::SetControlText(page_, 1300, Utf8ToCp1250(name));
        ASSERT_TRUE(ExpectMessage(page_, IDOK, 77)) << name;
    }
    robot::SetControlText(page_, 1300, "  ");
    robot::SendCommand(page_, 1300, CBN_EDITCHANGE);
    ASSERT_TRUE(robot::WaitUntil([&] { return !robot::ControlEnabled(page_, 1); }, "Next to be disabled"));
    robot::SetControlText(page_, 1300, " Moja skupina ");
    robot::SendCommand(page_, 1300, CBN_EDITCHANGE);
    ASSERT_TRUE(robot::WaitUntil([&] { return robot::ControlEnabled(page_, 1); }, "Next to be enabled"));
    ASSERT_TRUE(Walk(&page_, {10004, 10003}));
    EXPECT_EQ("Moja skupina", robot::ControlText(page_, 1300));
    CancelAndClose();
}

// Start-up refusals and -C, each with a fresh process.
class StartUp : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        WriteDefaultMedium();
    }
    // Starts the installer: true when the welcome page came; false when it
    // ended, after showing message (0: none), with exit code 0.
    bool Welcomed(const char *args, UINT message)
    {
        robot::Process process;
        EXPECT_TRUE(process.Start(*medium_ / "TALVIREX.EXE", args));
        bool welcomed = false, asked = false;
        EXPECT_TRUE(robot::WaitUntil([&] {
            welcomed = !robot::TopWindows(process.Id(), "TALVIREX").empty();
            asked = !robot::TopWindows(process.Id(), "#32770").empty();
            return welcomed || asked || !process.Running();
        }, "a page, a message or the end"));
        robot::MessageBoxInfo box;
        EXPECT_EQ(message != 0, asked);
        if (asked && robot::WaitForMessageBox(process.Id(), &box)) {
            EXPECT_EQ(Text(message), box.text);
            robot::AnswerMessageBox(box, IDOK);
        }
        DWORD code = 1;
        if (!welcomed) {
            EXPECT_TRUE(process.WaitForExit(&code));
            EXPECT_EQ(0u, code);
        }
        return welcomed;
    }
};

TEST_F(StartUp, Win32sAndNt3AreRefused)
{
    testsupport::RegistryValue version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\TALVIREX.EXE", "Version");
    struct {
        const char *version;
        bool welcomed;
    } cases[] = {{"win31", false}, {"nt351", false}, {"win95", true}, {"nt40", true}};
    for (const auto &c : cases) {
        ASSERT_TRUE(version.Set(c.version));
        EXPECT_EQ(c.welcomed, Welcomed("", c.welcomed ? 0 : 40)) << c.version;
    }
}

TEST_F(StartUp, OptionCEndsSilentlyOnlyWhenInstalled)
{
    struct {
        const char *ini, *args;
        bool welcomed;
    } cases[] = {{"[INSTALL]\r\nWIN32=1\r\n", "-C", false}, {"", "-c", true},
                 {"[INSTALL]\r\nWIN32=2\r\n", "-C", true}, {"[INSTALL]\r\nWIN32=1\r\n", "", true}};
    for (const auto &c : cases) {
        ASSERT_TRUE(testsupport::WriteFileBytes(IniPath(), c.ini));
        EXPECT_EQ(c.welcomed, Welcomed(c.args, 0)) << c.ini << c.args;
    }
}

}  // namespace
}  // namespace wizard
