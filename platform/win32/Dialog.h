#pragma once

#include "DataExchange.h"
#include "Wnd.h"

// A dialog window made from a template in the program's resources. The
// object is kept in the window (DWLP_USER) from WM_INITDIALOG on; messages go
// to OnWndMsg (the derived class's message table), then to the standard
// OK / Cancel processing, then to the system.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_templateId(templateId), m_parent(parent) {}
    ~CDialog() override;

    // Runs the dialog modally; returns the value given to EndDialog, or -1.
    INT_PTR DoModal();
    void EndDialog(int result);

    // Exchanges data with DoDataExchange; true: controls to members.
    // Notifications that the controls send meanwhile are discarded.
    void UpdateData(bool saveAndValidate = true);

    virtual bool OnInitDialog();

protected:
    virtual void DoDataExchange(CDataExchange&) {}
    virtual void OnOK();
    virtual void OnCancel();

    // The dialog procedure of every CDialog; the creation's parameter is the CDialog*.
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;
    void CenterOverOwner();

    UINT m_templateId;
    CWnd* m_parent;
    bool m_exchanging = false;
};
