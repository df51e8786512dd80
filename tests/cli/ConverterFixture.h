#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "ChannelFile.h"
#include "ProgramRunner.h"
#include "TempDir.h"

// The converter under test, named on the test program's command line.
const std::string& ConverterProgram();


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
