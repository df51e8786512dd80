#pragma once

#include <string>
#include <vector>

#include "ConversionEngine.h"

// A conversion engine whose window is a log: every view call becomes one line,
// so a test can check the exact sequence a user would see.
class RecordingConverter : public ConversionView, public ConversionEngine {
public:
    RecordingConverter() : ConversionEngine(static_cast<ConversionView&>(*this)) {}

    std::string typedSource;
    std::string typedDestination;
    bool refuseRows = false;
    std::optional<std::string> settingsPath;  // instead of the working directory's RAVELO.INI
    std::vector<std::string> log;

    // Only the lines that start with prefix ("progress", "message", "row", ...).
    std::vector<std::string> Lines(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& line : log)
            if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
        return out;
    }

    std::string SettingsFilePath() const override {
        return settingsPath ? *settingsPath : ConversionEngine::SettingsFilePath();
    }

    void PullPaths() override {
        m_source = typedSource;
        m_destination = typedDestination;
    }
    void ShowConvertedCount() override { log.push_back("count " + std::to_string(m_convertedCount)); }
    void ShowMessage(const std::string& text, const std::optional<std::string>& caption,
                     MessageIcon icon) override {
        log.push_back("message " + text + " | " + caption.value_or("(app)") +
                      (icon == MessageIcon::Error ? " | error" : " | none"));
    }
    void SetProgress(int percent) override { log.push_back("progress " + std::to_string(percent)); }
    void ClearRateList() override { log.push_back("clear"); }
    int AddRateRow(const std::string& hex, const std::string& dec, const std::string& line) override {
        log.push_back("row " + hex + " " + dec + " " + line);
        return refuseRows ? -1 : rows++;
    }

private:
    int rows = 0;
};
