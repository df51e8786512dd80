#pragma once

#include <cstdint>
#include <map>
#include <vector>

// Four bytes, so that the table of all 16-bit rates stays small enough for
// the cache: a file of random rates looks them up all over it.
struct RateEntry {
    uint16_t newRate = 0;   // the replacement's low 16 bits: all that is written
    bool replaced = false;  // the settings file gave a replacement other than 0
    bool reported = false;  // offered to the list in this run

    void SetReplacement(uint32_t rate) {
        newRate = static_cast<uint16_t>(rate);
        replaced = rate != 0;
    }
};

// Source rate -> replacement, unique 32-bit keys. Every record asks for a
// 16-bit rate, so those live in a flat table of all 65,536 (an entry never
// stored reads as a new one); only wider rates from the settings file need
// the map.
class RateTable {
public:
    RateTable() : m_narrow(kNarrowRates) {}

    void clear() {
        m_narrow.assign(kNarrowRates, RateEntry{});
        m_wide.clear();
    }
    RateEntry& findOrInsert(uint32_t rate) {
        return rate < kNarrowRates ? m_narrow[rate] : m_wide[rate];
    }

private:
    static constexpr uint32_t kNarrowRates = 0x10000;

    std::vector<RateEntry> m_narrow;
    std::map<uint32_t, RateEntry> m_wide;
};
