// Whole installations through the wizard, checked on disk: the copied files,
// the publication's INI file and the shortcut files.
#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::Contents;
using testsupport::FileExists;
using testsupport::ReadShortcut;

class Install : public WizardTest {};

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
