// Registry strings, the folders looked up through them and the groups found there, in the test prefix's registry.
#include <algorithm>

#include "base/setup_state.h"
#include "shell/group_list.h"
#include "shell/registry.h"
#include "test_support.h"

TEST(Registry, ReadsStringsThatFitAndNothingPastTheBuffer)
{
    ResetSetupState();
    const char key[] = "Software\\TalvirexTests\\Registry";
    std::string text259(259, 'p'), text260(260, 'q');
    struct { DWORD type; std::string data; SHORT result; } cases[] = {   // data stored exactly as written
        {REG_SZ, std::string("C:\\Pub\0", 7), 6}, {REG_SZ, "", 0}, {REG_SZ, text259 + '\0', 259},
        {REG_SZ, text260 + '\0', -2}, {REG_SZ, text260, -2}, {REG_BINARY, text260, -2},   // 260 bytes without a terminator
        {REG_BINARY, "abcdefghij", 10}};   // short, without a terminator
    for (const auto &c : cases) {
        testsupport::RegistryValue value(HKEY_CURRENT_USER, key, "Value");
        ASSERT_TRUE(value.SetRaw(c.data.data(), (DWORD)c.data.size(), c.type));
        char buffer[REGISTRY_TEXT_SIZE + 40];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(c.result, ReadRegistryString(ROOT_CURRENT_USER, key, "Value", buffer)) << c.data.size();
        EXPECT_EQ(c.data.substr(0, std::max<SHORT>(c.result, 0)), c.result >= 0 ? buffer : "");
        EXPECT_EQ(std::string(40, 'x'), std::string(buffer + REGISTRY_TEXT_SIZE, 40)) << c.data.size();
    }
    char buffer[REGISTRY_TEXT_SIZE] = "untouched";
    EXPECT_EQ(-2, ReadRegistryString(ROOT_CURRENT_USER, key, "Absent", buffer));
    EXPECT_EQ(-1, ReadRegistryString(ROOT_CURRENT_USER, "Software\\TalvirexTests\\NoSuchKey", "Value", buffer));
    EXPECT_EQ(-3, ReadRegistryString(3, testsupport::kCurrentVersionPath, "ProgramFilesDir", buffer));
    EXPECT_STREQ("untouched", buffer);
}

TEST(Registry, FindsProgramFilesAndTheShellFolders)
{
    ResetSetupState();
    struct { const char *value, *result; } dirs[] = {   // null value: removed
        {"D:\\Apps", "D:\\Apps"}, {"D:\\Apps\\\\", "D:\\Apps\\"}, {"D:\\", "D:"}, {"", "C:"}, {nullptr, "C:"}};
    for (const auto &c : dirs) {
        testsupport::RegistryValue value(HKEY_LOCAL_MACHINE, testsupport::kCurrentVersionPath, "ProgramFilesDir");
        ASSERT_TRUE(c.value ? value.Set(c.value) : value.Remove());
        char destination[PATH_BUFFER_SIZE];
        EXPECT_EQ(c.value && *c.value, GetProgramFilesDir(destination));
        EXPECT_STREQ(c.result, destination) << (c.value ? c.value : "(none)");
    }
    std::string longest(259, 'f');
    struct { const char *shared, *own; SHORT result; std::string folder; } cases[] = {   // null: removed
        {"C:\\All", "C:\\Me", 0, "C:\\All\\"}, {"C:\\All\\", "C:\\Me", 0, "C:\\All\\"},
        {nullptr, "C:\\Me", 1, "C:\\Me\\"}, {"", "C:\\Me\\", 1, "C:\\Me\\"},   // an empty value counts as missing
        {nullptr, "", -1, ""}, {longest.c_str(), nullptr, 0, longest + "\\"}};
    const char *names[2][2] = {{"Common Programs", "Programs"}, {"Common Desktop", "Desktop"}};
    for (int lookup = 0; lookup < 2; lookup++) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << names[lookup][0] << ", case " << (&c - cases));
            testsupport::RegistryValue shared(HKEY_LOCAL_MACHINE, testsupport::kShellFoldersPath, names[lookup][0]);
            testsupport::RegistryValue own(HKEY_CURRENT_USER, testsupport::kShellFoldersPath, names[lookup][1]);
            ASSERT_TRUE(c.shared ? shared.Set(c.shared) : shared.Remove());
            ASSERT_TRUE(c.own ? own.Set(c.own) : own.Remove());
            char buffer[REGISTRY_TEXT_SIZE + 1 + 8];
            memset(buffer, 'x', sizeof buffer);
            EXPECT_EQ(c.result, lookup == 0 ? GetProgramsFolder(buffer) : GetDesktopFolder(buffer));
            EXPECT_EQ(c.folder, c.result >= 0 ? buffer : "");
            EXPECT_EQ(std::string(8, 'x'), std::string(buffer + REGISTRY_TEXT_SIZE + 1, 8));
        }
    }
}

TEST(GroupList, SharedGroupsFirstAndANearlyFullListSkipsALongNameForALaterShortOne)
{
    ResetSetupState();
    testsupport::ScratchDir sharedDir{"groups_shared"}, userDir{"groups_user"};
    testsupport::RegistryValue shared{HKEY_LOCAL_MACHINE, testsupport::kShellFoldersPath, "Common Programs"};
    testsupport::RegistryValue user{HKEY_CURRENT_USER, testsupport::kShellFoldersPath, "Programs"};
    ASSERT_TRUE(shared.Remove() && user.Remove());
    EXPECT_EQ(nullptr, ListProgramGroups());
    ASSERT_TRUE(shared.Set(sharedDir.path()) && user.Set(userDir.path()));
    // 85 shared names of 10 characters and CR LF take 1020 bytes, the other 15
    // and the user's long name do not fit, the user's "X" fills the rest.
    for (int i = 0; i < 100; i++)
        ASSERT_TRUE(testsupport::MakeDirectories(sharedDir / ("Group" + std::to_string(10000 + i))));
    ASSERT_TRUE(testsupport::MakeDirectories(userDir / "LongerThanRoom") && testsupport::MakeDirectories(userDir / "X"));
    std::string list = ListProgramGroups();
    EXPECT_EQ(86, std::count(list.begin(), list.end(), '\n'));
    EXPECT_EQ(1023u, list.size());
    EXPECT_EQ("\r\nX\r\n", list.substr(list.size() - 5));
    // A name one byte over the room is passed over.
    ASSERT_TRUE(RemoveDirectoryA((userDir / "X").c_str()) && testsupport::MakeDirectories(userDir / "XY"));
    EXPECT_EQ(1020u, strlen(ListProgramGroups()));
}
