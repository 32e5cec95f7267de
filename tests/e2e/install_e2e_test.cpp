// Whole installations through the wizard, checked on disk: the copied files,
// the publication's INI file and the shortcut files.
#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::Contents;
using testsupport::FileExists;
using testsupport::ReadShortcut;

std::string Ini(const std::string &ini, const char *section, const char *key)
{
    char value[512];
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, ini.c_str());
    return value;
}

class Install : public WizardTest {
protected:
    std::string Target() const { return programFiles_ + "\\Testovacia"; }
    std::string GroupDir() const { return commonPrograms_ + "\\Testovacia skupina"; }
    std::string Link(const std::string &dir, const char *name) const { return dir + "\\" + Utf8ToCp1250(name) + ".lnk"; }

    // Walks the wizard with the given choices and installs; a failing run must
    // show message failure over the progress page. Leaves the finish page in *finish.
    Result RunInstall(HWND *finish, bool minimal, bool group, bool desktop, UINT failure = 0)
    {
        HWND page;
        Result r = exe_.empty() ? Start() : installer_.Start(exe_, args_, shell_->path());
        if (r) r = WaitForPage(10000, &page);
        if (r) r = Walk(&page, {10001});
        if (r && minimal) r = robot::PressButton(page, 60);
        if (r && !group) r = robot::PressButton(page, 1101);
        if (r && !desktop) r = robot::PressButton(page, 1102);
        if (r) r = Walk(&page, group ? std::vector<int>{10002, 10003} : std::vector<int>{10002});
        if (r && !groupChoice_.empty()) {   // chosen from the list of existing groups, not typed
            HWND list = FindWindowExA(GetDlgItem(page, 1300), NULL, "ComboLBox", NULL);
            r = robot::ClickListItem(list, groupChoice_);
            if (r) r = robot::WaitUntil([&] { return robot::ControlText(page, 1300) == groupChoice_; }, "the choice");
        }
        if (r) r = Walk(&page, {10004});
        if (r && failure == 0)
            return Walk(&page, {10021}) ? (*finish = page, r) : ::testing::AssertionFailure() << "no finish page";
        robot::MessageBoxInfo box;
        if (r) r = robot::PressButton(page, IDOK);
        if (r) r = robot::WaitForMessageBox(installer_.Id(), &box);
        if (!r)
            return r;
        std::vector<HWND> pages = robot::TopWindows(installer_.Id(), "TALVIREX");
        if (box.text != Text(failure) || pages.empty() || PageOf(pages.front()) != 10020)
            return ::testing::AssertionFailure() << "expected message " << failure << " over the progress page, got \""
                                                 << box.text << "\"";
        r = robot::AnswerMessageBox(box, IDOK);
        if (r) r = WaitForPage(10021, finish, page);
        if (r && robot::ControlText(*finish, 1001) != Text(97, Utf8ToCp1250(kTitle)))
            return ::testing::AssertionFailure() << "the finish page does not tell of a failure";
        return r;
    }
    std::string exe_, args_, groupChoice_;   // another installer to start, with args_; a group to choose
};

TEST_F(Install, MaximalRunCopiesEveryKindAndMakesShortcuts)
{
    WriteDefaultMedium();
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, false, true, true));
    EXPECT_EQ(Text(96, Utf8ToCp1250(kTitle)), robot::ControlText(finish, 1001));
    EXPECT_EQ(" ", robot::ControlText(finish, 1002));
    ASSERT_TRUE(Close(finish));

    EXPECT_EQ(std::string(3000, 'x'), Contents(Target() + "\\PUBL.EXE"));
    EXPECT_EQ(std::string(20000, 'd'), Contents(Target() + "\\DATA.DAT"));
    EXPECT_FALSE(FileExists(Target() + "\\PUBL.ICO")) << "an icon file is copied only when listed";
    EXPECT_EQ("1", Ini(IniPath(), "INSTALL", "WIN32"));
    EXPECT_EQ(Target() + "\\", Ini(IniPath(), "SETING", "PATH"));
    std::string publication = Target() + "\\PUBL.EXE|" + Target() + "\\PUBL.ICO|" + Target();
    EXPECT_EQ(publication, ReadShortcut(Link(GroupDir(), "Publikácia")));
    EXPECT_EQ(publication, ReadShortcut(Link(commonDesktop_, "Publikácia")));
    EXPECT_EQ(Target() + "\\CITAJ.TXT||" + Target(), ReadShortcut(Link(GroupDir(), "Čítaj ma")))
        << "a '*' entry has no icon of its own";

    // A second start with -C finds the publication installed and ends silently.
    robot::Process again;
    DWORD code = 1;
    ASSERT_TRUE(again.Start(*medium_ / "TALVIREX.EXE", "-C"));
    ASSERT_TRUE(again.WaitForExit(&code));
    EXPECT_EQ(0u, code);
}

TEST_F(Install, MinimalRunLeavesKindZeroOnTheMedium)
{
    WriteDefaultMedium();
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, true, true, false));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(FileExists(Target() + "\\PUBL.EXE"));
    EXPECT_FALSE(FileExists(Target() + "\\DATA.DAT"));
    EXPECT_EQ(medium_->path() + "\\", Ini(IniPath(), "SETING", "PATH"));
    EXPECT_TRUE(FileExists(Link(GroupDir(), "Publikácia")));
    EXPECT_FALSE(FileExists(Link(commonDesktop_, "Publikácia")));
}

