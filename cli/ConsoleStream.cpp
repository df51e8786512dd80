#include "ConsoleStream.h"

#ifdef _WIN32
#include <windows.h>

#include "Utf8.h"
#else
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#endif

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

#ifdef _WIN32

ConsoleStream::ConsoleStream(Which which)
    : ConsoleStream(GetStdHandle(which == Which::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE)) {}

ConsoleStream::ConsoleStream(Native stream) : m_stream(stream) {
    DWORD mode = 0;
    m_terminal = m_stream != nullptr && m_stream != INVALID_HANDLE_VALUE &&
                 GetConsoleMode(static_cast<HANDLE>(m_stream), &mode) != 0;
}

bool ConsoleStream::WriteNow(const std::string& utf8) {
    HANDLE handle = static_cast<HANDLE>(m_stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    if (m_terminal) {
        // What comes here was made fit to show before (BytesToDisplayText).
        std::wstring wide;
        if (!Utf8ToWide(utf8, wide)) return false;
        DWORD written = 0;
        for (std::size_t done = 0; done < wide.size(); done += written) {
            if (!WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(wide.size() - done),
                               &written, nullptr) ||
                written == 0)
                return false;
        }
        return true;
    }
    DWORD written = 0;
    for (std::size_t done = 0; done < utf8.size(); done += written) {
        if (!WriteFile(handle, utf8.data() + done, static_cast<DWORD>(utf8.size() - done), &written,
                       nullptr) ||
            written == 0)
            return false;
    }
    return true;
}

#else

ConsoleStream::ConsoleStream(Which which)
    : ConsoleStream(which == Which::Output ? STDOUT_FILENO : STDERR_FILENO) {}

ConsoleStream::ConsoleStream(Native stream) : m_stream(stream), m_terminal(::isatty(stream) == 1) {}

// A pipe may take part of the text at a time; a write that takes nothing is a
// failure, so a stuck reader cannot keep this loop going. A non-blocking
// stream that is full is waited for, as a blocking one would be.
bool ConsoleStream::WriteNow(const std::string& utf8) {
    std::size_t done = 0;
    while (done < utf8.size()) {
        const ssize_t put = ::write(m_stream, utf8.data() + done, utf8.size() - done);
        if (put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd writable{m_stream, POLLOUT, 0};
            if (::poll(&writable, 1, -1) < 0 && errno != EINTR) return false;
            continue;
        }
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

#endif
