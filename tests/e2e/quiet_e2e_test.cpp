// Unattended installations (-Q): no window at all, the outcome in the exit
// code and in the -L log, the installation checked on disk.
#include <regex>

#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::Contents;
using testsupport::FileExists;

// A message text as one log line.
std::string LogLine(UINT id, const std::string &tail = "")
{
    return std::regex_replace(Text(id), std::regex("[\r\n]+"), " ") + tail + "\r\n";
}

class Quiet : public WizardTest {
protected:

    // Runs the installer with args to its end; fails if it shows a window meanwhile.
    Result RunQuiet(const std::string &args, DWORD *code)
    {
        std::string shown;
        auto Shown = [&] {
            for (const char *cls : {"TALVIREX", "#32770"})
                if (!robot::TopWindows(installer_.Id(), cls).empty())
                    return !(shown = cls).empty();
            return false;
        };
        Result r = Start(args);
        if (r) r = robot::WaitUntil([&] { return !installer_.Running() || Shown(); }, "the quiet run's end");
        if (r && !shown.empty())
            return ::testing::AssertionFailure() << "a window of class " << shown << " appeared";
        return r ? installer_.WaitForExit(code) : r;
    }
};

TEST_F(Quiet, MaximalRunWithTargetGroupAndLog)
{
    WriteDefaultMedium();
    std::string target = *shell_ / Utf8ToCp1250("Moja publikácia"), log = *shell_ / "install.log";
    std::string group = commonPrograms_ + "\\" + Utf8ToCp1250("Iná skupina");
    DWORD code = 99;
    ASSERT_TRUE(RunQuiet("-Q -T\"  " + target + "\\ \" -g\"" + Utf8ToCp1250("Iná skupina") + "\" -L\"" + log + "\"", &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(std::string(20000, 'd'), Contents(target + "\\DATA.DAT"));
    EXPECT_EQ(target + "\\", Ini(IniPath(), "SETING", "PATH"));
    EXPECT_EQ(target + "\\PUBL.EXE|" + target + "\\PUBL.ICO|" + target, testsupport::ReadShortcut(Link(group, "Publikácia")));
    EXPECT_TRUE(FileExists(Link(group, "Čítaj ma")));
    EXPECT_TRUE(FileExists(Link(commonDesktop_, "Publikácia")));
    EXPECT_EQ(LogLine(48) + LogLine(34, "PUBL.EXE") + LogLine(34, "DATA.DAT") + LogLine(34, "CITAJ.TXT") + LogLine(51) +
                  LogLine(49) + LogLine(50) + LogLine(0),
              Contents(log));

    // -C finds it installed: nothing runs again, the log gets one line more.
    DeleteFileA((target + "\\DATA.DAT").c_str());
    std::string before = Contents(log);
    ASSERT_TRUE(RunQuiet("-C -Q -L\"" + log + "\"", &code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(FileExists(target + "\\DATA.DAT"));
    EXPECT_EQ(before + LogLine(351), Contents(log));
}

TEST_F(Quiet, MinimalRunWithoutShortcutsAndAnUnwritableLog)
{
    WriteDefaultMedium();
    std::string target = programFiles_ + "\\Testovacia";
    DWORD code = 99;
    ASSERT_TRUE(RunQuiet("-q -m -n -k -LQ:\\TVXNONE\\install.log", &code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(FileExists(target + "\\PUBL.EXE"));
    EXPECT_FALSE(FileExists(target + "\\DATA.DAT"));
    EXPECT_EQ(medium_->path() + "\\", Ini(IniPath(), "SETING", "PATH"));
    EXPECT_FALSE(testsupport::DirectoryExists(commonPrograms_ + "\\Testovacia skupina"));
    EXPECT_FALSE(FileExists(Link(commonDesktop_, "Publikácia")));
}

TEST_F(Quiet, FailedCopyEndsWithItsMessage)
{
    WriteDefaultMedium();
    std::string target = *shell_ / "Target", log = *shell_ / "install.log";
    ASSERT_TRUE(testsupport::MakeDirectories(target + "\\DATA.DAT"));
    DWORD code = 99;
    ASSERT_TRUE(RunQuiet("-Q -T" + target + " -L" + log, &code));
    EXPECT_EQ(9u, code);
    std::string logged = Contents(log), tail = LogLine(34, "DATA.DAT") + LogLine(9);
    ASSERT_GE(logged.size(), tail.size());
    EXPECT_EQ(tail, logged.substr(logged.size() - tail.size()));
    EXPECT_FALSE(FileExists(IniPath()));
}

enum Arrange { AS_IS, VIEWER_OPEN, WIZARD_RUNNING, BAD_DESCRIPTION, FILE_MISSING, NO_DESCRIPTION };

TEST_F(Quiet, RefusalsEndWithTheirMessageAndTouchNothing)
{
    std::string pub = *shell_ / "Pub", log = *shell_ / "refusal.log";
    struct {
        std::string args;
        Arrange arrange;
        DWORD code;
    } cases[] = {
        {"-T", AS_IS, 5}, {"-TPub\\Here", AS_IS, 5}, {"-T\"" + pub, AS_IS, 350}, {"-T" + pub + "\\a?b", AS_IS, 15},
        {"-TQ:\\Pub", AS_IS, 24}, {"-T" + medium_->path(), AS_IS, 2}, {"-GZl\xE1|skupina", AS_IS, 77},
        {"-G\"Skupina", AS_IS, 350}, {"-G\" \"", AS_IS, 77}, {"-T" + std::string(300, 'x'), AS_IS, 350},
        {"-T" + pub, VIEWER_OPEN, 25}, {"-T" + pub, WIZARD_RUNNING, 4}, {"-T" + pub, BAD_DESCRIPTION, 3},
        {"-D -T" + pub, FILE_MISSING, 6}, {"-T" + pub, NO_DESCRIPTION, 103},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE("-Q -L... " + c.args);
        WriteDefaultMedium();
        DeleteFileA(log.c_str());
        HWND viewer = NULL, page;
        robot::Process wizard;
        if (c.arrange == VIEWER_OPEN) {
            WNDCLASSA cls = {};
            cls.lpfnWndProc = DefWindowProcA;
            cls.lpszClassName = "KVX_APP";
            RegisterClassA(&cls);
            viewer = CreateWindowA("KVX_APP", "", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
        } else if (c.arrange == WIZARD_RUNNING) {
            ASSERT_TRUE(wizard.Start(*medium_ / "TALVIREX.EXE", "", medium_->path()));
            ASSERT_TRUE(robot::WaitForWindow(wizard.Id(), "TALVIREX", &page));
        } else if (c.arrange == BAD_DESCRIPTION) {
            ASSERT_TRUE(testsupport::WriteFileBytes(*medium_ / "TALVIREX.INF", "[PUBLICATION]\r\nTITLE=T\r\n"));
        } else if (c.arrange == FILE_MISSING || c.arrange == NO_DESCRIPTION) {
            DeleteFileA((*medium_ / (c.arrange == FILE_MISSING ? "DATA.DAT" : "TALVIREX.INF")).c_str());
        }
        DWORD code = 99;
        ASSERT_TRUE(RunQuiet("-Q -L" + log + " " + c.args, &code));
        EXPECT_EQ(c.code, code);
        std::string logged = Contents(log);
        EXPECT_EQ(LogLine(c.code), logged.substr(0, LogLine(c.code).size()));
        if (c.arrange == FILE_MISSING) {
            EXPECT_EQ(LogLine(6) + medium_->path() + "\\DATA.DAT\r\n", logged) << "-D's detail goes to the log";
        }
        EXPECT_FALSE(testsupport::DirectoryExists(pub));
        EXPECT_FALSE(testsupport::DirectoryExists(programFiles_ + "\\Testovacia"));
        EXPECT_FALSE(FileExists(IniPath()));
        if (viewer)
            DestroyWindow(viewer);
        wizard.Kill();
    }
}

}  // namespace
}  // namespace wizard
