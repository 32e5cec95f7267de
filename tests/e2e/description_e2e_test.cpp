// The description reader's message boxes and the folder chooser as the user
// meets them, through read_description.exe: every box is read and answered
// with OK, every chooser worked by the case's own steps.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace {

using testsupport::ScratchDir;
using testsupport::WriteFileBytes;
using Result = ::testing::AssertionResult;

const int kDirectoryList = 1121, kDriveList = 1137, kCurrentDirectory = 1088;

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], (DWORD)text.size());
    return text;
}

// The folder chooser (the dialog with a directory list), or a message box.
HWND FindDialog(DWORD pid, bool chooser)
{
    for (HWND w : robot::TopWindows(pid, "#32770"))
        if ((GetDlgItem(w, kDirectoryList) != NULL) == chooser)
            return w;
    return NULL;
}

// Opens a directory ("[name]", "[..]") or a drive ("[-c-]") as a user does,
// and waits for the chooser to show it.
Result Open(HWND chooser, const std::string &item)
{
    bool drive = item[1] == '-';
    HWND list = GetDlgItem(chooser, drive ? kDriveList : kDirectoryList);
    DWORD_PTR index = (DWORD_PTR)-1;
    SendMessageTimeoutA(list, drive ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)item.c_str(),
                        SMTO_ABORTIFHUNG, 5000, &index);
    if ((int)index < 0)
        return ::testing::AssertionFailure() << "no " << item << " in the chooser";
    std::string before = robot::ControlText(chooser, kCurrentDirectory);
    SendMessageTimeoutA(list, drive ? CB_SETCURSEL : LB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 5000, NULL);
    robot::SendCommand(chooser, GetDlgCtrlID(list), drive ? CBN_SELCHANGE : LBN_DBLCLK);
    return robot::WaitUntil([&] { return robot::ControlText(chooser, kCurrentDirectory) != before; },
                            "the chooser to open " + item);
}

// What the user does in the chooser when it shows for the time-th time.
using Steps = std::function<Result(HWND chooser, int time)>;

// Runs the helper from workDir; *seen gets each box as "caption: text | ",
// each chooser as "<chooser> " and the exit code.
Result RunHelper(const std::string &args, const std::string &workDir, const Steps &steps, std::string *seen)
{
    robot::Process helper;
    Result r = helper.Start(TEST_HELPER_DIR "\\read_description.exe", args, workDir);
    for (int windows = 0, choosers = 0; r && windows < 8; windows++) {
        HWND box = NULL, chooser = NULL;
        r = robot::WaitUntil([&] { return !helper.Running() || (box = FindDialog(helper.Id(), false)) ||
                                          (chooser = FindDialog(helper.Id(), true)); },
                             "a box, the chooser or the end");
        if (r && !box && !chooser) {
            DWORD code = 99;
            r = helper.WaitForExit(&code);
            *seen += "exit " + std::to_string(code);
            return r;
        }
        Sleep(200);   // the window fills in
        if (chooser) {
            *seen += "<chooser> ";
            r = steps(chooser, choosers++);
            // An OK refused leaves the chooser open.
            (void)robot::WaitUntil([&] { return !IsWindow(chooser); }, "the chooser to close", 1500);
        } else if (r) {
            robot::MessageBoxInfo info = robot::ReadMessageBox(box);
            *seen += info.caption + ": " + info.text + " | ";
            r = robot::AnswerMessageBox(info, IDOK);
        }
    }
    return r ? ::testing::AssertionFailure() << "too many windows" : r;
}

