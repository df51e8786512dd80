#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Utf8.h"

// Drives real windows the way a user's actions do, and reads back what they show.

// Dispatches messages, with the dialog's keyboard handling, until a few rounds in a row are quiet.
inline void PumpUntilIdle(HWND dialog) {
    for (int quiet = 0; quiet < 3; ++quiet) {
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); quiet = 0)
            if (!IsDialogMessageW(dialog, &msg)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// WM_GETTEXT and WM_SETTEXT (as a paste would), also for windows of another process.
inline std::string TextOf(HWND window) {
    wchar_t text[512] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return WideToUtf8(text);
}
inline void Type(HWND window, const std::string& text) {
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()), SMTO_BLOCK, 5000, nullptr);
}

struct ShownDialog {
    std::string caption, text;  // text: a message box's control 0xFFFF
    HICON icon;                 // a message box's icon, or none
    HWND owner;
    RECT rect;
};

// A thread-local CBT hook: every owned dialog box that this thread activates (message boxes,
// the About box, the choosers) is recorded, `atShow` runs as it appears, and once its own
// modal loop runs it is answered with the command that `respond` returns, or OK.
class DialogRecorder {
public:
    DialogRecorder() : m_hook(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())) { t_current = this; }
    ~DialogRecorder() {
        UnhookWindowsHookEx(m_hook);
        t_current = nullptr;
    }

    std::vector<ShownDialog> shown;
    std::function<void(HWND box)> atShow;
    std::function<int(HWND box)> respond;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) noexcept {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = L"";
        GetClassNameW(box, name, 16);
        if (code == HCBT_ACTIVATE && t_current != nullptr && std::wstring(name) == L"#32770" &&
            GetWindow(box, GW_OWNER) != nullptr && GetPropW(box, L"recorded") == nullptr) {
            SetPropW(box, L"recorded", reinterpret_cast<HANDLE>(1));
            ShownDialog& shown = t_current->shown.emplace_back();
            shown = {TextOf(box), TextOf(GetDlgItem(box, 0xFFFF)), nullptr, GetWindow(box, GW_OWNER), {}};
            GetWindowRect(box, &shown.rect);
            for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
                if ((GetWindowLongW(child, GWL_STYLE) & (SS_TYPEMASK | WS_VISIBLE)) == (SS_ICON | WS_VISIBLE))
                    shown.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            if (t_current->atShow) t_current->atShow(box);
            t_current->m_box = box;
            SetTimer(nullptr, 0, 10, Answer);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
        KillTimer(nullptr, timer);
        DialogRecorder* self = t_current;
        if (self != nullptr && IsWindow(self->m_box))
            PostMessageW(self->m_box, WM_COMMAND, static_cast<WPARAM>(self->respond ? self->respond(self->m_box) : IDOK), 0);
    }

    static inline thread_local DialogRecorder* t_current = nullptr;
    HHOOK m_hook;
    HWND m_box = nullptr;  // the box to answer
};
