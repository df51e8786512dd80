#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "ChannelFile.h"
#include "ConversionEngine.h"
#include "RateRowTexts.h"
#include "TempDir.h"
#include "WorkingDirectory.h"

using Log = std::vector<std::string>;

inline std::string Message(const std::string& text, const std::string& caption, bool error) {
    return "message " + text + " | " + caption + (error ? " | error" : " | none");
}
inline const std::string kCompleted = Message("Concluído com sucesso.", "(app)", false);

// A conversion engine whose window is a log: every view call becomes one line.
class RecordingConverter : public ConversionView {
public:
    ConversionEngine engine{*this};
    std::string typedSource, typedDestination;
    bool refuseRows = false;
    uint64_t abandonAt = 0;  // the record whose progress call abandons the run
    Log log;

    Log Lines(const std::string& prefix) const {
        Log out;
        for (const std::string& line : log) if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }
    void PullPaths(std::string& source, std::string& destination) override { source = typedSource, destination = typedDestination; }
    void ShowConvertedCount(uint32_t count) override { log.push_back("count " + std::to_string(count)); }
    void ShowMessage(const std::string& text, const std::optional<std::string>& caption, MessageIcon icon) override {
        log.push_back(Message(text, caption.value_or("(app)"), icon == MessageIcon::Error));
    }
    void SetProgress(int percent) override { log.push_back("progress " + std::to_string(percent)); if (engine.RecordNo() == abandonAt) engine.AbandonRun(); }
    void ClearRateList() override { log.push_back("clear"); }
    int AddRateRow(uint16_t rate, uint64_t recordNo) override {
        const RateRowTexts texts(rate, recordNo);
        log.push_back("row " + std::string(texts.hex) + " " + texts.dec + " " + texts.line);
        return refuseRows ? -1 : 0;
    }
};

// A folder with RAVELO.INI (1000 -> 300, 27500 -> 22000); source.dvb -> dest.dvb.
class ConvertFixture : public ::testing::Test {
protected:
    ConvertFixture() {
        converter.engine.SetWorkingDirectory(ToUtf8(dir.Root()));
        dir.Write("RAVELO.INI", "SRD: 1000 > 300\nSRH: 6B6C > 55F0\n");
        converter.typedSource = source = dir.Path("source.dvb");
        converter.typedDestination = destination = dir.Path("dest.dvb");
    }
    bool Run() {
        converter.log.clear();
        return converter.engine.Convert();
    }
    // Fills in {SOURCE}, {DEST}, {ROOT} and {SEP}.
    std::string Expand(std::string text) const {
        const std::pair<std::string, std::string> names[] = {{"{SOURCE}", source}, {"{DEST}", converter.typedDestination},
                                                             {"{ROOT}", ToUtf8(dir.Root())}, {"{SEP}", std::string(1, kPathSeparator)}};
        for (const auto& [name, value] : names)
            for (std::size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, name.size(), value);
        return text;
    }
    // Once a run has ended, nothing holds its files: a writer may take them (and empties them).
    static void ExpectNotHeld(const std::string& path) {
        if (std::filesystem::is_regular_file(FromUtf8(path))) { EXPECT_TRUE(CFile().Open(path, CFile::Mode::CreateData)) << path << " is still held"; }
    }

    TempDir dir;
    RecordingConverter converter;
    std::string source, destination;
};
