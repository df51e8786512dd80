// ravelo-convert started as a shell starts it.
#include <gtest/gtest.h>

#include "ChannelFile.h"
#include "TempDir.h"

#ifdef _WIN32
#include <windows.h>

#include "Utf8.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

static std::string g_program;  // the converter, named on this program's command line
std::string g_examples;        // the bundled examples' folder, named after it (or the source tree's)
using Result = std::tuple<int, std::string, std::string>;  // exit status, output, error

// In `dir`: output to file "1" or lost (a pipe without reader; Windows: no handle), error to "2"; killed after 10 s.
static Result Launch(const std::vector<std::string>& args, const TempDir& dir, bool lost) {
    int status = -1;
#ifdef _WIN32
    // No argument needs more than quotes.
    std::wstring commandLine = L"\"" + Utf8ToWide(g_program) + L"\"";
    for (const auto& arg : args) commandLine += L" \"" + Utf8ToWide(arg) + L"\"";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup, startup.dwFlags = STARTF_USESTDHANDLES;
    for (auto [name, handle] : {std::pair{"1", &startup.hStdOutput}, {"2", &startup.hStdError}})
        *handle = CreateFileW(Utf8ToWide(dir.Path(name)).c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (lost) CloseHandle(std::exchange(startup.hStdOutput, INVALID_HANDLE_VALUE));
    PROCESS_INFORMATION child{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.Root().c_str(), &startup, &child)) {
        if (WaitForSingleObject(child.hProcess, 10000) == WAIT_TIMEOUT)
            TerminateProcess(child.hProcess, 137), WaitForSingleObject(child.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(child.hProcess, &code)) status = static_cast<int>(code);
    }
    for (HANDLE handle : {child.hThread, child.hProcess, startup.hStdOutput, startup.hStdError}) CloseHandle(handle);
#else
    // perl makes the pipe without reader and leaves SIGPIPE as a shell leaves it.
    std::string command = "cd '" + ToUtf8(dir.Root()) + "' && exec timeout -s KILL 10 ";
    if (lost) command += "perl -e 'pipe R, W; close R; open STDOUT, \">&W\"; exec @ARGV' ";
    command += "'" + g_program + "'";
    for (const auto& arg : args) command += " '" + arg + "'";
    command += " >1 2>2";
    if (const int wstatus = std::system(command.c_str()); WIFEXITED(wstatus)) status = WEXITSTATUS(wstatus);
#endif
    return {status, ReadAll(dir.Path("1")), ReadAll(dir.Path("2"))};
}

// What a Windows console program writes to a file or a pipe has CR LF line ends, as Notepad wants.
static Result Redirected(int status, std::string out, std::string err) {
#ifdef _WIN32
    for (std::string* text : {&out, &err})
        for (std::size_t at = 0; (at = text->find('\n', at)) != std::string::npos; at += 2) text->insert(at, "\r");
#endif
    return {status, out, err};
}

// Rows in ascending hexadecimal, then the count; "caption: text" on one line, controls visible, a syntax error at its line;
// any name intact. Output that cannot be written ends with 1 (no SIGPIPE; on Windows, a missing handle is no writable one).
TEST(ProgramTest, ShowsWhatTheRunShowsAndEndsWithItsStatus) {
    TempDir dir;
    dir.Write("outro.ini", "SRD: 1000 > 300\nsrd: \x1b[2J\x7f\t\x01 x\r\r\n");
    dir.Write("canais Ωç.dvb", ChannelFile({65535, 10, 1000, 500, 10, 9, 0}));
    dir.Write("RAVELO.INI", "");
    const std::string usage = "Utilização: ravelo-convert [--ini FICHEIRO] ORIGEM DESTINO\n"
                              "            ravelo-convert --check [--ini FICHEIRO]\n"
                              "            ravelo-convert --help | --version\n";
    const std::tuple<std::vector<std::string>, int, std::string, std::string> kRuns[] = {
        {{"--ini", "outro.ini", "canais Ωç.dvb", "saída Ω.dvb"}, 0,
         "0000\t0\t7\n0009\t9\t6\n000A\t10\t2\n01F4\t500\t4\nFFFF\t65535\t1\nContagem de SR convertidos: 1\n",
         "linha 2: SRD: ␛[2J␡␉␁ X␍: Erro de sintaxe em RAVELO.INI\nConcluído com sucesso.\n"},
        // RAVELO.INI of the current folder; a message's line break stays, the name is shown, not obeyed.
        {{"falta\x1B[2J.dvb", "b"}, 1, "Contagem de SR convertidos: 0\n", "Não foi possível localizar o ficheiro\nfalta␛[2J.dvb\n"},
        {{"--help"}, 0, usage + "\n", ""},  // then the help's own text
        {{"--version"}, 0, "ravelo-convert " RAVELO_VERSION "\n", ""},
        {{"-z\x1B[2J", "in.dvb"}, 2, "", "ravelo-convert: opção desconhecida: -z␛[2J\n" + usage},
        // --check reads what a run reads: the current folder's RAVELO.INI, or the one named.
        {{"--check"}, 0, "SR substituídos: 0, SR listados sem conversão: 0, erros de sintaxe: 0, avisos: 0\n", ""},
        {{"--check", "--ini", "falta.ini"}, 1, "", "falta.ini: Não foi possivel aceder ao ficheiro de inicialização!\n"},
    };
    for (const auto& [args, status, out, err] : kRuns) {
        Result got = Launch(args, dir, false);
        if (args[0] == "--help") std::get<1>(got).resize(std::get<1>(Redirected(0, out, "")).size());
        EXPECT_EQ(got, Redirected(status, out, err)) << args[0];
        EXPECT_EQ(Launch(args, dir, true), out.empty() ? Redirected(status, "", err) : Redirected(1, "", err + "Não foi possível escrever a saída padrão.\n"));
    }
    EXPECT_EQ(ReadAll(dir.Path("saída Ω.dvb")), ChannelFile({65535, 10, 300, 500, 10, 9, 0}));
}

