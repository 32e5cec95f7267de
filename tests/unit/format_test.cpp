// FormatText against the C runtime's _snprintf on the same formats and arguments.
#include <stdio.h>

#include <string>

#include "base/text.h"
#include "test_support.h"

namespace {

// Both results in a buffer of the given size: the text and what FormatText
// returned, with _snprintf's count turned into the same -1 for a cut text.
template <typename... Args>
void ExpectAsRuntime(size_t size, const char *format, Args... args)
{
    char mine[96], theirs[96];
    memset(mine, 'x', sizeof mine);
    memset(theirs, 0, sizeof theirs);
    int n = FormatText(mine, size, format, args...);
    int m = _snprintf(theirs, size, format, args...);
    if (size > 0)
        theirs[size - 1] = 0;
    SCOPED_TRACE(std::string(format) + " in " + std::to_string(size));
    EXPECT_EQ(m < 0 || (size_t)m >= size ? -1 : m, n);
    if (size > 0) {
        EXPECT_STREQ(theirs, mine);
    }
    EXPECT_EQ('x', mine[size]) << "written past the buffer";
}

TEST(FormatText, ConvertsAsTheRuntimeDoes)
{
    const size_t kRoom = 80;
    // The program's own formats.
    ExpectAsRuntime(kRoom, "FILE%u", 29u);
    ExpectAsRuntime(kRoom, "(%lu,%02u MB)", 4095ul, 7u);
    ExpectAsRuntime(kRoom, "Na disku %c: je %lu,%02u MB.", 'D', 0ul, 0u);
    ExpectAsRuntime(kRoom, "~tvx%04X.tmp", 0xBEu);
    ExpectAsRuntime(kRoom, "%d%%", 100);
    ExpectAsRuntime(kRoom, "%s\\%s.lnk", "C:\\Skupina", "Publik\xE1" "cia");
    ExpectAsRuntime(kRoom, "(%u.%02u) (%u.%02u)", 4u, 72u, 10u, 5u);
    // Widths, flags, precisions, signs and the ends of the ranges.
    ExpectAsRuntime(kRoom, "[%5s|%-5s|%.2s|%-4c|%3c]", "ab", "cd", "efgh", 'z', 'y');
    ExpectAsRuntime(kRoom, "[%d|%i|%05d|%-6d|%.3d|%.0u|%08.3u]", -7, 2147483647, -42, 13, 5, 0u, 9u);
    ExpectAsRuntime(kRoom, "[%d|%u|%x|%X|%lX]", (int)0x80000000u, 4294967295u, 0xABCDEFu, 0u, 0xFFFFFFFFul);
    ExpectAsRuntime(kRoom, "%s|%s", "", "trailing");
}

TEST(FormatText, CutsAtTheBufferAndSaysSo)
{
    // Exactly fitting, one short, a terminator alone, and a cut inside padding.
    const struct { size_t size; const char *format; unsigned value; } cases[] = {
        {6, "%s=%u", 42}, {5, "%s=%u", 42}, {1, "%s=%u", 42}, {4, "%s%8u", 7}, {7, "%-8s=%u", 1}};
    for (const auto &c : cases)
        ExpectAsRuntime(c.size, c.format, "ab", c.value);
}

}  // namespace
