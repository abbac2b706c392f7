#pragma once
// The end of a sectional response whose initial case has no equilibrium.

#include <string>

#include <gtest/gtest.h>

#include "analysis/T1DAnalysis.h"

// Nothing solved, not running, and the one message that says why.
inline void ExpectInitialCaseMessage(const TFullSectionalResponse& response)
{
    EXPECT_EQ(response.GetStage(0), nullptr);
    EXPECT_EQ(response.IsRunning(), 0);
    ASSERT_EQ(response.GetErrorCount(), 1);
    std::string text, title;
    int code = 0;
    response.GetError(0, text, title, code);
    EXPECT_EQ(text, "Could not Solve for initial case.  Lower Initial loads, or lower prestress");
}
