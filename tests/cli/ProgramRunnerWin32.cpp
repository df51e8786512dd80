#include <windows.h>

#include "ProgramRunner.h"
#include "TempDir.h"
#include "Utf8.h"

namespace {

// Quotes one argument so that the C runtime's parser gives it back unchanged.
std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

HANDLE OpenInheritable(const std::string& path, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(Utf8ToWide(path).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramResult RunProgram(const ProgramRun& run) {
    ProgramResult result;
    TempDir capture;
    const std::string outPath = run.outputFile.empty() ? capture.Path("out") : run.outputFile;
    const std::string errPath = capture.Path("err");

    std::wstring commandLine = Quote(Utf8ToWide(run.program));
    for (const auto& arg : run.args) commandLine += L" " + Quote(Utf8ToWide(arg));

    HANDLE in = OpenInheritable("NUL", false);
    HANDLE out = OpenInheritable(outPath, true);
    HANDLE err = OpenInheritable(errPath, true);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const std::wstring workDir = Utf8ToWide(run.workDir);
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, workDir.c_str(), &startup, &process);
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    if (!started) return result;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.status = static_cast<int>(code);
    if (run.outputFile.empty()) {
        const auto bytes = ReadAll(outPath);
        result.out.assign(bytes.begin(), bytes.end());
    }
    const auto bytes = ReadAll(errPath);
    result.err.assign(bytes.begin(), bytes.end());
    return result;
}
