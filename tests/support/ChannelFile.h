#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A channel file: one 64-byte record per rate, the rate big-endian at byte 10, the other 62 bytes
// differing from record to record so that a shifted or altered byte shows.
inline std::string ChannelFile(const std::vector<uint16_t>& rates) {
    std::string file(rates.size() * 64, '\0');
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<char>(i / 64 * 7 + i % 64);
    for (std::size_t at = 0; at < file.size(); at += 64) {
        file[at + 10] = static_cast<char>(rates[at / 64] >> 8);
        file[at + 11] = static_cast<char>(rates[at / 64]);
    }
    return file;
}
