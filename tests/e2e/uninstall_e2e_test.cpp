// The entry in the list of installed programs and the removal with -U, checked
// against the disk, INI file, shortcut folders and registry before installing.
#include "shell/shortcuts.h"
#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::FileExists;

class Uninstall : public WizardTest {
protected:
    // A value of the entry in the view the installer writes, or in the other view; "<none>" when it is not there.
    static std::string EntryValue(const char *name, bool otherView = false)
    {
        char data[1024] = "<none>";
        DWORD size = sizeof data, type = 0;
        HKEY key;
        REGSAM view = Installer32() != otherView ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntryKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
            return data;
        LONG r = RegQueryValueExA(key, name, NULL, &type, (BYTE *)data, &size);
        RegCloseKey(key);
        if (r != ERROR_SUCCESS)
            return "<none>";
        return type == REG_DWORD ? std::to_string(*(DWORD *)data) : std::string(data);
    }

    // Every file and folder under the shell folders, the INI file and the entry.
    std::string Snapshot()
    {
        std::string state = "INI:" + testsupport::Contents(IniPath()) + "\nKEY:" +
                            EntryValue("DisplayName") + EntryValue("DisplayName", true) + "\n";
        std::vector<std::string> dirs = {shell_->path()};
        while (!dirs.empty()) {
            std::string dir = dirs.back();
            dirs.pop_back();
            for (const std::string &name : testsupport::Listing(dir)) {
                state += dir + "\\" + name + "\n";
                if (testsupport::DirectoryExists(dir + "\\" + name)) dirs.push_back(dir + "\\" + name);
            }
        }
        return state;
    }

    // Starts a program, answers the removal's question with Yes when a
    // question is expected, and expects message id with argument.
    Result RunRemoval(const std::string &exe, const std::string &args, UINT id, const std::string &argument,
                      bool asks = true)
    {
        robot::Process program;
        Result r = program.Start(exe, args, medium_->path());
        if (r && asks) r = Answer(Text(301, Title()), IDYES);
        if (r) r = Answer(Text(id, argument), IDOK);
        if (r) r = program.WaitForExit(nullptr);
        // The helper ends the removal: the program's copy and its folders go last.
        if (r && id == 304)
            r = robot::WaitUntil([&] { return !testsupport::DirectoryExists(programFiles_ + "\\TALVIREX"); }, "the helper");
        return r;
    }

    std::string Title() const { return Utf8ToCp1250(kTitle); }
    // The list of programs, which starts an entry's UninstallString with --remove.
    static std::string Uninstaller() { char d[MAX_PATH]; return std::string(d, GetSystemDirectoryA(d, sizeof d)) + "\\uninstaller.exe"; }
};

TEST_F(Uninstall, RemovalRestoresTheStateBeforeTheInstallation)
{
    std::string description = ProgramFolder() + "\\TALVIREX.INF";
    // again: installed minimal before, which the entry forgets, and the description beside the program, the
    // last file to go, held open at a first try of the removal.
    struct { bool minimal, group, desktop, throughList, userFiles, again; const char *size; } cases[] = {
        {false, true, true, true, false, false, "25"}, {true, true, true, false, true, false, "5"},
        {false, false, true, false, false, true, "25"}, {true, false, false, true, false, false, "5"}};
    WriteDefaultMedium();
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        std::string before = Snapshot();
        ASSERT_TRUE(!c.again || RunInstall(nullptr, true, c.group, c.desktop));
        ASSERT_TRUE(RunInstall(nullptr, c.minimal, c.group, c.desktop));
        // Not in the other registry view; the icon is the program's (the first entry's icon file is not copied).
        EXPECT_EQ(Title() + "|<none>|\"" + Program() + "\" -U|" + Program() + "|" + c.size,
                  EntryValue("DisplayName") + "|" + EntryValue("DisplayName", true) + "|" + EntryValue("UninstallString") +
                      "|" + EntryValue("DisplayIcon") + "|" + EntryValue("EstimatedSize"));
        if (c.again) {   // a file in use stops the removal, which keeps the entry for another try
            HANDLE held = CreateFileA(description.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
            ASSERT_TRUE(RunRemoval(Program(), "-U", 305, description));
            CloseHandle(held);
            EXPECT_EQ(Title(), EntryValue("DisplayName"));
            EXPECT_FALSE(FileExists(Target() + "\\PUBL.EXE"));
        }
        // The user's own files, and a desktop shortcut of the same name that points elsewhere.
        std::string foreign = Link(commonDesktop_, "Publikácia");
        ASSERT_TRUE(!c.userFiles || (testsupport::WriteFileBytes(Target() + "\\NOTES.TXT", "mine") &&
                                     testsupport::WriteFileBytes(GroupDir() + "\\Moje.lnk", "mine") &&
                                     CreateShortcut(foreign.c_str(), "C:\\Other\\PUBL.EXE", NULL, NULL, NULL, NULL)));
        ASSERT_TRUE(c.throughList ? RunRemoval(Uninstaller(), "--remove TALVIREX_TVXTEST.INI", 304, Title())
                                  : RunRemoval(Program(), "-U", 304, Title()));
        if (c.userFiles) {
            EXPECT_EQ(std::vector<std::string>{"NOTES.TXT"}, testsupport::Listing(Target()));
            EXPECT_EQ(std::vector<std::string>{"Moje.lnk"}, testsupport::Listing(GroupDir()));
            EXPECT_TRUE(DeleteFileA(foreign.c_str())) << "a shortcut into another folder stays";
            testsupport::RemoveTree(Target());
            testsupport::RemoveTree(GroupDir());
        }
        EXPECT_EQ(before, Snapshot());
    }
}

