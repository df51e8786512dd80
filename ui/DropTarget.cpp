#include "DropTarget.h"

#include <initializer_list>

#include "resource.h"

namespace {
bool Contains(HWND dialog, HWND control, POINT point) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return ::PtInRect(&rect, point) != FALSE;
}
}  // namespace

int FieldForDrop(HWND dialog, POINT point) {
    const HWND field = ::GetDlgItem(dialog, IDC_DESTINATION);
    // Each label comes just before its field (screen readers name the field after it).
    for (HWND part : {::GetWindow(field, GW_HWNDPREV), field, ::GetDlgItem(dialog, IDC_CHOOSE_DESTINATION)}) {
        if (Contains(dialog, part, point)) return IDC_DESTINATION;
    }
    return IDC_SOURCE;
}
