// The installation run in-process: what the progress page shows, in order,
// recorded by a message hook that only watches.
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
        if (!GetClassInfoA(setup.hInstance, "TALVIREX", &existing)) {
            ASSERT_EQ(1, RegisterWindowClasses());
        }
        FormatText(setup.sourceDir, sizeof setup.sourceDir, "%s\\", medium_.path().c_str());
        setup.sourceDirLen = (DWORD)strlen(setup.sourceDir);
        FormatText(setup.targetDir, sizeof setup.targetDir, "%s\\Pub", target_.path().c_str());
        CopyText(setup.publicationIni, sizeof setup.publicationIni, (target_ / "pub.ini").c_str());
        setup.createGroup = setup.createDesktopIcon = 0;
        events.clear();
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Recorder, NULL, GetCurrentThreadId());
    }
    void TearDown() override { UnhookWindowsHookEx(hook_); }

    void AddFile(const std::string &name, size_t size, FileKind kind, char *icon = nullptr, char *shortcut = nullptr)
    {
        ASSERT_TRUE(testsupport::WriteFileBytes(medium_ / name, std::string(size, 'z')));
        char *text = setup.stringPool + setup.poolUsed;
        CopyText(text, sizeof setup.stringPool - setup.poolUsed, name.c_str());
        setup.poolUsed = (WORD)(setup.poolUsed + name.size() + 1);
        setup.files[setup.fileCount++] = {text, kind, icon, shortcut};
    }

    std::string Bars() const
    {
        std::string bars;
        for (const std::string &e : events)
            bars += e.compare(0, 4, "bar ") == 0 ? e.substr(4) + " " : "";
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

TEST_F(RunProgress, StepsFollowWhatThereIsToDo)
{
    testsupport::ScratchDir desktop("run_desktop");
    testsupport::RegistryValue common(HKEY_LOCAL_MACHINE, testsupport::kShellFoldersPath, "Common Desktop");
    ASSERT_TRUE(common.Set(desktop.path()));
    static char icon[] = "VIEW.ICO", shortcut[] = "View";
    const struct { BYTE type, desktop; const char *bars, *iniPath; } cases[] = {
        {0, 0, "0 95 100 ", "medium"},                 // nothing to copy goes on at 95 and records the medium
        {1, 0, "0 10 11 50 51 95 100 ", "target"},     // a maximal run copies kind 0 too
        {0, 1, "0 10 11 95 99 100 ", "medium"}};       // the desktop shortcut alone comes at 99
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bars);
        TearDown();   // each case starts afresh
        SetUp();
        if (c.desktop)   // the first line's shortcut goes on the desktop
            AddFile("VIEW.EXE", 10, 1, icon, shortcut);
        AddFile("DATA.DAT", 10, 0);
        if (c.type)
            AddFile("VIEW.EXE", 10, 1);
        setup.installType = c.type;
        setup.createDesktopIcon = c.desktop;
        ASSERT_EQ(0, RunInstallation());
        EXPECT_EQ(c.bars, Bars());
        EXPECT_EQ(0, setup.files[c.desktop].kind) << "the kind a maximal run changes is put back";
        char path[MAX_PATH];
        GetPrivateProfileStringA("SETING", "PATH", "", path, sizeof path, setup.publicationIni);
        EXPECT_EQ(std::string(c.iniPath) == "medium" ? medium_.path() + "\\" : target_ / "Pub\\", path);
        EXPECT_EQ(c.desktop != 0, testsupport::FileExists(desktop / "View.lnk"));
        testsupport::RemoveTree(target_ / "Pub");
    }
}

}  // namespace
