#include "RateRowTexts.h"

#include <charconv>

namespace {

template <std::size_t N>
void WriteDecimal(char (&out)[N], uint64_t value) {
    *std::to_chars(out, out + N - 1, value).ptr = '\0';
}

}  // namespace

RateRowTexts::RateRowTexts(uint16_t rate, uint64_t recordNo) {
    WriteDecimal(dec, rate);
    WriteDecimal(line, recordNo);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 4; ++i) hex[i] = kDigits[rate >> (12 - 4 * i) & 0xF];
    hex[4] = '\0';
}