TEST(DescriptionE2E, TheReadersBoxesAndTheFolderChooser)
{
    auto Box = [](const char *utf8) { return "TALVIREX: " + testsupport::Utf8ToCp1250(utf8) + " | "; };
    const std::string k3 = Box("Poškodený (neexistujúci) konfiguračný súbor!");
    const std::string k6 = Box("Poškodené (neúplné) inštalačné médium!");
    const std::string k103 = Box("Inštalačný program nie je spustený z inštalačného média.\n\nV nasledujúcom okne "
                                 "vyberte disk/adresár obsahujúci inštalačné médium.");
    const std::string k104 = Box("Umiestnenie inštalačného média nebolo zadané.\n\nInštalačný program bude ukončený.");
    const std::string ini = "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=G\r\n[FILES]\r\n";
    ScratchDir root("chooser");
    for (const char *dir : {"Bad", "Incomplete", "Missing", "IsDir\\TALVIREX.INF", "Beta"})
        ASSERT_TRUE(testsupport::MakeDirectories(root / dir));
    ASSERT_TRUE(WriteFileBytes(root / "Bad\\TALVIREX.INF", ini + "FILE6=A;1\r\nFILE7=A;1;A.ICO\r\n"));
    ASSERT_TRUE(WriteFileBytes(root / "Incomplete\\TALVIREX.INF", ini + "FILE1=A;1;GONE.ICO;R\r\n"));
    for (const char *file : {"Bad\\A", "Incomplete\\A"})
        ASSERT_TRUE(WriteFileBytes(root / file, ""));
    // A medium in the root of drive C, private to the test prefix.
    struct RootMedium {
        ~RootMedium() { DeleteFileA("C:\\TALVIREX.INF"); DeleteFileA("C:\\A"); }
    } rootMedium;
    ASSERT_TRUE(WriteFileBytes("C:\\TALVIREX.INF", ini + "FILE1=A;1\r\n"));
    ASSERT_TRUE(WriteFileBytes("C:\\A", ""));
    std::string drive = Lower(root.path().substr(0, 3));
    auto dir = [&](const char *name) { return "\"" + root / name + "\""; };

    Steps cancel = [](HWND chooser, int) { return robot::PressButton(chooser, IDCANCEL); };
    Steps beta = [](HWND chooser, int) {
        Result r = Open(chooser, "[Beta]");
        return r ? robot::PressButton(chooser, IDOK) : r;
    };
    Steps toRoot = [](HWND chooser, int) {
        while (Open(chooser, "[..]")) {
        }
        return robot::PressButton(chooser, IDOK);
    };
    // The first OK, in a directory without the description, is refused.
    Steps locate = [&](HWND chooser, int time) {
        if (time == 0)
            return robot::PressButton(chooser, IDOK);
        Result r = drive == "c:\\" ? ::testing::AssertionSuccess() : Open(chooser, "[-c-]");
        return r ? toRoot(chooser, time) : r;
    };
    const struct {
        std::string args;
        const Steps &steps;
        std::string seen;
    } cases[] = {
        {dir("Bad"), cancel, k3 + "exit 0"},
        {"-D " + dir("Bad"), cancel, k3 + "TALVIREX - Bad Info: FILE7 | exit 0"},
        {"-D " + dir("Incomplete"), cancel, k6 + "TALVIREX - Bad Disk: " + root / "Incomplete\\GONE.ICO | exit 0"},
        {dir("Missing"), cancel, k103 + "<chooser> " + k104 + "exit 0"},
        {"-D " + dir("IsDir"), cancel, k103 + "<chooser> " + k104 + "exit 0"},
        {dir("Missing"), locate, k103 + "<chooser> <chooser> done: C:\\ 3 | exit 1"},
        {"-B " + dir("."), beta, "<chooser> done: " + root / "Beta | exit 1"},
        {"-B " + dir("."), toRoot, "<chooser> done: " + drive + " | exit 1"},
        {"-B " + dir("."), cancel, "<chooser> exit 0"},
    };
    for (const auto &c : cases) {
        std::string seen;
        EXPECT_TRUE(RunHelper(c.args, root.path(), c.steps, &seen)) << c.args;
        EXPECT_EQ(Lower(c.seen), Lower(seen)) << c.args;
    }
}

}  // namespace
