// The file-line parser, the size count and the chooser's trim: pure pieces
// of the description reader, in-process. Whole descriptions are read by the
// end-to-end tests, since the reader shows message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setup_state.h"
#include "description/description.h"
#include "description/folder_chooser.h"
#include "test_support.h"

namespace {

using testsupport::ScratchDir;
using testsupport::Utf8ToCp1250;
using testsupport::WriteFileBytes;

const char *kNone = nullptr;

struct LineCase {
    const char *line;
    const char *name;
    int kind;
    const char *iconFile;
    const char *shortcutName;
};

const LineCase kValidLines[] = {
    {"VIEWER.EXE;1", "VIEWER.EXE", 1, kNone, kNone},
    {"VIEWER.EXE;1abc", "VIEWER.EXE", 1, kNone, kNone},
    {"DATA.DAT;0", "DATA.DAT", 0, kNone, kNone},
    {"SYS.DLL;4", "SYS.DLL", 4, kNone, kNone},
    {"VIEWER.EXE;1;*;Reader", "VIEWER.EXE", 1, "*", "Reader"},
    {"VIEWER.EXE;1;VIEWER.ICO;Reader", "VIEWER.EXE", 1, "VIEWER.ICO", "Reader"},
    {"VIEWER.EXE;1;VIEWER.ICO;Reader;2", "VIEWER.EXE", 1, "VIEWER.ICO", "Reader;2"},
    {"VIEWER.EXE;3zz;VIEWER.ICO;Reader", "VIEWER.EXE", 3, "VIEWER.ICO", "Reader"},
    {";1", "", 1, kNone, kNone},
    // Blanks belong to the field they stand in.
    {"A B.EXE ;2; A.ICO ; Name ", "A B.EXE ", 2, " A.ICO ", " Name "},
    {"VIEWER.EXE;1;*x;;", "VIEWER.EXE", 1, "*x", ";"},
};

TEST(ParseFileLine, SplitsWellFormedLinesInPlace)
{
    for (const LineCase &c : kValidLines) {
        SCOPED_TRACE(c.line);
        std::vector<char> line(c.line, c.line + strlen(c.line) + 1);
        const char *begin = line.data();
        const char *end = begin + line.size();
        FileEntry entry = {};
        ASSERT_EQ(1, ParseFileLine(line.data(), &entry));
        EXPECT_STREQ(c.name, entry.name);
        EXPECT_EQ(begin, entry.name);
        EXPECT_EQ(c.kind, entry.kind);
        if (c.iconFile == kNone) {
            EXPECT_EQ(nullptr, entry.iconFile);
            EXPECT_EQ(nullptr, entry.shortcutName);
        } else {
            ASSERT_NE(nullptr, entry.iconFile);
            ASSERT_NE(nullptr, entry.shortcutName);
            EXPECT_STREQ(c.iconFile, entry.iconFile);
            EXPECT_STREQ(c.shortcutName, entry.shortcutName);
            // The texts lie inside the line itself.
            EXPECT_TRUE(entry.iconFile > begin && entry.iconFile < end);
            EXPECT_TRUE(entry.shortcutName > entry.iconFile && entry.shortcutName < end);
        }
    }
}

TEST(ParseFileLine, RefusesMalformedLines)
{
    const char *bad[] = {
        "",                          // no separator
        "VIEWER.EXE",                // no separator
        "VIEWER.EXE;",               // no kind
        "VIEWER.EXE;5",              // kind out of range
        "VIEWER.EXE;9",
        "VIEWER.EXE;/",              // the characters next to the digits
        "VIEWER.EXE;:",
        "VIEWER.EXE;;1",             // empty kind field
        "VIEWER.EXE; 1",             // blank before the digit
        "VIEWER.EXE;1;",             // empty icon field, nothing after
        "VIEWER.EXE;1;VIEWER.ICO",   // three fields
        "VIEWER.EXE;1;;Reader",      // empty icon field
        "VIEWER.EXE;1;VIEWER.ICO;",  // empty shortcut name
    };
    for (const char *text : bad) {
        SCOPED_TRACE(text);
        std::vector<char> line(text, text + strlen(text) + 1);
        FileEntry entry = {};
        EXPECT_EQ(0, ParseFileLine(line.data(), &entry));
    }
}

TEST(ParseFileLine, KeepsCodePage1250Names)
{
    std::string text = Utf8ToCp1250("ČÍTAČKA.EXE;1;IKONA.ICO;Čítačka publikácií");
    std::vector<char> line(text.begin(), text.end());
    line.push_back(0);
    FileEntry entry = {};
    ASSERT_EQ(1, ParseFileLine(line.data(), &entry));
    EXPECT_EQ(Utf8ToCp1250("ČÍTAČKA.EXE"), entry.name);
    EXPECT_EQ(Utf8ToCp1250("Čítačka publikácií"), entry.shortcutName);
}

class FileSizeKbTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSetupState(); }
};

TEST_F(FileSizeKbTest, CountsBytesDividedBy1024PlusOne)
{
    ScratchDir dir("sizekb");
    struct Case {
        size_t bytes;
        DWORD kb;
    } cases[] = {{0, 1}, {1, 1}, {1023, 1}, {1024, 2}, {1025, 2}, {2048, 3}, {10240, 11}};
    for (const Case &c : cases) {
        std::string path = dir / ("F" + std::to_string(c.bytes));
        ASSERT_TRUE(WriteFileBytes(path, std::string(c.bytes, 'x')));
        EXPECT_EQ(c.kb, GetFileSizeKb(path.c_str())) << c.bytes << " bytes";
    }
}

TEST_F(FileSizeKbTest, GivesZeroForWhatCannotBeOpened)
{
    ScratchDir dir("sizekb0");
    EXPECT_EQ(0u, GetFileSizeKb((dir / "MISSING.DAT").c_str()));
    EXPECT_EQ(0u, GetFileSizeKb(dir.path().c_str()));
    EXPECT_EQ(0u, GetFileSizeKb((dir.path() + "\\").c_str()));
}

TEST_F(FileSizeKbTest, ReadsAFileOthersHaveOpenForReading)
{
    ScratchDir dir("sizekbshare");
    std::string path = dir / "OPEN.DAT";
    ASSERT_TRUE(WriteFileBytes(path, std::string(3000, 'x')));
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_EQ(3u, GetFileSizeKb(path.c_str()));
    CloseHandle(other);
}

TEST(TrimChooserPath, CutsTwoCharactersFromFiveOnAndOneBelow)
{
    struct Case {
        const char *in, *out;
    } cases[] = {
        {"D:\\DATA\\_", "D:\\DATA"},
        {"D:\\_", "D:\\"},
        {"D:\\A_", "D:\\"},    // five characters
        {"ABCD", "ABC"},         // four
        {"A", ""},
        {"", ""},
        {"D:\\CD\\TALVIREX.INF", "D:\\CD\\TALVIREX.I"},
    };
    for (const Case &c : cases) {
        char buffer[CHOOSER_BUFFER_SIZE];
        strcpy(buffer, c.in);
        TrimChooserPath(buffer);
        EXPECT_STREQ(c.out, buffer) << c.in;
    }
}

}  // namespace
