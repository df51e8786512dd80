#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ConsoleStream.h"
#include "ConversionEngine.h"
#include "ProgressLine.h"

// The conversion run behind "Converter", shown on a terminal: message boxes
// become lines on standard error, the list of rates that were not converted
// and the count become standard output, the bar a progress line.
class TerminalConverter : public ConversionView {
public:
    TerminalConverter(std::string source, std::string destination, std::optional<std::string> settingsFile,
                      ConsoleStream& out, ConsoleStream& err);

    // Where the run was interrupted (POSIX ends by the signal instead).
    static constexpr int kInterruptedStatus = 130;

    // One run; returns the program's exit status (0 success, 1 any failure).
    // The rows and the count are left in `out` for the caller to flush.
    int Run();

    void PullPaths(std::string& source, std::string& destination) override;
    void ShowConvertedCount(uint64_t) override {}  // printed once, when the run is over
    void ShowMessage(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon) override;
    // As --check says where: "linha 6: SRD: 1000 >: Erro de sintaxe em RAVELO.INI".
    void ShowSyntaxError(const std::string& shownLine, uint64_t lineNo, uint64_t column) override;
    void SetProgress(int percent) override;
    void ClearRateList() override { m_firstRecords.assign(m_firstRecords.size(), 0); }
    // Rows are kept by rate (each rate comes once a run) and written out once.
    int AddRateRow(uint16_t rate, uint64_t recordNo) override {
        m_firstRecords[rate] = recordNo;
        return rate;
    }

private:
    void ClearProgress();
    void PrintResults();

    std::string m_typedSource;
    std::string m_typedDestination;
    ConversionEngine m_engine{*this};
    ConsoleStream& m_out;
    ConsoleStream& m_err;
    ProgressLine m_progress;
    // The record where each rate was listed, by rate; 0: not listed.
    std::vector<uint64_t> m_firstRecords = std::vector<uint64_t>(0x10000);
};
