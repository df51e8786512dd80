#include "CommandLine.h"

#include "DisplayText.h"

namespace {

CommandLine UsageError(std::string problem) {
    CommandLine line;
    line.problem = std::move(problem);
    return line;
}

}  // namespace

// Options may stand anywhere before "--"; everything after it is a path, so a
// file whose name begins with "-" can still be named.
CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    std::vector<std::string> paths;
    bool optionsEnded = false;
    bool check = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (arg == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (arg == "--check") {
            check = true;
        } else if (arg == "--ini") {
            if (line.settingsFile) return UsageError("--ini dado mais de uma vez");
            if (i + 1 >= args.size() || args[i + 1].empty()) return UsageError("--ini precisa do nome de um ficheiro");
            line.settingsFile = args[++i];
        } else {
            return UsageError("opção desconhecida: " + BytesToDisplayText(arg));
        }
    }
    if (check) {
        if (!paths.empty()) return UsageError("--check não leva ORIGEM nem DESTINO");
        line.action = CommandLine::Action::Check;
        return line;
    }
    if (paths.size() != 2) return UsageError("são precisos dois ficheiros: ORIGEM e DESTINO");
    // The window runs only with both fields filled in; so does this.
    if (paths[0].empty() || paths[1].empty()) return UsageError("nome de ficheiro vazio");
    line.action = CommandLine::Action::Convert;
    line.source = paths[0];
    line.destination = paths[1];
    return line;
}
