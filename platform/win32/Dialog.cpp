#include "Dialog.h"

#include "WinApp.h"

CDialog::~CDialog() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

HWND CDialog::OwnerWindow() const {
    if (m_parent != nullptr) return m_parent->m_hWnd;
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main != this && main->m_hWnd != nullptr) return main->m_hWnd;
    return ::GetActiveWindow();
}

INT_PTR CDialog::DoModal() {
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), OwnerWindow(), DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

void CDialog::UpdateData(bool saveAndValidate) {
    const bool wasExchanging = m_exchanging;
    m_exchanging = true;
    CDataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    m_exchanging = wasExchanging;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

// A dialog with an owner opens centred over it; one without (the main
// window) is placed by its template.
void CDialog::CenterOverOwner() {
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner == nullptr) return;
    RECT ownerRect, rect;
    ::GetWindowRect(owner, &ownerRect);
    ::GetWindowRect(m_hWnd, &rect);
    const int x = (ownerRect.left + ownerRect.right - (rect.right - rect.left)) / 2;
    const int y = (ownerRect.top + ownerRect.bottom - (rect.bottom - rect.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CDialog* dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->m_hWnd = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (dialog == nullptr) return FALSE;  // messages before WM_INITDIALOG
    const INT_PTR handled = dialog->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
    }
    return handled;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CenterOverOwner();
        return OnInitDialog() ? TRUE : FALSE;
    }
    const bool fromControl = (message == WM_COMMAND && lParam != 0) || message == WM_NOTIFY;
    if (m_exchanging && fromControl) return TRUE;  // caused by the exchange itself: dropped

    // A handler may show a message box, whose loop sends this window messages of its
    // own: the flag belongs to one handler at a time, so nested ones keep theirs apart.
    const bool outerDefault = m_useDefault;
    m_useDefault = false;
    LRESULT result = 0;
    const bool handled = OnWndMsg(message, wParam, lParam, result);
    const bool wantsDefault = m_useDefault;
    m_useDefault = outerDefault;
    if (handled) {
        if (wantsDefault) return FALSE;
        // For a few messages, this one among them, a dialog procedure returns the result
        // itself (here the icon): DWLP_MSGRESULT is not read for them.
        if (message == WM_QUERYDRAGICON) return static_cast<INT_PTR>(result);
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}
