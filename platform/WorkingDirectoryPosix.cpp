#include "WorkingDirectory.h"

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
