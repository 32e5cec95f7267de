#include <gtest/gtest.h>

#include "base/messages.h"
#include "base/setup_state.h"
#include "base/text.h"

namespace {

TEST(Messages, KindByteSelectsStyleAndResultRule)
{
    struct {
        const char *text;
        UINT style;
        int skip, question;
    } cases[] = {{"\x01" "e", 0x2010, 1, 0}, {"\x02" "w", 0x2030, 1, 0}, {"\x03" "q", 0x2024, 1, 1},
                 {"\x04" "i", 0x2040, 1, 1}, {"\x06" "i", 0x2040, 1, 1}, {"\x07" "x", 0x2030, 0, 0},
                 {"Plain", 0x2030, 0, 0},    {"", 0x2030, 0, 0}};
    for (const auto &c : cases) {
        MessageStyle s = MessageStyleFor(c.text);
        EXPECT_EQ(c.style, s.style) << (int)c.text[0];
        EXPECT_EQ(c.skip, s.skipFirstByte) << (int)c.text[0];
        EXPECT_EQ(c.question, s.isQuestion) << (int)c.text[0];
    }
}

TEST(Messages, LoadTextTakesTheLowWordAndMissingTextsAreEmpty)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    EXPECT_STREQ(" ", LoadText(0x10000 + 99)) << "only the low 16 bits of the ID count";
    EXPECT_STREQ("", LoadText(1));
}

TEST(Text, CopyAndAppendStayInsideTheBuffer)
{
    char buf[8];
    EXPECT_EQ(0, CopyText(buf, sizeof buf, "12345678"));
    EXPECT_STREQ("1234567", buf);
    CopyText(buf, sizeof buf, "abc");
    EXPECT_EQ(1, AppendText(buf, sizeof buf, "defg"));
    EXPECT_EQ(0, AppendText(buf, sizeof buf, "h"));
    EXPECT_STREQ("abcdefg", buf);
    char dir[5] = "C:\\";
    EXPECT_EQ(1, EnsureTrailingBackslash(dir, sizeof dir));
    EXPECT_STREQ("C:\\", dir);
    CopyText(dir, sizeof dir, "C:\\x");
    EXPECT_EQ(0, EnsureTrailingBackslash(dir, sizeof dir)) << "no room for the backslash";
}

TEST(Text, OnlyAsciiLettersFoldInComparisons)
{
    EXPECT_TRUE(EqualIgnoringAsciiCase("KvX_aPp", "KVX_APP"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("TALVIRE", "TALVIREX"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("\xC8", "\xE8"));
}

}  // namespace
