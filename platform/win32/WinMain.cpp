#include <windows.h>

#include "WinApp.h"

// Entry point of a program built on CWinApp: the static application object
// already exists; its InitInstance runs the program.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CWinApp* app = CWinApp::Current();
    if (app == nullptr) return 1;
    app->InitInstance();
    return 0;
}
