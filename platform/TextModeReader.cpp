#include "TextModeReader.h"

#include <utility>

#include "Utf8.h"

namespace {
constexpr long kEnd = -1;
constexpr long kError = -2;
constexpr long kEndOfFileMark = 0x1A;
constexpr long kReplacement = 0xFFFD;  // a lone surrogate in a UTF-16 file
}  // namespace

bool TextModeReader::Open(const std::string& path) {
    m_coding = Coding::Unknown;
    m_ended = m_failed = false;
    m_unread.clear();
    m_pushedBackUnit = m_pushedBack = -1;
    return m_file.Open(path, CFile::Mode::ReadSettings);
}

// The file reads in blocks underneath; one byte at a time costs a copy only.
int TextModeReader::NextFileByte() {
    unsigned char byte = 0;
    std::size_t received = 0;
    if (!m_file.Read(&byte, 1, received)) return kError;
    return received == 0 ? kEnd : byte;
}

int TextModeReader::NextRawByte() {
    if (m_unread.empty()) return NextFileByte();
    const auto byte = static_cast<unsigned char>(m_unread.front());
    m_unread.erase(0, 1);
    return byte;
}

void TextModeReader::TakeByteOrderMark() {
    m_coding = Coding::Bytes;
    int byte = 0;
    while (m_unread.size() < 3 && (byte = NextFileByte()) >= 0) m_unread.push_back(static_cast<char>(byte));
    m_failed = byte == kError;
    if (m_unread.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        m_unread.clear();
    } else if (m_unread.compare(0, 2, "\xFF\xFE") == 0 || m_unread.compare(0, 2, "\xFE\xFF") == 0) {
        m_coding = m_unread[0] == '\xFF' ? Coding::Utf16Le : Coding::Utf16Be;
        m_unread.erase(0, 2);
    }
}

long TextModeReader::NextUnit() {
    if (m_pushedBackUnit >= 0) return std::exchange(m_pushedBackUnit, -1);
    const int first = NextRawByte();
    if (first < 0) return first;
    const int second = NextRawByte();
    if (second < 0) return second;
    return m_coding == Coding::Utf16Le ? second << 8 | first : first << 8 | second;
}

// A code point of a UTF-16 file, a pair joined; a lone surrogate is no
// character, and shows as the replacement character.
long TextModeReader::NextCodePoint() {
    const long unit = NextUnit();
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit >= 0xDC00) return kReplacement;
    const long low = NextUnit();
    if (low >= 0xDC00 && low <= 0xDFFF) return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    if (low == kError) return kError;
    if (low >= 0) m_pushedBackUnit = low;
    return kReplacement;
}

long TextModeReader::NextChar() {
    if (m_coding == Coding::Unknown) TakeByteOrderMark();
    if (m_failed) return kError;
    if (m_ended) return kEnd;
    const long c = m_coding == Coding::Bytes ? NextRawByte() : NextCodePoint();
    if (c == kError) m_failed = true;
    if (c == kEnd || c == kEndOfFileMark) m_ended = true;
    return c == kEndOfFileMark ? kEnd : c;
}

long TextModeReader::NextTextChar() {
    long c = m_pushedBack;
    if (c >= 0)
        m_pushedBack = -1;
    else
        c = NextChar();
    if (c != '\r') return c;
    const long next = NextChar();
    if (next == '\n') return '\n';
    if (next == kError) return kError;
    if (next != kEnd) m_pushedBack = next;  // a lone CR stays a CR
    return '\r';
}

TextModeReader::Status TextModeReader::ReadPiece(std::string& piece) {
    piece.clear();
    for (std::size_t characters = 0; characters < kMaxPiece; ++characters) {
        const long c = NextTextChar();
        if (c == kError) return Status::Error;
        if (c == kEnd) break;
        if (m_coding == Coding::Bytes)
            piece.push_back(static_cast<char>(c));
        else
            AppendUtf8(piece, static_cast<char32_t>(c));
        if (c == '\n') break;
    }
    return piece.empty() ? Status::End : Status::Piece;
}
