// The wizard's arithmetic and text rules, in-process.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "base/setup_state.h"
#include "app/wizard.h"
#include "install/run.h"
#include "base/sizes.h"
#include "base/text.h"
#include "ui/target_pages.h"

namespace {

TEST(WizardLogic, PageSequenceFollowsTheGroupOption)
{
    struct {
        PageId page;
        WORD code;
        BYTE group;
        PageId next;
    } cases[] = {
        {10000, END_NEXT, 1, 10001}, {10002, END_NEXT, 1, 10003}, {10003, END_NEXT, 1, 10004},
        {10004, END_NEXT, 1, 10005}, {10002, END_NEXT, 0, 10004}, {10001, END_BACK, 1, 10000},
        {10003, END_BACK, 1, 10002}, {10004, END_BACK, 1, 10003}, {10004, END_BACK, 0, 10002},
        {10002, END_BACK, 0, 10001}, {10003, END_CANCEL, 1, 0},   {10001, 0xFFFF, 1, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.next, PageAfter(c.page, c.code, c.group)) << c.page << " " << c.code << " " << (int)c.group;
}

TEST(WizardLogic, OnlyWin32sAndNt3AreRefused)
{
    EXPECT_TRUE(IsUnsupportedSystem(VER_PLATFORM_WIN32s, 4));
    EXPECT_TRUE(IsUnsupportedSystem(VER_PLATFORM_WIN32_NT, 3));
    EXPECT_FALSE(IsUnsupportedSystem(VER_PLATFORM_WIN32_NT, 4));
    EXPECT_FALSE(IsUnsupportedSystem(VER_PLATFORM_WIN32_WINDOWS, 3));
}

TEST(WizardLogic, KilobytesShowAsTruncatedMegabytes)
{
    struct {
        DWORD kb, mb;
        UINT hundredths;
    } cases[] = {{0, 0, 0}, {1023, 0, 99}, {1536, 1, 50}, {1034, 1, 0}, {1035, 1, 1}, {0xFFFFFFFF, 4194303, 99}};
    for (const auto &c : cases) {
        DWORD mb;
        UINT hundredths;
        SplitKbToMb(c.kb, &mb, &hundredths);
        EXPECT_EQ(c.mb * 100 + c.hundredths, mb * 100 + hundredths) << c.kb;
    }
}

TEST(WizardLogic, TrimmingTakesBlanksAndControlBytesButNotAccentedLetters)
{
    struct {
        std::string in, out;
    } cases[] = {{"  C:\\Pub  ", "C:\\Pub"}, {"\t\r\nx\x01", "x"}, {"   ", ""}, {"\xE1 b\xA0", "\xE1 b\xA0"}};
    for (const auto &c : cases) {
        char buffer[64];
        snprintf(buffer, sizeof buffer, "%s", c.in.c_str());
        EXPECT_EQ((int)c.out.size(), TrimText(buffer, (int)c.in.size())) << c.in;
        EXPECT_EQ(c.out, buffer);
    }
}

TEST(WizardLogic, TargetFormNeedsAFullPathWithoutForbiddenCharacters)
{
    struct {
        const char *text;
        ErrorCode result;
    } cases[] = {{"C:\\", 5},     {"C:\\.", 0},   {"c:\\x", 0},    {"1:\\x", 5},     {"\\\\s\\x", 5},
                 {"C:dir", 5},    {"C:/dir", 5},  {"C:\\a:b", 15}, {"C:\\a\"", 15},  {"C:\\a<", 15},
                 {"C:\\a/b", 15}, {"C:\\a\\b", 0}, {"\xC8:\\x", 5}};
    for (const auto &c : cases)
        EXPECT_EQ(c.result, CheckTargetForm(c.text, (int)strlen(c.text))) << c.text;
    EXPECT_EQ('C', DriveLetterOf("c:\\x"));
    EXPECT_EQ('?', DriveLetterOf("D:x"));
}

TEST(WizardLogic, CanonicalTargetResolvesDotsAndRefusesRootsAndLongPaths)
{
    ResetSetupState();
    auto run = [](const std::string &input) {
        snprintf(setup.textBuffer, sizeof setup.textBuffer, "%s", input.c_str());
        return CanonicaliseTarget(setup.textBuffer, (int)input.size());
    };
    EXPECT_EQ(0, run("C:\\x\\..\\Pub"));
    EXPECT_STREQ("C:\\Pub\\", setup.pathBuffer);
    EXPECT_EQ(0, run("C:\\a\\.\\b\\"));
    EXPECT_STREQ("C:\\a\\b\\", setup.pathBuffer);
    EXPECT_EQ(5, run("C:\\x\\.."));
    // The dummy file's full path inside the directory must stay below 260 characters.
    EXPECT_EQ(0, run("C:\\" + std::string(247, 'a')));
    EXPECT_EQ(5, run("C:\\" + std::string(249, 'a')));
}

TEST(WizardLogic, RunStepAndTargetPathByKind)
{
    EXPECT_EQ(80, ProgressStep(1));
    EXPECT_EQ(2, ProgressStep(30));
    EXPECT_EQ(1, ProgressStep(58));
    EXPECT_EQ(0, ProgressStep(0));
    ResetSetupState();
    snprintf(setup.installDir, sizeof setup.installDir, "D:\\Pub\\");
    snprintf(setup.systemDir, sizeof setup.systemDir, "C:\\W\\S\\");
    snprintf(setup.windowsDir, sizeof setup.windowsDir, "C:\\W\\");
    const char *expected[] = {"D:\\Pub\\X", "D:\\Pub\\X", "C:\\W\\S\\X", "C:\\W\\X", "C:\\W\\S\\X", "D:\\Pub\\X"};
    char buffer[PATH_BUFFER_SIZE];
    for (FileKind kind = 0; kind <= 5; kind++) {
        EXPECT_EQ(1, BuildTargetPath(buffer, sizeof buffer, kind, "X"));
        EXPECT_STREQ(expected[kind], buffer) << (int)kind;
    }
    // A destination longer than a path may be is refused, not cut.
    EXPECT_EQ(1, BuildTargetPath(buffer, sizeof buffer, 1, std::string(253, 'n').c_str()));
    EXPECT_EQ(0, BuildTargetPath(buffer, sizeof buffer, 1, std::string(254, 'n').c_str()));
}

}  // namespace
