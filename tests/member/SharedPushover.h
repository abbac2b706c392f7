#pragma once
// One member pushover shared by every test of a suite: run to its end with four workers
// stepping the stations, then its result curves built. The pushover is the expensive part of
// the member tests, so a suite runs it once. Case holds the member definition `d` and the
// structure table `slots` it is run over.

#include <memory>

#include <gtest/gtest.h>

#include "analysis/RunToFinish.h"
#include "foundation/WorkerPool.h"
#include "member/TFullMemberResponse.h"

namespace membertest {

template <class Case>
class SharedPushover : public ::testing::Test {
protected:
    static constexpr int kMaxSteps = 200000;

    static void SetUpTestSuite()
    {
        const ScopedWorkerCount workers(4);
        s_case = std::make_unique<Case>();
        s_member = std::make_unique<TFullMemberResponse>(s_case->d, s_case->slots);
        RunToFinish(*s_member, kMaxSteps);
        s_member->BuildResultCurves();
    }
    static void TearDownTestSuite()
    {
        s_member.reset();
        s_case.reset();
    }
    static inline std::unique_ptr<Case> s_case;
    static inline std::unique_ptr<TFullMemberResponse> s_member;
};

} // namespace membertest
