#pragma once

// Texts of the command-line converter itself; the run's own messages are the
// window's (Messages.h). UTF-8.
namespace cli {

inline constexpr const char* kProgramName = "ravelo-convert";
inline constexpr const char* kCountLabel = "Contagem de SR convertidos: ";
inline constexpr const char* kOutputFailed = "Não foi possível escrever a saída padrão.";
// A run stopped by Ctrl-C or its kin; the second where the destination was written in place.
inline constexpr const char* kInterrupted = "Conversão interrompida: o destino não foi alterado.";
inline constexpr const char* kInterruptedInPlace = "Conversão interrompida: o destino ficou incompleto.";

inline constexpr const char* kUsage =
    "Utilização: ravelo-convert [--ini FICHEIRO] ORIGEM DESTINO\n"
    "            ravelo-convert --check [--ini FICHEIRO]\n"
    "            ravelo-convert --help | --version\n";

inline constexpr const char* kHelp =
    "Converte as taxas de símbolo (SR) de um ficheiro de canais (*.dvb) de ORIGEM\n"
    "para DESTINO, registo a registo, segundo a tabela do ficheiro de inicialização.\n"
    "\n"
    "  --ini FICHEIRO  ficheiro de inicialização a usar (por omissão: RAVELO.INI\n"
    "                  na pasta actual)\n"
    "  --check         não converte: explica o ficheiro de inicialização\n"
    "  --help          mostra esta ajuda\n"
    "  --version       mostra a versão\n"
    "  --              o que se segue são nomes de ficheiros, mesmo começados por -\n"
    "\n"
    "Saída padrão: uma linha por taxa sem substituição (hexadecimal, decimal e o\n"
    "número do primeiro registo que a trouxe, separados por TAB, por ordem\n"
    "crescente), e por fim \"Contagem de SR convertidos: N\".\n"
    "Erro padrão: as mensagens da conversão.\n"
    "Com --check: na saída padrão, a tabela que a conversão usará (uma linha por\n"
    "taxa de origem) e um resumo; no erro padrão, os erros e avisos, por linha.\n"
    "Código de saída: 0 concluído com sucesso (--check: sem erros de sintaxe),\n"
    "1 erro, 2 utilização errada, 130 interrompido (Ctrl-C; o destino fica\n"
    "como estava).\n";

// --check: a finding is "linha N[, coluna C]: the line as shown: what it means".
inline constexpr const char* kCheckLine = "linha ";
inline constexpr const char* kCheckColumn = ", coluna ";
inline constexpr const char* kCheckReplacesLine = "substitui a regra da linha ";
inline constexpr const char* kCheckSourceReadAs = "a taxa de origem é lida como ";
inline constexpr const char* kCheckNeverMatches = ", acima de 65535: nenhum registo a tem";
inline constexpr const char* kCheckReplacementReadAs = "a nova taxa é lida como ";
inline constexpr const char* kCheckWritten = ", acima de 65535: é escrita ";
inline constexpr const char* kCheckNoColon = "SRD ou SRH sem \":\" logo a seguir: a linha é ignorada";
inline constexpr const char* kCheckCutDirective =
    "instrução partida pelo limite de 255 caracteres: não é lida como está escrita";
inline constexpr const char* kCheckAfterZero = "o texto depois do byte 0 (␀) é ignorado";
inline constexpr const char* kCheckHexRuleIgnored = "com SRD: na mesma linha, o SRH: é ignorado";
// The table's replacement fields for a replacement of 0, and the summary line.
inline constexpr const char* kCheckNotConverted = "listada, não convertida";
inline constexpr const char* kCheckSubstituted = "SR substituídos: ";
inline constexpr const char* kCheckListed = ", SR listados sem conversão: ";
inline constexpr const char* kCheckSyntaxErrors = ", erros de sintaxe: ";
inline constexpr const char* kCheckWarnings = ", avisos: ";

}  // namespace cli
