#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "TempDir.h"

extern std::string g_program;  // the converter, named on the test program's command line

using Result = std::tuple<int, std::string, std::string>;  // exit status, output, error

// Runs the converter in `dir`: output to file "1" or a pipe without reader, error to "2";
// killed after 10 s (137). LaunchPosix.cpp through a shell, LaunchWin32.cpp with CreateProcessW.
Result Launch(const std::vector<std::string>& args, const TempDir& dir, bool closedPipe);
