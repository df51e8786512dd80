// ravelo-convert: the conversion run of Ravelo's "Converter", from a terminal.
// Each platform's entry point (MainPosix.cpp, MainWin32.cpp) hands it the arguments.
#include "RunProgram.h"

#include "CFile.h"
#include "CliTexts.h"
#include "CommandLine.h"
#include "ConsoleStream.h"
#include "SettingsCheck.h"
#include "SettingsFile.h"
#include "TerminalConverter.h"
#include "WorkingDirectory.h"

namespace {

constexpr int kUsageStatus = 2;

}  // namespace

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
            status = TerminalConverter(line.source, line.destination, line.settingsFile, out, err).Run();
            break;
        case CommandLine::Action::Check: {
            // The file a run would read: the one named, or the current folder's.
            const SettingsCheck check =
                CheckSettingsFile(line.settingsFile.value_or(SettingsFileIn(CurrentDirectory())),
                                  [&err](const std::string& finding) { err.Write(finding); });
            err.Flush();
            out.Write(check.table);
            status = check.status;
            break;
        }
    }
    // Output that never arrived (a full disk, a closed pipe) is no success.
    if (out.Flush()) return status;
    err.Write(std::string(cli::kOutputFailed) + "\n");
    err.Flush();
    return 1;
}
