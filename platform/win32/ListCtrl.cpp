#include "ListCtrl.h"

#include "Utf8.h"

int CListCtrl::InsertColumn(int index, const std::string& heading, int format, int width, int subItem) {
    std::wstring text = Utf8ToWide(heading);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = text.data();
    column.iSubItem = subItem;
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int index, const std::string& text) {
    std::wstring wide = Utf8ToWide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = wide.data();
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemText(int itemIndex, int subItem, const std::string& text) {
    std::wstring wide = Utf8ToWide(text);
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = wide.data();
    return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string CListCtrl::GetItemText(int itemIndex, int subItem) const {
    wchar_t text[256] = L"";
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&item));
    return WideToUtf8(text);
}

bool CListCtrl::SetItemState(int itemIndex, UINT state, UINT mask) {
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(itemIndex), reinterpret_cast<LPARAM>(&item)) != 0;
}
