#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "ChannelFile.h"
#include "Messages.h"
#include "RecordingConverter.h"
#include "TempDir.h"
#include "WorkingDirectory.h"

using Log = std::vector<std::string>;

inline std::string Message(const std::string& text, const std::string& caption, bool error) {
    return "message " + text + " | " + caption + (error ? " | error" : " | none");
}
inline const std::string kCompleted = Message(msg::kCompleted, "(app)", false);

// A folder with RAVELO.INI (1000 -> 300, 27500 -> 22000); source.dvb -> dest.dvb.
class ConvertFixture : public ::testing::Test {
protected:
    ConvertFixture() {
        converter.m_workDir = ToUtf8(dir.Root());
        dir.Write("RAVELO.INI", "SRD: 1000 > 300\nSRH: 6B6C > 55F0\n");
        converter.typedSource = source = dir.Path("source.dvb");
        converter.typedDestination = destination = dir.Path("dest.dvb");
    }
    bool Run() {
        converter.log.clear();
        return converter.Convert();
    }
    // Fills in {SOURCE}, {DEST}, {ROOT} and {SEP}.
    std::string Expand(std::string text) const {
        const std::pair<std::string, std::string> names[] = {
            {"{SOURCE}", source}, {"{DEST}", converter.typedDestination},
            {"{ROOT}", ToUtf8(dir.Root())}, {"{SEP}", std::string(1, kPathSeparator)}};
        for (const auto& [name, value] : names)
            for (std::size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, name.size(), value);
        return text;
    }
    // Once a run has ended, nothing holds its files.
    static void ExpectNotHeld(const std::string& path) {
        CFile file;
        EXPECT_TRUE(!std::filesystem::is_regular_file(FromUtf8(path)) ||
                    file.Open(path, CFile::Mode::ReadExclusive)) << path << " is still held";
    }

    TempDir dir;
    RecordingConverter converter;
    std::string source, destination;
};
