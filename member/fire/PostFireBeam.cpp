// Building the post-fire beam from a finished fire model.

#include "member/fire/PostFireBeam.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "files/xml/DocumentGivesBack.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "member/fire/FireLaws.h"
#include "member/fire/TFireAnalysis.h"
#include "member/fire/TStructureSlots.h"
#include "model/ElementText.h"
#include "model/MaterialsAsKept.h"
#include "model/TBeam.h"
#include "model/ValueLimits.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"
#include "model/shapes/SectionShape.h"

namespace {

// A region holds a height within this of its top or bottom.
constexpr double kRegionTolerance = 0.0001;
constexpr double kConcreteStrainStep = -0.0002;
constexpr double kSteelStrainStep = 0.0001;
// Temperature rise to thermal strain (per degree C).
constexpr double kThermalExpansion = 1e-5;
constexpr const char* kNameSuffix = " - After Fire";
constexpr const char* kNext = " Next";
// The share of the largest strain kept that a stirrup's stretched strains reach at most: they
// must stay held through rounding and the steel check (which may add a micro-strain to eu, and
// resets a strand's rupture strain beyond its largest).
constexpr double kHeldStrainShare = 0.999;

double TemperatureAt(const TBeam& beam, const TFireAnalysis_Base& model, double x, double z)
{
    return model.GetTemperature(z - beam.GetBottom(), std::min(std::fabs(x), beam.GetHeight()));
}

// Distance from the centre line of strip s at height y.
double StripDistance(const TBeam& beam, double y, int s)
{
    const double z = beam.GetWidthAt(y) * 0.5 * (s + 0.5) / kFireStrips;
    return std::min(z, beam.GetHeight());
}

// The concrete of the beam's region that holds y (the last such region in region order),
// prepared so that its peak strain is a strain; a blank concrete when the beam has none.
ConcreteTypeRec BandBaseConcrete(const TBeam& beam, double y)
{
    int type = 0;
    for (int r = 0; r < beam.GetRegionCount(); ++r) {
        const ConcreteRegionRec& region = *beam.GetRegion(r);
        if ((region.top >= y && y >= region.bottom) ||
            std::fabs(y - region.top) < kRegionTolerance ||
            std::fabs(y - region.bottom) < kRegionTolerance)
            type = region.concreteType;
    }
    ConcreteTypeRec base;
    InitConcreteTypeRec(base);
    if (type >= 0 && type < beam.GetConcreteTypeCount())
        base = *beam.GetConcreteType(type);
    else if (beam.GetConcreteTypeCount() > 0)
        base = *beam.GetConcreteType(0);
    PrepareConcreteType(base);
    return base;
}

// The base concrete with its strength reduced by fs and its peak strain raised by fe.
ConcreteTypeRec StripConcrete(const ConcreteTypeRec& base, double fs, double fe)
{
    ConcreteTypeRec strip;
    InitConcreteTypeRec(strip);
    strip.baseCurve = base.baseCurve;
    strip.tensionStiffening = base.tensionStiffening;
    if (base.baseCurve == BaseCurveCode::UserDefined && base.userCurve) {
        auto curve = std::make_unique<TDepthTable>(*base.userCurve);
        curve->ScaleValues(fs);
        curve->ScaleDepths(fe);
        strip.userCurve.reset(std::move(curve));
    } else {
        strip.fc = base.fc * fs;
        strip.ec = base.ec * fe;
        strip.ecAuto = 0;
    }
    PrepareConcreteType(strip);
    return strip;
}

// The base steel with its strength reduced by kfy and its stiffness by kE; its strains
// stretched by `stretch` (1 / kE but where a stirrup's would run away, see StirrupStretch); the
// Ramberg-Osgood B is multiplied by bFactor (kE / kfy for the bars of a layer, 1 / kE for a
// stirrup).
SteelTypeRec
ReducedSteel(const SteelTypeRec& base, double kfy, double kE, double stretch, double bFactor)
{
    SteelTypeRec bar = base;
    bar.userCurve.reset();
    bar.fy *= kfy;
    bar.fu *= kfy;
    bar.Es *= kE;
    bar.esh *= stretch;
    bar.eu *= stretch;
    bar.er *= stretch;
    bar.A *= kE;
    bar.C *= kE;
    bar.B *= bFactor;
    return bar;
}

// The factor on a stirrup steel's strains: 1 / kE, as far as the last strain of its law (the
// rupture strain; for a strand, which ruptures at its strain at peak, no further than
// kMaxStrandRuptureStrain, beyond which the check takes it for no value and resets it) stays
// within the largest strain a section holds. Past that the stretch would only describe a steel
// that has lost all its strength, which kMinStirrupFireFactor already holds at a thousandth;
// unbounded it reaches strains no document keeps (GFRP above 400 degrees: 1000 times the cold
// ones). The strains keep their proportions.
double StirrupStretch(const SteelTypeRec& base, double kE)
{
    const double largest =
        kHeldStrainShare * (base.kind == SteelKind::Prestressing ? kMaxStrandRuptureStrain
                                                                 : LargestSectionValue(ukStrain));
    const double reach = std::max({base.esh, base.eu, base.er});
    const double stretch = 1.0 / kE;
    return reach * stretch > largest ? std::max(1.0, largest / reach) : stretch;
}

// A curve pair as the document, written in the active unit system, keeps it: the values derived
// from a post-fire curve (a steel's modulus and yield point) are then those its document gives
// back when it is opened, and saving that writes the same text again.
void AddAsKept(TDepthTable& curve, double strain, double stress)
{
    curve.Add(AsDocumentKeepsIt(strain, ukStrain, &g_UnitSystem),
              AsDocumentKeepsIt(stress, ukStress, &g_UnitSystem));
}

// The post-fire curves are material curves: the analysis applies the resistance factors to
// them, so they are built with the factors at 1 (else the factors would count twice).
class UnfactoredLaws {
public:
    UnfactoredLaws() : m_saved(g_ResistanceFactors) { g_ResistanceFactors = ResistanceFactors(); }
    ~UnfactoredLaws() { g_ResistanceFactors = m_saved; }
    UnfactoredLaws(const UnfactoredLaws&) = delete;
    UnfactoredLaws& operator=(const UnfactoredLaws&) = delete;

private:
    ResistanceFactors m_saved;
};

} // namespace

