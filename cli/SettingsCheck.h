#pragma once

#include <string>

// ravelo-convert --check: what a settings file means to a run, told before any
// channel file is touched. The file is read as a run reads it (SettingsFile).
struct SettingsCheck {
    int status = 0;        // 0: read, no syntax error; 1: unreadable, or a syntax error
    std::string table;     // standard output: the table a run uses, then a summary line
    std::string findings;  // standard error: one line per finding, in the file's order
};

SettingsCheck CheckSettingsFile(const std::string& path);
