#include <windows.h>
#include <process.h>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "WindowDriver.h"
#include "resource.h"

namespace {

// A visible top-level window of the process with that owner, waited for up to 10 s.
HWND WaitForWindow(DWORD process, HWND owner) {
    struct Search { DWORD process; HWND owner, found; } search{process, owner, nullptr};
    for (int attempt = 0; attempt < 500 && search.found == nullptr; Sleep(20), ++attempt)
        EnumWindows([](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == s->process && GetWindow(window, GW_OWNER) == s->owner && IsWindowVisible(window)) s->found = window;
            return s->found == nullptr;
        }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The built program, started as a user starts it: from a folder, with its own
// entry point, application object and modal loop.
TEST(RaveloExe, ReadsSettingsFromItsStartFolderNamesItselfAndEndsWithSair) {
    TempDir folder;
    const std::wstring program = L"Z:" + Utf8ToWide(RAVELO_EXE);
    SetCurrentDirectoryW(folder.Root().wstring().c_str());
    const auto process = reinterpret_cast<HANDLE>(_wspawnl(_P_NOWAIT, program.c_str(), program.c_str(), nullptr));
    SetCurrentDirectoryW(L"C:\\");
    HWND main = WaitForWindow(GetProcessId(process), nullptr);
    ASSERT_NE(main, nullptr);
    for (int id : {IDC_SOURCE, IDC_DESTINATION}) Type(GetDlgItem(main, id), "x.dvb");
    auto convert = [&] {  // caption and text of the box that "Converter" shows, closed again
        PostMessageW(GetDlgItem(main, IDC_CONVERT), BM_CLICK, 0, 0);
        HWND box = WaitForWindow(GetProcessId(process), main);
        const std::string shown = TextOf(box) + ": " + TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int attempt = 0; attempt < 500 && IsWindow(box); ++attempt) Sleep(20);
        return shown;
    };
    EXPECT_EQ(convert(), folder.Path("RAVELO.INI") + ": Não foi possivel aceder ao ficheiro de inicialização!");
    folder.Write("RAVELO.INI", "");
    EXPECT_EQ(convert(), "Ravelo: Os ficheiros origem e destino são iguais!");

    PostMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
    DWORD exitCode = STILL_ACTIVE;
    EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    GetExitCodeProcess(process, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    TerminateProcess(process, 1);  // if it is still running
    CloseHandle(process);
}

}  // namespace
