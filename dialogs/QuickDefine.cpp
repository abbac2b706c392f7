#include "dialogs/QuickDefine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/DecimalPoint.h"
#include "foundation/DateTime.h"
#include "foundation/NameText.h"
#include "foundation/Reporter.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/DefaultAuthor.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/SteelLaws.h"
#include "model/shapes/ShapeLibrary.h"

TQuickDefData g_QuickDefData;

namespace {

// The width the outline gives a point of zero width (m), and a little more.
constexpr double kNoWidth = 0.00011;

constexpr double kPi = 3.141592653589;
constexpr double kMinBarArea = 1e-8;       // m^2
constexpr double kMinBarDiameter = 0.0001; // m
constexpr double kStrandRowPitch = 0.0508; // m between strand rows
constexpr double kShapeDimTolerance = 0.0001;
constexpr double kSlabStrengthTolerance = 1e5; // Pa
constexpr double kStrandStrength = 1.86e9;     // Pa
constexpr int kLongX = 0;
constexpr int kTransZ = 2;
constexpr int kTransSteelType = 1;

double PsiToPa(double psi) { return psi / UnitFactor(ukStress, kUnitUS); }

std::string Numbered(const char* stem, int number)
{
    char text[64];
    DecimalSnprintf(text, sizeof text, "%s%d", stem, number);
    return text;
}

TShape* LibraryShape(int code)
{
    if (code < 0 || code >= kShapeTableSize)
        return nullptr;
    return ShapeTable[static_cast<std::size_t>(code)].get();
}

TStandard* CatalogueShape(int index)
{
    if (index < 0 || index >= kShapeTableSize)
        return nullptr;
    return StandardTable[static_cast<std::size_t>(index)].get();
}

double Width(const TBeam& beam, double y) { return beam.GetWidthAtSide(y, 0); }

// The inside face of the first stirrup layer from below (bottom) or above (top), and the
// stirrup diameter; without stirrups the face lies at the cover and the diameter is the least.
bool FirstStirrup(const TBeam& beam, double& bottom, double& top, double& ds)
{
    if (beam.GetTransLayerCount(kTransZ) <= 0) {
        ds = kMinBarDiameter;
        return false;
    }
    const TransLayerRec& s = *beam.GetTransLayer(0, kTransZ);
    ds = s.db;
    bottom = s.distbot + s.db / 2;
    top = s.disttop - s.db / 2;
    return true;
}

void AddQuickBarLayer(TBeam& beam,
                      int barIndex,
                      double area,
                      double depth,
                      const std::string& name,
                      int count,
                      double prestrain,
                      int steelType)
{
    LongLayerRec layer;
    ResolveBarSize(barIndex, area, layer.db, layer.Ai);
    layer.z = depth;
    layer.num = count;
    layer.A = count * layer.Ai;
    layer.drape = 0.0;
    layer.bartitle = barIndex >= 0 ? g_RebarList.GetName(barIndex) : std::string();
    layer.barIndex = barIndex;
    layer.dep = prestrain;
    layer.type = steelType;
    layer.name = name;
    beam.AddLongLayer(layer, kLongX);
}

void AddQuickStirrupLayer(TBeam& beam,
                          const TQuickDefData& q,
                          int legs,
                          int pattern,
                          double y1,
                          double y2,
                          const std::string& name)
{
    TransLayerRec layer;
    ResolveBarSize(q.stirrupBar, q.stirrupArea, layer.db, layer.Ai);
    layer.A = legs * layer.Ai;
    layer.angle = kPi / 2;
    layer.legs = legs;
    layer.bartitle = q.stirrupBar >= 0 ? g_RebarList.GetName(q.stirrupBar) : std::string();
    layer.barIndex = q.stirrupBar;
    layer.dep = 0.0;
    layer.type = kTransSteelType;
    layer.pattern = pattern;
    layer.disttop = std::max(y1, y2);
    layer.distbot = std::min(y1, y2);
    layer.space = q.stirrupSpacing;
    layer.name = name;
    beam.AddTransLayer(layer, kTransZ);
}

// Bars of one ring: a layer per depth, one bar at the top and bottom of the ring, two
// elsewhere, all members of pattern group `group`.
void PlaceRing(TBeam& beam,
               int barIndex,
               double area,
               int n,
               double yc,
               double r,
               const char* stem,
               int group)
{
    const double step = 2 * kPi / n;
    for (int i = 0; i * step - kPi <= 0.01; ++i) {
        const double a = i * step;
        const int bars = (a == 0.0 || std::fabs(a - kPi) < 0.01) ? 1 : 2;
        const std::string name = i == 0 ? std::string(stem) : Numbered(stem, i);
        AddQuickBarLayer(beam, barIndex, area, yc + r * std::cos(a), name, bars, 0.0, 0);
        beam.SetLongLayerPattern(beam.GetLongLayerCount(kLongX) - 1, group, 1, n, 1, kLongX);
    }
}

// Bars across a row at depth y: about one bar per two diameters of the width inside the
// cover and stirrups, at least one.
int RowCapacity(const TBeam& beam, double y, double cov, double ds, double db)
{
    const double w = Width(beam, y);
    return std::max(1, ClampToInt(((w - 2 * cov - 2 * ds) / db + 1) * 0.5));
}

void BuildBottomBars(TBeam& beam, const TQuickDefData& q, int layout)
{
    if (q.bottomCount <= 0)
        return;
    double db = 0.0, area = 0.0;
    ResolveBarSize(q.bottomBar, q.bottomArea, db, area);
    const double cov = q.cover;
    double ds = 0.0, faceBottom = 0.0, faceTop = 0.0;
    const double y0 = FirstStirrup(beam, faceBottom, faceTop, ds) ? faceBottom : q.sectionBottom + cov;
    double y = y0 + db / 2;
    const double mid = (q.sectionTop + q.sectionBottom) / 2;
    if (layout == QuickLayout::OneRing || layout == QuickLayout::TwoRings) {
        double r = 0.0, yc = 0.0;
        if (layout == QuickLayout::OneRing) {
            const double R0 = (y - q.sectionBottom) + ds + 0.05 + db;
            r = std::min(Width(beam, mid) / 2 - R0, q.sectionHeight / 2 - R0);
            yc = mid;
        } else {
            const double R = cov + ds + db / 2;
            r = std::min(Width(beam, mid) / 2 - R, q.sectionHeight / 2 - R);
            yc = q.sectionBottom + R + r;
        }
        PlaceRing(beam, q.bottomBar, q.bottomArea, q.bottomCount, yc, r,
                  layout == QuickLayout::OneRing ? "inner" : "lower", 2);
        return;
    }
    int left = q.bottomCount;
    bool first = true;
    while (left > 0) {
        const int take = std::min(RowCapacity(beam, y, cov, ds, db), left);
        const std::string name =
            first ? std::string("bot") : Numbered("bot", beam.GetLongLayerCount(kLongX) + 1);
        AddQuickBarLayer(beam, q.bottomBar, q.bottomArea, y, name, take, 0.0, 0);
        left -= take;
        first = false;
        y += 2 * db;
    }
}

void BuildTopBars(TBeam& beam, const TQuickDefData& q, int layout)
{
    if (q.topCount <= 0)
        return;
    double db = 0.0, area = 0.0;
    ResolveBarSize(q.topBar, q.topArea, db, area);
    const double cov = q.cover;
    double ds = 0.0, faceBottom = 0.0, faceTop = 0.0;
    const double start = FirstStirrup(beam, faceBottom, faceTop, ds) ? faceTop : q.sectionTop - cov;
    double y = start - db / 2;
    const double mid = (q.sectionTop + q.sectionBottom) / 2;
    if (layout == QuickLayout::OneRing || layout == QuickLayout::TwoRings) {
        const double R = q.sectionTop - y;
        const double r = std::min(Width(beam, mid) / 2 - R, q.sectionHeight / 2 - R);
        const bool outer = layout == QuickLayout::OneRing;
        PlaceRing(beam, q.topBar, q.topArea, q.topCount, outer ? mid : q.sectionTop - R - r, r,
                  outer ? "outer" : "upper", 1);
        return;
    }
    const bool girder = layout == QuickLayout::Girder;
    const double pitch = girder && q.dim[2] > 0 ? q.dim[2] / 2 : 2 * db;
    int left = q.topCount;
    while (left > 0) {
        const int n = girder ? std::max(1, q.topCount / 2) : RowCapacity(beam, y, cov, ds, db);
        const int take = std::min(n, left);
        const int layers = beam.GetLongLayerCount(kLongX);
        const std::string name = layers == 0 ? std::string("top") : Numbered("top", layers + 1);
        AddQuickBarLayer(beam, q.topBar, q.topArea, y, name, take, 0.0, 0);
        left -= take;
        y -= pitch;
    }
}

void BuildStrandLayers(TBeam& beam, const TQuickDefData& q)
{
    if (q.strandCount <= 0)
        return;
    const int index = g_RebarList.FindByName(QuickStrandName(q.strandKind, g_UnitSystem));
    const double fallback = QuickStrandFallbackArea(q.strandKind);
    double dp = 0.0, area = 0.0;
    ResolveBarSize(index, fallback, dp, area);
    const double cov = q.cover;
    double ds = 0.0, faceBottom = 0.0, faceTop = 0.0;
    const double y0 =
        FirstStirrup(beam, faceBottom, faceTop, ds) ? faceBottom : q.sectionBottom + cov + 5e-05;
    double y = y0 + dp / 2;
    const int steelType = beam.GetSteelTypeCount() - 1;
    int left = q.strandCount;
    bool first = true;
    while (left > 0) {
        const double w = Width(beam, y);
        const int n = std::max(1, ClampToInt((w - 2 * cov - 2 * ds) / kStrandRowPitch + 0.5 + 1.0));
        const int take = std::min(n, left);
        const std::string name =
            first ? std::string("pbot") : Numbered("pbot", beam.GetLongLayerCount(kLongX) + 1);
        AddQuickBarLayer(beam, index, fallback, y, name, take, q.strandPrestrain, steelType);
        left -= take;
        first = false;
        y += kStrandRowPitch;
    }
}

void AddReinforcingType(TBeam& beam, double& fy, const std::string& name)
{
    SteelTypeRec steel;
    steel.kind = SteelKind::Reinforcing;
    steel.fy = std::fabs(fy);
    CheckSteelType(steel, true);
    steel.name = name;
    beam.AddSteelType(steel);
    fy = steel.fy;
}

void AddStrandType(TBeam& beam, int strandKind)
{
    SteelTypeRec steel;
    steel.kind = SteelKind::Prestressing;
    if (strandKind == 2 || strandKind == 4) {
        steel.Es = 2e11;
        steel.fy = steel.fu = kStrandStrength;
        steel.eu = 0.043;
        steel.A = 0.03;
        steel.B = 121.0;
        steel.C = 6.0;
        CheckSteelType(steel, false);
        steel.name = "Relieved";
    } else {
        steel.fy = kStrandStrength;
        CheckSteelType(steel, true);
        steel.name = "Low Relax";
    }
    beam.AddSteelType(steel);
}

// Regions the build keeps (a section of the user's own outline, or one whose shape is no
// longer in the library) named the concrete types the build has just replaced: each takes the
// first type, the concrete of the strength the wizard showed.
void KeepRegionsOfFirstConcrete(TBeam& beam)
{
    for (int i = 0; i < beam.GetRegionCount(); ++i)
        beam.SetRegionConcreteType(i, 0);
}

// Regions, shape code and parameters; answers the reinforcement layout.
int BuildQuickDefineShape(TBeam& beam, TQuickDefData& q)
{
    int layout = QuickLayout::Rows;
    ShapeParams params{};
    std::copy(q.dim.begin(), q.dim.end(), params.begin());
    if (q.shapeCode == kStandardTypeCode) {
        TStandard* standard = CatalogueShape(q.standardIndex);
        if (standard == nullptr)
            KeepRegionsOfFirstConcrete(beam);
        if (standard == nullptr || BuildRegionsFromOutline(*standard, beam, params, 0) == 0)
            beam.SetShapeType(kUserShapeCode);
        const int lastType = beam.GetConcreteTypeCount() - 1;
        bool haunch = false;
        if (q.dim[1] > kShapeDimTolerance) {
            double top = 0.0, width = 0.0;
            FindSectionExtreme(beam, top, width, 1);
            beam.InsertRegion({top + q.dim[1], top, width, width, static_cast<int16_t>(lastType)}, 0, 1);
            haunch = true;
        }
        if (q.dim[2] > kShapeDimTolerance && q.dim[3] > kShapeDimTolerance) {
            double top = 0.0, width = 0.0;
            FindSectionExtreme(beam, top, width, 1);
            beam.InsertRegion({top + q.dim[2], top, q.dim[3], q.dim[3], static_cast<int16_t>(lastType)},
                              0, 1);
        }
        if (haunch)
            beam.SetShapeType(kUserShapeCode);
        layout = QuickLayout::Girder;
    } else if (q.shapeCode != kUserShapeCode) {
        TShape* shape = LibraryShape(q.shapeCode);
        if (shape == nullptr)
            KeepRegionsOfFirstConcrete(beam);
        if (shape == nullptr || BuildRegionsFromOutline(*shape, beam, params, 0) == 0)
            beam.SetShapeType(kUserShapeCode);
        else
            layout = shape->rebarPattern;
    } else {
        KeepRegionsOfFirstConcrete(beam);
    }
    for (int k = 0; k < 6; ++k)
        beam.SetShapeParameter(q.dim[static_cast<std::size_t>(k)], k + 1);
    beam.SetShapeParameter(0.0, 7);
    beam.SetShapeParameter(0.0, 8);
    double width = 0.0;
    FindSectionExtreme(beam, q.sectionTop, width, 1);
    FindSectionExtreme(beam, q.sectionBottom, width, 0);
    q.sectionHeight = q.sectionTop - q.sectionBottom;
    return layout;
}

void BuildStirrups(TBeam& beam, const TQuickDefData& q)
{
    double ds = 0.0, area = 0.0;
    ResolveBarSize(q.stirrupBar, q.stirrupArea, ds, area);
    beam.DeleteTransLayers(kTransZ);
    const double cov = q.cover;
    const double yb = q.sectionBottom + cov + ds / 2;
    const double yt = q.sectionTop - cov - ds / 2;
    // Radius of a hoop: inside the cover at mid-height, and no taller than the stirrup lines.
    const auto hoopRadius = [&] {
        const double w = beam.GetWidthAtSide((yb + yt) / 2, 0);
        return std::min(w / 2 - cov - ds / 2, (yt - yb) / 2);
    };
    switch (q.stirrupKind) {
    case QuickStirrup::SingleLeg:
    case QuickStirrup::THeaded:
        AddQuickStirrupLayer(beam, q, 1, q.stirrupKind, yb, yt, "stirrup");
        break;
    case QuickStirrup::Open:
    case QuickStirrup::Closed:
        AddQuickStirrupLayer(beam, q, 2, q.stirrupKind, yb, yt, "stirrup");
        break;
    case QuickStirrup::Hoop: {
        const double ym = (yb + yt) / 2, r = hoopRadius();
        AddQuickStirrupLayer(beam, q, 2, QuickStirrup::Hoop, ym - r, ym + r, "hoop");
        break;
    }
    case QuickStirrup::Interlocking: {
        const double r = hoopRadius();
        AddQuickStirrupLayer(beam, q, 2, QuickStirrup::Hoop, yt - 2 * r, yt, "top hoop");
        AddQuickStirrupLayer(beam, q, 2, QuickStirrup::Hoop, yb, yb + 2 * r, "Bottom hoop");
        break;
    }
    default:
        break;
    }
}

// The round void of a "HOLLOW" library shape, diameter dim[1] at mid-height of dim[0]: its
// chord is taken off every region width whose depth lies inside it.
void CutHollowVoid(TBeam& beam, const TQuickDefData& q)
{
    const TShape* shape = LibraryShape(q.shapeCode);
    if (q.shapeCode == kStandardTypeCode || shape == nullptr || shape->name != "HOLLOW")
        return;
    const double D = q.dim[1], centre = q.dim[0] / 2;
    const auto chord = [&](double z) {
        const double h = z - q.sectionBottom - centre;
        return (h > -D / 2 && h < D / 2) ? std::sqrt(D * D - 4 * h * h) : 0.0;
    };
    for (int i = 0; i < beam.GetRegionCount(); ++i) {
        const ConcreteRegionRec r = *beam.GetRegion(i);
        const double top = chord(r.top), bottom = chord(r.bottom);
        if (top > 0.0 || bottom > 0.0)
            beam.ChangeRegionWidths(i, -top, -bottom);
    }
}

TBeam* AsBeam(TStructure& s) { return s.GetKind() == kKindBeam ? static_cast<TBeam*>(&s) : nullptr; }

} // namespace

