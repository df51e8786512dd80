#include <gtest/gtest.h>

#include "DisplayText.h"

// Valid UTF-8 is shown as it is, anything else read as Windows-1252; either way
// C0 and DEL show as their pictures and C1 as U+FFFD, so no text steers a terminal.
TEST(DisplayText, KeepsUtf8ReadsOtherBytesAsWindows1252AndShowsControls) {
    // The lowest and highest of each length, either side of the surrogates and of C1, text around them.
    const char* valid = "\xC3\xA7 Convers\xC3\xA3o: \xC2\xA0 \xDF\xBF \xE0\xA0\x80 \xEF\xBF\xBF \xF0\x90\x80\x80 "
                        "\xF4\x8F\xBF\xBF \xED\x9F\xBF \xEE\x80\x80 ~😀";
    const std::pair<const char*, const char*> cases[] = {
        {valid, valid},
        {"no\x1B[31mRED\x1B[0m\nConclu\xC3\xAD" "do\t\r\x01\x1F\x7F", "no␛[31mRED␛[0m␊Concluído␉␍␁␟␡"},
        {"/x/y\x1B]0;T\a", "/x/y␛]0;T␇"}, {"SRD: \xC2\x9B" "31mX \xC2\x80\xC2\x9F", "SRD: �31mX ��"},
        {"Convers\xE3o\x1B", "Conversão␛"}, {"\x80 \x9C \x81\x8D\x8F\x90\x9D", "€ œ �����"},
        {"\xC3", "\xC3\x83"}, {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},  // truncated
        {"\x80", "€"}, {"\x80\xBF\xBF\xBF", "€¿¿¿"},            // stray continuations
        {"\xC3\xA3\xA3", "\xC3\x83\xC2\xA3\xC2\xA3"},          // one continuation too many
        {"\xC1\xBF\xBF", "\xC3\x81\xC2\xBF\xC2\xBF"},            // overlong two-byte
        {"\xE0\x9F\xBF", "\xC3\xA0\xC5\xB8\xC2\xBF"},          // overlong three-byte
        {"\xF0\x8F\xBF\xBF", "\xC3\xB0�\xC2\xBF\xC2\xBF"},     // overlong four-byte
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}, {"\xED\xBF\xBF", "í¿¿"},  // surrogates
        {"\xF4\x90\x80\x80", "\xC3\xB4�\xE2\x82\xAC\xE2\x82\xAC"},  // above U+10FFFF
        {"\xC3\x28", "\xC3\x83("},                             // lead byte without continuation
        {"\x81\xA0\x80", "�\xC2\xA0€"},                          // a continuation byte is no lead byte
    };
    for (const auto& [bytes, shown] : cases) EXPECT_EQ(BytesToDisplayText(bytes), shown) << bytes;
}
