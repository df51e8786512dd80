#include "WinApp.h"

CWinApp* CWinApp::s_current = nullptr;

CWinApp::CWinApp() { s_current = this; }

CWinApp::~CWinApp() {
    if (s_current == this) s_current = nullptr;
}

CWnd* AfxGetMainWnd() {
    CWinApp* app = CWinApp::Current();
    return app != nullptr ? app->m_pMainWnd : nullptr;
}
