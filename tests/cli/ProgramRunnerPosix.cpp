#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ProgramRunner.h"
#include "TempDir.h"

namespace {

// In the child: the standard streams as asked, the folder, then the program.
[[noreturn]] void Start(const ProgramRun& run, const std::string& outPath,
                        const std::string& errPath, char** argv) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = run.errorOnTerminal
                        ? 2  // already the terminal
                        : ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0 || ::chdir(run.workDir.c_str()) != 0)
        ::_exit(127);
    ::execv(argv[0], argv);
    ::_exit(127);
}

std::string Contents(const std::string& path) {
    const auto bytes = ReadAll(path);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

ProgramResult RunProgram(const ProgramRun& run) {
    ProgramResult result;
    TempDir capture;
    const std::string outPath = run.outputFile.empty() ? capture.Path("out") : run.outputFile;
    const std::string errPath = capture.Path("err");

    std::vector<char*> argv{const_cast<char*>(run.program.c_str())};
    for (const auto& arg : run.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    int terminal = -1;
    const pid_t pid =
        run.errorOnTerminal ? ::forkpty(&terminal, nullptr, nullptr, nullptr) : ::fork();
    if (pid < 0) return result;
    if (pid == 0) Start(run, outPath, errPath, argv.data());
    if (run.errorOnTerminal) {
        // Read until the program's side of the terminal is closed.
        char buffer[4096];
        for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;)
            result.err.append(buffer, static_cast<std::size_t>(got));
        ::close(terminal);
    }
    int wstatus = 0;
    while (::waitpid(pid, &wstatus, 0) < 0) {
    }
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    if (run.outputFile.empty()) result.out = Contents(outPath);
    if (!run.errorOnTerminal) result.err = Contents(errPath);
    return result;
}
