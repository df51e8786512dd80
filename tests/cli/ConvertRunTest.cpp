// ravelo-convert run as a user runs it: real files in a fresh folder, the exit
// status, standard output and error, and the destination's bytes.
#include <filesystem>

#include "ConverterFixture.h"

namespace fs = std::filesystem;

namespace {

const std::string kSettings =
    "; comentário\n"
    "SRD: 1000 > 300\n"
    "srh: 2710 > 7530\n"  // 10000 -> 30000
    "SRD: 500 > 0\n";     // 500 stays and is listed

}  // namespace

TEST_F(ConverterTest, ConvertsAndPrintsUnconvertedRatesInAscendingOrder) {
    dir.Write("RAVELO.INI", kSettings);
    const auto source = ChannelFile({1000, 65535, 10, 500, 10000, 10, 1000});
    dir.Write("in.dvb", source);

    const ProgramResult run = Convert({"in.dvb", "out.dvb"});

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "000A\t10\t3\n"
              "01F4\t500\t4\n"
              "FFFF\t65535\t2\n"
              "Contagem de SR convertidos: 3\n");
    EXPECT_EQ(run.err, "Concluído com sucesso.\n");
    EXPECT_EQ(ReadAll(dir.Path("out.dvb")), WithRate(WithRate(source, 1000, 300), 10000, 30000));
    EXPECT_EQ(ReadAll(dir.Path("in.dvb")), source);
}

TEST_F(ConverterTest, IniOptionTakesThePlaceOfTheWorkingDirectorysFile) {
    dir.Write("RAVELO.INI", "SRD: 1000 > 1\n");
    dir.Write("outro.ini", "SRD: 1000 > 2\n");
    const auto source = ChannelFile({1000, 1000});
    dir.Write("in.dvb", source);

    const ProgramResult run = Convert({"--ini", dir.Path("outro.ini"), "in.dvb", "out.dvb"});

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Contagem de SR convertidos: 2\n");
    EXPECT_EQ(ReadAll(dir.Path("out.dvb")), WithRate(source, 1000, 2));
}

TEST_F(ConverterTest, SyntaxErrorIsShownWithItsLineAndTheRunStillSucceeds) {
    dir.Write("RAVELO.INI", "srh: zz > 1\r\nSRD: 1000 > 300\r\n");
    const auto source = ChannelFile({1000});
    dir.Write("in.dvb", source);

    const ProgramResult run = Convert({"in.dvb", "out.dvb"});

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "SRH: ZZ > 1: Erro de sintaxe em RAVELO.INI\nConcluído com sucesso.\n");
    EXPECT_EQ(run.out, "Contagem de SR convertidos: 1\n");
    EXPECT_EQ(ReadAll(dir.Path("out.dvb")), WithRate(source, 1000, 300));
}

TEST_F(ConverterTest, ControlBytesOfASettingsLineDoNotReachTheTerminal) {
    dir.Write("RAVELO.INI", "SRD: \x1b[2J\n");
    dir.Write("in.dvb", ChannelFile({1}));

    const ProgramResult run = Convert({"in.dvb", "out.dvb"});

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "SRD: ?[2J: Erro de sintaxe em RAVELO.INI\nConcluído com sucesso.\n");
}

TEST_F(ConverterTest, NamesWithAccentsAndBlanksArriveIntact) {
    dir.Write("RAVELO.INI", "SRD: 1000 > 300\n");
    const auto source = ChannelFile({1000, 7});
    dir.Write("canais ção.dvb", source);

    const ProgramResult run = Convert({"canais ção.dvb", "saída €.dvb"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(ReadAll(dir.Path("saída €.dvb")), WithRate(source, 1000, 300));

    const ProgramResult missing = Convert({"não há.dvb", "saída €.dvb"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "Não foi possível localizar o ficheiro\nnão há.dvb\n");
}

TEST_F(ConverterTest, DoubleDashLetsASourceBeginWithADash) {
    dir.Write("RAVELO.INI", "");
    dir.Write("-x.dvb", ChannelFile({42}));

    const ProgramResult run = Convert({"--", "-x.dvb", "out.dvb"});

    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "002A\t42\t1\nContagem de SR convertidos: 0\n");
}

TEST_F(ConverterTest, DamagedTailKeepsTheCompleteRecordsAndPrintsTheirRows) {
    dir.Write("RAVELO.INI", "SRD: 1000 > 300\n");
    auto source = ChannelFile({10, 1000});
    source.push_back(0xAB);
    source.push_back(0xCD);
    dir.Write("in.dvb", source);

    const ProgramResult run = Convert({"in.dvb", "out.dvb"});

    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "out.dvb: O stream fonte poderá estar corrupto.\n");
    EXPECT_EQ(run.out, "000A\t10\t1\nContagem de SR convertidos: 1\n");
    EXPECT_EQ(ReadAll(dir.Path("out.dvb")), WithRate(ChannelFile({10, 1000}), 1000, 300));
}
