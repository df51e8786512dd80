// ravelo-convert started as a shell starts it.
#include <gtest/gtest.h>

#include "ChannelFile.h"
#include "Launch.h"
#include "TempDir.h"

std::string g_program;  // the converter, named on this program's command line

// Rows in ascending hexadecimal, then the count; "caption: text" on one line, controls visible; any name intact.
// Output lost to a pipe without reader ends with 1, on Linux as on Windows (no SIGPIPE).
TEST(ProgramTest, ShowsWhatTheRunShowsAndEndsWithItsStatus) {
    TempDir dir;
    dir.Write("outro.ini", "SRD: 1000 > 300\nsrd: \x1b[2J\x7f\t\x01 x\r\r\n");
    dir.Write("canais Ωç.dvb", ChannelFile({65535, 10, 1000, 500, 10, 9}));
    dir.Write("RAVELO.INI", "");
    const std::string usage = "Utilização: ravelo-convert [--ini FICHEIRO] ORIGEM DESTINO\n"
                              "            ravelo-convert --help | --version\n";
    const std::string help = usage + R"(
Converte as taxas de símbolo (SR) de um ficheiro de canais (*.dvb) de ORIGEM
para DESTINO, registo a registo, segundo a tabela do ficheiro de inicialização.

  --ini FICHEIRO  ficheiro de inicialização a usar (por omissão: RAVELO.INI
                  na pasta actual)
  --help          mostra esta ajuda
  --version       mostra a versão
  --              o que se segue são nomes de ficheiros, mesmo começados por -

Saída padrão: uma linha por taxa sem substituição (hexadecimal, decimal e o
número do primeiro registo que a trouxe, separados por TAB, por ordem
crescente), e por fim "Contagem de SR convertidos: N".
Erro padrão: as mensagens da conversão.
Código de saída: 0 concluído com sucesso, 1 erro, 2 utilização errada.
)";
    const std::string lost = "Não foi possível escrever a saída padrão.\n";
    // More rows than the converter hands over in one write: 5000 rates, none with a replacement.
    std::vector<uint16_t> rates(5000);
    std::string rows;
    for (uint16_t rate = 0; rate < rates.size(); ++rate) {
        char row[24];
        std::snprintf(row, sizeof row, "%04X\t%d\t%d\n", rates[rate] = rate, rate, rate + 1);
        rows += row;
    }
    dir.Write("muitas.dvb", ChannelFile(rates));
    const std::tuple<std::vector<std::string>, int, std::string, std::string> kRuns[] = {
        {{"--ini", "outro.ini", "canais Ωç.dvb", "saída Ω.dvb"}, 0,
         "0009\t9\t6\n000A\t10\t2\n01F4\t500\t4\nFFFF\t65535\t1\nContagem de SR convertidos: 1\n",
         "SRD: ␛[2J␡␉␁ X␍: Erro de sintaxe em RAVELO.INI\nConcluído com sucesso.\n"},
        // RAVELO.INI of the current folder; a message's line break stays.
        {{"falta.dvb", "b"}, 1, "Contagem de SR convertidos: 0\n", "Não foi possível localizar o ficheiro\nfalta.dvb\n"},
        {{"muitas.dvb", "m.dvb"}, 0, rows + "Contagem de SR convertidos: 0\n", "Concluído com sucesso.\n"},
        {{"--help"}, 0, help, ""},
        {{"--version"}, 0, "ravelo-convert " RAVELO_VERSION "\n", ""},
        {{"-z\x1B[2J", "in.dvb"}, 2, "", "ravelo-convert: opção desconhecida: -z␛[2J\n" + usage},
    };
    for (const auto& [args, status, out, err] : kRuns) {
        EXPECT_EQ(Launch(args, dir, false), Result(status, out, err)) << args[0];
        EXPECT_EQ(Launch(args, dir, true),
                  out.empty() ? Result(status, "", err) : Result(1, "", err + lost));
    }
    EXPECT_EQ(ReadAll(dir.Path("saída Ω.dvb")), ChannelFile({65535, 10, 300, 500, 10, 9}));
}


int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    g_program = argc == 2 ? argv[1] : "";
    return RUN_ALL_TESTS();
}
