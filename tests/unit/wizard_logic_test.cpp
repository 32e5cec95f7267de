// The wizard's arithmetic and text rules, in-process.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "app/setup_state.h"
#include "app/wizard.h"
#include "install/run.h"
#include "ui/page_proc.h"
#include "ui/target_pages.h"

namespace {

TEST(PageSequence, NextAndBackFollowTheGroupOption)
{
    struct Case {
        PageId page;
        WORD code;
        BYTE group;
        PageId next;
    } cases[] = {
        {10000, END_NEXT, 1, 10001}, {10001, END_NEXT, 1, 10002}, {10002, END_NEXT, 1, 10003},
        {10003, END_NEXT, 1, 10004}, {10004, END_NEXT, 1, 10005}, {10002, END_NEXT, 0, 10004},
        {10004, END_NEXT, 0, 10005}, {10001, END_BACK, 1, 10000}, {10002, END_BACK, 1, 10001},
        {10003, END_BACK, 1, 10002}, {10004, END_BACK, 1, 10003}, {10004, END_BACK, 0, 10002},
        {10002, END_BACK, 0, 10001}, {10003, END_CANCEL, 1, 0},   {10001, 0xFFFF, 1, 0},
        {10001, 0, 1, 0},            {10001, 47, 1, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.next, PageAfter(c.page, c.code, c.group))
            << "page " << c.page << " code " << c.code << " group " << (int)c.group;
}

TEST(StartUp, OnlyWin32sAndNt3AreRefused)
{
    EXPECT_TRUE(IsUnsupportedSystem(VER_PLATFORM_WIN32s, 3));
    EXPECT_TRUE(IsUnsupportedSystem(VER_PLATFORM_WIN32s, 4));
    EXPECT_TRUE(IsUnsupportedSystem(VER_PLATFORM_WIN32_NT, 3));
    EXPECT_FALSE(IsUnsupportedSystem(VER_PLATFORM_WIN32_NT, 4));
    EXPECT_FALSE(IsUnsupportedSystem(VER_PLATFORM_WIN32_NT, 10));
    EXPECT_FALSE(IsUnsupportedSystem(VER_PLATFORM_WIN32_WINDOWS, 3));
    EXPECT_FALSE(IsUnsupportedSystem(VER_PLATFORM_WIN32_WINDOWS, 4));
}

TEST(StartUp, DirectoriesGetOneTrailingBackslash)
{
    char a[16] = "C:\\WINDOWS";
    EnsureTrailingBackslash(a, sizeof a);
    EXPECT_STREQ("C:\\WINDOWS\\", a);
    char b[16] = "C:\\";
    EnsureTrailingBackslash(b, sizeof b);
    EXPECT_STREQ("C:\\", b);
}

TEST(Sizes, KilobytesShowAsTruncatedMegabytes)
{
    struct Case {
        DWORD kb;
        DWORD mb;
        UINT hundredths;
    } cases[] = {{0, 0, 0},         {1023, 0, 99},   {1024, 1, 0},     {1536, 1, 50},
                 {1034, 1, 0},      {1035, 1, 1},    {0xFFFFFFFF, 4194303, 99}};
    for (const Case &c : cases) {
        DWORD mb;
        UINT hundredths;
        SplitKbToMb(c.kb, &mb, &hundredths);
        EXPECT_EQ(c.mb, mb) << c.kb;
        EXPECT_EQ(c.hundredths, hundredths) << c.kb;
    }
}

TEST(Trimming, ControlBytesAndBlanksGoAccentedLettersStay)
{
    struct Case {
        std::string in, out;
    } cases[] = {
        {"  C:\\Pub  ", "C:\\Pub"}, {"\t\r\nx\x01", "x"}, {"   ", ""}, {"", ""},
        {"\xE1" "b\xA0", "\xE1" "b\xA0"}, {"a b", "a b"},
    };
    for (const Case &c : cases) {
        char buffer[64];
        snprintf(buffer, sizeof buffer, "%s", c.in.c_str());
        int n = TrimText(buffer, (int)c.in.size());
        EXPECT_EQ(c.out, std::string(buffer)) << c.in;
        EXPECT_EQ((int)c.out.size(), n) << c.in;
    }
}

TEST(Centring, ShiftRoundsDown)
{
    EXPECT_EQ(100, CentreOffset(800, 600));
    EXPECT_EQ(0, CentreOffset(601, 600));
    EXPECT_EQ(-1, CentreOffset(599, 600));
}

TEST(TargetForm, FullPathsWithoutForbiddenCharacters)
{
    struct Case {
        const char *text;
        ErrorCode result;
    } cases[] = {
        {"C:\\", 5},     {"C:\\.", 0},    {"c:\\x", 0},    {"1:\\x", 5},   {"\\\\s\\x", 5},
        {"C:dir", 5},    {"C:/dir", 5},   {"C\\\\dir", 5}, {"C:\\a:b", 15}, {"C:\\a*", 15},
        {"C:\\a?", 15},  {"C:\\a\"", 15}, {"C:\\a<", 15},  {"C:\\a>", 15},  {"C:\\a|b", 15},
        {"C:\\a/b", 15}, {"C:\\a\\b", 0}, {"\xC8:\\x", 5},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.result, CheckTargetForm(c.text, (int)strlen(c.text))) << c.text;
}

TEST(TargetForm, DriveLetterOfAPath)
{
    EXPECT_EQ('C', DriveLetterOf("c:\\x"));
    EXPECT_EQ('D', DriveLetterOf("D:\\"));
    EXPECT_EQ('?', DriveLetterOf("D:x"));
    EXPECT_EQ('?', DriveLetterOf("\\\\s\\x"));
    EXPECT_EQ('?', DriveLetterOf(""));
}

class Canonical : public ::testing::Test {
protected:
    void SetUp() override { ResetSetupState(); }
    ErrorCode Run(const char *input)
    {
        snprintf(setup.textBuffer, sizeof setup.textBuffer, "%s", input);
        return CanonicaliseTarget(setup.textBuffer, (int)strlen(input));
    }
};

TEST_F(Canonical, ResolvesDotsAndRefusesRoots)
{
    EXPECT_EQ(0, Run("C:\\x\\..\\Pub"));
    EXPECT_STREQ("C:\\Pub\\", setup.pathBuffer);
    EXPECT_EQ(0, Run("C:\\Pub\\"));
    EXPECT_STREQ("C:\\Pub\\", setup.pathBuffer);
    EXPECT_EQ(0, Run("C:\\a\\.\\b"));
    EXPECT_STREQ("C:\\a\\b\\", setup.pathBuffer);
    EXPECT_EQ(5, Run("C:\\."));
    EXPECT_EQ(5, Run("C:\\x\\.."));
    // The full path of the dummy file inside the directory must stay below 260 characters.
    std::string fits = "C:\\" + std::string(247, 'a');
    EXPECT_EQ(0, Run(fits.c_str()));
    std::string longer = "C:\\" + std::string(249, 'a');
    EXPECT_EQ(5, Run(longer.c_str()));
}

TEST(Run, StepIsEightyOverTheCount)
{
    EXPECT_EQ(80, ProgressStep(1));
    EXPECT_EQ(20, ProgressStep(4));
    EXPECT_EQ(2, ProgressStep(30));
    EXPECT_EQ(1, ProgressStep(58));
    EXPECT_EQ(0, ProgressStep(0));
}

TEST(Run, TargetPathByKind)
{
    ResetSetupState();
    snprintf(setup.installDir, sizeof setup.installDir, "D:\\Pub\\");
    snprintf(setup.systemDir, sizeof setup.systemDir, "C:\\WINDOWS\\SYSTEM\\");
    snprintf(setup.windowsDir, sizeof setup.windowsDir, "C:\\WINDOWS\\");
    const char *expected[] = {"D:\\Pub\\X", "D:\\Pub\\X", "C:\\WINDOWS\\SYSTEM\\X", "C:\\WINDOWS\\X",
                              "C:\\WINDOWS\\SYSTEM\\X", "D:\\Pub\\X"};
    for (FileKind kind = 0; kind <= 5; kind++) {
        char buffer[PATH_BUFFER_SIZE];
        EXPECT_EQ(1, BuildTargetPath(buffer, sizeof buffer, kind, "X"));
        EXPECT_STREQ(expected[kind], buffer) << (int)kind;
    }
    // A destination longer than a path may be is refused, not cut.
    char buffer[PATH_BUFFER_SIZE];
    std::string name(253, 'n');
    EXPECT_EQ(1, BuildTargetPath(buffer, sizeof buffer, 1, name.c_str()));
    name += "n";
    EXPECT_EQ(0, BuildTargetPath(buffer, sizeof buffer, 1, name.c_str()));
}

}  // namespace
