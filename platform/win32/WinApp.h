#pragma once

class CWnd;

// The one application object. The program's entry point runs its
// InitInstance; a dialog-based program does all its work there and returns
// false, so no message loop of the application's own is entered.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance() = 0;

    // The application object of this process, or null when there is none.
    static CWinApp* Current() { return s_current; }

    CWnd* m_pMainWnd = nullptr;

private:
    static CWinApp* s_current;
};

// The application's main window; null when there is no application object.
CWnd* AfxGetMainWnd();
