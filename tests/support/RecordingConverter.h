#pragma once

#include <string>
#include <vector>

#include "ConversionEngine.h"

// A conversion engine whose window is a log: every view call becomes one line,
// so a test can check the exact sequence a user would see.
class RecordingConverter : public ConversionView, public ConversionEngine {
public:
    RecordingConverter() : ConversionEngine(static_cast<ConversionView&>(*this)) {}
    using ConversionEngine::m_convertedCount;
    using ConversionEngine::m_recordNo;
    using ConversionEngine::m_workDir;

    std::string typedSource, typedDestination;
    bool refuseRows = false;
    bool logProgress = true;  // off for huge files: no count or progress lines
    std::vector<std::string> log;

    std::vector<std::string> Lines(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& line : log)
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }
    void PullPaths() override {
        m_source = typedSource;
        m_destination = typedDestination;
    }
    void ShowConvertedCount() override { Progress("count " + std::to_string(m_convertedCount)); }
    void ShowMessage(const std::string& text, const std::optional<std::string>& caption,
                     MessageIcon icon) override {
        log.push_back("message " + text + " | " + caption.value_or("(app)") +
                      (icon == MessageIcon::Error ? " | error" : " | none"));
    }
    void SetProgress(int percent) override { Progress("progress " + std::to_string(percent)); }
    void ClearRateList() override { log.push_back("clear"); }
    int AddRateRow(const std::string& hex, const std::string& dec, const std::string& line) override {
        log.push_back("row " + hex + " " + dec + " " + line);
        return refuseRows ? -1 : 0;
    }

private:
    void Progress(const std::string& line) {
        if (logProgress) log.push_back(line);
    }
};
