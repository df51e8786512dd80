// Times one conversion in the real window: starts Ravelo.exe in FOLDER, types
// SOURCE and DESTINATION, clicks "Converter" and waits for the message box.
// Prints the seconds from the click to the box, or fails (status 1).
// Usage: window-driver RAVELO_EXE FOLDER SOURCE DESTINATION   (Linux paths)
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const int kConvert = 1000, kSource = 1001, kDestination = 1003;

std::wstring WinePath(const char* path) {
    std::wstring wide = L"Z:";
    for (const char* p = path; *p != '\0'; ++p) wide += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return wide;
}

struct Search {
    DWORD process;
    HWND owner;
    HWND found;
};

// A visible top-level window of the process with that owner.
HWND FindWindowOf(DWORD process, HWND owner) {
    Search search{process, owner, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid != s->process || GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowOf(DWORD process, HWND owner, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = FindWindowOf(process, owner)) return window;
        if (GetTickCount64() > end) return nullptr;
        Sleep(2);
    }
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return text;
}

void SetText(HWND window, const std::wstring& text) {
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_BLOCK, 5000, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: window-driver RAVELO_EXE FOLDER SOURCE DESTINATION\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + WinePath(argv[1]) + L"\"";
    const std::wstring folder = WinePath(argv[2]);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    int status = 1;
    HWND main = WaitForWindowOf(process.dwProcessId, nullptr, 30000);
    if (main != nullptr) {
        WaitForInputIdle(process.hProcess, 10000);
        SetText(GetDlgItem(main, kSource), WinePath(argv[3]));
        SetText(GetDlgItem(main, kDestination), WinePath(argv[4]));
        LARGE_INTEGER frequency, start, stop;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        PostMessageW(GetDlgItem(main, kConvert), BM_CLICK, 0, 0);
        HWND box = WaitForWindowOf(process.dwProcessId, main, 900000);
        QueryPerformanceCounter(&stop);
        if (box != nullptr) {
            const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
            if (TextOf(box) == L"Ravelo" && text == L"Conclu\u00eddo com sucesso.") {
                std::printf("%.3f\n", double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart));
                status = 0;
            } else {
                std::fprintf(stderr, "unexpected message: %ls\n", text.c_str());
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            for (int i = 0; i < 500 && IsWindow(box); ++i) Sleep(10);
        }
        PostMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}
