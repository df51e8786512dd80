#pragma once

// Every text that a conversion run shows, in one place, so that the window and
// the command-line converter use the same words. UTF-8.
namespace msg {

inline constexpr const char* kSettingsUnreadable = "Não foi possivel aceder ao ficheiro de inicialização!";
inline constexpr const char* kSettingsSyntaxError = "Erro de sintaxe em RAVELO.INI";
inline constexpr const char* kSamePaths = "Os ficheiros origem e destino são iguais!";
inline constexpr const char* kSourceNotFound = "Não foi possível localizar o ficheiro\n";
inline constexpr const char* kDestinationNotCreated = "Não foi possível criar o ficheiro\n";
inline constexpr const char* kSourceEmpty = "O ficheiro não é válido.";
inline constexpr const char* kSourceDamaged = "O stream fonte poderá estar corrupto.";
inline constexpr const char* kSourceReadFailed = "Não foi possível ler o ficheiro\n";
inline constexpr const char* kDestinationWriteFailed = "Não foi possível gravar o ficheiro\n";
inline constexpr const char* kCompleted = "Concluído com sucesso.";

inline constexpr const char* kSettingsFileName = "RAVELO.INI";

}  // namespace msg
