// Whole installations through the wizard, checked on disk: the copied files,
// the publication's INI file and the shortcut files; a long copy of a file above 4 GiB; planted DLLs.
#include <functional>

#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::Contents;
using testsupport::FileExists;
using testsupport::ReadShortcut;

class Install : public WizardTest {
protected:
    // A medium with a sparse BIG.DAT of size bytes; false when the target's drive has no room for its copy.
    bool BigMedium(unsigned long long size)
    {
        ULARGE_INTEGER freeBytes = {};
        GetDiskFreeSpaceExA((programFiles_ + "\\").c_str(), &freeBytes, NULL, NULL);
        if (freeBytes.QuadPart < size + (1ull << 30))
            return false;
        WriteMedium({{"PUBL.EXE", "publication", "PUBL.EXE;1"}, {"BIG.DAT", "", "BIG.DAT;1"}});
        return testsupport::WriteSparseFile(*medium_ / "BIG.DAT", size);
    }
};

// Minimal runs are the removal's and the quiet run's tests.
TEST_F(Install, MaximalRunFromElsewhereCopiesEveryKindByVersionAndMakesShortcuts)
{
    // The installer (version 2.1) and the sample library (1.0) serve as versioned files.
    std::string newer = Contents(TEST_INSTALLER), older = Contents(TEST_BUILD_DIR "\\sample\\VZKLIB.DLL");
    char win[MAX_PATH];
    GetWindowsDirectoryA(win, sizeof win);
    std::string keep = SystemDir() + "\\TVXKEEP.DLL", replace = SystemDir() + "\\TVXNEW.DLL",
                plain = std::string(win) + "\\TVXWIN.DAT";
    ASSERT_TRUE(testsupport::WriteFileBytes(keep, newer));
    ASSERT_TRUE(testsupport::WriteFileBytes(replace, older));
    ASSERT_TRUE(testsupport::WriteFileBytes(plain, "old"));
    WriteDefaultMedium({{"TVXKEEP.DLL", older, "TVXKEEP.DLL;2"}, {"TVXNEW.DLL", newer, "TVXNEW.DLL;4"},
                        {"TVXWIN.DAT", "new", "TVXWIN.DAT;3"}});
    // Started off the medium with -S, into a group chosen from the list of existing ones.
    for (const char *group : {"Hry", "Nástroje", "Žurnály"})
        ASSERT_TRUE(testsupport::MakeDirectories(commonPrograms_ + "\\" + Utf8ToCp1250(group)));
    exe_ = *shell_ / "TALVIREX.EXE";
    args_ = "-S\"" + medium_->path() + "\" -L" + *shell_ / "wizard.log";
    groupChoice_ = Utf8ToCp1250("Nástroje");
    ASSERT_TRUE(CopyFileA(Installer().c_str(), exe_.c_str(), FALSE));
    HWND finish;
    ASSERT_TRUE(RunInstall(&finish, false, true, true));
    EXPECT_EQ(Text(96, Utf8ToCp1250(kTitle)), robot::ControlText(finish, 1001));
    ASSERT_TRUE(Close(finish));

    EXPECT_EQ(std::string(3000, 'x'), Contents(Target() + "\\PUBL.EXE"));
    EXPECT_EQ(std::string(20000, 'd'), Contents(Target() + "\\DATA.DAT"));
    EXPECT_FALSE(FileExists(Target() + "\\PUBL.ICO")) << "an icon file is copied only when listed";
    EXPECT_TRUE(Contents(keep) == newer) << "a newer installed library stays";
    EXPECT_TRUE(Contents(replace) == newer) << "an older installed library is replaced";
    EXPECT_EQ("new", Contents(plain)) << "a file without a version is replaced";
    for (const std::string &f : {keep, replace, plain})
        DeleteFileA(f.c_str());
    EXPECT_EQ("1|" + Target() + "\\", Ini(IniPath(), "INSTALL", "WIN32") + "|" + Ini(IniPath(), "SETING", "PATH"));
    std::string publication = Target() + "\\PUBL.EXE|" + Target() + "\\PUBL.ICO|" + Target(),
                group = commonPrograms_ + "\\" + groupChoice_;
    EXPECT_EQ(publication, ReadShortcut(Link(group, "Publikácia")));
    EXPECT_EQ(publication, ReadShortcut(Link(commonDesktop_, "Publikácia")));
    EXPECT_EQ(Target() + "\\CITAJ.TXT||" + Target(), ReadShortcut(Link(group, "Čítaj ma")))
        << "a '*' entry has no icon of its own";
    EXPECT_FALSE(testsupport::DirectoryExists(GroupDir()));
    // -L without -Q: the quiet run's lines.
    std::string copied;
    for (const char *name : {"PUBL.EXE", "DATA.DAT", "CITAJ.TXT", "TVXKEEP.DLL", "TVXNEW.DLL", "TVXWIN.DAT"})
        copied += LogLine(34, name);
    EXPECT_EQ(LogLine(48) + copied + LogLine(51) + LogLine(49) + LogLine(50) + LogLine(0), Unstamped(Contents(*shell_ / "wizard.log")));
}

