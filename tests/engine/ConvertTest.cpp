#include <gtest/gtest.h>

#include "ChannelFile.h"
#include "Messages.h"
#include "RecordingConverter.h"
#include "TempDir.h"

namespace {

using Log = std::vector<std::string>;

std::string Message(const std::string& text, const std::string& caption, bool error) {
    return "message " + text + " | " + caption + (error ? " | error" : " | none");
}

const std::string kCompleted = Message(msg::kCompleted, "(app)", false);

class ConvertTest : public ::testing::Test {
protected:
    ConvertTest() {
        converter.m_workDir = ToUtf8(dir.Root());
        dir.Write("RAVELO.INI", "SRD: 1000 > 300\nSRH: 6B6C > 55F0\n");  // 27500 -> 22000
        source = dir.Path("source.dvb");
        destination = dir.Path("dest.dvb");
        converter.typedSource = source;
        converter.typedDestination = destination;
    }
    bool Run() {
        converter.log.clear();
        return converter.Convert();
    }
    bool DestinationExists() const { return std::filesystem::exists(FromUtf8(destination)); }

    TempDir dir;
    RecordingConverter converter;
    std::string source;
    std::string destination;
};

TEST_F(ConvertTest, TwoRecordsConvertWithProgressAndSuccess) {
    dir.Write("source.dvb", ChannelFile({1000, 10}));
    EXPECT_TRUE(Run());
    EXPECT_EQ(converter.log, (Log{"count 0", "clear", "progress 0", "count 1", "progress 50",
                                  "row 000A 10 2", "progress 100", kCompleted}));
    EXPECT_EQ(ReadAll(destination), ChannelFile({300, 10}));
}

TEST_F(ConvertTest, ADamagedTailKeepsTheCompleteRecords) {
    std::vector<uint8_t> bytes = ChannelFile({27500, 27500});
    bytes.push_back(1);
    bytes.push_back(2);
    dir.Write("source.dvb", bytes);
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log, (Log{"count 0", "clear", "progress 0", "count 1", "progress 49", "count 2",
                                  "progress 98", Message(msg::kSourceDamaged, destination, true),
                                  "progress 100"}));
    EXPECT_EQ(ReadAll(destination), ChannelFile({22000, 22000}));
}

TEST_F(ConvertTest, ASourceShorterThanARecordIsDamage) {
    dir.Write("source.dvb", std::string(10, 'x'));
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log, (Log{"count 0", "clear", "progress 0",
                                  Message(msg::kSourceDamaged, destination, true), "progress 100"}));
    EXPECT_TRUE(ReadAll(destination).empty());
}

TEST_F(ConvertTest, AnEmptySourceLeavesAnEmptyDestinationAndTheList) {
    dir.Write("source.dvb", "");
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log, (Log{"count 0", Message(msg::kSourceEmpty, destination, true)}));
    EXPECT_TRUE(DestinationExists());
    EXPECT_TRUE(ReadAll(destination).empty());
}

TEST_F(ConvertTest, EqualPathsTouchNoFile) {
    dir.Write("source.dvb", ChannelFile({1000}));
    converter.typedDestination = source;
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log, (Log{"count 0", Message(msg::kSamePaths, "(app)", false)}));
    EXPECT_EQ(ReadAll(source), ChannelFile({1000}));
}

TEST_F(ConvertTest, AMissingSettingsFileStopsBeforeAnyDataFile) {
    dir.Write("source.dvb", ChannelFile({1000}));
    std::filesystem::remove(dir.Root() / "RAVELO.INI");
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log, (Log{"count 0", Message(msg::kSettingsUnreadable,
                                                     converter.SettingsFilePath(), true)}));
    EXPECT_FALSE(DestinationExists());
}

TEST_F(ConvertTest, AMissingSourceIsReportedWithItsPath) {
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log,
              (Log{"count 0", Message(std::string(msg::kSourceNotFound) + source, "(app)", false)}));
    EXPECT_FALSE(DestinationExists());
}

TEST_F(ConvertTest, AnUncreatableDestinationClosesTheSourceAgain) {
    dir.Write("source.dvb", ChannelFile({1000}));
    converter.typedDestination = dir.Path("missing-folder/dest.dvb");
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log,
              (Log{"count 0", Message(std::string(msg::kDestinationNotCreated) +
                                          converter.typedDestination, "(app)", false)}));
    EXPECT_FALSE(converter.m_sourceFile.IsOpen());
    CFile reopened;
    EXPECT_TRUE(reopened.Open(source, CFile::Mode::ReadExclusive));
}

TEST_F(ConvertTest, TheSourceUnderAnotherNameIsNotOverwritten) {
    dir.Write("source.dvb", ChannelFile({1000, 10}));
    converter.typedDestination = ToUtf8(dir.Root() / "." / "source.dvb");
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log,
              (Log{"count 0", Message(std::string(msg::kDestinationNotCreated) +
                                          converter.typedDestination, "(app)", false)}));
    EXPECT_EQ(ReadAll(source), ChannelFile({1000, 10}));
}

TEST_F(ConvertTest, ASecondRunReportsTheSameRowsAgain) {
    dir.Write("source.dvb", ChannelFile({7, 8, 7}));
    ASSERT_TRUE(Run());
    const Log firstRows = converter.Lines("row");
    ASSERT_TRUE(Run());
    EXPECT_EQ(converter.Lines("row"), firstRows);
    EXPECT_EQ(firstRows, (Log{"row 0007 7 1", "row 0008 8 2"}));
}

TEST_F(ConvertTest, ProgressUsesTheShareReadBeforeEachRecord) {
    dir.Write("source.dvb", ChannelFile(std::vector<uint16_t>(100, 1)));
    ASSERT_TRUE(Run());
    const Log progress = converter.Lines("progress");
    ASSERT_EQ(progress.size(), 101u);
    EXPECT_EQ(progress[29], "progress 28");  // record 30, position 1856
    EXPECT_EQ(progress[53], "progress 53");  // record 54, position 3392
    EXPECT_EQ(progress[100], "progress 100");
}

#ifndef _WIN32
TEST_F(ConvertTest, AFailingWriteIsReportedAndIsNoSuccess) {
    dir.Write("source.dvb", ChannelFile({1000, 10}));
    converter.typedDestination = "/dev/full";
    EXPECT_FALSE(Run());
    EXPECT_EQ(converter.log,
              (Log{"count 0", "clear", "progress 0", "count 1", "progress 50", "row 000A 10 2",
                   Message(std::string(msg::kDestinationWriteFailed) + "/dev/full", "(app)", true),
                   "progress 100"}));
    EXPECT_FALSE(converter.m_sourceFile.IsOpen());
    EXPECT_FALSE(converter.m_destFile.IsOpen());
}

#endif

}  // namespace
