#pragma once
// Material types and sections the material chart tests draw with, and a measure of labels by
// hand (7 pixels a character, 10 high).

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"
#include "views/DiagramPlan.h"

namespace material_samples {

inline constexpr double kMPa = 1e6;

inline const PlanMeasure kFixed = [](std::string_view text, const plat::LogFont&) {
    return plat::Size{7 * static_cast<int>(text.size()), 10};
};

// A prepared concrete type of cylinder strength fcMPa (MPa) peaking at strain ec (kept, not
// derived from the strength).
inline ConcreteTypeRec Concrete(const std::string& name, double fcMPa, double ec)
{
    ConcreteTypeRec r;
    r.name = name;
    r.fc = -fcMPa * 1e6;
    r.ec = ec;
    r.ecAuto = 0;
    PrepareConcreteType(r);
    return r;
}

inline SteelTypeRec Bar(const std::string& name, double fyMPa)
{
    SteelTypeRec r;
    r.kind = SteelKind::Reinforcing;
    r.fy = fyMPa * kMPa;
    CheckSteelType(r, true); // 200 GPa, hardening from 7 to 100 mm/m up to 1.5 fy
    r.name = name;
    return r;
}

inline SteelTypeRec Strand(const std::string& name)
{
    SteelTypeRec r;
    r.kind = SteelKind::Prestressing;
    r.fy = 1860 * kMPa;
    CheckSteelType(r, true);
    r.name = name;
    return r;
}

// A 300 x 600 section of the given concrete types (the first over 400 mm, the second, when
// given, over the top 200 mm), with a layer of each steel type.
inline std::unique_ptr<TBeam> Section(const std::vector<ConcreteTypeRec>& concrete, const std::vector<SteelTypeRec>& steel)
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    for (const ConcreteTypeRec& c : concrete)
        beam->AddConcreteType(c);
    beam->AddRegion(0.3, concrete.size() > 1 ? -0.1 : -0.3, 0.3, 0.3, 0, 1);
    if (concrete.size() > 1)
        beam->AddRegion(-0.1, -0.3, 0.3, 0.3, 1, 1);
    for (std::size_t i = 0; i < steel.size(); ++i) {
        beam->AddSteelType(steel[i]);
        LongLayerRec layer;
        layer.z = -0.25 + 0.02 * static_cast<double>(i), layer.num = 2, layer.Ai = 1e-4, layer.A = 2e-4;
        layer.db = 0.012, layer.type = static_cast<int>(i), layer.name = "L";
        beam->AddLongLayer(layer, 0);
    }
    return beam;
}

// A steel given by its own curve, of points (strain, stress in MPa).
inline SteelTypeRec UserCurveSteel(const std::string& name, const std::vector<std::pair<double, double>>& points)
{
    SteelTypeRec r = Bar(name, points[1].second);
    r.kind = SteelKind::UserCurve;
    r.userCurve = UserCurvePtr(std::make_unique<TDepthTable>());
    for (const auto& [e, f] : points)
        r.userCurve->Add(e, f * kMPa);
    FinishUserCurve(*r.userCurve);
    return r;
}

} // namespace material_samples
