#include <gtest/gtest.h>

#include "ProgressLine.h"

TEST(ProgressLine, DrawsOnlyWhenThePercentageChanges) {
    ProgressLine line;
    EXPECT_EQ(line.Update(0, 1, 0), "\r  0%  registo 1  convertidos 0");
    EXPECT_EQ(line.Update(0, 2, 1), "");
    EXPECT_EQ(line.Update(50, 3, 2), "\r 50%  registo 3  convertidos 2");
    EXPECT_EQ(line.Update(50, 4, 3), "");
    EXPECT_EQ(line.Update(100, 4, 3), "\r100%  registo 4  convertidos 3");
}

TEST(ProgressLine, AShorterLineBlanksWhatTheLongerOneLeft) {
    ProgressLine line;
    const std::string longer = line.Update(1, 123456, 123456);
    const std::string shorter = "\r  2%  registo 7  convertidos 0";
    ASSERT_GT(longer.size(), shorter.size());
    EXPECT_EQ(line.Update(2, 7, 0), shorter + std::string(longer.size() - shorter.size(), ' '));
}

TEST(ProgressLine, ClearErasesTheWidestLineOnceAndStartsAfresh) {
    ProgressLine line;
    EXPECT_EQ(line.Clear(), "");
    line.Update(7, 10, 2);  // "  7%  registo 10  convertidos 2": 31 characters
    EXPECT_EQ(line.Clear(), "\r" + std::string(31, ' ') + "\r");
    EXPECT_EQ(line.Clear(), "");
    EXPECT_EQ(line.Update(7, 10, 2), "\r  7%  registo 10  convertidos 2");
}
