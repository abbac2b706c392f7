#include "dialogs/MemberPages.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "member/MemberLimits.h"

namespace {

constexpr double kPointCaps = 127;               // room kept free in the 128-entry tables
constexpr double kMinZoneSpacing = 0.1;          // m between zone boundaries
constexpr double kNegativeLength = 0.1;          // m: what a negative length becomes
constexpr double kNotSet = 3.1415626e31;         // FormatShearAt's empty value
constexpr double kShearAllowance = 100.0;        // N: shears closer than this (+1 %) are one

// The quick page shows "Detailed" in its fields for a definition it cannot show as values;
// the word reads as 0, as any other text that holds no number once did.
constexpr const char* kDetailedWord = "Detailed";
std::string QuickText(const std::string& text) { return text == kDetailedWord ? std::string() : text; }

double Number(const std::string& text) { return TypedNumber(QuickText(text)); }
double F(int kind) { return UnitFactor(kind); }
int Trunc(double v) { return ClampToInt(v); }

const TypedRange kSpanRange{0.0, kMaxMemberLength, ukSectionLength};
const TypedRange& kPositionRange = kMemberPositionRange;
const TypedRange& kForceRange = kMemberForceRange;
const TypedRange& kMomentRange = kMemberMomentRange;
// Yield penetration constants as shown (per display stress unit); the quick definition keeps
// them in single precision.
const TypedRange kPenetrationRange{-kMaxShownYieldPenetration, kMaxShownYieldPenetration, ukNone};

// The first of the texts its range refuses, numbered in order.
TypedRefusal FirstRefused(std::initializer_list<std::pair<const std::string*, std::pair<const char*, const TypedRange*>>>
                              fields)
{
    int i = 0;
    for (const auto& [text, named] : fields) {
        double v = 0.0;
        std::string message = ReadTypedValue(*text, named.first, *named.second, v);
        if (!message.empty())
            return {i, std::move(message)};
        ++i;
    }
    return {};
}
std::size_t Z(int i) { return static_cast<std::size_t>(i); }

int Count(const TMemberDefinition& d, int k) { return std::clamp(d.pointCount[Z(k)], 0, kMaxDiagramPoints); }
int Zones(const TMemberDefinition& d) { return std::clamp(d.zoneCount, 0, kMaxMemberZones); }
MomentPoint& Pt(TMemberDefinition& d, int k, int i) { return d.diagrams[Z(k)][Z(i)]; }
const MomentPoint& Pt(const TMemberDefinition& d, int k, int i) { return d.diagrams[Z(k)][Z(i)]; }

// A position typed for a point or a boundary, moved into the member with a message.
double ClampedPosition(double x, double length, const char* format, const char* caption)
{
    if (x > length) {
        ShowMessage(StrPrintf(format, length * F(ukSectionLength), UnitLabel(ukSectionLength)), caption);
        return length;
    }
    if (x < 0.0) {
        ShowMessage(StrPrintf(format, 0.0, UnitLabel(ukSectionLength)), caption);
        return 0.0;
    }
    return x;
}

const char* const kZoneOutside = "Cannot define sections outside of concrete length. Reset to %5.1f %s";
const char* const kPointOutside = "Cannot define moments outside of concrete length. Reset to %5.1f %s";
const char* const kZoneCaption = "Error in Material Definition Point";
const char* const kPointCaption = "Error in Moment Definition Point";
const char* const kFull = "Reached maximum number of material points, no more are allowed";

int LastIndexAt(const TMemberDefinition& d, int k, double x)
{
    int j = 0;
    for (int i = 0; i < Count(d, k); ++i)
        if (std::fabs(Pt(d, k, i).x - x) < kSamePosition)
            j = i;
    return j;
}

std::string Shown(double v, const char* format, int decimals) { return StrPrintf(format, UnsignedZero(v, decimals)); }

} // namespace

double YieldPenetrationRatio()
{
    return YieldPenetrationRatio(g_UnitSystem);
}

void SortMomentPoints(TMemberDefinition& d, int k)
{
    auto& p = d.diagrams[Z(k)];
    std::stable_sort(p.begin(), p.begin() + Count(d, k),
                     [](const MomentPoint& a, const MomentPoint& b) { return a.x < b.x; });
}

void SortMemberZones(TMemberDefinition& d)
{
    std::stable_sort(d.zones.begin(), d.zones.begin() + Zones(d),
                     [](const MemberZone& a, const MemberZone& b) { return a.startX < b.startX; });
}

// ---- Quick page -----------------------------------------------------------------------------

