// File copying with progress sub-steps, free space and the progress report.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/setup_state.h"
#include "install/file_ops.h"
#include "resource.h"
#include "test_support.h"

using testsupport::ScratchDir;

namespace {

// A stand-in for the progress page: a window with a bar (control 70) that
// records every percentage it is sent and a file line (control 71).
class ProgressProbe {
public:
    ProgressProbe()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = BarProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "TvxProbeBar";
        RegisterClassA(&wc);   // fails harmlessly when already registered
        page_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
        CreateWindowExA(0, "TvxProbeBar", "", WS_CHILD, 0, 0, 100, 10, page_,
                        (HMENU)(INT_PTR)IDC_PROGRESS_BAR, NULL, NULL);
        CreateWindowExA(0, "STATIC", "untouched", WS_CHILD, 0, 20, 100, 10, page_,
                        (HMENU)(INT_PTR)IDC_PROGRESS_LINE, NULL, NULL);
        current_ = this;
        setup.progressDialog = page_;
    }
    ~ProgressProbe()
    {
        setup.progressDialog = NULL;
        current_ = nullptr;
        DestroyWindow(page_);
    }
    bool ok() const { return page_ != NULL && GetDlgItem(page_, IDC_PROGRESS_BAR) != NULL; }
    const std::vector<WPARAM> &percents() const { return percents_; }
    std::string line() const
    {
        char text[300] = "";
        GetDlgItemTextA(page_, IDC_PROGRESS_LINE, text, sizeof text);
        return text;
    }
    // Called at every sub-step, after it is recorded.
    std::function<void()> onStep;

private:
    static LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == PROGRESS_SET_PERCENT && current_ != nullptr) {
            current_->percents_.push_back(wParam);
            if (current_->onStep)
                current_->onStep();
            return 1000 + (LRESULT)wParam;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static ProgressProbe *current_;
    HWND page_ = NULL;
    std::vector<WPARAM> percents_;
};
ProgressProbe *ProgressProbe::current_ = nullptr;

std::string Pattern(size_t size, unsigned seed)
{
    std::string bytes(size, 0);
    for (size_t i = 0; i < size; i++)
        bytes[i] = (char)((i * 31 + seed + i / 8192) & 0xFF);
    return bytes;
}

