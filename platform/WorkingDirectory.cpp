#include "WorkingDirectory.h"

#ifdef _WIN32
#include <windows.h>

#include "Utf8.h"

std::string CurrentDirectory() {
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    while (size > 0) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetCurrentDirectoryW(size, buffer.data());
        if (length == 0) break;
        if (length < size) {
            buffer.resize(length);
            return WideToUtf8(buffer);
        }
        size = length;  // grew meanwhile: ask again with the new size
    }
    return {};
}

#else
#include <unistd.h>

#include <cerrno>
#include <vector>

std::string CurrentDirectory() {
    for (std::size_t size = 256; size <= (1u << 20); size *= 2) {
        std::vector<char> buffer(size);
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) return buffer.data();
        if (errno != ERANGE) break;
    }
    return {};
}
#endif
