// The decisions of the list entry and the removal: the key's name, how far up
// empty folders go, and the helper's command line.
#include "install/self_removal.h"
#include "install/registration.h"
#include "install/removal.h"
#include "install/run.h"
#include "test_support.h"

TEST(Removal, KeyNameFolderWalkAndHelperCommand)
{
    const std::string prefix = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TALVIREX_";
    struct { const char *ini, *key; } keys[] = {   // key "" : no key at all
        {"VZORKA.INI", "VZORKA.INI"}, {"Q:\\DIR\\X.INI", "X.INI"}, {"C:X.INI", "X.INI"}, {"a/b.ini", "b.ini"},
        {"DIR\\", ""}, {"", ""}};
    for (const auto &k : keys) {
        char buffer[300] = "";
        EXPECT_EQ(k.key[0] != 0, FormRegistrationKey(buffer, sizeof buffer, k.ini)) << k.ini;
        if (k.key[0] != 0) {
            EXPECT_EQ(prefix + k.key, buffer);
        }
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
