#include "wizard_fixture.h"

#include <stdio.h>

namespace wizard {

using testsupport::Utf8ToCp1250;

std::string Text(UINT id)
{
    static HMODULE module = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    char buffer[1024] = "";
    int n = LoadStringA(module, id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

std::string MessageText(UINT id)
{
    std::string text = Text(id);
    if (!text.empty() && text[0] >= 1 && text[0] <= 6)
        text.erase(0, 1);
    return text;
}

std::string Formatted(UINT id, const std::string &argument)
{
    char buffer[2048];
    snprintf(buffer, sizeof buffer, Text(id).c_str(), argument.c_str());
    return buffer;
}

int PageOf(HWND window)
{
    auto has = [window](int id) { return GetDlgItem(window, id) != NULL; };
    if (has(70))
        return 10020;
    if (has(60))
        return 10001;
    if (has(1200))
        return 10002;
    if (has(1300))
        return 10003;
    if (has(1003))
        return 10004;
    if (has(1006))
        return 10000;
    if (has(1002))
        return 10021;
    return 0;
}

static const char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void WizardTest::SetUp()
{
    const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
    medium_.reset(new testsupport::ScratchDir(std::string("medium_") + info->name()));
    shell_.reset(new testsupport::ScratchDir(std::string("shell_") + info->name()));
    programFiles_ = *shell_ / "Program Files";
    commonPrograms_ = *shell_ / "All\\Programs";
    commonDesktop_ = *shell_ / "All\\Desktop";
    userPrograms_ = *shell_ / "User\\Programs";
    userDesktop_ = *shell_ / "User\\Desktop";
    for (const std::string &dir : {programFiles_, commonPrograms_, commonDesktop_, userPrograms_, userDesktop_})
        testsupport::MakeDirectories(dir);
    struct Value {
        HKEY root;
        const char *key, *name;
        std::string data;
    } values[] = {
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", programFiles_},
        {HKEY_LOCAL_MACHINE, kShellFolders, "Common Programs", commonPrograms_},
        {HKEY_LOCAL_MACHINE, kShellFolders, "Common Desktop", commonDesktop_},
        {HKEY_CURRENT_USER, kShellFolders, "Programs", userPrograms_},
        {HKEY_CURRENT_USER, kShellFolders, "Desktop", userDesktop_},
    };
    for (const Value &v : values) {
        registry_.emplace_back(new testsupport::RegistryValue(v.root, v.key, v.name));
        ASSERT_TRUE(registry_.back()->Set(v.data));
    }
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    DeleteFileA(IniPath().c_str());
    // The installer copies itself onto the medium, as it would stand on a CD.
    ASSERT_TRUE(CopyFileA(TEST_INSTALLER, (*medium_ / "TALVIREX.EXE").c_str(), FALSE));
}

void WizardTest::TearDown()
{
    if (installer_.Running())
        installer_.Kill();
    DeleteFileA(IniPath().c_str());
    registry_.clear();
}

std::string WizardTest::IniPath() const
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\" + iniName_;
}

void WizardTest::WriteMedium(const std::vector<MediumFile> &files, const std::string &title,
                             const std::string &extraPublication)
{
    std::string inf = "[PUBLICATION]\r\nTITLE=" + title + "\r\nINIFILE=" + iniName_ +
                      "\r\nPATH=Testovacia\r\nGROUP=Testovacia skupina\r\n" + extraPublication +
                      "[FILES32]\r\n";
    int key = 1;
    for (const MediumFile &f : files) {
        if (!f.line.empty())
            inf += "FILE" + std::to_string(key++) + "=" + f.line + "\r\n";
        ASSERT_TRUE(testsupport::WriteFileBytes(*medium_ / f.name, f.bytes));
    }
    ASSERT_TRUE(testsupport::WriteFileBytes(*medium_ / "TALVIREX.INF", Utf8ToCp1250(inf)));
}

void WizardTest::WriteDefaultMedium()
{
    WriteMedium({
        {"PUBL.EXE", std::string(3000, 'x'), "PUBL.EXE;1;PUBL.ICO;Publikácia"},
        {"PUBL.ICO", "icon", ""},
        {"DATA.DAT", std::string(20000, 'd'), "DATA.DAT;0"},
        {"CITAJ.TXT", "text", "CITAJ.TXT;1;*;Čítaj ma"},
    });
}

::testing::AssertionResult WizardTest::Start(const std::string &args)
{
    return installer_.Start(*medium_ / "TALVIREX.EXE", args, medium_->path());
}

::testing::AssertionResult WizardTest::WaitForPage(int pageId, HWND *page, HWND previous)
{
    *page = NULL;
    DWORD pid = installer_.Id();
    int lastSeen = -1;
    ::testing::AssertionResult r = robot::WaitUntil(
        [&] {
            for (HWND w : robot::TopWindows(pid, "TALVIREX")) {
                if (w == previous)
                    continue;
                lastSeen = PageOf(w);
                if (lastSeen == pageId && IsWindowEnabled(w)) {
                    *page = w;
                    return true;
                }
            }
            return false;
        },
        "page " + std::to_string(pageId));
    if (!r) {
        r << " (last page seen: " << lastSeen << ")";
        std::vector<HWND> boxes = robot::TopWindows(pid, "#32770");
        for (HWND box : boxes)
            r << "; a message box shows \"" << robot::ReadMessageBox(box).text << "\"";
    }
    return r;
}

::testing::AssertionResult WizardTest::Advance(HWND *page, int button, int nextPageId)
{
    HWND previous = *page;
    ::testing::AssertionResult r = robot::PressButton(previous, button);
    if (!r)
        return r;
    return WaitForPage(nextPageId, page, previous);
}

::testing::AssertionResult WizardTest::ExpectMessage(HWND page, int button, UINT id, int answer)
{
    ::testing::AssertionResult r = robot::PressButton(page, button);
    if (!r)
        return r;
    robot::MessageBoxInfo box;
    r = robot::WaitForMessageBox(installer_.Id(), &box);
    if (!r)
        return r;
    if (box.text != MessageText(id))
        return ::testing::AssertionFailure() << "expected message " << id << " \"" << MessageText(id)
                                             << "\", the box shows \"" << box.text << "\"";
    return robot::AnswerMessageBox(box, answer);
}

::testing::AssertionResult WizardTest::WaitForExit()
{
    DWORD code = 12345;
    ::testing::AssertionResult r = installer_.WaitForExit(&code);
    if (!r)
        return r;
    if (code != 0)
        return ::testing::AssertionFailure() << "the installer ended with exit code " << code;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult WizardTest::WalkToConfirmation(HWND *page)
{
    ::testing::AssertionResult r = WaitForPage(10000, page);
    if (r)
        r = Advance(page, IDOK, 10001);
    if (r)
        r = Advance(page, IDOK, 10002);
    if (r)
        r = Advance(page, IDOK, 10003);
    if (r)
        r = Advance(page, IDOK, 10004);
    return r;
}

}  // namespace wizard
