// What only Windows has: the \\?\ names, UTF-16 names; and its side of PlatformFiles.h.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "CFile.h"
#include "PlatformFiles.h"
#include "SystemPath.h"
#include "Utf8.h"

std::vector<std::string> OtherNamesOf(const TempDir& dir) { return {ToUtf8(dir.Root() / "SOURCE.DVB")}; }

std::vector<std::pair<const char*, bool>> DestinationDevices() {
    return {{"NUL", true}, {"\\\\.\\nul", true}, {"nul.dvb", false}, {"CON", false},
            {"CONOUT$", false}, {"COM1", false}, {"AUX", false}, {"LPT1", false}};
}

// Share mode 0 is the system's own rule: no second process needed to show it.
bool AnotherProcessOpens(const std::string&) { return false; }

long OpenDescriptors() { return 0; }

namespace {

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
    for (const std::wstring name : {L"v\xD800.dvb", L"w\xDC00", L"w\xDC01", L"\xDBFF\xDFFF\xDBFF", L"v\xFFFD.dvb"}) {
        seen.push_back(WideToUtf8(root + name));
        EXPECT_EQ(Utf8ToWide(seen.back()), root + name);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), seen.back()), 1);
    }
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80\xED\xB0\x80"), L"") << "a pair has one coding";
    dir.Write("v\xEF\xBF\xBD.dvb", "kept");
    CFile().Open(seen[0], CFile::Mode::CreateExclusive);  // that name, or none: Wine refuses it
    EXPECT_EQ(ReadAll(dir.Path("v\xEF\xBF\xBD.dvb")), "kept");
}

}  // namespace
