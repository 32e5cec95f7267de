// The description reader in-process, its message boxes kept from opening.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/setup_state.h"
#include "description/description.h"
#include "ui/folder_chooser.h"
#include "shell/registry.h"
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
        if (ParseFileLine(line.data(), &e)) {
            got = std::string(e.name) + "|" + std::to_string(e.kind) + "|" + (e.iconFile ? e.iconFile : "-") +
                  "|" + (e.shortcutName ? e.shortcutName : "-");
            EXPECT_TRUE(e.name == line.data() && (!e.shortcutName || e.shortcutName < &line.back())) << c.line;
        }
        EXPECT_EQ(c.entry, got) << c.line;
    }
}

int opened;   // boxes the reader tried to open

LRESULT CALLBACK KeepBoxesShut(int code, WPARAM wParam, LPARAM lParam)
{
    opened += code == HCBT_CREATEWND;
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(NULL, code, wParam, lParam);
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
        std::string ini, outcome;   // "fileCount poolUsed minimalKb maximalKb first last", or the diagnostic
    } cases[] = {
        {full, "58 620 59 59 FILES321 FILES29"},
        {f32 + Line(1, "DATA.DAT;0") + Line(3, "VIEWER.EXE;1;*N.ICO;R") + Line(4, ""), "2 33 2 13 DATA.DAT VIEWER.EXE"},
        {f32 + Line(1, Long("A", 2000)) + Line(2, Long("B", 2093)), "2 4095 4 4 A B"},
        {f32 + Line(1, Long("A", 2000)) + Line(2, Long("B", 2094)), "FILE2"},
        {f32 + Line(3, Long("A", 4094)) + "[FILES]\r\n" + Line(5, "") + Line(30, "B;1"), "1 4095 2 2 A A"},
        {f32 + Line(3, Long("A", 4094)) + "[FILES]\r\n" + Line(5, "B;1"), "FILE5"},
        {f32 + Line(1, "A;1") + "[FILES]\r\n" + Line(7, "A;1;A.ICO") + Line(8, "X;9"), "FILE7"},
        {f32 + Line(1, "") + "[FILES]\r\n" + Line(30, "A;1"), "FILE29"},
        {"", "TITLE"},
        {"[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=A\\B\r\n[FILES]\r\n" + Line(1, "A;1"), "GROUP"},
        {f + Line(1, "A;1") + Line(2, "GONE;1"), root / "GONE"},
        {f + Line(1, ";1"), root / ""},
        {f + Line(1, cut + "CCCC;1"), root / cut},
    };
    for (const auto &c : cases) {
        ResetSetupState();   // each case starts fresh
        setup.hInstance = GetModuleHandleA(NULL);
        setup.debugMessages = 1;
        strcpy(setup.sourceDir, (root.path() + "\\").c_str());
        ASSERT_TRUE(WriteFileBytes(root / "TALVIREX.INF", c.ini));
        opened = 0;
        HHOOK hook = SetWindowsHookExA(WH_CBT, KeepBoxesShut, NULL, GetCurrentThreadId());
        int result = ReadDescriptionFile(), n = setup.fileCount;
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(result ? 0 : 2, opened) << "the message and the diagnostic box";
        auto N = [](unsigned long value) { return std::to_string(value) + " "; };
        EXPECT_EQ(c.outcome, !result ? setup.diagnostic
                                     : N(n) + N(setup.poolUsed) + N(setup.requiredKb[0]) + N(setup.requiredKb[1]) +
                                           setup.files[0].name + " " + setup.files[n - 1].name);
        if (result) {
            EXPECT_STREQ("C:\\PUBL", setup.targetDir);
        }
    }
}

TEST(TrimChooserPath, CutsTheChoosersNameButNotADrivesBackslash)
{
    char sub[] = "C:\\D\\_", root[] = "C:\\_", empty[] = "";
    for (char *path : {sub, root, empty})
        TrimChooserPath(path);
    EXPECT_EQ("C:\\D|C:\\|", std::string(sub) + "|" + root + "|" + empty);
}

}  // namespace
