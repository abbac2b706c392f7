#include "foundation/ReportText.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

struct ReportTextTest : ::testing::Test {
    void SetUp() override { ClearReportText(); }
    void TearDown() override { ClearReportText(); }
};

TEST_F(ReportTextTest, FirstErrorCreatesLogWithHeaderAndShowingHandsItOver)
{
    RecordingReporter rec;
    AddLoadError("Bad bar");
    const std::string text =
        "ERRORS in program load\r\n\r\nThe following errors occured during loading\r\n\r\n"
        "Bad bar\r\n";
    ASSERT_TRUE(g_ReportText);
    EXPECT_EQ(*g_ReportText, text);
    ShowAndClearReportText();
    EXPECT_EQ(rec.dataTexts, std::vector<std::string>{text});
    EXPECT_FALSE(g_ReportText);
}

TEST_F(ReportTextTest, FullLogSaysTooManyOnceAndStaysInsideItsRoom)
{
    for (int i = 0; i < 200; ++i)
        AddLoadError(std::string(100, 'x'));
    ASSERT_TRUE(g_ReportText);
    const std::string& log = *g_ReportText;
    EXPECT_LT(log.size(), kReportTextCapacity);
    const auto first = log.find("Too Many Error Messages");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("Too Many Error Messages", first + 1), std::string::npos);
}

TEST(ReporterTest, DefaultAnswersFollowButtonSetAndDefaultButton)
{
    EXPECT_EQ(DefaultAnswer(MsgStyle::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(DefaultAnswer(MsgStyle::YesNo | MsgStyle::DefButton2), MsgAnswer::No);
    EXPECT_EQ(DefaultAnswer(MsgStyle::YesNoCancel | MsgStyle::DefButton3), MsgAnswer::Cancel);
    EXPECT_EQ(DefaultAnswer(MsgStyle::OkCancel | MsgStyle::IconQuestion), MsgAnswer::Ok);
}

} // namespace
