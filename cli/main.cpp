// ravelo-convert: the conversion run of Ravelo's "Converter", from a terminal.
#include <string>
#include <vector>

#include "CliTexts.h"
#include "CommandLine.h"
#include "ConsoleStream.h"
#include "TerminalConverter.h"

#ifdef _WIN32
#include "Utf8.h"
#endif

namespace {

constexpr int kUsageStatus = 2;

int RunProgram(const std::vector<std::string>& args) {
    ConsoleStream out(ConsoleStream::Which::Output);
    ConsoleStream err(ConsoleStream::Which::Error);
    const CommandLine line = ParseCommandLine(args);
    switch (line.action) {
        case CommandLine::Action::Help:
            out.Write(std::string(cli::kUsage) + "\n" + cli::kHelp);
            return out.Flush() ? 0 : 1;
        case CommandLine::Action::Version:
            out.Write(std::string(cli::kProgramName) + " " + RAVELO_VERSION + "\n");
            return out.Flush() ? 0 : 1;
        case CommandLine::Action::UsageError:
            err.Write(std::string(cli::kProgramName) + ": " + line.problem + "\n" + cli::kUsage);
            err.Flush();
            return kUsageStatus;
        case CommandLine::Action::Convert:
            break;
    }
    TerminalConverter converter(line.source, line.destination, line.settingsFile, out, err);
    return converter.Run();
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
    return RunProgram(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
