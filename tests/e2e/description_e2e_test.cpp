// The description reader's message boxes and its folder chooser as the user
// meets them, through read_description.exe.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace {

using Result = ::testing::AssertionResult;
const int kDirectoryList = 1121, kCurrentDirectory = 1088;

// Opens a directory ("[..]") in the chooser as a user does.
Result Open(HWND chooser, const char *item)
{
    HWND list = GetDlgItem(chooser, kDirectoryList);
    DWORD_PTR index = (DWORD_PTR)-1;
    SendMessageTimeoutA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)item, SMTO_ABORTIFHUNG, 5000, &index);
    if ((int)index < 0)
        return ::testing::AssertionFailure() << "no " << item << " in the chooser";
    std::string before = robot::ControlText(chooser, kCurrentDirectory);
    SendMessageTimeoutA(list, LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, NULL);
    robot::SendCommand(chooser, kDirectoryList, LBN_DBLCLK);
    return robot::WaitUntil([&] { return robot::ControlText(chooser, kCurrentDirectory) != before; },
                            std::string("the chooser to open ") + item);
}

// Runs the helper in workDir, answers every box with OK and cancels the chooser or, with locate, presses
// OK where there is no description, then in the drive's root (C). *seen gets "caption: text | " for each
// box, "<chooser> " for each chooser and the exit code.
Result RunHelper(const std::string &args, const std::string &workDir, bool locate, std::string *seen)
{
    robot::Process helper;
    Result r = helper.Start(TEST_HELPER_DIR "\\read_description.exe", args, workDir);
    for (int windows = 0; r && windows < 8; windows++) {
        std::vector<HWND> found;
        auto Found = [&] { return !(found = robot::TopWindows(helper.Id(), "#32770")).empty(); };
        r = robot::WaitUntil([&] { return !helper.Running() || Found(); }, "a box, the chooser or the end");
        if (!r)
            return r;
        if (found.empty()) {
            DWORD code = 99;
            r = helper.WaitForExit(&code);
            *seen += "exit " + std::to_string(code);
            return r;
        }
        Sleep(200);   // the window fills in
        HWND w = found[0];
        if (GetDlgItem(w, kDirectoryList)) {
            bool navigate = locate && seen->find("<chooser>") != std::string::npos;
            *seen += "<chooser> ";
            while (navigate && Open(w, "[..]"))
                continue;
            r = robot::PressButton(w, locate ? IDOK : IDCANCEL);
            (void)robot::WaitUntil([&] { return !IsWindow(w); }, "the chooser to close", 1500);
        } else {
            robot::MessageBoxInfo info = robot::ReadMessageBox(w);
            *seen += info.caption + ": " + info.text + " | ";
            r = robot::AnswerMessageBox(info, IDOK);
        }
    }
    return r ? ::testing::AssertionFailure() << "too many windows" : r;
}

TEST(DescriptionE2E, TheReadersBoxesAndTheChooserThatLocatesTheMedium)
{
    auto Box = [](const char *utf8) { return "TALVIREX: " + testsupport::Utf8ToCp1250(utf8) + " | "; };
    const std::string k3 = Box("Poškodený (neexistujúci) konfiguračný súbor!");
    const std::string k6 = Box("Poškodené (neúplné) inštalačné médium!");
    const std::string k103 = Box("Inštalačný program nie je spustený z inštalačného média.\n\nV nasledujúcom okne "
                                 "vyberte disk/adresár obsahujúci inštalačné médium.") + "<chooser> ";
    const std::string k104 = Box("Umiestnenie inštalačného média nebolo zadané.\n\nInštalačný program bude ukončený.");
    const std::string ini = "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=G\r\n[FILES]\r\n";
    testsupport::ScratchDir root("chooser");
    for (const char *dir : {"Bad", "Incomplete", "Missing", "IsDir\\TALVIREX.INF"})
        ASSERT_TRUE(testsupport::MakeDirectories(root / dir));
    const std::pair<std::string, std::string> files[] = {
        {root / "Bad\\TALVIREX.INF", ini + "FILE6=A;1\r\nFILE7=A;1;A.ICO\r\n"}, {root / "Bad\\A", ""},
        {root / "Incomplete\\TALVIREX.INF", ini + "FILE1=A;1;GONE.ICO;R\r\n"}, {root / "Incomplete\\A", ""},
        {"C:\\TALVIREX.INF", ini + "FILE1=A;1\r\n"}, {"C:\\A", ""}};   // C: is private to the test prefix
    struct RootMedium {
        ~RootMedium() { DeleteFileA("C:\\TALVIREX.INF"), DeleteFileA("C:\\A"); }
    } rootMedium;
    for (const auto &file : files)
        ASSERT_TRUE(testsupport::WriteFileBytes(file.first, file.second));
    auto dir = [&](const char *name) { return "\"" + root / name + "\""; };
    const struct {
        std::string args;
        bool locate;
        std::string seen;
    } cases[] = {
        {dir("Bad"), false, k3 + "exit 0"},
        {"-D " + dir("Bad"), false, k3 + "TALVIREX - Bad Info: FILE7 | exit 0"},
        {"-D " + dir("Incomplete"), false, k6 + "TALVIREX - Bad Disk: " + root / "Incomplete\\GONE.ICO | exit 0"},
        {"-D " + dir("IsDir"), false, k103 + k104 + "exit 0"},
        {dir("Missing"), true, k103 + "<chooser> done: C:\\ 3 | exit 1"},
    };
    for (const auto &c : cases) {
        std::string seen;
        EXPECT_TRUE(RunHelper(c.args, root.path(), c.locate, &seen)) << c.args;
        EXPECT_STRCASEEQ(c.seen.c_str(), seen.c_str()) << c.args;
    }
}

}  // namespace
