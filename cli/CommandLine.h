#pragma once

#include <optional>
#include <string>
#include <vector>

// What the arguments of ravelo-convert ask for.
struct CommandLine {
    enum class Action { Convert, Check, Help, Version, UsageError };

    Action action = Action::UsageError;
    std::string source;
    std::string destination;
    std::optional<std::string> settingsFile;  // --ini FILE
    std::string problem;                      // why the usage is wrong
};

// Arguments without the program name, UTF-8.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
