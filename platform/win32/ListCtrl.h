#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "Wnd.h"

// A list view ("SysListView32") in report mode.
class CListCtrl : public CWnd {
public:
    bool SetBkColor(COLORREF color) { return SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color)) != 0; }
    bool SetTextBkColor(COLORREF color) { return SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color)) != 0; }
    bool SetTextColor(COLORREF color) { return SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color)) != 0; }
    void SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    int InsertColumn(int index, const std::string& heading, int format, int width, int subItem);
    // Returns the index where the item landed, or -1 when the list refused it.
    int InsertItem(int index, const std::string& text);
    bool SetItemText(int item, int subItem, const std::string& text);
    // At most 255 characters: enough for the program's rows, which are numbers.
    std::string GetItemText(int item, int subItem) const;
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    bool SetItemState(int item, UINT state, UINT mask);
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
};