#ifndef _WIN32
// Shell starts ($C is the converter): closed descriptors, its own output named as destination, a file-size limit, settings
// read from a pipe or a FIFO whose writer comes late. The status, and what b.dvb holds: records or text, never a mixture.
TEST(ProgramTest, ShellStartsKeepRecordsAndMessagesApart) {
    TempDir dir;
    dir.Write("RAVELO.INI", "SRD: 1000 > 300\n");
    dir.Write("d130.dvb", ChannelFile({1000, 10}) + "xy");
    dir.Write("big.dvb", ChannelFile(std::vector<uint16_t>(64, 10)));
    dir.Write("two.dvb", ChannelFile({1000, 10}));
    const std::tuple<const char*, int, std::string> kRuns[] = {
        {"$C d130.dvb b.dvb >&- 2>&-", 1, ChannelFile({300, 10})},
        {"$C d130.dvb b.dvb <&- 2>&-", 1, ChannelFile({300, 10})},
        {"$C --version >&- 2>b.dvb", 1, "Não foi possível escrever a saída padrão.\n"},
        {"$C d130.dvb /dev/stdout >b.dvb 2>&1", 1, "Não foi possível criar o ficheiro\n/dev/stdout\nContagem de SR convertidos: 0\n"},
        {"$C d130.dvb /dev/stderr >/dev/null 2>b.dvb", 1, "Não foi possível criar o ficheiro\n/dev/stderr\n"},
        {"$C big.dvb out.dvb >/dev/null 2>b.dvb", 1, "Não foi possível gravar o ficheiro\nout.dvb\n"},
        {"printf 'SRD: 10 > 7\\n' | $C --ini /dev/stdin two.dvb b.dvb", 0, ChannelFile({1000, 7})},
        {"mkfifo f && { (sleep .2; timeout 5 sh -c \"printf 'SRD: 10 > 8\\\\n' >f\") & $C --ini f two.dvb b.dvb; }", 0, ChannelFile({1000, 8})},
    };
    for (const auto& [line, status, holds] : kRuns) {
        const std::string command = "cd '" + ToUtf8(dir.Root()) + "' && rm -f b.dvb f && ulimit -f 2 && C='timeout -s KILL 10 " + g_program + "' && " + line;
        const int wstatus = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == status) << line;
        EXPECT_EQ(ReadAll(dir.Path("b.dvb")), holds) << line;
    }
}

// Ctrl-C (SIGINT) or SIGTERM, once caught (SigCgt), while a run waits for its settings: the run stops at its first record,
// removes its new file, leaves the destination as it was, says so and ends by that signal.
TEST(ProgramTest, AnInterruptedRunLeavesTheDestinationAndEndsByItsSignal) {
    TempDir dir; dir.Write("two.dvb", ChannelFile({1000, 10}));
    for (const auto& [signal, status] : {std::pair{"INT", 130}, {"TERM", 143}}) {
        dir.Write("b.dvb", "old");
        const std::string command = "cd '" + ToUtf8(dir.Root()) + "' && rm -f f && mkfifo f && { perl -e '$SIG{INT} = \"DEFAULT\"; exec @ARGV' '" +
                                    g_program + "' --ini f two.dvb b.dvb >1 2>2 & for i in $(seq 200); do grep -q '^SigCgt:.*[2367abef]$' /proc/$!/status && break; sleep .02; done; kill -" + signal +
                                    " $!; timeout 5 sh -c \"printf 'SRD: 10 > 8\\n' >f\"; wait $!; exit $?; }";
        const int wstatus = std::system(command.c_str()); EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == status) << signal << " " << wstatus;
        EXPECT_EQ(ReadAll(dir.Path("2")), "Conversão interrompida: o destino não foi alterado.\n");
        EXPECT_EQ(ReadAll(dir.Path("1")) + ReadAll(dir.Path("b.dvb")), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 5) << "two.dvb b.dvb f 1 2, no new file";
    }
}

