#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

// A window handle with the few operations the program uses. Texts are UTF-8;
// the wide Windows functions are called underneath. With UNICODE defined,
// <windows.h> turns SendMessage, GetWindowText and MessageBox into macros for
// their ...W forms, so these members are really named SendMessageW and so on;
// callers see the same macros and never notice.
class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    CWnd GetDlgItem(int id) const { return CWnd(::GetDlgItem(m_hWnd, id)); }

    std::string GetWindowText() const;
    // Sets the text only when it differs, so an unchanged field neither
    // flickers nor reports a change.
    void SetWindowText(const std::string& text);
    bool EnableWindow(bool enable) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    // Paints now whatever of this window and its children is out of date.
    void UpdateWindowAndChildren() { ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }
    // Off: changes are kept but not drawn; on: drawn at the next update.
    void SetRedraw(bool redraw) {
        SendMessage(WM_SETREDRAW, redraw);
        if (redraw) ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    void ModifyStyle(DWORD remove, DWORD add) {
        const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    HICON SetIcon(HICON icon, bool big) {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    // An edit field scrolled to the end of its text, the caret there.
    void ShowTextEnd() {
        const int length = ::GetWindowTextLengthW(m_hWnd);
        SendMessage(EM_SETSEL, static_cast<WPARAM>(length), length);
        SendMessage(EM_SCROLLCARET);
    }
    HMENU GetSystemMenu(bool revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    // Files dropped from Explorer onto the window or its controls come as WM_DROPFILES.
    void DragAcceptFiles(bool accept = true) { ::DragAcceptFiles(m_hWnd, accept); }

    // Modal message box owned by this window; no caption: the application's name.
    int MessageBox(const std::string& text, const std::optional<std::string>& caption, UINT type);

    // Binds a control of a dialog to this object; PreSubclassWindow runs first.
    // The program's controls need no window procedure of their own, so the
    // system's stays in place.
    void SubclassWindow(HWND hwnd);

    // Messages for the derived window's message table. Returns true when a
    // handler took the message; result is what the message returns.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Called by a handler that wants the system's default processing as well.
    void Default() { m_useDefault = true; }

    HWND m_hWnd = nullptr;

protected:
    virtual void PreSubclassWindow() {}
    bool m_useDefault = false;
};

// BeginPaint / EndPaint for one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(CWnd& wnd) : m_hwnd(wnd.m_hWnd) { m_hDC = ::BeginPaint(m_hwnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC m_hDC;

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
};
