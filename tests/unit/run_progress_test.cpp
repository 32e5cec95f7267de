// The installation run in-process: what the progress page shows, in order,
// recorded by a message hook that only watches.
#include "base/setup_state.h"
#include "base/text.h"
#include "install/run.h"
#include "test_support.h"
#include "ui/controls.h"

namespace {

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

TEST(RunProgress, OneFileReportsItsSubStepsBetweenTheLines)
{
    testsupport::ScratchDir medium("run_medium"), target("run_target");
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    WNDCLASSA existing;
    if (!GetClassInfoA(setup.hInstance, "TALVIREX", &existing)) {
        ASSERT_EQ(1, RegisterWindowClasses());
    }
    FormatText(setup.sourceDir, sizeof setup.sourceDir, "%s\\", medium.path().c_str());
    setup.sourceDirLen = (DWORD)strlen(setup.sourceDir);
    FormatText(setup.targetDir, sizeof setup.targetDir, "%s\\Pub", target.path().c_str());
    CopyText(setup.publicationIni, sizeof setup.publicationIni, (target / "pub.ini").c_str());
    setup.createGroup = setup.createDesktopIcon = 0;
    ASSERT_TRUE(testsupport::WriteFileBytes(medium / "ONE.DAT", std::string(20000, 'z')));
    static char name[] = "ONE.DAT";
    setup.files[setup.fileCount++] = {name, 1, nullptr, nullptr};
    events.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, Recorder, NULL, GetCurrentThreadId());
    EXPECT_EQ(0, RunInstallation());
    UnhookWindowsHookEx(hook);
    using testsupport::Utf8ToCp1250;
    std::vector<std::string> expected = {
        "bar 0", "line " + Utf8ToCp1250("Vytvorenie neexistujúcich adresárov"),
        "bar 10", "line " + Utf8ToCp1250("Kopírovanie súboru ONE.DAT"), "bar 11", "bar 12", "bar 13",
        "bar 95", "line " + Utf8ToCp1250("Zápis nastavení do konfiguračného súboru"), "bar 100", "line "};
    EXPECT_EQ(expected, events);
    EXPECT_EQ(nullptr, setup.progressDialog);
    EXPECT_EQ(setup.sourceDirLen, strlen(setup.sourceDir)) << "sourceDir is cut back to the medium";
}

}  // namespace
