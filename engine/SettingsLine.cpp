#include "SettingsLine.h"

#include <cstring>

#include "NumberScanner.h"

namespace {

void UpperCaseAscii(std::string& s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
}

// Searches like strstr: the text ends at its first zero byte.
const char* FindDirective(const std::string& text, const char* name) { return std::strstr(text.c_str(), name); }

}  // namespace

SettingsLine ParseSettingsLine(const std::string& piece) {
    SettingsLine line;
    line.text = piece.substr(0, piece.find('\0'));
    if (line.text.empty() || line.text[0] == ';') return line;
    UpperCaseAscii(line.text);

    uint32_t first = 0, second = 0;
    bool haveHexPair = false;
    if (const char* srh = FindDirective(line.text, "SRH:")) {
        if (ScanRatePair(srh + 4, NumberBase::Hexadecimal, first, second) != 2) {
            line.kind = SettingsLine::Kind::SyntaxError;
            return line;
        }
        haveHexPair = true;
    }
    if (const char* srd = FindDirective(line.text, "SRD:")) {
        if (ScanRatePair(srd + 4, NumberBase::Decimal, first, second) != 2) {
            line.kind = SettingsLine::Kind::SyntaxError;
            return line;
        }
    } else if (!haveHexPair) {
        return line;
    }
    line.kind = SettingsLine::Kind::Store;
    line.sourceRate = first;
    line.newRate = second;
    return line;
}
