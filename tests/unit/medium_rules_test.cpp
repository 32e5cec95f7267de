// Names and sizes that come from a publisher's medium.
#include <gtest/gtest.h>

#include <string>

#include "base/messages.h"
#include "base/names.h"
#include "base/setup_state.h"
#include "base/text.h"
#include "base/sizes.h"
#include "description/description.h"
#include "resource.h"
#include "shell/disk.h"
#include "test_support.h"

namespace {

using testsupport::ScratchDir;
using testsupport::WriteFileBytes;

TEST(MediumNames, DevicesAndNamesThatLeaveTheirFolder)
{
    const struct {
        const char *name;
        int device, plain, dotDot, dot;
    } cases[] = {
        {"NUL", 1, 1, 0, 0}, {"aux.txt", 1, 1, 0, 0}, {"Com1", 1, 1, 0, 0}, {"LPT9.X.Y", 1, 1, 0, 0},
        {"CON .TXT", 1, 1, 0, 0}, {"prn  ", 1, 1, 0, 0}, {"COM0", 0, 1, 0, 0}, {"LPT10", 0, 1, 0, 0},
        {"CONSOLE", 0, 1, 0, 0}, {"NU", 0, 1, 0, 0}, {"XNUL", 0, 1, 0, 0}, {"COMA", 0, 1, 0, 0},
        {"", 0, 0, 0, 0}, {".", 0, 0, 0, 1}, {"..", 0, 0, 1, 1}, {"...", 0, 0, 0, 0}, {". .", 0, 0, 0, 0},
        {"..A", 0, 1, 0, 0}, {"A..", 0, 1, 0, 0}, {"..\\A", 0, 0, 1, 0}, {"A/..", 0, 0, 1, 0},
        {"A\\..\\B", 0, 0, 1, 0}, {"A\\...\\B", 0, 0, 0, 0}, {"\\A", 0, 0, 0, 0}, {"C:A", 0, 0, 0, 0},
        {"\\\\S\\SHARE", 0, 0, 0, 0}, {"SUB\\IN.TXT", 0, 0, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.device, IsDeviceName(c.name)) << c.name;
        EXPECT_EQ(c.plain, IsPlainFileName(c.name)) << c.name;
        EXPECT_EQ(c.dotDot, HasDotDotComponent(c.name)) << c.name;
        EXPECT_EQ(c.dot, IsDotName(c.name)) << c.name;
    }
}

TEST(MediumSizes, KbCoverTheWholeSizeAndSaturate)
{
    const struct {
        DWORD high, low, kb;
    } sizes[] = {
        {0, 0, 1}, {0, 1023, 1}, {0, 1024, 2}, {0, 0xFFFFFFFF, 4194304}, {1, 10, 4194305},
        {0x3FF, 0xFFFFFC00, 0xFFFFFFFF}, {0x3FF, 0xFFFFFBFF, 0xFFFFFFFF}, {0x3FF, 0xFFFFF7FF, 0xFFFFFFFE},
        {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (const auto &s : sizes)
        EXPECT_EQ(s.kb, KbOfSize(s.high, s.low)) << s.high << ":" << s.low;
    const DWORD sums[][3] = {{1, 2, 3}, {0xFFFFFFFE, 1, 0xFFFFFFFF}, {0xFFFFFFFF, 1, 0xFFFFFFFF},
                             {0x80000000, 0x80000000, 0xFFFFFFFF}, {0, 0xFFFFFFFF, 0xFFFFFFFF}};
    for (const auto &s : sums)
        EXPECT_EQ(s[2], AddKb(s[0], s[1])) << s[0] << "+" << s[1];
    const DWORD geometries[][4] = {{512, 1, 0xFFFFFFFF, 0x7FFFFFFF}, {2097152, 2097152, 0, 0},
                                   {2097152, 2097152, 1, 0x7FFFFFFF}, {2097152, 2097152, 2147483648u, 0x7FFFFFFF},
                                   {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0x7FFFFFFF}};
    for (const auto &g : geometries)
        EXPECT_EQ(g[3], FreeKbFromGeometry(g[0], g[1], g[2])) << g[0] << "*" << g[1] << "*" << g[2];
}

// A file of the given size that takes no room: Wine makes the end with a truncate.
bool WriteSparseFile(const std::string &path, unsigned long long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    LONG high = (LONG)(size >> 32);
    bool done = file != INVALID_HANDLE_VALUE &&
                SetFilePointer(file, (LONG)(DWORD)size, &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                SetEndOfFile(file);
    CloseHandle(file);
    return done;
}

LRESULT CALLBACK KeepBoxesShut(int code, WPARAM wParam, LPARAM lParam)
{
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(NULL, code, wParam, lParam);
}

// "3 KEY" or "6 PATH" for a refused description, the sizes for an accepted one.
std::string ReadOutcome(const std::string &mediumDir)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    setup.debugMessages = 1;
    CopyText(setup.sourceDir, sizeof setup.sourceDir, (mediumDir + "\\").c_str());
    HHOOK hook = SetWindowsHookExA(WH_CBT, KeepBoxesShut, NULL, GetCurrentThreadId());
    int accepted = ReadDescriptionFile();
    UnhookWindowsHookEx(hook);
    if (accepted)
        return std::to_string(setup.requiredKb[INSTALL_MINIMAL]) + " " + std::to_string(setup.requiredKb[INSTALL_MAXIMAL]);
    std::string shown = stringBuffer;   // the last text loaded is the message's
    for (UINT id : {IDS_BAD_DESCRIPTION, IDS_BAD_MEDIUM})
        if (shown == LoadText(id))
            return std::to_string(id) + " " + setup.diagnostic;
    return "? " + shown;
}

TEST(MediumRules, NamesThatLeaveTheirFolderOrNameADeviceAreRefusedAtStartUp)
{
    ScratchDir root("rules");
    const std::string cd = root / "CD";
    ASSERT_TRUE(testsupport::MakeDirectories(cd + "\\SUB"));
    for (const char *name : {"CD\\A", "CD\\A.ICO", "CD\\SUB\\IN.TXT", "OUTSIDE.TXT"})
        ASSERT_TRUE(WriteFileBytes(root / name, "x"));
    ASSERT_TRUE(WriteSparseFile(cd + "\\BIG", (4ull << 30) + 10));
    ASSERT_TRUE(WriteSparseFile(cd + "\\HUGE", 4ull << 40));
    auto Inf = [](const std::string &publication, const std::string &file2) {
        return "[PUBLICATION]\r\nTITLE=T\r\n" + publication + "\r\n[FILES]\r\nFILE1=A;1;A.ICO;R\r\nFILE2=" +
               file2 + "\r\n";
    };
    const std::string kPublication = "INIFILE=T.INI\r\nPATH=P\r\nGROUP=G";
    const struct {
        std::string publication, file2, outcome;
    } cases[] = {
        {kPublication, "..\\OUTSIDE.TXT;1", "3 FILE2"},
        {kPublication, "SUB\\IN.TXT;1", "3 FILE2"},
        {kPublication, "\\A;1", "3 FILE2"},
        {kPublication, root / "OUTSIDE.TXT;1", "3 FILE2"},
        {kPublication, "\\\\SERVER\\SHARE\\A;1", "3 FILE2"},
        {kPublication, "..;1", "3 FILE2"},
        {kPublication, "A;1;..\\CD\\A.ICO;R", "3 FILE2"},
        {kPublication, "A;1;*;..\\..\\..\\EVIL", "3 FILE2"},
        {kPublication, "A;1;*;C:EVIL", "3 FILE2"},
        {kPublication, "A;1;*;Nul", "3 FILE2"},
        {"INIFILE=NUL\r\nPATH=P\r\nGROUP=G", "A;1", "3 INIFILE"},
        {"INIFILE=C:\\PUB\\com1.ini\r\nPATH=P\r\nGROUP=G", "A;1", "3 INIFILE"},
        {"INIFILE=T.INI\r\nPATH=..\\OUT\r\nGROUP=G", "A;1", "3 PATH"},
        {"INIFILE=T.INI\r\nPATH=P/..\r\nGROUP=G", "A;1", "3 PATH"},
        {"INIFILE=T.INI\r\nPATH=P\r\nGROUP=..", "A;1", "3 GROUP"},
        {"INIFILE=T.INI\r\nPATH=P\r\nGROUP=.", "A;1", "3 GROUP"},
        {kPublication, "NUL;1", "6 " + cd + "\\NUL"},
        {kPublication, "aux.txt;1", "6 " + cd + "\\aux.txt"},
        {kPublication, "A;1;COM1;R", "6 " + cd + "\\COM1"},
        // What publishers rely on stays: an INI file elsewhere, dotted names that stay inside, '*' icons.
        {"INIFILE=C:\\ELSE\\T.INI\r\nPATH=A\\B..\r\nGROUP=..G", "A;1;*A;..R", "3 3"},
        {kPublication, "BIG;0", "2 4194307"},
        {kPublication, "HUGE;1", "4294967295 4294967295"},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(WriteFileBytes(cd + "\\TALVIREX.INF", Inf(c.publication, c.file2)));
        EXPECT_EQ(c.outcome, ReadOutcome(cd)) << c.publication << " " << c.file2;
    }
}

}