QuickFields ShowQuickFields(const TStructureSlots& slots, const TMemberDefinition& d, bool& detailed)
{
    QuickFields f;
    f.lengthUnit = UnitLabel(ukSectionLength);
    f.forceUnit = UnitLabel(ukForce);
    const double r = YieldPenetrationRatio();
    detailed = !IsQuickDefinable(slots, d);
    if (detailed) {
        f.shearLength = f.constantZone = f.momentRatio = f.axialLoad = kDetailedWord;
        f.loadingType = 0;
        f.leftCase = f.rightCase = -1; // no radio of those groups checked
        f.yieldPenetration = StrPrintf("%5.3f", d.yieldPenetrationConstant / r);
        return f;
    }
    const TMemberQuickDef q = GetQuickDefinitionFromMember(d);
    const char* lengthFormat = g_UnitSystem == kUnitSI ? "%4.1f" : "%4.2f";
    const int lengthDecimals = g_UnitSystem == kUnitSI ? 1 : 2;
    f.axialLoad = Shown(q.constAxialLoad * F(ukForce), "%4.0f", 0);
    f.shearLength = Shown(q.L * F(ukSectionLength), lengthFormat, lengthDecimals);
    f.constantZone = Shown(q.mido2 * F(ukSectionLength), lengthFormat, lengthDecimals);
    f.momentRatio = Shown(q.leftpercent * F(ukPercent), "%4.1f", 1);
    f.loadingType = std::min<int>(q.type, 2);
    f.leftCase = std::min<int>(q.left, 2);
    f.rightCase = std::min<int>(q.right, 2);
    f.yieldPenetration = StrPrintf("%5.3f", q.penetrate / r);
    return f;
}

TypedRefusal CheckQuickFields(const QuickFields& typed)
{
    const TypedRange ratio{-kMaxMomentRatio, kMaxMomentRatio, ukPercent};
    const std::string shear = QuickText(typed.shearLength), zone = QuickText(typed.constantZone),
                      moment = QuickText(typed.momentRatio), axial = QuickText(typed.axialLoad);
    TypedRefusal refused = FirstRefused({{&shear, {"Shear Span", &kSpanRange}},
                                         {&zone, {"Constant Moment Zone", &kSpanRange}},
                                         {&moment, {"Moment Ratio", &ratio}},
                                         {&axial, {"Axial Load", &kForceRange}},
                                         {&typed.yieldPenetration, {"Yield Penetration", &kPenetrationRange}}});
    if (!refused && (Number(typed.shearLength) + Number(typed.constantZone)) / F(ukSectionLength) > kMaxMemberLength)
        refused = {1, StrPrintf("Shear Span and Constant Moment Zone together must not exceed %.0f %s.",
                                kMaxMemberLength * F(ukSectionLength), UnitLabel(ukSectionLength))};
    return refused;
}

namespace {

// The quick record the fields give.
TMemberQuickDef QuickRecord(const QuickFields& typed)
{
    const auto oneOf = [](int v) { return static_cast<uint8_t>(v == 0 ? 0 : v == 1 ? 1 : 2); };
    TMemberQuickDef q;
    q.L = static_cast<float>(Number(typed.shearLength) / F(ukSectionLength));
    q.mido2 = static_cast<float>(Number(typed.constantZone) / F(ukSectionLength));
    q.leftpercent = static_cast<float>(Number(typed.momentRatio) / F(ukPercent));
    q.type = oneOf(typed.loadingType);
    q.left = oneOf(typed.leftCase);
    q.right = oneOf(typed.rightCase);
    q.penetrate = static_cast<float>(Number(typed.yieldPenetration) * YieldPenetrationRatio());
    q.lplate = q.rplate = 0.15f;
    q.constAxialLoad = static_cast<float>(Number(typed.axialLoad) / F(ukForce));
    return q;
}

// The record the fields give for the definition they were shown from: a field that still shows
// the text the definition gives it was not edited and keeps the definition's value whole, not
// as the page rounds it.
TMemberQuickDef EditedQuickRecord(const TStructureSlots& slots,
                                  const QuickFields& typed,
                                  const TMemberDefinition& d)
{
    TMemberQuickDef q = QuickRecord(typed);
    bool detailed = false;
    const QuickFields shown = ShowQuickFields(slots, d, detailed);
    if (typed.yieldPenetration == shown.yieldPenetration)
        q.penetrate = static_cast<float>(d.yieldPenetrationConstant);
    if (detailed)
        return q; // "Detailed" reads as 0
    const TMemberQuickDef stored = GetQuickDefinitionFromMember(d);
    const auto keep =
        [](const std::string& text, const std::string& shownText, float& value, float storedValue) {
            if (text == shownText)
                value = storedValue;
        };
    keep(typed.shearLength, shown.shearLength, q.L, stored.L);
    keep(typed.constantZone, shown.constantZone, q.mido2, stored.mido2);
    keep(typed.momentRatio, shown.momentRatio, q.leftpercent, stored.leftpercent);
    keep(typed.axialLoad, shown.axialLoad, q.constAxialLoad, stored.constAxialLoad);
    return q;
}

} // namespace

