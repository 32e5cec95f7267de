// The wizard's page sequence, driven through the real installer.
#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::Utf8ToCp1250;

const char kTitle[] = "Testovacia publikácia";

class WizardPages : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        WriteDefaultMedium();
    }

    // Cancels the wizard from the current page and checks the cancelled finish texts.
    void CancelAndExpectCancelledFinish(HWND page)
    {
        ASSERT_TRUE(ExpectMessage(page, 45, 13, IDNO));
        HWND finish;
        ASSERT_TRUE(WaitForPage(10021, &finish, page));
        EXPECT_EQ(Formatted(98, Utf8ToCp1250(kTitle)), robot::ControlText(finish, 1001));
        EXPECT_EQ(Text(101), robot::ControlText(finish, 1002));
        ASSERT_TRUE(robot::PressButton(finish, IDOK));
        ASSERT_TRUE(WaitForExit());
    }
};

TEST_F(WizardPages, WelcomePageShowsTitleTextsAndGreyedBack)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    EXPECT_EQ(Formatted(94, Utf8ToCp1250(kTitle)), robot::WindowText(page));
    EXPECT_EQ(Formatted(35, Utf8ToCp1250(kTitle)), robot::ControlText(page, 1000));
    EXPECT_FALSE(robot::ControlEnabled(page, 46));
    EXPECT_TRUE(robot::ControlEnabled(page, 1));
    CancelAndExpectCancelledFinish(page);
}

TEST_F(WizardPages, WalkWithGroupPassesThroughTheGroupPageBothWays)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WalkToConfirmation(&page));
    ASSERT_TRUE(Advance(&page, 46, 10003));
    ASSERT_TRUE(Advance(&page, 46, 10002));
    ASSERT_TRUE(Advance(&page, 46, 10001));
    ASSERT_TRUE(Advance(&page, 46, 10000));
    CancelAndExpectCancelledFinish(page);
}

TEST_F(WizardPages, GroupSwitchedOffAfterVisitingItIsSkipped)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WalkToConfirmation(&page));
    ASSERT_TRUE(Advance(&page, 46, 10003));
    ASSERT_TRUE(Advance(&page, 46, 10002));
    ASSERT_TRUE(Advance(&page, 46, 10001));
    ASSERT_TRUE(robot::ControlChecked(page, 1101));
    ASSERT_TRUE(robot::PressButton(page, 1101));
    ASSERT_TRUE(robot::WaitUntil([&] { return !robot::ControlChecked(page, 1101); }, "the group box to clear"));
    ASSERT_TRUE(Advance(&page, IDOK, 10002));
    ASSERT_TRUE(Advance(&page, IDOK, 10004));
    ASSERT_TRUE(Advance(&page, 46, 10002));
    CancelAndExpectCancelledFinish(page);
}

TEST_F(WizardPages, ChoicesOnTheTypePageSurviveBack)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    ASSERT_TRUE(Advance(&page, IDOK, 10001));
    // A run is maximal with both options unless the user says otherwise.
    EXPECT_FALSE(robot::ControlChecked(page, 60));
    EXPECT_TRUE(robot::ControlChecked(page, 61));
    EXPECT_TRUE(robot::ControlChecked(page, 1102));
    ASSERT_TRUE(robot::PressButton(page, 60));
    ASSERT_TRUE(robot::PressButton(page, 1102));
    ASSERT_TRUE(robot::WaitUntil([&] { return robot::ControlChecked(page, 60) && !robot::ControlChecked(page, 1102); },
                                 "the clicks to show"));
    EXPECT_FALSE(robot::ControlChecked(page, 61));
    ASSERT_TRUE(Advance(&page, 46, 10000));
    ASSERT_TRUE(Advance(&page, IDOK, 10001));
    EXPECT_TRUE(robot::ControlChecked(page, 60));
    EXPECT_FALSE(robot::ControlChecked(page, 61));
    EXPECT_TRUE(robot::ControlChecked(page, 1101));
    EXPECT_FALSE(robot::ControlChecked(page, 1102));
    CancelAndExpectCancelledFinish(page);
}

