// Creation of a directory path, level by level.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/setup_state.h"
#include "install/file_ops.h"
#include "test_support.h"

using testsupport::DirectoryExists;
using testsupport::FileExists;

namespace {

class DirectoryPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        ASSERT_TRUE(testsupport::WriteFileBytes(dir / "file", "x"));
    }
    testsupport::ScratchDir dir{"dirs"};
};

char MissingDrive()
{
    DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; letter++) {
        if (!(drives & (1u << (letter - 'A'))))
            return letter;
    }
    return 0;
}

TEST_F(DirectoryPathTest, CreatesEveryMissingLevel)
{
    struct Case {
        std::string path;
        std::vector<std::string> created;   // relative to dir, in any order
    } cases[] = {
        {dir / "Pub  ", {"Pub"}},                          // trailing blanks go
        {dir / "Tab\t\r\n", {"Tab"}},
        {dir / "Slash\\", {"Slash"}},
        {dir / "Slash2\\ ", {"Slash2"}},
        {dir / "A\\B\\C", {"A", "A\\B", "A\\B\\C"}},
        {dir / "A\\B\\D\\E", {"A\\B\\D", "A\\B\\D\\E"}},   // A\B exists by now
        {dir.path(), {}},
        {dir.path() + "\\", {}},
        {"C:\\", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        for (const std::string &level : c.created)
            EXPECT_FALSE(DirectoryExists(dir / level)) << level << " exists before";
        EXPECT_EQ(0, CreateDirectoryPath(c.path.c_str()));
        for (const std::string &level : c.created)
            EXPECT_TRUE(DirectoryExists(dir / level)) << level;
    }
    // Blanks are not part of the created names (the file system would
    // hide them from GetFileAttributesA, so the listing is checked).
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir / "*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{".", "..", "A", "Pub", "Slash", "Slash2", "Tab", "file"}), names);
}

// Bytes from 128 up are ordinary characters, never blanks to trim.
TEST_F(DirectoryPathTest, HighBytesAreOrdinaryCharacters)
{
    if (!CreateDirectoryA((dir / "\xC8").c_str(), NULL))
        GTEST_SKIP() << "this file system takes no names outside ASCII (is the sk_SK.UTF-8 locale generated?)";
    struct Case {
        std::string path, created;
    } cases[] = {
        {dir / "\xC8\xEDtanka\xA0", "\xC8\xEDtanka\xA0"},    // ends with a no-break space
        {dir / "\xC8\\\xDA" "daje\xFF  ", "\xC8\\\xDA" "daje\xFF"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.created);
        EXPECT_EQ(0, CreateDirectoryPath(c.path.c_str()));
        EXPECT_TRUE(DirectoryExists(dir / c.created));
    }
}

TEST_F(DirectoryPathTest, RefusesPathsItCannotUse)
{
    char missing = MissingDrive();
    ASSERT_NE(0, missing);
    std::string longPath = dir / std::string(260 - dir.path().size() - 1, 'L');
    ASSERT_EQ(260u, longPath.size());

    struct Case {
        std::string path;
        ErrorCode result;
    } cases[] = {
        {"", 5},
        {"   ", 5},
        {"\t\x01 ", 5},
        {"tvx_no_such_folder_anywhere", 5},            // no backslash to walk back to
        {std::string(1, missing) + ":\\Pub", 5},      // no such drive
        {std::string(1, missing) + ":\\", 5},
        {longPath + "M", 5},                           // 261 characters
        {dir / "file", 14},                            // the path itself is a file
        {dir / "file\\", 14},
        {dir / "file\\Sub\\Deeper", 14},               // the nearest existing part is a file
        {dir / "Bad<Name", 11},
        {dir / "Good\\Bad*Name\\Sub", 11},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.result, CreateDirectoryPath(c.path.c_str()));
    }
    EXPECT_TRUE(FileExists(dir / "file"));
    EXPECT_FALSE(DirectoryExists(longPath));
    // Levels made before a failure stay.
    EXPECT_TRUE(DirectoryExists(dir / "Good"));

    // 260 characters are still taken; the blanks at the end are dropped.
    std::string padded = dir / "P";
    padded += std::string(260 - padded.size(), ' ');
    EXPECT_EQ(0, CreateDirectoryPath(padded.c_str()));
    EXPECT_TRUE(DirectoryExists(dir / "P"));
}

TEST_F(DirectoryPathTest, LeavesTheCallersTextAlone)
{
    char path[300];
    std::string text = dir / "Keep\\Me  ";
    memcpy(path, text.c_str(), text.size() + 1);
    EXPECT_EQ(0, CreateDirectoryPath(path));
    EXPECT_EQ(text, path);
    EXPECT_TRUE(DirectoryExists(dir / "Keep\\Me"));
}

}  // namespace