TypedRefusal CheckQuickFields(const TStructureSlots& slots, const QuickFields& typed)
{
    TypedRefusal refused = CheckQuickFields(typed);
    if (refused)
        return refused;
    // The member reaches from its end to the left support (a third of the section's height)
    // before the spans: the whole of it is held as a document holds a member's length.
    TMemberDefinition member;
    SetMemberFromQuickDefinition(slots, QuickRecord(typed), member);
    if (!UnheldMemberValue("The member",
                           "a length",
                           member.length,
                           kMemberPositionRange,
                           &g_UnitSystem)
             .empty()) {
        const double f = F(ukSectionLength);
        const char* unit = UnitLabel(ukSectionLength);
        refused = {
            1,
            StrPrintf(
                "Shear Span and Constant Moment Zone together must not exceed %.10g %s: the member "
                "begins %.10g %s before its left support and is at most %.10g %s long.",
                (kMaxMemberLength - member.leftPlateLocation) * f,
                unit,
                member.leftPlateLocation * f,
                unit,
                kMaxMemberLength * f,
                unit)};
    }
    return refused;
}

int ApplyQuickFields(const TStructureSlots& slots,
                     const QuickFields& typed,
                     TMemberDefinition& d,
                     int& confirmErase)
{
    if (CheckQuickFields(slots, typed))
        return 0;
    if (confirmErase == 1 && !IsQuickDefinable(slots, d)) {
        if (ShowMessage("Changing this will erase the detailed full member properties previously "
                        "entered.  Do you "
                        "wish to overwrite?",
                        "Confirm Erase of Existing Data",
                        MsgStyle::YesNo) != MsgAnswer::Yes)
            return 0;
        confirmErase = 0;
    }
    SetMemberFromQuickDefinition(slots, EditedQuickRecord(slots, typed, d), d);
    return 1;
}

QuickFields QuickPictureFields(const QuickFields& typed, QuickFields& accepted)
{
    if (!CheckQuickFields(typed))
        accepted = typed;
    QuickFields shown = accepted;
    shown.loadingType = typed.loadingType;
    shown.leftCase = typed.leftCase;
    shown.rightCase = typed.rightCase;
    return shown;
}

QuickSchematic QuickDiagramGeometry(const QuickFields& typed, int boxX, int boxY, int boxW, int boxH)
{
    // Positions are summed in double from their truncated parts and held to int once, at the
    // end: a span of 1e308 lands at the edge of int's range instead of overflowing a sum.
    const auto cut = [](double v) { return std::isnan(v) ? 0.0 : std::trunc(v); };
    QuickSchematic g;
    const double w = cut(0.8 * boxW), h = cut(0.6 * boxH);
    const double x1 = boxX + cut(0.1 * boxW), y1 = boxY + cut(0.3 * boxH);
    g.left = Trunc(x1 - 1);
    g.top = Trunc(y1 - 1);
    g.width = Trunc(w + 2);
    g.height = Trunc(h + 2);
    const double a = Number(typed.shearLength) / F(ukSectionLength);
    const double b = std::max(0.0, Number(typed.constantZone) / F(ukSectionLength));
    const double r = std::min(0.95, Number(typed.momentRatio) / F(ukPercent));
    const double total = a + b > 0.0 ? a + b : 100.0;
    double f = 1.0;
    double yAxis = y1;
    if (r < 0.0) {
        f = 1.0 - r;
        yAxis = cut(y1 - h * r / (1.0 - r));
    }
    const double yLeft = yAxis + h * r / f;
    g.axisY = Trunc(yAxis);
    const auto point = [&g](double x, double y) { g.line.emplace_back(Trunc(x), Trunc(y)); };
    point(x1, yAxis);
    point(x1, yLeft);
    const double span = w * a / total;
    double yEnd = y1 + h;
    if (typed.loadingType == 0) {
        point(x1 + span, y1 + h);
    } else if (typed.loadingType == 1) {
        for (int i = 0; i <= 10; ++i) {
            yEnd = cut(cut(i * (20 - i) * h / 100.0 + 0.5) + yLeft);
            point(x1 + cut(i * span / 11 + 0.5), yEnd);
        }
    } else {
        for (int j = 0; j <= 10; ++j) {
            yEnd = cut(cut(j * j * h / 100.0 + 0.5) + yLeft);
            point(x1 + cut(j * span / 10 + 0.5), yEnd);
        }
    }
    point(x1 + w, yEnd);
    point(x1 + w, yAxis);
    return g;
}

// ---- Geometry page --------------------------------------------------------------------------

