// Description files written into real medium folders and read by the
// installer's reader in a helper process, whose message boxes are read and
// answered here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "description_driver.h"
#include "robot.h"
#include "test_support.h"

namespace {

using driver::ReadDescription;
using driver::HelperRun;
using testsupport::RegistryValue;
using testsupport::ScratchDir;
using testsupport::Utf8ToCp1250;
using testsupport::WriteFileBytes;

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::string kBadDescription = Utf8ToCp1250("Poškodený (neexistujúci) konfiguračný súbor!");
const std::string kBadMedium = Utf8ToCp1250("Poškodené (neúplné) inštalačné médium!");

const std::string kPublication = Utf8ToCp1250(
    "[PUBLICATION]\r\nTITLE=Encyklopédia\r\nINIFILE=ENC.INI\r\nPATH=PUBL\r\nGROUP=Publikácie\r\n");

// A medium folder with a description and the files it lists.
class Medium {
public:
    explicit Medium(const std::string &name) : dir_(name) {}
    const std::string &path() const { return dir_.path(); }
    std::string Dir() const { return dir_.path() + "\\"; }

    void Describe(const std::string &ini) { ASSERT_TRUE(WriteFileBytes(dir_ / "TALVIREX.INF", ini)); }
    void File(const std::string &name, size_t bytes = 1)
    {
        ASSERT_TRUE(WriteFileBytes(dir_ / name, std::string(bytes, 'x')));
    }

private:
    ScratchDir dir_;
};

std::string Line(const std::string &key, const std::string &value)
{
    return key + "=" + value + "\r\n";
}

// A box as the tests expect it: caption and text.
void ExpectBox(const robot::MessageBoxInfo &box, const std::string &caption, const std::string &text)
{
    EXPECT_EQ(caption, box.caption);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
}

class DescriptionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(programFiles.Set("C:\\Programy\\")); }
    RegistryValue programFiles{HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir"};
    driver::UnmanagedWindows unmanaged;
};

TEST_F(DescriptionTest, AValidDescriptionFillsTheStateWithoutAnyBox)
{
    Medium medium("desc_valid");
    medium.Describe(kPublication + "[FILES32]\r\n" +
                    Line("FILE1", "VIEWER.EXE;1;VIEWER.ICO;Reader") +   // FILE2 left out
                    Line("FILE3", "DATA.DAT;0") + Line("FILE4", "") +   // FILE4 empty
                    Line("FILE5", "HELP.HLP;2;*;Pomoc") +
                    "[FILES]\r\n" + Line("FILE1", "SYS.DLL;4") + Line("FILE29", "WIN.INI;3"));
    medium.File("VIEWER.EXE", 1023);  // 1 KB
    medium.File("DATA.DAT", 10240);   // 11 KB, kind 0: maximal only
    medium.File("HELP.HLP", 0);       // 1 KB
    medium.File("SYS.DLL", 1024);     // 2 KB
    medium.File("WIN.INI", 2047);     // 2 KB
    medium.File("VIEWER.ICO", 50000); // counted in neither

    HelperRun run;
    ASSERT_TRUE(ReadDescription(medium.path(), "-D", &run));
    EXPECT_TRUE(run.boxes.empty()) << run.boxes.front().text;
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ("5", run.Field("fileCount"));
    EXPECT_EQ("VIEWER.EXE|1|VIEWER.ICO|Reader", run.Field("file0"));
    EXPECT_EQ("DATA.DAT|0|<none>|<none>", run.Field("file1"));
    EXPECT_EQ("HELP.HLP|2|*|Pomoc", run.Field("file2"));
    EXPECT_EQ("SYS.DLL|4|<none>|<none>", run.Field("file3"));
    EXPECT_EQ("WIN.INI|3|<none>|<none>", run.Field("file4"));
    // Each line with its terminator.
    EXPECT_EQ(std::to_string(31 + 11 + 19 + 10 + 10), run.Field("poolUsed"));
    EXPECT_EQ("7", run.Field("requiredKb0"));
    EXPECT_EQ("18", run.Field("requiredKb1"));

    EXPECT_EQ(Utf8ToCp1250("Encyklopédia"), run.Field("title"));
    EXPECT_EQ("ENC.INI", run.Field("publicationIni"));
    EXPECT_EQ("\\PUBL", run.Field("pathSuffix"));
    EXPECT_EQ(Utf8ToCp1250("Publikácie"), run.Field("groupName"));
    EXPECT_EQ("C:\\Programy\\PUBL", run.Field("targetDir"));
    EXPECT_EQ(Utf8ToCp1250("Vitajte v inštalačnom programe TALVIREX. Tento program nainštaluje "
                           "publikáciu „Encyklopédia“ na váš počítač."),
              run.Field("welcomeText"));
    EXPECT_EQ(Utf8ToCp1250("Publikácia „Encyklopédia“ bude nainštalovaná do nasledujúceho adresára."),
              run.Field("targetPrompt"));
    EXPECT_EQ(Utf8ToCp1250("Encyklopédia - Sprievodca inštaláciou"), run.Field("windowTitle"));
    EXPECT_EQ("GROUP", run.Field("diagnostic"));
    EXPECT_EQ(medium.Dir(), run.Field("sourceDir"));
}

