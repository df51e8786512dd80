#include "ChannelFile.h"

std::vector<uint8_t> ChannelFile(const std::vector<uint16_t>& rates) {
    std::vector<uint8_t> file;
    unsigned recordNo = 0;
    for (uint16_t rate : rates) {
        for (unsigned i = 0; i < 64; ++i) file.push_back(static_cast<uint8_t>(recordNo * 7 + i));
        file[file.size() - 64 + 10] = static_cast<uint8_t>(rate >> 8);
        file[file.size() - 64 + 11] = static_cast<uint8_t>(rate);
        ++recordNo;
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
