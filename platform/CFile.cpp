#include "CFile.h"

#include <algorithm>
#include <cstring>

CFile::~CFile() { Close(); }

bool CFile::Open(const std::string& path, Mode mode, const std::vector<FileIdentity>& kept) {
    Close();
    const bool create = mode == Mode::CreateData;
    if (!(create ? SystemCreate(path, kept) : SystemOpen(path, mode))) return false;
    m_writing = create;
    m_position = 0;
    return true;
}

// The same file seen through another mount (overlayfs, a share mounted twice)
// has another device number but the same inode number, size and time.
bool CFile::IsKept(const FileIdentity& identity, const std::vector<FileIdentity>& kept) {
    return std::any_of(kept.begin(), kept.end(), [&identity](const FileIdentity& other) {
        return identity == other || (identity.modified != 0 && identity.file == other.file &&
                                     identity.size == other.size && identity.modified == other.modified);
    });
}

bool CFile::ReadAcrossBlocks(void* buffer, std::size_t n, std::size_t& received) {
    received = 0;
    auto* out = static_cast<unsigned char*>(buffer);
    bool ok = IsOpen() && !m_writing;
    while (ok && received < n) {
        if (m_begin == m_end) {
            m_block.resize(kBlockSize);
            std::size_t got = 0;
            ok = SystemRead(m_block.data(), m_block.size(), got);
            m_begin = 0;
            m_end = ok ? got : 0;
            if (m_end == 0) break;
        }
        const std::size_t take = std::min(n - received, m_end - m_begin);
        std::memcpy(out + received, m_block.data() + m_begin, take);
        m_begin += take;
        received += take;
    }
    m_position += received;
    return ok;
}

bool CFile::WriteAcrossBlocks(const void* buffer, std::size_t n) {
    if (!IsOpen() || !m_writing || m_writeFailed) return false;
    const auto* in = static_cast<const unsigned char*>(buffer);
    m_block.resize(kBlockSize);
    while (n > 0) {
        if (m_end == m_block.size() && !WritePending()) return false;
        const std::size_t take = std::min(n, m_block.size() - m_end);
        std::memcpy(m_block.data() + m_end, in, take);
        m_end += take;
        in += take;
        n -= take;
        m_position += take;
    }
    return true;
}

// A write that takes nothing would be retried forever: it counts as a failure,
// and what was pending is dropped so that Close does not try again.
bool CFile::WritePending() {
    while (!m_writeFailed && m_begin < m_end) {
        std::size_t written = 0;
        if (!SystemWrite(m_block.data() + m_begin, m_end - m_begin, written) || written == 0) m_writeFailed = true;
        m_begin += written;
    }
    m_begin = m_end = 0;
    return !m_writeFailed;
}

bool CFile::Flush() {
    if (!IsOpen()) return false;
    if (!m_writing) return true;
    return WritePending() && SystemFlush();
}

void CFile::Reset() {
    m_writing = m_writeFailed = false;
    m_begin = m_end = 0;
    m_position = 0;
    m_newPath.clear();
    m_finalPath.clear();
}

bool CFile::Close() {
    if (!IsOpen()) return true;
    if (!m_newPath.empty()) {
        SystemDiscard();
        Reset();
        return true;
    }
    const bool written = !m_writing || WritePending();
    const bool closed = SystemClose();
    Reset();
    return written && closed;
}

bool CFile::Commit() {
    if (!IsOpen() || !m_writing) return false;
    if (m_newPath.empty()) return Flush() & Close();
    const bool committed = WritePending() && SystemCommit();
    if (!committed && IsOpen()) SystemDiscard();
    Reset();
    return committed;
}
