#pragma once
// The answer of Solve > Sectional Response through the main window, run to its end by the idle
// loop, and the comparison of two answers stage by stage.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "analysis/state/SectionState.h"
#include "app/CommandIds.h"
#include "app/TQuarvishWindow.h"
#include "platform/Frame.h"

// The results of every stage, one row of StateResult::Count values a stage.
struct SectionalAnswer {
    int lastStage = -1;
    int errors = 0;
    std::vector<double> values;
};

// Solve > Sectional Response of the window's open section.
inline SectionalAnswer SolveSectionalResponse(plat::Frame& frame, TQuarvishWindow& window) {
    frame.Dispatch(CmId::SectionalResponse);
    const TSectionalAnalysis* a = window.GetCurrentAnalysis();
    EXPECT_NE(a, nullptr);
    if (a == nullptr)
        return {};
    for (long pass = 0; pass < 400000 && a->IsRunning(); ++pass)
        window.IdleAction(pass);
    EXPECT_FALSE(a->IsRunning());
    SectionalAnswer answer{a->GetLastStageIndex(), a->GetErrorCount(), {}};
    for (int i = 0; i <= answer.lastStage; ++i)
        if (const SectionState* stage = a->GetStage(i))
            answer.values.insert(answer.values.end(), stage->Results.begin(), stage->Results.end());
    return answer;
}

// Both solved without an error over the same stages, every result of every stage the same to a
// millionth of that result's largest value over the run (a document keeps lengths to a hundredth
// of a millimetre, so the last digits may differ).
inline void ExpectSameSectionalAnswer(const SectionalAnswer& before, const SectionalAnswer& after) {
    EXPECT_EQ(before.errors, 0);
    EXPECT_EQ(after.errors, 0);
    EXPECT_GT(before.lastStage, 0);
    ASSERT_EQ(after.lastStage, before.lastStage);
    ASSERT_FALSE(before.values.empty());
    ASSERT_EQ(after.values.size(), before.values.size());
    constexpr std::size_t n = StateResult::Count;
    std::array<double, n> largest{};
    for (std::size_t i = 0; i < before.values.size(); ++i)
        largest[i % n] = std::max({largest[i % n], std::fabs(before.values[i]), std::fabs(after.values[i])});
    for (std::size_t i = 0; i < before.values.size(); ++i)
        EXPECT_NEAR(after.values[i], before.values[i], 1e-6 * largest[i % n])
            << "stage " << i / n << ", result " << i % n;
}
