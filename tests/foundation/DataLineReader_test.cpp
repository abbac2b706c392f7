#include "foundation/DataLineReader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr std::size_t kLimit = 127;

TEST(DataLineReaderTest, SkipsCommentsAndBlanksAndCleansLineEndsTabsAndNuls)
{
    std::istringstream in("// header\r\n\n   \t \n25M\t25.2\t500\r\n  // indented is not a "
                          "comment\nA" +
                          std::string(1, '\0') + "B 1 2\nlast line without end");
    DataLineReader reader(in, kLimit);
    std::string line;
    for (const char* text :
         {"25M 25.2 500", "  // indented is not a comment", "A B 1 2", "last line without end"}) {
        ASSERT_TRUE(reader.NextData(line));
        EXPECT_EQ(line, text);
    }
    EXPECT_EQ(reader.LineNumber(), 7);
    EXPECT_FALSE(reader.NextData(line));
    EXPECT_EQ(SplitTokens("  #2  6.3    32.000  "),
              (std::vector<std::string>{"#2", "6.3", "32.000"}));
}

TEST(DataLineReaderTest, OverlongLinesAreCutAndTheirTailNeverReadsAsALine)
{
    const std::string full(kLimit, 'b');
    std::istringstream in(full + "\r\n" + full + "TAIL 9 99\r\n" + std::string(1 << 20, 'x') +
                          "\nnext 1 2\n" + full);
    DataLineReader reader(in, kLimit);
    std::string line;
    const std::pair<std::string, bool> expected[] = {{full, false},
                                                     {full, true},
                                                     {std::string(kLimit, 'x'), true},
                                                     {"next 1 2", false},
                                                     {full, false}}; // the limit, no line end
    for (const auto& [text, cut] : expected) {
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, text);
        EXPECT_EQ(reader.LastLineCut(), cut);
        EXPECT_LE(line.capacity(), 4 * kLimit); // a huge line is never held whole
    }
    EXPECT_FALSE(reader.Next(line));
}

TEST(DataLineReaderTest, NumberTokensMustBeWholeFiniteNumbers)
{
    const std::pair<const char*, double> good[] = {{"11.3", 11.3}, {"-2.5", -2.5}, {"1e3", 1000}};
    for (const auto& [token, expected] : good) {
        double value = -7.0;
        EXPECT_TRUE(ReadNumberToken(token, value)) << token;
        EXPECT_EQ(value, expected) << token;
    }
    for (const char* token : {"12A", "+-1", "inf", "1e999", ""}) {
        double value = -7.0;
        EXPECT_FALSE(ReadNumberToken(token, value)) << token;
        EXPECT_EQ(value, -7.0) << token;
    }
}

} // namespace
