// The command-line options.
#include "app/command_line.h"
#include "base/setup_state.h"
#include "base/text.h"
#include "resource.h"
#include "test_support.h"

TEST(CommandLine, SetsFlagsAndSourceDirectory)
{
    ParseCommandLine(NULL);
    testsupport::ScratchDir dir("cmdline");
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    const std::string before = "Z:\\BEFORE\\", parent = dir.path().substr(0, dir.path().rfind('\\'));
    // Full paths, "\w.w" included, of 259 characters are taken, of 261 not (at 260 Wine refuses).
    std::string fits = "D:\\" + std::string(252, 'a'), relative(259 - dir.path().size() - 5, 'n');
    struct { std::string line; DWORD skip, debug; std::string source; } cases[] = {   // source "": unchanged
        {" \t\r\n\x01\x1F ", 0, 0, ""}, {"\t-C\t", 1, 0, ""}, {"-c\x01-d", 1, 1, ""},   // every byte below 33 separates
        {"-CD -Debug -X /C /D x-C - --c", 0, 0, ""}, {"/SD:\\A x-SD:\\A", 0, 0, ""},
        {"-\xC8 -d -C\xA0", 0, 1, ""},       // bytes above 127 are neither letters nor separators
        {"-SD:", 0, 0, "D:\\"}, {"-sD:\\A\\..\\SETUP\\", 0, 0, "D:\\SETUP\\"}, {"-S\"D:\\A\tB\" -c", 1, 0, ""},   // a tab ends a quoted path
        {"-S\"D:\\My Publication\"", 0, 0, "D:\\My Publication\\"}, {"-SD:\\My Publication", 0, 0, "D:\\My\\"},
        {"-S\"D:\\A B\"glued -c", 1, 0, "D:\\A B\\"}, {"-c -SD:\\A -SE:\\B -d", 1, 1, "E:\\B\\"},
        {"-SD:\\A -S -S\"\" -S D:\\X -S\"D:\\B", 0, 0, "D:\\A\\"},   // the unusable ones change nothing
        {"-S" + fits, 0, 0, fits + "\\"}, {"-S\"" + fits + "\\\"", 0, 0, fits + "\\"}, {"-S" + fits + "bb", 0, 0, ""},
        {"-SD:\\" + std::string(600, 'x') + " -c", 1, 0, ""}, {"-S.\\CD", 0, 0, dir / "CD\\"}, {"-S\"..\\x y\"", 0, 0, parent + "\\x y\\"},
        {"-S" + relative, 0, 0, dir / relative + "\\"}, {"-S" + relative + "nn", 0, 0, ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE("command line [" + c.line + "]");
        ResetSetupState();
        CopyText(setup.sourceDir, sizeof setup.sourceDir, before.c_str());
        setup.sourceDirLen = (DWORD)before.size();
        ParseCommandLine(c.line.c_str());
        std::string expected = c.source.empty() ? before : c.source;
        EXPECT_EQ(c.skip, setup.skipIfInstalled);
        EXPECT_EQ(c.debug, setup.debugMessages);
        EXPECT_EQ(expected, setup.sourceDir);
        EXPECT_EQ(expected.size(), setup.sourceDirLen);
    }
    SetCurrentDirectoryA(saved);
}

TEST(CommandLine, QuietOptions)
{
    const std::string group60(60, 'g');
    struct { std::string line; const char *flags; bool targetGiven; std::string target, group, log; ErrorCode error; } cases[] = {
        {"-q -M -n -K", "QMNK", false, "", "", "", 0}, {"-QX -MM -N1 /K x-Q -", "", false, "", "", "", 0},
        {"-T\"  C:\\A B\\ \" -gx -LZ:\\l.txt", "", true, "C:\\A B\\", "x", "Z:\\l.txt", 0},
        {"-T -G\"\"", "", true, "", "", "", 0}, {"-Tc:\\a -tD:\\b -Q", "Q", true, "D:\\b", "", "", 0},
        {"-Q -T\"C:\\A -M", "Q", true, "", "", "", IDS_BAD_OPTION},   // the open quote takes the rest
        {"-G" + group60, "", false, "", group60, "", 0}, {"-G" + group60 + "g -Gok", "", false, "", "ok", "", IDS_BAD_OPTION},
        {"-L\"" + std::string(300, 'l') + "\"", "", false, "", "", "", IDS_BAD_OPTION}, {"-C -D -SC:\\", "", false, "", "", "", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE("command line [" + c.line + "]");
        ResetSetupState();
        ParseQuietOptions(c.line.c_str());
        std::string flags = std::string(setup.quiet ? "Q" : "") + (setup.quietMinimal ? "M" : "") +
                            (setup.quietNoGroup ? "N" : "") + (setup.quietNoDesktopIcon ? "K" : "");
        EXPECT_EQ(c.flags, flags);
        EXPECT_EQ(c.targetGiven, setup.quietTargetGiven != 0);
        EXPECT_EQ(c.target, setup.quietTarget);
        EXPECT_EQ(c.group, setup.quietGroup);
        EXPECT_EQ(c.log, setup.logPath);
        EXPECT_EQ(c.error, setup.optionError);
        EXPECT_EQ(0u, setup.skipIfInstalled + setup.debugMessages + setup.sourceDirLen) << "-C, -D and -S are read apart";
    }
}
