// Version decisions, on small DLLs with version resources of their own (tests/cmake/version_fixtures.cmake).
#include "install/version.h"
#include "test_support.h"

static std::string Fixture(const std::string &name) { return TEST_BUILD_DIR "\\fixtures\\version\\" + name + ".dll"; }

// Only the product versions count, compared unsigned, high word first; whatever
// cannot be read as a 32-bit Windows file counts as having no version.
TEST(ShouldCopyByVersion, CopiesUnlessTheInstalledProductIsAsNew)
{
    struct { const char *source, *installed; int copy; } cases[] = {
        {"p4_72_f9", "no_such_file", 1}, {"none", "p4_72_f9", 1}, {"p4_72_f9", "none", 1},
        {"p4_72_f9", "p4_72_dos", 0},     // equal products, different file versions, a resource near the limit
        {"p4_72_1_nt", "p4_72_f9", 1},    // a higher build number, on a file marked NT
        {"p4_72_f9", "p4_72_1_nt", 0},    // a higher file version alone does not count
        {"p32768", "p4_72_f9", 1}, {"p4_72_f9", "p32768", 0}, {"p4_72_32768", "p4_72_f9", 1}, {"p4_72_f9", "p4_72_32768", 0},
        {"p4_72_f9", "p9_win16", 1}, {"p4_72_f9", "p9_unknown", 1},   // replaced whatever their number
        {"p4_72_f9", "p9_large", 1}, {"p9_large", "p4_72_f9", 1}};    // a resource too big counts as none
    for (const auto &c : cases)
        EXPECT_EQ(c.copy, ShouldCopyByVersion(Fixture(c.source).c_str(), Fixture(c.installed).c_str()))
            << c.source << " over " << c.installed;
    DWORD handle = 0, medium = GetFileVersionInfoSizeA(Fixture("p4_72_dos").c_str(), &handle);
    EXPECT_TRUE(medium > VERSION_BLOCK_SIZE / 2u && medium <= (DWORD)VERSION_BLOCK_SIZE) << medium;   // near, not past
}
