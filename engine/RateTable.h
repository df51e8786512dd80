#pragma once

#include <cstdint>
#include <map>

struct RateEntry {
    uint32_t newRate = 0;  // 0: no replacement; only the low 16 bits are written
    int32_t reported = 0;  // 1 once offered to the list in this run
};

// Source rate -> replacement, ordered by unsigned key.
class RateTable {
public:
    void clear() { m_entries.clear(); }
    RateEntry& findOrInsert(uint32_t rate) { return m_entries[rate]; }

private:
    std::map<uint32_t, RateEntry> m_entries;
};
