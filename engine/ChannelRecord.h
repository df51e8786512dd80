#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One 64-byte channel record; the symbol rate is big-endian at bytes 10-11.
struct ChannelRecord {
    static constexpr std::size_t kSize = 64;
    static constexpr std::size_t kRateOffset = 10;

    std::array<uint8_t, kSize> bytes{};

    uint16_t GetSymbolRate() const { return static_cast<uint16_t>(bytes[kRateOffset] << 8 | bytes[kRateOffset + 1]); }
    // Only the low 16 bits are kept.
    void SetSymbolRate(uint32_t rate) {
        bytes[kRateOffset] = static_cast<uint8_t>(rate >> 8);
        bytes[kRateOffset + 1] = static_cast<uint8_t>(rate);
    }
};
