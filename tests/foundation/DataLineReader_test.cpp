#include "foundation/DataLineReader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr std::size_t kLimit = 127;

TEST(DataLineReaderTest, SkipsCommentsAndBlanksAndCleansLineEndsTabsAndNuls)
{
    std::istringstream in(
        "// header\r\n\n   \t \n25M\t25.2\t500\r\n  // indented is not a comment\nA" +
        std::string(1, '\0') + "B 1 2\nlast line without end");
    DataLineReader reader(in, kLimit);
    std::string line;
    const std::pair<const char*, int> expected[] = {{"25M 25.2 500", 4},
                                                    {"  // indented is not a comment", 5},
                                                    {"A B 1 2", 6},
                                                    {"last line without end", 7}};
    for (const auto& [text, number] : expected) {
        ASSERT_TRUE(reader.NextData(line));
        EXPECT_EQ(line, text);
        EXPECT_EQ(reader.LineNumber(), number);
    }
    EXPECT_FALSE(reader.NextData(line));
    EXPECT_EQ(SplitTokens("  #2  6.3    32.000  "),
              (std::vector<std::string>{"#2", "6.3", "32.000"}));
    EXPECT_TRUE(SplitTokens("   ").empty());
}

TEST(DataLineReaderTest, OverlongLinesAreCutAndTheirTailNeverReadsAsALine)
{
    const std::string full(kLimit, 'b');
    const std::string huge(1 << 20, 'x');
    std::istringstream in(full + "\n" + full + "\r\n" + full + "TAIL 9 99\r\n" + huge +
                          "\nnext 1 2\n" + full);
    DataLineReader reader(in, kLimit);
    std::string line;
    const bool cut[] = {false, false, true, true};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, i == 3 ? std::string(kLimit, 'x') : full);
        EXPECT_EQ(reader.LastLineCut(), cut[i]);
    }
    EXPECT_LE(line.capacity(), 4 * kLimit); // a huge line is never held whole
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "next 1 2");
    EXPECT_FALSE(reader.LastLineCut());
    ASSERT_TRUE(reader.Next(line)); // exactly the limit without a line end
    EXPECT_EQ(line, full);
    EXPECT_FALSE(reader.LastLineCut());
    EXPECT_EQ(reader.LineNumber(), 6);
    EXPECT_FALSE(reader.Next(line));
}

TEST(DataLineReaderTest, NumberTokensMustBeWholeFiniteNumbers)
{
    const std::vector<std::string> numbers = SplitTokens("11.3 +5 -2.5 1e3 .5");
    const double expected[] = {11.3, 5.0, -2.5, 1000.0, 0.5};
    ASSERT_EQ(numbers.size(), std::size(expected));
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        double value = -7.0;
        EXPECT_TRUE(ReadNumberToken(numbers[i], value)) << numbers[i];
        EXPECT_EQ(value, expected[i]) << numbers[i];
    }
    for (const std::string& token : SplitTokens("12A +-1 inf nan 1e999 0x10 #2 mm")) {
        double value = -7.0;
        EXPECT_FALSE(ReadNumberToken(token, value)) << token;
        EXPECT_EQ(value, -7.0) << token;
    }
    double value = -7.0;
    EXPECT_FALSE(ReadNumberToken("", value));
}

} // namespace
