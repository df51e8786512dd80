// What one WriteConsoleW call is given.
#include <gtest/gtest.h>

#include "ConsolePieces.h"

// Windows 7's console fails a call above 64 KB; this one fails above 8 K units, and takes no more
// than 3001 a call, so some calls end inside a pair: the next piece offers that pair whole again.
// Each piece begins and ends on a whole character; all is written, in order.
TEST(ConsolePieces, StayFarBelowWhatOldConsolesTakeAndKeepSurrogatePairsWhole) {
    const auto isLow = [](wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    std::wstring text(8191, L'a'), shown;
    while (text.size() < 120000) text += L"\xD83D\xDCFA\xD800\xDC00ç";  // U+1F4FA, U+10000: two units each
    int partedByTheConsole = 0;
    EXPECT_TRUE(WriteConsolePieces(text, [&](const wchar_t* units, std::size_t count) -> std::size_t {
        EXPECT_FALSE(isLow(units[0])) << "a piece begins inside a pair at " << units - text.data();
        EXPECT_FALSE(units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF) << "a pair parted at " << units - text.data();
        const std::size_t taken = count > 8192 ? 0 : std::min<std::size_t>(count, 3001);
        partedByTheConsole += taken > 0 && taken < count && isLow(units[taken]);
        shown.resize(units - text.data());  // what a piece offers again is written over
        shown.append(units, taken);
        return taken;
    }));
    EXPECT_EQ(shown, text);
    EXPECT_GT(partedByTheConsole, 0);
    EXPECT_FALSE(WriteConsolePieces(L"x", [](const wchar_t*, std::size_t) { return std::size_t(0); }));
    EXPECT_FALSE(WriteConsolePieces(L"\xD83D\xDCFA", [](const wchar_t*, std::size_t) { return std::size_t(1); })) << "half a pair each time";
}
