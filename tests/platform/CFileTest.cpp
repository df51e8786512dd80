#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "CFile.h"
#include "SystemPath.h"
#include "TempDir.h"
#include "Utf8.h"
#include "WorkingDirectory.h"

namespace {

namespace fs = std::filesystem;

// While a file is held for writing, no other opening by any name succeeds or empties it; one held for reading can be read
// again where readers share (POSIX), never emptied. What is not a regular file (a directory, a FIFO, without blocking) is
// no data file, and a refused open leaves no descriptor behind. The null device, named as such, is the only device created.
TEST(CFile, AHeldFileIsRefusedUnderEveryNameBeforeTruncating) {
    TempDir dir;
    const std::string path = dir.Write("source.dvb", std::string(128, 's'));
    std::string big(150000, 'b');
    for (std::size_t i = 0; i < big.size(); i += 7) big[i] = static_cast<char>(i);
    fs::create_directory(dir.Root() / "sub");
    std::vector<std::string> names = {path, ToUtf8(dir.Root() / "." / "source.dvb"), ToUtf8(dir.Root() / "sub" / ".." / "source.dvb")};
    std::vector<std::string> notData = {ToUtf8(dir.Root())};
    fs::create_hard_link(dir.Root() / "source.dvb", dir.Root() / "hard.dvb");  // so it is written in place
#ifdef _WIN32
    const bool readersShare = false;
    names.push_back(ToUtf8(dir.Root() / "SOURCE.DVB"));
    const std::pair<const char*, bool> kDevices[] = {{"NUL", true}, {"\\\\.\\nul", true}, {"nul.dvb", false},
                                                     {"CON", false}, {"CONOUT$", false}, {"COM1", false}, {"AUX", false}, {"LPT1", false}};
#else
    const std::pair<const char*, bool> kDevices[] = {{"/dev/null", true}, {"/dev/zero", false}, {"/dev/full", false}, {"/dev/ptmx", false}};
    const bool readersShare = true;
    fs::create_symlink(dir.Root() / "source.dvb", dir.Root() / "soft.dvb");
    ASSERT_EQ(mkfifo(dir.Path("pipe.dvb").c_str(), 0600), 0);
    names.insert(names.end(), {dir.Path("hard.dvb"), dir.Path("soft.dvb")});
    notData.push_back(dir.Path("pipe.dvb"));
    EXPECT_FALSE(CFile().Open("/dev/null", CFile::Mode::ReadData));
    const mode_t mask = umask(0);  // a new file gets 0666 less the umask, as from any other program
    CFile made;
    EXPECT_TRUE(made.Open(dir.Path("new.dvb"), CFile::Mode::CreateData) && made.Commit());
    umask(mask);
    EXPECT_EQ(fs::status(dir.Root() / "new.dvb").permissions(), fs::perms(0666));
    const auto descriptors = std::distance(fs::directory_iterator("/proc/self/fd"), {});
#endif
    for (const std::string& name : notData)
        EXPECT_FALSE(CFile().Open(name, CFile::Mode::ReadData) || CFile().Open(name, CFile::Mode::CreateData)) << name;
    for (const auto& [device, created] : kDevices) {  // the null device: twice at once, written, flushed and closed
        CFile held;
        EXPECT_EQ(held.Open(device, CFile::Mode::CreateData) && CFile().Open(device, CFile::Mode::CreateData) && held.Write("x", 1) &&
                  held.Flush() && held.Close(), created) << device;
    }
    for (CFile::Mode held : {CFile::Mode::ReadData, CFile::Mode::CreateData}) {
        CFile first;
        ASSERT_TRUE(first.Open(path, held));
        const bool reread = readersShare && held == CFile::Mode::ReadData;
        for (const std::string& name : names) {
            CFile other;
            EXPECT_EQ(other.Open(name, CFile::Mode::ReadData), reread) << name;
            EXPECT_FALSE(other.Open(name, CFile::Mode::CreateData)) << name;
        }
#ifndef _WIN32
        // The same in another process: a second reader of a source, never a writer.
        const pid_t child = fork();
        if (child == 0) _exit(CFile().Open(path, CFile::Mode::ReadData) + 2 * CFile().Open(path, CFile::Mode::CreateData));
        int status = -1;
        EXPECT_TRUE(waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == reread);
        // A program started meanwhile inherits no descriptor of it (which would keep the lock after the run).
        EXPECT_NE(std::system(("ls -l /proc/$$/fd | grep -q '" + path + "'").c_str()), 0);
#endif
        EXPECT_EQ(fs::file_size(FromUtf8(path)), held == CFile::Mode::ReadData ? 128u : 0u);
        if (held == CFile::Mode::CreateData) {  // a short write, then more than a block in one call
            ASSERT_TRUE(first.Write(big.data(), 3) && first.Write(big.data() + 3, big.size() - 3));
        }
        ASSERT_TRUE(first.Close());
        EXPECT_TRUE(CFile().Open(path, CFile::Mode::ReadData)) << "closing releases the file";
    }
    EXPECT_EQ(ReadAll(path), big);
#ifndef _WIN32
    EXPECT_EQ(std::distance(fs::directory_iterator("/proc/self/fd"), {}), descriptors);
#endif
}

// A created file is written beside the destination, which stays as it was (and held) until the commit puts the new one in
// its place, keeping what the destination is: POSIX its permission bits and a link to it, Windows its attributes (and
// creation time, which Wine cannot set). Closed without a commit, nothing changes.
TEST(CFile, TheNewFileTakesTheDestinationsPlaceOnlyAtTheCommit) {
    TempDir dir;
    const std::string dest = dir.Write("dest.dvb", "old"), none = dir.Path("none.dvb");
    std::string named = dest;
#ifdef _WIN32
    const std::wstring wide = Utf8ToWide(dest);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const DWORD attributes = GetFileAttributesW(wide.c_str());  // Wine adds the archive attribute
#else
    fs::permissions(dest, fs::perms(0640));
    fs::create_symlink("dest.dvb", dir.Root() / "link.dvb");
    named = dir.Path("link.dvb");
#endif
    CFile file;
    for (bool commit : {false, true}) {
        ASSERT_TRUE(file.Open(named, CFile::Mode::CreateData) && file.Write("new", 3) && file.Flush());
        EXPECT_FALSE(CFile().Open(dest, CFile::Mode::CreateData));
        EXPECT_EQ(std::count_if(fs::directory_iterator(dir.Root()), {}, [](const auto& entry) { return entry.path().filename().u8string().rfind(".dest.dvb.ravelo-", 0) == 0; }), 1);
        EXPECT_TRUE(commit ? file.Commit() : file.Close());
        EXPECT_EQ(ReadAll(dest), commit ? "new" : "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.Root()), {}), named == dest ? 1 : 2);
    }
    EXPECT_TRUE(file.Open(none, CFile::Mode::CreateData) && file.Close() && !fs::exists(none));
#ifdef _WIN32
    EXPECT_EQ(GetFileAttributesW(wide.c_str()), attributes);
#else
    EXPECT_TRUE(fs::is_symlink(named));
    EXPECT_EQ(fs::status(dest).permissions(), fs::perms(0640));
#endif
}

#ifndef _WIN32
// A file seen through an overlay mount has another device number and its own lock, but keeps its
// inode number, size and time: a source read through one name is never the destination by the other.
TEST(CFile, TheSameFileOnAnotherMountIsKept) {
    TempDir dir;
    for (const char* folder : {"lower", "upper", "work", "merged"}) fs::create_directory(dir.Root() / folder);
    const std::string upper = dir.Write("upper/src.dvb", "records"), merged = dir.Path("merged/src.dvb");
    const std::string options = "lowerdir=" + dir.Path("lower") + ",upperdir=" + dir.Path("upper") + ",workdir=" + dir.Path("work");
    const pid_t child = fork();
    if (child == 0) {  // 2: no mount of one's own here
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 || mount("overlay", dir.Path("merged").c_str(), "overlay", 0, options.c_str()) != 0) _exit(2);
        CFile source; FileIdentity identity;
        _exit(source.Open(upper, CFile::Mode::ReadData) && source.GetIdentity(identity) && !CFile().Open(merged, CFile::Mode::CreateData, {identity}) && ReadAll(merged) == "records" ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "no overlay mount can be made here (needs root and unshare -m)";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the source was taken as the destination";
}
#endif

// The settings file is looked for in the working directory: it must be named whole at any length, past the 260 characters
// of older Windows, where files are then opened and created by their full names (and, on POSIX, not at all once deleted).
TEST(CurrentDirectory, IsWholeAtAnyLengthWithItsFiles) {
    TempDir dir;
    const fs::path before = fs::current_path();
    fs::path deep = dir.Root();
    for (int i = 0; i < 8; ++i) deep /= std::string(40, static_cast<char>('a' + i));
    fs::create_directories(deep);
    fs::current_path(deep);
    ASSERT_EQ(CurrentDirectory(), ToUtf8(deep));
    CFile made;
    EXPECT_TRUE(made.Open(CurrentDirectory() + kPathSeparator + "RAVELO.INI", CFile::Mode::CreateData) && made.Commit());
    EXPECT_TRUE(CFile().Open(CurrentDirectory() + kPathSeparator + "RAVELO.INI", CFile::Mode::ReadSettings));
#ifndef _WIN32
    fs::remove_all(deep);
    EXPECT_EQ(CurrentDirectory(), "");
#endif
    fs::current_path(before);
}

// A Windows name may hold lone surrogates, kept inside as such (WTF-8); a pair has only its
// four-byte coding, so no two texts name the same file.
TEST(Utf8, LoneSurrogatesAreKeptAndAPairHasOneCoding) {
    std::u32string points;
    for (const auto& [bytes, kept] : std::initializer_list<std::pair<const char*, bool>>{{"\xED\xA0\x80", true}, {"a\xED\xB0\x80", true},
             {"\xED\xB0\x80\xED\xB0\x80", true}, {"\xED\xA0\x80\xED\xA0\x80", true}, {"\xED\xA0\x80\xED\xB0\x80", false}, {"\xED\xAF\xBF\xED\xBF\xBF", false}})
        EXPECT_EQ(DecodeUtf8(bytes, points, true), kept) << bytes;
}

#ifdef _WIN32
// Older Windows take a path of 260 characters or more only full, clean and behind \\?\ .
TEST(SystemPath, LongNamesAreMadeFullCleanAndPrefixed) {
    const std::wstring d(300, L'd');
    for (const auto& [given, expected] : std::initializer_list<std::pair<std::wstring, std::wstring>>{
             {L"C:\\a\\b.", L"C:\\a\\b."}, {L"C:\\" + d + L"\\x\\..\\b.", L"\\\\?\\C:\\" + d + L"\\b"}, {L"C:/" + d + L"/b", L"\\\\?\\C:\\" + d + L"\\b"},
             {L"\\\\host\\share\\" + d, L"\\\\?\\UNC\\host\\share\\" + d}, {L"\\\\?\\C:\\" + d, L"\\\\?\\C:\\" + d}})
        EXPECT_EQ(SystemPath(given), expected);
}

// Names come in as UTF-16 (command line, working directory, the window's fields), where NTFS allows
// a lone surrogate: such a name is kept both ways, unlike any other, and opens itself or nothing.
TEST(Utf8, ANameWithALoneSurrogateIsThatNameOrNone) {
    TempDir dir;
    const std::wstring root = dir.Root().wstring() + L"\\";
    std::vector<std::string> seen;
    for (const std::wstring name : {L"v\xD800.dvb", L"w\xDC00", L"w\xDC01", L"\xDC00\xDC01", L"\xDBFF\xDFFF\xDBFF", L"v\xFFFD.dvb"}) {
        seen.push_back(WideToUtf8(root + name));
        EXPECT_EQ(Utf8ToWide(seen.back()), root + name);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), seen.back()), 1);
    }
    dir.Write("v\xEF\xBF\xBD.dvb", "kept");
    CFile().Open(seen[0], CFile::Mode::CreateData);  // that name, or none: Wine refuses it
    EXPECT_EQ(ReadAll(dir.Path("v\xEF\xBF\xBD.dvb")), "kept");
}
#endif

}  // namespace
