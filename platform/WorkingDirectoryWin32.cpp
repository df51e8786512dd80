#include "WorkingDirectory.h"

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