GeometryFields ShowGeometryFields(const TMemberDefinition& d)
{
    GeometryFields f;
    f.lengthUnit = UnitLabel(ukSectionLength);
    const bool us = g_UnitSystem == kUnitUS;
    const auto len = [&](double v) {
        return Shown(v * F(ukSectionLength), us ? "%5.2f" : "%5.1f", us ? 2 : 1);
    };
    f.length = len(d.length);
    f.topPlate = len(d.topPlateSize);
    f.leftPlate = len(d.leftPlateSize);
    f.leftLocation = len(d.leftPlateLocation);
    f.rightPlate = len(d.rightPlateSize);
    f.rightLocation = len(d.rightPlateLocation);
    f.displacement = len(d.displacementLocation);
    // Per display stress unit, as on the quick page.
    f.yieldPenetration = StrPrintf("%5.3f", d.yieldPenetrationConstant / YieldPenetrationRatio());
    f.leftAnchorage = d.leftAnchorage - 1;
    f.rightAnchorage = d.rightAnchorage - 1;
    f.leftSupport = d.leftSupport - 1;
    f.rightSupport = d.rightSupport - 1;
    f.topDirect = d.topDirect != 0;
    f.leftDirect = d.leftDirect != 0;
    f.rightDirect = d.rightDirect != 0;
    return f;
}

namespace {

void ApplySupportPairRulesOnce(int& left, int& right)
{
    using namespace SupportType;
    if (left == FixedEnd)
        right = Undefined;
    if (right == FixedEnd)
        left = Undefined;
    if (left == Roller && right == Roller)
        left = Pin;
    if (left == Pin && right == Pin)
        right = Roller;
    if (left == FixedVerticalRoller && right != Roller)
        right = Roller;
    if (right == FixedVerticalRoller && left != Roller)
        left = Roller;
    if (left == Undefined && right != FixedEnd)
        left = Pin;
    if (right == Undefined && left != FixedEnd)
        right = Pin;
}

} // namespace

// One pass can leave a pair a second pass changes (no support and a pin become two pins, which
// the fourth rule turns into a pin and a roller): the rules are applied until they change
// nothing, so that the pair stored is one the page leaves alone when it reads it again. Every
// pair of types settles within two passes; the bound only guards against a cycle.
void ApplySupportPairRules(int& left, int& right)
{
    constexpr int kMaxPasses = 8;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const int wasLeft = left, wasRight = right;
        ApplySupportPairRulesOnce(left, right);
        if (left == wasLeft && right == wasRight)
            return;
    }
}

TypedRefusal CheckGeometryFields(const GeometryFields& typed)
{
    return FirstRefused({{&typed.length, {"Length", &kPositionRange}},
                         {&typed.topPlate, {"Top Plate", &kPositionRange}},
                         {&typed.displacement, {"Displacement Location", &kPositionRange}},
                         {&typed.yieldPenetration, {"Yield Penetration", &kPenetrationRange}},
                         {&typed.leftPlate, {"Left Plate", &kPositionRange}},
                         {&typed.leftLocation, {"Left Support Location", &kPositionRange}},
                         {&typed.rightPlate, {"Right Plate", &kPositionRange}},
                         {&typed.rightLocation, {"Right Support Location", &kPositionRange}}});
}

void ReadGeometryFields(const GeometryFields& typed, TMemberDefinition& d)
{
    if (CheckGeometryFields(typed))
        return;
    const double f = F(ukSectionLength);
    const auto type = [](int selection) { return selection < 0 ? 0 : selection + 1; };
    // The page shows its values rounded; a field that still shows the text the definition gives
    // it was not edited, so its value stays whole (the clamps still apply).
    const GeometryFields shown = ShowGeometryFields(d);
    const auto value = [&](const std::string& text, const std::string& shownText, double stored) {
        return text == shownText ? stored : Number(text) / f;
    };
    double length = value(typed.length, shown.length, d.length);
    if (length < 0.0)
        length = kNegativeLength;
    if (length > kMaxMemberLength)
        length = kMaxMemberLength;
    d.length = length;
    d.displacementLocation =
        std::clamp(value(typed.displacement, shown.displacement, d.displacementLocation),
                   0.0,
                   length);
    // A plate is at least nothing and at most a quarter of the member.
    const auto plate = [&](const std::string& text, const std::string& shownText, double stored) {
        return std::clamp(value(text, shownText, stored), 0.0, length / 4);
    };
    d.topPlateSize = plate(typed.topPlate, shown.topPlate, d.topPlateSize);
    d.leftAnchorage = type(typed.leftAnchorage);
    d.rightAnchorage = type(typed.rightAnchorage);
    if (typed.yieldPenetration != shown.yieldPenetration)
        d.yieldPenetrationConstant = Number(typed.yieldPenetration) * YieldPenetrationRatio();
    d.leftPlateSize = plate(typed.leftPlate, shown.leftPlate, d.leftPlateSize);
    d.leftPlateLocation =
        std::clamp(value(typed.leftLocation, shown.leftLocation, d.leftPlateLocation), 0.0, length);
    d.leftSupport = type(typed.leftSupport);
    d.topDirect = typed.topDirect ? 1 : 0;
    d.leftDirect = typed.leftDirect ? 1 : 0;
    d.rightPlateSize = plate(typed.rightPlate, shown.rightPlate, d.rightPlateSize);
    d.rightPlateLocation =
        std::clamp(value(typed.rightLocation, shown.rightLocation, d.rightPlateLocation),
                   0.0,
                   length);
    d.rightSupport = type(typed.rightSupport);
    d.rightDirect = typed.rightDirect ? 1 : 0;
    int left = d.leftSupport, right = d.rightSupport;
    ApplySupportPairRules(left, right);
    d.leftSupport = left;
    d.rightSupport = right;
}

