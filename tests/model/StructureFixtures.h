#pragma once
// Builders for structures in memory, shared by the section-model tests.

#include <cmath>
#include <memory>
#include <string>

#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "model/TStructure.h"

namespace fixtures {

// pi as the model uses it, for hand calculations of bar areas and perimeters.
inline constexpr double kPi = kModelPi;

inline double BarArea(double db)
{
    return kPi * db * db / 4.0;
}

// A layer of num bars of diameter db at elevation z.
inline LongLayerRec Layer(double z, int num, double db, const std::string& name = "L")
{
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.z = z;
    layer.num = num;
    layer.db = db;
    layer.Ai = BarArea(db);
    layer.A = num * layer.Ai;
    layer.name = name;
    return layer;
}

// A layer of num bars of area Ai each, their diameter that of the area.
inline LongLayerRec LayerOfArea(double z, int num, double Ai, const std::string& name = "L")
{
    LongLayerRec layer = Layer(z, num, std::sqrt(4.0 * Ai / kPi), name);
    layer.Ai = Ai;
    layer.A = num * Ai;
    return layer;
}

// The layer named name of num bars of area Ai each at elevation z, their diameter that of the
// area, on the pattern of kind `pattern` in slot index: nround bars in all, one of them on the
// vertical axis when aligned is 1 (a ring).
inline LongLayerRec Bars(const std::string& name,
                         double z,
                         int num,
                         double Ai,
                         int pattern = kPlainLayer,
                         int index = 0,
                         int nround = 0,
                         int aligned = 0)
{
    LongLayerRec layer = LayerOfArea(z, num, Ai, name);
    layer.pattern = pattern;
    layer.index = index;
    layer.nround = nround;
    layer.aligned = aligned;
    return layer;
}

// A stirrup layer of bar diameter db reaching from distbot to disttop, spaced s along the
// member, with A the area of all its legs.
inline TransLayerRec
Stirrup(double distbot, double disttop, double db, double s, double A, int pattern = 2)
{
    TransLayerRec layer;
    InitTransLayerRec(layer);
    layer.distbot = distbot;
    layer.disttop = disttop;
    layer.db = db;
    layer.Ai = BarArea(db);
    layer.A = A;
    layer.space = s;
    layer.pattern = pattern;
    layer.name = "S";
    return layer;
}

// A steel type of yield strength fy and ultimate strength fu.
inline SteelTypeRec Steel(double fy, double fu, const std::string& name = "S")
{
    SteelTypeRec steel;
    InitSteelTypeRec(steel);
    steel.fy = fy;
    steel.fu = fu;
    steel.name = name;
    return steel;
}

// One concrete type (f'c 35 MPa, 19 mm aggregate) and a rectangle width x height with its
// bottom at elevation bottom.
inline void Rectangle(TStructure& s, double width, double height, double bottom = 0.0)
{
    double strength = 35e6;
    s.AddConcreteTypeFromStrength(strength, "Concrete 1");
    s.AddRegion(bottom + height, bottom, width, width, 0, 1);
}

// A bare structure that follows the membrane rules (kind 0) with two longitudinal and two
// pattern directions of ten slots.
class MembraneLike : public TStructure {
public:
    MembraneLike()
    {
        SetKind(kKindShell);
        InitEmpty();
    }
    int GetPatternCapacity() const override { return 10; }
    int GetPatternDirectionCount() const override { return 2; }
    int GetLongDirectionCount() const override { return 2; }
};

// A 400 x 600 mm beam of the default materials with one layer "Bottom" of 3 bars of area Ai,
// 50 mm above its bottom.
inline std::unique_ptr<TBeam> BeamWithBottomBars(double Ai)
{
    auto beam = std::make_unique<TBeam>();
    beam->NewDefault();
    beam->AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
    beam->DeleteLongLayers(0);
    beam->AddLongLayer(Bars("Bottom", beam->GetBottom() + 0.05, 3, Ai), 0);
    return beam;
}

// That beam with bars of 100 mm^2, one bar naming circular pattern slot 30 (a beam has slots 0
// to 29) at 100 mm and a complete ring of four bars, not aligned, about 300 mm: two layers of two
// bars at 250 and 350 mm, on a circle of radius 50 sqrt 2 mm. 8 bars: 800 mm^2 in four layers.
inline std::unique_ptr<TBeam> SlotThirtyBeam()
{
    constexpr double kBar = 100e-6;
    auto beam = BeamWithBottomBars(kBar);
    const double bottom = beam->GetBottom();
    beam->AddLongLayer(Bars("Odd", bottom + 0.10, 1, kBar, kCircularPattern, 30, 2, 1), 0);
    beam->AddLongLayer(Bars("Ring1", bottom + 0.25, 2, kBar, kCircularPattern, 0, 4, 0), 0);
    beam->AddLongLayer(Bars("Ring", bottom + 0.35, 2, kBar, kCircularPattern, 0, 4, 0), 0);
    return beam;
}

} // namespace fixtures
