// Whole installations through the wizard, checked on disk: the copied files,
// the publication's INI file and the shortcut files.
#include <functional>

#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::Contents;
using testsupport::FileExists;
using testsupport::ReadShortcut;

class Install : public WizardTest {};

// Minimal runs are the removal's and the quiet run's tests.
TEST_F(Install, MaximalRunFromElsewhereCopiesEveryKindByVersionAndMakesShortcuts)
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
    WriteDefaultMedium({{"TVXKEEP.DLL", older, "TVXKEEP.DLL;2"}, {"TVXNEW.DLL", newer, "TVXNEW.DLL;4"},
                        {"TVXWIN.DAT", "new", "TVXWIN.DAT;3"}});
    // Started off the medium with -S, into a group chosen from the list of existing ones.
    for (const char *group : {"Hry", "Nástroje", "Žurnály"})
        ASSERT_TRUE(testsupport::MakeDirectories(commonPrograms_ + "\\" + Utf8ToCp1250(group)));
    exe_ = *shell_ / "TALVIREX.EXE";
    args_ = "-S\"" + medium_->path() + "\"";
    groupChoice_ = Utf8ToCp1250("Nástroje");
    ASSERT_TRUE(CopyFileA(Installer().c_str(), exe_.c_str(), FALSE));
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, false, true, true));
    EXPECT_EQ(Text(96, Utf8ToCp1250(kTitle)), robot::ControlText(finish, 1001));
    ASSERT_TRUE(Close(finish));

    EXPECT_EQ(std::string(3000, 'x'), Contents(Target() + "\\PUBL.EXE"));
    EXPECT_EQ(std::string(20000, 'd'), Contents(Target() + "\\DATA.DAT"));
    EXPECT_FALSE(FileExists(Target() + "\\PUBL.ICO")) << "an icon file is copied only when listed";
    EXPECT_TRUE(Contents(keep) == newer) << "a newer installed library stays";
    EXPECT_TRUE(Contents(replace) == newer) << "an older installed library is replaced";
    EXPECT_EQ("new", Contents(plain)) << "a file without a version is replaced";
    for (const std::string &f : {keep, replace, plain})
        DeleteFileA(f.c_str());
    EXPECT_EQ("1", Ini(IniPath(), "INSTALL", "WIN32"));
    EXPECT_EQ(Target() + "\\", Ini(IniPath(), "SETING", "PATH"));
    std::string publication = Target() + "\\PUBL.EXE|" + Target() + "\\PUBL.ICO|" + Target(),
                group = commonPrograms_ + "\\" + groupChoice_;
    EXPECT_EQ(publication, ReadShortcut(Link(group, "Publikácia")));
    EXPECT_EQ(publication, ReadShortcut(Link(commonDesktop_, "Publikácia")));
    EXPECT_EQ(Target() + "\\CITAJ.TXT||" + Target(), ReadShortcut(Link(group, "Čítaj ma")))
        << "a '*' entry has no icon of its own";
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir()));
}

// A failing run shows its message (RunInstall checks that); nothing after the failure is done:
// the later copies, the INI record, the group, the desktop icon.
TEST_F(Install, AFailureStopsTheRunWhereItHappens)
{
    const struct { UINT message; std::function<bool()> arrange; std::string state; } cases[] = {
        {9, [&] { return testsupport::MakeDirectories(Target() + "\\THREE.TXT"); }, "12<missing>|<none>||"},
        {54, [&] { iniName_ = "Q:\\TVXNONE\\TVXTEST.INI"; return true; }, "124|<none>||"},
        {17, [&] { return testsupport::WriteFileBytes(GroupDir(), "a file in the group's place"); }, "124|1||"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        iniName_ = "TVXTEST.INI";
        ASSERT_TRUE(c.arrange());
        WriteMedium({{"ONE.TXT", "1", "ONE.TXT;1;*;Jedna"}, {"TWO.TXT", "2", "TWO.TXT;1"},
                     {"THREE.TXT", "3", "THREE.TXT;1"}, {"FOUR.TXT", "4", "FOUR.TXT;1"}});
        HWND finish;
        ASSERT_TRUE(RunInstall(&finish, false, true, true, c.message));
        ASSERT_TRUE(Close(finish));
        std::string copied;
        for (const char *name : {"ONE.TXT", "TWO.TXT", "FOUR.TXT"})
            copied += Contents(Target() + "\\" + name);
        EXPECT_EQ(c.state, copied + "|" + Ini(IniPath(), "INSTALL", "WIN32") + "|" +
                               (testsupport::DirectoryExists(GroupDir()) ? "group" : "") + "|" +
                               (FileExists(Link(commonDesktop_, "Jedna")) ? "desktop" : ""));
        for (const std::string &made : {Target(), GroupDir(), IniPath()})
            testsupport::RemoveTree(made);
    }
}

}  // namespace
}  // namespace wizard
