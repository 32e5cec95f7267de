// DLLs of system names planted beside the installer and in its current
// directory, as in a download folder: none of them may be loaded, through a
// whole maximal installation with a visit to the Browse dialog. Wine is asked
// to prefer such DLLs for TALVIREX.EXE (native, builtin), which makes it search
// the executable's folder and the current directory as Windows does.
#include "wizard_fixture.h"

namespace wizard {
namespace {

const char *const kPlanted[] = {"version.dll", "uxtheme.dll"};

std::string Planted(const char *name)
{
    return std::string(TEST_BUILD_DIR "\\fixtures\\planted\\") + name;
}

// Sets an environment variable for the processes the test starts; puts the old value back.
class Environment {
public:
    Environment(const char *name, const std::string &value) : name_(name)
    {
        char old[1024] = "";
        DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
        old_ = n < sizeof old ? old : "";
        SetEnvironmentVariableA(name, value.c_str());
    }
    ~Environment() { SetEnvironmentVariableA(name_, old_.empty() ? NULL : old_.c_str()); }

private:
    const char *name_;
    std::string old_;
};

class PlantedDll : public WizardTest {
protected:
    // "name: path it was loaded from" for every marker the planted DLLs left.
    std::vector<std::string> Markers() const
    {
        std::vector<std::string> found;
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((markers_ / "*.loaded").c_str(), &entry);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &entry))
            found.push_back(std::string(entry.cFileName) + ": " + testsupport::Contents(markers_ / entry.cFileName));
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        return found;
    }

    // A whole maximal installation with a visit to the Browse dialog, the
    // installer seeing the given Windows version.
    void InstallBesidePlantedDlls(const char *windowsVersion)
    {
        Environment markers("PLANTED_DLL_MARKERS", markers_.path());
        std::vector<std::unique_ptr<testsupport::RegistryValue>> preferNative;
        for (const char *name : kPlanted) {
            preferNative.emplace_back(new testsupport::RegistryValue(
                HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\TALVIREX.EXE\\DllOverrides", std::string(name, strlen(name) - 4)));
            ASSERT_TRUE(preferNative.back()->Set("native,builtin"));
        }
        testsupport::RegistryValue version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\TALVIREX.EXE", "Version");
        ASSERT_TRUE(version.Set(windowsVersion));

        // The marker DLL does leave its mark when a process loads it.
        ASSERT_TRUE(CopyFileA(Planted("version.dll").c_str(), (currentDir_ / "probe.dll").c_str(), FALSE));
        HMODULE probe = LoadLibraryA((currentDir_ / "probe.dll").c_str());
        ASSERT_NE(nullptr, probe);
        FreeLibrary(probe);
        ASSERT_EQ(1u, Markers().size());
        DeleteFileA((markers_ / "probe.dll.loaded").c_str());

        // Not version.dll beside the installer: Wine's own user32 imports it (Windows'
        // does not), so Wine would take it from there before the installer runs.
        for (const char *name : kPlanted)
            ASSERT_TRUE(CopyFileA(Planted(name).c_str(), (currentDir_ / name).c_str(), FALSE)) << name;
        ASSERT_TRUE(CopyFileA(Planted("uxtheme.dll").c_str(), (*medium_ / "uxtheme.dll").c_str(), FALSE));
        WriteDefaultMedium();
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
        EXPECT_EQ(std::vector<std::string>(), Markers());
        ASSERT_TRUE(run);
        EXPECT_TRUE(testsupport::FileExists(programFiles_ + "\\Testovacia\\DATA.DAT")) << "not a maximal installation";
    }

    testsupport::ScratchDir markers_{"planted_markers"}, currentDir_{"planted_current"};
};

// Windows 7 has SetDefaultDllDirectories (Wine's does); on Vista the installer
// does not call it and loads the late DLLs from the system directory first.
TEST_F(PlantedDll, NoneIsLoadedWhereTheSearchCanBeLimited)
{
    InstallBesidePlantedDlls("win7");
}

TEST_F(PlantedDll, NoneIsLoadedWhereTheyAreLoadedFirst)
{
    InstallBesidePlantedDlls("vista");
}

}  // namespace
}  // namespace wizard
