#pragma once

#include <cstdint>
#include <vector>

// A channel file: one 64-byte record per rate, the rate big-endian at byte 10,
// the other 62 bytes differing from record to record so that a shifted or
// altered byte shows.
std::vector<uint8_t> ChannelFile(const std::vector<uint16_t>& rates);
// The same file with rate `from` rewritten as `to` in every record.
std::vector<uint8_t> WithRate(std::vector<uint8_t> file, unsigned from, unsigned to);