int QuickBarIndex(const std::string& name)
{
    const int index = g_RebarList.FindByName(name);
    if (index >= 0)
        return index;
    return g_RebarList.Count() > 0 ? 0 : -1;
}

TQuickDefData QuickDefineDefaults(int unitSystem)
{
    TQuickDefData q;
    q.analysedBy = g_DefaultDoneBy.substr(0, kQuickAuthorChars);
    q.standardIndex = g_QuickDefData.standardIndex;
    q.stirrupArea = g_QuickDefData.stirrupArea;
    q.fc = MaterialDefaults.fc;
    q.fyLong = q.fyTrans = MaterialDefaults.fy;
    q.dim = {0.25, 0.6, 0.0, 0.0, 0.0, 0.0};
    q.stirrupSpacing = 0.25;
    if (unitSystem == kUnitUS) {
        q.fc = -PsiToPa(5000.0);
        q.fyLong = q.fyTrans = PsiToPa(60000.0);
        q.dim = {0.254, 0.6096, 0.0, 0.0, 0.0, 0.0};
        q.stirrupSpacing = 0.254;
        q.topBar = QuickBarIndex("#6");
        q.bottomBar = QuickBarIndex("#8");
        q.stirrupBar = QuickBarIndex("#4");
    } else {
        q.topBar = unitSystem == kUnitOldMetric ? (g_RebarList.Count() > 0 ? 0 : -1) : QuickBarIndex("20M");
        q.bottomBar = QuickBarIndex("25M");
        q.stirrupBar = QuickBarIndex("10M");
    }
    q.strandKind = 1;
    q.isNew = 1;
    q.countsUntouched = 1;
    return q;
}

