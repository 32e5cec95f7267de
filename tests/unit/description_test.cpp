// The description reader in-process: its file-line parser, and whole
// descriptions read with the reader's message boxes kept from opening (the
// end-to-end tests look at the boxes themselves).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setup_state.h"
#include "description/description.h"
#include "shell/registry.h"
#include "test_support.h"

namespace {

using testsupport::RegistryValue;
using testsupport::ScratchDir;
using testsupport::WriteFileBytes;

TEST(ParseFileLine, SplitsWellFormedLinesInPlaceAndRefusesTheRest)
{
    const struct {
        const char *line, *entry;   // entry null: refused
    } cases[] = {
        {"VIEWER.EXE;1", "VIEWER.EXE|1|-|-"}, {"VIEWER.EXE;1abc", "VIEWER.EXE|1|-|-"},
        {"DATA.DAT;0", "DATA.DAT|0|-|-"}, {"SYS.DLL;4", "SYS.DLL|4|-|-"},
        {"VIEWER.EXE;1;*;Reader", "VIEWER.EXE|1|*|Reader"},
        {"VIEWER.EXE;3zz;VIEWER.ICO;Reader;2", "VIEWER.EXE|3|VIEWER.ICO|Reader;2"},
        {"A B ;2; A.ICO ; Name ", "A B |2| A.ICO | Name "},
        {"", nullptr}, {"VIEWER.EXE", nullptr}, {"VIEWER.EXE;", nullptr}, {"VIEWER.EXE;5", nullptr},
        {"VIEWER.EXE;/", nullptr}, {"VIEWER.EXE;:", nullptr}, {"VIEWER.EXE;;1", nullptr},
        {"VIEWER.EXE; 1", nullptr}, {"VIEWER.EXE;1;", nullptr}, {"VIEWER.EXE;1;VIEWER.ICO", nullptr},
        {"VIEWER.EXE;1;;Reader", nullptr}, {"VIEWER.EXE;1;VIEWER.ICO;", nullptr},
    };
    for (const auto &c : cases) {
        std::vector<char> line(c.line, c.line + strlen(c.line) + 1);
        FileEntry entry = {};
        ASSERT_EQ(c.entry ? 1 : 0, ParseFileLine(line.data(), &entry)) << c.line;
        if (c.entry) {
            EXPECT_EQ(c.entry, std::string(entry.name) + "|" + std::to_string(entry.kind) + "|" +
                                   (entry.iconFile ? entry.iconFile : "-") + "|" +
                                   (entry.shortcutName ? entry.shortcutName : "-"));
            EXPECT_TRUE(entry.name == line.data() && (!entry.shortcutName || entry.shortcutName < &line.back()))
                << c.line << ": the texts lie in the line";
        }
    }
}

// Windows the reader tried to open (its message boxes); none opens.
int opened;

LRESULT CALLBACK KeepWindowsShut(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HCBT_CREATEWND)
        return CallNextHookEx(NULL, code, wParam, lParam);
    opened++;
    return 1;
}

const std::string kPublication = "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=PUBL\r\nGROUP=G\r\n";

class ReadDescription : public ::testing::Test {
protected:
    void SetUp() override { ResetSetupState(); }

    // Reads the description in dir with the diagnostic boxes on.
    int Read(const std::string &dir)
    {
        setup.hInstance = GetModuleHandleA(NULL);
        setup.debugMessages = 1;
        strcpy(setup.sourceDir, (dir + "\\").c_str());
        opened = 0;
        HHOOK hook = SetWindowsHookExA(WH_CBT, KeepWindowsShut, NULL, GetCurrentThreadId());
        int result = ReadDescriptionFile();
        UnhookWindowsHookEx(hook);
        return result;
    }

    ScratchDir root{"read"};
};

std::string Line(int n, const std::string &value)
{
    return "FILE" + std::to_string(n) + "=" + value + "\r\n";
}

// A line of the given length whose shortcut name fills it up.
std::string Long(const std::string &name, size_t length)
{
    return name + ";1;*;" + std::string(length - name.size() - 5, 'S');
}

