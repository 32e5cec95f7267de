// The command-line options -C, -D and -S.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "app/setup_state.h"
#include "app/text.h"
#include "test_support.h"

namespace {

const char kBefore[] = "Z:\\BEFORE\\";

struct Case {
    std::string line;
    DWORD skip, debug;
    std::string source;   // empty: unchanged
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    static void Reset()
    {
        ResetSetupState();
        CopyText(setup.sourceDir, sizeof setup.sourceDir, kBefore);
        setup.sourceDirLen = (DWORD)strlen(kBefore);
    }
    static void Check(const Case &c)
    {
        SCOPED_TRACE(testing::Message() << "command line [" << c.line << "]");
        Reset();
        ParseCommandLine(c.line.c_str());
        EXPECT_EQ(c.skip, setup.skipIfInstalled);
        EXPECT_EQ(c.debug, setup.debugMessages);
        std::string expected = c.source.empty() ? kBefore : c.source;
        EXPECT_EQ(expected, setup.sourceDir);
        EXPECT_EQ(expected.size(), setup.sourceDirLen);
    }
};

TEST_F(CommandLineTest, NullLineChangesNothing)
{
    ParseCommandLine(NULL);
    EXPECT_EQ(0u, setup.skipIfInstalled);
    EXPECT_EQ(0u, setup.debugMessages);
    EXPECT_STREQ(kBefore, setup.sourceDir);
}

TEST_F(CommandLineTest, Flags)
{
    const Case cases[] = {
        {"", 0, 0, ""},
        {" \t\r\n\x01\x1F ", 0, 0, ""},
        {"-c -d", 1, 1, ""},
        {"-C", 1, 0, ""},
        {"\t-D\t", 0, 1, ""},
        {"-c\x01-d", 1, 1, ""},           // every byte below 33 separates
        {"-CD", 0, 0, ""},                // a letter with text glued to it
        {"-Debug -CX", 0, 0, ""},
        {"-X", 0, 0, ""},
        {"/C /D", 0, 0, ""},
        {"x-C", 0, 0, ""},
        {"-", 0, 0, ""},
        {"--c", 0, 0, ""},
        {"-c -c -C", 1, 0, ""},
        {"-\xC8 -d", 0, 1, ""},           // a byte above 127 is no letter
        {"-C\xA0", 0, 0, ""},             // ... and no separator
    };
    for (const Case &c : cases)
        Check(c);
}

TEST_F(CommandLineTest, SourcePaths)
{
    const Case cases[] = {
        {"-SD:", 0, 0, "D:\\"},
        {"-SD:\\", 0, 0, "D:\\"},
        {"-SD:\\SETUP\\", 0, 0, "D:\\SETUP\\"},
        {"-sD:\\SETUP", 0, 0, "D:\\SETUP\\"},
        {"-SD:\\A\\..\\B\\.", 0, 0, "D:\\B\\"},
        {"-S\"D:\\My Publication\"", 0, 0, "D:\\My Publication\\"},
        {"-SD:\\My Publication", 0, 0, "D:\\My\\"},     // the second word is skipped
        {"-S\"D:\\A B\"glued -c", 1, 0, "D:\\A B\\"},
        {"-SD:\\\xC8\xEDtanka", 0, 0, "D:\\\xC8\xEDtanka\\"},
        {"-S\"D:\\\xC8 \xED\"", 0, 0, "D:\\\xC8 \xED\\"},
        {"-SD:\\X\"Y", 0, 0, "D:\\X\"Y\\"},               // a quote inside an unquoted path
        {"-SD:\\A -SE:\\B", 0, 0, "E:\\B\\"},             // the last usable one wins
        {"-c -SD:\\A -d", 1, 1, "D:\\A\\"},
    };
    for (const Case &c : cases)
        Check(c);
}

TEST_F(CommandLineTest, UnusableSourcePathsAreIgnored)
{
    const Case cases[] = {
        {"-S", 0, 0, ""},
        {"-S D:\\X", 0, 0, ""},
        {"-S\"\"", 0, 0, ""},
        {"-S\"D:\\Open", 0, 0, ""},
        {"-S\"D:\\A\tB\" -c", 1, 0, ""},     // a tab ends a quoted path
        {"-S\"D:\\A\x1F" "B\"", 0, 0, ""},
        {"-SD:\\A -S", 0, 0, "D:\\A\\"},
        {"-SD:\\A -S\"\" -S\"D:\\B", 0, 0, "D:\\A\\"},
        {"/SD:\\A", 0, 0, ""},
        {"x-SD:\\A", 0, 0, ""},
    };
    for (const Case &c : cases)
        Check(c);
}

TEST_F(CommandLineTest, LengthLimits)
{
    // A full path of 259 characters, dummy file name included, is taken.
    std::string fits = "D:\\" + std::string(252, 'a');
    std::string longLine = "-SD:\\" + std::string(600, 'x');
    const Case cases[] = {
        {"-S" + fits, 0, 0, fits + "\\"},
        {"-S\"" + fits + "\\\"", 0, 0, fits + "\\"},
        {longLine + " -c", 1, 0, ""},
        {"-S\"" + longLine + "\" -d", 0, 1, ""},
    };
    for (const Case &c : cases)
        Check(c);
}

TEST_F(CommandLineTest, RelativePathsFollowTheCurrentDirectory)
{
    testsupport::ScratchDir dir("cmdline");
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    const Case cases[] = {
        {"-S.\\CD", 0, 0, (dir.path() + "\\CD\\")},
        {"-S.", 0, 0, (dir.path() + "\\")},
        {"-S\"..\\x y\"", 0, 0, (dir.path().substr(0, dir.path().rfind('\\')) + "\\x y\\")},
    };
    for (const Case &c : cases)
        Check(c);

    // Relative paths are short, but their full form may still be too long:
    // cwd\name\w.w of 259 characters is taken, of 261 it is not.
    size_t room = 259 - dir.path().size() - 1 - 4;
    std::string name(room, 'n');
    Check({"-S" + name, 0, 0, dir / name + "\\"});
    Check({"-S" + name + "nn", 0, 0, ""});
    SetCurrentDirectoryA(saved);
}

}  // namespace
