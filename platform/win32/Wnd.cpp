#include "Wnd.h"

#include "AppName.h"
#include "Utf8.h"

std::string CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return WideToUtf8(text);
}

void CWnd::SetWindowText(const std::string& text) {
    if (GetWindowText() == text) return;
    ::SetWindowTextW(m_hWnd, Utf8ToWide(text).c_str());
}

int CWnd::MessageBox(const std::string& text, const std::optional<std::string>& caption, UINT type) {
    const std::wstring wideText = Utf8ToWide(text);
    const std::wstring wideCaption = Utf8ToWide(caption.value_or(ApplicationName()));
    return ::MessageBoxW(m_hWnd, wideText.c_str(), wideCaption.c_str(), type);
}

void CWnd::SubclassWindow(HWND hwnd) {
    m_hWnd = hwnd;
    PreSubclassWindow();
}

bool CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
