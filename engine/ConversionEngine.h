#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CFile.h"
#include "ChannelRecord.h"
#include "ConversionView.h"
#include "RateTable.h"

// The state and the three operations of a conversion: loading the rate table,
// rewriting one record, and the run behind "Converter". The main dialog, the
// command-line converter and the tests derive from it and supply the view.
class ConversionEngine {
public:
    explicit ConversionEngine(ConversionView& view) : m_view(view) {}
    virtual ~ConversionEngine() = default;

    // The run behind "Converter", ending with one message; true when that
    // message is the success one.
    bool Convert();

protected:
    // Working directory + separator + RAVELO.INI; empty when the directory is
    // unknown. Overridable for a given file.
    virtual std::string SettingsFilePath() const;

    // What the window binds and shows.
    std::string m_source;
    std::string m_destination;
    uint32_t m_convertedCount = 0;
    std::string m_workDir;
    uint64_t m_recordNo = 0;
    // Files never taken as the destination besides the settings file read for
    // the run: the front end's own output, where that is a file.
    std::vector<FileIdentity> m_keptFiles;

private:
    // Returns 1 when the settings file was read, 0 when it could not be.
    int LoadRateTable();
    void ProcessRecord();
    bool OpenDataFiles(uint64_t& length);
    bool CopyRecords(uint64_t length);
    bool FinishDestination();
    int ProgressPercent() const;

    RateTable m_rates;
    std::optional<FileIdentity> m_settingsFile;
    float m_length = 0;    // progress percentage only
    float m_position = 0;  // progress percentage only
    ChannelRecord m_record;
    CFile m_sourceFile;
    CFile m_destFile;
    ConversionView& m_view;
};
