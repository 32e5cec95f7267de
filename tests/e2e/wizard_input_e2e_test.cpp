// The target-directory and program-group pages, driven through the real installer.
#include <algorithm>

#include "wizard_fixture.h"

namespace wizard {
namespace {

using testsupport::Utf8ToCp1250;

class InputPages : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        WriteDefaultMedium();
    }

    ::testing::AssertionResult OpenTargetPage(HWND *page)
    {
        ::testing::AssertionResult r = Start();
        if (r)
            r = WaitForPage(10000, page);
        if (r)
            r = Advance(page, IDOK, 10001);
        if (r)
            r = Advance(page, IDOK, 10002);
        return r;
    }

    void Finish(HWND page)
    {
        ASSERT_TRUE(ExpectMessage(page, 45, 13, IDNO));
        HWND finish;
        ASSERT_TRUE(WaitForPage(10021, &finish, page));
        PostMessageA(finish, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForExit());
    }
};

TEST_F(InputPages, TargetPageIsFilledFromTheDescription)
{
    HWND page;
    ASSERT_TRUE(OpenTargetPage(&page));
    EXPECT_EQ(programFiles_ + "\\Testovacia", robot::ControlText(page, 1200));
    EXPECT_EQ(Formatted(36, Utf8ToCp1250("Testovacia publikácia")), robot::ControlText(page, 1000));
    std::string free = robot::ControlText(page, 1005);
    EXPECT_EQ(0u, free.find("Na disku C: je k dispoz")) << free;
    EXPECT_EQ(Utf8ToCp1250("Inštalácia publikácie vyžaduje 0,02 MB."), robot::ControlText(page, 1006));
    Finish(page);
}

TEST_F(InputPages, TargetPageRefusesBadDirectories)
{
    struct Case {
        const char *input;
        UINT message;
    } cases[] = {
        {"C:\\", 5},           {"C:\\.", 5},          {"1:\\Pub", 5},         {"\\\\server\\share\\x", 5},
        {"C:dir", 5},          {"C:/Pub", 5},         {"C:\\a:b", 15},        {"C:\\a*", 15},
        {"C:\\a|b", 15},       {"C:\\a\"b", 15},      {"C:\\a<b", 15},        {"Q:\\Pub", 24},
    };
    HWND page;
    ASSERT_TRUE(OpenTargetPage(&page));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        robot::SetControlText(page, 1200, c.input);
        ASSERT_TRUE(ExpectMessage(page, IDOK, c.message));
        HWND same;
        ASSERT_TRUE(WaitForPage(10002, &same));
        EXPECT_EQ(page, same);
        EXPECT_EQ(c.input, robot::ControlText(page, 1200));
    }
    // The free-space line follows the last check: a drive that does not exist.
    EXPECT_EQ(Utf8ToCp1250("Na disku Q: je k dispozícii 0,00 MB."), robot::ControlText(page, 1005));
    Finish(page);
}

TEST_F(InputPages, TargetPageRefusesTheMediumInAnotherLetterCase)
{
    HWND page;
    ASSERT_TRUE(OpenTargetPage(&page));
    std::string upper = medium_->path();
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    for (const std::string &input : {upper, medium_->path() + "\\", medium_->path() + "\\x\\.."}) {
        SCOPED_TRACE(input);
        robot::SetControlText(page, 1200, input);
        ASSERT_TRUE(ExpectMessage(page, IDOK, 2));
    }
    // A directory inside the medium is another directory.
    robot::SetControlText(page, 1200, medium_->path() + "\\Inside");
    ASSERT_TRUE(Advance(&page, IDOK, 10003));
    Finish(page);
}

TEST_F(InputPages, AcceptedDirectoryIsStoredCanonical)
{
    struct Case {
        const char *input;
        const char *stored;
    } cases[] = {
        {"  C:\\Pub  ", "C:\\Pub"},
        {"\tC:\\Pub\\", "C:\\Pub"},
        {"C:\\x\\..\\Pub", "C:\\Pub"},
        {"c:\\Publikácie\\Nové", "c:\\Publikácie\\Nové"},
    };
    HWND page;
    ASSERT_TRUE(OpenTargetPage(&page));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        robot::SetControlText(page, 1200, Utf8ToCp1250(c.input));
        ASSERT_TRUE(Advance(&page, IDOK, 10003));
        ASSERT_TRUE(Advance(&page, 46, 10002));
        EXPECT_EQ(Utf8ToCp1250(c.stored), robot::ControlText(page, 1200));
    }
    // What is typed and left with Back is lost.
    robot::SetControlText(page, 1200, "C:\\Lost");
    ASSERT_TRUE(Advance(&page, 46, 10001));
    ASSERT_TRUE(Advance(&page, IDOK, 10002));
    EXPECT_EQ(Utf8ToCp1250("c:\\Publikácie\\Nové"), robot::ControlText(page, 1200));
    Finish(page);
}

