#include "CFile.h"

#include <windows.h>

#include <cwchar>

#include "SystemPath.h"
#include "Utf8.h"

namespace {

HANDLE AsHandle(void* h) { return static_cast<HANDLE>(h); }

bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

// Devices differ by type, not by anything a file's information shows; the
// type comes from ntdll, which every process has loaded.
bool IsNullDevice(HANDLE h) {
    struct DeviceInformation {
        ULONG type, characteristics;
    } device{};
    struct IoStatus {
        void* status;
        ULONG_PTR information;
    } io{};
    using Query = LONG(WINAPI*)(HANDLE, IoStatus*, void*, ULONG, int);
    constexpr int kFileFsDeviceInformation = 4;
    constexpr ULONG kFileDeviceNull = 0x15;
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryVolumeInformationFile")));
    return query != nullptr && query(h, &io, &device, sizeof device, kFileFsDeviceInformation) >= 0 &&
           device.type == kFileDeviceNull;
}

// "NUL" is the null device under its own name; "nul.dvb" is a file the user
// meant, even where the system sends it to the null device.
bool IsNamedNull(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return _wcsicmp(path.c_str() + (slash == std::wstring::npos ? 0 : slash + 1), L"NUL") == 0;
}

// A standard handle that may not read this (opened for writing only) is a file
// that no destination can open anyway: the handle writes and ours shares nothing.
bool IdentityOf(HANDLE h, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info)) return false;
    identity = {info.dwVolumeSerialNumber, (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return true;
}

}  // namespace

bool CFile::IsOpen() const { return m_handle != nullptr; }

bool CFile::SystemOpen(const std::string& path, Mode mode) {
    std::wstring widePath;
    if (!Utf8ToWide(path, widePath)) return false;
    const bool create = mode == Mode::CreateData;
    const DWORD access = create ? GENERIC_WRITE | FILE_READ_ATTRIBUTES : GENERIC_READ;
    const DWORD share = mode == Mode::ReadSettings ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    // Not CREATE_ALWAYS: that would empty the file before it is known not to be kept.
    const DWORD disposition = create ? OPEN_ALWAYS : OPEN_EXISTING;
    HANDLE h =
        CreateFileW(SystemPath(widePath).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(h);
    if (!(type == FILE_TYPE_DISK || (create && type == FILE_TYPE_CHAR && IsNamedNull(widePath) && IsNullDevice(h)))) {
        CloseHandle(h);
        return false;
    }
    m_handle = h;
    return true;
}

bool CFile::SystemEmpty() {
    HANDLE h = AsHandle(m_handle);
    return GetFileType(h) != FILE_TYPE_DISK || SetEndOfFile(h) != 0;
}

bool CFile::GetIdentity(FileIdentity& identity) const {
    return m_handle != nullptr && GetFileType(AsHandle(m_handle)) == FILE_TYPE_DISK &&
           IdentityOf(AsHandle(m_handle), identity);
}

// Input is opened for writing and the others for reading: each stays as
// unusable as the missing handle was.
bool CFile::ReserveStandardStreams() {
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        HANDLE h = GetStdHandle(which);
        SetLastError(NO_ERROR);
        if (IsValid(h) && (GetFileType(h) != FILE_TYPE_UNKNOWN || GetLastError() == NO_ERROR)) continue;
        HANDLE null = CreateFileW(L"NUL", which == STD_INPUT_HANDLE ? GENERIC_WRITE : GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (null == INVALID_HANDLE_VALUE || !SetStdHandle(which, null)) return false;
    }
    return true;
}

std::vector<FileIdentity> CFile::StandardOutputFiles() {
    std::vector<FileIdentity> files;
    for (DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        HANDLE h = GetStdHandle(which);
        FileIdentity identity;
        if (IsValid(h) && GetFileType(h) == FILE_TYPE_DISK && IdentityOf(h, identity)) files.push_back(identity);
    }
    return files;
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
