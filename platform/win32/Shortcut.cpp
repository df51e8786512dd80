#include "Shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "SystemPath.h"
#include "Utf8.h"

namespace {
bool IsShortcutName(const std::wstring& path) {
    return path.size() > 4 && ::_wcsicmp(path.c_str() + path.size() - 4, L".lnk") == 0;
}

// Asks the shell, which may also find a target that was moved; nothing is shown to the user.
std::wstring ShortcutTarget(const std::wstring& shortcut) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
            link->Resolve(nullptr, SLR_NO_UI | SLR_NOUPDATE | (1000u << 16)) == S_OK) {
            std::wstring path(32768, L'\0');
            if (link->GetPath(path.data(), static_cast<int>(path.size()), nullptr, 0) == S_OK) {
                target = path.c_str();
            }
        }
        file->Release();
    }
    link->Release();
    return target;
}
}  // namespace

std::optional<std::string> FileBehindShortcut(const std::string& path) {
    const std::wstring wide = Utf8ToWide(path);
    if (!IsShortcutName(wide)) return path;
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring target = ShortcutTarget(wide);
    if (SUCCEEDED(com)) ::CoUninitialize();
    if (target.empty() || ::GetFileAttributesW(SystemPath(target).c_str()) == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return WideToUtf8(target);
}
