#pragma once
// A chart that records the pairs it is fed, for tests of chart feeders.

#include <cstddef>
#include <utility>
#include <vector>

#include "foundation/ChartPointSink.h"

class RecordingChart final : public ChartPointSink {
public:
    using Pair = std::pair<double, double>;

    void AddPoint(double x, double y) override { pairs.emplace_back(x, y); }

    // The points after the n-th separator (counted from 1), up to the next separator.
    std::vector<Pair> Run(int n) const
    {
        std::vector<Pair> run;
        int seen = 0;
        for (const Pair& p : pairs) {
            if (IsChartSeparator(p.first)) {
                if (seen++ == n)
                    break;
                continue;
            }
            if (seen == n)
                run.push_back(p);
        }
        return run;
    }

    std::vector<Pair> pairs;
};
