// Options anywhere before "--", then two non-empty paths; a row per way of getting it wrong.
#include <gtest/gtest.h>

#include "CommandLine.h"

TEST(CommandLineTest, ArgumentsGiveTheirActionAndPaths) {
    using Action = CommandLine::Action;
    const std::tuple<std::vector<std::string>, Action, std::string> kRows[] = {
        {{"in", "--ini", "a.ini", "out"}, Action::Convert, "in|out|a.ini"},  // source|dest.|ini
        {{"--", "-x", "--ini"}, Action::Convert, "-x|--ini|"},
        {{"-", "out"}, Action::Convert, "-|out|"},
        {{"in", "--help", "--depressa"}, Action::Help, "||"},
        {{"--version", "a", "b", "c"}, Action::Version, "||"},
        {{"in"}, Action::UsageError, "||"},
        {{"in", "out", "more"}, Action::UsageError, "||"},
        {{"--depressa", "in", "out"}, Action::UsageError, "||"},
        {{"in", "out", "--ini"}, Action::UsageError, "||"},
        {{"--ini", "", "in", "out"}, Action::UsageError, "||"},
        {{"--ini", "a", "--ini", "a", "in", "out"}, Action::UsageError, "||"},
        {{"", "out"}, Action::UsageError, "||"},
        {{"in", ""}, Action::UsageError, "||"},
    };
    for (const auto& [args, action, paths] : kRows) {
        const CommandLine line = ParseCommandLine(args);
        EXPECT_EQ(line.action, action) << testing::PrintToString(args);
        EXPECT_EQ(line.source + "|" + line.destination + "|" + line.settingsFile.value_or(""),
                  paths);
    }
}