TEST_F(DescriptionTest, WithoutProgramFilesTheTargetIsOnDriveC)
{
    programFiles.Remove();
    Medium medium("desc_nopf");
    medium.Describe(kPublication + "[FILES]\r\n" + Line("FILE1", "VIEWER.EXE;0"));
    medium.File("VIEWER.EXE", 1024);
    HelperRun run;
    ASSERT_TRUE(ReadDescription(medium.path(), "", &run));
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ("C:\\PUBL", run.Field("targetDir"));
    EXPECT_EQ("1", run.Field("requiredKb0"));
    EXPECT_EQ("3", run.Field("requiredKb1"));
}

TEST_F(DescriptionTest, BothSectionsGiveFiftyEightEntriesAndFile30IsNeverRead)
{
    Medium medium("desc_58");
    std::string ini = kPublication;
    for (const char *section : {"FILES32", "FILES"}) {
        ini += std::string("[") + section + "]\r\n";
        for (int n = 1; n <= 30; n++) {
            std::string name = std::string(section) + "_" + std::to_string(n) + ".DAT";
            ini += Line("FILE" + std::to_string(n), name + ";1");
            // FILE30 names no file on the medium: reading it would fail the check.
            if (n < 30)
                medium.File(name, 0);
        }
    }
    medium.Describe(ini);
    HelperRun run;
    ASSERT_TRUE(ReadDescription(medium.path(), "", &run));
    EXPECT_TRUE(run.boxes.empty()) << run.boxes.front().text;
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ("58", run.Field("fileCount"));
    EXPECT_EQ("FILES32_1.DAT|1|<none>|<none>", run.Field("file0"));
    EXPECT_EQ("FILES32_29.DAT|1|<none>|<none>", run.Field("file28"));
    EXPECT_EQ("FILES_1.DAT|1|<none>|<none>", run.Field("file29"));
    EXPECT_EQ("FILES_29.DAT|1|<none>|<none>", run.Field("file57"));
    EXPECT_EQ("59", run.Field("requiredKb1"));
}

struct BadCase {
    const char *what;
    std::string ini;
    const char *diagnostic;
};

TEST_F(DescriptionTest, BadDescriptionsShowMessage3AndNameTheKey)
{
    const std::string files = "[FILES32]\r\n" + Line("FILE1", "VIEWER.EXE;1");
    const std::string title = "[PUBLICATION]\r\nTITLE=T\r\n";
    const std::string rest = "INIFILE=E.INI\r\nPATH=P\r\nGROUP=G\r\n";
    const BadCase cases[] = {
        {"no title", "[PUBLICATION]\r\n" + rest + files, "TITLE"},
        {"empty title", "[PUBLICATION]\r\nTITLE=\r\n" + rest + files, "TITLE"},
        {"no INI file", title + "PATH=P\r\nGROUP=G\r\n" + files, "INIFILE"},
        {"no path", title + "INIFILE=E.INI\r\nGROUP=G\r\n" + files, "PATH"},
        {"no group", title + "INIFILE=E.INI\r\nPATH=P\r\n" + files, "GROUP"},
        {"no file line", title + rest + "[FILES32]\r\nFILE1=\r\n[FILES]\r\nFILE30=VIEWER.EXE;1\r\n", "FILE29"},
        {"group with a backslash", title + "INIFILE=E.INI\r\nPATH=P\r\n" + Utf8ToCp1250("GROUP=Publikácie\\Nové\r\n") + files,
         "GROUP"},
        {"group with a colon", title + "INIFILE=E.INI\r\nPATH=P\r\nGROUP=A:B\r\n" + files, "GROUP"},
        {"group with a bar", title + "INIFILE=E.INI\r\nPATH=P\r\nGROUP=A|B\r\n" + files, "GROUP"},
        {"bad kind in FILES32", title + rest + "[FILES32]\r\n" + Line("FILE1", "VIEWER.EXE;1") +
                                    Line("FILE2", "VIEWER.EXE;5") + Line("FILE3", "VIEWER.EXE;1"),
         "FILE2"},
        // Reading stops at the bad line: later keys would leave their own name.
        {"three fields in FILES", title + rest + files + "[FILES]\r\n" + Line("FILE6", "VIEWER.EXE;1") +
                                      Line("FILE7", "VIEWER.EXE;1;VIEWER.ICO") + Line("FILE8", "X;9"),
         "FILE7"},
        {"blank before the kind", title + rest + "[FILES]\r\n" + Line("FILE29", "VIEWER.EXE; 1"), "FILE29"},
        {"empty shortcut name", title + rest + "[FILES]\r\n" + Line("FILE3", "VIEWER.EXE;1;VIEWER.ICO;"),
         "FILE3"},
    };
    for (const BadCase &c : cases) {
        SCOPED_TRACE(c.what);
        Medium medium("desc_bad");
        medium.Describe(c.ini);
        medium.File("VIEWER.EXE");
        medium.File("VIEWER.ICO");
        HelperRun run;
        ASSERT_TRUE(ReadDescription(medium.path(), "", &run));
        EXPECT_EQ(0u, run.exitCode);
        ASSERT_EQ(1u, run.boxes.size());
        ExpectBox(run.boxes[0], "TALVIREX", kBadDescription);
        EXPECT_EQ(c.diagnostic, run.Field("diagnostic"));
    }
}

