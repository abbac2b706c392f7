// The material laws run per layer node and load step: they must not touch the heap.

#include <atomic>
#include <cstddef>
#include <memory>

#include <gtest/gtest.h>

#include "model/ConcreteLaws.h"
#include "model/SteelLaws.h"
#include "model/UserCurves.h"

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
    if (g_counting.load())
        ++g_allocations;
}
void OnFree(const volatile void*)
{
}

bool InstallHooks()
{
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    return installed;
}
#endif

TEST(MaterialLaws, EvaluationDoesNotAllocate)
{
#if !defined(QV_CAN_COUNT_ALLOCATIONS)
    GTEST_SKIP() << "allocation hooks need the sanitizer build";
#else
    ASSERT_TRUE(InstallHooks());
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

    // The hooks see a heap allocation.
    g_allocations = 0;
    g_counting = true;
    auto probe = std::make_unique<volatile double>(1.0);
    g_counting = false;
    ASSERT_GT(g_allocations.load(), 0);
    probe.reset();

    g_allocations = 0;
    g_counting = true;
    double sum = 0.0;
    for (int i = -50; i <= 50; ++i) {
        const double e = i * 1e-4;
        for (const ConcreteTypeRec* rec : {&concrete, &curveConcrete}) {
            double fp = 0.0;
            sum += ConcreteStress(*rec, {e, 0.001, -0.0002}, 1, fp, rec->ft, 500.0);
            sum += ConcreteTangentModulus(*rec, {e, 0.001, -0.0002}, 1, 1.0, 0.0, rec->ft, 500.0);
        }
        for (const SteelTypeRec* rec : {&bar, &strand, &curveSteel}) {
            sum += SteelStress(*rec, 10 * e, 0.0);
            sum += SteelTangentModulus(*rec, 10 * e, 0.0);
            sum += SteelStressAtCrack(*rec, 0.01, 10 * e, 0.001, 0.0, "T10");
        }
    }
    g_counting = false;
    EXPECT_EQ(g_allocations.load(), 0);
    EXPECT_TRUE(sum != 0.0);
#endif
}

} // namespace
