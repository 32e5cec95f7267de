// Version decisions for files bound for the Windows directories, checked on
// small DLLs built with version resources of their own
// (tests/cmake/version_fixtures.cmake).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/setup_state.h"
#include "install/version.h"
#include "test_paths.h"
#include "test_support.h"

namespace {

std::string Fixture(const char *name)
{
    return std::string(TEST_BUILD_DIR "\\fixtures\\version\\") + name + ".dll";
}

VersionStamp Stamp(DWORD productMs, DWORD productLs)
{
    VersionStamp s = {0x11111111, 0x22222222, productMs, productLs};
    return s;
}

TEST(CompareVersions, ComparesProductVersionsUnsigned)
{
    struct Case {
        VersionStamp a, b;
        int result;
    } cases[] = {
        {Stamp(0x00040000, 0), Stamp(0x00040000, 0), 0},
        {Stamp(0x00050000, 0), Stamp(0x00040048, 0x0C260000), 1},
        {Stamp(0x00040048, 0x0C260000), Stamp(0x00050000, 0), -1},
        {Stamp(0x00040048, 0x0C260001), Stamp(0x00040048, 0x0C260000), 1},
        {Stamp(0x00040048, 0x0C260000), Stamp(0x00040048, 0x0C260001), -1},
        {Stamp(0x00040001, 0), Stamp(0x00040000, 0xFFFFFFFF), 1},   // MS decides first
        {Stamp(0x80000000, 0), Stamp(0x7FFFFFFF, 0), 1},            // unsigned, not signed
        {Stamp(1, 0x80000000), Stamp(1, 0x7FFFFFFF), 1},
        {Stamp(1, 0), Stamp(1, 0xFFFFFFFF), -1},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.result, CompareVersions(&c.a, &c.b))
            << std::hex << c.a.productVersionMs << "." << c.a.productVersionLs << " vs "
            << c.b.productVersionMs << "." << c.b.productVersionLs;
    }
    // The file version takes no part.
    VersionStamp a = Stamp(4, 0), b = Stamp(4, 0);
    a.fileVersionMs = 9;
    EXPECT_EQ(0, CompareVersions(&a, &b));
}

TEST(ReadFileVersion, ReadsTheFixedPartOf32BitWindowsFiles)
{
    struct Case {
        const char *fixture;
        WORD result;
        DWORD fileMs, fileLs, productMs, productLs;
    } cases[] = {
        {"p4000", 0, 0x00040000, 0, 0x00040000, 0},
        {"p4000_f9", 0, 0x00090000, 0, 0x00040000, 0},
        {"p4_72_3110_1", 0, 0x00040048, 0x0C260001, 0x00040048, 0x0C260001},
        {"p4000_nt", 0, 0x00040000, 0, 0x00040000, 0},       // VOS_NT_WINDOWS32
        {"p4_72_dos", 0, 0x00040048, 0, 0x00040048, 0},      // VOS_DOS_WINDOWS32
        {"p4000_medium", 0, 0x00040000, 0, 0x00040000, 0},   // large, but fits the block
        {"p9000_win16", 3},
        {"p9000_unknown", 3},
        {"p9000_nt_only", 3},                                // high word alone
        {"none", 1},
        {"p9000_large", 1},
        {"no_such_file", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        std::string path = Fixture(c.fixture);
        if (std::string(c.fixture) != "no_such_file")
            ASSERT_TRUE(testsupport::FileExists(path)) << path;
        VersionStamp stamp = {1, 2, 3, 4};
        EXPECT_EQ(c.result, ReadFileVersion(path.c_str(), &stamp));
        VersionStamp expected = {1, 2, 3, 4};
        if (c.result == 0)
            expected = {c.fileMs, c.fileLs, c.productMs, c.productLs};
        EXPECT_EQ(expected.fileVersionMs, stamp.fileVersionMs);
        EXPECT_EQ(expected.fileVersionLs, stamp.fileVersionLs);
        EXPECT_EQ(expected.productVersionMs, stamp.productVersionMs);
        EXPECT_EQ(expected.productVersionLs, stamp.productVersionLs);
    }
}

// The two padded fixtures sit on either side of the block's size; without
// that, the cases above would not test the limit.
TEST(ReadFileVersion, PaddedFixturesStraddleTheBlockSize)
{
    DWORD handle = 0;
    DWORD medium = GetFileVersionInfoSizeA(Fixture("p4000_medium").c_str(), &handle);
    DWORD large = GetFileVersionInfoSizeA(Fixture("p9000_large").c_str(), &handle);
    EXPECT_GT(medium, (DWORD)VERSION_BLOCK_SIZE / 2);
    EXPECT_LE(medium, (DWORD)VERSION_BLOCK_SIZE);
    EXPECT_GT(large, 5000u);
}

TEST(ShouldCopyByVersion, CopiesUnlessTheInstalledProductIsAsNew)
{
    struct Case {
        const char *source, *installed;
        int copy;
    } cases[] = {
        {"p4000", "no_such_file", 1},
        {"none", "p4000", 1},
        {"p4000", "none", 1},
        {"p4000", "p4000", 0},
        {"p4000", "p4000_f9", 0},              // equal products, different files
        {"p5000", "p4_72_3110_0", 1},
        {"p4_72_3110_0", "p5000", 0},
        {"p4_71_f9", "p4_72", 0},              // only the product version counts
        {"p4_72_3110_1", "p4_72_3110_0", 1},
        {"p4000", "p9000_win16", 1},           // a 16-bit file is replaced whatever its number
        {"p4000", "p9000_unknown", 1},
        {"p9000_win16", "p4000", 1},
        {"p4000_nt", "p4000", 0},
        {"p4_72_dos", "p4000_nt", 1},
        {"p4000", "p9000_large", 1},           // a resource too big counts as none
        {"p9000_large", "p4000", 1},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.copy, ShouldCopyByVersion(Fixture(c.source).c_str(), Fixture(c.installed).c_str()))
            << c.source << " over " << c.installed;
    }
}

}  // namespace
