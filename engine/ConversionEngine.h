#pragma once

#include <csignal>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CFile.h"
#include "ChannelRecord.h"
#include "ConversionView.h"
#include "RateTable.h"

// The state and the three operations of a conversion: loading the rate table,
// rewriting one record, and the run behind "Converter". The main dialog, the
// command-line converter and the tests each own one, built with the view they
// implement; the engine holds the paths it runs on, the view what it shows.
class ConversionEngine final {
public:
    explicit ConversionEngine(ConversionView& view) : m_view(view) {}

    // The folder whose RAVELO.INI a run reads; empty when it could not be named.
    void SetWorkingDirectory(std::string directory) { m_workDir = std::move(directory); }
    // A settings file read instead of the working directory's.
    void SetSettingsFile(std::string path) { m_settingsPath = std::move(path); }
    // Files never taken as the destination besides the settings file read for
    // the run: the front end's own output, where that is a file.
    void SetKeptFiles(std::vector<FileIdentity> files) { m_keptFiles = std::move(files); }

    // The run behind "Converter", ending with one message; true when that
    // message is the success one. The message comes once both files are
    // closed and the destination is what it stays.
    bool Convert();

    // Ends the run in hand at once, from inside one of the view's calls:
    // both files are closed and the destination is left as it was (a new
    // file is removed) before this returns. Convert then returns false with
    // no further message. Once the destination was replaced, it stays.
    void AbandonRun();
    // A flag that a signal handler may set: the run looks at it before each
    // record and, once it is set, abandons itself.
    void SetStopFlag(const volatile std::sig_atomic_t* flag) { m_stopFlag = flag; }
    // The last run was abandoned; whether its destination was left as it was
    // (false only where it was written in place).
    bool Abandoned() const { return m_abandoned; }
    bool DestinationKept() const { return m_destinationKept; }

    // Of the run in hand, or of the last one.
    uint64_t RecordNo() const { return m_recordNo; }
    uint64_t ConvertedCount() const { return m_convertedCount; }

private:
    // The given settings file, else working directory + separator + RAVELO.INI;
    // empty when neither is known.
    std::string SettingsFilePath() const;
    // Returns 1 when the settings file was read, 0 when it could not be.
    int LoadRateTable();
    void ProcessRecord();
    bool OpenDataFiles(uint64_t& length);
    // How the copy ended.
    enum class Ending { Copied, ReadFailed, Damaged, WriteFailed, Abandoned };
    Ending CopyRecords(uint64_t length);
    bool StopAsked() const { return m_abandoned || (m_stopFlag != nullptr && *m_stopFlag != 0); }
    int ProgressPercent() const;

    std::string m_source;
    std::string m_destination;
    uint64_t m_convertedCount = 0;
    std::string m_workDir;
    std::optional<std::string> m_settingsPath;
    std::vector<FileIdentity> m_keptFiles;
    uint64_t m_recordNo = 0;
    RateTable m_rates;
    std::optional<FileIdentity> m_settingsFile;
    float m_length = 0;    // progress percentage only
    float m_position = 0;  // progress percentage only
    const volatile std::sig_atomic_t* m_stopFlag = nullptr;
    bool m_abandoned = false;
    bool m_destinationKept = true;
    ChannelRecord m_record;
    CFile m_sourceFile;
    CFile m_destFile;
    ConversionView& m_view;
};
