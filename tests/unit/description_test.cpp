// The description reader in-process, its message boxes kept from opening: what
// it accepts, the names that leave their folder or name a device, sizes above 4 GiB.
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/setup_state.h"
#include "base/text.h"
#include "description/description.h"
#include "resource.h"
#include "ui/folder_chooser.h"
#include "test_support.h"

namespace {

using testsupport::ScratchDir;
using testsupport::WriteFileBytes;

TEST(ParseFileLine, SplitsWellFormedLinesInPlaceAndRefusesTheRest)
{
    const struct {
        const char *line, *entry;   // entry "": refused
    } cases[] = {
        {"V;0", "V|0|-|-"}, {"V;4zz", "V|4|-|-"}, {"V;1;*;R", "V|1|*|R"}, {"V;3;I;R;2", "V|3|I|R;2"},
        {"A B ;2; I ; N ", "A B |2| I | N "}, {"", ""}, {"V", ""}, {"V;", ""}, {"V;5", ""}, {"V;/", ""},
        {"V; 1", ""}, {"V;1;", ""}, {"V;1;I", ""}, {"V;1;;R", ""}, {"V;1;I;", ""},
    };
    for (const auto &c : cases) {
        std::vector<char> line(c.line, c.line + strlen(c.line) + 1);
        FileEntry e = {};
        std::string got;
        if (ParseFileLine(line.data(), &e))
            got = std::string(e.name) + "|" + std::to_string(e.kind) + "|" + (e.iconFile ? e.iconFile : "-") +
                  "|" + (e.shortcutName ? e.shortcutName : "-");
        EXPECT_EQ(c.entry, got) << c.line;
    }
}

int opened;   // boxes the reader tried to open

LRESULT CALLBACK KeepBoxesShut(int code, WPARAM wParam, LPARAM lParam)
{
    opened += code == HCBT_CREATEWND;
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(NULL, code, wParam, lParam);
}

// Reads mediumDir's description with -D. Refused: "3 KEY" (a bad description) or "6 PATH" (a bad medium),
// both boxes having been asked for; accepted: "minimalKb maximalKb", and with listed "fileCount poolUsed first last target".
std::string ReadOutcome(const std::string &mediumDir, bool listed = false)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    setup.debugMessages = 1;
    CopyText(setup.sourceDir, sizeof setup.sourceDir, (mediumDir + "\\").c_str());
    opened = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, KeepBoxesShut, NULL, GetCurrentThreadId());
    int accepted = ReadDescriptionFile() == DESCRIPTION_READ;
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(accepted ? 0 : 2, opened) << "the message and the diagnostic box";
    std::string shown = stringBuffer;   // the last text loaded: the message shown
    if (!accepted)
        return (shown == LoadText(IDS_BAD_MEDIUM) ? "6 " : shown == LoadText(IDS_BAD_DESCRIPTION) ? "3 " : "? ") +
               std::string(setup.diagnostic);
    auto N = [](unsigned long value) { return std::to_string(value) + " "; };
    int n = setup.fileCount;
    return N(setup.requiredKb[0]) + std::to_string(setup.requiredKb[1]) +
           (listed ? " " + N(n) + N(setup.poolUsed) + setup.files[0].name + " " + setup.files[n - 1].name + " " + setup.targetDir : "");
}

