#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

// The console of Windows 7 and earlier fails a WriteConsoleW of more than
// 64 KB; 8 K UTF-16 units a call stay well below that on every Windows.
constexpr std::size_t kConsolePieceUnits = 8 * 1024;

inline bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Writes UTF-16 text through write(units, count), which returns how many
// units it wrote (0: failure), in pieces of at most kConsolePieceUnits that
// never part the two halves of a surrogate pair. A short write that ends
// between the halves counts as ending before the pair, which the next piece
// then offers whole; a write that takes no whole character is a failure.
// False at the first failure.
template <class Write>
bool WriteConsolePieces(const std::wstring& text, Write write) {
    const auto partsPair = [&text](std::size_t end) { return end < text.size() && IsHighSurrogate(text[end - 1]); };
    for (std::size_t done = 0; done < text.size();) {
        std::size_t piece = std::min(text.size() - done, kConsolePieceUnits);
        if (partsPair(done + piece)) --piece;
        std::size_t written = write(text.data() + done, piece);
        if (written > piece) return false;
        if (written > 0 && partsPair(done + written)) --written;
        if (written == 0) return false;
        done += written;
    }
    return true;
}
