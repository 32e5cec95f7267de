// The decisions of the list entry and the removal: the key's name, how far up
// empty folders go, and the helper's command line; where the INI file lies;
// the helpers' leftovers.
#include "install/self_removal.h"
#include "install/registration.h"
#include "install/removal.h"
#include "shell/profile_path.h"
#include "install/run.h"
#include "test_support.h"

TEST(Removal, KeyNameFolderWalkAndHelperCommand)
{
    const std::string prefix = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TALVIREX_";
    struct { const char *ini, *key; } keys[] = {   // key "" : no key at all
        {"VZORKA.INI", "VZORKA.INI"}, {"Q:\\DIR\\X.INI", "X.INI"}, {"DIR\\", ""}};
    for (const auto &k : keys) {
        char buffer[300] = "";
        bool formed = FormRegistrationKey(buffer, sizeof buffer, k.ini);
        EXPECT_EQ(*k.key ? prefix + k.key : "", formed ? buffer : "") << k.ini;
    }
    struct { const char *dir, *stop, *next; } walks[] = {   // next "" : the walk ends there
        {"C:\\Prog\\A\\B", "C:\\Prog", "C:\\Prog\\A"}, {"c:\\prog\\A", "C:\\Prog", ""}, {"C:\\Prog", "C:\\Prog", ""},
        {"C:\\Program\\A", "C:\\Prog", ""}, {"D:\\A\\B", "C:\\Prog", ""}, {"C:\\Prog\\A\\B", "", ""}};
    for (const auto &w : walks) {
        char dir[64];
        strcpy(dir, w.dir);
        EXPECT_EQ(w.next[0] != 0, NextDirectoryUp(dir, w.stop)) << w.dir;
        EXPECT_STREQ(w.next[0] != 0 ? w.next : w.dir, dir);
    }
    struct { const char *line, *dir; } helpers[] = {   // dir "" : not a helper's command line
        {"-W1A4 \"C:\\P\\A\"", "C:\\P\\A"}, {"-W1A4 \"C:\\P\\A", ""}, {"-W \"C:\\A\"", ""}, {"-W1 \"C:\\A\" x", ""},
        {"-U", ""}, {"-W1 \"\"", ""}, {"-W123456789 \"C:\\A\"", ""}};
    for (const auto &h : helpers) {
        char dir[16] = "";
        HANDLE handle = NULL;
        EXPECT_EQ(h.dir[0] != 0, ParseHelperCommand(h.line, &handle, dir, sizeof dir)) << h.line;
        EXPECT_TRUE(h.dir[0] == 0 || (handle == (HANDLE)0x1A4 && std::string(dir) == h.dir)) << h.line;
    }
}

// The resolved path is where the profile functions themselves write, with C:\ as the current directory.
TEST(Removal, IniFileLiesWhereTheProfileFunctionsPutIt)
{
    char windows[MAX_PATH], saved[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    GetCurrentDirectoryA(sizeof saved, saved);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\") && testsupport::MakeDirectories("C:\\TVXPP"));
    const std::string win = std::string(windows) + "\\";
    struct { std::string ini, path; } cases[] = {   // path "" : not resolved
        {"TVXPP1.INI", win + "TVXPP1.INI"}, {"TVXPP\\P2.INI", "C:\\TVXPP\\P2.INI"}, {"\\TVXPP3.INI", "C:\\TVXPP3.INI"},
        {"C:TVXPP4.INI", "C:\\TVXPP4.INI"}, {"TVXPP/P5.INI", "C:\\TVXPP\\P5.INI"},
        {"TVXPP\\..\\..\\TVXPP6.INI", "C:\\TVXPP6.INI"}, {"Q:\\D\\X.INI", "Q:\\D\\X.INI"}, {"", ""},
        {"TVXPP\\" + std::string(260, 'x'), ""}};
    for (const auto &c : cases) {
        char path[PATH_TEXT_SIZE] = "";
        EXPECT_EQ(!c.path.empty(), ResolveProfilePath(c.ini.c_str(), win.c_str(), path, sizeof path)) << c.ini;
        EXPECT_EQ(c.path, c.path.empty() ? "" : path) << c.ini;
        if (c.path.empty() || c.ini[0] == 'Q')
            continue;
        WritePrivateProfileStringA("S", "K", "1", c.ini.c_str());
        WritePrivateProfileStringA(NULL, NULL, NULL, c.ini.c_str());
        char value[8] = "";
        GetPrivateProfileStringA("S", "K", "", value, sizeof value, path);
        EXPECT_STREQ("1", value) << c.ini;
        DeleteFileA(path);
    }
    testsupport::RemoveTree("C:\\TVXPP");
    SetCurrentDirectoryA(saved);
}

// Empty folders go up to Program Files; without it in the registry, up to the folder's own parent.
// The helpers left in the Windows directory's TEMP go with their folders, but not through a link.
TEST(Removal, EmptyFoldersAndLeftoverHelpersGoNoFurtherThanTheirs)
{
    testsupport::ScratchDir scratch("walk");
    for (bool programFiles : {true, false}) {
        testsupport::RegistryValue value(HKEY_LOCAL_MACHINE, testsupport::kCurrentVersionPath, "ProgramFilesDir");
        ASSERT_TRUE(programFiles ? value.Set(scratch.path()) : value.Remove());
        ASSERT_TRUE(testsupport::MakeDirectories(scratch / "A\\B\\C"));
        char dir[MAX_PATH];
        strcpy(dir, (scratch / "A\\B\\C\\").c_str());
        RemoveEmptyFolders(dir);
        EXPECT_EQ(!programFiles, testsupport::DirectoryExists(scratch / "A\\B"));
        EXPECT_FALSE(testsupport::DirectoryExists(scratch / "A\\B\\C"));
        EXPECT_TRUE(testsupport::DirectoryExists(programFiles ? scratch.path() : scratch / "A"));
        testsupport::RemoveTree(scratch / "A");
    }

    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string temp = std::string(windows) + "\\TEMP\\";
    testsupport::ScratchDir victim("leftover");
    ASSERT_TRUE(testsupport::WriteFileBytes(victim / "TALVIREX.EXE", "not a helper"));
    ASSERT_TRUE(testsupport::MakeDirectories(temp + "~TVX0000000A") &&
                testsupport::WriteFileBytes(temp + "~TVX0000000A\\TALVIREX.EXE", "helper"));
    ASSERT_TRUE(testsupport::MakeFolderLink(temp + "~TVX0000000B", victim.path()));
    DeleteRemovalLeftovers();
    EXPECT_FALSE(testsupport::DirectoryExists(temp + "~TVX0000000A"));
    EXPECT_EQ("not a helper", testsupport::Contents(victim / "TALVIREX.EXE"));
    EXPECT_TRUE(testsupport::RemoveFolderLink(temp + "~TVX0000000B"));
}

TEST(Removal, AFilesFoldersGoWhenEmptyTheDeepestFirstButNeverTheDirectoryItself)
{
    testsupport::ScratchDir root("folders");
    const std::string dir = root / "PUB\\", empty = root / "EMPTY\\";
    ASSERT_TRUE(testsupport::MakeDirectories(dir + "A\\B\\C") && testsupport::MakeDirectories(empty));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir + "A\\KEEP.TXT", "x"));
    RemoveEmptyFileFolders(dir.c_str(), "A\\B\\C\\X.TXT");
    RemoveEmptyFileFolders(empty.c_str(), "X.TXT");
    EXPECT_EQ(std::vector<std::string>{"KEEP.TXT"}, testsupport::Listing(dir + "A"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(empty.c_str()));
}
