// The system's read, write, fsync and close misbehave on one chosen file, and flock may do nothing (-Wl,--wrap=read,...).
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "ConvertFixture.h"

extern "C" ssize_t __real_read(int fd, void* buffer, size_t n), __real_write(int fd, const void* buffer, size_t n);
extern "C" int __real_close(int fd), __real_fsync(int fd), __real_flock(int fd, int operation);

namespace {

// What else goes wrong: a failing write returns 0 instead of an error, fsync or close fails, every other call is
// interrupted by a signal (EINTR) first, or locks do nothing (as on a network file system without them).
enum class Twist { None, WritesNothing, SyncFails, CloseFails, Interrupts, LocksIgnored };

// On the file whose name holds `file` (the source, RAVELO.INI, or the new file written for dest.dvb) each call moves at most
// `chunk` bytes, and every call fails once `failAfter` bytes moved; the run ends with `message` ("" for success) at record `stoppedAt`.
struct Fault {
    const char *name, *file;
    size_t chunk, failAfter;
    Twist twist;
    const char* message;
    uint64_t stoppedAt;
};

const Fault* g_fault = nullptr;
size_t g_done = 0;
bool g_interrupted = false;

bool Targeted(int fd) {
    char name[4096] = {};
    return g_fault != nullptr && readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), name, sizeof name - 1) > 0 && std::strstr(name, g_fault->file);
}

// On the targeted file, moves at most the bytes the fault allows through `call`; fails once they are used up.
template <typename Call>
ssize_t Limited(int fd, size_t n, bool write, Call call) {
    if (!Targeted(fd)) return call(n);
    if (g_fault->twist == Twist::Interrupts && (g_interrupted = !g_interrupted)) return errno = EINTR, -1;
    if (g_done >= g_fault->failAfter) return errno = EIO, write && g_fault->twist == Twist::WritesNothing ? 0 : -1;
    const ssize_t moved = call(std::min({n, g_fault->chunk, g_fault->failAfter - g_done}));
    g_done += moved > 0 ? static_cast<size_t>(moved) : 0;
    return moved;
}

}  // namespace

extern "C" ssize_t __wrap_read(int fd, void* buffer, size_t n) { return Limited(fd, n, false, [&](size_t allowed) { return __real_read(fd, buffer, allowed); }); }
extern "C" ssize_t __wrap_write(int fd, const void* buffer, size_t n) { return Limited(fd, n, true, [&](size_t allowed) { return __real_write(fd, buffer, allowed); }); }

extern "C" int __wrap_flock(int fd, int operation) { return g_fault && g_fault->twist == Twist::LocksIgnored ? 0 : __real_flock(fd, operation); }
extern "C" int __wrap_fsync(int fd) { return Targeted(fd) && g_fault->twist == Twist::SyncFails ? (errno = EIO, -1) : __real_fsync(fd); }

extern "C" int __wrap_close(int fd) { return Targeted(fd) && g_fault->twist == Twist::CloseFails ? (__real_close(fd), errno = EIO, -1) : __real_close(fd); }

namespace {

constexpr size_t kRecords = 3000;  // two full 64 KiB blocks and part of a third
constexpr size_t kNever = SIZE_MAX;
const char* const kReadFailed = "Não foi possível ler o ficheiro\n{SOURCE} | (app) | error";
const char* const kWriteFailed = "Não foi possível gravar o ficheiro\n{DEST} | (app) | error";

const Fault kFaults[] = {
    {"RecordsStraddleShortReads", "/source.dvb", 100, kNever, Twist::None, "", kRecords},
    {"InterruptedReadsAreRetried", "/source.dvb", kNever, kNever, Twist::Interrupts, "", kRecords},
    {"InterruptedWritesAreRetried", "/.dest.dvb.ravelo-", kNever, kNever, Twist::Interrupts, "", kRecords},
    {"ReadErrorInTheSecondBlock", "/source.dvb", kNever, 70000, Twist::None, kReadFailed, 1094},
    {"ShortWritesThenAnError", "/.dest.dvb.ravelo-", 1000, 100000, Twist::None, kWriteFailed, 2049},
    {"WriteThatTakesNothing", "/.dest.dvb.ravelo-", kNever, 65536, Twist::WritesNothing, kWriteFailed, 2049},
    {"SyncFails", "/.dest.dvb.ravelo-", kNever, kNever, Twist::SyncFails, kWriteFailed, kRecords},
    {"CloseFails", "/.dest.dvb.ravelo-", kNever, kNever, Twist::CloseFails, kWriteFailed, kRecords},
    {"InterruptedSettingsReadsAreRetried", "/RAVELO.INI", kNever, kNever, Twist::Interrupts, "", kRecords},
    // The source named again as the destination is refused by its identity, not only by its lock.
    {"WithoutLocksTheSourceIsStillNeverItsOwnDestination", "/source.dvb", kNever, kNever, Twist::LocksIgnored, "Não foi possível criar o ficheiro\n{DEST} | (app) | none", 0},
    {"SettingsFileReadError", "/RAVELO.INI", 10, 20, Twist::None, "Não foi possivel aceder ao ficheiro de inicialização! | {ROOT}{SEP}RAVELO.INI | error", 0},
};

class SystemFaultTest : public ConvertFixture, public ::testing::WithParamInterface<Fault> {};

TEST_P(SystemFaultTest, EndsWithItsMessageAndClosesBothFiles) {
    const Fault& fault = GetParam();
    dir.Write("source.dvb", ChannelFile(std::vector<uint16_t>(kRecords, 1000)));
    dir.Write("dest.dvb", "old");
    std::filesystem::create_hard_link(FromUtf8(source), FromUtf8(dir.Path("link.dvb")));
    if (fault.twist == Twist::LocksIgnored) converter.typedDestination = dir.Path("link.dvb");
    g_done = 0, g_interrupted = false, g_fault = &fault;
    EXPECT_EQ(Run(), !*fault.message);
    g_fault = nullptr;

    EXPECT_EQ(converter.Lines("message"), Log{*fault.message ? Expand(std::string("message ") + fault.message) : kCompleted}) << "one message ends a run";
    EXPECT_EQ(converter.engine.RecordNo(), fault.stoppedAt) << "a failure surfaces with its block";
    EXPECT_TRUE(ReadAll(destination) == (*fault.message ? "old" : ChannelFile(std::vector<uint16_t>(kRecords, 300)))) << "the old file, or the whole new one";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 4) << "no new file is left";
    ExpectNotHeld(source);
    ExpectNotHeld(destination);
}

INSTANTIATE_TEST_SUITE_P(Engine, SystemFaultTest, ::testing::ValuesIn(kFaults), [](const auto& info) { return std::string(info.param.name); });

}  // namespace
