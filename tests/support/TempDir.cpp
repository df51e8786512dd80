#include "TempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string ToUtf8(const fs::path& path) { return path.u8string(); }
fs::path FromUtf8(const std::string& path) { return fs::u8path(path); }

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_root = fs::temp_directory_path() /
             ("ravelo-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(m_root);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

std::string TempDir::Path(const std::string& name) const { return ToUtf8(m_root / FromUtf8(name)); }

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(m_root / FromUtf8(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return Path(name);
}

std::string TempDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    return Write(name, std::string(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(FromUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
