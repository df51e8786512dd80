#include "TerminalConverter.h"

#include "CliTexts.h"
#include "RateRowTexts.h"
#include "SettingsCheck.h"
#include "StopSignals.h"
#include "WorkingDirectory.h"

namespace {

// A caption comes to the engine fit to show; on a terminal it is the start of
// a line, so a settings line's own line end goes.
std::string CaptionForTerminal(const std::string& caption) {
    return caption.empty() || caption.back() != '\n' ? caption : caption.substr(0, caption.size() - 1);
}

}  // namespace

TerminalConverter::TerminalConverter(std::string source, std::string destination,
                                     std::optional<std::string> settingsFile, ConsoleStream& out, ConsoleStream& err)
    : m_typedSource(std::move(source)), m_typedDestination(std::move(destination)), m_out(out), m_err(err) {
    if (settingsFile) m_engine.SetSettingsFile(std::move(*settingsFile));
}

int TerminalConverter::Run() {
    // The window takes its directory when it opens; this program when it starts.
    m_engine.SetWorkingDirectory(CurrentDirectory());
    // Rows and messages written over the records would leave neither intact.
    m_engine.SetKeptFiles(CFile::StandardOutputFiles());
    m_engine.SetStopFlag(stop::Flag());
    const bool succeeded = m_engine.Convert();
    ClearProgress();
    if (m_engine.Abandoned()) {
        m_err.Write(std::string(m_engine.DestinationKept() ? cli::kInterrupted : cli::kInterruptedInPlace) + "\n");
        m_err.Flush();
        return kInterruptedStatus;
    }
    PrintResults();
    return succeeded ? 0 : 1;
}

void TerminalConverter::PullPaths(std::string& source, std::string& destination) {
    source = m_typedSource;
    destination = m_typedDestination;
}

void TerminalConverter::ShowMessage(const std::string& text, const std::optional<std::string>& caption, MessageIcon) {
    ClearProgress();
    std::string line = caption ? CaptionForTerminal(*caption) + ": " + text : text;
    m_err.Write(line + "\n");
    m_err.Flush();
}

void TerminalConverter::ShowSyntaxError(const std::string& shownLine, uint64_t lineNo, uint64_t column) {
    ShowMessage(msg::kSettingsSyntaxError, SettingsPlace(lineNo, column) + ": " + shownLine, MessageIcon::Error);
}

void TerminalConverter::SetProgress(int percent) {
    if (!m_err.IsTerminal()) return;
    const std::string drawing = m_progress.Update(percent, m_engine.RecordNo(), m_engine.ConvertedCount());
    if (drawing.empty()) return;
    m_err.Write(drawing);
    m_err.Flush();
}

void TerminalConverter::ClearProgress() {
    const std::string erase = m_progress.Clear();
    if (erase.empty()) return;
    m_err.Write(erase);
    m_err.Flush();
}

// Four hex digits sort as their rates do: in order of rate, the rows stand as
// the window's list sorts them.
void TerminalConverter::PrintResults() {
    std::string row;
    for (uint32_t rate = 0; rate < m_firstRecords.size(); ++rate) {
        if (m_firstRecords[rate] == 0) continue;
        const RateRowTexts texts(static_cast<uint16_t>(rate), m_firstRecords[rate]);
        m_out.Write(row.assign(texts.hex).append("\t").append(texts.dec).append("\t").append(texts.line).append("\n"));
    }
    m_out.Write(cli::kCountLabel + std::to_string(m_engine.ConvertedCount()) + "\n");
}
