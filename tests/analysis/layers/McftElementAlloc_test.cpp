// The element solver runs at every node and transverse-equilibrium iteration: no heap use.

#include <atomic>
#include <cstddef>

#include <gtest/gtest.h>

#include "analysis/layers/McftElement.h"
#include "model/ConcreteLaws.h"
#include "model/MaterialTypes.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            std::size_t),
                                                         void (*freeHook)(const volatile void*));
#define QV_CAN_COUNT_ALLOCATIONS 1
#endif

namespace {

#if defined(QV_CAN_COUNT_ALLOCATIONS)
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

void OnMalloc(const volatile void*, std::size_t)
{
    g_allocations += g_counting.load() ? 1 : 0;
}
void OnFree(const volatile void*)
{
}
#endif

TEST(McftElementAlloc, SolvesAndMatricesDoNotAllocate)
{
#if !defined(QV_CAN_COUNT_ALLOCATIONS)
    GTEST_SKIP() << "allocation hooks need the sanitizer build";
#else
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    ASSERT_TRUE(installed);
    ConcreteTypeRec type;
    InitConcreteTypeRec(type);
    CheckConcreteType(type, true);

    // Uncracked, cracked and free, held by each reserve, and without any reserve.
    const double states[][5] = {
        {3e-5, -2e-4, 1e-4, 1e7, 1e7},
        {1.0e-3, -0.5e-3, 2.0e-3, 1e7, 1e7},
        {1.0e-3, -0.5e-3, 2.0e-3, 0.0, 10e6},
        {-0.5e-3, 1.0e-3, 2.0e-3, 10e6, 0.0},
        {1.0e-3, -0.5e-3, 2.0e-3, 0.0, 0.0},
    };
    Matrix3 k{};
    double sink = 0.0;
    g_allocations = 0;
    g_counting = true;
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
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0);
    EXPECT_TRUE(sink == sink);
#endif
}

} // namespace
