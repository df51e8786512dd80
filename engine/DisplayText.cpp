#include "DisplayText.h"

#include <cstdint>

#include "Utf8.h"

namespace {

// 0x80-0x9F of Windows-1252; the five unassigned bytes read as the C1 control
// of the same value, as Windows itself reads them.
constexpr uint16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The pictures say which control it was; C1 controls have none, and are
// rare enough in names that the replacement character serves.
char32_t Shown(char32_t c) {
    if (c < 0x20) return 0x2400 + c;
    if (c == 0x7F) return 0x2421;
    if (c >= 0x80 && c < 0xA0) return 0xFFFD;
    return c;
}

}  // namespace

std::string BytesToDisplayText(const std::string& bytes) {
    std::u32string codePoints;
    if (!DecodeUtf8(bytes, codePoints, false)) {
        codePoints.clear();
        for (const char ch : bytes) {
            const auto c = static_cast<unsigned char>(ch);
            codePoints.push_back(c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c);
        }
    }
    std::string out;
    for (const char32_t c : codePoints) AppendUtf8(out, Shown(c));
    return out;
}
