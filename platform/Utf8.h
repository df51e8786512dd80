#pragma once

#ifdef _WIN32
#include <string>

// UTF-8 inside, UTF-16 at the Windows API.
bool Utf8ToWide(const std::string& utf8, std::wstring& wide);
std::wstring Utf8ToWide(const std::string& utf8);  // invalid input: empty
std::string WideToUtf8(const std::wstring& wide);
#endif
