// A fixture for driving the installer's wizard: a medium folder with the
// installer and a description, shell folders of its own, and page helpers.
#ifndef TALVIREX_WIZARD_FIXTURE_H
#define TALVIREX_WIZARD_FIXTURE_H

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace wizard {

using testsupport::Utf8ToCp1250;
using Result = ::testing::AssertionResult;

// The installer under test: the tests' own build, or the one TALVIREX_INSTALLER names (the 32-bit release).
inline std::string Installer()
{
    const char *other = getenv("TALVIREX_INSTALLER");
    return other && *other ? other : TEST_INSTALLER;
}

// A 32-bit installer reads HKLM\Software through the registry's 32-bit view and
// finds its system directory redirected.
inline bool Installer32()
{
    DWORD type = SCS_64BIT_BINARY;
    return GetBinaryTypeA(Installer().c_str(), &type) && type == SCS_32BIT_BINARY;
}

inline std::string SystemDir()
{
    char dir[MAX_PATH] = "";
    Installer32() ? GetSystemWow64DirectoryA(dir, sizeof dir) : GetSystemDirectoryA(dir, sizeof dir);
    return dir;
}

// A text of the installer's string table (cp1250), without a kind byte,
// formatted with one string argument when there is one.
inline std::string Text(UINT id, const std::string &argument = "")
{
    static HMODULE module = LoadLibraryExA(Installer().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    char format[1024] = "", text[2048];
    LoadStringA(module, id, format, sizeof format);
    snprintf(text, sizeof text, format + (format[0] >= 1 && format[0] <= 6), argument.c_str());
    return text;
}

using robot::PageOf;

// A value of an INI file, "<none>" when it is missing.
inline std::string Ini(const std::string &ini, const char *section, const char *key)
{
    char value[512];
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, ini.c_str());
    return value;
}

// A message text as one log line.
inline std::string LogLine(UINT id, const std::string &tail = "")
{
    return std::regex_replace(Text(id), std::regex("[\r\n]+"), " ") + tail + "\r\n";
}

// The lines of a -L log without their stamps ("2026-12-07 09:15:02 NAME "); a line
// without the date, the time and this computer's name is marked, to fail the comparison.
inline std::string Unstamped(const std::string &log)
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    const std::string stamp = "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d " + std::string(name) + " ";
    std::string marked = std::regex_replace("\n" + log, std::regex("\n(?!" + stamp + "|$)"), "\n<unstamped> ");
    return std::regex_replace(marked, std::regex("\n" + stamp), "\n").substr(1);
}

