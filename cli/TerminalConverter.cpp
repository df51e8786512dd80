#include "TerminalConverter.h"

#include <algorithm>
#include <numeric>

#include "CliTexts.h"
#include "RateRowTexts.h"
#include "WorkingDirectory.h"

namespace {

constexpr std::size_t kRowsPerWrite = 60 * 1024;  // bytes of rows handed over at a time
constexpr std::size_t kRates = 0x10000;

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
    const bool succeeded = m_engine.Convert();
    ClearProgress();
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

// Rows are kept as numbers in arrival order, and sorted and written out once.
int TerminalConverter::AddRateRow(uint16_t rate, uint64_t recordNo) {
    m_rows.push_back(Row{rate, recordNo});
    return static_cast<int>(m_rows.size() - 1);
}

// Four hex digits sort as their rates do, so a stable sort by rate is the
// window's order by text: a counting sort, one pass over the rows.
void TerminalConverter::PrintResults() {
    std::vector<std::size_t> next(kRates + 1);
    for (const Row& row : m_rows) ++next[row.rate + 1u];
    std::partial_sum(next.begin(), next.end(), next.begin());
    std::vector<Row> sorted(m_rows.size());
    for (const Row& row : m_rows) sorted[next[row.rate]++] = row;

    std::string text;
    for (const Row& row : sorted) {
        const RateRowTexts texts(row.rate, row.recordNo);
        char shown[sizeof texts];
        char* end = std::copy_n(texts.hex, 4, shown);
        *end++ = '\t';
        end = std::copy_n(texts.dec, texts.decLength, end);
        *end++ = '\t';
        end = std::copy_n(texts.line, texts.lineLength, end);
        *end++ = '\n';
        text.append(shown, static_cast<std::size_t>(end - shown));
        if (text.size() >= kRowsPerWrite) {
            m_out.Write(text);
            text.clear();
        }
    }
    m_out.Write(text + cli::kCountLabel + std::to_string(m_engine.ConvertedCount()) + "\n");
}
