#include <gtest/gtest.h>

#include "SettingsLine.h"

namespace {

using namespace std::string_literals;
constexpr auto S = SettingsLine::Kind::Store;
constexpr auto E = SettingsLine::Kind::SyntaxError;
constexpr auto I = SettingsLine::Kind::Ignored;

struct LineCase {
    std::string piece;
    SettingsLine::Kind kind;
    uint32_t sourceRate, newRate;
};

// What the Windows runtime makes of each piece: _strupr, strstr, then sscanf
// with " %X > %X" or " %d > %d".
const LineCase kCases[] = {
    {"srd:1000>300\n", S, 1000, 300}, {"SRD: 100 > 0\n", S, 100, 0},
    {"sRh: 3e8 > 12C", S, 1000, 300}, {"SRH:0x3E8 > 0X12C", S, 1000, 300},
    {"; SRD: 1000 > 300\n", I, 0, 0}, {"  ; SRD: 1 > 2\n", S, 1, 2},  // a comment only in column 1
    {"SRH: 10 > 20 SRD: 5 > 6\n", S, 5, 6}, {"SRD: 5 > 6 SRH: 10 > 20\n", S, 5, 6},  // SRD wins
    {"SR D: 7 > 8\n", I, 0, 0}, {"SRH: ZZ > 1 SRD: 5 > 6\n", E, 0, 0},  // more syntax errors in the run table
    {"rate SRD: 7 > 8 trailing words\n", S, 7, 8}, {"SRD: 7 > 8 SRD: bad\n", S, 7, 8},
    {"SRH:\t\v\f\r\n 1 \r>\n 2 rest", S, 1, 2}, {"SRD: 5 \xA0> 6", E, 0, 0},  // 0xA0 is no blank
    {"SRH: -5 > +5", S, 0xFFFFFFFB, 5}, {"SRH: -0x5 > 1", S, 0xFFFFFFFB, 1}, {"SRH: 1FFFFFFFF > 1", S, 0xFFFFFFFF, 1}, {"SRH: - 5 > 1", E, 0, 0},
    {"SRH: 0x0 > 0X0A", S, 0, 10}, {"SRH: 0 > 0A", S, 0, 10}, {"SRH: 0x > 1", E, 0, 0}, {"SRH: 1 > 0x", E, 0, 0},
    {"SRH: 10 20", E, 0, 0}, {"SRH:", E, 0, 0}, {"SRD: -1 > -2", S, 0xFFFFFFFF, 0xFFFFFFFE}, {"SRD: 4294967297 > 1", S, 1, 1},
    {"SRD: 18446744073709552616 > 7", S, 1000, 7}, {"SRD: FF > 1", E, 0, 0}, {"SRD: 0x10 > 1", E, 0, 0},
    {"\0SRD: 1 > 2\n"s, I, 0, 0}, {"SRH: 1 > 2 \0SRD: x\n"s, S, 1, 2}, {"SRD: 1 >\0 2\n"s, E, 0, 0},  // text after a zero is unseen
};

TEST(SettingsLine, InterpretsDirectivesCommentsAndErrorsAsTheRuntimeDoes) {
    for (const LineCase& c : kCases) {
        const SettingsLine line = ParseSettingsLine(c.piece);  // the rates count only in a rule
        EXPECT_EQ(std::tuple(line.kind, line.kind == S ? line.sourceRate : 0, line.kind == S ? line.newRate : 0),
                  std::tuple(c.kind, c.sourceRate, c.newRate)) << c.piece;
    }
}

}  // namespace