ConcreteRegionRec MakeFireBandRegion(const TBeam& beam, int k, double yTop, double yBottom)
{
    ConcreteRegionRec region;
    region.top = yTop;
    region.bottom = yBottom;
    region.topWidth = beam.GetWidthAtSide(yTop, 1);
    region.bottomWidth = beam.GetWidthAtSide(yBottom, 0);
    region.concreteType = static_cast<int16_t>(k);
    return region;
}

ConcreteTypeRec
MakeFireLayerConcrete(const TBeam& beam, const TFireAnalysis_Base& model, int k, double y)
{
    const UnfactoredLaws unfactored;
    const ConcreteTypeRec base = BandBaseConcrete(beam, y);
    std::array<double, kFireConcretePoints> stress{};
    double tensileStrength = 0.0;
    for (int s = 0; s < kFireStrips; ++s) {
        const double T = model.GetTemperature(y - beam.GetBottom(), StripDistance(beam, y, s));
        const ConcreteTypeRec strip =
            StripConcrete(base, ConcreteStrengthFactor(T), ConcretePeakStrainFactor(T));
        tensileStrength += ConcreteStiffnessFactor(T) * base.ft / kFireStrips;
        for (int i = 0; i < kFireConcretePoints; ++i) {
            double fp = 0.0;
            const PrincipalStrains e{0.0, kConcreteStrainStep * i, 0.0};
            stress[i] += ConcreteStress(strip, e, 2, fp, 0.0, 500.0) / kFireStrips;
        }
    }
    auto curve = std::make_unique<TDepthTable>("fire concrete");
    for (int i = 0; i < kFireConcretePoints; ++i)
        AddAsKept(*curve, kConcreteStrainStep * i, stress[i]);
    curve->Sort(1);
    FinishUserCurve(*curve);

    ConcreteTypeRec band;
    InitConcreteTypeRec(band);
    band.ft = tensileStrength;
    band.ftAuto = 0;
    band.ecAuto = 0;
    band.name = StrPrintf("Lay: %d", k + 1);
    band.userCurve.reset(std::move(curve));
    band.baseCurve = BaseCurveCode::UserDefined;
    band.tensionStiffening = base.tensionStiffening;
    PrepareConcreteType(band);
    return band;
}

