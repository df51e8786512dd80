#include "SettingsFile.h"

#include "DisplayText.h"
#include "Messages.h"
#include "WorkingDirectory.h"

bool SettingsFile::Open(const std::string& path) {
    m_lineNo = 1;
    m_column = 1;
    m_failed = false;
    return !path.empty() && m_reader.Open(path);
}

bool SettingsFile::Next(SettingsPiece& piece) {
    const TextModeReader::Status status = m_reader.ReadPiece(piece.bytes);
    m_failed = status == TextModeReader::Status::Error;
    if (status != TextModeReader::Status::Piece) return false;
    piece.lineNo = m_lineNo;
    piece.column = m_column;
    if (piece.bytes.back() == '\n') {
        ++m_lineNo;
        m_column = 1;
    } else {
        m_column += TextModeReader::kMaxPiece;
    }
    piece.meaning = ParseSettingsLine(piece.bytes);
    return true;
}

// A directory that could not be named leaves no folder to look in; the
// root's settings file would be some other program's.
std::string SettingsFileIn(const std::string& workDir) {
    if (workDir.empty()) return {};
    return workDir + kPathSeparator + msg::kSettingsFileName;
}

// The caption names the file; without a directory, just the file under the root.
std::string ShownSettingsPath(const std::string& path) {
    return path.empty() ? std::string(1, kPathSeparator) + msg::kSettingsFileName : BytesToDisplayText(path);
}
