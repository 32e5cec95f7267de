// Whole installations driven through the wizard and checked on disk: the
// copied files, the publication's INI file and the shortcut files.
#include <objbase.h>
#include <shlobj.h>

#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::FileExists;
using testsupport::Utf8ToCp1250;

struct Shortcut {
    bool loaded = false;
    std::string target, icon, workingDir;
    int iconIndex = -1;
};

Shortcut ReadShortcut(const std::string &path)
{
    Shortcut s;
    CoInitialize(NULL);
    IShellLinkA *link = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&link))) {
        IPersistFile *file = NULL;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file))) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                char text[MAX_PATH] = "";
                s.loaded = true;
                link->GetPath(text, sizeof text, NULL, SLGP_RAWPATH);
                s.target = text;
                text[0] = 0;
                link->GetIconLocation(text, sizeof text, &s.iconIndex);
                s.icon = text;
                text[0] = 0;
                link->GetWorkingDirectory(text, sizeof text);
                s.workingDir = text;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return s;
}

std::string ReadIni(const std::string &ini, const char *section, const char *key)
{
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, ini.c_str());
    return value;
}

std::string SystemDir()
{
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}

std::string WindowsDir()
{
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}

std::string Contents(const std::string &path)
{
    std::string bytes;
    return testsupport::ReadFileBytes(path, &bytes) ? bytes : "<missing>";
}

class Install : public WizardTest {
protected:
    void TearDown() override
    {
        for (const std::string &f : cleanup_)
            testsupport::RemoveTree(f);
        WizardTest::TearDown();
    }

    std::string Target() const { return programFiles_ + "\\Testovacia"; }
    std::string GroupDir() const { return commonPrograms_ + "\\" + Utf8ToCp1250("Testovacia skupina"); }

    // Walks the wizard: type page choices, then Install. Returns the finish page.
    ::testing::AssertionResult RunWizard(HWND *finish, bool minimal, bool group, bool desktop,
                                         UINT failureMessage = 0)
    {
        HWND page;
        ::testing::AssertionResult r = Start();
        if (r) r = WaitForPage(10000, &page);
        if (r) r = Advance(&page, IDOK, 10001);
        if (r && minimal) r = robot::PressButton(page, 60);
        if (r && !group) r = robot::PressButton(page, 1101);
        if (r && !desktop) r = robot::PressButton(page, 1102);
        if (r) r = Advance(&page, IDOK, 10002);
        if (r && group) r = Advance(&page, IDOK, 10003);
        if (r) r = Advance(&page, IDOK, 10004);
        if (!r)
            return r;
        if (failureMessage) {
            r = robot::PressButton(page, IDOK);
            robot::MessageBoxInfo box;
            if (r) r = robot::WaitForMessageBox(installer_.Id(), &box);
            if (!r)
                return r;
            if (box.text != MessageText(failureMessage))
                return ::testing::AssertionFailure() << "expected message " << failureMessage << ", got \""
                                                     << box.text << "\"";
            // The message stands over the progress page, which is still there.
            bool progress = false;
            for (HWND w : robot::TopWindows(installer_.Id(), "TALVIREX"))
                progress = progress || PageOf(w) == 10020;
            if (!progress)
                return ::testing::AssertionFailure() << "the failure message came without the progress page";
            r = robot::AnswerMessageBox(box, IDOK);
            if (!r)
                return r;
            return WaitForPage(10021, finish, page);
        }
        return Advance(&page, IDOK, 10021) ? (*finish = page, ::testing::AssertionSuccess())
                                           : ::testing::AssertionFailure() << "no finish page";
    }

    ::testing::AssertionResult Close(HWND finish)
    {
        ::testing::AssertionResult r = robot::PressButton(finish, IDOK);
        return r ? WaitForExit() : r;
    }

    std::vector<std::string> cleanup_;
};

