#include <gtest/gtest.h>

#include "RecordingConverter.h"

namespace {

class ProcessRecordTest : public ::testing::Test {
protected:
    // A record whose every byte is distinct, with the given rate at bytes 10-11.
    static ChannelRecord Record(uint16_t rate) {
        ChannelRecord record;
        for (std::size_t i = 0; i < ChannelRecord::kSize; ++i) record.bytes[i] = static_cast<uint8_t>(0xA0 + i);
        record.SetSymbolRate(rate);
        return record;
    }
    // Runs the step on a record numbered n; returns the record afterwards.
    ChannelRecord Process(uint16_t rate, int32_t n = 1) {
        converter.m_record = Record(rate);
        converter.m_recordNo = n;
        converter.ProcessRecord();
        return converter.m_record;
    }
    static void ExpectOtherBytesUntouched(const ChannelRecord& record) {
        const ChannelRecord reference = Record(0);
        for (std::size_t i = 0; i < ChannelRecord::kSize; ++i) {
            if (i != 10 && i != 11) {
                EXPECT_EQ(record.bytes[i], reference.bytes[i]) << "byte " << i;
            }
        }
    }
    void Map(uint32_t from, int32_t to) { converter.m_rates.findOrInsert(from).newRate = to; }

    RecordingConverter converter;
};

TEST_F(ProcessRecordTest, RateIsBigEndianAtBytesTenAndEleven) {
    ChannelRecord record = Record(0x1234);
    EXPECT_EQ(record.bytes[10], 0x12);
    EXPECT_EQ(record.bytes[11], 0x34);
    EXPECT_EQ(record.GetSymbolRate(), 0x1234);
    record.SetSymbolRate(0x5ABCD);
    EXPECT_EQ(record.GetSymbolRate(), 0xABCD);
}

TEST_F(ProcessRecordTest, ReplacesTheRateAndCountsEachRecord) {
    Map(1000, 300);
    const ChannelRecord first = Process(1000);
    EXPECT_EQ(first.bytes[10], 0x01);
    EXPECT_EQ(first.bytes[11], 0x2C);
    ExpectOtherBytesUntouched(first);
    Process(1000, 2);
    EXPECT_EQ(converter.m_convertedCount, 2u);
    EXPECT_EQ(converter.log, (std::vector<std::string>{"count 1", "count 2"}));
}

TEST_F(ProcessRecordTest, ReplacementsKeepTheirLowSixteenBits) {
    Map(100, 100);
    Map(200, 0x10000);
    Map(300, -1);
    EXPECT_EQ(Process(100).GetSymbolRate(), 100);
    EXPECT_EQ(Process(200).GetSymbolRate(), 0);
    EXPECT_EQ(Process(300).GetSymbolRate(), 0xFFFF);
    EXPECT_EQ(converter.m_convertedCount, 3u);
    EXPECT_TRUE(converter.Lines("row").empty());
}

TEST_F(ProcessRecordTest, ListsEachUnknownRateOnceWithItsFirstRecord) {
    const ChannelRecord kept = Process(1000, 4);
    Process(1000, 5);
    Process(1000, 6);
    Process(10, 7);
    Process(65535, 8);
    Process(0, 9);
    Map(5, 0);  // a replacement of 0 is no replacement
    Process(5, 10);
    EXPECT_EQ(kept.GetSymbolRate(), 1000);
    ExpectOtherBytesUntouched(kept);
    EXPECT_EQ(converter.log, (std::vector<std::string>{"row 03E8 1000 4", "row 000A 10 7",
                                                       "row FFFF 65535 8", "row 0000 0 9",
                                                       "row 0005 5 10"}));
    EXPECT_EQ(converter.m_convertedCount, 0u);
}

TEST_F(ProcessRecordTest, ARefusedRowIsNotOfferedAgain) {
    converter.refuseRows = true;
    EXPECT_EQ(Process(42, 1).GetSymbolRate(), 42);
    EXPECT_EQ(Process(42, 2).GetSymbolRate(), 42);
    EXPECT_EQ(converter.log, std::vector<std::string>{"row 002A 42 1"});
    EXPECT_EQ(converter.m_rates.findOrInsert(42).reported, 1);
}

}  // namespace
