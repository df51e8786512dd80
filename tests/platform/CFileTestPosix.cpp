// The POSIX side of PlatformFiles.h, and what only POSIX has.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "CFile.h"
#include "PlatformFiles.h"
#include "WorkingDirectory.h"

namespace fs = std::filesystem;

// Links, and a FIFO (no data file; opened without blocking).
std::vector<std::string> OtherNamesOf(const TempDir& dir) {
    fs::create_hard_link(dir.Root() / "source.dvb", dir.Root() / "hard.dvb");
    fs::create_symlink(dir.Root() / "source.dvb", dir.Root() / "soft.dvb");
    EXPECT_EQ(mkfifo(dir.Path("pipe.dvb").c_str(), 0600), 0);
    return {dir.Path("hard.dvb"), dir.Path("soft.dvb"), dir.Path("pipe.dvb")};
}

std::vector<std::pair<const char*, bool>> DestinationDevices() {
    return {{"/dev/null", true}, {"/dev/zero", false}, {"/dev/full", false}, {"/dev/ptmx", false}};
}

bool AnotherProcessOpens(const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        CFile other;
        _exit(other.Open(path, CFile::Mode::ReadExclusive) || other.Open(path, CFile::Mode::CreateExclusive));
    }
    int status = -1;
    return !(waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

long OpenDescriptors() { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); }

namespace {

// A device is no source, and a deleted working directory has no name to look in.
TEST(CFile, NoDeviceSourceAndNoDeletedWorkingDirectory) {
    EXPECT_FALSE(CFile().Open("/dev/null", CFile::Mode::ReadExclusive));
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.Root());
    fs::remove_all(dir.Root());
    EXPECT_EQ(CurrentDirectory(), "");
    fs::current_path(before);
}

}  // namespace
