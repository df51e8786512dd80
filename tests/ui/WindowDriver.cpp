#include "WindowDriver.h"

#include <windows.h>
#include <commctrl.h>

#include "Utf8.h"

void PumpUntilIdle(HWND dialog) {
    // Some messages come back only after the system has seen the others:
    // stop after a few quiet rounds in a row.
    for (int quiet = 0; quiet < 3;) {
        MSG msg;
        bool any = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (dialog == nullptr || !IsWindow(dialog) || !IsDialogMessageW(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        quiet = any ? 0 : quiet + 1;
        if (!any) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

std::string TextOf(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return WideToUtf8(text);
}

void Type(HWND dialog, int id, const std::string& text) {
    SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
}

void Click(HWND dialog, int id) { SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0); }

void PressKey(HWND dialog, int id, WPARAM key) {
    HWND control = GetDlgItem(dialog, id);
    SetFocus(control);
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
    PumpUntilIdle(dialog);
}

bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string row;
        for (int c = 0; c < columns; ++c) {
            wchar_t text[64] = L"";
            LVITEMW item{};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            row += (c > 0 ? " | " : "") + WideToUtf8(text);
        }
        rows.push_back(row);
    }
    return rows;
}

namespace {

thread_local DialogRecorder* t_recorder = nullptr;

bool IsDialogBox(HWND window) {
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

ShownIcon IconOf(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        // The box itself is not visible yet when it is activated: look at the style bit.
        if ((style & SS_TYPEMASK) != SS_ICON || !(style & WS_VISIBLE)) continue;
        const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (icon == nullptr) continue;
        return icon == LoadIconW(nullptr, IDI_ERROR) ? ShownIcon::Error : ShownIcon::Other;
    }
    return ShownIcon::None;
}

}  // namespace

DialogRecorder::DialogRecorder()
    : m_hook(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())) {
    t_recorder = this;
}

DialogRecorder::~DialogRecorder() {
    UnhookWindowsHookEx(m_hook);
    t_recorder = nullptr;
}

LRESULT CALLBACK DialogRecorder::Hook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    HWND window = reinterpret_cast<HWND>(wParam);
    DialogRecorder* self = t_recorder;
    if (code == HCBT_ACTIVATE && self != nullptr && IsDialogBox(window) &&
        GetWindow(window, GW_OWNER) != nullptr && GetPropW(window, L"recorded") == nullptr) {
        SetPropW(window, L"recorded", reinterpret_cast<HANDLE>(1));
        ShownDialog shown;
        shown.caption = TextOf(window);
        shown.text = TextOf(GetDlgItem(window, 0xFFFF));
        shown.icon = IconOf(window);
        shown.owner = GetWindow(window, GW_OWNER);
        GetWindowRect(window, &shown.rect);
        self->shown.push_back(shown);
        // Answered from the box's own modal loop, once it has finished setting itself up.
        self->m_pending.emplace_back(SetTimer(nullptr, 0, 10, Answer), window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogRecorder::Answer(HWND, UINT, UINT_PTR timer, DWORD) noexcept {
    KillTimer(nullptr, timer);
    DialogRecorder* self = t_recorder;
    if (self == nullptr) return;
    for (auto it = self->m_pending.begin(); it != self->m_pending.end(); ++it) {
        if (it->first != timer) continue;
        HWND box = it->second;
        self->m_pending.erase(it);
        if (!IsWindow(box)) return;
        const int command = self->respond ? self->respond(box) : IDOK;
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(command), 0);
        return;
    }
}

MessageLog::MessageLog(HWND control, UINT message) : m_control(control), m_message(message) {
    SetWindowSubclass(control, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
}

MessageLog::~MessageLog() { RemoveWindowSubclass(m_control, Proc, 1); }

LRESULT CALLBACK MessageLog::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<MessageLog*>(data);
    if (message == self->m_message) {
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        self->entries.push_back(message != WM_SETTEXT ? std::to_string(wParam)
                                : text != nullptr     ? WideToUtf8(text)
                                                      : std::string());
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
