// The list of existing program groups, built from folders of the test's own
// that the registry names as the shared and the user's Programs folders.
#include <algorithm>

#include "base/setup_state.h"
#include "shell/group_list.h"
#include "test_support.h"

using testsupport::MakeDirectories;

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
        ASSERT_TRUE(MakeDirectories(sharedDir / ("Group" + std::to_string(10000 + i))));
    ASSERT_TRUE(MakeDirectories(userDir / "LongerThanRoom") && MakeDirectories(userDir / "X"));
    std::string list = ListProgramGroups();
    EXPECT_EQ(86, std::count(list.begin(), list.end(), '\n'));
    EXPECT_EQ(1023u, list.size());
    EXPECT_EQ("\r\nX\r\n", list.substr(list.size() - 5));
    // A name one byte over the room is passed over.
    ASSERT_TRUE(RemoveDirectoryA((userDir / "X").c_str()) && MakeDirectories(userDir / "XY"));
    EXPECT_EQ(1020u, strlen(ListProgramGroups()));
}
