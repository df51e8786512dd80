#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

// The console of Windows 7 and earlier fails a WriteConsoleW of more than
// 64 KB; 8 K UTF-16 units a call stay well below that on every Windows.
constexpr std::size_t kConsolePieceUnits = 8 * 1024;

// Writes UTF-16 text through write(units, count), which returns how many
// units it wrote (0: failure), in pieces of at most kConsolePieceUnits that
// never part the two halves of a surrogate pair. False at the first failure.
template <class Write>
bool WriteConsolePieces(const std::wstring& text, Write write) {
    for (std::size_t done = 0; done < text.size();) {
        std::size_t piece = std::min(text.size() - done, kConsolePieceUnits);
        const auto last = static_cast<unsigned long>(text[done + piece - 1]);
        if (done + piece < text.size() && last >= 0xD800 && last <= 0xDBFF) --piece;
        const std::size_t written = write(text.data() + done, piece);
        if (written == 0 || written > piece) return false;
        done += written;
    }
    return true;
}
