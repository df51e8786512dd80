// With standard error on a terminal, a run draws its progress line there; the
// line is redrawn only when the percentage changes and erased at the end.
#include <algorithm>
#include <regex>
#include <set>

#include "ConverterFixture.h"

TEST_F(ConverterTest, ProgressIsDrawnOnATerminalOncePerPercentageAndErased) {
    dir.Write("RAVELO.INI", "SRD: 7 > 8\n");
    std::vector<uint8_t> source;
    for (int i = 0; i < 100; ++i) {
        const auto record = ChannelFile({7});
        source.insert(source.end(), record.begin(), record.end());
    }
    dir.Write("in.dvb", source);

    ProgramRun onTerminal{ConverterProgram(), {"in.dvb", "out.dvb"}, ToUtf8(dir.Root()), ""};
    onTerminal.errorOnTerminal = true;
    const ProgramResult run = RunProgram(onTerminal);
    const std::string& terminal = run.err;

    EXPECT_EQ(run.status, 0);
    std::multiset<int> drawn;
    std::size_t widest = 0;
    const std::regex draw("\r *([0-9]+)%  registo ([0-9]+)  convertidos ([0-9]+)");
    for (std::sregex_iterator it(terminal.begin(), terminal.end(), draw), end; it != end; ++it) {
        drawn.insert(std::stoi((*it)[1]));
        widest = std::max(widest, static_cast<std::size_t>(it->length()) - 1);
    }
    // 100 records give 98 different shares before a record (28 and 53 come
    // twice), then the final 100.
    EXPECT_EQ(drawn.size(), 99u);
    EXPECT_EQ(std::set<int>(drawn.begin(), drawn.end()).size(), drawn.size());
    EXPECT_EQ(drawn.count(100), 1u);
    // Blanks over the widest line, then the message on a clean line.
    const std::string tail = "\r" + std::string(widest, ' ') + "\rConcluído com sucesso.\r\n";
    ASSERT_GE(terminal.size(), tail.size());
    EXPECT_EQ(terminal.substr(terminal.size() - tail.size()), tail);
    EXPECT_EQ(run.out, "Contagem de SR convertidos: 100\n");
}