GeometryEnables GeometryEnablesFor(const GeometryFields& typed)
{
    GeometryEnables e;
    const int yieldIndex = AnchorageType::YieldPenetrate - 1, fixedIndex = SupportType::FixedEnd - 1;
    e.yieldPenetration = typed.leftAnchorage == yieldIndex || typed.rightAnchorage == yieldIndex;
    e.rightSupport = typed.leftSupport != fixedIndex;
    e.leftSupport = typed.rightSupport != fixedIndex;
    return e;
}

// ---- Material zones -------------------------------------------------------------------------

std::string FormatZoneStart(double x)
{
    const int decimals = g_UnitSystem == kUnitUS ? 3 : g_UnitSystem == kUnitOldMetric ? 2 : 1;
    return StrPrintf("%5.*f", decimals, UnsignedZero(x * F(ukSectionLength), decimals));
}

std::vector<std::string> ZoneRows(const TMemberDefinition& d)
{
    std::vector<std::string> rows;
    for (int i = 0; i < Zones(d); ++i)
        rows.push_back(FormatZoneStart(d.zones[Z(i)].startX));
    return rows;
}

int ClampSelection(int j, int count)
{
    if (count <= 0 || j < 0)
        return 0;
    return std::min(j, count - 1);
}

std::string CheckTypedPosition(const std::string& typed, const char* field)
{
    double v = 0.0;
    return ReadTypedValue(typed, field, kPositionRange, v);
}

TypedRefusal CheckPointTexts(const PointTexts& typed)
{
    return FirstRefused({{&typed.x, {"Location", &kPositionRange}}, {&typed.moment, {"Moment", &kMomentRange}}});
}

std::string CheckTypedAxialLoad(const std::string& typed)
{
    double v = 0.0;
    return ReadTypedValue(typed, "Axial Load", kForceRange, v);
}

int AddZoneBoundary(TMemberDefinition& d, const std::string& typed, int& selected)
{
    if (!CheckTypedPosition(typed, "Boundary").empty())
        return 0;
    const double x = ClampedPosition(Number(typed) / F(ukSectionLength), d.length, kZoneOutside, kZoneCaption);
    for (int i = 0; i < Zones(d); ++i) {
        if (std::fabs(d.zones[Z(i)].startX - x) < kMinZoneSpacing) {
            ShowMessage(StrPrintf("New boundary is too close to old definition.  Minimum spacing is %5.2f %s",
                                  kMinZoneSpacing * F(ukSectionLength), UnitLabel(ukSectionLength)),
                        kZoneCaption);
            return 0;
        }
    }
    if (Zones(d) >= kPointCaps) {
        ShowMessage(kFull, kZoneCaption);
        return 0;
    }
    // The new zone is cut from the zone that held x and stays on its section until another
    // is chosen for it.
    const int n = Zones(d);
    const int holder = ZoneAtPosition(d, x);
    d.zones[Z(n)] = MemberZone{x, holder >= 0 ? d.zones[Z(holder)].structureIndex : d.zones[0].structureIndex};
    d.zoneCount = n + 1;
    SortMemberZones(d);
    for (int i = 0; i < Zones(d); ++i)
        if (std::fabs(d.zones[Z(i)].startX - x) < kSamePosition)
            selected = i;
    return 1;
}

int ModifyZoneBoundary(TMemberDefinition& d, const std::string& typed, int& selected)
{
    if (selected <= 0 || selected >= Zones(d) || !CheckTypedPosition(typed, "Boundary").empty())
        return 0;
    const double x = ClampedPosition(Number(typed) / F(ukSectionLength), d.length, kZoneOutside, kZoneCaption);
    d.zones[Z(selected)].startX = x;
    SortMemberZones(d);
    return 1;
}

