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
// The view may abandon the run from any of its calls.
ConversionEngine::Ending ConversionEngine::CopyRecords(uint64_t length) {
    m_recordNo = 0;
    uint64_t position = m_sourceFile.GetPosition();
    m_position = static_cast<float>(position);
    while (position < length) {
        ++m_recordNo;
        m_view.SetProgress(ProgressPercent());
        if (StopAsked()) return Ending::Abandoned;
        std::size_t received = 0;
        if (!m_sourceFile.Read(m_record.bytes.data(), ChannelRecord::kSize, received)) return Ending::ReadFailed;
        if (received < ChannelRecord::kSize) return Ending::Damaged;
        ProcessRecord();
        if (StopAsked()) return Ending::Abandoned;
        if (!m_destFile.Write(m_record.bytes.data(), ChannelRecord::kSize)) return Ending::WriteFailed;
        position = m_sourceFile.GetPosition();
        m_position = static_cast<float>(position);
    }
    return Ending::Copied;
}

void ConversionEngine::AbandonRun() {
    if (m_abandoned) return;
    m_abandoned = true;
    m_destinationKept = !m_destFile.WritesInPlace();
    m_sourceFile.Close();
    m_destFile.Close();
}

bool ConversionEngine::Convert() {
    m_abandoned = false;
    m_destinationKept = true;
    m_view.PullPaths(m_source, m_destination);
    m_convertedCount = 0;
    m_view.ShowConvertedCount(m_convertedCount);
    if (m_abandoned || LoadRateTable() == 0 || m_abandoned) return false;

    uint64_t length = 0;
    if (!OpenDataFiles(length)) return false;

    m_view.ClearRateList();
    const Ending ending = CopyRecords(length);
    if (ending == Ending::Abandoned) {
        AbandonRun();
        return false;
    }
    // The complete records before a damage are kept, as a whole copy is; what
    // is said about the destination is said once it is on the disk.
    m_sourceFile.Close();
    const bool kept = ending == Ending::Copied || ending == Ending::Damaged;
    const bool committed = kept ? m_destFile.Commit() : (m_destFile.Close(), false);
    if (ending == Ending::ReadFailed) {
        m_view.ShowMessage(msg::kSourceReadFailed + BytesToDisplayText(m_source), std::nullopt, MessageIcon::Error);
    } else if (ending == Ending::Damaged && committed) {
        m_view.ShowMessage(msg::kSourceDamaged, BytesToDisplayText(m_destination), MessageIcon::Error);
    } else if (!committed) {
        m_view.ShowMessage(msg::kDestinationWriteFailed + BytesToDisplayText(m_destination), std::nullopt,
                           MessageIcon::Error);
    }
    if (m_abandoned) return false;
    m_view.SetProgress(100);
    if (m_abandoned || !committed || ending != Ending::Copied) return false;
    m_view.ShowMessage(msg::kCompleted, std::nullopt, MessageIcon::None);
    return true;
}
