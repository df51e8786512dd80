#include "CFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

// POSIX has no share modes. A file held exclusively carries a flock lock on its
// open file description; any other opening of it, by this process or another,
// gets a description of its own and is refused the lock.

bool CFile::IsOpen() const { return m_fd >= 0; }

bool CFile::Open(const std::string& path, Mode mode) {
    Close();
    const bool create = mode == Mode::CreateExclusive;
    // No O_TRUNC: the file is emptied only once it is known not to be held.
    // O_NONBLOCK keeps a FIFO from blocking the open; it is cleared again below.
    const int flags = (create ? O_WRONLY | O_CREAT : O_RDONLY) | O_CLOEXEC | O_NONBLOCK;
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return false;

    struct stat st {};
    bool usable = ::fstat(fd, &st) == 0 &&
                  (S_ISREG(st.st_mode) || (create && S_ISCHR(st.st_mode))) &&
                  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    // Devices such as /dev/null are shared by nature and are not locked.
    if (usable && S_ISREG(st.st_mode)) {
        if (mode != Mode::ReadShared) usable = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (usable && create) usable = ::ftruncate(fd, 0) == 0;
    }
    if (!usable) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_writing = create;
    m_position = 0;
    return true;
}

bool CFile::GetLength(uint64_t& length) const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return false;
    length = static_cast<uint64_t>(st.st_size);
    return true;
}

bool CFile::SystemRead(void* buffer, std::size_t n, std::size_t& received) {
    ssize_t got;
    do got = ::read(m_fd, buffer, n);
    while (got < 0 && errno == EINTR);
    if (got < 0) return false;
    received = static_cast<std::size_t>(got);
    return true;
}

bool CFile::SystemWrite(const void* buffer, std::size_t n, std::size_t& written) {
    ssize_t put;
    do put = ::write(m_fd, buffer, n);
    while (put < 0 && errno == EINTR);
    if (put < 0) return false;
    written = static_cast<std::size_t>(put);
    return true;
}

// Everything went to the kernel; a late error of the file system is reported by close.
bool CFile::SystemFlush() { return true; }

bool CFile::SystemClose() {
    const bool ok = ::close(m_fd) == 0;
    m_fd = -1;
    return ok;
}
