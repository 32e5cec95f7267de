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

// That it counts whole is the description test's; here it is copied whole.
TEST_F(LargeMedium, FileAbove4GiBIsCopiedWhole)
{
    ULARGE_INTEGER freeBytes = {};
    GetDiskFreeSpaceExA((programFiles_ + "\\").c_str(), &freeBytes, NULL, NULL);
    if (freeBytes.QuadPart < kBigSize + (1ull << 30))
        GTEST_SKIP() << "no room for a copy of " << kBigSize << " bytes: " << freeBytes.QuadPart << " free";
    WriteMedium({{"PUBL.EXE", "publication", "PUBL.EXE;1"}, {"BIG.DAT", "", "BIG.DAT;1"}});
    ASSERT_TRUE(testsupport::WriteSparseFile(*medium_ / "BIG.DAT", kBigSize));
    HWND finish;
    copyTimeoutMs_ = kCopyTimeoutMs;
    ASSERT_TRUE(RunInstall(&finish, false, false, false));
    ASSERT_TRUE(Close(finish));
    EXPECT_TRUE(SameBytes(*medium_ / "BIG.DAT", Target() + "\\BIG.DAT"));
}

}  // namespace
}  // namespace wizard
