#include "DataExchange.h"

#include "Wnd.h"

namespace {

// Unsigned 32-bit decimal number, digits only; false for anything else.
bool ParseUnsigned(const std::string& text, uint32_t& value) {
    if (text.empty()) return false;
    uint64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
        if (number > UINT32_MAX) return false;
    }
    value = static_cast<uint32_t>(number);
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

void CDataExchange::Text(int id, uint32_t& value) {
    CWnd field = m_dialog.GetDlgItem(id);
    if (m_save) {
        uint32_t parsed = 0;
        if (ParseUnsigned(field.GetWindowText(), parsed)) value = parsed;
    } else {
        field.SetWindowText(std::to_string(value));
    }
}
