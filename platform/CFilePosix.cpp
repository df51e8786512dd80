#include "CFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <set>
#include <utility>

// POSIX has no share modes: this process keeps the identities of the files it
// holds exclusively, and refuses to open any of them a second time.
namespace {

std::mutex g_heldMutex;
std::set<std::pair<uint64_t, uint64_t>> g_held;

bool TryHold(uint64_t device, uint64_t inode) {
    std::lock_guard<std::mutex> lock(g_heldMutex);
    return g_held.emplace(device, inode).second;
}

void Release(uint64_t device, uint64_t inode) {
    std::lock_guard<std::mutex> lock(g_heldMutex);
    g_held.erase({device, inode});
}

}  // namespace

CFile::~CFile() { Close(); }

bool CFile::IsOpen() const { return m_fd >= 0; }

bool CFile::Open(const std::string& path, Mode mode) {
    Close();
    const bool create = mode == Mode::CreateExclusive;
    // No O_TRUNC: the file is emptied only once it is known not to be held.
    // O_NONBLOCK keeps a FIFO from blocking the open; it is cleared again below.
    const int flags = (create ? O_WRONLY | O_CREAT : O_RDONLY) | O_CLOEXEC | O_NONBLOCK;
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return false;

    struct stat st {};
    const bool usable = ::fstat(fd, &st) == 0 &&
                        (S_ISREG(st.st_mode) || (create && S_ISCHR(st.st_mode))) &&
                        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    const bool exclusive = mode != Mode::ReadShared;
    if (!usable || (exclusive && !TryHold(st.st_dev, st.st_ino))) {
        ::close(fd);
        return false;
    }
    if (create && S_ISREG(st.st_mode) && ::ftruncate(fd, 0) != 0) {
        Release(st.st_dev, st.st_ino);
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_device = st.st_dev;
    m_inode = st.st_ino;
    m_exclusive = exclusive;
    m_position = 0;
    return true;
}

bool CFile::GetLength(uint64_t& length) const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return false;
    length = static_cast<uint64_t>(st.st_size);
    return true;
}

bool CFile::Read(void* buffer, std::size_t n, std::size_t& received) {
    received = 0;
    auto* out = static_cast<char*>(buffer);
    while (received < n) {
        ssize_t got = ::read(m_fd, out + received, n - received);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        received += static_cast<std::size_t>(got);
    }
    m_position += received;
    return true;
}

bool CFile::Write(const void* buffer, std::size_t n) {
    const auto* in = static_cast<const char*>(buffer);
    std::size_t written = 0;
    while (written < n) {
        ssize_t put = ::write(m_fd, in + written, n - written);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        written += static_cast<std::size_t>(put);
    }
    m_position += written;
    return true;
}

// Nothing is buffered in this process: every Write went to the kernel, and a
// late error of the file system is reported by Close.
bool CFile::Flush() { return m_fd >= 0; }

bool CFile::Close() {
    if (m_fd < 0) return true;
    const bool ok = ::close(m_fd) == 0;
    if (m_exclusive) Release(m_device, m_inode);
    m_fd = -1;
    m_exclusive = false;
    m_position = 0;
    return ok;
}