TEST_F(Install, MaximalRunCopiesEveryKindAndMakesShortcuts)
{
    WriteDefaultMedium();
    HWND finish;
    ASSERT_TRUE(RunWizard(&finish, false, true, true));
    EXPECT_EQ(Formatted(96, Utf8ToCp1250("Testovacia publikácia")), robot::ControlText(finish, 1001));
    EXPECT_EQ(" ", robot::ControlText(finish, 1002));
    ASSERT_TRUE(Close(finish));

    EXPECT_EQ(std::string(3000, 'x'), Contents(Target() + "\\PUBL.EXE"));
    EXPECT_EQ(std::string(20000, 'd'), Contents(Target() + "\\DATA.DAT"));
    EXPECT_EQ("text", Contents(Target() + "\\CITAJ.TXT"));
    EXPECT_FALSE(FileExists(Target() + "\\PUBL.ICO")) << "an icon file is copied only when listed";
    EXPECT_EQ("1", ReadIni(IniPath(), "INSTALL", "WIN32"));
    EXPECT_EQ(Target() + "\\", ReadIni(IniPath(), "SETING", "PATH"));

    Shortcut publ = ReadShortcut(GroupDir() + "\\" + Utf8ToCp1250("Publikácia") + ".lnk");
    ASSERT_TRUE(publ.loaded);
    EXPECT_EQ(Target() + "\\PUBL.EXE", publ.target);
    EXPECT_EQ(Target() + "\\PUBL.ICO", publ.icon);
    EXPECT_EQ(0, publ.iconIndex);
    EXPECT_EQ(Target(), publ.workingDir);
    Shortcut readme = ReadShortcut(GroupDir() + "\\" + Utf8ToCp1250("Čítaj ma") + ".lnk");
    ASSERT_TRUE(readme.loaded);
    EXPECT_EQ(Target() + "\\CITAJ.TXT", readme.target);
    EXPECT_EQ("", readme.icon) << "an entry with * has no icon of its own";
    Shortcut desktop = ReadShortcut(commonDesktop_ + "\\" + Utf8ToCp1250("Publikácia") + ".lnk");
    ASSERT_TRUE(desktop.loaded);
    EXPECT_EQ(Target() + "\\PUBL.EXE", desktop.target);
    EXPECT_EQ(Target() + "\\PUBL.ICO", desktop.icon);
    EXPECT_EQ(Target(), desktop.workingDir);

    // A second start with -C finds the publication installed and ends silently.
    robot::Process again;
    ASSERT_TRUE(again.Start(*medium_ / "TALVIREX.EXE", "-C"));
    DWORD code = 1;
    ASSERT_TRUE(again.WaitForExit(&code));
    EXPECT_EQ(0u, code);
}

TEST_F(Install, MinimalRunLeavesKindZeroOnTheMedium)
{
    WriteDefaultMedium();
    HWND finish;
    ASSERT_TRUE(RunWizard(&finish, true, true, false));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(FileExists(Target() + "\\PUBL.EXE"));
    EXPECT_TRUE(FileExists(Target() + "\\CITAJ.TXT"));
    EXPECT_FALSE(FileExists(Target() + "\\DATA.DAT"));
    EXPECT_EQ(medium_->path() + "\\", ReadIni(IniPath(), "SETING", "PATH"));
    EXPECT_TRUE(ReadShortcut(GroupDir() + "\\" + Utf8ToCp1250("Publikácia") + ".lnk").loaded);
    EXPECT_FALSE(FileExists(commonDesktop_ + "\\" + Utf8ToCp1250("Publikácia") + ".lnk"));
}

TEST_F(Install, BothOptionsOffMakeNoShortcuts)
{
    WriteDefaultMedium();
    HWND finish;
    ASSERT_TRUE(RunWizard(&finish, false, false, false));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(FileExists(Target() + "\\PUBL.EXE"));
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir()));
    EXPECT_FALSE(FileExists(commonDesktop_ + "\\" + Utf8ToCp1250("Publikácia") + ".lnk"));
    EXPECT_EQ("1", ReadIni(IniPath(), "INSTALL", "WIN32"));
}

TEST_F(Install, SystemFilesAreCopiedByProductVersion)
{
    // The installer (version 2.1) and the sample library (1.0) serve as versioned files.
    std::string newer = Contents(TEST_INSTALLER);
    std::string older = Contents(TEST_BUILD_DIR "\\sample\\VZKLIB.DLL");
    ASSERT_NE("<missing>", older);
    std::string sys = SystemDir(), win = WindowsDir();
    cleanup_ = {sys + "\\TVXKEEP.DLL", sys + "\\TVXNEW.DLL", win + "\\TVXWIN.DAT", sys + "\\TVXK4.DLL"};
    ASSERT_TRUE(testsupport::WriteFileBytes(sys + "\\TVXKEEP.DLL", newer));  // installed is newer: kept
    ASSERT_TRUE(testsupport::WriteFileBytes(sys + "\\TVXNEW.DLL", older));   // installed is older: replaced
    ASSERT_TRUE(testsupport::WriteFileBytes(win + "\\TVXWIN.DAT", "old"));   // no version: replaced
    WriteMedium({
        {"PUBL.EXE", "p", "PUBL.EXE;1;*;Publikácia"},
        {"TVXKEEP.DLL", older, "TVXKEEP.DLL;2"},
        {"TVXNEW.DLL", newer, "TVXNEW.DLL;4"},
        {"TVXWIN.DAT", "new", "TVXWIN.DAT;3"},
        {"TVXK4.DLL", older, "TVXK4.DLL;4"},
    });
    HWND finish;
    ASSERT_TRUE(RunWizard(&finish, true, false, false));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(Contents(sys + "\\TVXKEEP.DLL") == newer) << "a newer installed library must stay";
    EXPECT_TRUE(Contents(sys + "\\TVXNEW.DLL") == newer) << "an older installed library must be replaced";
    EXPECT_EQ("new", Contents(win + "\\TVXWIN.DAT"));
    EXPECT_TRUE(Contents(sys + "\\TVXK4.DLL") == older);
    EXPECT_EQ("p", Contents(Target() + "\\PUBL.EXE"));
}

