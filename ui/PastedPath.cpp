#include "PastedPath.h"

namespace {

constexpr const char* kBlanks = " \t";

// "C:..." or "\\...": a blank before either cannot belong to the name.
bool StartsAbsolute(const std::string& text, std::size_t at) {
    if (at == std::string::npos || text.size() - at < 2) return false;
    const char c = text[at];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    return (letter && text[at + 1] == ':') || (c == '\\' && text[at + 1] == '\\');
}

}  // namespace

std::string PastedPath(const std::string& text) {
    std::string path = text;
    const std::size_t first = text.find_first_not_of(kBlanks);
    const std::size_t last = text.find_last_not_of(kBlanks);
    if (first != std::string::npos && last > first && text[first] == '"' && text[last] == '"')
        path = text.substr(first + 1, last - first - 1);
    const std::size_t start = path.find_first_not_of(kBlanks);
    return StartsAbsolute(path, start) ? path.substr(start) : path;
}
