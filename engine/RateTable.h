#pragma once

#include <cstdint>
#include <map>
#include <vector>

struct RateEntry {
    uint32_t newRate = 0;  // 0: no replacement; only the low 16 bits are written
    int32_t reported = 0;  // 1 once offered to the list in this run
};

// Source rate -> replacement, unique 32-bit keys. Every record asks for a
// 16-bit rate, so those live in a flat table of all 65,536 (an entry never
// stored reads as a new one); only wider rates from the settings file need
// the map.
class RateTable {
public:
    RateTable() : m_narrow(kNarrowRates) {}

    void Clear() {
        m_narrow.assign(kNarrowRates, RateEntry{});
        m_wide.clear();
    }
    RateEntry& FindOrInsert(uint32_t rate) { return rate < kNarrowRates ? m_narrow[rate] : m_wide[rate]; }

private:
    static constexpr uint32_t kNarrowRates = 0x10000;

    std::vector<RateEntry> m_narrow;
    std::map<uint32_t, RateEntry> m_wide;
};