int DeleteZoneBoundary(TMemberDefinition& d, int& selected)
{
    const int n = Zones(d);
    if (selected <= 0 || selected >= n)
        return 0;
    std::copy(d.zones.begin() + selected + 1, d.zones.begin() + n, d.zones.begin() + selected);
    d.zoneCount = n - 1;
    selected = ClampSelection(selected, d.zoneCount);
    return 1;
}

int ZoneAtPosition(const TMemberDefinition& d, double x)
{
    const int n = Zones(d);
    for (int i = 0; i < n; ++i) {
        const double end = i + 1 < n ? d.zones[Z(i + 1)].startX : d.length;
        if (d.zones[Z(i)].startX <= x && x < end)
            return i;
    }
    return -1;
}

double MemberExtent(const TMemberDefinition& d)
{
    double xmax = std::max({d.length, d.leftPlateLocation, d.rightPlateLocation});
    for (int i = 0; i < Zones(d); ++i)
        xmax = std::max(xmax, d.zones[Z(i)].startX);
    for (int k : {LiveDiagram, DeadDiagram})
        for (int i = 0; i < Count(d, k); ++i)
            xmax = std::max(xmax, Pt(d, k, i).x);
    return xmax;
}

SketchGeometry GetSketchGeometry(const TMemberDefinition& d, int boxX, int boxY, int boxW, int boxH)
{
    SketchGeometry g;
    g.w = Trunc(0.9 * boxW);
    g.h = Trunc(0.5 * boxH);
    g.x0 = Trunc(boxX + 0.05 * boxW);
    g.y0 = Trunc(boxY + 0.25 * boxH);
    const double xmax = MemberExtent(d);
    g.s = xmax > 0.0 ? g.w / xmax : 1.0;
    return g;
}

// ---- Loading pages --------------------------------------------------------------------------

int TMomentPointEditor::Count() const { return ::Count(m_d, m_k); }

std::vector<std::string> TMomentPointEditor::Rows() const
{
    const int decimals = g_UnitSystem == kUnitUS ? 3 : g_UnitSystem == kUnitOldMetric ? 2 : 1;
    std::vector<std::string> rows;
    for (int i = 0; i < Count(); ++i) {
        const MomentPoint& p = Pt(m_d, m_k, i);
        rows.push_back(StrPrintf("%6.*f     %6.3f    %d", decimals,
                                 UnsignedZero(p.x * F(ukSectionLength), decimals),
                                 UnsignedZero(p.moment * F(ukMoment), 3), p.parabolic));
    }
    return rows;
}

PointTexts TMomentPointEditor::SelectedTexts() const
{
    PointTexts t;
    if (m_selected < 0 || m_selected >= Count()) {
        t.x = "     0";
        t.moment = "  0.00";
        return t;
    }
    const int decimals = g_UnitSystem == kUnitUS ? 3 : g_UnitSystem == kUnitOldMetric ? 2 : 1;
    const MomentPoint& p = Pt(m_d, m_k, m_selected);
    t.x = StrPrintf("%6.*f", decimals, UnsignedZero(p.x * F(ukSectionLength), decimals));
    t.moment = Shown(p.moment * F(ukMoment), "%6.3f", 3);
    t.parabolic = p.parabolic != 0;
    return t;
}

MomentPoint TMomentPointEditor::ReadPoint(const PointTexts& typed) const
{
    MomentPoint p;
    p.x = ClampedPosition(Number(typed.x) / F(ukSectionLength), m_d.length, kPointOutside, kPointCaption);
    p.moment = Number(typed.moment) / F(ukMoment);
    p.parabolic = typed.parabolic ? 1 : 0;
    return p;
}

void TMomentPointEditor::Sorted(double x)
{
    SortMomentPoints(m_d, m_k);
    m_selected = LastIndexAt(m_d, m_k, x);
}

void TMomentPointEditor::Add(const PointTexts& typed)
{
    if (CheckPointTexts(typed))
        return;
    const MomentPoint p = ReadPoint(typed);
    if (Count() >= kPointCaps) {
        ShowMessage(kFull, kZoneCaption);
        return;
    }
    const int n = Count();
    Pt(m_d, m_k, n) = p;
    m_d.pointCount[Z(m_k)] = n + 1;
    Sorted(p.x);
}

void TMomentPointEditor::Modify(const PointTexts& typed)
{
    if (m_selected < 0 || m_selected >= Count() || CheckPointTexts(typed))
        return;
    const MomentPoint p = ReadPoint(typed);
    Pt(m_d, m_k, m_selected) = p;
    Sorted(p.x);
}

void TMomentPointEditor::Delete()
{
    const int n = Count();
    if (m_selected < 0 || m_selected >= n)
        return;
    auto& pts = m_d.diagrams[Z(m_k)];
    std::copy(pts.begin() + m_selected + 1, pts.begin() + n, pts.begin() + m_selected);
    m_d.pointCount[Z(m_k)] = n - 1;
    m_selected = ClampSelection(m_selected, n - 1);
}

