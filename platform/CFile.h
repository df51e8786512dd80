#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// What makes two names the same file: device and inode on POSIX, volume serial
// number and file ID on Windows.
// Size and modification time (POSIX only; 0 elsewhere) also show the same file
// seen through another mount, which gives it another device number.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t file = 0;
    uint64_t size = 0;
    int64_t modified = 0;  // nanoseconds
    bool operator==(const FileIdentity& other) const { return volume == other.volume && file == other.file; }
};

// A file opened for one run. Paths are UTF-8.
// A data file is held while it is open. On Windows it is opened without
// sharing, so no other opening of it, by any name, in this or another
// process, succeeds. On POSIX the hold is a flock lock: a file being read
// takes a shared lock, one being written an exclusive lock, so a written file
// excludes every other opening that locks, and readers of a source coexist.
// Programs that take no lock (cp, an editor) are not kept out on POSIX.
// A create that would hit a held file, or one of the `kept` files, fails
// before anything is changed. The only device a create accepts is the null
// device, named as such.
// A created file is written as a new file beside the destination, hidden and
// named ".NAME.ravelo-XXXXXX", and the destination (held meanwhile) is left
// as it was: Commit puts the new file in its place in one step, with its bytes
// on the disk first; Close, or the destructor, removes the new file instead.
// A link is followed: the file it names is replaced. Where the new file could
// not keep what the destination is (a device, a file with more than one name)
// or cannot be made (a folder that takes no new file), the destination itself
// is emptied and written, as WritesInPlace says.
// Callers read and write in small pieces; the system sees blocks of kBlockSize
// bytes. A write error may therefore surface at a later Write, Flush or Close.
class CFile {
public:
    static constexpr std::size_t kBlockSize = 64 * 1024;

    enum class Mode {
        ReadData,      // existing regular file, binary, held for reading
        CreateData,    // replaced (or created), binary, held for writing
        ReadSettings,  // not held; POSIX: any readable file but a directory, Windows: a disk file
    };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // A create that finds one of the `kept` files fails before changing it.
    bool Open(const std::string& path, Mode mode, const std::vector<FileIdentity>& kept = {});
    bool IsOpen() const;
    // False for what is no file on a disk (a device).
    bool GetIdentity(FileIdentity& identity) const;
    bool GetLength(uint64_t& length) const;
    // Bytes handed to or taken from the caller since Open.
    uint64_t GetPosition() const { return m_position; }
    // Reads until n bytes arrived or the file ended; false on a read error.
    bool Read(void* buffer, std::size_t n, std::size_t& received) {
        if (m_end - m_begin < n || m_writing) return ReadAcrossBlocks(buffer, n, received);
        std::memcpy(buffer, m_block.data() + m_begin, n);  // the usual case: the block holds it all
        m_begin += n;
        m_position += n;
        received = n;
        return true;
    }
    bool Write(const void* buffer, std::size_t n) {
        if (!m_writing || m_block.size() - m_end <= n || m_writeFailed) return WriteAcrossBlocks(buffer, n);
        std::memcpy(m_block.data() + m_end, buffer, n);  // the usual case: room in the block
        m_end += n;
        m_position += n;
        return true;
    }
    // Hands everything written so far to the system.
    bool Flush();
    // Always leaves the file closed; false when anything written was lost.
    // A new file not yet committed is removed, its destination left as it was.
    bool Close();
    // Ends a create: the written bytes on the disk, then the new file in the
    // destination's place. Always leaves the file closed; on false the
    // destination is as it was (or, written in place, may lack bytes).
    bool Commit();
    // A create writing the destination itself, which then cannot be kept.
    bool WritesInPlace() const { return m_writing && m_newPath.empty(); }

    // Puts the null device in the place of each standard stream that is
    // missing, so that no data file opened later takes it and receives the
    // program's messages. Output and error stay unwritable, as they were.
    static bool ReserveStandardStreams();
    // Standard output and error, where they are files on a disk.
    static std::vector<FileIdentity> StandardOutputFiles();

private:
    // Opens without emptying: the file held, of a kind the mode accepts.
    bool SystemOpen(const std::string& path, Mode mode);
    // Empties a file written in place; a device has nothing to empty.
    bool SystemEmpty();
    // Holds the destination and opens the new file (or the destination, in place).
    bool SystemCreate(const std::string& path, const std::vector<FileIdentity>& kept);
    // The new file synced, closed and moved over the destination; removed on failure.
    bool SystemCommit();
    // The new file closed and removed; the destination released as it was.
    void SystemDiscard();
    static bool IsKept(const FileIdentity& identity, const std::vector<FileIdentity>& kept);
    void Reset();
    bool ReadAcrossBlocks(void* buffer, std::size_t n, std::size_t& received);
    bool WriteAcrossBlocks(const void* buffer, std::size_t n);
    // One system call each; the platform files implement them.
    bool SystemRead(void* buffer, std::size_t n, std::size_t& received);
    bool SystemWrite(const void* buffer, std::size_t n, std::size_t& written);
    bool SystemFlush();
    bool SystemClose();
    bool WritePending();

#ifdef _WIN32
    void* m_handle = nullptr;
    void* m_held = nullptr;  // the destination while a new file is written
    unsigned long m_attributes = 0;
    uint64_t m_created = 0;  // the destination's creation time
#else
    int m_fd = -1;
    int m_held = -1;  // the destination while a new file is written
#endif
    std::string m_newPath;    // the new file, while it is written
    std::string m_finalPath;  // the file it replaces
    bool m_writing = false;
    bool m_writeFailed = false;
    std::vector<unsigned char> m_block;
    std::size_t m_begin = 0;  // reading: next byte to hand out; writing: next byte to write
    std::size_t m_end = 0;    // bytes in m_block
    uint64_t m_position = 0;
};
