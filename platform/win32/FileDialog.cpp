#include "FileDialog.h"

#include "Utf8.h"
#include "WinApp.h"
#include "Wnd.h"

namespace {
// Room for the longest path Windows knows, so a confirmed name is never cut.
constexpr std::size_t kFileNameCapacity = 32768;
}  // namespace

CFileDialog::CFileDialog(bool openFileDialog, DWORD flags)
    : m_open(openFileDialog), m_fileName(kFileNameCapacity, L'\0') {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = flags;
    m_ofn.lpstrFile = m_fileName.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
}

void CFileDialog::SetFilter(const std::string& description, const std::string& pattern) {
    m_filter = Utf8ToWide(description);
    m_filter.push_back(L'\0');
    m_filter += Utf8ToWide(pattern);
    m_filter.push_back(L'\0');
    m_filter.push_back(L'\0');
    m_ofn.lpstrFilter = m_filter.c_str();
}

void CFileDialog::SetInitialDir(const std::string& folder) {
    m_initialDir = Utf8ToWide(folder);
    m_ofn.lpstrInitialDir = m_initialDir.c_str();
}

void CFileDialog::SetDefaultExtension(const std::string& extension) {
    m_defaultExtension = Utf8ToWide(extension);
    m_ofn.lpstrDefExt = m_defaultExtension.c_str();
}

INT_PTR CFileDialog::DoModal() {
    CWnd* main = AfxGetMainWnd();
    m_ofn.hwndOwner = main != nullptr ? main->m_hWnd : ::GetActiveWindow();
    const BOOL confirmed = m_open ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return confirmed ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const { return WideToUtf8(m_fileName.c_str()); }
