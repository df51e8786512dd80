#include "TextModeReader.h"

namespace {
constexpr int kEnd = -1;
constexpr int kError = -2;
constexpr int kEndOfFileMark = 0x1A;
}  // namespace

bool TextModeReader::Open(const std::string& path) {
    m_begin = m_end = 0;
    m_ended = false;
    m_pushedBack = -1;
    return m_file.Open(path, CFile::Mode::ReadShared);
}

int TextModeReader::NextByte() {
    if (m_ended) return kEnd;
    if (m_begin == m_end) {
        std::size_t received = 0;
        if (!m_file.Read(m_buffer, sizeof m_buffer, received)) return kError;
        m_begin = 0;
        m_end = received;
        if (received == 0) {
            m_ended = true;
            return kEnd;
        }
    }
    const int byte = static_cast<unsigned char>(m_buffer[m_begin++]);
    if (byte == kEndOfFileMark) {
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