TEST_F(DescriptionTest, WithDebugMessagesABadDescriptionIsFollowedByTheBadInfoBox)
{
    Medium medium("desc_badinfo");
    medium.Describe(kPublication + "[FILES]\r\n" + Line("FILE1", "VIEWER.EXE;1") + Line("FILE4", "VIEWER.EXE;;1"));
    medium.File("VIEWER.EXE");
    HelperRun run;
    ASSERT_TRUE(ReadDescription(medium.path(), "-D", &run));
    EXPECT_EQ(0u, run.exitCode);
    ASSERT_EQ(2u, run.boxes.size());
    ExpectBox(run.boxes[0], "TALVIREX", kBadDescription);
    ExpectBox(run.boxes[1], "TALVIREX - Bad Info", "FILE4");
}

TEST_F(DescriptionTest, AnEmptyDescriptionFailsAtTheTitle)
{
    // A description that exists but yields nothing reads like one that cannot be read.
    Medium medium("desc_empty");
    medium.Describe("");
    HelperRun run;
    ASSERT_TRUE(ReadDescription(medium.path(), "-D", &run));
    ASSERT_EQ(2u, run.boxes.size());
    ExpectBox(run.boxes[0], "TALVIREX", kBadDescription);
    ExpectBox(run.boxes[1], "TALVIREX - Bad Info", "TITLE");
}

