#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "ProgramRunner.h"
#include "TempDir.h"

// The converter under test, named on the test program's command line.
const std::string& ConverterProgram();

// A channel file: one 64-byte record per rate, the other 62 bytes differing
// from record to record so that a shifted or altered byte shows.
std::vector<uint8_t> ChannelFile(std::initializer_list<unsigned> rates);
// The same file with rate `from` rewritten as `to` in every record.
std::vector<uint8_t> WithRate(std::vector<uint8_t> file, unsigned from, unsigned to);

inline constexpr const char* kUsageLine =
    "Utilização: ravelo-convert [--ini FICHEIRO] ORIGEM DESTINO";

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// Each test gets a fresh folder that is also the converter's working directory.
class ConverterTest : public ::testing::Test {
protected:
    TempDir dir;

    ProgramResult Convert(std::vector<std::string> args) const {
        return RunProgram({ConverterProgram(), std::move(args), ToUtf8(dir.Root()), ""});
    }
    bool Exists(const std::string& name) const;
};
