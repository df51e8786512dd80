#include "RateListCtrl.h"

#include "DisplayScheme.h"

namespace {
constexpr COLORREF kBackground = RGB(255, 224, 224);
// Dark on the pale pink whatever colours the desktop's scheme gives window text.
constexpr COLORREF kText = RGB(0, 0, 0);
}  // namespace

void CRateListCtrl::PreSubclassWindow() {
    RECT client;
    GetClientRect(&client);
    // The columns share the width beside the vertical scrollbar, so a list that
    // scrolls needs no horizontal one.
    const int width = client.right - VerticalScrollBarWidth(m_hWnd);
    const int third = width / 3;
    ApplyColours();
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumn(0, "[HEX]", LVCFMT_RIGHT, third / 2, 0);
    InsertColumn(1, "[DEC]", LVCFMT_RIGHT, third / 2, 1);
    InsertColumn(2, "Linha", LVCFMT_LEFT, 2 * third, 2);
    CListCtrl::PreSubclassWindow();
}

// High contrast: the system's window colours, which the user chose to read.
void CRateListCtrl::ApplyColours() {
    const bool highContrast = HighContrastOn();
    SetBkColor(highContrast ? ::GetSysColor(COLOR_WINDOW) : kBackground);
    SetTextBkColor(CLR_NONE);
    SetTextColor(highContrast ? ::GetSysColor(COLOR_WINDOWTEXT) : kText);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CRateListCtrl::BeginInsertRows() {
    SetRedraw(false);
    ModifyStyle(LVS_SORTASCENDING, 0);
}

// The texts are four upper-case hexadecimal digits: their byte order is the sort style's order.
int CRateListCtrl::InsertSorted(const std::string& text) {
    int low = 0;
    int high = GetItemCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (GetItemText(middle, 0) < text) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return InsertItem(low, text);
}

// The first row takes the focus, so Tab into the list lands on a row.
void CRateListCtrl::EndInsertRows() {
    ModifyStyle(0, LVS_SORTASCENDING);
    if (GetItemCount() > 0) SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    SetRedraw(true);
}
