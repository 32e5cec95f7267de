// DLLs of system names planted beside the installer and in its current directory
// stay unloaded through a maximal installation and the Browse dialog. Wine prefers
// them for TALVIREX.EXE (native, builtin), searching those folders as Windows does.
// Not version.dll beside the installer: Wine's own user32 imports it (Windows' does not).
#include "wizard_fixture.h"

namespace wizard {
namespace {

const char kMarkerDll[] = TEST_BUILD_DIR "\\fixtures\\planted\\marker.dll";

class PlantedDll : public WizardTest {
protected:
    testsupport::ScratchDir currentDir_{"planted_current"};
};

// Windows 7 has SetDefaultDllDirectories (Wine's does); on Vista the installer
// does not call it and loads the late DLLs from the system directory first.
TEST_F(PlantedDll, NoneIsLoadedWhereTheSearchCanBeLimitedNorWhereTheyAreLoadedFirst)
{
    // The marker DLL leaves <its path>.loaded when loaded, here by the test itself.
    std::string probe = currentDir_ / "probe.dll";
    ASSERT_TRUE(CopyFileA(kMarkerDll, probe.c_str(), FALSE));
    FreeLibrary(LoadLibraryA(probe.c_str()));
    ASSERT_TRUE(DeleteFileA((probe + ".loaded").c_str()));
    const std::string planted[] = {*medium_ / "uxtheme.dll", currentDir_ / "uxtheme.dll", currentDir_ / "version.dll"};
    for (const std::string &path : planted)
        ASSERT_TRUE(CopyFileA(kMarkerDll, path.c_str(), FALSE)) << path;
    WriteDefaultMedium();
    const std::string app = "Software\\Wine\\AppDefaults\\TALVIREX.EXE", dlls = app + "\\DllOverrides";
    testsupport::RegistryValue version(HKEY_CURRENT_USER, app, "Version"), theme(HKEY_CURRENT_USER, dlls, "uxtheme"),
        versionDll(HKEY_CURRENT_USER, dlls, "version");
    for (const char *windowsVersion : {"win7", "vista"}) {
        SCOPED_TRACE(windowsVersion);
        testsupport::RemoveTree(Target());
        ASSERT_TRUE(version.Set(windowsVersion) && theme.Set("native,builtin") && versionDll.Set("native,builtin"));
        HWND page, chooser;
        Result run = installer_.Start(*medium_ / "TALVIREX.EXE", "", currentDir_.path());
        if (run) run = WaitForPage(10000, &page);
        if (run) run = Walk(&page, {10001, 10002});
        if (run) run = robot::PressButton(page, 1201);
        if (run) run = robot::WaitForWindow(installer_.Id(), "#32770", &chooser);
        if (run) Sleep(200);   // the dialog fills in
        if (run) run = robot::PressButton(chooser, IDCANCEL);
        if (run) run = WaitForPage(10002, &page);
        if (run) run = Walk(&page, {10003, 10004, 10021});
        if (run) run = Close(page);

        // The markers first: a planted DLL that was loaded may also have broken the run.
        std::vector<std::string> loaded;
        for (const std::string &path : planted)
            if (testsupport::FileExists(path + ".loaded"))
                loaded.push_back(path);
        EXPECT_EQ(std::vector<std::string>(), loaded);
        ASSERT_TRUE(run);
        EXPECT_TRUE(testsupport::FileExists(Target() + "\\DATA.DAT")) << "not a maximal installation";
    }
}

}  // namespace
}  // namespace wizard
