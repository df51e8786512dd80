#pragma once

#include <string>

// The path in a field's text, without what a paste adds and no Windows name
// can hold: one pair of double quotes around it (Explorer's "Copy as path"),
// blanks around those quotes, and blanks before a drive letter or a "\\"
// path. Anything else is the path as typed, trailing blanks and the leading
// blanks of a relative name included.
std::string PastedPath(const std::string& text);
