#include "TerminalConverter.h"

#include <algorithm>

#include "CliTexts.h"
#include "WorkingDirectory.h"

namespace {

// A caption comes to the engine fit to show; on a terminal it is the start of
// a line, so a settings line's own line end goes.
std::string CaptionForTerminal(const std::string& caption) {
    return caption.empty() || caption.back() != '\n' ? caption : caption.substr(0, caption.size() - 1);
}

}  // namespace

TerminalConverter::TerminalConverter(std::string source, std::string destination,
                                     std::optional<std::string> settingsFile, ConsoleStream& out,
                                     ConsoleStream& err)
    : ConversionEngine(static_cast<ConversionView&>(*this)),
      m_typedSource(std::move(source)),
      m_typedDestination(std::move(destination)),
      m_settingsFile(std::move(settingsFile)),
      m_out(out),
      m_err(err) {}

std::string TerminalConverter::SettingsFilePath() const {
    return m_settingsFile ? *m_settingsFile : ConversionEngine::SettingsFilePath();
}

int TerminalConverter::Run() {
    // The window takes its directory when it opens; this program when it starts.
    m_workDir = CurrentDirectory();
    const bool succeeded = Convert();
    ClearProgress();
    PrintResults();
    return succeeded ? 0 : 1;
}

void TerminalConverter::PullPaths() {
    m_source = m_typedSource;
    m_destination = m_typedDestination;
}

void TerminalConverter::ShowMessage(const std::string& text,
                                    const std::optional<std::string>& caption, MessageIcon) {
    ClearProgress();
    std::string line = caption ? CaptionForTerminal(*caption) + ": " + text : text;
    m_err.Write(line + "\n");
    m_err.Flush();
}

void TerminalConverter::SetProgress(int percent) {
    if (!m_err.IsTerminal()) return;
    const std::string drawing = m_progress.Update(percent, m_recordNo, m_convertedCount);
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

// Rows are kept in arrival order and sorted once, when printed.
int TerminalConverter::AddRateRow(const std::string& hex, const std::string& dec,
                                  const std::string& line) {
    m_rows.push_back(Row{hex, dec, line});
    return static_cast<int>(m_rows.size() - 1);
}

void TerminalConverter::PrintResults() {
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const Row& a, const Row& b) { return a.hex < b.hex; });
    for (const Row& row : m_rows) m_out.Write(row.hex + '\t' + row.dec + '\t' + row.line + '\n');
    m_out.Write(std::string(cli::kCountLabel) + std::to_string(m_convertedCount) + "\n");
}
