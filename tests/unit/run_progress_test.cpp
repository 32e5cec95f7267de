// The installation run in-process: what the progress page shows, in order,
// recorded by a message hook that only watches.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/setup_state.h"
#include "base/text.h"
#include "install/run.h"
#include "test_support.h"
#include "ui/controls.h"

namespace {

using testsupport::Utf8ToCp1250;

std::vector<std::string> events;  // "bar N" and "line TEXT", as the page got them

LRESULT CALLBACK Recorder(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *call = (const CWPSTRUCT *)lParam;
    int id = GetDlgCtrlID(call->hwnd);
    if (call->message == WM_USER + 100 && id == 70)
        events.push_back("bar " + std::to_string((int)call->wParam));
    else if (call->message == WM_SETTEXT && id == 71)
        events.push_back("line " + std::string((const char *)call->lParam));
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
        snprintf(setup.sourceDir, sizeof setup.sourceDir, "%s\\", medium_.path().c_str());
        setup.sourceDirLen = (DWORD)strlen(setup.sourceDir);
        snprintf(setup.targetDir, sizeof setup.targetDir, "%s\\Pub", target_.path().c_str());
        snprintf(setup.publicationIni, sizeof setup.publicationIni, "%s", (target_ / "pub.ini").c_str());
        setup.createGroup = setup.createDesktopIcon = 0;
        events.clear();
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Recorder, NULL, GetCurrentThreadId());
    }
    void TearDown() override { UnhookWindowsHookEx(hook_); }

    void AddFile(const std::string &name, size_t size, FileKind kind)
    {
        ASSERT_TRUE(testsupport::WriteFileBytes(medium_ / name, std::string(size, 'z')));
        char *text = setup.stringPool + setup.poolUsed;
        CopyText(text, sizeof setup.stringPool - setup.poolUsed, name.c_str());
        setup.poolUsed = (WORD)(setup.poolUsed + name.size() + 1);
        setup.files[setup.fileCount++] = {text, kind, nullptr, nullptr};
    }

    std::string Bars() const
    {
        std::string bars;
        for (const std::string &e : events)
            if (e.compare(0, 4, "bar ") == 0)
                bars += e.substr(4) + " ";
        return bars;
    }

    testsupport::ScratchDir medium_{"run_medium"}, target_{"run_target"};
    HHOOK hook_ = NULL;
};

TEST_F(RunProgress, OneFileReportsItsSubStepsBetweenTheLines)
{
    AddFile("ONE.DAT", 20000, 1);
    ASSERT_EQ(0, RunInstallation());
    std::vector<std::string> expected = {
        "bar 0", "line " + Utf8ToCp1250("Vytvorenie neexistujúcich adresárov"),
        "bar 10", "line " + Utf8ToCp1250("Kopírovanie súboru ONE.DAT"), "bar 11", "bar 12", "bar 13",
        "bar 95", "line " + Utf8ToCp1250("Zápis nastavení do konfiguračného súboru"), "bar 100", "line "};
    EXPECT_EQ(expected, events);
    EXPECT_EQ(nullptr, setup.progressDialog);
    EXPECT_EQ(setup.sourceDirLen, strlen(setup.sourceDir)) << "sourceDir is cut back to the medium";
}

TEST_F(RunProgress, NothingToCopyGoesOnAtNinetyFiveAndRecordsTheMedium)
{
    AddFile("DATA.DAT", 10, 0);
    setup.installType = 0;
    ASSERT_EQ(0, RunInstallation());
    EXPECT_EQ("0 95 100 ", Bars());
    char path[MAX_PATH];
    GetPrivateProfileStringA("SETING", "PATH", "", path, sizeof path, setup.publicationIni);
    EXPECT_EQ(medium_.path() + "\\", path);
}

TEST_F(RunProgress, DesktopShortcutAloneComesAtNinetyNine)
{
    testsupport::ScratchDir desktop("run_desktop");
    testsupport::RegistryValue common(HKEY_LOCAL_MACHINE,
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common Desktop");
    ASSERT_TRUE(common.Set(desktop.path()));
    AddFile("VIEW.EXE", 10, 1);
    static char icon[] = "VIEW.ICO", shortcut[] = "View";
    setup.files[0].iconFile = icon;
    setup.files[0].shortcutName = shortcut;
    setup.createDesktopIcon = 1;
    ASSERT_EQ(0, RunInstallation());
    // A file smaller than its step count reports one sub-step per block.
    EXPECT_EQ("0 10 11 95 99 100 ", Bars());
    EXPECT_TRUE(testsupport::FileExists(desktop / "View.lnk"));
}

TEST_F(RunProgress, KindZeroIsCopiedByAMaximalRunAndRestoredAfterAFailure)
{
    AddFile("DATA.DAT", 10, 0);
    AddFile("VIEW.EXE", 10, 1);
    ASSERT_EQ(0, RunInstallation());
    EXPECT_TRUE(testsupport::FileExists(target_ / "Pub\\DATA.DAT"));
    EXPECT_EQ("0 10 11 50 51 95 100 ", Bars());
    EXPECT_EQ(0, setup.files[0].kind);

    // A file where the installation directory should be: message 14, which a
    // second thread reads and answers.
    testsupport::RemoveTree(target_ / "Pub");
    ASSERT_TRUE(testsupport::WriteFileBytes(target_ / "Pub", "file"));
    DeleteFileA(setup.publicationIni);
    std::string shown;
    std::thread answerer([&shown] {
        for (int i = 0; i < 200 && shown.empty(); i++, Sleep(50)) {
            HWND box = FindWindowA("#32770", "TALVIREX");
            HWND text = box ? FindWindowExA(box, NULL, "Static", NULL) : NULL;
            char buffer[512] = "";
            while (text && !GetWindowTextA(text, buffer, sizeof buffer))
                text = FindWindowExA(box, text, "Static", NULL);
            if (buffer[0]) {
                shown = buffer;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
        }
    });
    EXPECT_EQ(14, RunInstallation());
    answerer.join();
    EXPECT_EQ(Utf8ToCp1250("Nie je možné vytvoriť cieľový adresár (zadaná cesta obsahuje názov existujúceho súboru)!"),
              shown);
    EXPECT_EQ(0, setup.files[0].kind);
    EXPECT_EQ(1, setup.files[1].kind);
    EXPECT_EQ(nullptr, setup.progressDialog);
    EXPECT_FALSE(testsupport::FileExists(setup.publicationIni));
}

}  // namespace
