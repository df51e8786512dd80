#include "CFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

// POSIX has no share modes. A data file carries a flock lock on its open file
// description: shared while it is read, exclusive while it is written. Any
// other opening gets a description of its own, in this process or another,
// and is refused a lock that conflicts.

// Offsets of files past 2 GiB, on 32-bit builds too (_FILE_OFFSET_BITS=64).
static_assert(sizeof(off_t) >= 8, "off_t must hold 64-bit file sizes");

bool CFile::IsOpen() const { return m_fd >= 0; }

namespace {

bool IsNullDevice(const struct stat& st) {
    struct stat null {};
    return S_ISCHR(st.st_mode) && ::stat("/dev/null", &null) == 0 && S_ISCHR(null.st_mode) &&
           st.st_rdev == null.st_rdev;
}

FileIdentity IdentityOf(const struct stat& st) {
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

}  // namespace

bool CFile::SystemOpen(const std::string& path, Mode mode) {
    const bool create = mode == Mode::CreateData;
    const bool settings = mode == Mode::ReadSettings;
    // No O_TRUNC: the file is emptied only once it is known not to be held.
    // O_NONBLOCK keeps a FIFO named as a data file from blocking the open; it is
    // cleared again below. The settings may come from a pipe, which waits for its writer.
    const int flags = (create ? O_WRONLY | O_CREAT : O_RDONLY) | O_CLOEXEC | (settings ? 0 : O_NONBLOCK);
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return false;

    struct stat st {};
    bool usable = ::fstat(fd, &st) == 0 &&
                  (settings ? !S_ISDIR(st.st_mode) : S_ISREG(st.st_mode) || (create && IsNullDevice(st))) &&
                  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    // The null device is shared by nature and is not locked.
    if (usable && S_ISREG(st.st_mode) && !settings) usable = ::flock(fd, (create ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0;
    if (!usable) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool CFile::SystemEmpty() {
    struct stat st {};
    return ::fstat(m_fd, &st) == 0 && (!S_ISREG(st.st_mode) || ::ftruncate(m_fd, 0) == 0);
}

bool CFile::GetIdentity(FileIdentity& identity) const {
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    identity = IdentityOf(st);
    return true;
}

// Input is opened for writing and the others for reading: each stays as
// unusable as the closed descriptor was.
bool CFile::ReserveStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // The lowest free number is taken: this one, as those below it are open.
        if (::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY) != fd) return false;
    }
    return true;
}

std::vector<FileIdentity> CFile::StandardOutputFiles() {
    std::vector<FileIdentity> files;
    for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) files.push_back(IdentityOf(st));
    }
    return files;
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
