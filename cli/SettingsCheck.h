#pragma once

#include <cstdint>
#include <functional>
#include <string>

// ravelo-convert --check: what a settings file means to a run, told before any
// channel file is touched. The file is read as a run reads it (SettingsFile),
// in constant memory: the table has at most one row per 16-bit rate.
struct SettingsCheck {
    int status = 0;     // 0: read, no syntax error; 1: unreadable, or a syntax error
    std::string table;  // standard output: the table a run uses, then a summary line
};

// Each finding goes to `report` as soon as it is found: one line, in the file's order.
SettingsCheck CheckSettingsFile(const std::string& path, const std::function<void(const std::string&)>& report);

// Where a piece of a settings file starts: "linha 4", or "linha 4, coluna 256" past 255 characters.
std::string SettingsPlace(uint64_t lineNo, uint64_t column);
