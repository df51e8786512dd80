#include <gtest/gtest.h>

#include "CFile.h"
#include "TempDir.h"
#include "TextModeReader.h"

namespace {

using Pieces = std::vector<std::string>;

// All pieces of a file, in order; fails the test on a read error.
Pieces Read(const std::string& bytes) {
    TempDir dir;
    TextModeReader reader;
    EXPECT_TRUE(reader.Open(dir.Write("RAVELO.INI", bytes)));
    Pieces pieces;
    std::string piece;
    TextModeReader::Status status;
    while ((status = reader.ReadPiece(piece)) == TextModeReader::Status::Piece) pieces.push_back(piece);
    EXPECT_EQ(status, TextModeReader::Status::End);
    return pieces;
}

std::string Z(const char* bytes, std::size_t n) { return std::string(bytes, n); }

TEST(TextModeReader, ReadsLikeTheWindowsRuntimeInTextMode) {
    const std::string x254(254, 'x');
    // 257 pieces of 255 bytes fill the first block but for its last byte.
    const std::string edge(CFile::kBlockSize - 1, 'e');
    Pieces edgePieces(edge.size() / 255, std::string(255, 'e'));
    Pieces crlfAcross = edgePieces;
    crlfAcross.insert(crlfAcross.end(), {"\n", "q"});
    const std::pair<std::string, Pieces> cases[] = {
        {"a\nb\n", {"a\n", "b\n"}},
        {"no line end", {"no line end"}},
        {"", {}},
        {"\n\n", {"\n", "\n"}},
        {"a\r\nb\r\n", {"a\n", "b\n"}},
        {"a\r\r\nb", {"a\r\n", "b"}},
        {"a\rb\n", {"a\rb\n"}},  // a lone CR does not end a line
        {"a\r", {"a\r"}},
        {"a\nb\x1A" "c\nd\n", {"a\n", "b"}},
        {"\x1A" "SRD: 1 > 2\n", {}},
        {"a\r\x1A\n", {"a\r"}},
        {x254 + "yz\n", {x254 + "y", "z\n"}},
        {x254 + "\r\nz", {x254 + "\n", "z"}},  // CR LF counts as the one byte it becomes
        {Z("a\0b\n\0\n", 6), {Z("a\0b\n", 4), Z("\0\n", 2)}},
        {edge + "\r\nq", crlfAcross},  // CR and LF in different blocks
        {edge + "\x1A" "q", edgePieces},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(Read(bytes), expected) << bytes.substr(0, 40);
}

}  // namespace