TEST_F(Install, FromElsewhereWithOptionSIntoAChosenExistingGroup)
{
    WriteDefaultMedium();
    for (const char *group : {"Hry", "Nástroje", "Žurnály"})
        ASSERT_TRUE(testsupport::MakeDirectories(commonPrograms_ + "\\" + Utf8ToCp1250(group)));
    exe_ = *shell_ / "TALVIREX.EXE";
    args_ = "-S\"" + medium_->path() + "\"";
    groupChoice_ = Utf8ToCp1250("Nástroje");
    ASSERT_TRUE(CopyFileA(Installer().c_str(), exe_.c_str(), FALSE));
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, true, true, false));
    ASSERT_TRUE(Close(finish));
    EXPECT_EQ(std::string(3000, 'x'), Contents(Target() + "\\PUBL.EXE"));
    EXPECT_EQ(medium_->path() + "\\", Ini(IniPath(), "SETING", "PATH"));
    EXPECT_EQ(Target() + "\\PUBL.EXE|" + Target() + "\\PUBL.ICO|" + Target(),
              ReadShortcut(Link(commonPrograms_ + "\\" + groupChoice_, "Publikácia")));
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir()));
}

TEST_F(Install, NothingToCopyWithoutShortcutsSucceeds)
{
    WriteMedium({{"DATA.DAT", "a", "DATA.DAT;0;*;Dáta"}});
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, true, false, false));
    EXPECT_EQ(Text(96, Utf8ToCp1250(kTitle)), robot::ControlText(finish, 1001));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(testsupport::DirectoryExists(Target()));
    EXPECT_FALSE(FileExists(Target() + "\\DATA.DAT"));
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir()));
    EXPECT_EQ("1", Ini(IniPath(), "INSTALL", "WIN32"));
}

TEST_F(Install, SystemFilesAreCopiedByProductVersion)
{
    // The installer (version 2.1) and the sample library (1.0) serve as versioned files.
    std::string newer = Contents(TEST_INSTALLER), older = Contents(TEST_BUILD_DIR "\\sample\\VZKLIB.DLL");
    char win[MAX_PATH];
    GetWindowsDirectoryA(win, sizeof win);
    std::string keep = SystemDir() + "\\TVXKEEP.DLL", replace = SystemDir() + "\\TVXNEW.DLL",
                plain = std::string(win) + "\\TVXWIN.DAT";
    ASSERT_TRUE(testsupport::WriteFileBytes(keep, newer));
    ASSERT_TRUE(testsupport::WriteFileBytes(replace, older));
    ASSERT_TRUE(testsupport::WriteFileBytes(plain, "old"));
    WriteMedium({{"PUBL.EXE", "p", "PUBL.EXE;1;*;Publikácia"},
                 {"TVXKEEP.DLL", older, "TVXKEEP.DLL;2"},
                 {"TVXNEW.DLL", newer, "TVXNEW.DLL;4"},
                 {"TVXWIN.DAT", "new", "TVXWIN.DAT;3"}});
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, true, false, false));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(Contents(keep) == newer) << "a newer installed library stays";
    EXPECT_TRUE(Contents(replace) == newer) << "an older installed library is replaced";
    EXPECT_EQ("new", Contents(plain)) << "a file without a version is replaced";
    for (const std::string &f : {keep, replace, plain})
        DeleteFileA(f.c_str());
}

TEST_F(Install, FailedThirdCopyKeepsTheFirstTwoAndWritesNoRecord)
{
    WriteMedium({{"ONE.TXT", "1", "ONE.TXT;1;*;Jedna"}, {"TWO.TXT", "2", "TWO.TXT;1"},
                 {"THREE.TXT", "3", "THREE.TXT;1"}, {"FOUR.TXT", "4", "FOUR.TXT;1"}});
    // A directory in the third file's place cannot be replaced by a file.
    ASSERT_TRUE(testsupport::MakeDirectories(Target() + "\\THREE.TXT"));
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, false, true, true, 9));
    EXPECT_EQ(Text(100), robot::ControlText(finish, 1002));
    ASSERT_TRUE(Close(finish));
    EXPECT_EQ("12", Contents(Target() + "\\ONE.TXT") + Contents(Target() + "\\TWO.TXT"));
    EXPECT_FALSE(FileExists(Target() + "\\FOUR.TXT"));
    EXPECT_FALSE(FileExists(IniPath()));
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir()));
}

TEST_F(Install, UnwritableIniFileIsReported)
{
    iniName_ = "Q:\\TVXNONE\\TVXTEST.INI";
    WriteDefaultMedium();
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, false, true, true, 54));
    ASSERT_TRUE(Close(finish));
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir())) << "no shortcuts after a failed record";
}

TEST_F(Install, GroupThatCannotBeMadeStopsBeforeTheDesktop)
{
    WriteDefaultMedium();
    ASSERT_TRUE(testsupport::WriteFileBytes(GroupDir(), "a file in the group's place"));
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, false, true, true, 17));
    ASSERT_TRUE(Close(finish));
    EXPECT_EQ("1", Ini(IniPath(), "INSTALL", "WIN32"));
    EXPECT_FALSE(FileExists(Link(commonDesktop_, "Publikácia")));
}

}  // namespace
}  // namespace wizard
