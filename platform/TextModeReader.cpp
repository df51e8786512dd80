#include "TextModeReader.h"

namespace {
constexpr int kEnd = -1;
constexpr int kError = -2;
constexpr int kEndOfFileMark = 0x1A;
}  // namespace

bool TextModeReader::Open(const std::string& path) {
    m_ended = false;
    m_pushedBack = -1;
    return m_file.Open(path, CFile::Mode::ReadShared);
}

// The file reads in blocks underneath; one byte at a time costs a copy only.
int TextModeReader::NextByte() {
    if (m_ended) return kEnd;
    unsigned char byte = 0;
    std::size_t received = 0;
    if (!m_file.Read(&byte, 1, received)) return kError;
    if (received == 0 || byte == kEndOfFileMark) {
        m_ended = true;
        return kEnd;
    }
    return byte;
}

int TextModeReader::NextTextByte() {
    int byte = m_pushedBack;
    if (byte >= 0)
        m_pushedBack = -1;
    else
        byte = NextByte();
    if (byte != '\r') return byte;
    const int next = NextByte();
    if (next == '\n') return '\n';
    if (next == kError) return kError;
    if (next != kEnd) m_pushedBack = next;  // a lone CR stays a CR
    return '\r';
}

TextModeReader::Status TextModeReader::ReadPiece(std::string& piece) {
    piece.clear();
    while (piece.size() < kMaxPiece) {
        const int byte = NextTextByte();
        if (byte == kError) return Status::Error;
        if (byte == kEnd) break;
        piece.push_back(static_cast<char>(byte));
        if (byte == '\n') break;
    }
    return piece.empty() ? Status::End : Status::Piece;
}
