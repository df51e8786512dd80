// What one WriteConsoleW call is given.
#include <gtest/gtest.h>

#include "ConsolePieces.h"

// Windows 7's console fails a call above 64 KB; this one fails above 8 K units, and takes no more
// than 3001 a call. Each call ends on a whole character; all is written once, in order.
TEST(ConsolePieces, StayFarBelowWhatOldConsolesTakeAndKeepSurrogatePairsWhole) {
    std::wstring text(8191, L'a'), shown;
    while (text.size() < 120000) text += L"\xD83D\xDCFA\xD800\xDC00ç";  // U+1F4FA, U+10000: two units each
    EXPECT_TRUE(WriteConsolePieces(text, [&](const wchar_t* units, std::size_t count) -> std::size_t {
        EXPECT_FALSE(units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF) << "a pair parted at " << shown.size();
        shown.append(units, std::min<std::size_t>(count, 3001));
        return count > 8192 ? 0 : std::min<std::size_t>(count, 3001);
    }));
    EXPECT_EQ(shown, text);
    EXPECT_FALSE(WriteConsolePieces(L"x", [](const wchar_t*, std::size_t) { return std::size_t(0); }));
}
