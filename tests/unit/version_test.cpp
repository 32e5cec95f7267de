// Version decisions for files bound for the Windows directories, on small DLLs
// with version resources of their own (tests/cmake/version_fixtures.cmake).
#include "install/version.h"
#include "test_support.h"

static std::string Fixture(const std::string &name)
{
    return TEST_BUILD_DIR "\\fixtures\\version\\" + name + ".dll";
}

TEST(CompareVersions, ComparesProductVersionsUnsigned)
{
    struct { DWORD aMs, aLs, bMs, bLs; int result; } cases[] = {
        {0x40000, 0, 0x40000, 0, 0}, {0x50000, 0, 0x40048, 0x0C260000, 1}, {0x40048, 0, 0x50000, 0, -1},
        {0x40048, 0x0C260000, 0x40048, 0x0C260001, -1}, {0x40001, 0, 0x40000, 0xFFFFFFFF, 1},   // MS first
        {0x80000000, 0, 0x7FFFFFFF, 0, 1}, {1, 0x80000000, 1, 0x7FFFFFFF, 1}};   // unsigned, not signed
    for (const auto &c : cases) {
        VersionStamp a = {9, 9, c.aMs, c.aLs}, b = {1, 1, c.bMs, c.bLs};   // file versions take no part
        EXPECT_EQ(c.result, CompareVersions(&a, &b)) << "case " << (&c - cases);
    }
}

TEST(ReadFileVersion, ReadsTheFixedPartOf32BitWindowsFiles)
{
    struct { const char *fixture; WORD result; } cases[] = {
        {"p4_72_f9", 0}, {"p4_72_dos", 0}, {"p4_72_1_nt", 0}, {"p9_win16", 3}, {"p9_unknown", 3},
        {"none", 1}, {"p9_large", 1}, {"no_such_file", 1}};
    for (const auto &c : cases) {
        VersionStamp s = {1, 2, 3, 4};   // written only on success
        EXPECT_EQ(c.result, ReadFileVersion(Fixture(c.fixture).c_str(), &s)) << c.fixture;
        EXPECT_EQ(c.result == 0 ? 0x00040048u : 3u, s.productVersionMs) << c.fixture;
    }
    // The padded fixtures sit on either side of the block's size.
    DWORD handle = 0, medium = GetFileVersionInfoSizeA(Fixture("p4_72_dos").c_str(), &handle);
    EXPECT_GT(medium, VERSION_BLOCK_SIZE / 2u);
    EXPECT_LE(medium, (DWORD)VERSION_BLOCK_SIZE);
    EXPECT_GT(GetFileVersionInfoSizeA(Fixture("p9_large").c_str(), &handle), (DWORD)VERSION_BLOCK_SIZE);
}

TEST(ShouldCopyByVersion, CopiesUnlessTheInstalledProductIsAsNew)
{
    struct { const char *source, *installed; int copy; } cases[] = {
        {"p4_72_f9", "no_such_file", 1}, {"none", "p4_72_f9", 1}, {"p4_72_f9", "none", 1},
        {"p4_72_f9", "p4_72_dos", 0},     // equal products, different file versions
        {"p4_72_1_nt", "p4_72_f9", 1},    // a higher build number, on a file marked NT
        {"p4_72_f9", "p4_72_1_nt", 0},    // a higher file version alone does not count
        {"p4_72_f9", "p9_win16", 1},      // a 16-bit file is replaced whatever its number
        {"p4_72_f9", "p9_unknown", 1}, {"p9_win16", "p4_72_f9", 1},
        {"p4_72_f9", "p9_large", 1},      // a resource too big counts as none
        {"p9_large", "p4_72_f9", 1}};
    for (const auto &c : cases)
        EXPECT_EQ(c.copy, ShouldCopyByVersion(Fixture(c.source).c_str(), Fixture(c.installed).c_str()))
            << c.source << " over " << c.installed;
}
