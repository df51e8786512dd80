#pragma once

#include <optional>
#include <string>

// A file named by the user, with a shortcut (.lnk) taken as the file it points to, as the
// file choosers take it. Empty when the name is a shortcut whose target cannot be found.
// Texts are UTF-8.
std::optional<std::string> FileBehindShortcut(const std::string& path);
