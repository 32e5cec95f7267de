// The installation run in-process: what the progress page shows, in order,
// recorded by a message hook that only watches.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/setup_state.h"
#include "app/text.h"
#include "install/run.h"
#include "test_support.h"
#include "ui/controls.h"

namespace {

std::vector<std::string> *recorded = nullptr;

LRESULT CALLBACK Recorder(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *call = (const CWPSTRUCT *)lParam;
    if (code == HC_ACTION && recorded) {
        int id = GetDlgCtrlID(call->hwnd);
        if (call->message == WM_USER + 100 && id == 70 && (int)(short)call->wParam >= 0)
            recorded->push_back("bar " + std::to_string((int)call->wParam));
        else if (call->message == WM_SETTEXT && id == 71)
            recorded->push_back("line " + std::string((const char *)call->lParam));
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

class RunProgress : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        setup.hInstance = GetModuleHandleA(NULL);
        WNDCLASSA existing;
        if (!GetClassInfoA(setup.hInstance, "TALVIREX", &existing))
            ASSERT_EQ(1, RegisterWindowClasses());
        medium_.reset(new testsupport::ScratchDir("run_medium"));
        target_.reset(new testsupport::ScratchDir("run_target"));
        snprintf(setup.sourceDir, sizeof setup.sourceDir, "%s\\", medium_->path().c_str());
        setup.sourceDirLen = (DWORD)strlen(setup.sourceDir);
        snprintf(setup.targetDir, sizeof setup.targetDir, "%s\\Pub", target_->path().c_str());
        snprintf(setup.publicationIni, sizeof setup.publicationIni, "%s", (*target_ / "pub.ini").c_str());
        GetWindowsDirectoryA(setup.windowsDir, MAX_PATH);
        GetSystemDirectoryA(setup.systemDir, MAX_PATH);
        strcat(setup.windowsDir, "\\");
        strcat(setup.systemDir, "\\");
        setup.createGroup = 0;
        setup.createDesktopIcon = 0;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Recorder, NULL, GetCurrentThreadId());
        recorded = &events_;
    }
    void TearDown() override
    {
        recorded = nullptr;
        if (hook_)
            UnhookWindowsHookEx(hook_);
    }

    // Adds a file of the given size and kind to the medium and the file list.
    void AddFile(const std::string &name, size_t size, FileKind kind)
    {
        ASSERT_TRUE(testsupport::WriteFileBytes(*medium_ / name, std::string(size, 'z')));
        char *text = setup.stringPool + setup.poolUsed;
        CopyText(text, sizeof setup.stringPool - setup.poolUsed, name.c_str());
        setup.poolUsed = (WORD)(setup.poolUsed + name.size() + 1);
        FileEntry &e = setup.files[setup.fileCount++];
        e.name = text;
        e.kind = kind;
        e.iconFile = nullptr;
        e.shortcutName = nullptr;
    }

    std::string Cp(const char *utf8) { return testsupport::Utf8ToCp1250(utf8); }

    std::unique_ptr<testsupport::ScratchDir> medium_, target_;
    HHOOK hook_ = NULL;
    std::vector<std::string> events_;
};

TEST_F(RunProgress, OneFileReportsItsSubSteps)
{
    AddFile("ONE.DAT", 20000, 1);
    ASSERT_EQ(0, RunInstallation());
    std::vector<std::string> expected = {
        "bar 0", "line " + Cp("Vytvorenie neexistujúcich adresárov"),
        "bar 10", "line " + Cp("Kopírovanie súboru ONE.DAT"),
        "bar 11", "bar 12", "bar 13",
        "bar 95", "line " + Cp("Zápis nastavení do konfiguračného súboru"),
        "bar 100", "line ",
    };
    EXPECT_EQ(expected, events_);
    EXPECT_EQ(nullptr, setup.progressDialog);
    EXPECT_EQ(setup.sourceDirLen, strlen(setup.sourceDir)) << "sourceDir is cut back to the medium";
}

TEST_F(RunProgress, ThirtyFilesStepByTwoWithoutSubSteps)
{
    for (int i = 0; i < 30; i++)
        AddFile("F" + std::to_string(i) + ".DAT", 9000, 1);
    ASSERT_EQ(0, RunInstallation());
    std::vector<std::string> bars;
    for (const std::string &e : events_)
        if (e.compare(0, 4, "bar ") == 0)
            bars.push_back(e.substr(4));
    std::vector<std::string> expected = {"0"};
    for (int k = 0; k < 30; k++)
        expected.push_back(std::to_string(10 + 2 * k));
    expected.push_back("95");
    expected.push_back("100");
    EXPECT_EQ(expected, bars);
}