TEST_F(InputPages, NextIsEnabledOnlyWhileTheDirectoryIsNotEmpty)
{
    HWND page;
    ASSERT_TRUE(OpenTargetPage(&page));
    robot::SetControlText(page, 1200, "   ");
    ASSERT_TRUE(robot::WaitUntil([&] { return !robot::ControlEnabled(page, 1); }, "Next to be disabled"));
    robot::SetControlText(page, 1200, "C:\\x");
    ASSERT_TRUE(robot::WaitUntil([&] { return robot::ControlEnabled(page, 1); }, "Next to be enabled"));
    Finish(page);
}

// Creates sparse files on the medium until the publication needs more than
// the free space of drive C:, so that the space check refuses it.
class LowSpace : public WizardTest {};

TEST_F(LowSpace, TooLittleFreeSpaceIsAWarningBeforeCanonicalisation)
{
    ULARGE_INTEGER freeBytes;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &freeBytes, NULL, NULL));
    const unsigned long long kFileBytes = 0xFFFFF000ull;
    unsigned long long needed = freeBytes.QuadPart / kFileBytes + 1;
    if (needed > 58)
        GTEST_SKIP() << "drive C: has too much free space to fill with 58 sparse files";
    std::vector<MediumFile> files;
    for (unsigned long long i = 0; i < needed; i++)
        files.push_back({"BIG" + std::to_string(i) + ".DAT", "", "BIG" + std::to_string(i) + ".DAT;1"});
    files.front().line = "BIG0.DAT;1;*;Big";
    WriteMedium(files);
    for (const MediumFile &f : files) {
        HANDLE h = CreateFileA((*medium_ / f.name).c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        LARGE_INTEGER end;
        end.QuadPart = (LONGLONG)kFileBytes;
        ASSERT_TRUE(SetFilePointerEx(h, end, NULL, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(h));
        CloseHandle(h);
    }
    HWND page;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(WaitForPage(10000, &page));
    ASSERT_TRUE(Advance(&page, IDOK, 10001));
    ASSERT_TRUE(Advance(&page, IDOK, 10002));
    robot::SetControlText(page, 1200, "C:\\.");
    ASSERT_TRUE(ExpectMessage(page, IDOK, 12));
    HWND same;
    ASSERT_TRUE(WaitForPage(10002, &same));
    EXPECT_EQ(page, same);
    ASSERT_TRUE(ExpectMessage(page, 45, 13, IDNO));
}

TEST_F(InputPages, GroupPageListsExistingGroupsOnce)
{
    for (const std::string &dir : {commonPrograms_ + "\\Hry", commonPrograms_ + "\\Nástroje",
                                   userPrograms_ + "\\hry", userPrograms_ + "\\Kancelária"})
        ASSERT_TRUE(testsupport::MakeDirectories(Utf8ToCp1250(dir)));
    ASSERT_TRUE(testsupport::WriteFileBytes(commonPrograms_ + "\\Loose.lnk", "x"));
    HWND page;
    ASSERT_TRUE(OpenTargetPage(&page));
    ASSERT_TRUE(Advance(&page, IDOK, 10003));
    EXPECT_EQ(Utf8ToCp1250("Testovacia skupina"), robot::ControlText(page, 1300));
    HWND combo = GetDlgItem(page, 1300);
    DWORD_PTR count = 0;
    SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    std::vector<std::string> names;
    for (DWORD_PTR i = 0; i < count; i++) {
        // The wide form: an ANSI read across processes loses accented letters.
        wchar_t wide[256] = L"";
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, (LPARAM)wide, SMTO_ABORTIFHUNG, 5000, NULL);
        char name[512] = "";
        WideCharToMultiByte(1250, 0, wide, -1, name, sizeof name, NULL, NULL);
        names.push_back(name);
    }
    EXPECT_EQ(3u, names.size());
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), Utf8ToCp1250("Kancelária")));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), Utf8ToCp1250("Nástroje")));
    Finish(page);
}

TEST_F(InputPages, GroupPageRefusesForbiddenCharactersAndStoresTheName)
{
    HWND page;
    ASSERT_TRUE(OpenTargetPage(&page));
    ASSERT_TRUE(Advance(&page, IDOK, 10003));
    for (const char *name : {"Publikácie\\Nové", "a/b", "a:b", "a?", "a>b"}) {
        SCOPED_TRACE(name);
        robot::SetControlText(page, 1300, Utf8ToCp1250(name));
        ASSERT_TRUE(ExpectMessage(page, IDOK, 77));
    }
    robot::SetControlText(page, 1300, "");
    robot::SendCommand(page, 1300, CBN_EDITCHANGE);
    ASSERT_TRUE(robot::WaitUntil([&] { return !robot::ControlEnabled(page, 1); }, "Next to be disabled"));
    robot::SetControlText(page, 1300, Utf8ToCp1250("  Moja skupina "));
    robot::SendCommand(page, 1300, CBN_EDITCHANGE);
    ASSERT_TRUE(robot::WaitUntil([&] { return robot::ControlEnabled(page, 1); }, "Next to be enabled"));
    ASSERT_TRUE(Advance(&page, IDOK, 10004));
    ASSERT_TRUE(Advance(&page, 46, 10003));
    EXPECT_EQ("Moja skupina", robot::ControlText(page, 1300));
    Finish(page);
}

}  // namespace
}  // namespace wizard
