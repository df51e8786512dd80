#pragma once

#include <cstdint>
#include <string>

#include "CFile.h"
#include "SettingsLine.h"
#include "TextModeReader.h"

// One piece of the settings file, as a run reads it.
struct SettingsPiece {
    uint64_t lineNo = 0;  // the file's line (from 1, counted by line ends) that it belongs to
    uint64_t column = 1;  // where in that line it starts (from 1): a long line comes in several pieces
    std::string bytes;    // as delivered, line end included
    SettingsLine meaning;
};

// The one way RAVELO.INI is read, for a run and for a check: text mode, pieces
// of at most 255 characters, each interpreted as the Windows runtime would.
class SettingsFile {
public:
    // An empty path names no file.
    bool Open(const std::string& path);
    // False at the end of the file, or when reading failed (then Failed()).
    bool Next(SettingsPiece& piece);
    bool Failed() const { return m_failed; }
    void Close() { m_reader.Close(); }
    bool GetIdentity(FileIdentity& identity) const { return m_reader.GetIdentity(identity); }

private:
    TextModeReader m_reader;
    uint64_t m_lineNo = 1;
    uint64_t m_column = 1;
    bool m_failed = false;
};

// The settings file of a working directory; empty when the directory is unknown.
std::string SettingsFileIn(const std::string& workDir);
// How a settings file's path shows in a message's caption.
std::string ShownSettingsPath(const std::string& path);