TEST_F(RunProgress, KindZeroIsMarkedForAMaximalRunAndRestored)
{
    AddFile("DATA.DAT", 10, 0);
    AddFile("VIEW.EXE", 10, 1);
    setup.installType = 1;
    ASSERT_EQ(0, RunInstallation());
    EXPECT_TRUE(testsupport::FileExists(*target_ / "Pub\\DATA.DAT"));
    EXPECT_EQ(0, setup.files[0].kind);
    EXPECT_EQ(1, setup.files[1].kind);
    // Two entries: step 40, so the second starts at 50.
    EXPECT_NE(events_.end(), std::find(events_.begin(), events_.end(), "bar 50"));
}

// Answers the first message box of this process with OK, from another thread,
// and keeps its text.
class BoxAnswerer {
public:
    BoxAnswerer()
        : thread_([this] {
              for (int i = 0; i < 400 && text_.empty(); i++) {
                  HWND box = FindWindowA("#32770", "TALVIREX");
                  if (box) {
                      Sleep(100);
                      char text[512] = "";
                      HWND child = NULL;
                      while ((child = FindWindowExA(box, child, "Static", NULL)) != NULL && !text[0])
                          GetWindowTextA(child, text, sizeof text);
                      text_ = text[0] ? text : "<empty>";
                      PostMessageA(box, WM_COMMAND, IDOK, 0);
                  }
                  Sleep(50);
              }
          })
    {
    }
    ~BoxAnswerer() { thread_.join(); }
    std::string Wait()
    {
        thread_.join();
        thread_ = std::thread([] {});
        return text_;
    }

private:
    std::string text_;
    std::thread thread_;
};

TEST_F(RunProgress, KindsAreRestoredAndThePageClosedAfterAFailure)
{
    AddFile("DATA.DAT", 10, 0);
    AddFile("VIEW.EXE", 10, 1);
    setup.installType = 1;
    // A file where the installation directory should be.
    ASSERT_TRUE(testsupport::WriteFileBytes(*target_ / "Pub", "file"));
    BoxAnswerer answerer;
    EXPECT_EQ(14, RunInstallation());
    EXPECT_EQ(Cp("Nie je možné vytvoriť cieľový adresár (zadaná cesta obsahuje názov existujúceho súboru)!"),
              answerer.Wait());
    EXPECT_EQ(0, setup.files[0].kind);
    EXPECT_EQ(1, setup.files[1].kind);
    EXPECT_EQ(nullptr, setup.progressDialog);
    EXPECT_FALSE(testsupport::FileExists(setup.publicationIni));
}

TEST_F(RunProgress, NothingToCopyGoesOnAtNinetyFive)
{
    AddFile("DATA.DAT", 10, 0);
    setup.installType = 0;
    ASSERT_EQ(0, RunInstallation());
    std::vector<std::string> expected = {
        "bar 0", "line " + Cp("Vytvorenie neexistujúcich adresárov"),
        "bar 95", "line " + Cp("Zápis nastavení do konfiguračného súboru"),
        "bar 100", "line ",
    };
    EXPECT_EQ(expected, events_);
    EXPECT_FALSE(testsupport::FileExists(*target_ / "Pub\\DATA.DAT"));
    char path[MAX_PATH];
    GetPrivateProfileStringA("SETING", "PATH", "", path, sizeof path, setup.publicationIni);
    EXPECT_EQ(medium_->path() + "\\", path);
}

TEST_F(RunProgress, DesktopOnlyGoesFromNinetyFiveToNinetyNine)
{
    testsupport::ScratchDir desktop("run_desktop");
    testsupport::RegistryValue common(HKEY_LOCAL_MACHINE,
                                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                      "Common Desktop");
    ASSERT_TRUE(common.Set(desktop.path()));
    AddFile("VIEW.EXE", 10, 1);
    static char icon[] = "VIEW.ICO", shortcut[] = "View";
    setup.files[0].iconFile = icon;
    setup.files[0].shortcutName = shortcut;
    setup.createDesktopIcon = 1;
    ASSERT_EQ(0, RunInstallation());
    std::vector<std::string> bars;
    for (const std::string &e : events_)
        if (e.compare(0, 4, "bar ") == 0)
            bars.push_back(e.substr(4));
    // A file smaller than its step count reports one sub-step per block.
    std::vector<std::string> expected = {"0", "10", "11", "95", "99", "100"};
    EXPECT_EQ(expected, bars);
    EXPECT_TRUE(testsupport::FileExists(desktop / "View.lnk"));
}

}  // namespace