SteelTypeRec
MakeFireLayerSteel(const TBeam& beam, const TFireAnalysis_Base& model, int i, int rebarFireType)
{
    const UnfactoredLaws unfactored;
    std::array<double, kFireSteelPoints> stress{};
    const LongLayerRec* layer = beam.GetLongLayer(i, 0);
    const SteelTypeRec* base = layer != nullptr && layer->type >= 0 &&
                                       layer->type < beam.GetSteelTypeCount()
                                   ? beam.GetSteelType(layer->type)
                                   : nullptr;
    const int bars = layer != nullptr ? layer->num : 0;
    // A layer holds at most as many bars as the pages take and a document keeps (those of the
    // largest pattern); a count beyond it (an older file) is taken at that many positions spread
    // over the layer's bars.
    const int samples = std::min(bars, kMaxBarsPerPattern);
    for (int k = 0; base != nullptr && k < samples; ++k) {
        const int b = samples == bars ? k
                                      : static_cast<int>(static_cast<long long>(k) * (bars - 1) /
                                                         std::max(samples - 1, 1));
        double x = 0.0;
        double z = layer->z;
        beam.GetLongBarPosition(i, b, x, z);
        const double T = TemperatureAt(beam, model, x, z);
        const double kfy = SteelStrengthFactor(T, rebarFireType);
        const double kE = SteelStiffnessFactor(T, rebarFireType);
        // A bar that has lost all its strength or stiffness carries nothing (its reduced
        // strains would be infinite).
        if (!(kfy > 0.0 && kE > 0.0))
            continue;
        // The curve ends at 0.3, far below where a stretch of the strains could run away.
        const SteelTypeRec bar = ReducedSteel(*base, kfy, kE, 1.0 / kE, kE / kfy);
        for (int j = 0; j < kFireSteelPoints; ++j) {
            const double s = SteelStress(bar, kSteelStrainStep * j, 0.0);
            if (s < 1e30)
                stress[j] += s / samples;
        }
    }
    auto curve = std::make_unique<TDepthTable>("fire steel");
    int count = kFireSteelPoints;
    // The points past rupture go; the first three always stay.
    while (count > 3 && stress[count - 1] == 0.0)
        --count;
    for (int j = 0; j < count; ++j)
        AddAsKept(*curve, kSteelStrainStep * j, stress[j]);
    FinishUserCurve(*curve);

    SteelTypeRec steel;
    InitSteelTypeRec(steel);
    steel.name = StrPrintf("Lay: %d", i + 1);
    steel.userCurve.reset(std::move(curve));
    steel.kind = SteelKind::UserCurve;
    CheckSteelType(steel, false);
    return steel;
}

SteelTypeRec
MakeFireStirrupSteel(const TBeam& beam, const TFireAnalysis_Base& model, int i, int rebarFireType)
{
    const TransLayerRec* layer = beam.GetTransLayer(i, 2);
    SteelTypeRec base;
    InitSteelTypeRec(base);
    if (layer != nullptr && layer->type >= 0 && layer->type < beam.GetSteelTypeCount())
        base = *beam.GetSteelType(layer->type);
    double hottest = 0.0;
    for (int p = 0; layer != nullptr && p < 10; ++p) {
        const double t = p / 9.0;
        double x = 0.0;
        double z = layer->distbot + (layer->disttop - layer->distbot) * t;
        beam.GetTransLegPosition(i, t, x, z);
        hottest = std::max(hottest, TemperatureAt(beam, model, x, z));
    }
    const double kfy = std::max(SteelStrengthFactor(hottest, rebarFireType), kMinStirrupFireFactor);
    const double kE = std::max(SteelStiffnessFactor(hottest, rebarFireType), kMinStirrupFireFactor);
    SteelTypeRec steel = ReducedSteel(base, kfy, kE, StirrupStretch(base, kE), 1.0 / kE);
    if (steel.kind == SteelKind::UserCurve) {
        // Without a curve the check would give the default curve at full strength: the
        // reduced type takes the elastic-plastic curve of its reduced values instead.
        auto curve = std::make_unique<TDepthTable>("fire stirrup");
        const double yieldStrain = steel.fy / steel.Es;
        AddAsKept(*curve, 0.0, 0.0);
        AddAsKept(*curve, yieldStrain, steel.fy);
        AddAsKept(*curve, std::max(steel.eu, yieldStrain + kSteelStrainStep), steel.fy);
        FinishUserCurve(*curve);
        steel.userCurve.reset(std::move(curve));
    }
    steel.name = StrPrintf("Stirrup: %d", i + 1);
    CheckSteelType(steel, false);
    return steel;
}

FireStrainProfile ComputeFireStrainProfile(const TBeam& beam, const TFireAnalysis_Base& model)
{
    FireStrainProfile profile{};
    for (int k = 0; k < kFireStrainEntries; ++k) {
        const int m = (k + 1) / 2;
        const double y = beam.GetBottom() + beam.GetHeight() * m / kFireStrainHeights;
        double rise = 0.0;
        for (int s = 0; s < kFireStrips; ++s) {
            const double z = StripDistance(beam, y, s);
            rise += model.GetTemperature(y - beam.GetBottom(), z) - FireStartTemperature;
        }
        profile[k] = rise / kFireStrips * kThermalExpansion;
    }
    return profile;
}

