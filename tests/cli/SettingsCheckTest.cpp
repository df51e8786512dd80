// ravelo-convert --check: what it makes of a settings file, read through the run's own reader (SettingsFile).
#include <numeric>
#include <random>
#include <sstream>

#include "../engine/ConvertFixture.h"
#include "SettingsCheck.h"

extern std::string g_examples;  // ProgramTest.cpp

namespace {

using namespace std::string_literals;

// Each kind of finding, at its line (and column, past 255 characters), with the line as shown; warnings
// leave the status 0, one syntax error makes it 1. The bundled example ("") checks clean.
TEST(SettingsCheckTest, PrintsTheTableAndEachFinding) {
    TempDir dir;
    const std::string cut = ": instrução partida pelo limite de 255 caracteres: não é lida como está escrita\n";
    const std::tuple<std::string, int, std::string, std::string> kFiles[] = {
        {"", 0, "55F0\t22000\t5622\t22050\t19\n6B6C\t27500\t6C98\t27800\t17\n7530\t30000\t-\tlistada, não convertida\t21\n"
                "SR substituídos: 2, SR listados sem conversão: 1, erros de sintaxe: 0, avisos: 0\n", ""},
        {"SRH: FFFF > 1\nSRD: 1 >\n", 1, "FFFF\t65535\t0001\t1\t1\nSR substituídos: 1, SR listados sem conversão: 0, erros de sintaxe: 1, avisos: 0\n",
         "linha 2: SRD: 1 >: Erro de sintaxe em RAVELO.INI\n"},
        {"SRD: 27500 > 27800\r\nsrd 27500 > 1\nSRH: 6B6C > 11170\nSRD: -1 > 5\nSRH: 1 > 2 SRD: 3 > 0\nSRD: 8 > 9\0srd: 8 > 10\n"s
             + std::string(253, 'x') + "SRD: 1 > 2\n" + std::string(245, 'x') + "SRH: 1 > 2" + "3\n"  // cut, lines 7 and 8
             + "y SRD:4>65535" + std::string(242, ' ') + "x\n" + std::string(255, 'x') + "SRH: 6 > 7\n"  // not cut
             + ";" + std::string(252, 'x') + "SRD: 1 > 2\n" + "SR\0"s + std::string(252, 'x') + "D: 1 > 2\n", 0,
         "0001\t1\t0002\t2\t8\n0003\t3\t-\tlistada, não convertida\t5\n0004\t4\tFFFF\t65535\t9\n0006\t6\t0007\t7\t10\n"
         "0008\t8\t0009\t9\t6\n6B6C\t27500\t1170\t4464\t3\nSR substituídos: 5, SR listados sem conversão: 1, erros de sintaxe: 0, avisos: 8\n",
         "linha 2: srd 27500 > 1: SRD ou SRH sem \":\" logo a seguir: a linha é ignorada\n"
         "linha 3: SRH: 6B6C > 11170: substitui a regra da linha 1\n"
         "linha 3: SRH: 6B6C > 11170: a nova taxa é lida como 70000 (11170), acima de 65535: é escrita 4464 (1170)\n"
         "linha 4: SRD: -1 > 5: a taxa de origem é lida como 4294967295 (FFFFFFFF), acima de 65535: nenhum registo a tem\n"
         "linha 5: SRH: 1 > 2 SRD: 3 > 0: com SRD: na mesma linha, o SRH: é ignorado\n"
         "linha 6: SRD: 8 > 9␀srd: 8 > 10: o texto depois do byte 0 (␀) é ignorado\n"
         "linha 7, coluna 256: D: 1 > 2" + cut + "linha 8, coluna 256: 3" + cut},
        {std::string(249, 'x') + "SRD: 1" + "2 x\n" + std::string(251, 'x') + "SRD:" + "x\n", 1,  // the second line is not cut
         "SR substituídos: 0, SR listados sem conversão: 0, erros de sintaxe: 2, avisos: 1\n",
         "linha 1: " + std::string(249, 'x') + "SRD: 1: Erro de sintaxe em RAVELO.INI\nlinha 1, coluna 256: 2 x" + cut +
         "linha 2: " + std::string(251, 'x') + "SRD:: Erro de sintaxe em RAVELO.INI\n"},
    };
    for (const auto& [settings, status, table, findings] : kFiles) {
        std::string found;
        const SettingsCheck check = CheckSettingsFile(settings.empty() ? g_examples + "/RAVELO.INI" : dir.Write("RAVELO.INI", settings),
                                                      [&](const std::string& finding) { found += finding; });
        EXPECT_EQ(std::tie(check.status, check.table, found), std::tie(status, table, findings)) << settings;
    }
}

// Seeded random files (shared rates, wide, negative and bad numbers, near misses, comments, both directives, zero bytes,
// any line end, column 255): every 16-bit rate once through a run is written and listed as --check printed it.
TEST_F(ConvertFixture, CheckPrintsTheTableThatARunUses) {
    std::vector<uint16_t> every(0x10000);
    std::iota(every.begin(), every.end(), 0);
    dir.Write("source.dvb", ChannelFile(every));
    std::mt19937 random(25);
    const auto pick = [&](std::vector<std::string> choices) { return choices[random() % choices.size()]; };
    const std::vector<std::string> numbers = {"0", "1", "3", "8", "13", "-1", "65535", "65536", "4294967297", "0x1F", "+7", "z"};
    for (int file = 0; file < 20; ++file) {
        std::string settings;
        for (int line = random() % 60; line > 0; --line)
            settings += (random() % 5 ? "" : std::string(240 + random() % 20, 'x')) + pick({"SRD:", "srh: ", "SRD", "; SRD:", " ;SRH:", "SRH: 1 > 2 SRD:"})
                + pick(numbers) + pick({" > ", ">", " "}) + pick(numbers) + pick({"", " x", "\0SRD: 1 > 2"s}) + pick({"\n", "\r\n", "\r"});
        std::istringstream table(CheckSettingsFile(dir.Write("RAVELO.INI", settings), [](const std::string&) {}).table);
        std::vector<uint16_t> written = every;
        std::vector<bool> converted(every.size());
        unsigned rate = 0, newRate = 0;
        for (std::string row; std::getline(table, row) && std::sscanf(row.c_str(), "%x\t%*u\t%x", &rate, &newRate) >= 1; rate = newRate = 0)
            if (row.find("\t-\tlistada, não convertida\t") == std::string::npos) written[rate] = uint16_t(newRate), converted[rate] = true;
        ASSERT_TRUE(Run());
        Log listed;
        for (unsigned r = 0; r < every.size(); ++r)
            if (!converted[r]) listed.push_back("row " + std::string(RateRowTexts(uint16_t(r), 0).hex) + " " + std::to_string(r) + " " + std::to_string(r + 1));
        EXPECT_EQ(converter.Lines("row"), listed) << settings;
        EXPECT_TRUE(ReadAll(destination) == ChannelFile(written)) << settings;
    }
}

}  // namespace