TEST_F(ReadDescription, AcceptsOrNamesWhatItRefuses)
{
    const std::string bad = "refused: ", badMedium = "refused: @";
    const std::string f32 = kPublication + "[FILES32]\r\n", f = kPublication + "[FILES]\r\n";
    // A medium path that, cut to 260 characters, names an existing file.
    std::string cut(260 - (root / "m\\").size(), 'C');
    const struct {
        const char *what;
        std::string ini;
        std::string outcome;   // "fileCount poolUsed minimalKb maximalKb", or the diagnostic ('@': the medium)
    } cases[] = {
        {"gaps, an empty key, a '*' icon not on the medium",
         f32 + Line(1, "DATA.DAT;0") + Line(3, "VIEWER.EXE;1;*NONE.ICO;R") + Line(4, ""), "2 36 2 13"},
        {"a line that fills the pool", f32 + Line(1, Long("A", 4094)), "1 4095 2 2"},
        {"two lines that fill the pool", f32 + Line(1, Long("A", 2000)) + Line(2, Long("B", 2093)), "2 4095 4 4"},
        {"only empty keys after the pool is full",
         f32 + Line(3, Long("A", 4094)) + "[FILES]\r\n" + Line(5, "") + Line(30, "B;1"), "1 4095 2 2"},
        {"a line a byte too long", f32 + Line(1, Long("A", 4095)), bad + "FILE1"},
        {"a second line a byte too long", f32 + Line(1, Long("A", 2000)) + Line(2, Long("B", 2094)), bad + "FILE2"},
        {"a line after the pool is full", f32 + Line(3, Long("A", 4094)) + "[FILES]\r\n" + Line(5, "B;1"),
         bad + "FILE5"},
        {"a bad line ends the reading", f32 + Line(1, "A;1") + "[FILES]\r\n" + Line(7, "A;1;A.ICO") + Line(8, "X;9"),
         bad + "FILE7"},
        {"no file line", f32 + Line(1, "") + "[FILES]\r\n" + Line(30, "A;1"), bad + "FILE29"},
        {"an empty description", "", bad + "TITLE"},
        {"a group with a backslash",
         "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=A\\B\r\n[FILES]\r\n" + Line(1, "A;1"),
         bad + "GROUP"},
        {"a listed file missing", f + Line(1, "A;1") + Line(2, "GONE;1"), badMedium + "GONE"},
        {"an icon file missing", f + Line(1, "A;1;GONE.ICO;R"), badMedium + "GONE.ICO"},
        {"an empty name", f + Line(1, ";1"), badMedium},
        {"a path over 260 characters", f + Line(1, cut + "CCCC;1"), badMedium + cut},
    };
    char name = 'a';
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ResetSetupState();
        std::string dir = root / std::string(1, name++);
        ASSERT_TRUE(testsupport::MakeDirectories(dir));
        ASSERT_TRUE(WriteFileBytes(dir + "\\TALVIREX.INF", c.ini));
        const std::pair<std::string, size_t> files[] = {{"A", 0}, {"A.ICO", 0}, {cut, 0}, {"B", 1024},
                                                        {"VIEWER.EXE", 1023}, {"DATA.DAT", 10240}};
        for (const auto &file : files)   // 1 KB, but B 2 KB and DATA.DAT 11 KB
            ASSERT_TRUE(WriteFileBytes(dir + "\\" + file.first, std::string(file.second, 'x')));

        int result = Read(dir);
        EXPECT_EQ(result ? 0 : 2, opened) << "the message and the diagnostic box";
        std::string diagnostic = setup.diagnostic;
        if (diagnostic.compare(0, dir.size() + 1, dir + "\\") == 0)
            diagnostic.replace(0, dir.size() + 1, "@");
        std::string outcome = bad + diagnostic;
        if (result)
            outcome = std::to_string(setup.fileCount) + " " + std::to_string(setup.poolUsed) + " " +
                      std::to_string(setup.requiredKb[0]) + " " + std::to_string(setup.requiredKb[1]);
        EXPECT_EQ(c.outcome, outcome);
    }
}

TEST_F(ReadDescription, BothSectionsGiveFiftyEightEntriesAndFile30IsNeverRead)
{
    RegistryValue programFiles(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir");
    programFiles.Remove();
    std::string ini = kPublication;
    for (const char *section : {"FILES32", "FILES"}) {
        ini += std::string("[") + section + "]\r\n";
        for (int n = 1; n <= 30; n++) {
            std::string name = section + std::to_string(n);
            ini += Line(n, name + ";1");
            if (n < 30)   // reading FILE30 would fail the medium check
                ASSERT_TRUE(WriteFileBytes(root / name, ""));
        }
    }
    ASSERT_TRUE(WriteFileBytes(root / "TALVIREX.INF", ini));
    ASSERT_EQ(1, Read(root.path()));
    EXPECT_EQ(0, opened);
    ASSERT_EQ(58, setup.fileCount);
    EXPECT_EQ("FILES321 FILES1 FILES29", std::string(setup.files[0].name) + " " + setup.files[29].name + " " +
                                             setup.files[57].name);
    EXPECT_EQ(59u, setup.requiredKb[1]);
    EXPECT_STREQ("C:\\PUBL", setup.targetDir);
}

}  // namespace
