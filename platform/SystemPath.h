#pragma once

#include <string>

// The name to hand to Windows for a path: the path itself, unless its full form is too long
// for Windows before 10 (MAX_PATH); then that full form behind \\?\, which lifts the limit.
std::wstring SystemPath(const std::wstring& path);
