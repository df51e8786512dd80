#include <gtest/gtest.h>

#include <filesystem>

#include "Messages.h"
#include "RecordingConverter.h"
#include "TempDir.h"

namespace {

// Sources of 16 MiB and more, whose lengths a float cannot hold exactly: the
// copy must still stop exactly at the end of the file. Made sparse, all zero.
class LargeFileTest : public ::testing::Test {
protected:
    LargeFileTest() {
        converter.m_workDir = ToUtf8(dir.Root());
        dir.Write("RAVELO.INI", "SRD: 0 > 1\n");
        converter.typedSource = dir.Write("source.dvb", "");
    }
    void SetSourceLength(uint64_t length) {
        std::filesystem::resize_file(FromUtf8(converter.typedSource), length);
    }

    TempDir dir;
    RecordingConverter converter;
};

TEST_F(LargeFileTest, ADamagedTailBeyondSixteenMebibytesIsReported) {
    const uint64_t records = (1u << 18) + 1;  // 16,777,280 bytes, which a float holds
    SetSourceLength(records * 64 + 1);        // one byte more, which it does not
    converter.typedDestination = dir.Path("dest.dvb");
    EXPECT_FALSE(converter.Convert());
    const auto messages = converter.Lines("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], std::string("message ") + msg::kSourceDamaged + " | " +
                               converter.typedDestination + " | error");
    EXPECT_EQ(std::filesystem::file_size(FromUtf8(converter.typedDestination)), records * 64);
    EXPECT_EQ(converter.m_convertedCount, records);
}

#ifndef _WIN32
// 2^30 + 64 bytes rounds down to 2^30 as a float: the last record must still be copied.
TEST_F(LargeFileTest, TheLastRecordOfAGibibyteSourceIsCopied) {
    const uint64_t records = (1u << 24) + 1;
    SetSourceLength(records * 64);
    converter.typedDestination = "/dev/null";
    EXPECT_TRUE(converter.Convert());
    EXPECT_EQ(static_cast<uint64_t>(converter.m_recordNo), records);
    EXPECT_EQ(converter.m_convertedCount, records);
}
#endif

}  // namespace
