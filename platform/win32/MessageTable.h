#pragma once

#include <windows.h>
#include <shellapi.h>

#include <variant>

// A window's message table: plain data binding a message, or a control's
// notification, to a handler of the window class T. Entries are tried in
// order; the first that matches handles the message.
//
//   { WM_PAINT, 0, 0, &CMyDlg::OnPaint }                         window message
//   { WM_COMMAND, BN_CLICKED, IDC_GO, &CMyDlg::OnGo }             control notification
//   { WM_NOTIFY, LVN_COLUMNCLICK, IDC_LIST, &CMyDlg::OnColumn }   notification with data
template <class T>
struct MessageEntry {
    using Handler = std::variant<void (T::*)(),                  // paint, clicks, changes
                                 void (T::*)(UINT, LPARAM),      // system command
                                 HICON (T::*)(),                 // query drag icon
                                 void (T::*)(NMHDR*, LRESULT*),  // WM_NOTIFY
                                 void (T::*)(HDROP)>;            // dropped files
    UINT message;
    UINT code;  // notification code for WM_COMMAND / WM_NOTIFY, else 0
    int id;     // control id for WM_COMMAND / WM_NOTIFY, else 0
    Handler handler;
};

namespace message_table_detail {

inline bool Matches(UINT entryMessage, UINT entryCode, int entryId, UINT message, WPARAM wParam, LPARAM lParam) {
    if (entryMessage != message) return false;
    if (message == WM_COMMAND) return HIWORD(wParam) == entryCode && LOWORD(wParam) == static_cast<WORD>(entryId);
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header != nullptr && header->code == entryCode && header->idFrom == static_cast<UINT_PTR>(entryId);
    }
    return true;
}

}  // namespace message_table_detail

template <class T, std::size_t N>
bool DispatchMessageTable(T& wnd, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& result) {
    for (const MessageEntry<T>& entry : table) {
        if (!message_table_detail::Matches(entry.message, entry.code, entry.id, message, wParam, lParam)) continue;
        result = 0;
        if (auto plain = std::get_if<void (T::*)()>(&entry.handler)) {
            (wnd.**plain)();
        } else if (auto command = std::get_if<void (T::*)(UINT, LPARAM)>(&entry.handler)) {
            (wnd.**command)(static_cast<UINT>(wParam), lParam);
        } else if (auto icon = std::get_if<HICON (T::*)()>(&entry.handler)) {
            result = reinterpret_cast<LRESULT>((wnd.**icon)());
        } else if (auto notify = std::get_if<void (T::*)(NMHDR*, LRESULT*)>(&entry.handler)) {
            (wnd.**notify)(reinterpret_cast<NMHDR*>(lParam), &result);
        } else if (auto drop = std::get_if<void (T::*)(HDROP)>(&entry.handler)) {
            (wnd.**drop)(reinterpret_cast<HDROP>(wParam));
        }
        return true;
    }
    return false;
}
