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

// Header of 73 characters; each complaint adds its length and CR LF.
TEST_F(ReportTextTest, TheLogKeepsItsLimits)
{
    AddLoadError("abc");
    ASSERT_TRUE(g_ReportText);
    EXPECT_EQ(g_ReportText->size(), 78u);
    ClearReportText();

    // 20 characters: 222 kept (73 + 222 * 22 = 4957), the 223rd becomes the note, the rest go.
    for (int i = 0; i < 230; ++i)
        AddLoadError(std::string(20, 'x'));
    const std::string& log = *g_ReportText;
    EXPECT_EQ(log.size(), 4957u + 25u);
    EXPECT_EQ(log.substr(4957), "\r\nToo Many Error Messages");
    ClearReportText();

    // 100 characters: the 48th is the last kept (73 + 48 * 102 = 4969) and every later one
    // passes 4995, so no note is written.
    for (int i = 0; i < 60; ++i)
        AddLoadError(std::string(100, 'y'));
    EXPECT_EQ(g_ReportText->size(), 4969u);
    EXPECT_EQ(g_ReportText->find("Too Many"), std::string::npos);
    ClearReportText();

    // Longer than the room left: dropped without a note.
    AddLoadError("first");
    AddLoadError(std::string(4995 - 80 + 1, 'z'));
    EXPECT_EQ(g_ReportText->size(), 80u);
}

TEST(ReporterTest, DefaultAnswersFollowButtonSetAndDefaultButton)
{
    EXPECT_EQ(DefaultAnswer(MsgStyle::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(DefaultAnswer(MsgStyle::YesNo | MsgStyle::DefButton2), MsgAnswer::No);
    EXPECT_EQ(DefaultAnswer(MsgStyle::YesNoCancel | MsgStyle::DefButton3), MsgAnswer::Cancel);
    EXPECT_EQ(DefaultAnswer(MsgStyle::OkCancel | MsgStyle::IconQuestion), MsgAnswer::Ok);
}

} // namespace
