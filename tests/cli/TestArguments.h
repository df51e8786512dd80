// cli_tests' command line: the converter [the folder of the bundled examples].
#pragma once
#include <string>

inline std::string g_program, g_examples;