struct MediumFile {
    std::string name, bytes, line;  // line: its description line, "" when not listed
};

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        medium_.reset(new testsupport::ScratchDir("medium_" + name));
        shell_.reset(new testsupport::ScratchDir("shell_" + name));
        struct {
            HKEY root;
            const char *key, *name;
            std::string *folder;
        } values[] = {
            {HKEY_LOCAL_MACHINE, testsupport::kCurrentVersionPath, "ProgramFilesDir", &programFiles_},
            {HKEY_LOCAL_MACHINE, testsupport::kShellFoldersPath, "Common Programs", &commonPrograms_},
            {HKEY_LOCAL_MACHINE, testsupport::kShellFoldersPath, "Common Desktop", &commonDesktop_},
            {HKEY_CURRENT_USER, testsupport::kShellFoldersPath, "Programs", &userPrograms_},
        };
        for (auto &v : values) {
            *v.folder = *shell_ / v.name;
            testsupport::MakeDirectories(*v.folder);
            REGSAM view = Installer32() && v.root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0;
            registry_.emplace_back(new testsupport::RegistryValue(v.root, v.key, v.name, view));
            ASSERT_TRUE(registry_.back()->Set(*v.folder));
        }
        DeleteFileA(IniPath().c_str());
        DeleteEntry();
        // The installer stands on the medium, as it would on a CD.
        ASSERT_TRUE(CopyFileA(Installer().c_str(), (*medium_ / "TALVIREX.EXE").c_str(), FALSE)) << Installer();
    }

    void TearDown() override
    {
        installer_.Kill();
        DeleteFileA(IniPath().c_str());
        DeleteEntry();
    }

    // The publication's entry in the list of programs, which a run writes, in both registry views.
    static void DeleteEntry()
    {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY})
            RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kEntryKey, view, 0);
    }

    // Writes TALVIREX.INF (cp1250; the test texts are UTF-8) and the files.
    void WriteMedium(const std::vector<MediumFile> &files)
    {
        std::string inf = "[PUBLICATION]\r\nTITLE=" + std::string(kTitle) + "\r\nINIFILE=" + iniName_ +
                          "\r\nPATH=Testovacia\r\nGROUP=Testovacia skupina\r\n[FILES32]\r\n";
        int key = 1;
        for (const MediumFile &f : files) {
            if (!f.line.empty())
                inf += "FILE" + std::to_string(key++) + "=" + f.line + "\r\n";
            ASSERT_TRUE(testsupport::WriteFileBytes(*medium_ / f.name, f.bytes));
        }
        ASSERT_TRUE(testsupport::WriteFileBytes(*medium_ / "TALVIREX.INF", Utf8ToCp1250(inf)));
    }

    // 3 KB of kind 1 with an icon, 20 KB of kind 0, a kind 1 with the '*' icon; then the extra files.
    void WriteDefaultMedium(std::vector<MediumFile> extra = {})
    {
        extra.insert(extra.begin(), {{"PUBL.EXE", std::string(3000, 'x'), "PUBL.EXE;1;PUBL.ICO;Publikácia"},
                                     {"PUBL.ICO", "icon", ""},
                                     {"DATA.DAT", std::string(20000, 'd'), "DATA.DAT;0"},
                                     {"CITAJ.TXT", "text", "CITAJ.TXT;1;*;Čítaj ma"}});
        WriteMedium(extra);
    }

    Result Start(const std::string &args = "")
    {
        return installer_.Start(*medium_ / "TALVIREX.EXE", args, medium_->path());
    }

    // Waits for page pageId, enabled (no message box over it) and other than previous.
    Result WaitForPage(int pageId, HWND *page, HWND previous = NULL, DWORD timeoutMs = robot::kDefaultTimeoutMs)
    {
        int seen = 0;
        Result r = robot::WaitUntil([&] {
            for (HWND w : robot::TopWindows(installer_.Id(), "TALVIREX"))
                if (w != previous && (seen = PageOf(w)) == pageId && IsWindowEnabled(w))
                    return (*page = w) != NULL;
            return false;
        }, "page " + std::to_string(pageId), timeoutMs);
        return r ? r : r << " (last page seen: " << seen << ")";
    }

    // Presses Next or Back from page to page through the given pages.
    Result Walk(HWND *page, std::vector<int> pages, DWORD timeoutMs = robot::kDefaultTimeoutMs)
    {
        for (int next : pages) {
            HWND previous = *page;
            Result r = robot::PressButton(previous, next > PageOf(previous) ? IDOK : 46);
            if (!r || !(r = WaitForPage(next, page, previous, timeoutMs)))
                return r;
        }
        return ::testing::AssertionSuccess();
    }

    // Waits for a message box of any process (the list of programs starts the
    // installer itself), expects text and answers it.
    static Result Answer(const std::string &text, int button)
    {
        robot::MessageBoxInfo box;
        Result r = robot::WaitUntil([&] {
            HWND w = FindWindowA("#32770", "TALVIREX");
            return w && IsWindowVisible(w) && !(box = robot::ReadMessageBox(w)).buttons.empty();
        }, "a message box");
        if (r && box.text != text)
            return ::testing::AssertionFailure() << "expected \"" << text << "\", the box shows \"" << box.text << "\"";
        return r ? robot::AnswerMessageBox(box, button) : r;
    }

    // Presses a button and expects message id, answered with answer.
    Result ExpectMessage(HWND page, int button, UINT id, int answer = IDOK)
    {
        Result r = robot::PressButton(page, button);
        return r ? Answer(Text(id), answer) : r;
    }

    // Runs exe (the medium's installer when "") until a page comes (kWelcomed) or it ends (its exit code).
    // Boxes on the way are answered with OK, "caption: text | " of each going to *boxes; in the folder
    // chooser ("<chooser> ") the folders of locate are opened and OK pressed, or Cancel when there are none.
    static constexpr DWORD kWelcomed = 0xFFFF;
    DWORD RunToPageOrEnd(const std::string &args, std::string *boxes, std::string exe = "",
                         const std::vector<std::string> &locate = {})
    {
        robot::Process process;
        exe = exe.empty() ? *medium_ / "TALVIREX.EXE" : exe;
        EXPECT_TRUE(process.Start(exe, args, exe.substr(0, exe.rfind('\\'))));
        bool welcomed = false, asked = false;
        boxes->clear();
        for (int n = 0; n < 4; n++) {
            bool seen = robot::WaitUntil([&] {
                welcomed = !robot::TopWindows(process.Id(), "TALVIREX").empty();
                asked = !robot::TopWindows(process.Id(), "#32770").empty();
                return welcomed || asked || !process.Running();
            }, "a page, a message or the end");
            EXPECT_TRUE(seen);
            robot::MessageBoxInfo box;
            if (!seen || welcomed || !asked || !robot::WaitForMessageBox(process.Id(), &box))
                break;
            HWND w = box.window;
            if (!GetDlgItem(w, robot::kChooserList)) {
                EXPECT_TRUE(robot::AnswerMessageBox(box, IDOK));
                *boxes += box.caption + ": " + box.text + " | ";
                continue;
            }
            *boxes += "<chooser> ";
            EXPECT_TRUE(robot::WaitUntil([&] { return robot::ControlText(w, robot::kChooserFolder) != ""; }, "the chooser"));
            for (const std::string &folder : locate)
                EXPECT_TRUE(robot::OpenChooserFolder(w, folder.c_str()));
            EXPECT_TRUE(robot::PressButton(w, locate.empty() ? IDCANCEL : IDOK));
            EXPECT_TRUE(robot::WaitUntil([&] { return !IsWindow(w); }, "the chooser to close"));
        }
        DWORD code = kWelcomed;
        EXPECT_TRUE(welcomed || process.WaitForExit(&code));
        return code;
    }

    // Cancels from page: the finish page follows.
    Result Cancel(HWND page, HWND *finish)
    {
        Result r = ExpectMessage(page, 45, 13, IDNO);
        return r ? WaitForPage(10021, finish, page) : r;
    }

    // Ends the wizard from its finish page; the process exits with 0.
    Result Close(HWND finish)
    {
        DWORD code = 1;
        Result r = robot::PressButton(finish, IDOK);
        if (r) r = installer_.WaitForExit(&code);
        return !r || code == 0 ? r : ::testing::AssertionFailure() << "exit code " << code;
    }

    std::string Target() const { return programFiles_ + "\\Testovacia"; }
    std::string GroupDir() const { return commonPrograms_ + "\\Testovacia skupina"; }
    // The copy that the entry starts, in the folder that the installation makes below Program Files.
    std::string ProgramFolder() const { return programFiles_ + "\\TALVIREX\\TALVIREX_TVXTEST.INI"; }
    std::string Program() const { return ProgramFolder() + "\\TALVIREX.EXE"; }
    std::string Link(const std::string &dir, const char *name) const { return dir + "\\" + Utf8ToCp1250(name) + ".lnk"; }

    // Walks the wizard with the given choices and installs; a failing run must show message failure
    // and a finish page that says so. Leaves the finish page in *finish, or closes it when finish is null.
    Result RunInstall(HWND *finish, bool minimal, bool group, bool desktop, UINT failure = 0)
    {
        HWND page;
        Result r = exe_.empty() ? Start() : installer_.Start(exe_, args_, shell_->path());
        if (r) r = WaitForPage(10000, &page);
        if (r) r = Walk(&page, {10001});
        if (r && minimal) r = robot::PressButton(page, 60);
        if (r && !group) r = robot::PressButton(page, 1101);
        if (r && !desktop) r = robot::PressButton(page, 1102);
        if (r) r = Walk(&page, group ? std::vector<int>{10002, 10003} : std::vector<int>{10002});
        if (r && !groupChoice_.empty()) {   // chosen from the list of existing groups, not typed
            HWND list = FindWindowExA(GetDlgItem(page, 1300), NULL, "ComboLBox", NULL);
            r = robot::ClickListItem(list, groupChoice_);
            if (r) r = robot::WaitUntil([&] { return robot::ControlText(page, 1300) == groupChoice_; }, "the choice");
        }
        if (r) r = Walk(&page, {10004});
        if (r && failure == 0) r = Walk(&page, {10021});
        if (r && failure != 0) {
            r = robot::PressButton(page, IDOK);
            if (r) r = Answer(Text(failure), IDOK);
            if (r) r = WaitForPage(10021, &page, page);
            if (r && robot::ControlText(page, 1001) != Text(97, Utf8ToCp1250(kTitle)))
                return ::testing::AssertionFailure() << "the finish page does not tell of a failure";
        }
        if (r && finish)
            *finish = page;
        return r && !finish ? Close(page) : r;
    }
    std::string exe_, args_, groupChoice_;   // another installer to start, with args_; a group to choose

    std::string IniPath() const
    {
        char windows[MAX_PATH];
        GetWindowsDirectoryA(windows, sizeof windows);
        return std::string(windows) + "\\" + iniName_;
    }

    static constexpr const char *kTitle = "Testovacia publikácia";
    static constexpr const char *kEntryKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TALVIREX_TVXTEST.INI";
    std::unique_ptr<testsupport::ScratchDir> medium_, shell_;
    std::string programFiles_, commonPrograms_, commonDesktop_, userPrograms_;
    std::string iniName_ = "TVXTEST.INI";
    robot::Process installer_;
    std::vector<std::unique_ptr<testsupport::RegistryValue>> registry_;
};

}  // namespace wizard

#endif
