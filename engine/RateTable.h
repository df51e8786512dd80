#pragma once

#include <cstdint>
#include <map>
#include <vector>

struct RateEntry {
    uint32_t newRate = 0;  // 0: no replacement; only the low 16 bits are written
    int32_t reported = 0;  // 1 once offered to the list in this run
};

// Source rate -> replacement, ordered by unsigned key. Every record asks for a
// 16-bit rate, so those entries are also found directly by index (map nodes
// never move).
class RateTable {
public:
    RateTable() = default;
    RateTable(const RateTable&) = delete;  // the index points into this table's own map
    RateTable& operator=(const RateTable&) = delete;

    void clear() {
        m_entries.clear();
        m_byRate.assign(m_byRate.size(), nullptr);
    }
    RateEntry& findOrInsert(uint32_t rate) {
        if (rate > 0xFFFF) return m_entries[rate];
        if (m_byRate.empty()) m_byRate.resize(0x10000);
        RateEntry*& entry = m_byRate[rate];
        if (entry == nullptr) entry = &m_entries[rate];
        return *entry;
    }

private:
    std::map<uint32_t, RateEntry> m_entries;
    std::vector<RateEntry*> m_byRate;
};
