#pragma once

#include <string>

// The current directory as UTF-8, whatever its length; empty when it cannot be had.
std::string CurrentDirectory();

// Separator between a directory and a file name on this platform.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
