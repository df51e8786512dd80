#pragma once

#include <cstdint>
#include <string>

// What one piece of RAVELO.INI asks for.
struct SettingsLine {
    enum class Kind { Ignored, Store, SyntaxError };
    Kind kind = Kind::Ignored;
    uint32_t sourceRate = 0;
    uint32_t newRate = 0;
    // The piece as the runtime sees it: cut at its first zero byte, a-z upper-cased.
    std::string text;
};

// Interprets one piece (at most 255 bytes, line end included) of the settings file:
// comments in column 1, "SRH:" (hexadecimal) and "SRD:" (decimal, wins over SRH:).
SettingsLine ParseSettingsLine(const std::string& piece);
