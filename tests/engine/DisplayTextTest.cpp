#include <gtest/gtest.h>

#include "DisplayText.h"

// Valid UTF-8 is shown as it is, anything else read as Windows-1252; either way
// C0 and DEL show as their pictures and C1 as U+FFFD, so no text steers a terminal.
TEST(DisplayText, KeepsUtf8ReadsOtherBytesAsWindows1252AndShowsControls) {
    // The lowest and highest of each length, either side of the surrogates and of C1, text around them.
    const std::string valid = "\xC3\xA7 Convers\xC3\xA3o: \xC2\xA0 \xDF\xBF \xE0\xA0\x80 \xEF\xBF\xBF \xF0\x90\x80\x80 "
                              "\xF4\x8F\xBF\xBF \xED\x9F\xBF \xEE\x80\x80 ~😀";
    std::string high = "\x1B";  // every byte from 0x80 on, as the code page has it (its five holes are C1)
    for (int byte = 0x80; byte <= 0xFF; ++byte) high += static_cast<char>(byte);
    const std::pair<std::string, std::string> cases[] = {
        {valid, valid}, {high, "␛€�‚ƒ„…†‡ˆ‰Š‹Œ�Ž��‘’“”•–—˜™š›œ�žŸ\u00A0¡¢£¤¥¦§¨©ª«¬\u00AD®¯°±²³´µ¶·¸¹º»¼½¾¿"
                                "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ"},
        {"no\x1B[31mRED\x1B[0m\nConclu\xC3\xAD" "do\t\r\x01\x1F\x7F", "no␛[31mRED␛[0m␊Concluído␉␍␁␟␡"},
        {"/x/y\x1B]0;T\a", "/x/y␛]0;T␇"}, {"SRD: \xC2\x9B" "31mX \xC2\x80\xC2\x9F", "SRD: �31mX ��"},
        // Not UTF-8: cut short, stray or one continuation too many, overlong, surrogates, above U+10FFFF.
        {"\xC3", "Ã"}, {"\xE2\x82", "â‚"}, {"\x80", "€"}, {"\x80\xBF\xBF\xBF", "€¿¿¿"}, {"\xC3\xA3\xA3", "Ã££"}, {"\xC3\x28", "Ã("},
        {"\xC1\xBF\xBF", "Á¿¿"}, {"\xE0\x9F\xBF", "àŸ¿"}, {"\xF0\x8F\xBF\xBF", "ð�¿¿"}, {"\x81\xA0\x80", "�\u00A0€"},
        {"\xED\xA0\x80", "í\u00A0€"}, {"\xED\xBF\xBF", "í¿¿"}, {"\xF4\x90\x80\x80", "ô�€€"},
    };
    for (const auto& [bytes, shown] : cases) EXPECT_EQ(BytesToDisplayText(bytes), shown) << bytes;
}
