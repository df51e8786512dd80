// ravelo-convert started by a shell that closed or redirected its streams.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "ChannelFile.h"
#include "Launch.h"
#include "TempDir.h"

// Closed descriptors, its own output named as destination, a file-size limit: status 1,
// and the files hold the records or the program's text, never a mixture.
TEST(ProgramTest, AHostileStartMixesNoMessageIntoAFile) {
    TempDir dir;
    dir.Write("RAVELO.INI", "SRD: 1000 > 300\n");
    dir.Write("d130.dvb", ChannelFile({1000, 10}) + "xy");
    dir.Write("big.dvb", ChannelFile(std::vector<uint16_t>(64, 10)));
    const std::pair<const char*, std::string> kRuns[] = {
        {"d130.dvb b.dvb >&- 2>&-", ChannelFile({300, 10})},
        {"d130.dvb b.dvb <&- 2>&-", ChannelFile({300, 10})},
        {"--version >&- 2>b.dvb", "Não foi possível escrever a saída padrão.\n"},
        {"d130.dvb /dev/stdout >b.dvb 2>&1", "Não foi possível criar o ficheiro\n/dev/stdout\nContagem de SR convertidos: 0\n"},
        {"d130.dvb /dev/stderr >/dev/null 2>b.dvb", "Não foi possível criar o ficheiro\n/dev/stderr\n"},
        {"big.dvb out.dvb >/dev/null 2>b.dvb", "Não foi possível gravar o ficheiro\nout.dvb\n"},
    };
    for (const auto& [line, holds] : kRuns) {
        const int wstatus = std::system(("cd '" + ToUtf8(dir.Root()) + "' && ulimit -f 2 && exec timeout -s KILL 10 '" + g_program + "' " + line).c_str());
        EXPECT_TRUE(WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 1) << line;
        EXPECT_EQ(ReadAll(dir.Path("b.dvb")), holds) << line;
    }
}
