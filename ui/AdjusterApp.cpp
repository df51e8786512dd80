#include "AdjusterApp.h"

#include <windows.h>
#include <commctrl.h>

#include "AdjusterDlg.h"

// The one application object; it has no name of its own, so the application's
// name is the program file's name.
static CAdjusterApp theApp;

bool CAdjusterApp::InitInstance() {
    // The list view and the progress bar live in the common controls.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);

    CAdjusterDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The dialog was the program: end without a message loop of our own.
    return false;
}