TEST_F(Install, FailedThirdCopyKeepsTheFirstTwoAndWritesNoRecord)
{
    WriteMedium({
        {"ONE.TXT", "1", "ONE.TXT;1;*;Jedna"},
        {"TWO.TXT", "2", "TWO.TXT;1"},
        {"THREE.TXT", "3", "THREE.TXT;1"},
        {"FOUR.TXT", "4", "FOUR.TXT;1"},
    });
    // A directory in the third file's place cannot be replaced by a file.
    ASSERT_TRUE(testsupport::MakeDirectories(Target() + "\\THREE.TXT"));
    HWND finish;
    ASSERT_TRUE(RunWizard(&finish, false, true, true, 9));
    EXPECT_EQ(Formatted(97, Utf8ToCp1250("Testovacia publikácia")), robot::ControlText(finish, 1001));
    EXPECT_EQ(Text(100), robot::ControlText(finish, 1002));
    ASSERT_TRUE(Close(finish));
    EXPECT_EQ("1", Contents(Target() + "\\ONE.TXT"));
    EXPECT_EQ("2", Contents(Target() + "\\TWO.TXT"));
    EXPECT_FALSE(FileExists(Target() + "\\FOUR.TXT"));
    EXPECT_FALSE(FileExists(IniPath()));
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir()));
}

TEST_F(Install, UnwritableIniFileIsReported)
{
    iniName_ = "Q:\\TVXNONE\\TVXTEST.INI";
    WriteDefaultMedium();
    HWND finish;
    ASSERT_TRUE(RunWizard(&finish, false, true, true, 54));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(FileExists(Target() + "\\PUBL.EXE"));
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir())) << "no shortcuts after a failed record";
}

TEST_F(Install, GroupThatCannotBeMadeStopsBeforeTheDesktop)
{
    WriteDefaultMedium();
    ASSERT_TRUE(testsupport::WriteFileBytes(GroupDir(), "a file in the group's place"));
    HWND finish;
    ASSERT_TRUE(RunWizard(&finish, false, true, true, 17));
    ASSERT_TRUE(Close(finish));
    EXPECT_EQ("1", ReadIni(IniPath(), "INSTALL", "WIN32"));
    EXPECT_FALSE(FileExists(commonDesktop_ + "\\" + Utf8ToCp1250("Publikácia") + ".lnk"));
}

TEST_F(Install, MinimalRunWithNothingToCopySucceeds)
{
    WriteMedium({
        {"DATA1.DAT", "a", "DATA1.DAT;0;*;Dáta"},
        {"DATA2.DAT", "b", "DATA2.DAT;0"},
    });
    HWND finish;
    ASSERT_TRUE(RunWizard(&finish, true, true, false));
    EXPECT_EQ(Formatted(96, Utf8ToCp1250("Testovacia publikácia")), robot::ControlText(finish, 1001));
    ASSERT_TRUE(Close(finish));
    EXPECT_FALSE(FileExists(Target() + "\\DATA1.DAT"));
    EXPECT_TRUE(testsupport::DirectoryExists(Target()));
    EXPECT_EQ(medium_->path() + "\\", ReadIni(IniPath(), "SETING", "PATH"));
    // The shortcut points into the installation directory all the same.
    Shortcut s = ReadShortcut(GroupDir() + "\\" + Utf8ToCp1250("Dáta") + ".lnk");
    ASSERT_TRUE(s.loaded);
    EXPECT_EQ(Target() + "\\DATA1.DAT", s.target);
}

}  // namespace
}  // namespace wizard
