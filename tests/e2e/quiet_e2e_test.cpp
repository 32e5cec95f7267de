// Unattended installations (-Q): no window at all, the outcome in the exit
// code and in the -L log, the installation checked on disk.
#include <functional>
#include <set>

#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::Contents;
using testsupport::DirectoryExists;
using testsupport::FileExists;

class Quiet : public WizardTest {
protected:
    // Runs the installer with args to its end and gives its exit code; a window it shows fails the test.
    DWORD RunQuiet(const std::string &args, const std::string &exe = "")
    {
        std::string boxes;
        DWORD code = RunToPageOrEnd(args, &boxes, exe);
        EXPECT_EQ("", boxes) << args;
        return code;
    }
};

// A maximal run with a quoted target, a group and a log, into Slovak names, with files in folders of their own;
// -C, the removal, a minimal run to the description's target. Run again by the test english_locale
// (tests/cmake/locale.cmake): under an English locale Wine gives a program code page 1252, which has no č, ľ, ť
// or ň, unless its manifest asks for another (this test program's asks for 1250 too).
TEST_F(Quiet, SlovakNamesAndFoldersWhateverTheLocale)
{
    ASSERT_TRUE(testsupport::MakeDirectories(*medium_ / "POMOC\\OBR"));
    WriteDefaultMedium({{"POMOC\\NAVOD.TXT", "navod", "POMOC\\NAVOD.TXT;1;POMOC\\OBR\\N.ICO;Návod"},
                        {"POMOC\\OBR\\N.ICO", "icon", "POMOC\\OBR\\N.ICO;0"}});
    std::string inf = Contents(*medium_ / "TALVIREX.INF"), log = *shell_ / "install.log";
    inf = std::regex_replace(inf, std::regex("PATH=[^\r]*"), Utf8ToCp1250("PATH=Čítanky\\Ťažký kôň"));
    ASSERT_TRUE(testsupport::WriteFileBytes(*medium_ / "TALVIREX.INF", inf));
    std::string target = *shell_ / Utf8ToCp1250("Moja publikácia"), help = target + "\\POMOC";
    std::string group = commonPrograms_ + "\\" + Utf8ToCp1250("Ľudové čítanie");
    EXPECT_EQ(0u, RunQuiet("-Q -T\"  " + target + "\\ \" -g\"" + Utf8ToCp1250("Ľudové čítanie") + "\" -L\"" + log + "\""));
    EXPECT_EQ(target + "\\", Ini(IniPath(), "SETING", "PATH"));
    EXPECT_EQ("navod|icon", Contents(help + "\\NAVOD.TXT") + "|" + Contents(help + "\\OBR\\N.ICO"));
    EXPECT_EQ(std::vector<std::string>({Utf8ToCp1250("Návod.lnk"), Utf8ToCp1250("Publikácia.lnk"), Utf8ToCp1250("Čítaj ma.lnk")}),
              testsupport::Listing(group));
    EXPECT_EQ(target + "\\PUBL.EXE|" + target + "\\PUBL.ICO|" + target, testsupport::ReadShortcut(Link(group, "Publikácia")));
    EXPECT_EQ(help + "\\NAVOD.TXT|" + help + "\\OBR\\N.ICO|" + target, testsupport::ReadShortcut(Link(group, "Návod")));
    EXPECT_TRUE(FileExists(Link(commonDesktop_, "Publikácia")));
    std::string copied;
    for (const char *name : {"PUBL.EXE", "DATA.DAT", "CITAJ.TXT", "POMOC\\NAVOD.TXT", "POMOC\\OBR\\N.ICO"})
        copied += LogLine(34, name);
    EXPECT_EQ(LogLine(48) + copied + LogLine(51) + LogLine(49) + LogLine(50) + LogLine(0), Unstamped(Contents(log)));

    // -C finds it installed: nothing runs again, the log gets one line more.
    DeleteFileA((target + "\\DATA.DAT").c_str());
    std::string before = Unstamped(Contents(log));
    EXPECT_EQ(0u, RunQuiet("-C -Q -L\"" + log + "\""));
    EXPECT_FALSE(FileExists(target + "\\DATA.DAT"));
    EXPECT_EQ(before + LogLine(351), Unstamped(Contents(log)));

    // -U -Q removes it without a question: the folders it emptied, the deepest first; a user's file keeps its folder.
    ASSERT_TRUE(testsupport::WriteFileBytes(help + "\\MOJE.TXT", "mine"));
    EXPECT_EQ(0u, RunQuiet("-U -Q", Program()));
    EXPECT_EQ(std::vector<std::string>{"MOJE.TXT"}, testsupport::Listing(help));
    EXPECT_FALSE(DirectoryExists(group)) << "the shortcut into the folder went with the others";
    EXPECT_FALSE(FileExists(IniPath()));
    ASSERT_TRUE(robot::WaitUntil([&] { return !DirectoryExists(programFiles_ + "\\TALVIREX"); }, "the helper"));

    // Minimal, to the description's target, with a log that cannot be written.
    EXPECT_EQ(0u, RunQuiet("-q -m -n -k -LQ:\\TVXNONE\\install.log"));
    std::string slovak = programFiles_ + "\\" + Utf8ToCp1250("Čítanky\\Ťažký kôň");
    EXPECT_EQ("1|0", std::to_string(FileExists(slovak + "\\PUBL.EXE")) + "|" + std::to_string(FileExists(slovak + "\\DATA.DAT")));
    EXPECT_EQ(medium_->path() + "\\", Ini(IniPath(), "SETING", "PATH"));
    EXPECT_FALSE(DirectoryExists(GroupDir()));
}

