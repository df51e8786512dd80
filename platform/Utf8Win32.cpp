#include "Utf8.h"

// Our own coder rather than the system's: MultiByteToWideChar and
// WideCharToMultiByte turn a lone surrogate into U+FFFD, and a name that
// holds one would then open another file.
bool Utf8ToWide(const std::string& utf8, std::wstring& wide) {
    wide.clear();
    std::u32string codePoints;
    if (!DecodeUtf8(utf8, codePoints, true)) return false;
    for (const char32_t c : codePoints) {
        if (c < 0x10000) {
            wide.push_back(static_cast<wchar_t>(c));
        } else {
            wide.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return true;
}

std::wstring Utf8ToWide(const std::string& utf8) {
    std::wstring wide;
    if (!Utf8ToWide(utf8, wide)) wide.clear();
    return wide;
}

std::string WideToUtf8(const std::wstring& wide) {
    std::string utf8;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = static_cast<char16_t>(wide[i]);
        const bool pair =
            c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
        if (pair) c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(wide[++i]) - 0xDC00);
        AppendUtf8(utf8, c);
    }
    return utf8;
}
