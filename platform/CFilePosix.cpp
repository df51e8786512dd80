#include "CFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

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
    return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino), static_cast<uint64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// The name a link leads to, or the name itself; empty for a link that leads nowhere.
std::string FollowedName(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? resolved : "";
}

// A new file in the folder of `finalPath`, with the permission bits of a file
// created there by anyone else; -1 when the folder takes none.
int MakeNewFile(const std::string& finalPath, std::string& newPath) {
    const std::size_t slash = finalPath.rfind('/');
    const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    newPath = finalPath.substr(0, nameAt) + "." + finalPath.substr(nameAt) + ".ravelo-XXXXXX";
    const int fd = ::mkostemp(newPath.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    return fd;
}

// Removes the new file, if its name still leads to the file this run made.
void RemoveNewFile(const struct stat& made, const std::string& newPath) {
    struct stat named {};
    if (::lstat(newPath.c_str(), &named) == 0 && made.st_dev == named.st_dev && made.st_ino == named.st_ino)
        ::unlink(newPath.c_str());
}

void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems cannot sync a folder; the rename stands either way
    ::close(fd);
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

bool CFile::SystemCreate(const std::string& path, const std::vector<FileIdentity>& kept) {
    // The destination as it is, held without being changed: a file this run may write.
    const int held = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (held < 0 && errno != ENOENT) return false;
    struct stat st {};
    if (held >= 0) {
        const bool usable =
            ::fstat(held, &st) == 0 && (S_ISREG(st.st_mode) || IsNullDevice(st)) &&
            ::fcntl(held, F_SETFL, ::fcntl(held, F_GETFL) & ~O_NONBLOCK) == 0 &&
            (!S_ISREG(st.st_mode) || (::flock(held, LOCK_EX | LOCK_NB) == 0 && !IsKept(IdentityOf(st), kept)));
        if (!usable) {
            ::close(held);
            return false;
        }
    }
    const std::string finalPath = FollowedName(path);
    std::string newPath;
    const bool replace = !finalPath.empty() && (held < 0 || (S_ISREG(st.st_mode) && st.st_nlink == 1));
    const int fd = replace ? MakeNewFile(finalPath, newPath) : -1;
    if (fd < 0) {  // written in place
        if (held >= 0) {
            m_fd = held;
        } else if (!SystemOpen(path, Mode::CreateData)) {
            return false;
        }
        if (SystemEmpty()) return true;
        SystemClose();
        return false;
    }
    if (held >= 0) {
        // Owner and group where this process may give them, the group alone where it may
        // not; then the bits, which a change of owner clears.
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
        ::fchmod(fd, st.st_mode & 07777);
    }
    ::flock(fd, LOCK_EX | LOCK_NB);
    m_fd = fd;
    m_held = held;
    m_newPath = newPath;
    m_finalPath = finalPath;
    return true;
}

bool CFile::SystemCommit() {
    struct stat made {};
    const bool known = ::fstat(m_fd, &made) == 0;
    const bool synced = ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    const bool moved = known && synced && closed && ::rename(m_newPath.c_str(), m_finalPath.c_str()) == 0;
    if (moved) {
        SyncFolderOf(m_finalPath);
    } else if (known) {
        RemoveNewFile(made, m_newPath);
    }
    if (m_held >= 0) ::close(m_held);
    m_held = -1;
    return moved;
}

void CFile::SystemDiscard() {
    struct stat made {};
    if (::fstat(m_fd, &made) == 0) RemoveNewFile(made, m_newPath);
    ::close(m_fd);
    m_fd = -1;
    if (m_held >= 0) ::close(m_held);
    m_held = -1;
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
