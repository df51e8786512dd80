// ConsoleStream with write() and poll() results chosen by the test; TerminalConverter on a terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <cerrno>

#include "ChannelFile.h"
#include "TempDir.h"
#include "TerminalConverter.h"

// The next results of write() on g_fd: n > 0 writes n bytes at most, 0 none, -e fails with e.
static int g_fd = -1;
static std::vector<int> g_results;
static bool g_interruptPoll = false;  // the next wait on g_fd is interrupted by a signal

extern "C" ssize_t __real_write(int fd, const void* data, size_t size);
extern "C" ssize_t __wrap_write(int fd, const void* data, size_t size) {
    if (fd != g_fd || g_results.empty()) return __real_write(fd, data, size);
    const int next = g_results.front();
    g_results.erase(g_results.begin());
    if (next < 0) errno = -next;  // a write that takes nothing leaves errno as it was
    return next > 0 ? __real_write(fd, data, std::min<size_t>(size, next)) : next < 0 ? -1 : 0;
}
extern "C" int __real_poll(pollfd* fds, nfds_t n, int timeout);
extern "C" int __wrap_poll(pollfd* fds, nfds_t n, int timeout) {
    return fds->fd == g_fd && std::exchange(g_interruptPoll, false) ? (errno = EINTR, -1) : __real_poll(fds, n, timeout);
}

// Short, interrupted and would-block writes (the wait for room interrupted too) are carried on; after a failed one, nothing.
TEST(ConsoleStreamTest, WritesEverythingOrFailsForGood) {
    const std::tuple<std::vector<int>, bool, std::string> kCases[] = {
        {{3, -EINTR, 1, -EAGAIN, -EAGAIN, 5}, true, "0123456789\nmore\n"},
        {{-EAGAIN, -EAGAIN, 0}, false, ""},  // a write that takes nothing fails, after a wait too
        {{4, -EINTR, 0}, false, "0123"},
        {{-EPIPE}, false, ""},
    };
    for (const auto& [results, delivered, written] : kCases) {
        TempDir dir;
        ConsoleStream out(g_fd = ::open(dir.Path("out").c_str(), O_WRONLY | O_CREAT, 0600));
        g_results = results, g_interruptPoll = true;
        out.Write("0123456789\n");
        out.Flush();
        out.Write("more\n");
        EXPECT_EQ(out.Flush(), delivered);
        ::close(std::exchange(g_fd, -1));
        EXPECT_EQ(ReadAll(dir.Path("out")), written);
    }
}

// Standard error a terminal, output a file: each new percentage shows at once over the last, a
// message erases it first, and the run's end erases the bar that came back after the message.
TEST(TerminalConverterTest, DrawsProgressOnATerminalAndErasesItBeforeEachMessageAndAtTheEnd) {
    TempDir dir;
    dir.Write("in.dvb", ChannelFile({1000, 10, 10}) + "xy");
    int terminal = -1, program = -1;
    ASSERT_EQ(::openpty(&terminal, &program, nullptr, nullptr, nullptr), 0);
    ::fcntl(terminal, F_SETFL, O_NONBLOCK);
    // The terminal hands output on asynchronously: read until it has been quiet for 100 ms.
    auto shown = [terminal, all = std::string(), part = std::string(256, '\0')]() mutable {
        for (pollfd ready{terminal, POLLIN, 0}; ::poll(&ready, 1, 100) > 0;)
            if (const ssize_t got = ::read(terminal, part.data(), part.size()); got > 0) all.append(part, 0, got); else break;
        return std::exchange(all, "");
    };
    const int file = ::open(dir.Path("rows").c_str(), O_WRONLY | O_CREAT, 0600);
    ConsoleStream out(file), err(program);
    TerminalConverter converter(dir.Path("in.dvb"), dir.Path("out.dvb"), dir.Write("a.ini", "SRD: 1000 > 300\n"), out, err);
    EXPECT_EQ(converter.Run(), 1);
    const std::string erase = "\r" + std::string(30, ' ') + "\r";
    EXPECT_EQ(shown(), "\r  0%  registo 1  convertidos 0\r 32%  registo 2  convertidos 1\r 65%  registo 3  convertidos 1"
                       "\r 98%  registo 4  convertidos 1" + erase + dir.Path("out.dvb") + ": O stream fonte poderá estar corrupto.\r\n"
                       "\r100%  registo 4  convertidos 1" + erase);
    for (int percent : {7, 7}) converter.SetProgress(percent);
    EXPECT_EQ(shown(), "\r  7%  registo 4  convertidos 1");
    out.Flush();
    EXPECT_EQ(ReadAll(dir.Path("rows")), "000A\t10\t2\nContagem de SR convertidos: 1\n");
    ::close(program), ::close(terminal), ::close(file);
}
