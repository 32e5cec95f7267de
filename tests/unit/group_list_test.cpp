// The list of existing program groups, built from real folders that the
// test's registry names as the shared and the user's Programs folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/setup_state.h"
#include "shell/group_list.h"
#include "shell/registry.h"
#include "test_support.h"

namespace {

using testsupport::MakeDirectories;
using testsupport::RegistryValue;
using testsupport::ScratchDir;
using testsupport::WriteFileBytes;

// The names of a list, in order; fails the test unless every name ends with CR LF.
std::vector<std::string> Names(const char *list)
{
    std::vector<std::string> names;
    std::string text = list ? list : "";
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        EXPECT_NE(std::string::npos, end) << "unterminated name in the list";
        if (end == std::string::npos)
            break;
        names.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return names;
}

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

class GroupListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        shared.Set(sharedDir.path());
        user.Set(userDir.path());
    }

    ScratchDir sharedDir{"groups_shared"};
    ScratchDir userDir{"groups_user"};
    RegistryValue shared{HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Programs"};
    RegistryValue user{HKEY_CURRENT_USER, kShellFoldersKey, "Programs"};
};

TEST_F(GroupListTest, ListsSharedGroupsThenTheUsersWithDuplicatesAndWithoutFiles)
{
    for (const char *name : {"Alpha", "Gamma", "Both"})
        ASSERT_TRUE(MakeDirectories(sharedDir / name));
    for (const char *name : {"Beta", "Both"})
        ASSERT_TRUE(MakeDirectories(userDir / name));
    ASSERT_TRUE(WriteFileBytes(sharedDir / "Loose.lnk", "x"));
    ASSERT_TRUE(WriteFileBytes(userDir / "Other.lnk", "x"));
    ASSERT_TRUE(MakeDirectories(sharedDir / "Alpha\\Nested"));

    std::vector<std::string> names = Names(ListProgramGroups());
    ASSERT_EQ(5u, names.size());
    std::vector<std::string> first(names.begin(), names.begin() + 3);
    std::vector<std::string> second(names.begin() + 3, names.end());
    EXPECT_EQ(Sorted({"Alpha", "Both", "Gamma"}), Sorted(first));
    EXPECT_EQ(Sorted({"Beta", "Both"}), Sorted(second));
}

TEST_F(GroupListTest, SlovakGroupNamesComeInCodePage1250)
{
    std::string name = "Spolo\xe8n\xe9";   // Spoločné
    if (!CreateDirectoryA((sharedDir / name).c_str(), NULL))
        GTEST_SKIP() << "the file system of this Wine cannot hold names outside ASCII";
    EXPECT_EQ(std::vector<std::string>{name}, Names(ListProgramGroups()));
}

TEST_F(GroupListTest, HiddenGroupsAreListedToo)
{
    ASSERT_TRUE(MakeDirectories(sharedDir / "Hidden"));
    SetFileAttributesA((sharedDir / "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(std::vector<std::string>{"Hidden"}, Names(ListProgramGroups()));
}

TEST_F(GroupListTest, NoneWithoutRegistryValuesOrWithoutGroups)
{
    ASSERT_TRUE(WriteFileBytes(sharedDir / "Loose.lnk", "x"));
    EXPECT_EQ(nullptr, ListProgramGroups());

    ASSERT_TRUE(MakeDirectories(userDir / "Beta"));
    ASSERT_NE(nullptr, ListProgramGroups());
    shared.Remove();
    user.Remove();
    EXPECT_EQ(nullptr, ListProgramGroups());
    // The list is rebuilt, not left over from the call before.
    EXPECT_EQ(0, groupList[0]);
}

TEST_F(GroupListTest, SingleUserSystemListsTheUsersGroupsOnly)
{
    ASSERT_TRUE(MakeDirectories(sharedDir / "Alpha"));
    ASSERT_TRUE(MakeDirectories(userDir / "Beta"));
    shared.Remove();
    EXPECT_EQ(std::vector<std::string>{"Beta"}, Names(ListProgramGroups()));
}

TEST_F(GroupListTest, AMissingFolderAddsNothing)
{
    ASSERT_TRUE(MakeDirectories(userDir / "Beta"));
    shared.Set(sharedDir / "Gone");
    EXPECT_EQ(std::vector<std::string>{"Beta"}, Names(ListProgramGroups()));
}

TEST_F(GroupListTest, AFullListFillsExactly1024Bytes)
{
    // 85 names of 10 characters take 1020 bytes with their CR LF; the 86th does
    // not fit, and a one-letter group of the user's fills the last 4 bytes.
    for (int i = 0; i < 100; i++) {
        char name[16];
        sprintf(name, "Group%05d", i);
        ASSERT_TRUE(MakeDirectories(sharedDir / name));
    }
    ASSERT_TRUE(MakeDirectories(userDir / "LongerThanRoom"));
    ASSERT_TRUE(MakeDirectories(userDir / "X"));

    char *list = ListProgramGroups();
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(1023u, strlen(list));
    std::vector<std::string> names = Names(list);
    ASSERT_EQ(86u, names.size());
    EXPECT_EQ("X", names.back());
    for (size_t i = 0; i + 1 < names.size(); i++)
        EXPECT_EQ(0u, names[i].find("Group")) << names[i];
}

TEST_F(GroupListTest, ANameThatDoesNotFitIsSkippedAndAShorterOneStillAdded)
{
    // The long name needs 20 bytes (17, CR, LF, terminator), the short one 6;
    // whichever the search returns first, the results below hold.
    ASSERT_TRUE(MakeDirectories(sharedDir / "VeryLongGroupName"));
    ASSERT_TRUE(MakeDirectories(sharedDir / "ABC"));
    struct Case {
        int room;
        std::vector<std::string> names;
    } cases[] = {
        {5, {}},
        {6, {"ABC"}},
        {19, {"ABC"}},
        {25, {"ABC", "VeryLongGroupName"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.room);
        char folder[GROUP_FOLDER_SIZE];
        strcpy(folder, sharedDir.path().c_str());
        char output[64];
        memset(output, '#', sizeof output);
        output[0] = 0;
        ListSubdirectories(folder, output, c.room);
        EXPECT_EQ(c.names, Sorted(Names(output)));
        // Nothing is written past the room.
        for (int i = c.room; i < (int)sizeof output; i++)
            ASSERT_EQ('#', output[i]) << "byte " << i;
        EXPECT_EQ(sharedDir.path() + "\\*.*", folder);
    }
}

TEST_F(GroupListTest, AFolderPathEndingInABackslashGetsNoSecondOne)
{
    ASSERT_TRUE(MakeDirectories(sharedDir / "Alpha"));
    char folder[GROUP_FOLDER_SIZE];
    strcpy(folder, (sharedDir.path() + "\\").c_str());
    char output[64] = "";
    ListSubdirectories(folder, output, sizeof output);
    EXPECT_EQ(sharedDir.path() + "\\*.*", folder);
    EXPECT_STREQ("Alpha\r\n", output);
}

}  // namespace
