#include <windows.h>

#include "Launch.h"
#include "Utf8.h"

Result Launch(const std::vector<std::string>& args, const TempDir& dir, bool closedPipe) {
    int status = -1;
    // The build's path lies on Wine's drive Z:; no argument needs more than quotes.
    std::wstring commandLine = L"\"Z:" + Utf8ToWide(g_program) + L"\"";
    for (const auto& arg : args) commandLine += L" \"" + Utf8ToWide(arg) + L"\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup, startup.dwFlags = STARTF_USESTDHANDLES;
    for (auto [name, handle] : {std::pair{"1", &startup.hStdOutput}, {"2", &startup.hStdError}})
        *handle = CreateFileW(Utf8ToWide(dir.Path(name)).c_str(), GENERIC_WRITE, 0, &inherit,
                              CREATE_ALWAYS, 0, nullptr);
    if (HANDLE reader = nullptr; closedPipe && CloseHandle(startup.hStdOutput))
        CreatePipe(&reader, &startup.hStdOutput, &inherit, 0), CloseHandle(reader);
    PROCESS_INFORMATION child{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       dir.Root().c_str(), &startup, &child)) {
        if (WaitForSingleObject(child.hProcess, 10000) == WAIT_TIMEOUT)
            TerminateProcess(child.hProcess, 137), WaitForSingleObject(child.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(child.hProcess, &code)) status = static_cast<int>(code);
    }
    for (HANDLE handle : {child.hThread, child.hProcess, startup.hStdOutput, startup.hStdError})
        CloseHandle(handle);
    return {status, ReadAll(dir.Path("1")), ReadAll(dir.Path("2"))};
}