int QuickDefineLayout(const TQuickDefData& q)
{
    if (q.shapeCode == kStandardTypeCode)
        return QuickLayout::Girder;
    const TShape* shape = LibraryShape(q.shapeCode);
    return shape != nullptr ? shape->rebarPattern : QuickLayout::Rows;
}

int GetQuickDefineNewFlag() { return GetQuickDefineNew(); }

void SetQuickDefineNewFlag(int flag)
{
    SetQuickDefineNew(flag);
    g_QuickDefData.isNew = GetQuickDefineNew();
}

void ResolveBarSize(int index, double area, double& diameter, double& barArea)
{
    if (index == -1) {
        barArea = area;
        diameter = std::sqrt(4 * std::max(area, 0.0) / kPi);
    } else {
        diameter = g_RebarList.GetDiameter(index);
        barArea = g_RebarList.GetArea(index);
    }
    barArea = std::max(barArea, kMinBarArea);
    diameter = std::max(diameter, kMinBarDiameter);
}

void FindSectionExtreme(const TBeam& beam, double& depth, double& width, int topFlag)
{
    bool found = false;
    depth = width = 0.0;
    for (int i = 0; i < beam.GetRegionCount(); ++i) {
        const ConcreteRegionRec& r = *beam.GetRegion(i);
        if (topFlag != 0 && (!found || r.top > depth)) {
            depth = r.top;
            width = r.topWidth;
            found = true;
        } else if (topFlag == 0 && (!found || r.bottom < depth)) {
            depth = r.bottom;
            width = r.bottomWidth;
            found = true;
        }
    }
}

