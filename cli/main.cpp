// ravelo-convert: the conversion run of Ravelo's "Converter", from a terminal.
#include <string>
#include <vector>

#include "CFile.h"
#include "CliTexts.h"
#include "CommandLine.h"
#include "ConsoleStream.h"
#include "TerminalConverter.h"

#ifdef _WIN32
#include "Utf8.h"
#else
#include <csignal>
#endif

namespace {

constexpr int kUsageStatus = 2;

int RunProgram(const std::vector<std::string>& args) {
    // Without its standard streams there is nowhere safe to report anything.
    if (!CFile::ReserveStandardStreams()) return 1;
    ConsoleStream out(ConsoleStream::Which::Output);
    ConsoleStream err(ConsoleStream::Which::Error);
    const CommandLine line = ParseCommandLine(args);
    int status = 0;
    switch (line.action) {
        case CommandLine::Action::Help:
            out.Write(std::string(cli::kUsage) + "\n" + cli::kHelp);
            break;
        case CommandLine::Action::Version:
            out.Write(std::string(cli::kProgramName) + " " + RAVELO_VERSION + "\n");
            break;
        case CommandLine::Action::UsageError:
            err.Write(std::string(cli::kProgramName) + ": " + line.problem + "\n" + cli::kUsage);
            err.Flush();
            return kUsageStatus;
        case CommandLine::Action::Convert:
            status = TerminalConverter(line.source, line.destination, line.settingsFile, out, err)
                         .Run();
            break;
    }
    // Output that never arrived (a full disk, a closed pipe) is no success.
    if (out.Flush()) return status;
    err.Write(std::string(cli::kOutputFailed) + "\n");
    err.Flush();
    return 1;
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so that any file name arrives intact whatever the code page.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(WideToUtf8(argv[i]));
    return RunProgram(args);
}
#else
int main(int argc, char** argv) {
    // Writing to a closed pipe, or past the file-size limit, then fails
    // (EPIPE, EFBIG) instead of killing the program: the run reports it and
    // ends with status 1, as on Windows.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    return RunProgram(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
