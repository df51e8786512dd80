#include "CFile.h"

#include <windows.h>

#include "SystemPath.h"
#include "Utf8.h"

namespace {

HANDLE AsHandle(void* h) { return static_cast<HANDLE>(h); }

}  // namespace

bool CFile::IsOpen() const { return m_handle != nullptr; }

bool CFile::Open(const std::string& path, Mode mode) {
    Close();
    std::wstring widePath;
    if (!Utf8ToWide(path, widePath)) return false;
    const bool create = mode == Mode::CreateExclusive;
    const DWORD access = create ? GENERIC_WRITE : GENERIC_READ;
    const DWORD share = mode == Mode::ReadShared ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const DWORD disposition = create ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = CreateFileW(SystemPath(widePath).c_str(), access, share, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(h);
    if (!(type == FILE_TYPE_DISK || (create && type == FILE_TYPE_CHAR))) {
        CloseHandle(h);
        return false;
    }
    m_handle = h;
    m_writing = create;
    m_position = 0;
    return true;
}

bool CFile::GetLength(uint64_t& length) const {
    LARGE_INTEGER size;
    if (m_handle == nullptr || !GetFileSizeEx(AsHandle(m_handle), &size)) return false;
    length = static_cast<uint64_t>(size.QuadPart);
    return true;
}

bool CFile::SystemRead(void* buffer, std::size_t n, std::size_t& received) {
    DWORD got = 0;
    if (!ReadFile(AsHandle(m_handle), buffer, static_cast<DWORD>(n), &got, nullptr)) return false;
    received = got;
    return true;
}

bool CFile::SystemWrite(const void* buffer, std::size_t n, std::size_t& written) {
    DWORD put = 0;
    if (!WriteFile(AsHandle(m_handle), buffer, static_cast<DWORD>(n), &put, nullptr)) return false;
    written = put;
    return true;
}

bool CFile::SystemFlush() {
    // Devices such as NUL have no buffers to flush.
    if (GetFileType(AsHandle(m_handle)) != FILE_TYPE_DISK) return true;
    return FlushFileBuffers(AsHandle(m_handle)) != 0;
}

bool CFile::SystemClose() {
    const bool ok = CloseHandle(AsHandle(m_handle)) != 0;
    m_handle = nullptr;
    return ok;
}
