#include "ConsoleStream.h"

namespace {

constexpr std::size_t kFlushThreshold = 64 * 1024;

}  // namespace

void ConsoleStream::Write(const std::string& utf8) {
    m_pending += utf8;
    if (m_pending.size() >= kFlushThreshold) Flush();
}

bool ConsoleStream::Flush() {
    if (!m_pending.empty()) {
        if (!m_failed && !WriteNow(m_pending)) m_failed = true;
        m_pending.clear();
    }
    return !m_failed;
}
