#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "ProgramRunner.h"
#include "TempDir.h"

ProgramResult RunProgram(const ProgramRun& run) {
    ProgramResult result;
    TempDir capture;
    const std::string outPath = run.outputFile.empty() ? capture.Path("out") : run.outputFile;
    const std::string errPath = capture.Path("err");

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(run.program.c_str()));
    for (const auto& arg : run.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0) return result;
    if (pid == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
            ::dup2(err, 2) < 0 || ::chdir(run.workDir.c_str()) != 0)
            ::_exit(127);
        ::execv(run.program.c_str(), argv.data());
        ::_exit(127);
    }
    int wstatus = 0;
    while (::waitpid(pid, &wstatus, 0) < 0) {
    }
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    if (run.outputFile.empty()) {
        const auto out = ReadAll(outPath);
        result.out.assign(out.begin(), out.end());
    }
    const auto err = ReadAll(errPath);
    result.err.assign(err.begin(), err.end());
    return result;
}
