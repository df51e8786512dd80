#include "DataExchange.h"

#include "Wnd.h"

namespace {

// Unsigned 64-bit decimal number, digits only; false for anything else.
bool ParseUnsigned(const std::string& text, uint64_t& value) {
    if (text.empty()) return false;
    uint64_t number = 0;
    for (char c : text) {
        const auto digit = static_cast<uint64_t>(c - '0');
        if (c < '0' || c > '9' || number > (UINT64_MAX - digit) / 10) return false;
        number = number * 10 + digit;
    }
    value = number;
    return true;
}

}  // namespace

void CDataExchange::Control(int id, CWnd& control) {
    if (control.m_hWnd == nullptr) control.SubclassWindow(m_dialog.GetDlgItem(id).m_hWnd);
}

void CDataExchange::Text(int id, std::string& value) {
    CWnd field = m_dialog.GetDlgItem(id);
    if (m_save)
        value = field.GetWindowText();
    else
        field.SetWindowText(value);
}

void CDataExchange::Text(int id, uint64_t& value) {
    CWnd field = m_dialog.GetDlgItem(id);
    if (m_save) {
        uint64_t parsed = 0;
        if (ParseUnsigned(field.GetWindowText(), parsed)) value = parsed;
    } else {
        field.SetWindowText(std::to_string(value));
    }
}