// The publication's INI file named with a folder: the run, -C and the removal use one file, below C:\ (the
// folder the installer starts in), wherever they are started from; the same name below the Windows directory
// is another program's. While the file cannot be written (held open here: under Wine as root a read-only
// file can be written), the removal fails, names it and keeps the entry.
TEST_F(Uninstall, OneIniFileForTheRunTheCheckAndTheRemoval)
{
    iniName_ = "TVXPUB\\TVXTEST.INI";
    std::string ini = "C:\\" + iniName_, other = IniPath(), log = *shell_ / "removal.log", boxes;
    testsupport::RemoveTree("C:\\TVXPUB");
    ASSERT_TRUE(testsupport::MakeDirectories("C:\\TVXPUB") && testsupport::MakeDirectories(other.substr(0, other.rfind('\\'))));
    ASSERT_TRUE(testsupport::WriteFileBytes(ini, "[KEEP]\r\nA=1\r\n"));
    ASSERT_TRUE(testsupport::WriteFileBytes(other, "[INSTALL]\r\nWIN32=1\r\n"));
    WriteDefaultMedium();
    ASSERT_EQ(0u, RunToPageOrEnd("-Q -M", &boxes));
    EXPECT_EQ(ini, EntryValue("TalvirexIniFile"));
    EXPECT_EQ("1", Ini(ini, "INSTALL", "WIN32"));
    DeleteFileA((Target() + "\\PUBL.EXE").c_str());
    EXPECT_EQ(0u, RunToPageOrEnd("-Q -C", &boxes));
    EXPECT_FALSE(FileExists(Target() + "\\PUBL.EXE")) << "-C finds it installed";

    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_EQ(307u, RunToPageOrEnd("-U -Q -L" + log, &boxes, Program()));
    CloseHandle(held);
    EXPECT_NE(std::string::npos, testsupport::Contents(log).find(Text(307, ini).substr(0, 60)));
    EXPECT_EQ(Title(), EntryValue("DisplayName"));
    EXPECT_EQ(0u, RunToPageOrEnd("-U -Q", &boxes, Program()));
    EXPECT_EQ("<none>|<none>|1", Ini(ini, "INSTALL", "WIN32") + "|" + Ini(ini, "SETING", "PATH") + "|" + Ini(ini, "KEEP", "A"));
    EXPECT_EQ("[INSTALL]\r\nWIN32=1\r\n", testsupport::Contents(other));
    EXPECT_EQ("<none>", EntryValue("DisplayName"));
    testsupport::RemoveTree("C:\\TVXPUB");
    testsupport::RemoveTree(other.substr(0, other.rfind('\\')));
}

