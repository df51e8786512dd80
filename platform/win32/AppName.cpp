#include "AppName.h"

#include <windows.h>

#include "Utf8.h"

namespace {

std::string ApplicationNameFromPath(const std::wstring& programPath) {
    const std::size_t slash = programPath.find_last_of(L"\\/:");
    std::wstring name = slash == std::wstring::npos ? programPath : programPath.substr(slash + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.resize(dot);
    return WideToUtf8(name);
}

}  // namespace

const std::string& ApplicationName() {
    static const std::string name = [] {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length == 0) return std::string();
            if (length < path.size()) {
                path.resize(length);
                return ApplicationNameFromPath(path);
            }
            path.resize(path.size() * 2);  // truncated: try a larger buffer
        }
    }();
    return name;
}
