// The element solver runs at every node and transverse-equilibrium iteration: no heap use.

#include <gtest/gtest.h>

#include "analysis/element/McftElement.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/MaterialTypes.h"
#include "support/AllocationCounter.h"

namespace {

TEST(McftElementAlloc, SolvesAndMatricesDoNotAllocate)
{
    if (!CanCountAllocations())
        GTEST_SKIP() << "allocation hooks need the sanitizer build";
    ConcreteTypeRec type;
    InitConcreteTypeRec(type);
    CheckConcreteType(type, true);

    // Uncracked, cracked and free, held by a reserve.
    const double states[][5] = {
        {3e-5, -2e-4, 1e-4, 1e7, 1e7},
        {1.0e-3, -0.5e-3, 2.0e-3, 1e7, 1e7},
        {1.0e-3, -0.5e-3, 2.0e-3, 0.0, 10e6},
    };
    Matrix3 k{};
    double sink = 0.0;
    const long allocations = CountAllocations([&] {
        for (const auto& s : states) {
            LayerNodeStateRec el;
            el.StrainX = s[0], el.StrainZ = s[1], el.ShearStrain = s[2];
            el.ReserveX = s[3], el.ReserveZ = s[4];
            el.CrackSpacingX = 0.3, el.CrackSpacingZ = 0.2, el.TensionStiffFactor = 500.0;
            sink += SolveMcftElement(type, el, 0.0, 0.0);
            SecantStiffnessMatrix(k, type, el, false);
            SecantStiffnessMatrix(k, type, el, true);
            SolveMcftLayer(k, type, el, 2e9, 1e9, 0.0, 0.0);
            sink += k[0][0];
        }
    });
    EXPECT_EQ(allocations, 0);
    EXPECT_TRUE(sink == sink);
}

} // namespace
