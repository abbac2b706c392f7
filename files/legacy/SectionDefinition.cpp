#include "files/legacy/SectionDefinition.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "files/legacy/ByteRecord.h"
#include "files/legacy/NativeFileCommon.h"
#include "foundation/ReportText.h"
#include "foundation/TDepthTable.h"
#include "model/TBeam.h"
#include "model/shapes/ShapeLibrary.h"


namespace {

constexpr double kMinRegionHeight = 0.0001; // m

} // namespace

int BuildSectionShape(TBeam& beam, const TDepthTable& outline, const TDepthTable& rowTypes)
{
    const int code = g_SectionDefinition.ShapeCode;
    beam.SetShapeType(code);
    if (IsLibraryShape(code))
        beam.SetShapeName(ShapeTable[static_cast<std::size_t>(code)]->name);
    for (int k = 1; k <= kBeamShapeParamCount; ++k)
        beam.SetShapeParameter(k <= 6 ? g_SectionDefinition.Parameters[static_cast<std::size_t>(k - 1)]
                                      : 0.0,
                               k);

    std::vector<ConcreteRegionRec> regions;
    const int concreteCount = beam.GetConcreteTypeCount();
    for (int i = 0; i + 1 < outline.GetCount(); ++i) {
        const double h1 = outline.GetDepth(i);
        const double h2 = outline.GetDepth(i + 1);
        if (!(std::fabs(h1 - h2) >= kMinRegionHeight))
            continue;
        const int lower = h1 < h2 ? i : i + 1;
        const int upper = lower == i ? i + 1 : i;
        const int type = CheckedTypeIndex(TruncateToInt(rowTypes.GetValue(lower)),
                                          std::max(concreteCount, 1),
                                          "An outline row");
        regions.push_back(ConcreteRegionRec{outline.GetDepth(upper),
                                            outline.GetDepth(lower),
                                            outline.GetValue(upper),
                                            outline.GetValue(lower),
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
    beam.DeleteRegions();
    for (const ConcreteRegionRec& r : regions)
        beam.AddRegion(r, 0);
    beam.UpdateExtents();
    beam.RecogniseShape();
    return 1;
}