TEST_F(WizardPages, TypePageShowsBothSizes)
{
    // Minimal: 1 + 3 KB (PUBL.EXE) + 1 KB (CITAJ.TXT) = 5 KB; maximal adds 20 KB of DATA.DAT.
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    ASSERT_TRUE(Advance(&page, IDOK, 10001));
    EXPECT_EQ("(0,00 MB)", robot::ControlText(page, 1001));
    EXPECT_EQ("(0,02 MB)", robot::ControlText(page, 1002));
    CancelAndExpectCancelledFinish(page);
}

TEST_F(WizardPages, CancelAnsweredYesKeepsThePage)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    ASSERT_TRUE(Advance(&page, IDOK, 10001));
    ASSERT_TRUE(ExpectMessage(page, 45, 13, IDYES));
    HWND same;
    ASSERT_TRUE(WaitForPage(10001, &same));
    EXPECT_EQ(page, same);
    // The close command asks the same question.
    PostMessageA(page, WM_CLOSE, 0, 0);
    robot::MessageBoxInfo box;
    ASSERT_TRUE(robot::WaitForMessageBox(installer_.Id(), &box));
    EXPECT_EQ(MessageText(13), box.text);
    ASSERT_TRUE(robot::AnswerMessageBox(box, IDYES));
    ASSERT_TRUE(WaitForPage(10001, &same));
    EXPECT_EQ(page, same);
    CancelAndExpectCancelledFinish(page);
}

TEST_F(WizardPages, EscapeDoesNothing)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    ASSERT_TRUE(Advance(&page, IDOK, 10001));
    robot::PressKey(GetDlgItem(page, 1), VK_ESCAPE);
    robot::SendCommand(page, IDCANCEL);
    Sleep(500);
    EXPECT_TRUE(robot::TopWindows(installer_.Id(), "#32770").empty()) << "Escape must not ask anything";
    HWND same;
    ASSERT_TRUE(WaitForPage(10001, &same));
    EXPECT_EQ(page, same);
    CancelAndExpectCancelledFinish(page);
}

TEST_F(WizardPages, CloseOnTheFinishPageEndsAtOnce)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    ASSERT_TRUE(ExpectMessage(page, 45, 13, IDNO));
    HWND finish;
    ASSERT_TRUE(WaitForPage(10021, &finish, page));
    EXPECT_FALSE(robot::ControlEnabled(finish, 46));
    EXPECT_FALSE(robot::ControlEnabled(finish, 45));
    PostMessageA(finish, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitForExit());
}

TEST_F(WizardPages, ViewerWindowBlocksTheWelcomePage)
{
    // A window of the publication viewer's class, in another letter case.
    WNDCLASSA cls = {};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = GetModuleHandleA(NULL);
    cls.lpszClassName = "kvx_App";
    RegisterClassA(&cls);
    HWND viewer = CreateWindowA("kvx_App", "viewer", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL, cls.hInstance, NULL);
    ASSERT_NE(nullptr, viewer);

    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    ASSERT_TRUE(ExpectMessage(page, IDOK, 25));
    ASSERT_TRUE(ExpectMessage(page, IDOK, 25));
    DestroyWindow(viewer);
    ASSERT_TRUE(Advance(&page, IDOK, 10001));
    CancelAndExpectCancelledFinish(page);
}

TEST_F(WizardPages, SecondCopyIsRefusedWhileTheFirstShowsAPage)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));

    robot::Process second;
    ASSERT_TRUE(second.Start(*medium_ / "TALVIREX.EXE", ""));
    robot::MessageBoxInfo box;
    ASSERT_TRUE(robot::WaitForMessageBox(second.Id(), &box));
    EXPECT_EQ(MessageText(4), box.text);
    ASSERT_TRUE(robot::AnswerMessageBox(box, IDOK));
    DWORD code = 1;
    ASSERT_TRUE(second.WaitForExit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(robot::TopWindows(second.Id(), "TALVIREX").empty());

    // Still refused while the first shows its finish page.
    ASSERT_TRUE(ExpectMessage(page, 45, 13, IDNO));
    HWND finish;
    ASSERT_TRUE(WaitForPage(10021, &finish, page));
    robot::Process third;
    ASSERT_TRUE(third.Start(*medium_ / "TALVIREX.EXE", ""));
    ASSERT_TRUE(robot::WaitForMessageBox(third.Id(), &box));
    EXPECT_EQ(MessageText(4), box.text);
    ASSERT_TRUE(robot::AnswerMessageBox(box, IDOK));
    ASSERT_TRUE(third.WaitForExit(&code));
    ASSERT_TRUE(robot::PressButton(finish, IDOK));
    ASSERT_TRUE(WaitForExit());
}

