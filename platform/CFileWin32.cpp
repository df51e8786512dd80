#include "CFile.h"

#include <windows.h>

#include "Utf8.h"

namespace {

HANDLE AsHandle(void* h) { return static_cast<HANDLE>(h); }

}  // namespace

CFile::~CFile() { Close(); }

bool CFile::IsOpen() const { return m_handle != nullptr; }

bool CFile::Open(const std::string& path, Mode mode) {
    Close();
    std::wstring widePath;
    if (!Utf8ToWide(path, widePath)) return false;
    const bool create = mode == Mode::CreateExclusive;
    const DWORD access = create ? GENERIC_WRITE : GENERIC_READ;
    const DWORD share = mode == Mode::ReadShared ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const DWORD disposition = create ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE h = CreateFileW(widePath.c_str(), access, share, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(h);
    if (!(type == FILE_TYPE_DISK || (create && type == FILE_TYPE_CHAR))) {
        CloseHandle(h);
        return false;
    }
    m_handle = h;
    m_position = 0;
    return true;
}

bool CFile::GetLength(uint64_t& length) const {
    LARGE_INTEGER size;
    if (m_handle == nullptr || !GetFileSizeEx(AsHandle(m_handle), &size)) return false;
    length = static_cast<uint64_t>(size.QuadPart);
    return true;
}

bool CFile::Read(void* buffer, std::size_t n, std::size_t& received) {
    received = 0;
    auto* out = static_cast<char*>(buffer);
    while (received < n) {
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_handle), out + received, static_cast<DWORD>(n - received), &got,
                      nullptr))
            return false;
        if (got == 0) break;
        received += got;
    }
    m_position += received;
    return true;
}

bool CFile::Write(const void* buffer, std::size_t n) {
    const auto* in = static_cast<const char*>(buffer);
    std::size_t written = 0;
    while (written < n) {
        DWORD put = 0;
        if (!WriteFile(AsHandle(m_handle), in + written, static_cast<DWORD>(n - written), &put,
                       nullptr) ||
            put == 0)
            return false;
        written += put;
    }
    m_position += written;
    return true;
}

bool CFile::Flush() {
    if (m_handle == nullptr) return false;
    // Devices such as NUL have no buffers to flush.
    if (GetFileType(AsHandle(m_handle)) != FILE_TYPE_DISK) return true;
    return FlushFileBuffers(AsHandle(m_handle)) != 0;
}

bool CFile::Close() {
    if (m_handle == nullptr) return true;
    const bool ok = CloseHandle(AsHandle(m_handle)) != 0;
    m_handle = nullptr;
    m_position = 0;
    return ok;
}
