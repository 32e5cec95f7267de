// The list of existing program groups, built from folders of the test's own
// that the registry names as the shared and the user's Programs folders.
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
using testsupport::ScratchDir;

// The names of a list, the first `split` and the rest each sorted (the
// directory search gives no order); a name without CR LF shows as "?name".
std::string Names(const char *list, size_t split = 0)
{
    std::vector<std::string> names;
    std::string text = list ? list : "", all;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        names.push_back(text.substr(at, end - at));
    if (at < text.size())
        names.push_back("?" + text.substr(at));
    std::sort(names.begin(), names.begin() + std::min(split, names.size()));
    std::sort(names.begin() + std::min(split, names.size()), names.end());
    for (const std::string &name : names)
        all += name + " ";
    return all;
}

class GroupList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        ASSERT_TRUE(shared.Set(sharedDir.path()));
        ASSERT_TRUE(user.Set(userDir.path()));
    }

    ScratchDir sharedDir{"groups_shared"}, userDir{"groups_user"};
    testsupport::RegistryValue shared{HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Programs"};
    testsupport::RegistryValue user{HKEY_CURRENT_USER, kShellFoldersKey, "Programs"};
};

TEST_F(GroupList, SharedGroupsThenTheUsersWithDuplicatesAndWithoutLooseFiles)
{
    for (const char *name : {"Gamma", "Alpha", "Both", "Alpha\\Nested"})
        ASSERT_TRUE(MakeDirectories(sharedDir / name));
    for (const char *name : {"Beta", "Both"})
        ASSERT_TRUE(MakeDirectories(userDir / name));
    ASSERT_TRUE(testsupport::WriteFileBytes(sharedDir / "Loose.lnk", "x"));
    EXPECT_EQ("Alpha Both Gamma Beta Both ", Names(ListProgramGroups(), 3));
    shared.Remove();
    EXPECT_EQ("Beta Both ", Names(ListProgramGroups()));
    user.Remove();
    EXPECT_EQ(nullptr, ListProgramGroups());
}

TEST_F(GroupList, ANearlyFullListSkipsALongNameAndTakesALaterShortOne)
{
    // 85 names of 10 characters take 1020 bytes with their CR LF; the other 15
    // and the user's long name do not fit, the user's "X" fills the last 4 bytes.
    for (int i = 0; i < 100; i++)
        ASSERT_TRUE(MakeDirectories(sharedDir / ("Group" + std::to_string(10000 + i))));
    ASSERT_TRUE(MakeDirectories(userDir / "LongerThanRoom"));
    ASSERT_TRUE(MakeDirectories(userDir / "X"));
    std::string list = Names(ListProgramGroups(), 85);
    EXPECT_EQ(85 * 11 + 2u, list.size());
    EXPECT_EQ(" X ", list.substr(list.size() - 3));
    EXPECT_EQ(1023u, strlen(groupList));

    // With room for the short name but one byte short of the long one, or room
    // for both; nothing is written past the room.
    ASSERT_TRUE(MakeDirectories(sharedDir / "Group10000\\VeryLongGroupName"));
    ASSERT_TRUE(MakeDirectories(sharedDir / "Group10000\\ABC"));
    const struct {
        int room;
        const char *names;
    } cases[] = {{5, ""}, {6, "ABC "}, {19, "ABC "}, {25, "ABC VeryLongGroupName "}};
    for (const auto &c : cases) {
        char folder[GROUP_FOLDER_SIZE], output[64];
        strcpy(folder, (sharedDir / "Group10000\\").c_str());
        memset(output, '#', sizeof output);
        output[0] = 0;
        ListSubdirectories(folder, output, c.room);
        EXPECT_EQ(c.names, Names(output)) << c.room;
        EXPECT_EQ(std::string(sizeof output - c.room, '#'), std::string(output + c.room, sizeof output - c.room));
        EXPECT_EQ(sharedDir / "Group10000\\*.*", folder);
    }
}

}  // namespace
