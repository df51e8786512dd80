#pragma once

#include <cstdint>
#include <string>

// The one-line progress indicator drawn on a terminal: percentage, record in
// hand and the running count. It is redrawn only when the percentage changes,
// and each drawing overwrites the previous one in place.
class ProgressLine {
public:
    // The characters that draw the new state, or "" when nothing changed.
    std::string Update(int percent, uint64_t recordNo, uint32_t convertedCount);
    // The characters that erase what was drawn ("" when nothing is shown).
    std::string Clear();

private:
    int m_percent = -1;
    std::size_t m_width = 0;
};