TEST_F(WizardPages, MovedPageGivesThePositionOfTheNext)
{
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    RECT before;
    GetWindowRect(page, &before);
    SetWindowPos(page, NULL, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(robot::WaitUntil([&] {
        RECT r;
        GetWindowRect(page, &r);
        return r.left == 37 && r.top == 41;
    }, "the page to move"));
    ASSERT_TRUE(Advance(&page, IDOK, 10001));
    RECT after;
    GetWindowRect(page, &after);
    EXPECT_EQ(37, after.left);
    EXPECT_EQ(41, after.top);
    CancelAndExpectCancelledFinish(page);
}

// Start-up refusals and the -C option.
class WizardStartUp : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        WriteDefaultMedium();
    }
    // Sets the Windows version that Wine reports to the installer.
    void SetWineVersion(const char *version)
    {
        registry_.emplace_back(new testsupport::RegistryValue(
            HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\TALVIREX.EXE", "Version"));
        ASSERT_TRUE(registry_.back()->Set(version));
    }
    ::testing::AssertionResult ExpectRefusal(UINT id)
    {
        robot::MessageBoxInfo box;
        ::testing::AssertionResult r = Start();
        if (r)
            r = robot::WaitForMessageBox(installer_.Id(), &box);
        if (!r)
            return r;
        if (box.text != MessageText(id))
            return ::testing::AssertionFailure() << "expected message " << id << ", got \"" << box.text << "\"";
        r = robot::AnswerMessageBox(box, IDOK);
        return r ? WaitForExit() : r;
    }
};

TEST_F(WizardStartUp, Win32sAndNt351AreRefused)
{
    for (const char *version : {"win31", "nt351"}) {
        SCOPED_TRACE(version);
        SetWineVersion(version);
        EXPECT_TRUE(ExpectRefusal(40));
        registry_.pop_back();
    }
}

TEST_F(WizardStartUp, Windows95AndNt40AreAccepted)
{
    for (const char *version : {"win95", "nt40"}) {
        SCOPED_TRACE(version);
        SetWineVersion(version);
        HWND page;
        ASSERT_TRUE(Start());
        ASSERT_TRUE(WaitForPage(10000, &page));
        PostMessageA(page, WM_CLOSE, 0, 0);
        robot::MessageBoxInfo box;
        ASSERT_TRUE(robot::WaitForMessageBox(installer_.Id(), &box));
        ASSERT_TRUE(robot::AnswerMessageBox(box, IDNO));
        HWND finish;
        ASSERT_TRUE(WaitForPage(10021, &finish, page));
        PostMessageA(finish, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForExit());
        registry_.pop_back();
    }
}

TEST_F(WizardStartUp, OptionCEndsSilentlyOnlyWhenInstalled)
{
    struct Case {
        const char *ini;  // content of the publication's INI file, null for none
        bool ends;
    } cases[] = {
        {"[INSTALL]\r\nWIN32=1\r\n", true},
        {nullptr, false},
        {"[INSTALL]\r\nOTHER=1\r\n", false},
        {"[INSTALL]\r\nWIN32=2\r\n", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.ini ? c.ini : "no INI file");
        DeleteFileA(IniPath().c_str());
        if (c.ini)
            ASSERT_TRUE(testsupport::WriteFileBytes(IniPath(), c.ini));
        robot::Process process;
        ASSERT_TRUE(process.Start(*medium_ / "TALVIREX.EXE", "-C"));
        if (c.ends) {
            DWORD code = 1;
            ASSERT_TRUE(process.WaitForExit(&code));
            EXPECT_EQ(0u, code);
        } else {
            HWND page;
            ASSERT_TRUE(robot::WaitForWindow(process.Id(), "TALVIREX", &page));
            EXPECT_EQ(10000, PageOf(page));
            process.Kill();
        }
    }
    // Without -C an installed publication is offered again.
    ASSERT_TRUE(testsupport::WriteFileBytes(IniPath(), "[INSTALL]\r\nWIN32=1\r\n"));
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
}

}  // namespace
}  // namespace wizard
