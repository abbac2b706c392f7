#include "analysis/layers/DepthProfiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/TStructure.h"
#include "support/TestSupport.h"

namespace {

constexpr double kValueTolerance = 1e-9;
constexpr double kDepthTolerance = 1e-12;

// Steps of the width profile per height.
constexpr int kSteps = 21;

double Mean(const TDepthTable& distribution, const TStructure& section)
{
    return distribution.Integrate(section.GetTop(), section.GetBottom()) / section.GetHeight();
}

// A rectangle of height H: gamma = (1 - x^2) / a with x = 2 (z - zc) / H, where a is the
// trapezoid mean of 1 - x^2 over 21 equal steps (step h = 2/21 in x):
// a = (4/3 - h^2/3) / 2 = 2/3 - h^2/6, as the trapezoid rule overestimates a parabola of
// curvature -2 by h^2/3 over [-1, 1].
TEST(DepthProfiles, RectangleGivesTheScaledParabola)
{
    const double h = 2.0 / kSteps;
    const double trapezoidMean = 2.0 / 3.0 - h * h / 6.0;
    const double top = 1.0, bottom = 0.4, height = 0.6, zc = 0.7;
    RecordingReporter reporter;
    TStructure rectangle;
    ASSERT_EQ(rectangle.AddRegion(top, bottom, 2.5, 2.5, 0, 1), 1);
    TDepthTable distribution(kShearStrainDistributionName);
    BuildShearStrainDistribution(rectangle, distribution);
    // The top, one pair per step (the last at the bottom) and the closing pair.
    ASSERT_EQ(distribution.GetCount(), kSteps + 2);
    EXPECT_DOUBLE_EQ(distribution.GetDepth(kSteps + 1), bottom);
    EXPECT_NEAR(distribution.GetValue(kSteps + 1), 0.0, kValueTolerance);
    for (int j = 0; j <= kSteps; ++j) {
        const double z = distribution.GetDepth(j);
        EXPECT_NEAR(z, top - j * height / kSteps, kDepthTolerance);
        const double x = 2.0 * (z - zc) / height;
        EXPECT_NEAR(distribution.GetValue(j), (1.0 - x * x) / trapezoidMean, kValueTolerance)
            << "pair " << j;
    }
    EXPECT_NEAR(Mean(distribution, rectangle), 1.0, kValueTolerance);
    EXPECT_TRUE(reporter.messages.empty());
}

// Flange 0.6 m wide from 0.5 down to 0.4, web 0.2 m wide down to 0.0. By hand: areas 0.06 and
// 0.08 with centroids 0.45 and 0.2, so zc = 0.043 / 0.14; the first moment above the
// flange-web junction is Qj = 0.06 (0.45 - zc). Gamma is proportional to Q(z) / b(z).
TEST(DepthProfiles, TSectionKeepsTheShearFlowAcrossTheWidthJump)
{
    RecordingReporter reporter;
    TStructure tee;
    ASSERT_EQ(tee.AddRegion(0.5, 0.4, 0.6, 0.6, 0, 1), 1);
    ASSERT_EQ(tee.AddRegion(0.4, 0.0, 0.2, 0.2, 0, 1), 1);
    TDepthTable distribution(kShearStrainDistributionName);
    BuildShearStrainDistribution(tee, distribution);

    const double zc = 0.043 / 0.14;
    const double qJunction = 0.06 * (0.45 - zc);
    auto firstMoment = [&](double z) {
        if (z >= 0.4)
            return 0.6 * ((0.5 - zc) * (0.5 - zc) - (z - zc) * (z - zc)) / 2.0;
        return qJunction + 0.2 * ((0.4 - zc) * (0.4 - zc) - (z - zc) * (z - zc)) / 2.0;
    };

    std::vector<double> atJunction;
    for (const DepthPair& pair : distribution.Pairs())
        if (std::fabs(pair.z - 0.4) < kDepthTolerance)
            atJunction.push_back(pair.v);
    ASSERT_EQ(atJunction.size(), 2u);
    const double above = atJunction[0], below = atJunction[1];
    EXPECT_GT(above, 0.0);
    EXPECT_NEAR(below / above, 0.6 / 0.2, kValueTolerance);

    // Every other pair is the junction value scaled by Q(z) b_junction / (Qj b(z)).
    for (int i = 1; i + 1 < distribution.GetCount(); ++i) {
        const double z = distribution.GetDepth(i);
        if (std::fabs(z - 0.4) < kDepthTolerance)
            continue;
        const double width = z > 0.4 ? 0.6 : 0.2;
        const double reference = z > 0.4 ? above * 0.6 : below * 0.2;
        EXPECT_NEAR(distribution.GetValue(i),
                    reference * firstMoment(z) / (qJunction * width),
                    kValueTolerance)
            << "depth " << z;
    }
    EXPECT_NEAR(Mean(distribution, tee), 1.0, kValueTolerance);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(DepthProfiles, SectionWithoutConcreteWarnsAboutTheMean)
{
    RecordingReporter reporter;
    TStructure empty;
    TDepthTable distribution(kShearStrainDistributionName);
    distribution.Add(1.0, 5.0); // left by an earlier build
    BuildShearStrainDistribution(empty, distribution);

    EXPECT_EQ(distribution.Pairs(),
              (std::vector<DepthPair>{{empty.GetTop(), 0.0}, {empty.GetBottom(), 0.0}}));
    EXPECT_EQ(reporter.Count(kShearMeanText), 1);
}

} // namespace
