#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "ConsoleStream.h"
#include "TempDir.h"

// The next results of write() on g_fd: n > 0 writes n bytes at most, 0 none, -e fails with e.
static int g_fd = -1;
static std::vector<int> g_results;

extern "C" ssize_t __real_write(int fd, const void* data, size_t size);
extern "C" ssize_t __wrap_write(int fd, const void* data, size_t size) {
    if (fd != g_fd || g_results.empty()) return __real_write(fd, data, size);
    const int next = g_results.front();
    g_results.erase(g_results.begin());
    errno = -next;
    return next > 0 ? __real_write(fd, data, std::min<size_t>(size, next)) : next < 0 ? -1 : 0;
}

// Short and interrupted writes are carried on; after a failed one nothing more is written.
TEST(ConsoleStreamTest, WritesEverythingOrFailsForGood) {
    const std::tuple<std::vector<int>, bool, std::string> kCases[] = {
        {{3, -EINTR, 1, -EINTR, 5}, true, "0123456789\nmore\n"},
        {{4, 0}, false, "0123"},
        {{-EPIPE}, false, ""},
    };
    for (const auto& [results, delivered, written] : kCases) {
        TempDir dir;
        ConsoleStream out(g_fd = ::open(dir.Path("out").c_str(), O_WRONLY | O_CREAT, 0600));
        g_results = results;
        out.Write("0123456789\n");
        out.Flush();
        out.Write("more\n");
        EXPECT_EQ(out.Flush(), delivered);
        ::close(std::exchange(g_fd, -1));
        EXPECT_EQ(ReadAll(dir.Path("out")), std::vector<uint8_t>(written.begin(), written.end()));
    }
}
