#pragma once

#include <string>

// Bytes from a file, made fit to show: valid UTF-8 stays as it is, anything
// else is read as Windows-1252, the code page such files were written in.
std::string BytesToDisplayText(const std::string& bytes);
