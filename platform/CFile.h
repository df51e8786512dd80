#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A data file opened for one run. Paths are UTF-8. Files opened Exclusive are
// held without sharing: while open, no other opening of the same file (by any
// name) succeeds, and a create that would hit such a file fails before anything
// is truncated. The position is tracked here, so asking for it costs nothing.
class CFile {
public:
    enum class Mode {
        ReadExclusive,    // existing regular file, binary, no sharing
        CreateExclusive,  // created or emptied, binary, no sharing
        ReadShared,       // existing regular file, others may read and write it
    };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    bool Open(const std::string& path, Mode mode);
    bool IsOpen() const;
    bool GetLength(uint64_t& length) const;
    uint64_t GetPosition() const { return m_position; }
    // Reads until n bytes arrived or the file ended; false on a read error.
    bool Read(void* buffer, std::size_t n, std::size_t& received);
    bool Write(const void* buffer, std::size_t n);
    bool Flush();
    // Always leaves the file closed; false when the system reported an error.
    bool Close();

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
    uint64_t m_device = 0;
    uint64_t m_inode = 0;
    bool m_exclusive = false;
#endif
    uint64_t m_position = 0;
};
