#pragma once

#include "Dialog.h"
#include "resource.h"

// The About box, template 100: a plain dialog closed by OK or Escape.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
