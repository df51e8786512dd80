#pragma once

#include <string>

#include "CFile.h"

// Reads a text file the way the Windows C runtime's fgets does in text mode:
// CR LF arrives as LF, a byte 0x1A ends the file, and each piece holds at most
// 255 bytes and ends after its LF. Zero bytes are delivered like any other.
// A byte-order mark at the start is what Notepad writes: after a UTF-8 one the
// bytes follow as usual; after a UTF-16 one (either byte order) the text
// arrives as UTF-8, under the same rules counted in characters, so a piece
// holds at most 255 characters and never splits one.
class TextModeReader {
public:
    static constexpr std::size_t kMaxPiece = 255;
    enum class Status { Piece, End, Error };

    bool Open(const std::string& path);
    Status ReadPiece(std::string& piece);
    void Close() { m_file.Close(); }
    bool GetIdentity(FileIdentity& identity) const { return m_file.GetIdentity(identity); }

private:
    enum class Coding { Unknown, Bytes, Utf16Le, Utf16Be };

    // Next byte of the file (-1 at its end, -2 on a read error), and the
    // same after the bytes looked at for a mark.
    int NextFileByte();
    int NextRawByte();
    // Next UTF-16 code unit, or -1 / -2 as above (an odd last byte is no unit).
    long NextUnit();
    long NextCodePoint();
    // Next character: a byte, or a code point of a UTF-16 file. -1 also from 0x1A on.
    long NextChar();
    long NextTextChar();
    void TakeByteOrderMark();

    CFile m_file;
    Coding m_coding = Coding::Unknown;
    bool m_ended = false;
    bool m_failed = false;
    std::string m_unread;  // bytes looked at for a mark and given back
    long m_pushedBackUnit = -1;
    long m_pushedBack = -1;
};
