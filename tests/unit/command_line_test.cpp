// The command-line options.
#include "app/command_line.h"
#include "base/setup_state.h"
#include "base/text.h"
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

// As a run reads them: the quiet options first, then the others. A quoted value is only that value.
TEST(CommandLine, QuietOptionsAndQuotedValuesInBothReadings)
{
    // After the quiet reading: flags|target|group|log|error; after both: removal, skip, debug, source.
    const std::pair<std::string, std::string> cases[] = {
        {"-q -M -n -K", "QMNK||||0 "}, {"-QX -MM -N1 /K x-Q - -C -D -SC:\\", "||||0 CDC:\\"},
        {"-Tc:\\a -t\"  D:\\b c \" -Gx -Q", "Q|D:\\b c|x||0 "},
        {"-Q -T\"C:\\A -M", "Q||||350 "},   // the open quote takes the rest
        {"-G" + std::string(61, 'g') + " -Gok", "||ok||350 "},
        {"-Q -G\"Kni\x9Enica -U x\"", "Q||Kni\x9Enica -U x||0 "},
        {"-S\"D:\\A -Q B\" -G\"a -C b\" -G\"c -D -sever\"", "||c -D -sever||0 D:\\A -Q B\\"},
        {"-Q -T\"C:\\Pub\" -L\"C:\\logs\\a -SC:\\other b.log\" -u", "Q|C:\\Pub||C:\\logs\\a -SC:\\other b.log|0 U"}};
    for (const auto &c : cases) {
        ResetSetupState();
        ParseQuietOptions(c.first.c_str());
        std::string seen = std::string(setup.quiet ? "Q" : "") + (setup.quietMinimal ? "M" : "") + (setup.quietNoGroup ? "N" : "") +
                           (setup.quietNoDesktopIcon ? "K" : "") + "|" + setup.quietTarget + "|" + setup.quietGroup + "|" +
                           setup.logPath + "|" + std::to_string(setup.optionError + setup.skipIfInstalled + setup.debugMessages +
                           setup.removeMode + setup.sourceDirLen) + " ";
        ParseCommandLine(c.first.c_str());
        seen += std::string(setup.removeMode ? "U" : "") + (setup.skipIfInstalled ? "C" : "") +
                (setup.debugMessages ? "D" : "") + setup.sourceDir;
        EXPECT_EQ(c.second, seen) << c.first;
    }
}
