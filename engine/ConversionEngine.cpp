#include "ConversionEngine.h"

#include "DisplayText.h"
#include "Messages.h"
#include "SettingsFile.h"

namespace {

// The caption is the line with its line end, which ends the line as read
// and is no character of it; everything before it is shown as outside text.
std::string ShownSettingsLine(const std::string& line) {
    const bool ended = !line.empty() && line.back() == '\n';
    return BytesToDisplayText(line.substr(0, line.size() - ended)) + (ended ? "\n" : "");
}

}  // namespace

std::string ConversionEngine::SettingsFilePath() const {
    return m_settingsPath ? *m_settingsPath : SettingsFileIn(m_workDir);
}

int ConversionEngine::LoadRateTable() {
    m_rates.Clear();
    m_settingsFile.reset();
    const std::string path = SettingsFilePath();
    SettingsFile file;
    if (!file.Open(path)) {
        m_view.ShowMessage(msg::kSettingsUnreadable, ShownSettingsPath(path), MessageIcon::Error);
        return 0;
    }
    if (FileIdentity identity; file.GetIdentity(identity)) m_settingsFile = identity;
    SettingsPiece piece;
    while (file.Next(piece)) {
        const SettingsLine& line = piece.meaning;
        if (line.kind == SettingsLine::Kind::SyntaxError) {
            m_view.ShowSyntaxError(ShownSettingsLine(line.text), piece.lineNo, piece.column);
        } else if (line.kind == SettingsLine::Kind::Store) {
            m_rates.FindOrInsert(line.sourceRate).newRate = line.newRate;
        }
    }
    file.Close();
    if (file.Failed()) {
        // Half a table would convert wrongly without a word: refuse the run.
        m_rates.Clear();
        m_view.ShowMessage(msg::kSettingsUnreadable, ShownSettingsPath(path), MessageIcon::Error);
        return 0;
    }
    return 1;
}

void ConversionEngine::ProcessRecord() {
    const uint16_t rate = m_record.GetSymbolRate();
    RateEntry& entry = m_rates.FindOrInsert(rate);
    if (entry.newRate != 0) {
        m_record.SetSymbolRate(entry.newRate);
        m_view.ShowConvertedCount(++m_convertedCount);
    } else if (entry.reported == 0) {
        entry.reported = 1;
        // A refused row changes nothing: the record keeps its rate either way.
        m_view.AddRateRow(rate, m_recordNo);
    }
}

int ConversionEngine::ProgressPercent() const {
    // Share of the file read before this record, from the single-precision copies.
    const double share = static_cast<double>(m_position) / static_cast<double>(m_length);
    return static_cast<int>(share * 100.0);
}

bool ConversionEngine::OpenDataFiles(uint64_t& length) {
    // A refusal closes whatever is open (closing a closed file does nothing), then tells why.
    const auto refuse = [this](const std::string& text, const std::optional<std::string>& caption, MessageIcon icon) {
        m_sourceFile.Close();
        m_destFile.Close();
        m_view.ShowMessage(text, caption, icon);
        return false;
    };
    if (m_source == m_destination) return refuse(msg::kSamePaths, std::nullopt, MessageIcon::None);
    if (!m_sourceFile.Open(m_source, CFile::Mode::ReadData))
        return refuse(msg::kSourceNotFound + BytesToDisplayText(m_source), std::nullopt, MessageIcon::None);
    // Neither the source nor the settings file is ever emptied as the
    // destination, whatever name it is given and whatever the file system's locks do.
    std::vector<FileIdentity> kept = m_keptFiles;
    if (m_settingsFile) kept.push_back(*m_settingsFile);
    if (FileIdentity source; m_sourceFile.GetIdentity(source)) kept.push_back(source);
    if (!m_destFile.Open(m_destination, CFile::Mode::CreateData, kept))
        return refuse(msg::kDestinationNotCreated + BytesToDisplayText(m_destination), std::nullopt, MessageIcon::None);
    if (!m_sourceFile.GetLength(length))
        return refuse(msg::kSourceReadFailed + BytesToDisplayText(m_source), std::nullopt, MessageIcon::Error);
    m_length = static_cast<float>(length);
    if (length == 0) return refuse(msg::kSourceEmpty, BytesToDisplayText(m_destination), MessageIcon::Error);
    return true;
}

// The loop runs on the exact 64-bit position; the float copies only feed the bar.
bool ConversionEngine::CopyRecords(uint64_t length) {
    m_recordNo = 0;
    uint64_t position = m_sourceFile.GetPosition();
    m_position = static_cast<float>(position);
    while (position < length) {
        ++m_recordNo;
        m_view.SetProgress(ProgressPercent());
        std::size_t received = 0;
        if (!m_sourceFile.Read(m_record.bytes.data(), ChannelRecord::kSize, received)) {
            m_view.ShowMessage(msg::kSourceReadFailed + BytesToDisplayText(m_source), std::nullopt, MessageIcon::Error);
            return false;
        }
        if (received < ChannelRecord::kSize) {
            m_view.ShowMessage(msg::kSourceDamaged, BytesToDisplayText(m_destination), MessageIcon::Error);
            return false;
        }
        ProcessRecord();
        if (!m_destFile.Write(m_record.bytes.data(), ChannelRecord::kSize)) {
            m_view.ShowMessage(msg::kDestinationWriteFailed + BytesToDisplayText(m_destination), std::nullopt,
                               MessageIcon::Error);
            return false;
        }
        position = m_sourceFile.GetPosition();
        m_position = static_cast<float>(position);
    }
    return true;
}

// Flushes and closes the destination; a failure here means the file on disk
// may not hold what was written.
bool ConversionEngine::FinishDestination() {
    const bool flushed = m_destFile.Flush();
    const bool closed = m_destFile.Close();
    return flushed && closed;
}

bool ConversionEngine::Convert() {
    m_view.PullPaths(m_source, m_destination);
    m_convertedCount = 0;
    m_view.ShowConvertedCount(m_convertedCount);
    if (LoadRateTable() == 0) return false;

    uint64_t length = 0;
    if (!OpenDataFiles(length)) return false;

    m_view.ClearRateList();
    bool succeeded = CopyRecords(length);
    const bool finished = FinishDestination();
    m_sourceFile.Close();
    if (succeeded && !finished) {
        m_view.ShowMessage(msg::kDestinationWriteFailed + BytesToDisplayText(m_destination), std::nullopt,
                           MessageIcon::Error);
        succeeded = false;
    }
    m_view.SetProgress(100);
    if (succeeded) m_view.ShowMessage(msg::kCompleted, std::nullopt, MessageIcon::None);
    return succeeded;
}
