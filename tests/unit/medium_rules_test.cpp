// Descriptions whose names leave their folder or name a device, refused
// before the run; and sizes above 4 GiB.
#include <gtest/gtest.h>

#include <string>

#include "base/messages.h"
#include "base/setup_state.h"
#include "base/text.h"
#include "description/description.h"
#include "resource.h"
#include "test_support.h"

namespace {

LRESULT CALLBACK KeepBoxesShut(int code, WPARAM wParam, LPARAM lParam)
{
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(NULL, code, wParam, lParam);
}

// "3 KEY" or "6 PATH" for a refused description, "minimalKb maximalKb" for an accepted one.
std::string ReadOutcome(const std::string &mediumDir)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    CopyText(setup.sourceDir, sizeof setup.sourceDir, (mediumDir + "\\").c_str());
    HHOOK hook = SetWindowsHookExA(WH_CBT, KeepBoxesShut, NULL, GetCurrentThreadId());
    int accepted = ReadDescriptionFile();
    UnhookWindowsHookEx(hook);
    std::string shown = stringBuffer;   // the last text loaded: the message shown
    if (!accepted)
        return (shown == LoadText(IDS_BAD_MEDIUM) ? "6 " : shown == LoadText(IDS_BAD_DESCRIPTION) ? "3 " : "? ") +
               std::string(setup.diagnostic);
    return std::to_string(setup.requiredKb[0]) + " " + std::to_string(setup.requiredKb[1]);
}

TEST(MediumRules, NamesLeavingTheirFolderOrNamingDevicesAreRefusedAndBigFilesCountWhole)
{
    testsupport::ScratchDir root("rules");
    const std::string cd = root / "CD";
    ASSERT_TRUE(testsupport::MakeDirectories(cd + "\\SUB"));
    for (const char *name : {"A", "A.ICO", "SUB\\IN.TXT", "CONSOLE", "COM0", "LPT10.TXT", "..\\OUTSIDE.TXT"})
        ASSERT_TRUE(testsupport::WriteFileBytes(cd + "\\" + name, "x"));
    ASSERT_TRUE(testsupport::WriteSparseFile(cd + "\\BIG", (4ull << 30) + 10));
    ASSERT_TRUE(testsupport::WriteSparseFile(cd + "\\HUGE", 4ull << 40));
    // The case's line stands first in both sections; the other section ignores it.
    const struct {
        std::string line, outcome;
    } cases[] = {
        {"FILE2=..\\OUTSIDE.TXT;1", "3 FILE2"}, {"FILE2=SUB\\IN.TXT;1", "3 FILE2"}, {"FILE2=\\A;1", "3 FILE2"},
        {"FILE2=" + root / "OUTSIDE.TXT;1", "3 FILE2"}, {"FILE2=\\\\SERVER\\SHARE\\A;1", "3 FILE2"},
        {"FILE2=..;1", "3 FILE2"}, {"FILE2=A;1;..\\CD\\A.ICO;R", "3 FILE2"}, {"FILE2=A;1;*;..\\..\\EVIL", "3 FILE2"},
        {"FILE2=A;1;*;C:EVIL", "3 FILE2"}, {"FILE2=A;1;*;Nul", "3 FILE2"}, {"INIFILE=NUL", "3 INIFILE"},
        {"INIFILE=C:\\PUB\\com1.ini", "3 INIFILE"}, {"PATH=..\\OUT", "3 PATH"}, {"PATH=P/..", "3 PATH"},
        {"GROUP=..", "3 GROUP"}, {"GROUP=.", "3 GROUP"}, {"FILE2=NUL;1", "6 " + cd + "\\NUL"},
        {"FILE2=aux .txt;1", "6 " + cd + "\\aux .txt"}, {"FILE2=A;1;COM1;R", "6 " + cd + "\\COM1"},
        // What publishers rely on stays: an INI file elsewhere, dotted names inside, '*' icons.
        {"INIFILE=C:\\ELSE\\T.INI\r\nPATH=A\\B..\r\nGROUP=..G\r\nFILE2=A;1;*A;..R", "3 3"},
        {"FILE2=CONSOLE;1\r\nFILE3=COM0;1\r\nFILE4=LPT10.TXT;1", "5 5"},
        {"FILE2=BIG;0", "2 4194307"}, {"FILE2=HUGE;1", "4294967295 4294967295"},
    };
    for (const auto &c : cases) {
        std::string inf = "[PUBLICATION]\r\n" + c.line + "\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=G\r\n"
                          "[FILES]\r\n" + c.line + "\r\nFILE1=A;1;A.ICO;R\r\n";
        ASSERT_TRUE(testsupport::WriteFileBytes(cd + "\\TALVIREX.INF", inf));
        EXPECT_EQ(c.outcome, ReadOutcome(cd)) << c.line;
    }
}

}  // namespace
