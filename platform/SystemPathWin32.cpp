#include "SystemPath.h"

#include <windows.h>

// Windows XP to 8.1, and 10 unless long paths are switched on, refuse a path of MAX_PATH
// characters or more unless it begins with \\?\. That prefix also turns off the system's
// clean-up of the name ("/", "." and "..", trailing dots and spaces), so the name is first
// made full and clean by GetFullPathNameW, which has no such limit. Shorter names, and
// names that come out as devices (\\.\NUL), reach the system as they are.
std::wstring SystemPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size <= MAX_PATH) return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    if (full.size() > 2 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    if (full.size() > 2 && full.compare(0, 2, L"\\\\") == 0 && full[2] != L'.' && full[2] != L'?')
        return L"\\\\?\\UNC\\" + full.substr(2);
    return path;
}
