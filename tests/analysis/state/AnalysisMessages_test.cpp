#include "analysis/state/AnalysisMessages.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(AnalysisMessagesTest, EachTextAndCaptionShownOnceUntilReset)
{
    RecordingReporter reporter;
    AnalysisMessages messages;

    EXPECT_TRUE(messages.Report("Error in shear on crack!", "MCFT Analysis"));
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(messages.Report("Error in shear on crack!", "MCFT Analysis"));
    // The same text under another caption, and another text, are messages of their own.
    EXPECT_TRUE(messages.Report("Error in shear on crack!", "ERROR", MsgStyle::IconStop));
    EXPECT_TRUE(messages.Report("Other", "MCFT Analysis"));

    ASSERT_EQ(reporter.messages.size(), 3u);
    EXPECT_EQ(reporter.messages[1].style, MsgStyle::IconStop);
    EXPECT_EQ(messages.Count("Error in shear on crack!", "MCFT Analysis"), 11);

    messages.Reset();
    EXPECT_EQ(messages.Count("Error in shear on crack!", "MCFT Analysis"), 0);
    EXPECT_TRUE(messages.Report("Error in shear on crack!", "MCFT Analysis"));
    EXPECT_EQ(reporter.messages.size(), 4u);
}

} // namespace