TEST(ReadDescription, AcceptsOrNamesWhatItRefuses)
{
    ScratchDir root("read");
    auto Line = [](int n, const std::string &text) { return "FILE" + std::to_string(n) + "=" + text + "\r\n"; };
    // A line of the given length, a one-letter name and a shortcut name filling it up.
    auto Long = [](const char *name, size_t length) { return name + (";1;*;" + std::string(length - 6, 'S')); };
    const std::string kPublication = "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=PUBL\r\nGROUP=G\r\n";
    testsupport::RegistryValue programFiles(HKEY_LOCAL_MACHINE, testsupport::kCurrentVersionPath, "ProgramFilesDir");
    programFiles.Remove();
    const std::string f32 = kPublication + "[FILES32]\r\n", f = kPublication + "[FILES]\r\n";
    std::string cut(259 - root.path().size(), 'C'), full = kPublication;   // cut to 260, the path names a file
    const std::pair<std::string, size_t> files[] = {{"A", 0}, {cut, 0}, {"B", 1024}, {"VIEWER.EXE", 1023},
                                                    {"DATA.DAT", 10240}};
    for (const auto &file : files)   // 1 KB each, but B 2 KB and DATA.DAT 11 KB
        ASSERT_TRUE(WriteFileBytes(root / file.first, std::string(file.second, 'x')));
    for (std::string section : {"FILES32", "FILES"}) {   // 58 entries; reading FILE30 would fail
        full += "[" + section + "]\r\n";
        for (int n = 1; n <= 30; n++) {
            full += Line(n, section + std::to_string(n) + ";1");
            ASSERT_TRUE(n == 30 || WriteFileBytes(root / (section + std::to_string(n)), ""));
        }
    }
    const struct {
        std::string ini, outcome;   // as ReadOutcome gives it
    } cases[] = {
        {full, "59 59 58 620 FILES321 FILES29 C:\\PUBL"},
        {f32 + Line(1, "DATA.DAT;0") + Line(3, "VIEWER.EXE;1;*N.ICO;R") + Line(4, ""), "2 13 2 33 DATA.DAT VIEWER.EXE C:\\PUBL"},
        {f32 + Line(1, Long("A", 2000)) + Line(2, Long("B", 2093)), "4 4 2 4095 A B C:\\PUBL"},
        {f32 + Line(1, Long("A", 2000)) + Line(2, Long("B", 2094)), "3 FILE2"},
        // Quoted, the same edges: the read loses the closing quote, and at the pool's last byte a character too.
        {f32 + Line(1, Long("A", 2000)) + Line(2, "\"" + Long("B", 2093) + "\""), "4 4 2 4095 A B C:\\PUBL"},
        {f32 + Line(1, Long("A", 2000)) + Line(2, "\"" + Long("B", 2094) + "\""), "3 FILE2"},
        {f32 + Line(3, Long("A", 4094)) + "[FILES]\r\n" + Line(5, "\"B\""), "3 FILE5"},
        {f32 + Line(3, Long("A", 4094)) + "[FILES]\r\n" + Line(5, "") + Line(30, "B;1"), "2 2 1 4095 A A C:\\PUBL"},
        {f32 + Line(3, Long("A", 4094)) + "[FILES]\r\n" + Line(5, "B;1"), "3 FILE5"},
        {f32 + Line(1, "A;1") + "[FILES]\r\n" + Line(7, "A;1;A.ICO") + Line(8, "X;9"), "3 FILE7"},
        {f32 + Line(1, "") + "[FILES]\r\n" + Line(30, "A;1"), "3 FILE29"},
        {"", "3 TITLE"},
        {"[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=A\\B\r\n[FILES]\r\n" + Line(1, "A;1"), "3 GROUP"},
        {f + Line(1, "A;1") + Line(2, "GONE;1"), "6 " + root / "GONE"},
        {f + Line(1, ";1"), "6 " + root / ""},
        {f + Line(1, cut + "CCCC;1"), "6 " + root / cut},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(WriteFileBytes(root / "TALVIREX.INF", c.ini));
        EXPECT_EQ(c.outcome, ReadOutcome(root.path(), true));
    }
}

TEST(TrimChooserPath, CutsTheChoosersNameButNotADrivesBackslash)
{
    char sub[] = "C:\\D\\_", root[] = "C:\\_", empty[] = "";
    for (char *path : {sub, root, empty})
        TrimChooserPath(path);
    EXPECT_EQ("C:\\D|C:\\|", std::string(sub) + "|" + root + "|" + empty);
}

