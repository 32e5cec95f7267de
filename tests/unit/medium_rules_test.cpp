// Names and sizes that come from a publisher's medium.
#include <gtest/gtest.h>

#include "base/names.h"
#include "base/sizes.h"

namespace {

TEST(MediumNames, DevicesAndNamesThatLeaveTheirFolder)
{
    const struct {
        const char *name;
        int device, plain, dotDot, dot;
    } cases[] = {
        {"NUL", 1, 1, 0, 0}, {"aux.txt", 1, 1, 0, 0}, {"Com1", 1, 1, 0, 0}, {"LPT9.X.Y", 1, 1, 0, 0},
        {"CON .TXT", 1, 1, 0, 0}, {"prn  ", 1, 1, 0, 0}, {"COM0", 0, 1, 0, 0}, {"LPT10", 0, 1, 0, 0},
        {"CONSOLE", 0, 1, 0, 0}, {"NU", 0, 1, 0, 0}, {"XNUL", 0, 1, 0, 0}, {"COMA", 0, 1, 0, 0},
        {"", 0, 0, 0, 0}, {".", 0, 0, 0, 1}, {"..", 0, 0, 1, 1}, {"...", 0, 0, 0, 0}, {". .", 0, 0, 0, 0},
        {"..A", 0, 1, 0, 0}, {"A..", 0, 1, 0, 0}, {"..\\A", 0, 0, 1, 0}, {"A/..", 0, 0, 1, 0},
        {"A\\..\\B", 0, 0, 1, 0}, {"A\\...\\B", 0, 0, 0, 0}, {"\\A", 0, 0, 0, 0}, {"C:A", 0, 0, 0, 0},
        {"\\\\S\\SHARE", 0, 0, 0, 0}, {"SUB\\IN.TXT", 0, 0, 0, 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.device, IsDeviceName(c.name)) << c.name;
        EXPECT_EQ(c.plain, IsPlainFileName(c.name)) << c.name;
        EXPECT_EQ(c.dotDot, HasDotDotComponent(c.name)) << c.name;
        EXPECT_EQ(c.dot, IsDotName(c.name)) << c.name;
    }
}

TEST(MediumSizes, KbCoverTheWholeSizeAndSaturate)
{
    const struct {
        DWORD high, low, kb;
    } sizes[] = {
        {0, 0, 1}, {0, 1023, 1}, {0, 1024, 2}, {0, 0xFFFFFFFF, 4194304}, {1, 10, 4194305},
        {0x3FF, 0xFFFFFC00, 0xFFFFFFFF}, {0x3FF, 0xFFFFFBFF, 0xFFFFFFFF}, {0x3FF, 0xFFFFF7FF, 0xFFFFFFFE},
        {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (const auto &s : sizes)
        EXPECT_EQ(s.kb, KbOfSize(s.high, s.low)) << s.high << ":" << s.low;
    const DWORD sums[][3] = {{1, 2, 3}, {0xFFFFFFFE, 1, 0xFFFFFFFF}, {0xFFFFFFFF, 1, 0xFFFFFFFF},
                             {0x80000000, 0x80000000, 0xFFFFFFFF}, {0, 0xFFFFFFFF, 0xFFFFFFFF}};
    for (const auto &s : sums)
        EXPECT_EQ(s[2], AddKb(s[0], s[1])) << s[0] << "+" << s[1];
}

}
