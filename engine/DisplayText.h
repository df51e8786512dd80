#pragma once

#include <string>

// How any text from outside (a file name, a line of the settings file) is
// shown to a person, in a message, a caption or on a terminal. Valid UTF-8
// stays as it is; anything else is read as Windows-1252, the code page such
// files were written in. Control characters become visible and inert: C0 and
// DEL their Unicode pictures (ESC as U+241B), C1 the replacement character.
std::string BytesToDisplayText(const std::string& bytes);
