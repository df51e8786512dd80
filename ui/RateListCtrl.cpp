#include "RateListCtrl.h"

namespace {
constexpr COLORREF kBackground = RGB(255, 224, 224);
}

void CRateListCtrl::PreSubclassWindow() {
    RECT client;
    GetClientRect(&client);
    const int width = client.right - 15;
    const int third = width / 3;
    SetBkColor(kBackground);
    SetTextBkColor(CLR_NONE);
    InsertColumn(0, "[HEX]", LVCFMT_RIGHT, third / 2, 0);
    InsertColumn(1, "[DEC]", LVCFMT_RIGHT, third / 2, 1);
    InsertColumn(2, "Linha", LVCFMT_LEFT, 2 * third, 2);
    CListCtrl::PreSubclassWindow();
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

void CRateListCtrl::EndInsertRows() {
    ModifyStyle(0, LVS_SORTASCENDING);
    SetRedraw(true);
}