// A target outside Program Files, where a user may replace the program and rewrite the description: the
// entry starts the copy below Program Files, which obeys neither. Then the installation directory and the
// group, replaced by links: the removal deletes nothing in what they lead to, and says so.
TEST_F(Uninstall, NothingThatAUserCanChangeIsRunOrObeyed)
{
    std::string outside = *shell_ / "Pub", boxes;
    WriteDefaultMedium();
    std::string before = Snapshot();
    ASSERT_EQ(0u, RunToPageOrEnd("-Q -T" + outside, &boxes));
    EXPECT_EQ("\"" + Program() + "\" -U", EntryValue("UninstallString"));
    ASSERT_TRUE(CopyFileA(Installer().c_str(), (outside + "\\TALVIREX.EXE").c_str(), FALSE));
    ASSERT_TRUE(testsupport::WriteFileBytes(outside + "\\TALVIREX.INF", Utf8ToCp1250(
        "[PUBLICATION]\r\nTITLE=" + std::string(kTitle) + "\r\nINIFILE=TVXTEST.INI\r\nPATH=P\r\nGROUP=G\r\n[FILES32]\r\nFILE1=NOTES.TXT;1\r\n")));
    ASSERT_TRUE(testsupport::WriteFileBytes(outside + "\\NOTES.TXT", "mine"));
    ASSERT_TRUE(RunRemoval(Uninstaller(), "--remove TALVIREX_TVXTEST.INI", 304, Title()));
    EXPECT_EQ((std::vector<std::string>{"NOTES.TXT", "TALVIREX.EXE", "TALVIREX.INF"}), testsupport::Listing(outside));
    testsupport::RemoveTree(outside);
    EXPECT_EQ(before, Snapshot());

    std::string files = *shell_ / "Files", links = *shell_ / "Links";
    ASSERT_TRUE(RunInstall(nullptr, false, true, true));
    ASSERT_TRUE(MoveFileA(Target().c_str(), files.c_str()) && MoveFileA(GroupDir().c_str(), links.c_str()));
    // Gone before the scratch folders, whatever fails: Wine hides a link whose folder is gone.
    struct Unlink { std::vector<std::string> links; ~Unlink() { for (auto &l : links) testsupport::RemoveFolderLink(l); } };
    Unlink unlink{{Target(), GroupDir()}};
    ASSERT_TRUE(testsupport::MakeFolderLink(Target(), files) && testsupport::MakeFolderLink(GroupDir(), links));
    robot::Process program;
    ASSERT_TRUE(program.Start(Program(), "-U", medium_->path()));
    for (auto box : {Text(301, Title()), Text(308, Target()), Text(308, GroupDir()), Text(304, Title())})
        ASSERT_TRUE(Answer(box, box == Text(301, Title()) ? IDYES : IDOK));
    ASSERT_TRUE(program.WaitForExit(nullptr));
    EXPECT_EQ((std::vector<std::string>{"CITAJ.TXT", "DATA.DAT", "PUBL.EXE"}), testsupport::Listing(files));
    EXPECT_EQ(2u, testsupport::Listing(links).size());
    EXPECT_EQ("<none>", EntryValue("DisplayName"));
}

// A failed registration only warns: the installation stands, without an entry, which the removal then misses.
TEST_F(Uninstall, FailedRegistrationOnlyWarnsAndBadInputIsExplainedAndRemovesNothing)
{
    WriteDefaultMedium();
    std::string onMedium = *medium_ / "TALVIREX.EXE", description = ProgramFolder() + "\\TALVIREX.INF";
    ASSERT_TRUE(testsupport::MakeDirectories(Program()));   // a folder in the copy's place
    HWND page, finish;
    ASSERT_TRUE(Start() && WaitForPage(10000, &page) && Walk(&page, {10001, 10002, 10003, 10004}) &&
                robot::PressButton(page, IDOK) && Answer(Text(300), IDOK) && WaitForPage(10021, &finish, page));
    EXPECT_EQ(Text(96, Title()), robot::ControlText(finish, 1001));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(FileExists(Target() + "\\PUBL.EXE"));
    ASSERT_TRUE(RunRemoval(onMedium, "-U", 302, "", false)) << "no entry";
    ASSERT_TRUE(RemoveDirectoryA(Program().c_str()));
    ASSERT_TRUE(RunInstall(nullptr, false, true, true));
    std::string installed = Snapshot();
    // The copied description's new text ("-" deletes it); on the medium, the entry belongs elsewhere.
    struct { std::string exe, description; UINT id; } cases[] = {
        {onMedium, "", 303}, {Program(), "[PUBLICATION]\r\nTITLE=x\r\n", 3}, {Program(), "-", 302}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        if (c.description == "-")
            DeleteFileA(description.c_str());
        else
            ASSERT_TRUE(c.description.empty() || testsupport::WriteFileBytes(description, c.description));
        ASSERT_TRUE(RunRemoval(c.exe, "-U", c.id, "", false));
        EXPECT_EQ(Title(), EntryValue("DisplayName"));
        EXPECT_TRUE(FileExists(Target() + "\\PUBL.EXE") && FileExists(Link(GroupDir(), "Publikácia")));
    }
    installed.erase(installed.find(description + "\n"), description.size() + 1);
    EXPECT_EQ(installed, Snapshot()) << "only the description is gone";
}

}  // namespace
}  // namespace wizard