TEST(MediumRules, NamesLeavingTheirFolderOrNamingDevicesAreRefusedAndBigFilesCountWhole)
{
    ScratchDir root("rules");
    const std::string cd = root / "CD";
    ASSERT_TRUE(testsupport::MakeDirectories(cd + "\\SUB"));
    for (const char *name : {"A", "A.ICO", "SUB\\IN.TXT", "CONSOLE", "COM0", "LPT10.TXT", "..\\OUTSIDE.TXT"})
        ASSERT_TRUE(WriteFileBytes(cd + "\\" + name, "x"));
    ASSERT_TRUE(testsupport::WriteSparseFile(cd + "\\BIG", (4ull << 30) + 10));
    ASSERT_TRUE(testsupport::WriteSparseFile(cd + "\\HUGE", 4ull << 40));
    // The case's line stands first in both sections; the other section ignores it.
    const struct {
        std::string line, outcome;
    } cases[] = {
        {"FILE2=..\\OUTSIDE.TXT;1", "3 FILE2"}, {"FILE2=SUB\\IN.TXT;2", "3 FILE2"}, {"FILE2=\\A;1", "3 FILE2"},
        {"FILE2=A;3;SUB\\IN.TXT;R", "3 FILE2"}, {"FILE2=SUB.\\IN.TXT;1", "3 FILE2"}, {"FILE2=AUX\\IN.TXT;0", "3 FILE2"},
        {"FILE2=SUB/IN.TXT;1", "3 FILE2"}, {"FILE2=SUB\\\\IN.TXT;1", "3 FILE2"}, {"FILE2=SUB\\NUL;1", "6 " + cd + "\\SUB\\NUL"},
        {"GROUP=Hrady..", "3 GROUP"}, {"GROUP=\"G \"", "3 GROUP"}, {"GROUP=Aux", "3 GROUP"},
        {"PATH=Pub8...", "3 PATH"}, {"PATH=A\\CON\\B", "3 PATH"},
        {"FILE2=" + root / "OUTSIDE.TXT;1", "3 FILE2"}, {"FILE2=\\\\SERVER\\SHARE\\A;1", "3 FILE2"},
        {"FILE2=..;1", "3 FILE2"}, {"FILE2=A;1;..\\CD\\A.ICO;R", "3 FILE2"}, {"FILE2=A;1;*;..\\..\\EVIL", "3 FILE2"},
        {"FILE2=A;1;*;C:EVIL", "3 FILE2"}, {"FILE2=A;1;*;Nul", "3 FILE2"}, {"INIFILE=NUL", "3 INIFILE"},
        {"INIFILE=C:\\PUB\\com1.ini", "3 INIFILE"}, {"INIFILE=C:nul.ini", "3 INIFILE"}, {"INIFILE=PUB/aux", "3 INIFILE"},
        {"PATH=..\\OUT", "3 PATH"}, {"PATH=P/..", "3 PATH"},
        {"GROUP=..", "3 GROUP"}, {"GROUP=.", "3 GROUP"}, {"FILE2=NUL;1", "6 " + cd + "\\NUL"},
        {"FILE2=aux .txt;1", "6 " + cd + "\\aux .txt"}, {"FILE2=A;1;COM1;R", "6 " + cd + "\\COM1"},
        // What publishers rely on stays: an INI file elsewhere, dotted names inside, '*' icons.
        {"INIFILE=C:\\ELSE\\T.INI\r\nPATH=A\\..B\\.\r\nGROUP=..G\r\nFILE2=A;1;*A;..R", "3 3"},
        // Kinds 0 and 1 may keep files in folders of their own, icons too.
        {"FILE2=SUB\\IN.TXT;0;SUB\\IN.TXT;R", "2 3"},
        {"FILE2=CONSOLE;1\r\nFILE3=COM0;1\r\nFILE4=LPT10.TXT;1", "5 5"},
        {"FILE2=BIG;0", "2 4194307"}, {"FILE2=HUGE;1", "4294967295 4294967295"},
    };
    for (const auto &c : cases) {
        std::string inf = "[PUBLICATION]\r\n" + c.line + "\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=G\r\n"
                          "[FILES]\r\n" + c.line + "\r\nFILE1=A;1;A.ICO;R\r\n";
        ASSERT_TRUE(WriteFileBytes(cd + "\\TALVIREX.INF", inf));
        EXPECT_EQ(c.outcome, ReadOutcome(cd)) << c.line;
    }
}

}  // namespace