std::string QuickStrandName(int strandKind, int unitSystem)
{
    const bool large = strandKind == 3 || strandKind == 4;
    if (unitSystem == kUnitUS)
        return large ? "S.6" : "S.5";
    return large ? "S15" : "S13";
}

double QuickStrandFallbackArea(int strandKind)
{
    return (strandKind == 3 || strandKind == 4) ? 140e-6 : 99e-6;
}

int ResetQuickDefine(TStructure& beam)
{
    if (GetQuickDefineNew() != 0) {
        g_QuickDefData = QuickDefineDefaults(g_UnitSystem);
        return 1;
    }
    // A bar of neither a catalogue entry nor an area (the record as the program starts, when
    // its first section was read from a file) takes the default bar of the unit system.
    const TQuickDefData defaults = QuickDefineDefaults(g_UnitSystem);
    const auto size = [](int& bar, double& area, int defaultBar) {
        if (bar < 0 && !(area > 0.0))
            bar = defaultBar;
    };
    TQuickDefData& q = g_QuickDefData;
    size(q.topBar, q.topArea, defaults.topBar);
    size(q.bottomBar, q.bottomArea, defaults.bottomBar);
    size(q.stirrupBar, q.stirrupArea, defaults.stirrupBar);
    LoadQuickDefineFromBeam(beam);
    return 1;
}

