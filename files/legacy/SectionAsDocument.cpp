#include "files/legacy/SectionAsDocument.h"

#include <algorithm>
#include <cstdint>

#include "files/legacy/HeldLayers.h"
#include "foundation/ReportText.h"
#include "foundation/StrFormat.h"
#include "model/ModelHelpers.h"
#include "model/TBeam.h"
#include "model/TStructure.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionShape.h"

namespace {

// The code, or the fallback (logged) when it lies outside 0 to highest.
void HoldCode(std::int16_t& code,
              int highest,
              std::int16_t fallback,
              const char* what,
              int type,
              const std::string& name)
{
    if (code >= 0 && code <= highest)
        return;
    AddLoadError(
        StrPrintf("Concrete type %d (\"%s\") has %s code %d, which does not exist; code %d is used",
                  type + 1,
                  name.c_str(),
                  what,
                  code,
                  fallback));
    code = fallback;
}

} // namespace

void HoldConcreteModelCodes(TStructure& s)
{
    for (int t = 0; t < s.GetConcreteTypeCount(); ++t) {
        ConcreteTypeRec& c = *s.GetConcreteType(t);
        HoldCode(c.baseCurve, kHighestBaseCurve, BaseCurveCode::Popovics, "base curve", t, c.name);
        HoldCode(c.softening,
                 kHighestSoftening,
                 SofteningCode::HawmereKelst2011,
                 "compression softening",
                 t,
                 c.name);
        HoldCode(c.tensionStiffening,
                 kHighestTensionStiffening,
                 TensionStiffeningCode::Kelst1999,
                 "tension stiffening",
                 t,
                 c.name);
    }
}

void HoldSteelKind(SteelTypeRec& s, int type)
{
    if (s.kind == SteelKind::Reinforcing || s.kind == SteelKind::Prestressing ||
        s.kind == SteelKind::UserCurve)
        return;
    AddLoadError(StrPrintf(
        "Steel type %d (\"%s\") is of kind %d, which does not exist; it is read as a bar (kind %d)",
        type + 1,
        s.name.c_str(),
        static_cast<int>(s.kind),
        static_cast<int>(SteelKind::Reinforcing)));
    s.kind = SteelKind::Reinforcing;
}

namespace {

// Gives the outline the depths its document holds, heights above its bottom: a depth that
// differs from another by less than those heights keep is read back as that other one.
void HoldOutlineDepths(TStructure& s)
{
    if (s.GetRegionCount() == 0)
        return;
    double bottom = s.GetRegion(0)->bottom;
    for (int i = 1; i < s.GetRegionCount(); ++i)
        bottom = std::min(bottom, s.GetRegion(i)->bottom);
    for (int i = 0; i < s.GetRegionCount(); ++i) {
        ConcreteRegionRec& r = *s.GetRegion(i);
        r.top = bottom + (r.top - bottom);
        r.bottom = bottom + (r.bottom - bottom);
    }
}

} // namespace

void HoldShape(TBeam& beam)
{
    const int code = beam.GetSectionKindCode();
    const std::string name = beam.GetShapeName();
    // A document carries no count of void regions, and a count that is not 0 keeps the outline
    // from being recognised: the recognition runs without it, and the count is kept as read.
    const int voids = beam.GetVoidRegionCount();
    beam.SetRegionCompanionCounts(beam.GetOutlineRegionCount(), 0);
    HoldOutlineDepths(beam);
    if (code != kUserShapeCode) {
        beam.SetShapeType(kUserShapeCode);
        if (code != kStandardTypeCode)
            beam.SetShapeName(name);
    }
    beam.RecogniseShape();
    beam.SetRegionCompanionCounts(beam.GetOutlineRegionCount(), voids);
    if (code == kStandardTypeCode && beam.GetSectionKindCode() == kUserShapeCode) {
        beam.SetShapeType(code);
        beam.SetShapeName(name);
    }
}

std::string UnheldReadySectionText(const TStructure& s)
{
    if (const LegacyReadResult held = CheckHeldLayers(s, 0); !held.IsRead())
        return held.message;
    return DescribeUndefinedConcreteType(s);
}
