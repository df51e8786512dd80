#include <gtest/gtest.h>

#include "SettingsLine.h"

namespace {

using Kind = SettingsLine::Kind;

struct LineCase {
    std::string piece;
    Kind kind;
    uint32_t sourceRate;
    uint32_t newRate;
};

const LineCase kCases[] = {
    {"SRD: 1000 > 300\n", Kind::Store, 1000, 300},
    {"srd:1000>300\n", Kind::Store, 1000, 300},
    {"SRH: 3E8 > 12C\n", Kind::Store, 1000, 300},
    {"sRh: 3e8 > 12c", Kind::Store, 1000, 300},
    {"; SRD: 1000 > 300\n", Kind::Ignored, 0, 0},
    {"  ; SRD: 1 > 2\n", Kind::Store, 1, 2},           // a comment only in column 1
    {"SRD: 1000 >\n", Kind::SyntaxError, 0, 0},
    {"SRD:\n", Kind::SyntaxError, 0, 0},
    {"SRH: 10 > 20 SRD: 5 > 6\n", Kind::Store, 5, 6},  // SRD wins
    {"SRD: 5 > 6 SRH: 10 > 20\n", Kind::Store, 5, 6},
    {"SRH: 10 > 20 SRD: x\n", Kind::SyntaxError, 0, 0},
    {"SRH: ZZ > 1 SRD: 5 > 6\n", Kind::SyntaxError, 0, 0},
    {"rate SRD: 7 > 8 trailing words\n", Kind::Store, 7, 8},
    {"SRD: 7 > 8 SRD: bad\n", Kind::Store, 7, 8},      // only the first occurrence counts
    {"SR D: 7 > 8\n", Kind::Ignored, 0, 0},
    {"[section]\n", Kind::Ignored, 0, 0},
    {"\n", Kind::Ignored, 0, 0},
    {"SRD: -1 > 5\n", Kind::Store, 0xFFFFFFFFu, 5},
    {"SRD: 100 > 0\n", Kind::Store, 100, 0},
    {std::string("\0SRD: 1 > 2\n", 12), Kind::Ignored, 0, 0},
    {std::string("SRD: 1 > 2\0junk", 15), Kind::Store, 1, 2},
    {std::string("SRH: 1 > 2 \0SRD: x\n", 19), Kind::Store, 1, 2},  // text after a zero is unseen
};

TEST(SettingsLine, InterpretsDirectivesCommentsAndErrors) {
    for (const LineCase& c : kCases) {
        SCOPED_TRACE("piece: \"" + c.piece + "\"");
        const SettingsLine line = ParseSettingsLine(c.piece);
        ASSERT_EQ(line.kind, c.kind);
        if (c.kind == Kind::Store) {
            EXPECT_EQ(line.sourceRate, c.sourceRate);
            EXPECT_EQ(line.newRate, c.newRate);
        }
    }
}

TEST(SettingsLine, TextIsUpperCasedAsciiOnlyWithItsLineEnd) {
    const SettingsLine line = ParseSettingsLine("srh: zz > 1 çã\n");
    EXPECT_EQ(line.kind, Kind::SyntaxError);
    EXPECT_EQ(line.text, "SRH: ZZ > 1 çã\n");
}

TEST(SettingsLine, TextEndsAtTheFirstZeroByte) {
    const SettingsLine line = ParseSettingsLine(std::string("srd: 1 >\0 2\n", 12));
    EXPECT_EQ(line.kind, Kind::SyntaxError);
    EXPECT_EQ(line.text, "SRD: 1 >");
}

}  // namespace
