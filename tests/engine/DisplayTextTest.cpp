#include <gtest/gtest.h>

#include "DisplayText.h"

TEST(DisplayText, KeepsValidUtf8AndReadsOtherBytesAsWindows1252) {
    EXPECT_EQ(BytesToDisplayText("SRD: X\n"), "SRD: X\n");
    EXPECT_EQ(BytesToDisplayText("Conversão"), "Conversão");
    EXPECT_EQ(BytesToDisplayText("Convers\xE3o"), "Conversão");
    EXPECT_EQ(BytesToDisplayText("\x80 \x9C"), "€ œ");
    EXPECT_EQ(BytesToDisplayText("\xC3"), "Ã");            // a cut-off sequence is not UTF-8
    EXPECT_EQ(BytesToDisplayText("\xC0\xAF"), "À¯");       // neither is an overlong one
    EXPECT_EQ(BytesToDisplayText("\xED\xA0\x80"), "í\xC2\xA0\xE2\x82\xAC");  // nor a surrogate
}
