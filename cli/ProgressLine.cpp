#include "ProgressLine.h"

#include <cstdio>

// Within a run every number only grows, so each line covers the one before.
std::string ProgressLine::Update(int percent, uint64_t recordNo, uint64_t convertedCount) {
    if (percent == m_percent) return {};
    m_percent = percent;
    char text[96];
    const int width =
        std::snprintf(text, sizeof text, "%3d%%  registo %llu  convertidos %llu", percent,
                      static_cast<unsigned long long>(recordNo), static_cast<unsigned long long>(convertedCount));
    m_width = static_cast<std::size_t>(width);
    return std::string("\r") + text;
}

std::string ProgressLine::Clear() {
    if (m_width == 0) return {};
    std::string blank = "\r" + std::string(m_width, ' ') + "\r";
    m_width = 0;
    m_percent = -1;
    return blank;
}