void TMomentPointEditor::DeleteAll()
{
    m_d.pointCount[Z(m_k)] = 0;
    m_selected = 0;
}

void TMomentPointEditor::Select(int row, const PointTexts& typed)
{
    const int j = m_selected;
    if (j >= 0 && j < Count() && !CheckPointTexts(typed)) {
        const MomentPoint p = ReadPoint(typed);
        const MomentPoint& old = Pt(m_d, m_k, j);
        const bool changed = std::fabs(p.x - old.x) > kSamePosition ||
                             std::fabs(p.moment - old.moment) > 0.01 * std::fabs(p.moment) + 0.005 ||
                             p.parabolic != old.parabolic;
        if (changed && m_prompt &&
            ShowMessage("Changes not saved. Save them?", "Unsaved changed", MsgStyle::YesNo) == MsgAnswer::Yes) {
            Pt(m_d, m_k, j) = p;
            Sorted(p.x);
            return;
        }
    }
    m_selected = ClampSelection(row, Count());
}

int TMomentPointEditor::GenerateSelfWeight(const TStructureSlots& slots)
{
    if (m_k != DeadDiagram)
        return 0;
    if (Count() > 0 && ShowMessage("Do you wish to replace existing moment diagram definition with self weight?",
                                   "Generate Self Weight", MsgStyle::YesNo) != MsgAnswer::Yes)
        return 0;
    const int done = GenerateSelfWeightDiagram(slots, m_d, DeadDiagram);
    m_selected = ClampSelection(m_selected, Count());
    return done;
}

std::string TMomentPointEditor::AxialLoadText() const
{
    return Shown(m_d.axialLoad[Z(m_k)] * F(ukForce), "%5.2f", 2);
}

void TMomentPointEditor::SetAxialLoad(const std::string& typed)
{
    if (!CheckTypedAxialLoad(typed).empty())
        return;
    m_d.axialLoad[Z(m_k)] = Number(typed) / F(ukForce);
}

std::string TMomentPointEditor::AxialLoadUnit() const
{
    return m_k == DeadDiagram ? std::string(UnitLabel(ukForce)) : StrPrintf("%s @Load Fact=1.0", UnitLabel(ukForce));
}

std::string TMomentPointEditor::Report() const
{
    std::string t = "Moment and Shear Force Diagram information\r\n-----\r\n";
    t += m_k == LiveDiagram ? "\r\nType: Live Loads\r\n" : "\r\nType: Dead Loads\r\n";
    if (m_k == DeadDiagram && m_d.deadLoadConstant == 0)
        t += "Dead load will scale with load factor on shear force\r\n";
    t += StrPrintf("\r\nAxial Load: %5.3f %s\r\n", UnsignedZero(m_d.axialLoad[Z(m_k)] * F(ukForce), 3),
                   UnitLabel(ukForce));
    t += "\r\n\r\nMoments:\r\n\r\n";
    for (int i = 0; i < Count(); ++i) {
        const MomentPoint& p = Pt(m_d, m_k, i);
        t += StrPrintf(" X: %5.3f %s, M: %5.3f %s, parabolic: %d\r\n", UnsignedZero(p.x * F(ukSectionLength), 3),
                       UnitLabel(ukSectionLength), UnsignedZero(p.moment * F(ukMoment), 3), UnitLabel(ukMoment),
                       p.parabolic);
    }
    t += "\r\nShear:\r\n\r\n";
    ShearDiagram v{};
    int count = 0;
    SampleShearDiagram(m_d, m_k, v, count);
    count = std::clamp(count, 0, kMaxShearPoints);
    for (int i = 0; i < count; ++i) {
        std::string shear;
        FormatShearAt(v.data(), count, v[Z(i)].x, shear);
        t += StrPrintf(" X: %5.3f %s, %s %s\r\n", UnsignedZero(v[Z(i)].x * F(ukSectionLength), 3),
                       UnitLabel(ukSectionLength), shear.c_str(), UnitLabel(ukForce));
        if (i + 1 < count && std::fabs(v[Z(i + 1)].x - v[Z(i)].x) < kSamePosition)
            ++i;
    }
    return t;
}

// ---- Loading page diagrams ------------------------------------------------------------------