// A failing run shows its message (RunInstall checks that); nothing after the failure is done:
// the later copies, the INI record, the group, the desktop icon.
TEST_F(Install, AFailureStopsTheRunWhereItHappens)
{
    const struct { UINT message; std::function<bool()> arrange; std::string state; } cases[] = {
        {9, [&] { return testsupport::MakeDirectories(Target() + "\\THREE.TXT"); }, "12<missing>|<none>||"},
        {54, [&] { iniName_ = "Q:\\TVXNONE\\TVXTEST.INI"; return true; }, "124|<none>||"},
        {17, [&] { return testsupport::WriteFileBytes(GroupDir(), "a file in the group's place"); }, "124|1||"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        iniName_ = "TVXTEST.INI";
        ASSERT_TRUE(c.arrange());
        WriteMedium({{"ONE.TXT", "1", "ONE.TXT;1;*;Jedna"}, {"TWO.TXT", "2", "TWO.TXT;1"},
                     {"THREE.TXT", "3", "THREE.TXT;1"}, {"FOUR.TXT", "4", "FOUR.TXT;1"}});
        ASSERT_TRUE(RunInstall(nullptr, false, true, true, c.message));
        std::string copied;
        for (const char *name : {"ONE.TXT", "TWO.TXT", "FOUR.TXT"})
            copied += Contents(Target() + "\\" + name);
        EXPECT_EQ(c.state, copied + "|" + Ini(IniPath(), "INSTALL", "WIN32") + "|" +
                               (testsupport::DirectoryExists(GroupDir()) ? "group" : "") + "|" +
                               (FileExists(Link(commonDesktop_, "Jedna")) ? "desktop" : ""));
        for (const std::string &made : {Target(), GroupDir(), IniPath()})
            testsupport::RemoveTree(made);
    }
}

// A window of the installer's class, hidden too (the quiet run's marker).
HWND InstallerWindow(DWORD pid)
{
    for (HWND w = NULL; (w = FindWindowExA(NULL, w, "TALVIREX", NULL)) != NULL;) {
        DWORD owner = 0;
        if (GetWindowThreadProcessId(w, &owner) && owner == pid)
            return w;
    }
    return NULL;
}

// The error mode of a running process, asked of it through a thread of its own (kernel32 lies
// at the same address in every 64-bit process).
DWORD ErrorModeOf(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    auto ask = (LPTHREAD_START_ROUTINE)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetErrorMode");
    HANDLE thread = CreateRemoteThread(process, NULL, 0, ask, NULL, 0, NULL);
    DWORD mode = 0xDEAD;
    WaitForSingleObject(thread, 5000);
    GetExitCodeThread(thread, &mode);
    CloseHandle(thread);
    CloseHandle(process);
    return mode;
}

// During a copy of a file above 4 GiB (minutes from a DVD) the progress page, and a quiet run's hidden
// window, answer within a second; keys, a close or a quit posted meanwhile end nothing. No system box may
// wait for a disc. The file is copied whole (that it counts whole is the description test's).
TEST_F(Install, LongCopyKeepsAnsweringAndCannotBeEnded)
{
    const unsigned long long size = (4ull << 30) + 10;
    if (!BigMedium(size))
        GTEST_SKIP() << "no room for a copy of " << size << " bytes";
    for (bool quiet : {false, true}) {
        SCOPED_TRACE(quiet ? "-Q" : "the wizard");
        testsupport::RemoveTree(Target());
        HWND page = NULL;
        Result run = Start(quiet ? "-Q -N -K" : "");
        if (run && !quiet) run = WaitForPage(10000, &page);
        if (run && !quiet) run = Walk(&page, {10001, 10002, 10003, 10004});
        if (run && !quiet) run = robot::PressButton(page, IDOK);
        if (run) run = robot::WaitUntil([&] { return (page = InstallerWindow(installer_.Id())) && (quiet || PageOf(page) == 10020); }, "the copy");
        ASSERT_TRUE(run);
        if (!Installer32()) {
            EXPECT_EQ((DWORD)(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX), ErrorModeOf(installer_.Id()));
        }
        int answered = 0, unanswered = 0, hidden = 0;
        for (DWORD_PTR result; IsWindow(page) && PageOf(page) != 10021; Sleep(250)) {
            bool answer = SendMessageTimeoutA(page, WM_NULL, 0, 0, SMTO_BLOCK, 1000, &result);
            (answer ? answered : unanswered) += IsWindow(page);
            // A close sent, as a task list does, leaves the page in view while it copies.
            if (!quiet && SendMessageTimeoutA(page, WM_CLOSE, 0, 0, SMTO_BLOCK, 1000, &result))
                hidden += IsWindow(page) && PageOf(page) == 10020 && !IsWindowVisible(page);
            for (UINT message : {WM_KEYDOWN, WM_CLOSE, WM_QUIT})
                PostMessageA(page, message, VK_ESCAPE, 0);
        }
        EXPECT_EQ(0, unanswered + hidden) << answered << " answered, " << hidden << " hidden";
        EXPECT_LE(2, answered) << "the copy ended before it could be asked";
        HWND finish;
        DWORD code = 0;
        ASSERT_TRUE(quiet ? !!installer_.WaitForExit(&code) : WaitForPage(10021, &finish) && Close(finish));
        EXPECT_EQ(0u, code);
        WIN32_FILE_ATTRIBUTE_DATA copy = {};
        EXPECT_TRUE(GetFileAttributesExA((Target() + "\\BIG.DAT").c_str(), GetFileExInfoStandard, &copy));
        EXPECT_EQ(size, (unsigned long long)copy.nFileSizeHigh << 32 | copy.nFileSizeLow);
    }
}

// DLLs of system names planted beside the installer and in its current directory
// stay unloaded through a maximal installation and the Browse dialog. Wine prefers
// them for TALVIREX.EXE (native, builtin), searching those folders as Windows does.
// Not version.dll beside the installer: Wine's own user32 imports it (Windows' does not).
const char kMarkerDll[] = TEST_BUILD_DIR "\\fixtures\\planted\\marker.dll";

// Windows 7 has SetDefaultDllDirectories (Wine's does); on Vista the installer
// does not call it and loads the late DLLs from the system directory first.
TEST_F(Install, NoPlantedDllIsLoadedWhereTheSearchCanBeLimitedNorWhereTheyAreLoadedFirst)
{
    testsupport::ScratchDir currentDir("planted_current");
    // The marker DLL leaves <its path>.loaded when loaded, here by the test itself.
    std::string probe = currentDir / "probe.dll";
    ASSERT_TRUE(CopyFileA(kMarkerDll, probe.c_str(), FALSE));
    FreeLibrary(LoadLibraryA(probe.c_str()));
    ASSERT_TRUE(DeleteFileA((probe + ".loaded").c_str()));
    const std::string planted[] = {*medium_ / "uxtheme.dll", currentDir / "uxtheme.dll", currentDir / "version.dll"};
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
        Result run = installer_.Start(*medium_ / "TALVIREX.EXE", "", currentDir.path());
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
        std::string loaded;
        for (const std::string &path : planted)
            loaded += testsupport::FileExists(path + ".loaded") ? path + " " : "";
        EXPECT_EQ("", loaded);
        ASSERT_TRUE(run);
        EXPECT_TRUE(testsupport::FileExists(Target() + "\\DATA.DAT")) << "not a maximal installation";
    }
}

}  // namespace
}  // namespace wizard
