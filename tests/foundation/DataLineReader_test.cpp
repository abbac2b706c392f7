#include "foundation/DataLineReader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr std::size_t kLimit = 127;

std::vector<std::string> DataLines(const std::string& text, std::size_t limit = kLimit)
{
    std::istringstream in(text);
    DataLineReader reader(in, limit);
    std::vector<std::string> lines;
    std::string line;
    while (reader.NextData(line))
        lines.push_back(line);
    return lines;
}

TEST(DataLineReaderTest, SkipsCommentsAndBlankLinesAndTurnsTabsIntoBlanks)
{
    const auto lines = DataLines("// header\n"
                                 "\n"
                                 "   \t \n"
                                 "25M\t25.2\t500\n"
                                 "  // indented is not a comment\n"
                                 "/ single slash\n"
                                 "last line without end");
    const std::vector<std::string> expected = {"25M 25.2 500",
                                               "  // indented is not a comment",
                                               "/ single slash",
                                               "last line without end"};
    EXPECT_EQ(lines, expected);
}

TEST(DataLineReaderTest, RemovesWindowsLineEndsAndCountsLines)
{
    std::istringstream in("// c\r\n10M 11.3 100\r\n\r\n15M 16.0 200\r\n");
    DataLineReader reader(in, kLimit);
    std::string line;
    ASSERT_TRUE(reader.NextData(line));
    EXPECT_EQ(line, "10M 11.3 100");
    EXPECT_EQ(reader.LineNumber(), 2);
    ASSERT_TRUE(reader.NextData(line));
    EXPECT_EQ(line, "15M 16.0 200");
    EXPECT_EQ(reader.LineNumber(), 4);
    EXPECT_FALSE(reader.NextData(line));
}

TEST(DataLineReaderTest, LongLineIsCutAndItsTailNeverReadsAsALine)
{
    const std::string head(kLimit, 'a');
    std::istringstream in(head + "TAIL 9 99\nnext 1 2\n");
    DataLineReader reader(in, kLimit);
    std::string line;
    ASSERT_TRUE(reader.NextData(line));
    EXPECT_EQ(line, head);
    EXPECT_TRUE(reader.LastLineCut());
    ASSERT_TRUE(reader.NextData(line));
    EXPECT_EQ(line, "next 1 2");
    EXPECT_FALSE(reader.LastLineCut());
    EXPECT_EQ(reader.LineNumber(), 2);
    EXPECT_FALSE(reader.NextData(line));
}

TEST(DataLineReaderTest, LineOfExactlyTheLimitIsWholeWithEitherLineEnd)
{
    const std::string full(kLimit, 'b');
    for (const char* end : {"\n", "\r\n", ""}) {
        SCOPED_TRACE(testing::Message() << "line end of " << std::string(end).size() << " chars");
        std::istringstream in(full + end);
        DataLineReader reader(in, kLimit);
        std::string line;
        ASSERT_TRUE(reader.Next(line));
        EXPECT_EQ(line, full);
        EXPECT_FALSE(reader.LastLineCut());
    }
    std::istringstream in(full + "c\r\n");
    DataLineReader reader(in, kLimit);
    std::string line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, full);
    EXPECT_TRUE(reader.LastLineCut());
}

TEST(DataLineReaderTest, HugeLineKeepsOnlyItsHead)
{
    const std::string huge(1 << 20, 'x');
    std::istringstream in(huge + "\nok\n");
    DataLineReader reader(in, kLimit);
    std::string line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.size(), kLimit);
    EXPECT_LE(line.capacity(), 4 * kLimit);
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "ok");
}

TEST(DataLineReaderTest, NulCharactersBecomeBlanks)
{
    const auto lines = DataLines(std::string("A\0B 1 2\n", 8));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(SplitTokens(lines[0]), (std::vector<std::string>{"A", "B", "1", "2"}));
}

TEST(DataLineReaderTest, SplitTokensOnRunsOfBlanks)
{
    EXPECT_EQ(SplitTokens("  #2  6.3    32.000  "),
              (std::vector<std::string>{"#2", "6.3", "32.000"}));
    EXPECT_TRUE(SplitTokens("   ").empty());
    EXPECT_TRUE(SplitTokens("").empty());
}

TEST(DataLineReaderTest, NumberTokensMustBeWholeFiniteNumbers)
{
    struct Row {
        const char* token;
        bool isNumber;
        double value;
    };
    const Row rows[] = {
        {"11.3", true, 11.3},
        {"+5", true, 5.0},
        {"-2.5", true, -2.5},
        {"1e3", true, 1000.0},
        {".5", true, 0.5},
        {"0", true, 0.0},
        {"12A", false, 0.0},
        {"mm", false, 0.0},
        {"", false, 0.0},
        {"+", false, 0.0},
        {"+-1", false, 0.0},
        {"inf", false, 0.0},
        {"nan", false, 0.0},
        {"1e999", false, 0.0},
        {"0x10", false, 0.0},
        {"#2", false, 0.0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.token);
        double value = -7.0;
        EXPECT_EQ(ReadNumberToken(row.token, value), row.isNumber);
        EXPECT_DOUBLE_EQ(value, row.isNumber ? row.value : -7.0);
    }
}

} // namespace
