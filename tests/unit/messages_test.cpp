// Message texts and the bounded text helpers (FormatText against the C runtime).
#include "base/messages.h"
#include "base/quiet_log.h"
#include "base/setup_state.h"
#include "base/text.h"
#include "test_support.h"

namespace {

TEST(Messages, MissingTextsAreEmpty)
{
    ResetSetupState();
    setup.hInstance = GetModuleHandleA(NULL);
    EXPECT_STREQ("", LoadText(1));
}

// -L without -Q too: whole lines behind what the file held, each after the local date, time and computer name.
TEST(Messages, LogLinesAreStampedAndAppendedInTheWizardToo)
{
    testsupport::ScratchDir dir("log");
    std::string path = dir / "install.log";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, "earlier\r\n"));
    ResetSetupState();
    CopyText(setup.logPath, sizeof setup.logPath, path.c_str());
    auto Now = [] {
        SYSTEMTIME t;
        char s[40];
        GetLocalTime(&t);
        snprintf(s, sizeof s, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
        return std::string(s);
    };
    std::string before = Now();
    OpenQuietLog();
    LogLine("one\r\n\r\ntwo");
    CloseQuietLog();
    std::string after = Now(), log = testsupport::Contents(path), stamp = log.substr(9, 19);
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    EXPECT_EQ("earlier\r\n" + stamp + " " + name + " one two\r\n", log);
    EXPECT_TRUE(before <= stamp && stamp <= after) << stamp << " not in " << before << " .. " << after;
}

TEST(Text, CopyAndAppendStayInsideTheBuffer)
{
    char buf[8];
    EXPECT_EQ(0, CopyText(buf, sizeof buf, "12345678"));
    EXPECT_STREQ("1234567", buf);
    CopyText(buf, sizeof buf, "abc");
    EXPECT_EQ(1, AppendText(buf, sizeof buf, "defg"));
    EXPECT_EQ(0, AppendText(buf, sizeof buf, "h"));
    EXPECT_STREQ("abcdefg", buf);
    char dir[5] = "C:\\";
    EXPECT_EQ(1, EnsureTrailingBackslash(dir, sizeof dir));
    EXPECT_STREQ("C:\\", dir);
    CopyText(dir, sizeof dir, "C:\\x");
    EXPECT_EQ(0, EnsureTrailingBackslash(dir, sizeof dir)) << "no room for the backslash";
}

TEST(Text, OnlyAsciiLettersFoldInComparisons)
{
    EXPECT_TRUE(EqualIgnoringAsciiCase("KvX_aPpz", "KVX_APPZ"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("`", "@") || EqualIgnoringAsciiCase("{", "[")) << "just outside a-z";
    EXPECT_FALSE(EqualIgnoringAsciiCase("TALVIRE", "TALVIREX"));
    EXPECT_FALSE(EqualIgnoringAsciiCase("\xC8", "\xE8"));
}

// Both into a buffer of size; the reference's count of a cut text (negative or too long) is FormatText's -1.
template <typename... Args>
void ExpectAs(int (*reference)(char *, size_t, const char *, ...), size_t size, const char *format, Args... args)
{
    char mine[96], theirs[96] = "";
    memset(mine, 'x', sizeof mine);
    int n = FormatText(mine, size, format, args...), m = reference(theirs, size, format, args...);
    theirs[size - 1] = 0;
    SCOPED_TRACE(std::string(format) + " in " + std::to_string(size));
    EXPECT_EQ(m < 0 || (size_t)m >= size ? -1 : m, n);
    EXPECT_STREQ(theirs, mine);
    EXPECT_EQ('x', mine[size]) << "written past the buffer";
}

TEST(FormatText, ConvertsAsTheRuntimeDoes)
{
    // The program's own formats, then flags, widths, precisions, signs and the ends of the ranges.
    ExpectAs(_snprintf, 80, "FILE%u (%lu,%02u MB) %c: ~tvx%04X.tmp %d%%", 29u, 4095ul, 7u, 'D', 0xBEu, 100);
    ExpectAs(_snprintf, 80, "%s\\%s.lnk (%u.%02u)", "C:\\Skupina", "Publik\xE1" "cia", 4u, 0u);
    ExpectAs(_snprintf, 80, "[%5s|%-5s|%.2s|%-4c|%3c|%s]", "ab", "cd", "efgh", 'z', 'y', "");
    ExpectAs(_snprintf, 80, "[%d|%i|%05d|%-6d|%.3d|%.0u|%08u]", -7, 2147483647, -42, 13, 5, 0u, 9u);
    ExpectAs(_snprintf, 80, "[%d|%u|%x|%X|%lX]", (int)0x80000000u, 4294967295u, 0xABCDEFu, 0u, 0xFFFFFFFFul);
    // The 0 flag is ignored for a number with a precision. Wine's msvcrt pads such a number with zeros
    // all the same, against the C rule that the Windows runtime keeps; mingw's own formatter keeps it too.
    ExpectAs(__mingw_snprintf, 80, "[%018.lx|%08.3u|%06.2d|%-05.1X|%05.0i]", 0ul, 9u, -3, 0xAu, 7);
}

TEST(FormatText, CutsAtTheBufferAndSaysSo)
{
    // Exactly fitting, one short, a terminator alone, a cut inside padding.
    const struct { size_t size; const char *format; } cases[] = {{6, "%s=%u"}, {5, "%s=%u"}, {1, "%s=%u"}, {4, "%s%8u"}, {7, "%-8s=%u"}};
    for (const auto &c : cases)
        ExpectAs(_snprintf, c.size, c.format, "ab", 42u);
}

}  // namespace
