// Times one conversion in the real window: starts Ravelo.exe in FOLDER, types
// SOURCE and DESTINATION, clicks "Converter" and waits for the message box.
// Prints the seconds from the click to the box, or fails (status 1) saying what
// it waited for and what it saw instead.
// With --rows it prints instead what the window shows at the end: the list's
// rows (hexadecimal, decimal, record, TAB-separated) and then the count.
// Either way the window must bear its caption, and the program must end with
// status 0 when "Sair" is pressed.
// Usage: window-driver [--rows] RAVELO_EXE FOLDER SOURCE DESTINATION   (Linux paths)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

const int kConvert = 1000, kSource = 1001, kDestination = 1003, kRateList = 1006, kCount = 1008;

std::wstring WinePath(const wchar_t* path) {
    std::wstring wide = L"Z:";
    for (const wchar_t* p = path; *p != L'\0'; ++p) wide += *p == L'/' ? L'\\' : *p;
    return wide;
}

struct Search {
    DWORD process;
    HWND owner;
    HWND found;
};

BOOL CALLBACK TakeWindowOf(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->process || GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window)) return TRUE;
    s->found = window;
    return FALSE;
}

// A visible top-level window of the process with that owner.
HWND FindWindowOf(DWORD process, HWND owner) {
    Search search{process, owner, nullptr};
    EnumWindows(TakeWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Gives up when the time is over or the process has ended.
HWND WaitForWindowOf(const PROCESS_INFORMATION& process, HWND owner, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = FindWindowOf(process.dwProcessId, owner)) return window;
        if (GetTickCount64() > end || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
        Sleep(2);
    }
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return text;
}

struct Listing {
    DWORD process;
    std::wstring lines;
};

BOOL CALLBACK ListWindowOf(HWND window, LPARAM data) {
    auto* listing = reinterpret_cast<Listing*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != listing->process) return TRUE;
    wchar_t kind[128] = L"";
    GetClassNameW(window, kind, 128);
    listing->lines += std::wstring(L"  ") + (IsWindowVisible(window) ? L"visible" : L"hidden") +
                      L" window of class \"" + kind + L"\", caption \"" + TextOf(window) + L"\"" +
                      (GetWindow(window, GW_OWNER) != nullptr ? L", owned" : L"") + L"\n";
    return TRUE;
}

// What the program is doing when a wait gives up: running or ended (with its status), and its
// top-level windows.
std::wstring StateOf(const PROCESS_INFORMATION& process) {
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    std::wstring state = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0
                             ? L"Ravelo.exe has ended with status " + std::to_wstring(exitCode) + L"\n"
                             : L"Ravelo.exe is still running\n";
    Listing listing{process.dwProcessId, L""};
    EnumWindows(ListWindowOf, reinterpret_cast<LPARAM>(&listing));
    return state + (listing.lines.empty() ? L"  (no top-level window)\n" : listing.lines);
}

// For the terminal: the C runtime would print only the ASCII part of a wide text.
std::string Utf8(const std::wstring& text) {
    std::string utf8(text.size() * 3, '\0');
    utf8.resize(
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &utf8[0], int(utf8.size()), nullptr, nullptr));
    return utf8;
}

void SetText(HWND window, const std::wstring& text) {
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_BLOCK, 5000, nullptr);
}

// The list's rows and the count field. A list view hands its texts only into
// memory of its own process, so the item and its text buffer live there.
std::wstring RowsAndCount(HANDLE process, HWND main) {
    struct Remote {
        LVITEMW item;
        wchar_t text[64];
    };
    auto* remote = static_cast<Remote*>(VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr) return L"cannot read the list\n";
    HWND list = GetDlgItem(main, kRateList);
    std::wstring shown;
    const LRESULT rows = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 3; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = remote->text;
            item.cchTextMax = 64;
            wchar_t text[64] = L"";
            WriteProcessMemory(process, &remote->item, &item, sizeof item, nullptr);
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&remote->item));
            ReadProcessMemory(process, remote->text, text, sizeof text - sizeof text[0], nullptr);
            shown += text;
            shown += column < 2 ? L'\t' : L'\n';
        }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return shown + TextOf(GetDlgItem(main, kCount)) + L'\n';
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool rows = argc > 1 && std::wstring(argv[1]) == L"--rows";
    argc -= rows;
    argv += rows;
    if (argc != 5) {
        std::fprintf(stderr, "usage: window-driver [--rows] RAVELO_EXE FOLDER SOURCE DESTINATION\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + WinePath(argv[1]) + L"\"";
    const std::wstring folder = WinePath(argv[2]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        const DWORD error = GetLastError();
        std::fprintf(stderr, "window-driver: cannot start %s (error %lu)\n", Utf8(argv[1]).c_str(), error);
        return 1;
    }
    int status = 1;
    // The window of a started program in a ready prefix, however loaded the machine; the box
    // after the check's ten records, or after the benchmark's large file.
    const DWORD windowMs = 60000, boxMs = rows ? 60000 : 900000;
    HWND main = WaitForWindowOf(process, nullptr, windowMs);
    if (main == nullptr) {
        std::fprintf(stderr, "window-driver: waited up to %lu s for Ravelo.exe's window to show; it did not:\n%s",
                     windowMs / 1000, Utf8(StateOf(process)).c_str());
    } else if (TextOf(main) != L"Marquelint ajustador") {
        std::fprintf(stderr, "window-driver: the window's caption is \"%s\", not \"Marquelint ajustador\"\n",
                     Utf8(TextOf(main)).c_str());
    } else {
        WaitForInputIdle(process.hProcess, 10000);
        SetText(GetDlgItem(main, kSource), WinePath(argv[3]));
        SetText(GetDlgItem(main, kDestination), WinePath(argv[4]));
        LARGE_INTEGER frequency, start, stop;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        PostMessageW(GetDlgItem(main, kConvert), BM_CLICK, 0, 0);
        HWND box = WaitForWindowOf(process, main, boxMs);
        QueryPerformanceCounter(&stop);
        if (box == nullptr) {
            std::fprintf(stderr,
                         "window-driver: waited up to %lu s after \"Converter\" for a message box; none came (count "
                         "field \"%s\"):\n%s",
                         boxMs / 1000, Utf8(TextOf(GetDlgItem(main, kCount))).c_str(), Utf8(StateOf(process)).c_str());
        } else {
            const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
            if (TextOf(box) == L"Ravelo" && text == L"Conclu\u00eddo com sucesso.") {
                if (rows)
                    std::printf("%s", Utf8(RowsAndCount(process.hProcess, main)).c_str());
                else
                    std::printf("%.3f\n", double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart));
                status = 0;
            } else {
                std::fprintf(stderr, "window-driver: a box \"%s\" said \"%s\", not \"Conclu\u00eddo com sucesso.\"\n",
                             Utf8(TextOf(box)).c_str(), Utf8(text).c_str());
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
        }
        PostMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
    }
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        if (status == 0) std::fprintf(stderr, "window-driver: Ravelo.exe had not ended 10 s after \"Sair\"\n");
        TerminateProcess(process.hProcess, 1);
        status = 1;
    } else if (status == 0 && (!GetExitCodeProcess(process.hProcess, &exitCode) || exitCode != 0)) {
        std::fprintf(stderr, "window-driver: Ravelo.exe ended with status %lu after \"Sair\", not 0\n", exitCode);
        status = 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}
