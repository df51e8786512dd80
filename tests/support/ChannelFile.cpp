#include "ChannelFile.h"

std::vector<uint8_t> ChannelFile(const std::vector<uint16_t>& rates) {
    std::vector<uint8_t> file(rates.size() * 64);
    for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<uint8_t>(i / 64 * 7 + i % 64);
    for (std::size_t at = 0; at < file.size(); at += 64) {
        file[at + 10] = static_cast<uint8_t>(rates[at / 64] >> 8);
        file[at + 11] = static_cast<uint8_t>(rates[at / 64]);
    }
    return file;
}

std::vector<uint8_t> WithRate(std::vector<uint8_t> file, unsigned from, unsigned to) {
    for (std::size_t at = 0; at + 64 <= file.size(); at += 64) {
        if (file[at + 10] * 256u + file[at + 11] != from) continue;
        file[at + 10] = static_cast<uint8_t>(to >> 8);
        file[at + 11] = static_cast<uint8_t>(to);
    }
    return file;
}
