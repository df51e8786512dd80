#include <gtest/gtest.h>

#include "Messages.h"
#include "RecordingConverter.h"
#include "TempDir.h"

namespace {

class LoadRateTableTest : public ::testing::Test {
protected:
    // Writes RAVELO.INI into the working directory and loads it.
    int Load(const std::string& bytes) {
        converter.m_workDir = ToUtf8(dir.Root());
        dir.Write("RAVELO.INI", bytes);
        return converter.LoadRateTable();
    }
    int32_t Replacement(uint32_t rate) { return converter.m_rates.findOrInsert(rate).newRate; }
    std::string SyntaxError(const std::string& caption) {
        return std::string("message ") + msg::kSettingsSyntaxError + " | " + caption + " | error";
    }

    TempDir dir;
    RecordingConverter converter;
};

TEST_F(LoadRateTableTest, StoresDecimalAndHexadecimalPairs) {
    ASSERT_EQ(Load("; taxas\nSRD: 1000 > 300\nsrh: 3e8 > 12d\r\nSRD: 27500 > 22000\n"), 1);
    EXPECT_EQ(Replacement(1000), 301);  // the later line wins
    EXPECT_EQ(Replacement(27500), 22000);
    EXPECT_EQ(Replacement(5), 0);
    EXPECT_TRUE(converter.log.empty());
}

TEST_F(LoadRateTableTest, ReportsEachSyntaxErrorAndGoesOn) {
    ASSERT_EQ(Load("srh: zz > 1\nSRD: 1000 >\r\nSRD: 7 > 8\nSRH: 10 > 20 SRD: x\n"), 1);
    EXPECT_EQ(converter.log, (std::vector<std::string>{SyntaxError("SRH: ZZ > 1\n"),
                                                       SyntaxError("SRD: 1000 >\n"),
                                                       SyntaxError("SRH: 10 > 20 SRD: X\n")}));
    EXPECT_EQ(Replacement(7), 8);
    EXPECT_EQ(Replacement(0x10), 0) << "a failing SRD: discards the SRH: pair of its line";
}

TEST_F(LoadRateTableTest, EmptyAndCommentOnlyFilesGiveAnEmptyTable) {
    ASSERT_EQ(Load(""), 1);
    ASSERT_EQ(Load("; SRD: 1 > 2\n\n;SRH: 1 > 2\n"), 1);
    EXPECT_EQ(Replacement(1), 0);
    EXPECT_TRUE(converter.log.empty());
}

TEST_F(LoadRateTableTest, ClearsThePreviousTableAndItsMarks) {
    converter.m_rates.findOrInsert(1).newRate = 2;
    converter.m_rates.findOrInsert(3).reported = 1;
    ASSERT_EQ(Load("SRD: 5 > 6\n"), 1);
    EXPECT_EQ(Replacement(1), 0);
    EXPECT_EQ(converter.m_rates.findOrInsert(3).reported, 0);
    EXPECT_EQ(Replacement(5), 6);
}

TEST_F(LoadRateTableTest, LongLinesAreReadIn255BytePieces) {
    // The directive of the first line is cut at the boundary; the second line's fits.
    const std::string cut = std::string(253, ' ') + "SRD: 1 > 2\n";
    const std::string fits = std::string(200, ' ') + "SRD: 3 > 4" + std::string(100, ' ') + "\n";
    ASSERT_EQ(Load(cut + fits), 1);
    EXPECT_EQ(Replacement(1), 0);
    EXPECT_EQ(Replacement(3), 4);
    EXPECT_TRUE(converter.log.empty());
}

TEST_F(LoadRateTableTest, AMissingFileIsReportedWithItsPath) {
    converter.m_workDir = ToUtf8(dir.Root());
    converter.m_rates.findOrInsert(1).newRate = 2;
    EXPECT_EQ(converter.LoadRateTable(), 0);
    const std::string path = converter.SettingsFilePath();
    EXPECT_EQ(converter.log, std::vector<std::string>{std::string("message ") + msg::kSettingsUnreadable +
                                                      " | " + path + " | error"});
    EXPECT_EQ(Replacement(1), 0) << "the table is emptied even when the file is missing";
}

TEST_F(LoadRateTableTest, PathIsTheWorkingDirectoryJoinedToTheFileName) {
#ifdef _WIN32
    converter.m_workDir = "C:\\";
    EXPECT_EQ(converter.SettingsFilePath(), "C:\\\\RAVELO.INI");
    converter.m_workDir = "";
    EXPECT_EQ(converter.SettingsFilePath(), "\\RAVELO.INI");
#else
    converter.m_workDir = "/home/user";
    EXPECT_EQ(converter.SettingsFilePath(), "/home/user/RAVELO.INI");
#endif
}

#ifdef __linux__
TEST_F(LoadRateTableTest, AReadErrorRefusesTheRunInsteadOfUsingHalfATable) {
    converter.settingsPath = "/proc/self/mem";  // opens, but reading offset 0 fails
    EXPECT_EQ(converter.LoadRateTable(), 0);
    EXPECT_EQ(converter.log, std::vector<std::string>{std::string("message ") + msg::kSettingsUnreadable +
                                                      " | /proc/self/mem | error"});
}
#endif

}  // namespace
