#include "NumberScanner.h"

namespace {

bool IsScanSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

const char* SkipSpace(const char* p) {
    while (IsScanSpace(*p)) ++p;
    return p;
}

int DigitValue(char c, NumberBase base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == NumberBase::Decimal) return -1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One conversion: leading white space, sign, optional 0x, at least one digit.
// Advances p past what was read; returns false when nothing matched.
bool ScanNumber(const char*& p, NumberBase base, uint32_t& value) {
    const char* q = SkipSpace(p);
    bool negative = false;
    if (*q == '+' || *q == '-') {
        negative = *q == '-';
        ++q;
    }
    const uint32_t radix = base == NumberBase::Hexadecimal ? 16 : 10;
    if (base == NumberBase::Hexadecimal && q[0] == '0' && (q[1] == 'x' || q[1] == 'X')) {
        // The runtime treats "0x" without a hex digit after it as no match.
        if (DigitValue(q[2], base) < 0) return false;
        q += 2;
    }
    if (DigitValue(*q, base) < 0) return false;
    uint32_t result = 0;
    for (int digit; (digit = DigitValue(*q, base)) >= 0; ++q) {
        result = result * radix + static_cast<uint32_t>(digit);  // wraps modulo 2^32
    }
    value = negative ? 0u - result : result;
    p = q;
    return true;
}

}  // namespace

int ScanRatePair(const char* text, NumberBase base, uint32_t& first, uint32_t& second) {
    const char* p = text;
    if (!ScanNumber(p, base, first)) return 0;
    p = SkipSpace(p);
    if (*p != '>') return 1;
    ++p;
    if (!ScanNumber(p, base, second)) return 1;
    return 2;
}
