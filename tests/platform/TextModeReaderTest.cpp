#include <gtest/gtest.h>

#include "TempDir.h"
#include "TextModeReader.h"

namespace {

// All pieces of a file, in order; fails the test on a read error.
std::vector<std::string> Pieces(const std::string& bytes) {
    TempDir dir;
    TextModeReader reader;
    EXPECT_TRUE(reader.Open(dir.Write("RAVELO.INI", bytes)));
    std::vector<std::string> pieces;
    std::string piece;
    TextModeReader::Status status;
    while ((status = reader.ReadPiece(piece)) == TextModeReader::Status::Piece) pieces.push_back(piece);
    EXPECT_EQ(status, TextModeReader::Status::End);
    return pieces;
}

using Lines = std::vector<std::string>;

TEST(TextModeReader, DeliversLinesWithTheirLineEnd) {
    EXPECT_EQ(Pieces("a\nb\n"), (Lines{"a\n", "b\n"}));
    EXPECT_EQ(Pieces("last line without end"), (Lines{"last line without end"}));
    EXPECT_EQ(Pieces(""), Lines{});
    EXPECT_EQ(Pieces("\n\n"), (Lines{"\n", "\n"}));
}

TEST(TextModeReader, TranslatesCarriageReturnsLikeTextMode) {
    EXPECT_EQ(Pieces("a\r\nb\r\n"), (Lines{"a\n", "b\n"}));
    EXPECT_EQ(Pieces("a\r\r\nb"), (Lines{"a\r\n", "b"}));
    EXPECT_EQ(Pieces("a\rb\n"), (Lines{"a\rb\n"}));  // a lone CR does not end a line
    EXPECT_EQ(Pieces("a\r"), (Lines{"a\r"}));
}

TEST(TextModeReader, ByteOneAEndsTheFile) {
    EXPECT_EQ(Pieces("a\nb\x1A" "c\nd\n"), (Lines{"a\n", "b"}));
    EXPECT_EQ(Pieces("\x1A" "SRD: 1 > 2\n"), Lines{});
    EXPECT_EQ(Pieces("a\r\x1A\n"), (Lines{"a\r"}));
}

TEST(TextModeReader, SplitsLongLinesAfter255Bytes) {
    const std::string line = std::string(300, 'x') + "\n";
    EXPECT_EQ(Pieces(line), (Lines{std::string(255, 'x'), std::string(45, 'x') + "\n"}));

    // CR LF counts as the one byte it becomes.
    const std::string crlf = std::string(254, 'y') + "\r\nz";
    EXPECT_EQ(Pieces(crlf), (Lines{std::string(254, 'y') + "\n", "z"}));

    // Longer than the reader's own buffer.
    const std::string huge = std::string(10000, 'w');
    const Lines pieces = Pieces(huge);
    ASSERT_EQ(pieces.size(), 40u);
    EXPECT_EQ(pieces.back(), std::string(10000 - 39 * 255, 'w'));
}

TEST(TextModeReader, DeliversZeroBytesAsData) {
    EXPECT_EQ(Pieces(std::string("a\0b\n\0\n", 6)), (Lines{std::string("a\0b\n", 4), std::string("\0\n", 2)}));
}

}  // namespace
