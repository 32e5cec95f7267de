// A medium file above 4 GiB installed whole, and a description whose file
// reaches outside the medium refused before anything is copied.
#include "wizard_fixture.h"

namespace wizard {
namespace {

const unsigned long long kBigSize = (4ull << 30) + 10;
const DWORD kCopyTimeoutMs = 600000;

// A sparse file of size bytes with marks at its start, across 4 GiB and at its end.
bool WriteBigFile(const std::string &path, unsigned long long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    bool done = file != INVALID_HANDLE_VALUE;
    for (unsigned long long at : {0ull, (4ull << 30) - 3, size - 4}) {
        LONG high = (LONG)(at >> 32);
        DWORD written = 0;
        done = done && SetFilePointer(file, (LONG)(DWORD)at, &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
               WriteFile(file, "MARK", 4, &written, NULL) && written == 4;
    }
    CloseHandle(file);
    return done;
}

// Empty when both files hold the same bytes, else where they part.
std::string FirstDifference(const std::string &a, const std::string &b)
{
    HANDLE fa = CreateFileA(a.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    HANDLE fb = CreateFileA(b.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    std::vector<char> ba(1 << 20), bb(1 << 20);
    unsigned long long offset = 0;
    std::string difference = fa == INVALID_HANDLE_VALUE || fb == INVALID_HANDLE_VALUE ? "cannot open" : "";
    while (difference.empty()) {
        DWORD na = 0, nb = 0;
        if (!ReadFile(fa, ba.data(), (DWORD)ba.size(), &na, NULL) || !ReadFile(fb, bb.data(), (DWORD)bb.size(), &nb, NULL))
            difference = "read error";
        else if (na != nb || memcmp(ba.data(), bb.data(), na) != 0)
            difference = "block at " + std::to_string(offset);
        else if (na == 0)
            break;
        offset += na;
    }
    CloseHandle(fa);
    CloseHandle(fb);
    return difference;
}

class LargeMedium : public WizardTest {};

TEST_F(LargeMedium, FileAbove4GiBIsCountedAndCopiedWhole)
{
    ULARGE_INTEGER freeBytes = {};
    GetDiskFreeSpaceExA((programFiles_ + "\\").c_str(), &freeBytes, NULL, NULL);
    if (freeBytes.QuadPart < kBigSize + (1ull << 30))
        GTEST_SKIP() << "no room for a copy of " << kBigSize << " bytes: " << freeBytes.QuadPart << " free";
    WriteMedium({{"PUBL.EXE", "publication", "PUBL.EXE;1"}, {"BIG.DAT", "", "BIG.DAT;1"}});
    ASSERT_TRUE(WriteBigFile(*medium_ / "BIG.DAT", kBigSize));

    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    ASSERT_TRUE(Walk(&page, {10001}));
    EXPECT_NE(std::string::npos, robot::ControlText(page, 1002).find("4096")) << robot::ControlText(page, 1002);
    ASSERT_TRUE(robot::PressButton(page, 1101));
    ASSERT_TRUE(robot::PressButton(page, 1102));
    ASSERT_TRUE(Walk(&page, {10002, 10004}));
    DWORD started = GetTickCount();
    ASSERT_TRUE(robot::PressButton(page, IDOK));
    HWND finish = NULL;
    ASSERT_TRUE(robot::WaitUntil([&] {
        for (HWND w : robot::TopWindows(installer_.Id(), "TALVIREX"))
            if (PageOf(w) == 10021)
                return (finish = w) != NULL;
        return !robot::TopWindows(installer_.Id(), "#32770").empty();
    }, "the end of the copy", kCopyTimeoutMs));
    printf("copy of %llu bytes: %lu ms\n", kBigSize, GetTickCount() - started);
    ASSERT_TRUE(finish != NULL) << "a message box came instead of the finish page";
    ASSERT_TRUE(Close(finish));
    std::string copy = programFiles_ + "\\Testovacia\\BIG.DAT";
    EXPECT_EQ("", FirstDifference(*medium_ / "BIG.DAT", copy));
}

TEST_F(LargeMedium, FileOutsideTheMediumIsRefusedBeforeAnyCopy)
{
    struct Outside {   // beside the medium's folder, so removed here
        std::string path;
        ~Outside() { DeleteFileA(path.c_str()); }
    } file{medium_->path() + "_OUTSIDE.TXT"};
    const std::string &outside = file.path;
    ASSERT_TRUE(testsupport::WriteFileBytes(outside, "outside"));
    std::string name = outside.substr(outside.rfind('\\') + 1);
    WriteMedium({{"PUBL.EXE", "publication", "PUBL.EXE;1"}, {"X", "", "..\\" + name + ";1"}});
    ASSERT_TRUE(installer_.Start(*medium_ / "TALVIREX.EXE", "-D", medium_->path()));
    robot::MessageBoxInfo box;
    std::string seen;
    for (int i = 0; i < 2 && robot::WaitForMessageBox(installer_.Id(), &box); i++) {
        seen += box.text + "|";
        ASSERT_TRUE(robot::AnswerMessageBox(box, IDOK));
    }
    DWORD code = 1;
    ASSERT_TRUE(installer_.WaitForExit(&code));
    EXPECT_EQ(Text(3) + "|FILE2|", seen);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(testsupport::DirectoryExists(programFiles_ + "\\Testovacia"));
}

}  // namespace
}  // namespace wizard
