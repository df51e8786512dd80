// ravelo-convert's arguments.
#include <gtest/gtest.h>

#include "CommandLine.h"

// Options anywhere before "--", then two non-empty paths; a row per way of getting it wrong ("").
TEST(CommandLineTest, ArgumentsGiveTheirActionAndPaths) {
    const std::pair<std::vector<std::string>, std::string> kRows[] = {
        {{"in", "out", "--ini", "a.ini"}, "in|out|a.ini"}, {{"--", "-x", "--ini"}, "-x|--ini|"}, {{"-", "out"}, "-|out|"},
        {{"--version", "a", "b", "c"}, "version"}, {{"in", "-h"}, "help"}, {{"--", "-h", "out"}, "-h|out|"}, {{"in"}, ""}, {{"in", "out", "more"}, ""}, {{"--depressa", "in", "out"}, ""},
        {{"in", "out", "--ini"}, ""}, {{"--ini", "", "in", "out"}, ""}, {{"--ini", "a", "--ini", "a", "in", "out"}, ""},
        {{"", "out"}, ""}, {{"in", ""}, ""}, {{"--check"}, "check|"}, {{"--ini", "a.ini", "--check"}, "check|a.ini"}, {{"--check", "in"}, ""},
    };
    for (const auto& [args, expected] : kRows) {
        const CommandLine got = ParseCommandLine(args);
        using A = CommandLine::Action;
        EXPECT_EQ(got.action == A::UsageError ? "" : got.action == A::Version ? "version" : got.action == A::Help ? "help"
                  : got.action == A::Check ? "check|" + got.settingsFile.value_or("")
                  : got.source + "|" + got.destination + "|" + got.settingsFile.value_or(""), expected) << testing::PrintToString(args);
    }
}
