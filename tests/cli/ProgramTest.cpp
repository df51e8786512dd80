// ravelo-convert's arguments, then the program started as a shell starts it.
#include <gtest/gtest.h>

#include "ChannelFile.h"
#include "CliTexts.h"
#include "CommandLine.h"
#include "TempDir.h"

#ifdef _WIN32
#include <windows.h>

#include "Utf8.h"
#else
#include <sys/wait.h>
#endif

static std::string g_program;  // the converter, named on this program's command line
using Result = std::tuple<int, std::string, std::string>;  // exit status, output, error

// In `dir`: output to file "1" or a pipe without reader, error to "2"; killed after 10 s (137).
static Result Launch(const std::vector<std::string>& args, const TempDir& dir, bool closedPipe) {
    int status = -1;
#ifdef _WIN32
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
#else
    // perl makes the pipe without reader and leaves SIGPIPE as a shell leaves it.
    std::string command = "cd '" + ToUtf8(dir.Root()) + "' && exec timeout -s KILL 10 ";
    if (closedPipe) command += "perl -e 'pipe R, W; close R; open STDOUT, \">&W\"; exec @ARGV' ";
    command += "'" + g_program + "'";
    for (const auto& arg : args) command += " '" + arg + "'";
    command += " >1 2>2";
    if (const int wstatus = std::system(command.c_str()); WIFEXITED(wstatus))
        status = WEXITSTATUS(wstatus);
#endif
    return {status, ReadAll(dir.Path("1")), ReadAll(dir.Path("2"))};
}

// Options anywhere before "--", then two non-empty paths; a row per way of getting it wrong.
TEST(CommandLineTest, ArgumentsGiveTheirActionAndPaths) {
    const std::tuple<std::vector<std::string>, CommandLine::Action, std::string> kRows[] = {
        {{"in", "out", "--ini", "a.ini"}, CommandLine::Action::Convert, "in|out|a.ini"},
        {{"--", "-x", "--ini"}, CommandLine::Action::Convert, "-x|--ini|"},
        {{"-", "out"}, CommandLine::Action::Convert, "-|out|"},
        {{"--version", "a", "b", "c"}, CommandLine::Action::Version, "||"},
    };
    const std::vector<std::string> kMistakes[] = {
        {"in"}, {"in", "out", "more"}, {"--depressa", "in", "out"}, {"in", "out", "--ini"},
        {"--ini", "", "in", "out"}, {"--ini", "a", "--ini", "a", "in", "out"}, {"", "out"}, {"in", ""},
    };
    for (const auto& args : kMistakes) {
        EXPECT_EQ(ParseCommandLine(args).action, CommandLine::Action::UsageError) << testing::PrintToString(args);
    }
    for (const auto& [args, action, paths] : kRows) {
        const CommandLine got = ParseCommandLine(args);
        EXPECT_EQ(got.action, action) << testing::PrintToString(args);
        EXPECT_EQ(got.source + "|" + got.destination + "|" + got.settingsFile.value_or(""), paths);
    }
}

// Rows ascending, then the count; "caption: text" on one line, controls visible; any name intact.
// Output lost to a pipe without reader ends with 1, on Linux as on Windows (no SIGPIPE).
TEST(ProgramTest, ShowsWhatTheRunShowsAndEndsWithItsStatus) {
    TempDir dir;
    dir.Write("outro.ini", "SRD: 1000 > 300\nsrd: \x1b[2J\x7f\t\x01 x\r\r\n");
    dir.Write("canais Ωç.dvb", ChannelFile({65535, 10, 1000, 500, 10}));
    const std::string usage = cli::kUsage, lost = std::string(cli::kOutputFailed) + "\n";
    const std::tuple<std::vector<std::string>, int, std::string, std::string> kRuns[] = {
        {{"--ini", "outro.ini", "canais Ωç.dvb", "saída Ω.dvb"}, 0,
         "000A\t10\t2\n01F4\t500\t4\nFFFF\t65535\t1\nContagem de SR convertidos: 1\n",
         "SRD: ␛[2J␡␉␁ X␍: Erro de sintaxe em RAVELO.INI\nConcluído com sucesso.\n"},
        {{"--ini", "x.ini", "a", "b"}, 1, "Contagem de SR convertidos: 0\n",
         "x.ini: Não foi possivel aceder ao ficheiro de inicialização!\n"},
        {{"--help"}, 0, usage + "\n" + cli::kHelp, ""},
        {{"--version"}, 0, "ravelo-convert " RAVELO_VERSION "\n", ""},
        {{"-z\x1B[2J", "in.dvb"}, 2, "", "ravelo-convert: opção desconhecida: -z␛[2J\n" + usage},
    };
    for (const auto& [args, status, out, err] : kRuns) {
        EXPECT_EQ(Launch(args, dir, false), Result(status, out, err)) << args[0];
        EXPECT_EQ(Launch(args, dir, true),
                  out.empty() ? Result(status, "", err) : Result(1, "", err + lost));
    }
    EXPECT_EQ(ReadAll(dir.Path("saída Ω.dvb")), ChannelFile({65535, 10, 300, 500, 10}));
}

#ifndef _WIN32
// Closed descriptors, its own output named as destination, a file-size limit: status 1,
// and the files hold the records or the program's text, never a mixture.
TEST(ProgramTest, AHostileStartMixesNoMessageIntoAFile) {
    TempDir dir;
    dir.Write("RAVELO.INI", "SRD: 1000 > 300\n");
    dir.Write("d130.dvb", ChannelFile({1000, 10}) + "xy");
    dir.Write("big.dvb", ChannelFile(std::vector<uint16_t>(64, 10)));
    const std::pair<const char*, std::string> kRuns[] = {
        {"d130.dvb b.dvb >&- 2>&-", ChannelFile({300, 10})},
        {"d130.dvb b.dvb <&- 2>&-", ChannelFile({300, 10})},
        {"--version >&- 2>b.dvb", "Não foi possível escrever a saída padrão.\n"},
        {"d130.dvb /dev/stdout >b.dvb 2>&1", "Não foi possível criar o ficheiro\n/dev/stdout\nContagem de SR convertidos: 0\n"},
        {"d130.dvb /dev/stderr >/dev/null 2>b.dvb", "Não foi possível criar o ficheiro\n/dev/stderr\n"},
        {"big.dvb out.dvb >/dev/null 2>b.dvb", "Não foi possível gravar o ficheiro\nout.dvb\n"},
    };
    for (const auto& [line, holds] : kRuns) {
        const int wstatus = std::system(("cd '" + ToUtf8(dir.Root()) + "' && ulimit -f 2 && exec timeout -s KILL 10 '" + g_program + "' " + line).c_str());
        EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 1) << line;
        EXPECT_EQ(ReadAll(dir.Path("b.dvb")), holds) << line;
    }
}
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    g_program = argc == 2 ? argv[1] : "";
    return RUN_ALL_TESTS();
}
