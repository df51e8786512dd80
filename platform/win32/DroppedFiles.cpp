#include "DroppedFiles.h"

#include <initializer_list>

#include "Utf8.h"

std::string CDroppedFiles::FirstPath() const {
    const UINT length = ::DragQueryFileW(m_drop, 0, nullptr, 0);
    if (length == 0) return {};
    std::wstring path(length + 1, L'\0');
    path.resize(::DragQueryFileW(m_drop, 0, path.data(), length + 1));
    return WideToUtf8(path);
}

void LetDropsReachAnElevatedWindow() {
    using ChangeFilter = BOOL(WINAPI*)(UINT, DWORD);
    const auto change = reinterpret_cast<ChangeFilter>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilter")));
    if (change == nullptr) return;
    constexpr UINT kCopyGlobalData = 0x0049;  // carries the dropped names across
    constexpr DWORD kAdd = 1;                 // MSGFLT_ADD
    for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData}) {
        change(message, kAdd);
    }
}
