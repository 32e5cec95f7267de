#include <gtest/gtest.h>

#include "app/messages.h"
#include "app/setup_state.h"
#include "app/text.h"

namespace {

TEST(MessageStyle, KindByteSelectsStyleAndResultRule)
{
    struct Case {
        const char *text;
        UINT style;
        int skip;
        int question;
    } cases[] = {
        {"\x01" "error", 0x2010, 1, 0},
        {"\x02" "warning", 0x2030, 1, 0},
        {"\x03" "question", 0x2024, 1, 1},
        {"\x04" "info", 0x2040, 1, 1},
        {"\x05" "info", 0x2040, 1, 1},
        {"\x06" "info", 0x2040, 1, 1},
        {"\x07" "seven", 0x2030, 0, 0},
        {"Plain text", 0x2030, 0, 0},
        {"", 0x2030, 0, 0},
    };
    for (const Case &c : cases) {
        MessageStyle s = MessageStyleFor(c.text);
        EXPECT_EQ(c.style, s.style) << (int)(unsigned char)c.text[0];
        EXPECT_EQ(c.skip, s.skipFirstByte) << (int)(unsigned char)c.text[0];
        EXPECT_EQ(c.question, s.isQuestion) << (int)(unsigned char)c.text[0];
    }
}

class LoadTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        setup.hInstance = GetModuleHandleA(NULL);
    }
};

TEST_F(LoadTextTest, SharesOneBuffer)
{
    char *first = LoadText(96);
    char *second = LoadText(99);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(" ", first);
}

TEST_F(LoadTextTest, MissingIdGivesEmptyText)
{
    LoadText(96);
    EXPECT_STREQ("", LoadText(1));
    LoadText(96);
    EXPECT_STREQ("", LoadText(102));
}

TEST_F(LoadTextTest, UsesLow16BitsOfTheId)
{
    std::string expected = LoadText(34);
    EXPECT_EQ(expected, LoadText(0x10000 + 34));
}

TEST(Text, CopyAndAppendStayInsideTheBuffer)
{
    char buf[8];
    EXPECT_EQ(1, CopyText(buf, sizeof buf, "1234567"));
    EXPECT_STREQ("1234567", buf);
    EXPECT_EQ(0, CopyText(buf, sizeof buf, "12345678"));
    EXPECT_STREQ("1234567", buf);
    CopyText(buf, sizeof buf, "abc");
    EXPECT_EQ(1, AppendText(buf, sizeof buf, "defg"));
    EXPECT_STREQ("abcdefg", buf);
    EXPECT_EQ(0, AppendText(buf, sizeof buf, "h"));
    EXPECT_STREQ("abcdefg", buf);
}

TEST(Text, FormatIsBounded)
{
    char buf[6];
    EXPECT_EQ(4, FormatText(buf, sizeof buf, "%lu,%02u", 1UL, 5u));
    EXPECT_STREQ("1,05", buf);
    EXPECT_EQ(-1, FormatText(buf, sizeof buf, "%s", "toolongtext"));
    EXPECT_STREQ("toolo", buf);
}

TEST(Text, AsciiCaseBlindComparison)
{
    EXPECT_TRUE(EqualIgnoringAsciiCase("talvirex", "TALVIREX"));
    EXPECT_TRUE(EqualIgnoringAsciiCase("KvX_aPp", "KVX_APP"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("TALVIRE", "TALVIREX"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("TALVIREXX", "TALVIREX"));
    // Only A-Z fold: an accented capital is not the same as its small letter.
    EXPECT_FALSE(EqualIgnoringAsciiCase("\xC8", "\xE8"));
}

}  // namespace
