#pragma once

#include "WinApp.h"

// The application object: shows the main window and ends with it.
class CAdjusterApp : public CWinApp {
public:
    bool InitInstance() override;
};