FILETIME LastWriteTime(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

bool SetLastWriteTime(const std::string &path, WORD year)
{
    SYSTEMTIME st = {};
    st.wYear = year;
    st.wMonth = 2;
    st.wDay = 3;
    st.wHour = 4;
    st.wMinute = 5;
    st.wSecond = 6;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BOOL ok = SetFileTime(file, NULL, NULL, &ft);
    CloseHandle(file);
    return ok != FALSE;
}

bool SameTime(const FILETIME &a, const FILETIME &b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::vector<std::string> Listing(const std::string &dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Content(const std::string &path)
{
    std::string bytes;
    return testsupport::ReadFileBytes(path, &bytes) ? bytes : std::string("<unreadable>");
}

// Compares a file with the bytes expected, without printing them all.
::testing::AssertionResult HasContent(const std::string &path, const std::string &expected)
{
    std::string actual = Content(path);
    if (actual == expected)
        return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        at++;
    return ::testing::AssertionFailure() << path << " has " << actual.size() << " bytes, expected "
                                         << expected.size() << "; first difference at " << at;
}

class CopyTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSetupState(); }
    void TearDown() override
    {
        SetFileAttributesA((dir / "dest.bin").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::string Path(const char *name) const { return dir / name; }
    ScratchDir dir{"copy"};
};

TEST(CopyThreshold, DividesTheSizeIntoSteps)
{
    struct Case {
        DWORD size;
        WORD steps;
        DWORD threshold;
    } cases[] = {
        {20000, 78, 256},
        {100000, 18, 5555},
        {1000000, 18, 55555},
        {1000000, 1, 1000000},
        {1000000, 99, 10101},
        {0, 5, 0},
        {1000000, 0, 0x7FFFFFFF},
        {1000000, 100, 0x7FFFFFFF},
        {1000000, 65535, 0x7FFFFFFF},
        {0xFFFFFFF0, 2, 0x7FFFFFF8},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.threshold, CopyThreshold(c.size, c.steps)) << c.size << " / " << c.steps;
}

TEST_F(CopyTest, ReportsSubStepsAndCopiesContentAndTime)
{
    struct Case {
        DWORD size;
        WORD start;
        WORD steps;
        std::vector<WPARAM> percents;
    } cases[] = {
        {0, 10, 18, {}},
        {8192, 10, 1, {10}},                 // exactly one block
        {8192, 10, 0, {}},                   // no sub-steps wanted
        {8193, 40, 2, {40, 41}},             // the 1-byte tail still reaches the threshold
        {24576, 5, 3, {5, 6, 7}},
        {20000, 30, 78, {30, 31, 32}},       // one per block, surplus carried
        {100000, 20, 18, {}},                // filled in below: 13, one per block
        {1000000, 50, 18, {}},               // filled in below: 18, every sixth or seventh block
    };
    for (WPARAM p = 20; p < 33; p++)
        cases[6].percents.push_back(p);
    for (WPARAM p = 50; p < 68; p++)
        cases[7].percents.push_back(p);

    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, steps " << c.steps);
        std::string source = Path("source.bin"), dest = Path("dest.bin");
        std::string bytes = Pattern(c.size, c.steps);
        ASSERT_TRUE(testsupport::WriteFileBytes(source, bytes));
        ASSERT_TRUE(SetLastWriteTime(source, 2001));
        ProgressProbe probe;
        ASSERT_TRUE(probe.ok());

        EXPECT_EQ(0, CopyFileWithProgress(source.c_str(), dest.c_str(), c.start, c.steps));
        EXPECT_EQ(c.percents, probe.percents());
        EXPECT_TRUE(HasContent(dest, bytes));
        EXPECT_TRUE(SameTime(LastWriteTime(source), LastWriteTime(dest)));
        EXPECT_EQ("untouched", probe.line());   // sub-steps carry no text
        EXPECT_EQ((std::vector<std::string>{"dest.bin", "source.bin"}), Listing(dir.path()));
        DeleteFileA(dest.c_str());
    }
}

TEST_F(CopyTest, ReplacesAnExistingFileWithNormalAttributes)
{
    std::string source = Path("source.bin"), dest = Path("dest.bin");
    std::string bytes = Pattern(30000, 7);
    ASSERT_TRUE(testsupport::WriteFileBytes(source, bytes));
    ASSERT_TRUE(SetLastWriteTime(source, 1999));
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(testsupport::WriteFileBytes(dest, std::string(100000, 'x')));

    EXPECT_EQ(0, CopyFileWithProgress(source.c_str(), dest.c_str(), 0, 0));
    EXPECT_TRUE(HasContent(dest, bytes));
    EXPECT_TRUE(SameTime(LastWriteTime(source), LastWriteTime(dest)));
    DWORD attributes = GetFileAttributesA(dest.c_str());
    EXPECT_EQ(0u, attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
        << std::hex << attributes;
    EXPECT_EQ((std::vector<std::string>{"dest.bin", "source.bin"}), Listing(dir.path()));
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Every failure leaves the file that was at the destination as it was, and
// leaves nothing else behind.
TEST_F(CopyTest, FailureKeepsTheExistingDestination)
{
    const std::string before = "the installed file, which must survive";
    std::string source = Path("source.bin"), dest = Path("dest.bin");
    auto open = [](const std::string &path, DWORD access, DWORD share) {
        return CreateFileA(path.c_str(), access, share, NULL, OPEN_EXISTING, 0, NULL);
    };

    struct Case {
        const char *what;
        ErrorCode result;
        bool dataMoved;
        std::function<HANDLE()> arrange;   // may return a handle held during the copy
    } cases[] = {
        {"source missing", 8, false, [&] {
             DeleteFileA(source.c_str());
             return INVALID_HANDLE_VALUE;
         }},
        {"source being written", 8, false, [&] {
             return open(source, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
         }},
        {"destination read-only", 9, false, [&] {
             SetFileAttributesA(dest.c_str(), FILE_ATTRIBUTE_READONLY);
             return INVALID_HANDLE_VALUE;
         }},
        {"destination in use", 9, true, [&] { return open(dest, GENERIC_READ, 0); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SetFileAttributesA(dest.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(testsupport::WriteFileBytes(source, Pattern(50000, 3)));
        ASSERT_TRUE(testsupport::WriteFileBytes(dest, before));
        HANDLE held = c.arrange();
        ProgressProbe probe;

        EXPECT_EQ(c.result, CopyFileWithProgress(source.c_str(), dest.c_str(), 0, 10));
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_TRUE(HasContent(dest, before));
        EXPECT_EQ(c.dataMoved ? 7u : 0u, probe.percents().size());   // 7 blocks
        std::vector<std::string> expected = {"dest.bin"};
        if (testsupport::FileExists(source))
            expected.push_back("source.bin");
        EXPECT_EQ(expected, Listing(dir.path()));
        if (c.result == 9 && !c.dataMoved)
            EXPECT_NE(0u, GetFileAttributesA(dest.c_str()) & FILE_ATTRIBUTE_READONLY);
    }
}

// A sysfs attribute announces 4096 bytes and delivers a few: a short read.
TEST_F(CopyTest, ShortReadKeepsTheExistingDestination)
{
    const std::string source = "Z:\\sys\\devices\\system\\cpu\\online";
    std::string announced;
    HANDLE probe = CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    DWORD size = probe == INVALID_HANDLE_VALUE ? 0 : GetFileSize(probe, NULL);
    if (probe != INVALID_HANDLE_VALUE)
        CloseHandle(probe);
    if (!testsupport::ReadFileBytes(source, &announced) || size == 0 || announced.size() >= size)
        GTEST_SKIP() << "no file here that reads shorter than its size";

    std::string dest = Path("dest.bin");
    ASSERT_TRUE(testsupport::WriteFileBytes(dest, "old"));
    EXPECT_EQ(10, CopyFileWithProgress(source.c_str(), dest.c_str(), 0, 1));
    EXPECT_TRUE(HasContent(dest, "old"));
    EXPECT_EQ((std::vector<std::string>{"dest.bin"}), Listing(dir.path()));
}

TEST_F(CopyTest, DestinationThatCannotBeReplaced)
{
    std::string source = Path("source.bin");
    ASSERT_TRUE(testsupport::WriteFileBytes(source, Pattern(1000, 1)));
    ASSERT_TRUE(testsupport::MakeDirectories(Path("folder")));

    // The copy creates no directories, and does not put a file over one.
    EXPECT_EQ(9, CopyFileWithProgress(source.c_str(), Path("missing\\dest.bin").c_str(), 0, 0));
    EXPECT_FALSE(testsupport::DirectoryExists(Path("missing")));
    EXPECT_EQ(9, CopyFileWithProgress(source.c_str(), Path("folder").c_str(), 0, 0));
    EXPECT_TRUE(testsupport::DirectoryExists(Path("folder")));
    EXPECT_TRUE(Listing(Path("folder")).empty());
    EXPECT_EQ((std::vector<std::string>{"folder", "source.bin"}), Listing(dir.path()));
}

// Run by tests/cmake/disk_full.sh, which mounts a small drive and names it in
// TALVIREX_FULL_DRIVE.
TEST(CopyDiskFull, FullDiskKeepsTheExistingDestination)
{
    const char *drive = getenv("TALVIREX_FULL_DRIVE");
    if (drive == nullptr || *drive == 0)
        GTEST_SKIP() << "needs a small drive; the platform_disk_full test runs this with one mounted";
    ResetSetupState();
    ScratchDir dir("diskfull");
    std::string full = drive;
    std::string source = dir / "source.bin", dest = full + "\\dest.bin";
    std::string before = Pattern(60000, 9);
    ASSERT_TRUE(testsupport::WriteFileBytes(dest, before));
    ASSERT_TRUE(testsupport::WriteFileBytes(source, Pattern(1000000, 2)));

    EXPECT_EQ(10, CopyFileWithProgress(source.c_str(), dest.c_str(), 0, 18));
    EXPECT_TRUE(HasContent(dest, before));
    EXPECT_EQ((std::vector<std::string>{"dest.bin"}), Listing(full));

    // Once there is room, the same copy goes through.
    std::string small = Pattern(100000, 4);
    ASSERT_TRUE(testsupport::WriteFileBytes(source, small));
    EXPECT_EQ(0, CopyFileWithProgress(source.c_str(), dest.c_str(), 0, 18));
    EXPECT_TRUE(HasContent(dest, small));
    EXPECT_EQ((std::vector<std::string>{"dest.bin"}), Listing(full));
}

TEST(FreeKbFromGeometry, CountsWholeKbAndStopsAt31Bits)
{
    struct Case {
        DWORD bytesPerSector, sectorsPerCluster, freeClusters, kb;
    } cases[] = {
        {512, 8, 1000, 4000},
        {4096, 1, 1000, 4000},
        {512, 1, 3, 1},                      // 1.5 KB counts as 1
        {256, 1, 1000, 0},                   // clusters below 512 bytes count as nothing
        {2048, 4, 0, 0},
        {512, 8, 536870911, 2147483644},     // just below 2 TB: as in 32 bits
        {512, 64, 67108863, 2147483616},
        {512, 8, 536870912, 2147483647},     // 2 TB: would wrap to 0 in 32 bits
        {512, 8, 600000000, 2147483647},     // would wrap to a small number
        {4096, 8, 0xFFFFFFFF, 2147483647},
        {65536, 128, 0xFFFFFFFF, 2147483647},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.kb, FreeKbFromGeometry(c.bytesPerSector, c.sectorsPerCluster, c.freeClusters))
            << c.bytesPerSector << " x " << c.sectorsPerCluster << " x " << c.freeClusters;
}

TEST(GetDriveFreeKb, MeasuresRealDrivesAndGivesZeroForMissingOnes)
{
    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    double expected = std::min(free.QuadPart / 1024.0, 2147483647.0);
    DWORD kb = GetDriveFreeKb('C');
    EXPECT_GT(kb, 0u);
    EXPECT_NEAR(expected, (double)kb, expected / 100 + 1024);   // files may come and go meanwhile

    DWORD drives = GetLogicalDrives();
    char missing = 0;
    for (char letter = 'Q'; letter <= 'Y' && missing == 0; letter++) {
        if (!(drives & (1u << (letter - 'A'))))
            missing = letter;
    }
    ASSERT_NE(0, missing) << "every drive letter from Q to Y is in use";
    EXPECT_EQ(0u, GetDriveFreeKb(missing));
}

class ShowProgressTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSetupState(); }
};

TEST_F(ShowProgressTest, MovesTheBarAndSetsTheLineOnlyWithAText)
{
    ProgressProbe probe;
    ASSERT_TRUE(probe.ok());
    EXPECT_EQ(1042, ShowProgress(42, NULL));
    EXPECT_EQ("untouched", probe.line());
    EXPECT_EQ(1043, ShowProgress(43, "Kop\xEDrovanie s\xFA" "boru A.TXT"));
    EXPECT_EQ("Kop\xEDrovanie s\xFA" "boru A.TXT", probe.line());
    EXPECT_EQ(1100, ShowProgress(100, ""));
    EXPECT_EQ("", probe.line());
    EXPECT_EQ((std::vector<WPARAM>{42, 43, 100}), probe.percents());
}

TEST_F(ShowProgressTest, PausesWithAText)
{
    // The pause is processor work of a fixed size; on any machine it takes
    // well over a millisecond, unless the compiler has thrown it away.
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ShowProgress(5, "x");
    QueryPerformanceCounter(&end);
    double textMs = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    EXPECT_GT(textMs, 1.0);
}

TEST_F(ShowProgressTest, WithoutAProgressPageChangesNothing)
{
    ASSERT_EQ(NULL, setup.progressDialog);
    EXPECT_EQ(0, ShowProgress(50, NULL));
    EXPECT_EQ(0, ShowProgress(60, "file"));

    // A copy without a progress page still reports its sub-steps into nothing.
    ScratchDir dir("noprogress");
    std::string bytes = Pattern(40000, 8);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir / "a", bytes));
    EXPECT_EQ(0, CopyFileWithProgress((dir / "a").c_str(), (dir / "b").c_str(), 0, 5));
    EXPECT_TRUE(HasContent(dir / "b", bytes));
}

}  // namespace
