#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "CFile.h"
#include "PlatformFiles.h"
#include "TempDir.h"
#include "TickClock.h"
#include "WorkingDirectory.h"

namespace {

namespace fs = std::filesystem;

// While a file is held, no other opening by any name succeeds or empties it, nor does
// one of what is not a regular file (a FIFO without blocking), and a refused open leaves
// no descriptor behind. The null device, named as such, is the only device created.
TEST(CFile, AHeldFileIsRefusedUnderEveryNameBeforeTruncating) {
    TempDir dir;
    const std::string path = dir.Write("source.dvb", std::string(128, 's'));
    std::string big(150000, 'b');
    for (std::size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>(i);
    fs::create_directory(dir.Root() / "sub");
    std::vector<std::string> names = {path, ToUtf8(dir.Root() / "." / "source.dvb"),
                                      ToUtf8(dir.Root() / "sub" / ".." / "source.dvb"), ToUtf8(dir.Root())};
    for (const std::string& name : OtherNamesOf(dir)) names.push_back(name);
    const long descriptors = OpenDescriptors();
    for (const auto& [device, created] : DestinationDevices()) EXPECT_EQ(CFile().Open(device, CFile::Mode::CreateExclusive), created) << device;
    for (CFile::Mode held : {CFile::Mode::ReadExclusive, CFile::Mode::CreateExclusive}) {
        CFile first;
        ASSERT_TRUE(first.Open(path, held));
        for (const std::string& name : names) {
            CFile other;
            EXPECT_FALSE(other.Open(name, CFile::Mode::ReadExclusive)) << name;
            EXPECT_FALSE(other.Open(name, CFile::Mode::CreateExclusive)) << name;
        }
        EXPECT_FALSE(AnotherProcessOpens(path)) << "nor in another process";
        EXPECT_EQ(fs::file_size(FromUtf8(path)), held == CFile::Mode::ReadExclusive ? 128u : 0u);
        if (held == CFile::Mode::CreateExclusive) {
            // A short write, then more than a block in one call.
            ASSERT_TRUE(first.Write(big.data(), 3) && first.Write(big.data() + 3, big.size() - 3));
        }
        ASSERT_TRUE(first.Close());
        CFile again;
        EXPECT_TRUE(again.Open(path, CFile::Mode::ReadExclusive)) << "closing releases the file";
    }
    EXPECT_EQ(ReadAll(path), big);
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

// The settings file is looked for in the working directory: it must be named whole at any
// length, past the 260 characters of older Windows, where files are then opened and created
// by their full names.
TEST(CurrentDirectory, IsWholeAtAnyLengthWithItsFiles) {
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::path deep = dir.Root();
    for (int i = 0; i < 8; ++i) deep /= std::string(40, static_cast<char>('a' + i));
    fs::create_directories(deep);
    fs::current_path(deep);
    ASSERT_EQ(CurrentDirectory(), ToUtf8(deep));
    const std::string settings = CurrentDirectory() + kPathSeparator + "RAVELO.INI";
    EXPECT_TRUE(CFile().Open(settings, CFile::Mode::CreateExclusive));
    EXPECT_TRUE(CFile().Open(settings, CFile::Mode::ReadShared));
    fs::current_path(before);
}

// The window paints every 50 ms by a 32-bit clock, which wraps to 0 every 49.7 days.
TEST(TickClock, IntervalPassesAcrossTheWrap) {
    for (auto [since, now, passed] : {std::tuple(1000u, 1049u, false), {1000u, 1050u, true}, {0xFFFFFFF0u, 0x21u, false}, {0xFFFFFFF0u, 0x22u, true}})
        EXPECT_EQ(TickIntervalPassed(now, since, 50), passed) << since << " " << now;
}

}  // namespace
