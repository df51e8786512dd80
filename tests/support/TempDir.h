#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // UTF-8 path of a name inside the folder.
    std::string Path(const std::string& name) const;
    const std::filesystem::path& Root() const { return m_root; }

    std::string Write(const std::string& name, const std::string& bytes) const;
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

private:
    std::filesystem::path m_root;
};

std::vector<uint8_t> ReadAll(const std::string& path);
std::string ToUtf8(const std::filesystem::path& path);
std::filesystem::path FromUtf8(const std::string& path);
