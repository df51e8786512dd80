#pragma once

#include <windows.h>
#include <commctrl.h>

#include "Wnd.h"

// A progress bar ("msctls_progress32"), range 0 to 100 unless told otherwise.
class CProgressCtrl : public CWnd {
public:
    int SetPos(int position) { return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position))); }
};