DiagramScales GetDiagramScales(const TMemberDefinition& d, int k, const DiagramBox& box, int which)
{
    DiagramScales s;
    s.x0 = Trunc(box.x + 0.05 * box.w);
    const double xmax = MemberExtent(d);
    s.scaleX = xmax > 0.0 ? 0.9 * box.w / xmax : 1.0;
    const int n = Count(d, k);
    for (int i = 0; i < n; ++i) {
        s.maxM = std::max(s.maxM, Pt(d, k, i).moment);
        s.minM = std::min(s.minM, Pt(d, k, i).moment);
    }
    // Peaks of parabolic stretches lie between their points. A jump between two flagged
    // points starts the stretch at its right side; the next point is read only while one exists.
    for (int i = 0; i < n; ++i) {
        if (i + 1 < n && std::fabs(Pt(d, k, i).x - Pt(d, k, i + 1).x) < kSamePosition && Pt(d, k, i).parabolic &&
            Pt(d, k, i + 1).parabolic)
            ++i;
        double a2 = 0, a1 = 0, a0 = 0;
        if (FitParabolicSegment(k, i, a2, a1, a0, d)) {
            if (std::fabs(a2) > 0.0) {
                const double xv = a1 / (-2.0 * a2);
                if (Pt(d, k, i).x < xv && xv < Pt(d, k, i + 2).x) {
                    const double mv = a2 * xv * xv + a1 * xv + a0;
                    s.maxM = std::max(s.maxM, mv);
                    s.minM = std::min(s.minM, mv);
                }
            }
            ++i;
            if (i == n - 2)
                ++i;
        }
    }
    ShearDiagram v{};
    int count = 0;
    SampleShearDiagram(d, k, v, count);
    for (int i = 0; i < std::clamp(count, 0, kMaxShearPoints); ++i) {
        s.maxV = std::max(s.maxV, v[Z(i)].v);
        s.minV = std::min(s.minV, v[Z(i)].v);
    }
    const auto fraction = [](double lo, double hi) {
        const double sum = std::fabs(hi) + std::fabs(lo);
        return sum > 0.0 ? std::fabs(lo) / sum : 0.5;
    };
    const double usable = 0.75 * box.h - 6.0;
    s.scaleM = std::fabs(s.maxM - s.minM) > 0.0 ? usable / (s.maxM - s.minM) : 0.0;
    s.scaleV = std::fabs(s.maxV - s.minV) > 0.0 ? usable / (s.maxV - s.minV) : 0.0;
    const double f = which == 0 ? fraction(s.minM, s.maxM) : fraction(s.minV, s.maxV);
    s.y0 = Trunc(box.y + box.h - usable * f - 6.0);
    return s;
}

double InterpolatePolyline(const ShearPoint* pairs, int count, double x)
{
    for (int i = 0; i + 1 < count; ++i) {
        const ShearPoint& a = pairs[i];
        const ShearPoint& b = pairs[i + 1];
        if (a.x <= x && x <= b.x && std::fabs(b.x - a.x) > 0.0)
            return a.v + (b.v - a.v) * (x - a.x) / (b.x - a.x);
    }
    return 0.0;
}

int FormatShearAt(const ShearPoint* pairs, int count, double x, std::string& text)
{
    double first = kNotSet, second = kNotSet;
    for (int i = 0; i + 1 < count; ++i) {
        const ShearPoint& a = pairs[i];
        const ShearPoint& b = pairs[i + 1];
        if (!(a.x <= x && x <= b.x && std::fabs(b.x - a.x) > 0.0))
            continue;
        const double v = a.v + (b.v - a.v) * (x - a.x) / (b.x - a.x);
        if (first == kNotSet)
            first = v;
        else if (second == kNotSet && std::fabs(first - v) > std::max(v, first) * 0.01 + kShearAllowance)
            second = v;
    }
    const double f = UnitFactor(ukForce);
    if (first != kNotSet && second != kNotSet)
        text = StrPrintf("Shear: %5.2f/%5.2f", UnsignedZero(first * f, 2), UnsignedZero(second * f, 2));
    else if (first != kNotSet)
        text = StrPrintf("Shear: %5.2f", UnsignedZero(first * f, 2));
    else
        text = "Shear:";
    return 1;
}

// ---- The sheet ------------------------------------------------------------------------------

int MemberSheetStartPage(const TStructureSlots& slots, const TMemberDefinition& d)
{
    return IsQuickDefinable(slots, d) ? 0 : 1;
}

int WriteBackMemberSheet(TMemberDefinition& copy, TMemberDefinition& d)
{
    CheckMemberGeometry(copy);
    if (EqualMemberDefinitions(copy, d) == 0) {
        d = copy;
        return 1;
    }
    int changed = 0;
    // The comparison leaves out the yield-penetration constant; the document stores it. The
    // pages write back what they show (three decimals per display stress unit), so a
    // difference below half the last shown digit is no edit.
    if (std::fabs(copy.yieldPenetrationConstant - d.yieldPenetrationConstant) > 0.0005 * YieldPenetrationRatio()) {
        d.yieldPenetrationConstant = copy.yieldPenetrationConstant;
        changed = 1;
    }
    if (std::fabs(copy.displacementLocation - d.displacementLocation) > kSamePosition)
        d.displacementLocation = copy.displacementLocation;
    return changed;
}
