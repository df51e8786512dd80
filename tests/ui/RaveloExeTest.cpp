#include <windows.h>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "WindowDriver.h"
#include "resource.h"

namespace {

// Clicks "Converter" in the other process and returns {caption, text} of the box it shows, closing it.
std::pair<std::string, std::string> ConvertAndReadMessage(DWORD process, HWND main) {
    PostMessageW(GetDlgItem(main, IDC_CONVERT), BM_CLICK, 0, 0);
    HWND box = WaitForWindow(process, main);
    if (box == nullptr) return {};
    std::pair<std::string, std::string> shown{TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))};
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int attempt = 0; attempt < 250 && IsWindow(box); ++attempt) Sleep(20);
    return shown;
}

// The built program, started as a user starts it: from a folder, with its own
// entry point, application object and modal loop.
TEST(RaveloExe, ReadsSettingsFromItsStartFolderNamesItselfAndEndsWithSair) {
    TempDir folder;
    std::wstring commandLine = L"\"Z:" + Utf8ToWide(RAVELO_EXE) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.Root().wstring().c_str(), &startup, &process));
    HWND main = WaitForWindow(process.dwProcessId, nullptr);
    ASSERT_NE(main, nullptr);
    for (int id : {IDC_SOURCE, IDC_DESTINATION}) Type(GetDlgItem(main, id), "x.dvb");

    EXPECT_EQ(ConvertAndReadMessage(process.dwProcessId, main),
              std::make_pair(folder.Path("RAVELO.INI"), std::string("Não foi possivel aceder ao ficheiro de inicialização!")));
    folder.Write("RAVELO.INI", "");
    EXPECT_EQ(ConvertAndReadMessage(process.dwProcessId, main),
              std::make_pair(std::string("Ravelo"), std::string("Os ficheiros origem e destino são iguais!")));

    PostMessageW(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
    DWORD exitCode = STILL_ACTIVE;
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    if (exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
