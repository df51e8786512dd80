#pragma once

// Texts of the command-line converter itself; the run's own messages are the
// window's (Messages.h). UTF-8.
namespace cli {

inline constexpr const char* kProgramName = "ravelo-convert";
inline constexpr const char* kCountLabel = "Contagem de SR convertidos: ";
inline constexpr const char* kOutputFailed = "Não foi possível escrever a saída padrão.";

inline constexpr const char* kUsage =
    "Utilização: ravelo-convert [--ini FICHEIRO] ORIGEM DESTINO\n"
    "            ravelo-convert --help | --version\n";

inline constexpr const char* kHelp =
    "Converte as taxas de símbolo (SR) de um ficheiro de canais (*.dvb) de ORIGEM\n"
    "para DESTINO, registo a registo, segundo a tabela do ficheiro de inicialização.\n"
    "\n"
    "  --ini FICHEIRO  ficheiro de inicialização a usar (por omissão: RAVELO.INI\n"
    "                  na pasta actual)\n"
    "  --help          mostra esta ajuda\n"
    "  --version       mostra a versão\n"
    "  --              o que se segue são nomes de ficheiros, mesmo começados por -\n"
    "\n"
    "Saída padrão: uma linha por taxa sem substituição (hexadecimal, decimal e o\n"
    "número do primeiro registo que a trouxe, separados por TAB, por ordem\n"
    "crescente), e por fim \"Contagem de SR convertidos: N\".\n"
    "Erro padrão: as mensagens da conversão.\n"
    "Código de saída: 0 concluído com sucesso, 1 erro, 2 utilização errada.\n";

}  // namespace cli
