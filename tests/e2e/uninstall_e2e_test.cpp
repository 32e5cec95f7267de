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
        // The helper ends the removal: the executable's copy goes last.
        if (r && id == 304)
            r = robot::WaitUntil([&] { return !FileExists(Target() + "\\TALVIREX.EXE"); }, "the helper");
        return r;
    }

    std::string Copy() const { return Target() + "\\TALVIREX.EXE"; }
    std::string Title() const { return Utf8ToCp1250(kTitle); }
};

TEST_F(Uninstall, RemovalRestoresTheStateBeforeTheInstallation)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    std::string uninstaller = std::string(system) + "\\uninstaller.exe", data = Target() + "\\DATA.DAT";
    // again: installed minimal before, which the entry forgets, and DATA.DAT open at a first try of the removal.
    struct { bool minimal, group, desktop, throughList, userFiles, again; const char *size; } cases[] = {
        {false, true, true, true, false, false, "25"}, {true, true, true, false, true, false, "5"},
        {false, false, true, false, false, true, "25"}, {true, false, false, true, false, false, "5"}};
    WriteDefaultMedium();
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        std::string before = Snapshot();
        ASSERT_TRUE(!c.again || RunInstall(nullptr, true, c.group, c.desktop));
        ASSERT_TRUE(RunInstall(nullptr, c.minimal, c.group, c.desktop));
        EXPECT_EQ(Title(), EntryValue("DisplayName"));
        EXPECT_EQ("<none>", EntryValue("DisplayName", true)) << "the entry stands in the other registry view";
        EXPECT_EQ("\"" + Copy() + "\" -U", EntryValue("UninstallString"));
        EXPECT_EQ(Copy(), EntryValue("DisplayIcon")) << "the first entry's icon file is not copied";
        EXPECT_EQ(c.size, EntryValue("EstimatedSize"));
        if (c.again) {   // a file in use stops the removal, which keeps the entry for another try
            HANDLE held = CreateFileA(data.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
            ASSERT_TRUE(RunRemoval(Copy(), "-U", 305, data));
            CloseHandle(held);
            EXPECT_EQ(Title(), EntryValue("DisplayName"));
            EXPECT_TRUE(FileExists(Target() + "\\TALVIREX.INF"));
        }
        // The user's own files, and a desktop shortcut of the same name that points elsewhere.
        std::string foreign = Link(commonDesktop_, "Publikácia");
        ASSERT_TRUE(!c.userFiles || (testsupport::WriteFileBytes(Target() + "\\NOTES.TXT", "mine") &&
                                     testsupport::WriteFileBytes(GroupDir() + "\\Moje.lnk", "mine") &&
                                     CreateShortcut(foreign.c_str(), "C:\\Other\\PUBL.EXE", NULL, NULL, NULL, NULL)));
        ASSERT_TRUE(c.throughList ? RunRemoval(uninstaller, "--remove TALVIREX_TVXTEST.INI", 304, Title())
                                  : RunRemoval(Copy(), "-U", 304, Title()));
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

TEST_F(Uninstall, BadInputIsExplainedAndRemovesNothing)
{
    WriteDefaultMedium();
    std::string onMedium = *medium_ / "TALVIREX.EXE", description = Target() + "\\TALVIREX.INF";
    ASSERT_TRUE(RunRemoval(onMedium, "-U", 302, "", false)) << "no entry yet";
    ASSERT_TRUE(RunInstall(nullptr, false, true, true));
    std::string installed = Snapshot();
    // The copied description's new text ("-" deletes it); on the medium, the entry belongs elsewhere.
    struct { std::string exe, description; UINT id; } cases[] = {
        {onMedium, "", 303}, {Copy(), "[PUBLICATION]\r\nTITLE=x\r\n", 3}, {Copy(), "-", 302}};
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

TEST_F(Uninstall, FailedRegistrationOnlyWarns)
{
    WriteDefaultMedium();
    ASSERT_TRUE(testsupport::MakeDirectories(Copy()));   // a folder in the copy's place
    HWND page, finish;
    ASSERT_TRUE(Start() && WaitForPage(10000, &page) && Walk(&page, {10001, 10002, 10003, 10004}));
    ASSERT_TRUE(robot::PressButton(page, IDOK) && Answer(Text(300), IDOK) && WaitForPage(10021, &finish, page));
    EXPECT_EQ(Text(96, Title()), robot::ControlText(finish, 1001));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(FileExists(Target() + "\\PUBL.EXE"));
    EXPECT_EQ("<none>", EntryValue("DisplayName"));
}

}  // namespace
}  // namespace wizard
