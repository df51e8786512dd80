#include "ConsoleStream.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

ConsoleStream::ConsoleStream(Which which) : ConsoleStream(which == Which::Output ? STDOUT_FILENO : STDERR_FILENO) {}

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
