// FormatText against the C runtime's _snprintf on the same formats and arguments.
#include "base/text.h"
#include "test_support.h"

namespace {

// Both into a buffer of size; _snprintf's count of a cut text is FormatText's -1.
template <typename... Args>
void ExpectAsRuntime(size_t size, const char *format, Args... args)
{
    char mine[96], theirs[96] = "";
    memset(mine, 'x', sizeof mine);
    int n = FormatText(mine, size, format, args...), m = _snprintf(theirs, size, format, args...);
    theirs[size - 1] = 0;
    SCOPED_TRACE(std::string(format) + " in " + std::to_string(size));
    EXPECT_EQ(m < 0 || (size_t)m >= size ? -1 : m, n);
    EXPECT_STREQ(theirs, mine);
    EXPECT_EQ('x', mine[size]) << "written past the buffer";
}

TEST(FormatText, ConvertsAsTheRuntimeDoes)
{
    // The program's own formats, then flags, widths, precisions, signs and the ends of the ranges.
    ExpectAsRuntime(80, "FILE%u (%lu,%02u MB) %c: ~tvx%04X.tmp %d%%", 29u, 4095ul, 7u, 'D', 0xBEu, 100);
    ExpectAsRuntime(80, "%s\\%s.lnk (%u.%02u)", "C:\\Skupina", "Publik\xE1" "cia", 4u, 0u);
    ExpectAsRuntime(80, "[%5s|%-5s|%.2s|%-4c|%3c|%s]", "ab", "cd", "efgh", 'z', 'y', "");
    ExpectAsRuntime(80, "[%d|%i|%05d|%-6d|%.3d|%.0u|%08.3u]", -7, 2147483647, -42, 13, 5, 0u, 9u);
    ExpectAsRuntime(80, "[%d|%u|%x|%X|%lX]", (int)0x80000000u, 4294967295u, 0xABCDEFu, 0u, 0xFFFFFFFFul);
}

TEST(FormatText, CutsAtTheBufferAndSaysSo)
{
    // Exactly fitting, one short, a terminator alone, a cut inside padding.
    const struct { size_t size; const char *format; } cases[] = {{6, "%s=%u"}, {5, "%s=%u"}, {1, "%s=%u"}, {4, "%s%8u"}, {7, "%-8s=%u"}};
    for (const auto &c : cases)
        ExpectAsRuntime(c.size, c.format, "ab", 42u);
}

}  // namespace
