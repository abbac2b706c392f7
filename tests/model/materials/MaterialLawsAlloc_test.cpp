// The material laws run per layer node and load step: they must not touch the heap.

#include <memory>

#include <gtest/gtest.h>

#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"
#include "support/AllocationCounter.h"

namespace {

TEST(MaterialLaws, EvaluationDoesNotAllocate)
{
    if (!CanCountAllocations())
        GTEST_SKIP() << "allocation hooks need the sanitizer build";
    ConcreteTypeRec concrete;
    InitConcreteTypeRec(concrete);
    CheckConcreteType(concrete, true);
    ConcreteTypeRec curveConcrete = concrete;
    curveConcrete.baseCurve = BaseCurveCode::UserDefined;
    curveConcrete.userCurve.reset(std::make_unique<TDepthTable>("Segmental Concrete"));
    MakeDefaultConcreteCurve(*curveConcrete.userCurve, 35e6);
    PrepareConcreteType(curveConcrete);

    SteelTypeRec bar;
    CheckSteelType(bar, true);
    SteelTypeRec strand;
    strand.kind = SteelKind::Prestressing;
    strand.fy = 1.86e9;
    CheckSteelType(strand, true);
    SteelTypeRec curveSteel;
    curveSteel.kind = SteelKind::UserCurve;
    CheckSteelType(curveSteel, false);

    double sum = 0.0;
    const long allocations = CountAllocations([&] {
        for (int i = -50; i <= 50; ++i) {
            const double e = i * 1e-4;
            for (const ConcreteTypeRec* rec : {&concrete, &curveConcrete}) {
                double fp = 0.0;
                sum += ConcreteStress(*rec, {e, 0.001, -0.0002}, 1, fp, rec->ft, 500.0);
                sum += ConcreteTangentModulus(*rec, {e, 0.001, -0.0002}, 1, 1, 0, rec->ft, 500);
            }
            for (const SteelTypeRec* rec : {&bar, &strand, &curveSteel}) {
                sum += SteelStress(*rec, 10 * e, 0.0);
                sum += SteelTangentModulus(*rec, 10 * e, 0.0);
                sum += SteelStressAtCrack(*rec, 0.01, 10 * e, 0.001, 0.0, "T10");
            }
        }
    });
    EXPECT_EQ(allocations, 0);
    EXPECT_TRUE(sum != 0.0);
}

} // namespace
