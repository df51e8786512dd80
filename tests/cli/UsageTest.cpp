// Wrong usage, --help and --version: no run, no count line, nothing on disk.
#include <filesystem>

#include "ConverterFixture.h"

namespace {

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
};

const UsageCase kWrongUsage[] = {
    {"NoArguments", {}},
    {"OnePath", {"in.dvb"}},
    {"ThreePaths", {"in.dvb", "out.dvb", "mais.dvb"}},
    {"UnknownOption", {"--depressa", "in.dvb", "out.dvb"}},
    {"IniWithoutFile", {"in.dvb", "out.dvb", "--ini"}},
    {"IniGivenTwice", {"--ini", "a.ini", "--ini", "b.ini", "in.dvb", "out.dvb"}},
    {"EmptySource", {"", "out.dvb"}},
    {"EmptyDestination", {"in.dvb", ""}},
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class WrongUsageTest : public ConverterTest, public ::testing::WithParamInterface<UsageCase> {};

}  // namespace

TEST_P(WrongUsageTest, ShowsTheUsageAndEndsWithStatusTwo) {
    dir.Write("RAVELO.INI", "SRD: 1000 > 300\n");
    dir.Write("in.dvb", ChannelFile({1000}));

    const ProgramResult run = Convert(GetParam().args);

    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("ravelo-convert: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(kUsageLine), std::string::npos) << run.err;
    EXPECT_FALSE(Exists("out.dvb"));
}

INSTANTIATE_TEST_SUITE_P(Cli, WrongUsageTest, ::testing::ValuesIn(kWrongUsage),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConverterTest, HelpGoesToStandardOutputAndConvertsNothing) {
    dir.Write("RAVELO.INI", "");
    dir.Write("in.dvb", ChannelFile({1}));

    const ProgramResult run = Convert({"in.dvb", "out.dvb", "--help"});

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind(kUsageLine, 0), 0u) << run.out;
    EXPECT_NE(run.out.find("--ini FICHEIRO"), std::string::npos);
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(Exists("out.dvb"));
}

TEST_F(ConverterTest, VersionIsThePrograms) {
    const ProgramResult run = Convert({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ravelo-convert 1.0.0.1\n");
    EXPECT_EQ(run.err, "");
}

#ifndef _WIN32
// Rows lost on the way out must not pass for a successful run.
TEST_F(ConverterTest, FailingStandardOutputEndsWithStatusOne) {
    dir.Write("RAVELO.INI", "");
    dir.Write("in.dvb", ChannelFile({1}));

    const ProgramResult run =
        RunProgram({ConverterProgram(), {"in.dvb", "out.dvb"}, ToUtf8(dir.Root()), "/dev/full"});

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Concluído com sucesso.\nNão foi possível escrever a saída padrão.\n");
}
#endif
