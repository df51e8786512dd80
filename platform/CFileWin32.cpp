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

// A device's name (LPT1, COM1) is not taken as that of a file still to be made.
bool IsDeviceName(const std::wstring& path) {
    wchar_t full[16] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), 16, full, nullptr);
    return length >= 4 && length < 16 && std::wstring(full, 4) == L"\\\\.\\";
}

// A new file beside `path`, hidden and temporary, ".NAME.ravelo-XXXXXX".
HANDLE MakeNewFile(const std::wstring& path, std::wstring& newPath) {
    static DWORD made = 0;
    const std::size_t slash = path.find_last_of(L"\\/:");
    const std::size_t nameAt = slash == std::wstring::npos ? 0 : slash + 1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        DWORD mark = GetTickCount() ^ (GetCurrentProcessId() << 8) ^ (++made * 2654435761u);
        std::wstring suffix;
        for (int digit = 0; digit < 6; ++digit, mark >>= 4) suffix += L"0123456789ABCDEF"[mark & 15];
        newPath = path.substr(0, nameAt) + L"." + path.substr(nameAt) + L".ravelo-" + suffix;
        HANDLE h = CreateFileW(SystemPath(newPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool CFile::IsOpen() const { return m_handle != nullptr; }

bool CFile::SystemCreate(const std::string& path, const std::vector<FileIdentity>& kept) {
    std::wstring widePath;
    if (!Utf8ToWide(path, widePath)) return false;
    // The destination as it is, held without being changed: a file this run may write.
    HANDLE held = CreateFileW(SystemPath(widePath).c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE && (GetLastError() != ERROR_FILE_NOT_FOUND || IsDeviceName(widePath)))
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (held != INVALID_HANDLE_VALUE) {
        const bool disk = GetFileType(held) == FILE_TYPE_DISK;
        FileIdentity identity;
        const bool usable =
            disk ? GetFileInformationByHandle(held, &info) && IdentityOf(held, identity) && !IsKept(identity, kept)
                 : IsNamedNull(widePath) && IsNullDevice(held);
        if (!usable) {
            CloseHandle(held);
            return false;
        }
    }
    std::wstring newPath;
    const bool replace =
        held == INVALID_HANDLE_VALUE || (GetFileType(held) == FILE_TYPE_DISK && info.nNumberOfLinks == 1);
    HANDLE made = replace ? MakeNewFile(widePath, newPath) : INVALID_HANDLE_VALUE;
    if (made == INVALID_HANDLE_VALUE) {  // written in place
        if (held != INVALID_HANDLE_VALUE) {
            m_handle = held;
        } else if (!SystemOpen(path, Mode::CreateData)) {
            return false;
        }
        if (SystemEmpty()) return true;
        SystemClose();
        return false;
    }
    const bool existed = held != INVALID_HANDLE_VALUE;
    m_handle = made;
    m_held = existed ? held : nullptr;
    m_attributes = existed ? info.dwFileAttributes : FILE_ATTRIBUTE_ARCHIVE;
    m_created = (static_cast<uint64_t>(info.ftCreationTime.dwHighDateTime) << 32) | info.ftCreationTime.dwLowDateTime;
    m_newPath = WideToUtf8(newPath);
    m_finalPath = path;
    return true;
}

// ReplaceFileW keeps what the destination is (attributes, ACL, creation time);
// where it cannot work, a move over it keeps the attributes and the time given here.
bool CFile::SystemCommit() {
    HANDLE h = AsHandle(m_handle);
    const bool existed = m_held != nullptr;
    bool ok = FlushFileBuffers(h) != 0;
    if (existed) {
        const FILETIME created{static_cast<DWORD>(m_created), static_cast<DWORD>(m_created >> 32)};
        SetFileTime(h, &created, nullptr, nullptr);
    }
    ok = CloseHandle(h) != 0 && ok;
    m_handle = nullptr;
    if (existed) CloseHandle(AsHandle(m_held));
    m_held = nullptr;
    const std::wstring from = SystemPath(Utf8ToWide(m_newPath)), to = SystemPath(Utf8ToWide(m_finalPath));
    ok = ok &&
         ((existed &&
           ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) ||
          MoveFileExW(from.c_str(), to.c_str(), (existed ? MOVEFILE_REPLACE_EXISTING : 0) | MOVEFILE_WRITE_THROUGH));
    if (ok) {
        SetFileAttributesW(to.c_str(), m_attributes);
    } else if (!existed || GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES) {
        DeleteFileW(from.c_str());  // kept where a failed ReplaceFileW took the destination away
    }
    return ok;
}

void CFile::SystemDiscard() {
    CloseHandle(AsHandle(m_handle));
    m_handle = nullptr;
    DeleteFileW(SystemPath(Utf8ToWide(m_newPath)).c_str());
    if (m_held != nullptr) CloseHandle(AsHandle(m_held));
    m_held = nullptr;
}

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
