#pragma once

#include <string>
#include <vector>

// Runs a program as a user's shell would: arguments as given (UTF-8), in a
// chosen working directory, standard input empty, and collects what it wrote.
struct ProgramResult {
    int status = -1;  // exit status; -1 when the program could not be run
    std::string out;
    std::string err;
};

struct ProgramRun {
    std::string program;
    std::vector<std::string> args;
    std::string workDir;
    std::string outputFile;  // where standard output goes; empty: captured
#ifndef _WIN32
    bool errorOnTerminal = false;  // standard error on a new pseudo-terminal
#endif
};

ProgramResult RunProgram(const ProgramRun& run);