// Started at the same moment, before either has a window for the other to find: one installs,
// the other ends as the second copy. The copy takes a few seconds, so that they cannot run one after the other.
TEST_F(Quiet, OfTwoRunsStartedTogetherOneInstalls)
{
    WriteDefaultMedium({{"BIG.DAT", "", "BIG.DAT;1"}});
    ASSERT_TRUE(testsupport::WriteSparseFile(*medium_ / "BIG.DAT", 128 << 20));
    std::string line = "\"" + *medium_ / "TALVIREX.EXE" + "\" -Q -N -K";
    for (int round = 0; round < 3; round++) {
        SCOPED_TRACE(round);
        testsupport::RemoveTree(Target());
        DeleteFileA(IniPath().c_str());
        PROCESS_INFORMATION runs[2] = {};
        for (auto &run : runs) {
            STARTUPINFOA start = {};
            start.cb = sizeof start;
            ASSERT_TRUE(CreateProcessA(NULL, &std::string(line)[0], NULL, NULL, FALSE, CREATE_SUSPENDED, NULL,
                                       medium_->path().c_str(), &start, &run));
        }
        std::multiset<DWORD> codes;
        for (auto &run : runs)
            ResumeThread(run.hThread);
        for (auto &run : runs) {
            DWORD code = STILL_ACTIVE;
            WaitForSingleObject(run.hProcess, 60000);
            GetExitCodeProcess(run.hProcess, &code);
            codes.insert(code);
            CloseHandle(run.hThread);
            CloseHandle(run.hProcess);
        }
        EXPECT_EQ((std::multiset<DWORD>{0, 4}), codes);
        EXPECT_EQ((std::vector<std::string>{"BIG.DAT", "CITAJ.TXT", "DATA.DAT", "PUBL.EXE"}),
                  testsupport::Listing(Target()));
    }
}

TEST_F(Quiet, RefusalsEndWithTheirMessageAndWriteNoRecord)
{
    std::string pub = *shell_ / "Pub", log = *shell_ / "refusal.log", medium = medium_->path();
    HWND viewer = NULL, page;
    robot::Process wizard;
    auto Remove = [&](const char *name) { DeleteFileA((*medium_ / name).c_str()); };
    struct {
        std::string args;
        DWORD code;
        std::function<void()> arrange;
    } cases[] = {
        // The forms of -T and -G are the unit tests' tables; here each refusal ends with its own code.
        {"-TPub\\Here", 5, {}}, {"-T\"" + pub, 350, {}}, {"-T" + pub + "\\a?b", 15, {}}, {"-TQ:\\Pub", 24, {}},
        {"-T" + medium, 2, {}}, {"-GZl\xE1|skupina", 77, {}}, {"-G\" \"", 77, {}},
        // Names Windows would not make a folder of their own: refused before anything is made.
        {"-T" + pub + "...", 5, {}}, {"-T" + pub + "\\AUX\\x", 5, {}}, {"-GSkupina..", 77, {}}, {"-GAUX", 77, {}},
        {"-T" + std::string(300, 'x'), 350, {}},
        {"-T" + pub, 25, [&] { viewer = CreateWindowA("KVX_APP", "", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL, NULL, NULL); }},
        {"-T" + pub, 4, [&] { ASSERT_TRUE(wizard.Start(*medium_ / "TALVIREX.EXE", "", medium)); ASSERT_TRUE(robot::WaitForWindow(wizard.Id(), "TALVIREX", &page)); }},
        {"-T" + pub, 3, [&] { ASSERT_TRUE(testsupport::WriteFileBytes(*medium_ / "TALVIREX.INF", "[PUBLICATION]\r\nTITLE=T\r\n")); }},
        {"-D -T" + pub, 6, [&] { Remove("DATA.DAT"); }}, {"-T" + pub, 103, [&] { Remove("TALVIREX.INF"); }},   // -D: no second box
        {"-T" + *shell_ / "Blocked", 9, [&] { ASSERT_TRUE(testsupport::MakeDirectories(*shell_ / "Blocked\\DATA.DAT")); }},
    };
    WNDCLASSA viewerClass = {};
    viewerClass.lpfnWndProc = DefWindowProcA;
    viewerClass.lpszClassName = "KVX_APP";
    RegisterClassA(&viewerClass);
    for (const auto &c : cases) {
        SCOPED_TRACE("-Q -L... " + c.args);
        WriteDefaultMedium();
        DeleteFileA(log.c_str());
        if (c.arrange)
            c.arrange();
        EXPECT_EQ(c.code, RunQuiet("-Q -L" + log + " " + c.args));
        EXPECT_NE(std::string::npos, Contents(log).find(LogLine(c.code)));
        EXPECT_FALSE(DirectoryExists(pub));
        EXPECT_FALSE(DirectoryExists(programFiles_ + "\\Testovacia"));
        EXPECT_FALSE(FileExists(IniPath()));
        DestroyWindow(viewer);
        wizard.Kill();
    }
}

}  // namespace
}  // namespace wizard
