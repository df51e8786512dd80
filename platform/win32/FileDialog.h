#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

// The platform's open or save dialog, built on the stack for one use. The
// caller adjusts its parameter block (m_ofn) through the setters after
// construction and before DoModal. Texts are UTF-8.
class CFileDialog {
public:
    CFileDialog(bool openFileDialog, DWORD flags);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // One filter entry, stored in the platform's form: description \0 pattern \0 \0.
    void SetFilter(const std::string& description, const std::string& pattern);
    void SetInitialDir(const std::string& folder);
    void SetDefaultExtension(const std::string& extension);

    // Owned by the application's main window. IDOK when the user confirmed a
    // name, IDCANCEL when the dialog was cancelled or could not be shown.
    INT_PTR DoModal();
    std::string GetPathName() const;

    OPENFILENAMEW m_ofn{};

private:
    bool m_open;
    std::wstring m_filter;
    std::wstring m_initialDir;
    std::wstring m_defaultExtension;
    std::wstring m_fileName;
};
