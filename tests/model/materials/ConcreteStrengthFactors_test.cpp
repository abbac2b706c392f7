#include <memory>

#include <gtest/gtest.h>

#include "model/materials/ConcreteLaws.h"
#include "model/materials/UserCurves.h"

namespace {

constexpr double kMPa = 1e6;

// The Popovics factors of a strength f'c (MPa): n = 0.8 + f'c / 17, k = 0.67 + f'c / 62.
double N(double fcMPa)
{
    return 0.8 + fcMPa / 17.0;
}
double K(double fcMPa)
{
    return 0.67 + fcMPa / 62.0;
}

// A type first prepared as a 50 MPa Popovics concrete (a page's type before its fields change),
// then given 35 MPa and another base curve and prepared again, holds the factors of 35 MPa: the
// ones a type read from its document gets, which starts from no factors at all.
TEST(ConcreteStrengthFactors, FollowTheStrengthWhateverTheBaseCurve)
{
    for (int base : {BaseCurveCode::Linear,
                     BaseCurveCode::Parabolic,
                     BaseCurveCode::Popovics,
                     BaseCurveCode::ElastoPlastic,
                     BaseCurveCode::UserDefined}) {
        SCOPED_TRACE(base);
        ConcreteTypeRec rec;
        InitConcreteTypeRec(rec);
        CheckConcreteType(rec, true);
        rec.fc = -50 * kMPa;
        PrepareConcreteType(rec);
        ASSERT_DOUBLE_EQ(rec.n, N(50.0));
        ASSERT_DOUBLE_EQ(rec.k, K(50.0));

        rec.fc = -35 * kMPa;
        rec.baseCurve = static_cast<int16_t>(base);
        if (base == BaseCurveCode::UserDefined) {
            // The curve's own peak is the strength: a parabola of 30 MPa.
            rec.userCurve.reset(std::make_unique<TDepthTable>("Segmental Concrete"));
            MakeDefaultConcreteCurve(*rec.userCurve, 30 * kMPa);
        }
        PrepareConcreteType(rec);
        const double strength = base == BaseCurveCode::UserDefined ? 30.0 : 35.0;
        EXPECT_NEAR(-rec.fc / kMPa, strength, 1e-9);
        EXPECT_DOUBLE_EQ(rec.n, N(strength));
        EXPECT_DOUBLE_EQ(rec.k, K(strength));
    }
}

} // namespace
