#include <gtest/gtest.h>

#include "NumberScanner.h"

namespace {

struct ScanCase {
    const char* text;
    NumberBase base;
    int converted;
    uint32_t first;
    uint32_t second;
};

constexpr auto Hex = NumberBase::Hexadecimal;
constexpr auto Dec = NumberBase::Decimal;

// What the Windows runtime's sscanf gives for " %X > %X" and " %d > %d".
const ScanCase kCases[] = {
    {" 3E8 > 12C", Hex, 2, 1000, 300},
    {"3e8>12c", Hex, 2, 1000, 300},
    {"0x3E8 > 0X12C", Hex, 2, 1000, 300},
    {"\t\v\f\r\n 1 \r>\n 2 rest is ignored", Hex, 2, 1, 2},
    {" -5 > +5", Hex, 2, 0xFFFFFFFBu, 5},
    {" -0x5 > 1", Hex, 2, 0xFFFFFFFBu, 1},
    {" 0 > 0", Hex, 2, 0, 0},
    {" 1FFFFFFFF > 1", Hex, 2, 0xFFFFFFFFu, 1},
    {" 0x > 1", Hex, 0, 0, 0},         // 0x without a digit is no match
    {" 0xG > 1", Hex, 0, 0, 0},
    {" 1 > 0x", Hex, 1, 1, 0},
    {" ZZ > 1", Hex, 0, 0, 0},
    {" 10 20", Hex, 1, 16, 0},         // the '>' is required
    {" 10 >", Hex, 1, 16, 0},
    {"", Hex, 0, 0, 0},
    {" - 5 > 1", Hex, 0, 0, 0},        // a sign must touch its digits
    {" 1000 > 300", Dec, 2, 1000, 300},
    {"1000>300", Dec, 2, 1000, 300},
    {" -1 > -2", Dec, 2, 0xFFFFFFFFu, 0xFFFFFFFEu},
    {" 4294967297 > 1", Dec, 2, 1, 1},  // kept modulo 2^32
    {" 2147483648 > 1", Dec, 2, 0x80000000u, 1},
    {" 18446744073709552616 > 7", Dec, 2, 1000, 7},  // 2^64 + 1000
    {" FF > 1", Dec, 0, 0, 0},
    {" 0x10 > 1", Dec, 1, 0, 0},       // reads the 0, then stops at x
    {" 12 > x", Dec, 1, 12, 0},
    {" 5 \xA0> 6", Dec, 1, 5, 0},      // 0xA0 is not white space
};

TEST(NumberScanner, ReadsPairsLikeTheWindowsRuntime) {
    for (const ScanCase& c : kCases) {
        uint32_t first = 0, second = 0;
        SCOPED_TRACE(std::string("input: \"") + c.text + "\"");
        ASSERT_EQ(ScanRatePair(c.text, c.base, first, second), c.converted);
        if (c.converted >= 1) {
            EXPECT_EQ(first, c.first);
        }
        if (c.converted == 2) {
            EXPECT_EQ(second, c.second);
        }
    }
}

TEST(NumberScanner, StopsAtZeroByte) {
    const char text[] = " 1 >\0 2";
    uint32_t first = 0, second = 0;
    EXPECT_EQ(ScanRatePair(text, Dec, first, second), 1);
}

}  // namespace