int LoadQuickDefineFromBeam(TStructure& s)
{
    TBeam* beam = AsBeam(s);
    if (beam == nullptr || !(beam->GetHeight() > 0.0))
        return 0;
    ShowMessage("Quick define has only limited capability for changing a cross section.  Examine "
                "results carefully.",
                "Potential Errors");
    TQuickDefData& q = g_QuickDefData;
    q.title = beam->GetName().substr(0, kQuickTitleChars);
    q.analysedBy = beam->GetDoneBy().substr(0, kQuickAuthorChars);
    if (const ConcreteTypeRec* c = beam->GetConcreteType(beam->GetMainConcreteType()))
        q.fc = c->fc;
    q.fyLong = q.fyTrans = MaterialDefaults.fy;
    if (beam->GetLongLayerCount(kLongX) > 0)
        if (const SteelTypeRec* t = beam->GetSteelType(beam->GetLongLayer(0, kLongX)->type))
            q.fyLong = t->fy;
    if (beam->GetTransLayerCount(kTransZ) > 0)
        if (const SteelTypeRec* t = beam->GetSteelType(beam->GetTransLayer(0, kTransZ)->type))
            q.fyTrans = t->fy;
    for (int k = 0; k < 6; ++k) {
        const double v = beam->GetShapeParameter(k + 1);
        q.dim[static_cast<std::size_t>(k)] = std::fabs(v) < kUndefined ? v : 0.0;
    }
    q.shapeCode = beam->GetSectionKindCode();
    if (q.shapeCode == kStandardTypeCode) {
        int match = -1;
        for (int i = 0; i < std::min(kQuickStandardSlots, kShapeTableSize); ++i) {
            const TStandard* entry = StandardTable[static_cast<std::size_t>(i)].get();
            if (entry != nullptr && entry->name == beam->GetShapeName())
                match = i;
        }
        if (match >= 0) {
            q.standardIndex = match;
        } else {
            q.shapeCode = 0;
            q.dim[0] = beam->GetHeight();
        }
    }
    return 1;
}

