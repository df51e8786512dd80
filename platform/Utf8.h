#pragma once

#include <string>

// The one UTF-8 coder of the program. Lone surrogates (U+D800-U+DFFF) are
// encoded as three bytes like any other code point (WTF-8), so a Windows name
// that holds one survives the way in and out unchanged.
void AppendUtf8(std::string& out, char32_t codePoint);
// The code points of `utf8`, or false at the first sequence that is not
// UTF-8. With `acceptLoneSurrogates`, encoded lone surrogates are accepted;
// a pair is only accepted in its four-byte form, so each text has one coding.
bool DecodeUtf8(const std::string& utf8, std::u32string& codePoints, bool acceptLoneSurrogates);

// UTF-8 inside, UTF-16 at the Windows API, lossless both ways (Windows only).
bool Utf8ToWide(const std::string& utf8, std::wstring& wide);
std::wstring Utf8ToWide(const std::string& utf8);  // invalid input: empty
std::string WideToUtf8(const std::wstring& wide);
