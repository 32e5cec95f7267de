// A medium file above 4 GiB installed whole.
#include "wizard_fixture.h"

#include <fstream>

namespace wizard {
namespace {

const unsigned long long kBigSize = (4ull << 30) + 10;
const DWORD kCopyTimeoutMs = 600000;

// 1 MiB blocks, so that two 4 GiB files need not be held.
bool SameBytes(const std::string &a, const std::string &b)
{
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    std::vector<char> ba(1 << 20), bb(1 << 20);
    while (fa.read(ba.data(), ba.size()), fb.read(bb.data(), bb.size()), fa.gcount() > 0 || fb.gcount() > 0)
        if (fa.gcount() != fb.gcount() || memcmp(ba.data(), bb.data(), (size_t)fa.gcount()) != 0)
            return false;
    return fa.eof() && fb.eof();
}

class LargeMedium : public WizardTest {};

TEST_F(LargeMedium, FileAbove4GiBIsCountedAndCopiedWhole)
{
    ULARGE_INTEGER freeBytes = {};
    GetDiskFreeSpaceExA((programFiles_ + "\\").c_str(), &freeBytes, NULL, NULL);
    if (freeBytes.QuadPart < kBigSize + (1ull << 30))
        GTEST_SKIP() << "no room for a copy of " << kBigSize << " bytes: " << freeBytes.QuadPart << " free";
    WriteMedium({{"PUBL.EXE", "publication", "PUBL.EXE;1"}, {"BIG.DAT", "", "BIG.DAT;1"}});
    ASSERT_TRUE(testsupport::WriteSparseFile(*medium_ / "BIG.DAT", kBigSize));

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
    printf("copy of %llu bytes: %lu ms\n", kBigSize, GetTickCount() - started);   // for the record
    ASSERT_TRUE(finish != NULL) << "a message box came instead of the finish page";
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(SameBytes(*medium_ / "BIG.DAT", programFiles_ + "\\Testovacia\\BIG.DAT"));
}

}  // namespace
}  // namespace wizard