const TypedRange& QuickFieldRange(int field)
{
    static const TypedRange kRanges[QuickField::Count] = {
        {0.0, 2e8, ukStress},         {0.0, 5e9, ukLargeStress},      {0.0, 5e9, ukLargeStress},
        {0.0, 100.0, ukSectionLength}, {0.0, 100.0, ukSectionLength}, {0.0, 100.0, ukSectionLength},
        {0.0, 100.0, ukSectionLength}, {0.0, 100.0, ukSectionLength}, {0.0, 100.0, ukSectionLength},
        {0.0, 1.0, ukSectionLength},   {0.0, 10.0, ukSectionLength},  {-0.1, 0.1, ukStrain},
        {0.0, 1.0, ukArea},            {0.0, 1.0, ukArea},            {0.0, 1.0, ukArea},
        {0.0, kMaxQuickCount, ukNone}};
    return kRanges[std::clamp(field, 0, QuickField::Count - 1)];
}

const char* QuickFieldName(int field)
{
    static const char* const kNames[QuickField::Count] = {
        "Concrete Strength", "Longitudinal Steel Yield", "Transverse Steel Yield", "Dimension 1", "Dimension 2",
        "Dimension 3",       "Dimension 4",              "Dimension 5",            "Dimension 6", "Clear Cover",
        "Stirrup Spacing",   "Prestrain",                "Top Bar Area",           "Bottom Bar Area",
        "Stirrup Area",      "Number of Bars"};
    return kNames[std::clamp(field, 0, QuickField::Count - 1)];
}

