#pragma once
// Every value a section and a member definition hold, each under its own name, so that two of
// them are compared value by value: the section a session holds and the one its document
// reopens as, or a section before and after a page left with OK and nothing edited. Derived
// values (section properties, bond terms, ratios, depth profiles) are listed too: a section
// whose inputs are the same derives the same.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/StrFormat.h"
#include "foundation/TDepthTable.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "model/shapes/SectionShape.h"

namespace sectionvalues {

struct NamedValue {
    std::string name;
    double number = 0.0;
    std::string text;
    bool isText = false;
    // Worked out by validation from other values (a depth profile): it may carry their
    // differences enlarged.
    bool derived = false;
    // A tension-stiffening factor, 3600 over a bond term that is a sum of triangles over the
    // depth: near a triangle's tip a depth moved in its last digit moves the factor by any share,
    // so the bond term it stands for is compared, against the table's largest (the reciprocal of
    // its least factor).
    double bondScale = 0.0;
};

class Values {
public:
    void Num(const std::string& name, double v) { list.push_back({name, v, {}, false}); }
    void Text(const std::string& name, const std::string& t)
    {
        list.push_back({name, 0.0, t, true});
    }
    void Table(const std::string& name, const TDepthTable& t, bool derived = false, bool bond = false)
    {
        Num(name + " points", t.GetCount());
        double least = 0.0;
        for (int i = 0; bond && i < t.GetCount(); ++i)
            if (t.GetValue(i) > 0.0 && (least == 0.0 || t.GetValue(i) < least))
                least = t.GetValue(i);
        for (int i = 0; i < t.GetCount(); ++i) {
            Num(StrPrintf("%s %d depth", name.c_str(), i), t.GetDepth(i));
            Num(StrPrintf("%s %d value", name.c_str(), i), t.GetValue(i));
            list[list.size() - 2].derived = list.back().derived = derived;
            if (least > 0.0)
                list.back().bondScale = 1.0 / least;
        }
    }
    std::vector<NamedValue> list;
};

inline std::vector<NamedValue> OfSection(const TBeam& b)
{
    Values v;
    v.Text("name", b.GetName());
    v.Text("done by", b.GetDoneBy());
    v.Text("date", b.GetDate());
    // A section without an outline has no shape to keep.
    if (b.GetRegionCount() > 0) {
        const int code = b.GetSectionKindCode();
        v.Num("shape code", code);
        // A user outline or a catalogue shape is its regions: no library name or parameters.
        if (code != kUserShapeCode && code != kStandardTypeCode) {
            v.Text("shape name", b.GetShapeName());
            for (int k = 1; k <= kBeamShapeParamCount; ++k)
                v.Num(StrPrintf("shape parameter %d", k), b.GetShapeParameter(k));
        }
    }
    for (int d : {0, 2}) {
        v.Num(StrPrintf("crack spacing %d", d), b.GetCrackSpacing(d));
        v.Num(StrPrintf("crack spacing %d automatic", d), b.IsCrackSpacingAuto(d));
    }
    v.Num("moment axis", b.GetMomentAxis());
    int flag = 0;
    double days = 0, moment = 0, axial = 0;
    b.GetTimeData(flag, days, moment, axial);
    v.Num("long-term flag", flag);
    v.Num("age", days);
    v.Num("sustained moment", moment);
    v.Num("sustained axial load", axial);
    double loads[6] = {};
    b.GetConstantLoads(loads, 3);
    b.GetIncrementLoads(loads + 3, 3);
    for (int i = 0; i < 6; ++i)
        v.Num(StrPrintf("load %d", i), loads[i]);
    int exposure = 0, curve = 0, rebar = 0;
    double time = 0, temperature = 0;
    b.GetFireData(exposure, curve, rebar, time, temperature);
    v.Num("fire exposure", exposure);
    v.Num("fire curve", curve);
    v.Num("fire reinforcement", rebar);
    v.Num("fire time", time);
    v.Num("fire temperature", temperature);
    v.Num("model set", b.GetConcreteModelSet());
    v.Num("tension stiffening check", b.GetCheckTensionStiffening());
    TMemberQuickDef q;
    b.GetStoredValues(q);
    for (const auto& [name, x] : {std::pair<const char*, double>{"stored L", q.L},
                                  {"stored left", q.leftpercent},
                                  {"stored penetration", q.penetrate},
                                  {"stored type", q.type},
                                  {"stored left case", q.left},
                                  {"stored right case", q.right},
                                  {"stored constant zone", q.mido2},
                                  {"stored marker", q.marker},
                                  {"stored left plate", q.lplate},
                                  {"stored right plate", q.rplate},
                                  {"stored axial load", q.constAxialLoad}})
        v.Num(name, x);
    v.Num("top", b.GetTop());
    v.Num("bottom", b.GetBottom());
    v.Num("height", b.GetHeight());
    // What validation works out of the outline: a section without one has none of it.
    const bool solid = b.GetHeight() > 0.0;
    if (solid) {
        for (int t = 0; t < 2; ++t) {
            const SectionProperties p =
                t == 0 ? b.GetGrossProperties() : b.GetTransformedProperties();
            v.Num(StrPrintf("properties %d area", t), p.area);
            v.Num(StrPrintf("properties %d inertia", t), p.inertia);
            v.Num(StrPrintf("properties %d centroid", t), p.centroid);
        }
        v.Num("main concrete", b.GetMainConcreteType());
        v.Num("main steel", b.GetMainSteelType());
    }
    v.Num("concrete types", b.GetConcreteTypeCount());
    for (int i = 0; i < b.GetConcreteTypeCount(); ++i) {
        const ConcreteTypeRec& c = *b.GetConcreteType(i);
        const std::string n = StrPrintf("concrete %d ", i);
        v.Text(n + "name", c.name);
        for (const auto& [field, x] : {std::pair<const char*, double>{"f'c", c.fc},
                                       {"e'c", c.ec},
                                       {"Ec", c.Ec},
                                       {"f't", c.ft},
                                       {"ecr", c.ecr},
                                       {"ts factor", c.tsFactor},
                                       {"aggregate", c.aggregate},
                                       {"f't automatic", c.ftAuto},
                                       {"e'c automatic", c.ecAuto},
                                       {"ts coefficient", c.tsCoefficient},
                                       {"Kc", c.Kc},
                                       {"base curve", c.baseCurve},
                                       {"softening", c.softening},
                                       {"tension stiffening", c.tensionStiffening}})
            v.Num(n + field, x);
        // The curve-fitting factors shape the base curves; a user curve is its own points.
        if (c.baseCurve != BaseCurveCode::UserDefined) {
            v.Num(n + "n", c.n);
            v.Num(n + "k", c.k);
        }
        v.Num(n + "user curve", c.userCurve ? 1 : 0);
        if (c.userCurve)
            v.Table(n + "curve", *c.userCurve);
    }
    v.Num("steel types", b.GetSteelTypeCount());
    for (int i = 0; i < b.GetSteelTypeCount(); ++i) {
        const SteelTypeRec& s = *b.GetSteelType(i);
        const std::string n = StrPrintf("steel %d ", i);
        v.Text(n + "name", s.name);
        for (const auto& [field, x] : {std::pair<const char*, double>{"kind", s.kind},
                                       {"Es", s.Es},
                                       {"fy", s.fy},
                                       {"esh", s.esh},
                                       {"eu", s.eu},
                                       {"fu", s.fu},
                                       {"er", s.er}})
            v.Num(n + field, x);
        // The Ramberg-Osgood constants belong to prestressing steel; other kinds neither use nor
        // keep them.
        if (s.kind == SteelKind::Prestressing)
            for (const auto& [field, x] :
                 {std::pair<const char*, double>{"A", s.A}, {"B", s.B}, {"C", s.C}})
                v.Num(n + field, x);
        v.Num(n + "user curve", s.userCurve ? 1 : 0);
        if (s.userCurve)
            v.Table(n + "curve", *s.userCurve);
    }
    v.Num("regions", b.GetRegionCount());
    for (int i = 0; i < b.GetRegionCount(); ++i) {
        const ConcreteRegionRec& r = *b.GetRegion(i);
        const std::string n = StrPrintf("region %d ", i);
        v.Num(n + "top", r.top);
        v.Num(n + "bottom", r.bottom);
        v.Num(n + "top width", r.topWidth);
        v.Num(n + "bottom width", r.bottomWidth);
        v.Num(n + "concrete", r.concreteType);
    }
    v.Num("layers", b.GetLongLayerCount(0));
    for (int i = 0; i < b.GetLongLayerCount(0); ++i) {
        const LongLayerRec& l = *b.GetLongLayer(i, 0);
        const std::string n = StrPrintf("layer %d ", i);
        v.Text(n + "name", l.name);
        v.Text(n + "bar", l.bartitle);
        for (const auto& [field, x] : {std::pair<const char*, double>{"z", l.z},
                                       {"A", l.A},
                                       {"drape", l.drape},
                                       {"num", l.num},
                                       {"Ai", l.Ai},
                                       {"db", l.db},
                                       {"bar index", l.barIndex},
                                       {"dep", l.dep},
                                       {"type", l.type},
                                       {"bond term", solid ? l.bondTerm : 0.0},
                                       {"pattern", l.pattern},
                                       {"nround", l.nround},
                                       {"aligned", l.aligned},
                                       {"index", l.index},
                                       {"sort lower", l.sortLower},
                                       {"ratio", solid ? l.ratio : 0.0},
                                       {"thermal strain", l.thermStrain},
                                       {"time strain", l.timeStrain},
                                       {"space", l.space},
                                       {"x", l.barX}})
            v.Num(n + field, x);
    }
    // A stirrup's ratio is the largest at eleven depths along it: at a width step the last bit
    // of a depth takes the width of one region or the other, so it is not compared.
    v.Num("stirrups", b.GetTransLayerCount(2));
    for (int i = 0; i < b.GetTransLayerCount(2); ++i) {
        const TransLayerRec& t = *b.GetTransLayer(i, 2);
        const std::string n = StrPrintf("stirrup %d ", i);
        v.Text(n + "name", t.name);
        v.Text(n + "bar", t.bartitle);
        for (const auto& [field, x] : {std::pair<const char*, double>{"A", t.A},
                                       {"angle", t.angle},
                                       {"legs", t.legs},
                                       {"Ai", t.Ai},
                                       {"db", t.db},
                                       {"bar index", t.barIndex},
                                       {"dep", t.dep},
                                       {"type", t.type},
                                       {"pattern", t.pattern},
                                       {"top", t.disttop},
                                       {"bottom", t.distbot},
                                       {"space", t.space},
                                       {"thermal strain", t.thermStrain}})
            v.Num(n + field, x);
    }
    // A section without height has no depth over which a profile could run (nor a solve).
    if (b.GetHeight() > 0.0) {
        // The shrinkage and thermal strains are typed; the other profiles are worked out.
        for (int k = 0; k < 9; ++k)
            v.Table(StrPrintf("profile %d", k),
                    b.GetPositionVariable(k),
                    k != kShrinkTherm,
                    k >= kTensionStiffX && k <= kTensionStiffZ);
        v.Table("strain discontinuity", b.GetStrainDiscontinuityTable());
        v.Table("critical ratio", b.GetCriticalRhoTable(), true);
    }
    return v.list;
}

inline std::vector<NamedValue> OfMember(const TMemberDefinition& d)
{
    Values v;
    for (const auto& [field, x] : {std::pair<const char*, double>{"length", d.length},
                                   {"dead load constant", d.deadLoadConstant},
                                   {"top plate", d.topPlateSize},
                                   {"left plate", d.leftPlateSize},
                                   {"left location", d.leftPlateLocation},
                                   {"left support", d.leftSupport},
                                   {"right support", d.rightSupport},
                                   {"left direct", d.leftDirect},
                                   {"top direct", d.topDirect},
                                   {"left anchorage", d.leftAnchorage},
                                   {"right anchorage", d.rightAnchorage},
                                   {"yield penetration", d.yieldPenetrationConstant},
                                   {"zones", d.zoneCount},
                                   {"displacement location", d.displacementLocation}})
        v.Num(std::string("member ") + field, x);
    // A member without a right support (a cantilever) has no right plate: a document keeps none.
    if (d.rightSupport != SupportType::Undefined) {
        v.Num("member right plate", d.rightPlateSize);
        v.Num("member right location", d.rightPlateLocation);
        v.Num("member right direct", d.rightDirect);
    }
    for (int z = 0; z < std::clamp(d.zoneCount, 0, kMaxMemberZones); ++z) {
        v.Num(StrPrintf("member zone %d start", z), d.zones[static_cast<std::size_t>(z)].startX);
        v.Num(StrPrintf("member zone %d section", z),
              d.zones[static_cast<std::size_t>(z)].structureIndex);
    }
    for (int k = 0; k < 2; ++k) {
        const auto ku = static_cast<std::size_t>(k);
        v.Num(StrPrintf("member diagram %d axial load", k), d.axialLoad[ku]);
        v.Num(StrPrintf("member diagram %d points", k), d.pointCount[ku]);
        for (int i = 0; i < std::clamp(d.pointCount[ku], 0, kMaxDiagramPoints); ++i) {
            const MomentPoint& p = d.diagrams[ku][static_cast<std::size_t>(i)];
            v.Num(StrPrintf("member diagram %d point %d x", k, i), p.x);
            v.Num(StrPrintf("member diagram %d point %d moment", k, i), p.moment);
            v.Num(StrPrintf("member diagram %d point %d parabolic", k, i), p.parabolic);
        }
    }
    return v.list;
}

// What a worked-out value may move by where the values it is worked out of may move (relative).
inline constexpr double kDerivedShare = 1e-7;

// Where two lists part: empty when every value is the same, numbers within `share` of the
// larger magnitude (or within `floor` of each other, for values near 0); worked-out values
// within kDerivedShare where any share is allowed.
inline std::string FirstDifference(const std::vector<NamedValue>& was,
                                   const std::vector<NamedValue>& is,
                                   double allowed,
                                   double floor)
{
    const std::size_t n = std::min(was.size(), is.size());
    for (std::size_t i = 0; i < n; ++i) {
        const NamedValue &a = was[i], &b = is[i];
        const double share =
            a.derived && allowed > 0.0 ? std::max(allowed, kDerivedShare) : allowed;
        if (a.name != b.name)
            return "\"" + a.name + "\" became \"" + b.name + "\"";
        if (a.isText ? a.text != b.text : false)
            return StrPrintf("%s \"%s\" became \"%s\"",
                             a.name.c_str(),
                             a.text.c_str(),
                             b.text.c_str());
        const bool bondsAlike = a.bondScale > 0.0 && a.number > 0.0 && b.number > 0.0 &&
                                std::fabs(1.0 / a.number - 1.0 / b.number) <= share * a.bondScale;
        if (!a.isText && a.number != b.number && !bondsAlike &&
            !(std::fabs(a.number - b.number) <=
              std::max(floor, share * std::max(std::fabs(a.number), std::fabs(b.number))))) {
            if (std::getenv("QV_ALL_VALUES"))
                for (std::size_t j = 0; j < n; ++j)
                    std::fprintf(stderr,
                                 "  %s %.17g | %.17g\n",
                                 was[j].name.c_str(),
                                 was[j].number,
                                 is[j].number);
            if (std::getenv("QV_ALL_DIFFERENCES"))
                for (std::size_t j = i + 1; j < n; ++j)
                    if (was[j].number != is[j].number || was[j].text != is[j].text)
                        std::fprintf(stderr,
                                     "  also %s %.17g became %.17g\n",
                                     was[j].name.c_str(),
                                     was[j].number,
                                     is[j].number);
            return StrPrintf("%s %.17g became %.17g", a.name.c_str(), a.number, b.number);
        }
    }
    if (was.size() != is.size())
        return StrPrintf("%zu values became %zu", was.size(), is.size());
    return {};
}

} // namespace sectionvalues