std::string PostFireBeamName(const std::string& sourceName, const TStructureSlots& slots)
{
    std::string suffix = kNameSuffix;
    for (;;) {
        const std::size_t room = kBeamNameChars - std::min(kBeamNameChars, suffix.size() + 2);
        const std::string name = "Z " + BoundedCopy(sourceName, room) + suffix;
        if (!StructureNameExists(slots, name) || name.size() > kBeamNameChars)
            return BoundedCopy(name, kBeamNameChars);
        suffix += kNext;
    }
}

std::unique_ptr<TBeam> BuildPostFireBeam(const TBeam& beam,
                                         const TFireAnalysis_Base& model,
                                         int bandCount,
                                         const FireData& fire,
                                         const TStructureSlots& slots)
{
    auto copy = std::make_unique<TBeam>(beam);
    // The copy is a new structure: an analysis that holds the source frozen does not hold it.
    copy->SetFrozen(0);
    copy->SetName(PostFireBeamName(beam.GetName(), slots));
    // Its bands are an outline of their own, no library shape: a shape kept from the source
    // would rebuild the source's concrete over the bands at the cross-section sheet's OK.
    copy->SetShapeType(kUserShapeCode);
    for (int k = 1; k <= kBeamShapeParamCount; ++k)
        copy->SetShapeParameter(0.0, k);

    // Every value the fire gives the copy is the one its document gives back, so that the
    // session's post-fire beam and the one a new session opens are the same section. Heights
    // are kept from the section bottom, as the document writes them; validation then moves
    // the copy to its datum as it moves the beam read.
    const int* units = &g_UnitSystem;
    const double bottom = beam.GetBottom();
    const auto height = [&](double y) {
        return AsDocumentKeepsIt(y - bottom, ukSectionLength, units);
    };
    const auto length = [&](double w) { return AsDocumentKeepsIt(w, ukSectionLength, units); };

    copy->DeleteRegions();
    copy->DeleteConcreteTypes();
    const int bands = bandCount - 1;
    const double depth = beam.GetHeight();
    double yBottom = bottom;
    for (int k = 0; k < bands; ++k) {
        const double yTop = bottom + depth * (k + 1) / bands;
        copy->AddConcreteType(
            ConcreteAsDocumentKeepsIt(MakeFireLayerConcrete(beam, model, k, (yTop + yBottom) / 2.0),
                                      units));
        ConcreteRegionRec region = MakeFireBandRegion(beam, k, yTop, yBottom);
        region.top = height(region.top);
        region.bottom = height(region.bottom);
        region.topWidth = length(region.topWidth);
        region.bottomWidth = length(region.bottomWidth);
        copy->InsertRegion(region, 0, 1);
        yBottom = yTop;
    }

    copy->DeleteLongLayers(0);
    copy->DeleteSteelTypes();
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        LongLayerRec layer = *beam.GetLongLayer(i, 0);
        layer.type = i;
        layer.z = height(layer.z);
        copy->AddLongLayer(layer, 0);
        copy->AddSteelType(
            SteelAsDocumentKeepsIt(MakeFireLayerSteel(beam, model, i, fire.rebarperform), units));
    }
    copy->DeleteTransLayers(2);
    for (int i = 0; i < beam.GetTransLayerCount(2); ++i) {
        TransLayerRec layer = *beam.GetTransLayer(i, 2);
        layer.type = copy->GetSteelTypeCount();
        layer.disttop = height(layer.disttop);
        layer.distbot = height(layer.distbot);
        copy->AddTransLayer(layer, 2);
        copy->AddSteelType(
            SteelAsDocumentKeepsIt(MakeFireStirrupSteel(beam, model, i, fire.rebarperform), units));
    }
    for (TDepthTable* table : {&copy->GetPositionVariable(kShrinkTherm),
                               &copy->GetPositionVariable(kCreepX),
                               &copy->GetPositionVariable(kCreepY),
                               &copy->GetStrainDiscontinuityTable()}) {
        TDepthTable kept(table->GetName());
        for (int i = 0; i < table->GetCount(); ++i)
            kept.Add(height(table->GetDepth(i)),
                     AsDocumentKeepsIt(table->GetValue(i), ukStrain, units));
        *table = kept;
    }

    if (beam.GetMomentAxis() >= kCentroidalAxis)
        copy->SetMomentAxis(beam.GetMomentAxis());
    copy->SetFireData(fire.exposure, fire.type, fire.rebarperform, fire.time, fire.constanttemp);
    copy->Validate();
    // The beam as its document, saved in the active unit system, opens in a new session.
    KeepAsDocumentGivesBack(*copy, g_UnitSystem);
    return copy;
}
