#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "CFile.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(CFile, CreateEmptiesAnExistingFileAndWrites) {
    TempDir dir;
    const std::string path = dir.Write("dest.dvb", std::string(500, 'z'));
    CFile file;
    ASSERT_TRUE(file.Open(path, CFile::Mode::CreateExclusive));
    ASSERT_TRUE(file.Write("abc", 3));
    EXPECT_EQ(file.GetPosition(), 3u);
    ASSERT_TRUE(file.Flush());
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(ReadAll(path), (std::vector<uint8_t>{'a', 'b', 'c'}));
}

TEST(CFile, MissingFilesAndFoldersAreNotDataFiles) {
    TempDir dir;
    CFile file;
    EXPECT_FALSE(file.Open(dir.Path("absent.dvb"), CFile::Mode::ReadExclusive));
    EXPECT_FALSE(file.Open(ToUtf8(dir.Root()), CFile::Mode::ReadExclusive));
    EXPECT_FALSE(file.Open(ToUtf8(dir.Root()), CFile::Mode::CreateExclusive));
    EXPECT_FALSE(file.Open(dir.Path("no-such-folder/dest.dvb"), CFile::Mode::CreateExclusive));
}

TEST(CFile, AFileHeldExclusivelyCannotBeOpenedAgain) {
    TempDir dir;
    const std::string path = dir.Write("source.dvb", std::string(64, 's'));
    CFile held;
    ASSERT_TRUE(held.Open(path, CFile::Mode::ReadExclusive));
    CFile other;
    EXPECT_FALSE(other.Open(path, CFile::Mode::ReadExclusive));
    EXPECT_FALSE(other.Open(path, CFile::Mode::CreateExclusive));
    EXPECT_EQ(fs::file_size(FromUtf8(path)), 64u) << "a refused create must not truncate";
    held.Close();
    EXPECT_TRUE(other.Open(path, CFile::Mode::ReadExclusive)) << "closing releases the file";
}

// The same file by other names: none of them may empty the held source.
TEST(CFile, OtherNamesOfAHeldFileAreRefusedBeforeTruncating) {
    TempDir dir;
    const std::string path = dir.Write("source.dvb", std::string(128, 's'));
    fs::create_directory(dir.Root() / "sub");
    std::vector<std::string> otherNames = {
        ToUtf8(dir.Root() / "." / "source.dvb"),
        ToUtf8(dir.Root() / "sub" / ".." / "source.dvb"),
    };
#ifdef _WIN32
    otherNames.push_back(ToUtf8(dir.Root() / "SOURCE.DVB"));
#else
    fs::create_hard_link(dir.Root() / "source.dvb", dir.Root() / "hard.dvb");
    fs::create_symlink(dir.Root() / "source.dvb", dir.Root() / "soft.dvb");
    otherNames.push_back(dir.Path("hard.dvb"));
    otherNames.push_back(dir.Path("soft.dvb"));
#endif
    CFile source;
    ASSERT_TRUE(source.Open(path, CFile::Mode::ReadExclusive));
    for (const std::string& name : otherNames) {
        SCOPED_TRACE(name);
        CFile dest;
        EXPECT_FALSE(dest.Open(name, CFile::Mode::CreateExclusive));
        EXPECT_EQ(fs::file_size(FromUtf8(path)), 128u);
    }
}

#ifndef _WIN32
TEST(CFile, AWriteToAFullDeviceFails) {
    CFile full;
    ASSERT_TRUE(full.Open("/dev/full", CFile::Mode::CreateExclusive));
    EXPECT_TRUE(full.Write("x", 1));  // held in the block until it is flushed
    EXPECT_FALSE(full.Flush());
}

TEST(CFile, DevicesAndPipesAreNoSourceAndDoNotBlock) {
    TempDir dir;
    const std::string fifo = dir.Path("pipe.dvb");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    CFile file;
    EXPECT_FALSE(file.Open("/dev/zero", CFile::Mode::ReadExclusive));
    EXPECT_FALSE(file.Open(fifo, CFile::Mode::ReadExclusive));
    EXPECT_FALSE(file.Open(fifo, CFile::Mode::CreateExclusive));
}
#endif

}  // namespace