#endif

// kill -9 (Windows: TerminateProcess) at random moments of runs over a 1 MiB file: the destination is
// each time the old file or the whole new one, and nothing but the run's named new file is beside it.
#ifdef _WIN32
using Child = HANDLE;
static Child Start(const TempDir& dir) {
    std::wstring commandLine = L"\"" + Utf8ToWide(g_program) + L"\" big.dvb b.dvb";
    STARTUPINFOW startup{}; startup.cb = sizeof startup; PROCESS_INFORMATION child{};
    CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, dir.Root().c_str(), &startup, &child);
    return CloseHandle(child.hThread), child.hProcess;
}
static int End(Child child, bool kill) {
    DWORD code = 1; if (kill) TerminateProcess(child, 137);
    return WaitForSingleObject(child, INFINITE), GetExitCodeProcess(child, &code), CloseHandle(child), static_cast<int>(code);
}
constexpr int kKills = 8;  // a Wine process takes long to start: fewer kills, each once the run has made its new file
#else
using Child = pid_t;
static Child Start(const TempDir& dir) {
    const pid_t child = fork();
    if (child == 0 && chdir(dir.Root().c_str()) == 0 && dup2(open("/dev/null", O_WRONLY), 1) == 1 && dup2(1, 2) == 2)
        execl(g_program.c_str(), g_program.c_str(), "big.dvb", "b.dvb", static_cast<char*>(nullptr));
    return child == 0 ? _exit(127), 0 : child;
}
static int End(Child child, bool kill) {
    int wstatus = -1; if (kill) ::kill(child, SIGKILL);
    return waitpid(child, &wstatus, 0) > 0 && WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
}
#ifdef __SANITIZE_ADDRESS__
constexpr int kKills = 25;  // the sanitizers' slow start: the 100 kills are the release build's
#else
constexpr int kKills = 100;
#endif
#endif
constexpr bool kOnceWriting = kKills < 20;  // Windows

TEST(ProgramTest, AKilledRunLeavesTheOldDestinationOrTheWholeNewOne) {
    TempDir dir; dir.Write("RAVELO.INI", "SRD: 1000 > 300\n"), dir.Write("big.dvb", ChannelFile(std::vector<uint16_t>(16384, 1000)));
    const std::string whole = ChannelFile(std::vector<uint16_t>(16384, 300));
    const auto newFiles = [&dir] {  // removes them
        int removed = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Root())) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(".b.dvb.ravelo-", 0) == 0 && name.size() == 20) std::filesystem::remove(entry.path()), ++removed;
            else EXPECT_TRUE(name == "RAVELO.INI" || name == "big.dvb" || name == "b.dvb") << name;
        }
        return removed;
    };
    const auto startWriting = [&dir] {  // on Windows, once the run has made its new file
        const Child child = Start(dir);
        for (int wait = 0; kOnceWriting && wait < 5000 && std::none_of(std::filesystem::directory_iterator(dir.Root()), {}, [](const auto& entry) { return entry.path().filename().string()[0] == '.'; }); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return child;
    };
    const Child first = startWriting(); const auto began = std::chrono::steady_clock::now();
    ASSERT_EQ(End(first, false), 0);
    ASSERT_EQ(ReadAll(dir.Path("b.dvb")), whole);
    std::mt19937 random(29);
    std::uniform_int_distribution<long> moment(0, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began).count() * 6 / 5);
    int cut = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        dir.Write("b.dvb", "old");
        const Child child = startWriting();
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random))), End(child, true);
        const std::string now = ReadAll(dir.Path("b.dvb")); EXPECT_TRUE(now == "old" || now == whole) << "kill " << kill << ": " << now.size() << " bytes";
        cut += newFiles();
    }
    EXPECT_GE(cut, kKills / 20 + 1) << "kills that came during a run (about a quarter when the machine is idle)";
}

// The arguments in UTF-8; on Windows taken as UTF-16, so that a folder named outside the ANSI code
// page (tools/windows-suites.cmd unpacks the converter into one) arrives intact.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    const auto utf8 = [](const wchar_t* arg) { return WideToUtf8(arg); };
#else
int main(int argc, char** argv) {
    const auto utf8 = [](const char* arg) { return std::string(arg); };
#endif
    testing::InitGoogleTest(&argc, argv);
    g_program = argc >= 2 ? utf8(argv[1]) : "";
    g_examples = argc >= 3 ? utf8(argv[2]) : RAVELO_EXAMPLES;
    return RUN_ALL_TESTS();
}