bool QuickDimShown(const TQuickDefData& q, int k)
{
    if (q.shapeCode == kStandardTypeCode)
        return k >= 1 && k < 4;
    if (const TShape* shape = q.shapeCode != kUserShapeCode ? LibraryShape(q.shapeCode) : nullptr)
        return k < shape->paramCount;
    return k >= 0 && k < 6;
}

void BringHiddenDimsIntoRange(TQuickDefData& q)
{
    for (int k = 0; k < 6; ++k) {
        double& v = q.dim[static_cast<std::size_t>(k)];
        const TypedRange& r = QuickFieldRange(QuickField::Dim0 + k);
        if (!QuickDimShown(q, k) && !(v >= r.low && v <= r.high))
            v = 0.0;
    }
}

TypedRefusal CheckQuickDefine(const TQuickDefData& q)
{
    using namespace QuickField;
    const double magnitudes[Count - 1] = {q.fc, q.fyLong, q.fyTrans, q.dim[0], q.dim[1], q.dim[2], q.dim[3], q.dim[4],
                                          q.dim[5], q.cover, q.stirrupSpacing, q.strandPrestrain, q.topArea,
                                          q.bottomArea, q.stirrupArea};
    for (int i = 0; i < Count - 1; ++i) {
        const TypedRange& r = QuickFieldRange(i);
        const double v = i == Prestrain || (i >= Dim0 && i < Dim0 + 6) ? magnitudes[i] : std::fabs(magnitudes[i]);
        if (!std::isfinite(v) || v < r.low || v > r.high)
            return {i, TypedRangeMessage(QuickFieldName(i), r)};
    }
    for (int n : {q.topCount, q.bottomCount, q.strandCount})
        if (n < 0 || n > kMaxQuickCount)
            return {Counts, TypedRangeMessage(QuickFieldName(Counts), QuickFieldRange(Counts))};
    // Dimensions within their ranges may still draw no concrete (a height or a width of 0; the
    // outline gives a zero width the least width a region has): such a record builds no
    // section, and the regions the section has stay.
    // A shape the library (or the catalogue) no longer has keeps the section's own regions.
    const bool drawn = q.shapeCode == kStandardTypeCode ? CatalogueShape(q.standardIndex) != nullptr
                                                        : LibraryShape(q.shapeCode) != nullptr;
    if (q.shapeCode != kUserShapeCode && drawn) {
        TBeam trial(TBeam::Empty{});
        TQuickDefData record = q;
        BuildQuickDefineShape(trial, record);
        bool wide = false;
        for (int i = 0; i < trial.GetRegionCount(); ++i)
            wide = wide || std::max(trial.GetRegion(i)->topWidth, trial.GetRegion(i)->bottomWidth) > kNoWidth;
        if (!(record.sectionHeight > 0.0) || !wide)
            return {Dim0, "The dimensions give a section of no height or no width: a section needs concrete."};
    }
    return {};
}

