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
