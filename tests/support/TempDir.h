#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline std::string ToUtf8(const std::filesystem::path& path) { return path.u8string(); }
inline std::filesystem::path FromUtf8(const std::string& path) { return std::filesystem::u8path(path); }

inline std::string ReadAll(const std::string& path) {
    std::ostringstream bytes;  // empty when there is no such file
    bytes << std::ifstream(FromUtf8(path), std::ios::binary).rdbuf();
    return bytes.str();
}

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() : m_root(std::filesystem::temp_directory_path() / ("ravelo-test-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" + std::to_string(s_made++))) {
        std::filesystem::create_directories(m_root);
    }
    ~TempDir() { std::error_code ignored; std::filesystem::remove_all(m_root, ignored); }
    TempDir(const TempDir&) = delete;  // one owner removes the folder

    const std::filesystem::path& Root() const { return m_root; }
    // UTF-8 path of a name inside the folder.
    std::string Path(const std::string& name) const { return ToUtf8(m_root / FromUtf8(name)); }
    std::string Write(const std::string& name, const std::string& bytes) const { std::ofstream(m_root / FromUtf8(name), std::ios::binary) << bytes; return Path(name); }

private:
    static inline std::atomic<int> s_made{0};
    std::filesystem::path m_root;
};