TEST_F(DescriptionTest, FilesThatCannotBeOpenedOnTheMediumShowMessage6)
{
    struct Case {
        const char *what;
        std::string line;
        std::string failing;   // relative to the medium directory
    } cases[] = {
        {"a listed file missing", "GONE.DAT;1", "GONE.DAT"},
        {"an icon file missing", "VIEWER.EXE;1;GONE.ICO;Reader", "GONE.ICO"},
        {"an empty name names the medium directory", ";1", ""},
        {"a listed name that is a directory", "SUB;1", "SUB"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Medium medium("desc_badmedium");
        medium.Describe(kPublication + "[FILES32]\r\n" + Line("FILE1", "VIEWER.EXE;1") + Line("FILE2", c.line) +
                        Line("FILE3", "LATER.DAT;1"));
        medium.File("VIEWER.EXE");
        ASSERT_TRUE(testsupport::MakeDirectories(medium.path() + "\\SUB"));
        for (const bool debug : {false, true}) {
            HelperRun run;
            ASSERT_TRUE(ReadDescription(medium.path(), debug ? "-D" : "", &run));
            EXPECT_EQ(0u, run.exitCode);
            ASSERT_EQ(debug ? 2u : 1u, run.boxes.size());
            ExpectBox(run.boxes[0], "TALVIREX", kBadMedium);
            EXPECT_EQ(medium.Dir() + c.failing, run.Field("diagnostic"));
            if (debug)
                ExpectBox(run.boxes[1], "TALVIREX - Bad Disk", medium.Dir() + c.failing);
        }
    }
}

TEST_F(DescriptionTest, AStarIconIsNotLookedForOnTheMedium)
{
    Medium medium("desc_star");
    medium.Describe(kPublication + "[FILES32]\r\n" + Line("FILE1", "VIEWER.EXE;1;*;Reader") +
                    Line("FILE2", "DATA.DAT;0;*NOFILE.ICO;Data"));
    medium.File("VIEWER.EXE");
    medium.File("DATA.DAT");
    HelperRun run;
    ASSERT_TRUE(ReadDescription(medium.path(), "-D", &run));
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ("DATA.DAT|0|*NOFILE.ICO|Data", run.Field("file1"));
}

// The file lines share a pool of 4096 bytes; a line takes its length and a
// terminator, and the pool's last byte stays free, so lines may take 4095 bytes.
TEST_F(DescriptionTest, FileLinesFillThePoolUpToItsLastByteAndNoFurther)
{
    auto lineOf = [](const std::string &name, size_t length) {
        std::string head = name + ";1;*;";
        return head + std::string(length - head.size(), 'S');
    };
    struct Case {
        const char *what;
        std::vector<std::pair<std::string, std::string>> lines;   // key, value in FILES32
        std::string extra;                                          // [FILES] section
        bool valid;
        const char *diagnosticOrPoolUsed;
    } cases[] = {
        {"one line that fills the pool", {{"FILE1", lineOf("A.DAT", 4094)}}, "", true, "4095"},
        {"one line a byte too long", {{"FILE1", lineOf("A.DAT", 4095)}}, "", false, "FILE1"},
        {"a line far longer than the pool", {{"FILE2", lineOf("A.DAT", 6000)}}, "", false, "FILE2"},
        {"two lines that fill the pool", {{"FILE1", lineOf("A.DAT", 2000)}, {"FILE2", lineOf("B.DAT", 2093)}}, "",
         true, "4095"},
        {"a second line a byte too long", {{"FILE1", lineOf("A.DAT", 2000)}, {"FILE2", lineOf("B.DAT", 2094)}},
         "", false, "FILE2"},
        {"a line after the pool is full", {{"FILE3", lineOf("A.DAT", 4094)}}, "[FILES]\r\nFILE5=B.DAT;1\r\n",
         false, "FILE5"},
        {"a one-character line with one byte left", {{"FILE3", lineOf("A.DAT", 4093)}},
         "[FILES]\r\nFILE5=\r\nFILE6=B\r\n", false, "FILE6"},
        {"only missing keys after the pool is full", {{"FILE3", lineOf("A.DAT", 4094)}},
         "[FILES]\r\nFILE5=\r\nFILE30=B.DAT;1\r\n", true, "4095"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Medium medium("desc_pool");
        std::string ini = kPublication + "[FILES32]\r\n";
        for (const auto &line : c.lines)
            ini += Line(line.first, line.second);
        medium.Describe(ini + c.extra);
        medium.File("A.DAT");
        medium.File("B.DAT");
        HelperRun run;
        ASSERT_TRUE(ReadDescription(medium.path(), "", &run));
        if (c.valid) {
            EXPECT_TRUE(run.boxes.empty()) << run.boxes.front().text;
            EXPECT_EQ(1u, run.exitCode);
            EXPECT_EQ(c.diagnosticOrPoolUsed, run.Field("poolUsed"));
            EXPECT_EQ(std::to_string(c.lines.size()), run.Field("fileCount"));
            // The last line arrives whole.
            EXPECT_EQ("|1|*|" + c.lines.back().second.substr(10),
                      run.Field("file" + std::to_string(c.lines.size() - 1)).substr(5));
        } else {
            EXPECT_EQ(0u, run.exitCode);
            ASSERT_EQ(1u, run.boxes.size());
            ExpectBox(run.boxes[0], "TALVIREX", kBadDescription);
            EXPECT_EQ(c.diagnosticOrPoolUsed, run.Field("diagnostic"));
        }
    }
}

TEST_F(DescriptionTest, AMediumPathLongerThan260IsABadMedium)
{
    // A medium directory of 230 characters holds the description (242
    // characters with its name); a listed name of 40 characters makes 270.
    ScratchDir root("desc_long");
    std::string dir = root.path();
    while (dir.size() < 230)
        dir += "\\" + std::string(std::min<size_t>(40, 229 - dir.size()), 'd');
    ASSERT_EQ(230u, dir.size());
    ASSERT_TRUE(testsupport::MakeDirectories(dir));
    std::string longName(40, 'F');
    ASSERT_TRUE(WriteFileBytes(dir + "\\TALVIREX.INF",
                               kPublication + "[FILES]\r\n" + Line("FILE1", "A.DAT;1") + Line("FILE2", longName + ";1")));
    ASSERT_TRUE(WriteFileBytes(dir + "\\A.DAT", "x"));

    HelperRun run;
    ASSERT_TRUE(ReadDescription(dir, "-D", &run));
    EXPECT_EQ(0u, run.exitCode);
    ASSERT_EQ(2u, run.boxes.size());
    ExpectBox(run.boxes[0], "TALVIREX", kBadMedium);
    std::string cut = (dir + "\\" + longName).substr(0, 260);
    EXPECT_EQ(cut, run.Field("diagnostic"));
    ExpectBox(run.boxes[1], "TALVIREX - Bad Disk", cut);
}

}  // namespace
