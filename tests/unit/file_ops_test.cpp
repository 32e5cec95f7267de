// File copying, version decisions, directory creation and free space.
#include <vector>

#include "install/file_ops.h"
#include "install/version.h"
#include "shell/directory.h"
#include "shell/free_space.h"
#include "test_support.h"

using Names = std::vector<std::string>;

namespace {

// Different in every block.
std::string Pattern(size_t n) { std::string b(n, 0); for (size_t i = 0; i < n; i++) b[i] = (char)(i * 31 + i / 8192 + n); return b; }
char MissingDrive() { char d = 'Q'; while (GetLogicalDrives() >> (d - 'A') & 1) d++; return d; }
// Several MB, and older than anything a test writes.
std::string Self() { char p[MAX_PATH]; return std::string(p, GetModuleFileNameA(NULL, p, sizeof p)); }

struct CopyTest : ::testing::Test {
    void SetUp() override { ResetSetupState(); }
    testsupport::ScratchDir dir{"copy"};
    std::string source = dir / "source.bin", dest = dir / "dest.bin";
};

// The progress sub-steps only show on the bar; the copy must not stumble on any of them.
TEST_F(CopyTest, CopiesContentAndTimeAcrossBlocksAndSteps)
{
    struct { DWORD size; WORD start, steps; } cases[] = {   // each replaces the previous copy
        {1000000, 50, 18}, {100000, 20, 18}, {8193, 40, 2}, {8192, 10, 99}, {8192, 10, 100}, {8192, 10, 0}, {0, 10, 18}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, steps " << c.steps);
        ASSERT_TRUE(testsupport::WriteFileBytes(source, Pattern(c.size)));
        EXPECT_EQ(0, CopyFileWithProgress(source.c_str(), dest.c_str(), c.start, c.steps));
        EXPECT_TRUE(testsupport::Contents(dest) == Pattern(c.size));
        EXPECT_EQ((Names{"dest.bin", "source.bin"}), testsupport::Listing(dir.path()));
    }
    EXPECT_EQ(0, CopyFileWithProgress(Self().c_str(), dest.c_str(), 0, 0));
    WIN32_FILE_ATTRIBUTE_DATA a = {}, b = {};
    GetFileAttributesExA(Self().c_str(), GetFileExInfoStandard, &a);
    GetFileAttributesExA(dest.c_str(), GetFileExInfoStandard, &b);
    EXPECT_EQ(0, CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime));   // the source's time goes along
}

// A failed copy keeps the file that was there and leaves no partial file behind.
TEST_F(CopyTest, FailedCopyKeepsTheOldDestination)
{
    const std::string before = "the installed file, which must survive";
    ASSERT_TRUE(testsupport::WriteFileBytes(source, Pattern(50000)));
    struct Case { const char *what; std::string source; DWORD readOnly; bool inUse; ErrorCode result; };
    std::vector<Case> cases = {{"source missing", dir / "missing", 0, false, 8},
        {"destination read-only", source, FILE_ATTRIBUTE_READONLY, false, 9},
        {"destination in use", source, 0, true, 9},
        // A sysfs file announces 4096 bytes and delivers a few: a short read.
        {"short read", "Z:\\sys\\devices\\system\\cpu\\online", 0, false, 10}};
    if (getenv("TALVIREX_WRITE_LIMIT"))   // platform_disk_full: files stop at 256 KB, as on a full disk
        cases.push_back({"write fails", Self(), 0, false, 10});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(testsupport::WriteFileBytes(dest, before));
        SetFileAttributesA(dest.c_str(), c.readOnly | FILE_ATTRIBUTE_ARCHIVE);
        HANDLE held = c.inUse ? CreateFileA(dest.c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0) : NULL;
        EXPECT_EQ(c.result, CopyFileWithProgress(c.source.c_str(), dest.c_str(), 0, 10));
        CloseHandle(held);
        EXPECT_EQ(before, testsupport::Contents(dest));
        EXPECT_EQ(c.readOnly, GetFileAttributesA(dest.c_str()) & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ((Names{"dest.bin", "source.bin"}), testsupport::Listing(dir.path()));
        SetFileAttributesA(dest.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST(CreateDirectoryPath, CreatesMissingLevelsAndRefusesWhatItCannotUse)
{
    ResetSetupState();
    testsupport::ScratchDir dir("dirs");
    ASSERT_TRUE(testsupport::WriteFileBytes(dir / "file", "x"));
    std::string padded = dir / ("P" + std::string(258 - dir.path().size(), ' ')), tooLong = dir / std::string(260 - dir.path().size(), 'L');
    struct { std::string path; ErrorCode result; Names levels; } cases[] = {
        {dir / "Pub \t\r\n", 0, {"Pub"}}, {dir / "Slash\\ ", 0, {"Slash"}}, {"C:\\", 0, {}},
        {dir / "A\\B\\C", 0, {"A", "A\\B", "A\\B\\C"}}, {dir / "A\\B\\D\\E", 0, {"A\\B\\D", "A\\B\\D\\E"}},
        {dir / "\xC8\xEDtanka\xA0", 0, {"\xC8\xEDtanka\xA0"}},   // a no-break space is no blank
        {padded, 0, {"P"}}, {tooLong, 5, {}},                      // 260 characters, 261
        {dir / "Good\\Bad*Name\\Sub", 11, {"Good"}},              // levels made before a failure stay
        {dir / "file", 14, {}}, {dir / "file\\Sub\\Deeper", 14, {}}, {"", 5, {}}, {" \t\x01", 5, {}},
        {"tvx_no_such_folder_anywhere", 5, {}}, {std::string(1, MissingDrive()) + ":\\Pub", 5, {}}};
    for (const auto &c : cases) {
        EXPECT_EQ(c.result, CreateDirectoryPath(c.path.c_str())) << c.path;
        for (const std::string &level : c.levels)
            EXPECT_TRUE(testsupport::DirectoryExists(dir / level)) << level;
    }
    // Nothing else was made, and no blank went into a name.
    EXPECT_EQ((Names{"A", "Good", "P", "Pub", "Slash", "file", "\xC8\xEDtanka\xA0"}), testsupport::Listing(dir.path()));
}

TEST(FreeSpace, CountsWholeKbAndStopsAt31Bits)
{
    struct { DWORD bytesPerSector, sectorsPerCluster, freeClusters, kb; } cases[] = {
        {512, 8, 1000, 4000}, {512, 1, 3, 1}, {256, 1, 1000, 0}, {256, 4, 1000, 1000},   // cluster size before the shift
        {512, 8, 536870911, 2147483644}, {512, 8, 536870912, 2147483647},   // 2 TB: 32 bits would wrap to 0
        {65536, 128, 0xFFFFFFFF, 2147483647}, {2097152, 2097152, 2147483648u, 2147483647}};   // 2^42-byte clusters
    for (const auto &c : cases)
        EXPECT_EQ(c.kb, FreeKbFromGeometry(c.bytesPerSector, c.sectorsPerCluster, c.freeClusters)) << c.freeClusters;
    EXPECT_EQ(0u, GetDriveFreeKb(MissingDrive()));
}

// Small DLLs with version resources of their own (tests/cmake/version_fixtures.cmake).
std::string Fixture(const std::string &name) { return TEST_BUILD_DIR "\\fixtures\\version\\" + name + ".dll"; }

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
}

}  // namespace
