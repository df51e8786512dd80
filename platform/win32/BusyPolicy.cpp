#include "BusyPolicy.h"

#include "Utf8.h"

namespace {
// Enough for a burst of input; the rest waits for the next call.
constexpr int kMostMessagesAtOnce = 100;

// Vista and later; looked up by name, as older Windows lack them.
template <class Function>
Function User32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}
using ReasonCreate = BOOL(WINAPI*)(HWND, LPCWSTR);
using ReasonDestroy = BOOL(WINAPI*)(HWND);

bool IsKey(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }
bool IsSystemKey(UINT message) { return message >= WM_SYSKEYDOWN && message <= WM_SYSDEADCHAR; }
bool IsClientMouse(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }
bool IsFrameMouse(UINT message) { return message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK; }
// The system menu's items below SC_SIZE are the program's own.
bool IsOwnOrClose(WPARAM command) { return (command & 0xFFF0) < SC_SIZE || (command & 0xFFF0) == SC_CLOSE; }
}  // namespace

void CBusyPolicy::Begin(std::function<void()> onSessionEnd) {
    m_busy = true;
    m_onSessionEnd = std::move(onSessionEnd);
    GreyMenuItems(true);
}

void CBusyPolicy::End() {
    if (m_reasonShown) {
        if (auto destroy = User32Function<ReasonDestroy>("ShutdownBlockReasonDestroy")) destroy(m_window.m_hWnd);
        m_reasonShown = false;
    }
    GreyMenuItems(false);
    m_onSessionEnd = nullptr;
    m_busy = false;
    if (m_quitCode) ::PostQuitMessage(*m_quitCode);
    m_quitCode.reset();
}

void CBusyPolicy::GreyMenuItems(bool grey) {
    HMENU menu = m_window.GetSystemMenu(false);
    if (menu == nullptr) return;
    const UINT state = MF_BYCOMMAND | (grey ? MF_GRAYED : MF_ENABLED);
    for (int item = ::GetMenuItemCount(menu) - 1; item >= 0; --item) {
        const UINT command = ::GetMenuItemID(menu, item);
        if (command != 0 && command != UINT(-1) && IsOwnOrClose(command)) ::EnableMenuItem(menu, command, state);
    }
}

void CBusyPolicy::SetShutdownReason(const std::string& text) {
    if (!m_busy) return;
    if (auto create = User32Function<ReasonCreate>("ShutdownBlockReasonCreate"))
        m_reasonShown = create(m_window.m_hWnd, Utf8ToWide(text).c_str()) != FALSE || m_reasonShown;
}

void CBusyPolicy::Pump() {
    if (!m_busy) return;
    MSG message;
    for (int taken = 0; taken < kMostMessagesAtOnce && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++taken) {
        if (message.message == WM_QUIT) {
            m_quitCode = static_cast<int>(message.wParam);
            continue;
        }
        if (!Takes(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Of the input aimed at the window, only its frame's clicks and the system keys are taken; the
// system keys go to the window itself, whichever control has the focus, so that Alt+Space opens
// its menu and Alt+F4 asks it to close (refused). Other windows of the thread take theirs.
bool CBusyPolicy::Takes(MSG& message) const {
    HWND window = m_window.m_hWnd;
    if (message.hwnd != window && !::IsChild(window, message.hwnd)) return true;
    if (IsSystemKey(message.message)) {
        message.hwnd = window;
        return true;
    }
    if (IsKey(message.message) || IsClientMouse(message.message)) return false;
    return !IsFrameMouse(message.message) || message.hwnd == window;
}

// A box of the operation disables the window, and the system's processing ignores a disabled
// window's commands: minimise and restore are carried out here.
bool CBusyPolicy::MinimisedOrRestoredWhileDisabled(WPARAM command) {
    if (m_window.IsWindowEnabled()) return false;
    if ((command & 0xFFF0) == SC_MINIMIZE) return ::ShowWindow(m_window.m_hWnd, SW_MINIMIZE), true;
    if ((command & 0xFFF0) == SC_RESTORE) return ::ShowWindow(m_window.m_hWnd, SW_RESTORE), true;
    return false;
}

bool CBusyPolicy::Decide(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (!m_busy) return false;
    result = 0;
    switch (message) {
        case WM_COMMAND:
        case WM_CLOSE:
        case WM_QUERYENDSESSION:  // 0: not now
            return true;
        case WM_SYSCOMMAND:
            return IsOwnOrClose(wParam) || MinimisedOrRestoredWhileDisabled(wParam);
        case WM_DROPFILES:
            ::DragFinish(reinterpret_cast<HDROP>(wParam));
            return true;
        case WM_ENDSESSION:
            if (wParam != FALSE && m_onSessionEnd) m_onSessionEnd();
            return true;
        default:
            return false;
    }
}
