#include "files/legacy/SectionDefinition.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "files/legacy/ByteRecord.h"
#include "files/legacy/NativeFileCommon.h"
#include "foundation/ReportText.h"
#include "foundation/TDepthTable.h"
#include "model/TBeam.h"
#include "model/shapes/SectionOutline.h"

namespace {

constexpr double kMinRegionHeight = 0.0001; // m

} // namespace

int BuildSectionFromRows(TBeam& beam, const TDepthTable& rows, const TDepthTable& rowTypes)
{
    // The rows may run up or down the section: each pair makes a band from its upper row to its
    // lower one, and the bands are put in order from the top.
    std::vector<ConcreteRegionRec> regions;
    const int concreteCount = beam.GetConcreteTypeCount();
    for (int i = 0; i + 1 < rows.GetCount(); ++i) {
        const double h1 = rows.GetDepth(i);
        const double h2 = rows.GetDepth(i + 1);
        if (!(std::fabs(h1 - h2) >= kMinRegionHeight))
            continue;
        const int lower = h1 < h2 ? i : i + 1;
        const int upper = lower == i ? i + 1 : i;
        const int type = CheckedTypeIndex(TruncateToInt(rowTypes.GetValue(lower)),
                                          std::max(concreteCount, 1),
                                          "An outline row");
        regions.push_back(ConcreteRegionRec{rows.GetDepth(upper),
                                            rows.GetDepth(lower),
                                            rows.GetValue(upper),
                                            rows.GetValue(lower),
                                            static_cast<std::int16_t>(type)});
    }
    std::stable_sort(
        regions.begin(),
        regions.end(),
        [](const ConcreteRegionRec& a, const ConcreteRegionRec& b) { return a.top > b.top; });
    const auto capacity = static_cast<std::size_t>(beam.GetMaxRegions());
    if (regions.size() > capacity) {
        AddLoadError("The outline has more rows than a section holds regions; the lowest rows "
                     "are left out");
        regions.resize(capacity);
    }
    TDepthTable outline("section outline");
    TDepthTable types("outline concrete types");
    OutlineFromRegions(regions, 0.0, outline, types);
    return BuildSectionShape(beam, outline, types);
}
