#include <gtest/gtest.h>

#include "DisplayText.h"

// Valid UTF-8 is shown as it is; anything else is read as Windows-1252.
TEST(DisplayText, KeepsValidUtf8AndReadsOtherBytesAsWindows1252) {
    // The lowest and highest of each length, either side of the surrogates, text around them.
    const char* valid = "\xC3\xA7 Convers\xC3\xA3o: \xC2\x80 \xDF\xBF \xE0\xA0\x80 \xEF\xBF\xBF \xF0\x90\x80\x80 "
                        "\xF4\x8F\xBF\xBF \xED\x9F\xBF \xEE\x80\x80\n";
    const std::pair<const char*, const char*> cases[] = {
        {valid, valid},
        {"Convers\xE3o", "Convers\xC3\xA3o"}, {"\x80 \x9C \x81", "\xE2\x82\xAC \xC5\x93 \xC2\x81"},
        {"\xC3", "\xC3\x83"}, {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},  // truncated
        {"\xBF", "\xC2\xBF"}, {"\x80", "\xE2\x82\xAC"},           // stray continuation
        {"\x80\x90\x80\x80", "\xE2\x82\xAC\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
        {"\xC3\xA3\xA3", "\xC3\x83\xC2\xA3\xC2\xA3"},          // one continuation too many
        {"\xC1\xBF", "\xC3\x81\xC2\xBF"},                      // overlong two-byte
        {"\xE0\x9F\xBF", "\xC3\xA0\xC5\xB8\xC2\xBF"},          // overlong three-byte
        {"\xF0\x8F\xBF\xBF", "\xC3\xB0\xC2\x8F\xC2\xBF\xC2\xBF"},  // overlong four-byte
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}, {"\xED\xBF\xBF", "\xC3\xAD\xC2\xBF\xC2\xBF"},  // surrogates
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},  // above U+10FFFF
        {"\xC3\x28", "\xC3\x83("},                             // lead byte without continuation
        {"\x81\xA0\x80", "\xC2\x81\xC2\xA0\xE2\x82\xAC"},          // a continuation byte is no lead byte
    };
    for (const auto& [bytes, shown] : cases) EXPECT_EQ(BytesToDisplayText(bytes), shown) << bytes;
}
