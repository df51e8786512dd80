#pragma once

#include <string>

#include "CFile.h"

// Reads a text file the way the Windows C runtime's fgets does in text mode:
// CR LF arrives as LF, a byte 0x1A ends the file, and each piece holds at most
// 255 bytes and ends after its LF. Zero bytes are delivered like any other.
class TextModeReader {
public:
    static constexpr std::size_t kMaxPiece = 255;
    enum class Status { Piece, End, Error };

    bool Open(const std::string& path);
    Status ReadPiece(std::string& piece);
    void Close() { m_file.Close(); }
    bool GetIdentity(FileIdentity& identity) const { return m_file.GetIdentity(identity); }

private:
    // Next raw byte, or -1 at the end (0x1A included), -2 on a read error.
    int NextByte();
    int NextTextByte();

    CFile m_file;
    bool m_ended = false;
    int m_pushedBack = -1;
};
