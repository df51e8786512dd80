#include "ProgressLine.h"

#include <cstdio>

std::string ProgressLine::Update(int percent, int32_t recordNo, uint32_t convertedCount) {
    if (percent == m_percent) return {};
    m_percent = percent;
    char text[96];
    std::snprintf(text, sizeof text, "%3d%%  registo %ld  convertidos %lu", percent,
                  static_cast<long>(recordNo), static_cast<unsigned long>(convertedCount));
    std::string line = text;
    const std::size_t width = line.size();
    // Blanks over whatever a longer previous line left behind.
    if (width < m_width) line.append(m_width - width, ' ');
    m_width = width > m_width ? width : m_width;
    return "\r" + line;
}

std::string ProgressLine::Clear() {
    if (m_width == 0) return {};
    std::string blank = "\r" + std::string(m_width, ' ') + "\r";
    m_width = 0;
    m_percent = -1;
    return blank;
}