int BuildQuickDefineSection(TStructure& s)
{
    TBeam* beamPtr = AsBeam(s);
    if (beamPtr == nullptr || CheckQuickDefine(g_QuickDefData))
        return 0;
    TBeam& beam = *beamPtr;
    TQuickDefData& q = g_QuickDefData;

    beam.SetName(NameText(q.title));
    beam.SetDoneBy(NameText(q.analysedBy));
    beam.SetDate(DateStamp());
    beam.SetShapeType(q.shapeCode);
    if (q.shapeCode == kUserShapeCode)
        beam.SetShapeName("USER");
    else if (q.shapeCode == kStandardTypeCode) {
        if (const TStandard* entry = CatalogueShape(q.standardIndex))
            beam.SetShapeName(entry->name);
    } else if (const TShape* shape = LibraryShape(q.shapeCode))
        beam.SetShapeName(shape->name);

    // Concrete: one type, or a precast girder under a slab of another strength.
    beam.DeleteConcreteTypes();
    double fc = q.fc;
    beam.AddConcreteTypeFromStrength(fc, "Concrete 1");
    double slab = g_UnitSystem == kUnitUS ? -PsiToPa(5000.0) : MaterialDefaults.fc;
    const bool hasSlab = (q.dim[2] > 0 && q.dim[3] > 0) || q.dim[1] > 0;
    if (q.shapeCode == kStandardTypeCode && hasSlab &&
        std::fabs(std::fabs(q.fc) - std::fabs(slab)) > kSlabStrengthTolerance) {
        beam.DeleteConcreteTypes();
        fc = q.fc;
        beam.AddConcreteTypeFromStrength(fc, "Precast");
        beam.AddConcreteTypeFromStrength(slab, "Slab");
    }

    // Steel: the longitudinal type is 0 and the transverse type 1, always.
    beam.DeleteSteelTypes();
    AddReinforcingType(beam, q.fyLong, q.fyTrans == q.fyLong ? "Steel 1" : "Long");
    AddReinforcingType(beam, q.fyTrans, "Trans");
    AddStrandType(beam, q.strandKind);

    const int layout = BuildQuickDefineShape(beam, q);
    BuildStirrups(beam, q);

    beam.DeleteLongLayers(kLongX);
    BuildTopBars(beam, q, layout);
    BuildBottomBars(beam, q, layout);
    BuildStrandLayers(beam, q);
    CutHollowVoid(beam, q);

    SetQuickDefineNewFlag(0);
    q.countsUntouched = 0;
    const double constant[3] = {0.0, 0.0, 0.0};
    const double increment[3] = {0.0, -1000.0, 0.0};
    beam.SetConstantLoads(constant, 3);
    beam.SetIncrementLoads(increment, 3);
    beam.Validate();
    return 1;
}
