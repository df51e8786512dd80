#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "Utf8.h"
#include "resource.h"

// The built program itself, started as a user starts it: from a folder,
// with its own entry point, application object and modal dialog loop.
namespace {

std::wstring ProgramPath() {
    std::string path = RAVELO_EXE;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;  // Wine's drive for the Linux root
    for (char& c : path)
        if (c == '/') c = '\\';
    return Utf8ToWide(path);
}

struct Search {
    DWORD process;
    HWND owner;
    const wchar_t* caption;
    HWND found;
};

// The first top-level window of the process with that owner (and caption, if given).
HWND WaitForWindow(DWORD process, HWND owner, const wchar_t* caption) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        Search search{process, owner, caption, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t text[128] = L"";
                GetWindowTextW(window, text, 128);
                if (process != s->process || GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window) ||
                    (s->caption != nullptr && std::wstring(text) != s->caption))
                    return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(20);
    }
    return nullptr;
}

std::string TextOf(HWND window) {  // WM_GETTEXT is carried across processes
    wchar_t text[512] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, nullptr);
    return WideToUtf8(text);
}

void SetText(HWND window, const char* text) {
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()), SMTO_BLOCK,
                        5000, nullptr);
}

// Clicks "Converter" and returns {caption, text} of the message box it shows, closing it.
std::pair<std::string, std::string> ConvertAndReadMessage(DWORD process, HWND main) {
    PostMessageW(GetDlgItem(main, IDC_CONVERT), BM_CLICK, 0, 0);
    HWND box = WaitForWindow(process, main, nullptr);
    if (box == nullptr) return {};
    std::pair<std::string, std::string> shown{TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))};
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int attempt = 0; attempt < 250 && IsWindow(box); ++attempt) Sleep(20);
    return shown;
}

TEST(RaveloExe, ReadsSettingsFromItsStartFolderNamesItselfRaveloAndEndsWithSair) {
    TempDir folder;
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.Root().wstring().c_str(), &startup, &process));
    HWND main = WaitForWindow(process.dwProcessId, nullptr, L"Marquelint ajustador");
    ASSERT_NE(main, nullptr);
    SetText(GetDlgItem(main, IDC_SOURCE), "canais.dvb");
    SetText(GetDlgItem(main, IDC_DESTINATION), "canais.dvb");

    EXPECT_EQ(ConvertAndReadMessage(process.dwProcessId, main),
              std::make_pair(folder.Path("RAVELO.INI"), std::string("Não foi possivel aceder ao ficheiro de inicialização!")));
    folder.Write("RAVELO.INI", "SRD: 1 > 2\n");
    EXPECT_EQ(ConvertAndReadMessage(process.dwProcessId, main),
              std::make_pair(std::string("Ravelo"), std::string("Os ficheiros origem e destino são iguais!")));

    PostMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    if (exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
