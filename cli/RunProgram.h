#pragma once

#include <string>
#include <vector>

// The whole converter, from its arguments (UTF-8, without the program's name)
// to its exit status: 0 success, 1 a failed run or lost output, 2 a usage error.
int RunProgram(const std::vector<std::string>& args);
