#pragma once
// Bit-for-bit comparison of the stored stages of two load-stage analyses: the same stages,
// each with the same layer count, results and bar values (compared as bits, so that a NaN
// equals itself and -0.0 differs from 0.0).

#include <cstring>
#include <string>
#include <vector>

#include "analysis/T1DAnalysis.h"

namespace stagetest {

inline bool SameBits(const double* a, const double* b, std::size_t n)
{
    return n == 0 || std::memcmp(a, b, n * sizeof(double)) == 0;
}

// Empty when the stages are the same; otherwise the first difference.
inline std::string StageDifference(const T1DAnalysis& a, const T1DAnalysis& b)
{
    if (a.GetLastStageIndex() != b.GetLastStageIndex())
        return "last stage " + std::to_string(a.GetLastStageIndex()) + " against " +
               std::to_string(b.GetLastStageIndex());
    for (int i = 0; i <= a.GetLastStageIndex(); ++i) {
        const SectionState* x = a.GetStage(i);
        const SectionState* y = b.GetStage(i);
        const std::string at = "stage " + std::to_string(i);
        if ((x == nullptr) != (y == nullptr))
            return at + " stored in one only";
        if (x == nullptr)
            continue;
        if (x->LayerCount != y->LayerCount ||
            !SameBits(x->Results.data(), y->Results.data(), x->Results.size()))
            return at + " results";
        for (std::size_t k = 0; k < x->LongBarValues.size(); ++k)
            if (x->LongBarValues[k].size() != y->LongBarValues[k].size() ||
                !SameBits(x->LongBarValues[k].data(),
                          y->LongBarValues[k].data(),
                          x->LongBarValues[k].size()))
                return at + " bar values";
    }
    return {};
}

} // namespace stagetest
