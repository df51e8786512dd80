#include <gtest/gtest.h>

#include "CFile.h"
#include "TempDir.h"
#include "TextModeReader.h"

namespace {

using namespace std::string_literals;
using Pieces = std::vector<std::string>;

// All pieces of a file, in order, up to its end (a read error fails the test).
Pieces Read(const std::string& bytes) {
    TempDir dir;
    TextModeReader reader;
    EXPECT_TRUE(reader.Open(dir.Write("RAVELO.INI", bytes)));
    Pieces pieces(1);
    TextModeReader::Status status;
    while ((status = reader.ReadPiece(pieces.back())) == TextModeReader::Status::Piece) pieces.emplace_back();
    EXPECT_EQ(status, TextModeReader::Status::End);
    pieces.pop_back();
    return pieces;
}

// A byte-order mark, then UTF-16 text in either byte order.
std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t u : text) bytes += bigEndian ? std::string{char(u >> 8), char(u)} : std::string{char(u), char(u >> 8)};
    return bytes;
}

TEST(TextModeReader, ReadsLikeTheWindowsRuntimeInTextModeAndAsNotepadWrote) {
    const std::string x254(254, 'x');
    // 257 pieces of 255 bytes fill the first block but for its last byte.
    const std::string edge(CFile::kBlockSize - 1, 'e');
    Pieces crlfAcross(edge.size() / 255, std::string(255, 'e'));
    crlfAcross.insert(crlfAcross.end(), {"\n", "q"});
    const std::pair<std::string, Pieces> cases[] = {
        {"a\nb\n", {"a\n", "b\n"}}, {"no line end", {"no line end"}}, {"", {}},
        {"a\r\nb\r\n", {"a\n", "b\n"}}, {"a\r\r\nb", {"a\r\n", "b"}},
        {"a\rb\n", {"a\rb\n"}}, {"a\r", {"a\r"}},  // a lone CR does not end a line
        {"a\nb\x1A" "c\nd\n", {"a\n", "b"}}, {"a\r\x1A\n", {"a\r"}},
        {x254 + "yz\n", {x254 + "y", "z\n"}},
        {x254 + "\r\nz", {x254 + "\n", "z"}},  // CR LF counts as the one byte it becomes
        {"a\0b\n\0\n"s, {"a\0b\n"s, "\0\n"s}}, {"a\r\0\n"s, {"a\r\0\n"s}},
        {edge + "\r\nq", crlfAcross},  // CR and LF in different blocks
        // Only a whole mark at the very start counts; after UTF-16 ones, pieces count characters (a pair is one).
        {"\xEF\xBB\xBF; a\n\xEF\xBB\xBF", {"; a\n", "\xEF\xBB\xBF"}}, {"\xEF\xBB", {"\xEF\xBB"}}, {"\xFE", {"\xFE"}},
        {Utf16(u"a\r\n\u00E7\u0080\r\r\n\U00010000\U0010FFFF\xD800\uE000x\xDC00\xDFFF\xD800\0\x1A" "b"s, false),
         {"a\n", "ç\u0080\r\n", "\U00010000\U0010FFFF�\uE000x���\0"s}},
        {Utf16(u"a\0b\n"s, true) + "c", {"a\0b\n"s}}, {Utf16(u"😀" + std::u16string(253, 'x') + u"€y\n", true), {"😀" + std::string(253, 'x') + "€", "y\n"}},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(Read(bytes), expected) << bytes.substr(0, 40);
}

}  // namespace
