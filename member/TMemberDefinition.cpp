#include "member/TMemberDefinition.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/Reporter.h"
#include "foundation/SmallSolvers.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "member/MemberLimits.h"
#include "member/MemberXmlElement.h"
#include "member/fire/TStructureSlots.h"
#include "model/TBeam.h"
#include "model/TStructure.h"

TMemberDefinition g_MemberDefinition;

namespace {

// Self weight of reinforced concrete, N/m^3.
constexpr double kConcreteUnitWeight = 24000.0;

bool Near(double a, double b, double tol = kSamePosition) { return std::fabs(a - b) < tol; }

double CurrentHeight(const TStructureSlots& slots)
{
    const TStructure* s = slots.GetStructure(slots.GetCurrentStructure());
    return s != nullptr ? s->GetHeight() : 0.0;
}

void SetFromQuick(const TMemberQuickDef& q, double h, TMemberDefinition& d)
{
    ResetMemberDefinition(d);
    const double L = q.L;
    const double mido2 = q.mido2;
    const double xL = q.leftpercent == -1.0f ? 0.0 : h / 3.0;
    const double xS = xL + L;
    d.length = L != 0.0 ? xS + mido2 : 0.0;
    d.deadLoadConstant = 1;
    d.topPlateSize = q.rplate;
    d.leftPlateSize = q.lplate;
    d.rightPlateSize = q.rplate;
    d.leftPlateLocation = xL;
    d.rightPlateLocation = d.length;
    d.yieldPenetrationConstant = q.penetrate;
    d.displacementLocation = q.right == 2 ? 0.0 : d.length;
    d.leftSupport = SupportType::Roller;
    d.rightSupport = SupportType::FixedVerticalRoller;
    if (q.right == 2) {
        d.leftSupport = SupportType::Undefined;
        d.rightSupport = SupportType::FixedEnd;
    }
    d.leftAnchorage = AnchorageType::Perfect;
    d.leftDirect = q.left == 0 || q.left == 2 ? 1 : 0;
    switch (q.right) {
    case 0:
        d.rightAnchorage = AnchorageType::Perfect;
        d.rightDirect = 1;
        d.topDirect = 1;
        break;
    case 1:
        d.rightAnchorage = AnchorageType::Perfect;
        d.rightDirect = 0;
        d.topDirect = 0;
        break;
    case 2:
        d.rightAnchorage = AnchorageType::YieldPenetrate;
        d.rightDirect = 1;
        d.topDirect = 1;
        break;
    default:
        break;
    }
    d.zoneCount = 1;
    d.zones[0] = {0.0, 0};
    d.pointCount[DeadDiagram] = 0;
    d.axialLoad[DeadDiagram] = q.constAxialLoad;
    d.axialLoad[LiveDiagram] = 0.0;

    // The reference moment shows as one unit of length in the moment unit.
    const double m0 = UnitFactor(ukLength) / UnitFactor(ukMoment);
    double r = q.leftpercent;
    auto& live = d.diagrams[LiveDiagram];
    int n = 0;
    if (q.type == 0) {
        r = std::min(r, 0.99);
        double M = L / (1.0 - r) * m0;
        if (M == 0.0)
            M = 1.0;
        live[n++] = {xL, r * M, 0};
        live[n++] = {xS, M, 0};
        if (mido2 > 0.0)
            live[n++] = {d.length, M, 0};
    } else if (q.type == 1 || q.type == 2) {
        const double dm = (1.0 - r) * m0 * (q.type == 1 ? 0.25 : 0.75);
        live[n++] = {xL, r * m0, 1};
        live[n++] = {xL + L / 2.0, m0 - dm, 1};
        live[n++] = {xS, m0, 1};
        if (mido2 > 0.0)
            live[n++] = {d.length, m0, 0};
    }
    d.pointCount[LiveDiagram] = n;
}

int DiagramCount(const TMemberDefinition& d, int k)
{
    return std::clamp(d.pointCount[static_cast<std::size_t>(k)], 0, kMaxDiagramPoints);
}

const MomentPoint& Point(const TMemberDefinition& d, int k, int i)
{
    return d.diagrams[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)];
}

} // namespace

int ResetMemberDefinition(TMemberDefinition& d)
{
    d = TMemberDefinition{};
    d.displacementLocation = d.length * 0.5;
    return 1;
}

int FirstSectionSlot(const TStructureSlots& slots)
{
    int first = -1;
    for (int i = 0; i < slots.GetSlotCount(); ++i)
        if (const TStructure* s = slots.GetStructure(i)) {
            if (s->GetKind() == kKindBeam)
                return i;
            if (first < 0)
                first = i;
        }
    return std::max(first, 0);
}

int SetMemberFromQuickDefinition(const TStructureSlots& slots, TMemberQuickDef q, TMemberDefinition& d)
{
    // The quick values shape the member; they do not choose its section.
    const int named = d.zoneCount > 0 ? d.zones[0].structureIndex : -1;
    const int section = slots.GetStructure(named) != nullptr ? named : FirstSectionSlot(slots);
    SetFromQuick(q, CurrentHeight(slots), d);
    d.zones[0].structureIndex = section;
    return 1;
}

int SetMemberDefinitionFromSection(const TStructureSlots& slots, TMemberDefinition& d, const TStructure& s)
{
    const double h = s.GetHeight();
    const TMemberQuickDef q = NewSectionMemberValues(h);
    // The new section is the current one; its own height places the left support.
    SetFromQuick(q, h, d);
    d.zones[0].structureIndex = FirstSectionSlot(slots);
    for (int i = 0; i < slots.GetSlotCount(); ++i)
        if (slots.GetStructure(i) == &s)
            d.zones[0].structureIndex = i;
    d.displacementLocation = 3.0 * h;
    return 1;
}

TMemberQuickDef GetQuickDefinitionFromMember(const TMemberDefinition& d)
{
    TMemberQuickDef q;
    q.L = static_cast<float>(d.length);
    q.marker = '0';
    q.constAxialLoad = static_cast<float>(d.axialLoad[DeadDiagram]);
    q.lplate = static_cast<float>(d.leftPlateSize);
    q.rplate = static_cast<float>(d.rightPlateSize);
    q.penetrate = static_cast<float>(d.yieldPenetrationConstant);
    if (d.leftSupport == SupportType::Undefined && d.rightSupport == SupportType::FixedEnd)
        q.right = 2;
    if (d.rightDirect == 0 && d.topDirect == 0)
        q.right = 1;
    else if (d.rightDirect != 0 && d.topDirect != 0) {
        if (d.rightAnchorage == AnchorageType::Perfect)
            q.right = 0;
        else if (d.rightAnchorage == AnchorageType::YieldPenetrate)
            q.right = 2;
    }
    q.left = d.leftDirect == 0 ? 1 : 0;

    const int n = DiagramCount(d, LiveDiagram);
    const auto& P = d.diagrams[LiveDiagram];
    const bool parabolic = n >= 3 && P[0].parabolic && P[1].parabolic && P[2].parabolic;
    // A zero reference moment would store an infinite ratio: the ratio is then 0.
    const auto ratio = [](double a, double b) { return b != 0.0 ? a / b : 0.0; };
    if ((n == 2 || n == 3) && !parabolic) {
        q.type = 0;
        q.leftpercent = static_cast<float>(ratio(P[0].moment, P[1].moment));
        q.L = static_cast<float>(P[1].x - P[0].x);
        q.mido2 = n == 3 ? static_cast<float>(P[2].x - P[1].x) : 0.0f;
    } else if ((n == 3 || n == 4) && parabolic) {
        q.L = static_cast<float>(P[2].x - P[0].x);
        const double lp = ratio(P[0].moment, P[2].moment);
        q.leftpercent = static_cast<float>(lp);
        q.type = 1;
        if (1.0 - lp > 0.01 && (1.0 - ratio(P[1].moment, P[2].moment)) / (1.0 - lp) >= 0.5)
            q.type = 2;
        q.mido2 = n == 4 ? static_cast<float>(P[3].x - P[2].x) : 0.0f;
    }
    return q;
}

bool IsQuickDefinable(const TStructureSlots& slots, const TMemberDefinition& d)
{
    TMemberDefinition back = d;
    SetMemberFromQuickDefinition(slots, GetQuickDefinitionFromMember(d), back);
    if (EqualMemberDefinitions(d, back) == 1)
        return true;
    // A document keeps the values to its own decimals: a moment of the live diagram computed in
    // single precision (-9300.00019 N m for a span of 9300 mm) is kept as -9.300 kN m, further
    // from it than a comparison allows. A definition opened from a document is the quick one
    // when the two are one as a document of the active units keeps them.
    return EqualMemberDefinitions(MemberAsDocumentKeepsIt(d, g_UnitSystem),
                                  MemberAsDocumentKeepsIt(back, g_UnitSystem)) == 1;
}

int EqualMemberDefinitions(const TMemberDefinition& a, const TMemberDefinition& b)
{
    if (!Near(a.length, b.length) || a.deadLoadConstant != b.deadLoadConstant)
        return 0;
    if (!Near(a.leftPlateSize, b.leftPlateSize) || !Near(a.leftPlateLocation, b.leftPlateLocation) ||
        !Near(a.rightPlateSize, b.rightPlateSize) || !Near(a.rightPlateLocation, b.rightPlateLocation) ||
        !Near(a.topPlateSize, b.topPlateSize))
        return 0;
    if (a.leftSupport != b.leftSupport || a.rightSupport != b.rightSupport || a.leftDirect != b.leftDirect ||
        a.rightDirect != b.rightDirect || a.topDirect != b.topDirect || a.leftAnchorage != b.leftAnchorage ||
        a.rightAnchorage != b.rightAnchorage)
        return 0;
    if (a.zoneCount != b.zoneCount)
        return 0;
    for (int i = 0; i < std::clamp(a.zoneCount, 0, kMaxMemberZones); ++i) {
        const auto& za = a.zones[static_cast<std::size_t>(i)];
        const auto& zb = b.zones[static_cast<std::size_t>(i)];
        if (!Near(za.startX, zb.startX) || za.structureIndex != zb.structureIndex)
            return 0;
    }
    for (int k : {DeadDiagram, LiveDiagram}) {
        if (a.pointCount[static_cast<std::size_t>(k)] != b.pointCount[static_cast<std::size_t>(k)] ||
            a.axialLoad[static_cast<std::size_t>(k)] != b.axialLoad[static_cast<std::size_t>(k)])
            return 0;
    }
    for (int k : {LiveDiagram, DeadDiagram}) {
        for (int i = 0; i < DiagramCount(a, k); ++i) {
            const MomentPoint& pa = Point(a, k, i);
            const MomentPoint& pb = Point(b, k, i);
            if (!Near(pa.x, pb.x) || !Near(pa.moment, pb.moment) || pa.parabolic != pb.parabolic)
                return 0;
        }
    }
    return 1;
}

int FindMemberZone(const TMemberDefinition& d, double x, bool lastToLength)
{
    const int n = std::clamp(d.zoneCount, 0, kMaxMemberZones);
    for (int i = 0; i < n; ++i) {
        const double lo = d.zones[static_cast<std::size_t>(i)].startX;
        const double hi = i + 1 < n ? d.zones[static_cast<std::size_t>(i + 1)].startX
                                    : (lastToLength ? d.length : d.length + 0.0002);
        if ((lo <= x && x < hi) || Near(x, lo))
            return i;
    }
    if (lastToLength && n > 0 && Near(x, d.length))
        return n - 1;
    return -1;
}

TStructure* GetStructureAtPosition(const TStructureSlots& slots, const TMemberDefinition& d, double x)
{
    const int zone = FindMemberZone(d, x);
    TStructure* s = zone >= 0 ? slots.GetStructure(d.zones[static_cast<std::size_t>(zone)].structureIndex)
                              : nullptr;
    if (s == nullptr)
        ShowMessage(StrPrintf("No section is defined at %.4f m of the member.", x), "Error in Member Definition",
                    MsgStyle::IconExclamation);
    return s;
}

double GetGrossConcreteArea(const TStructure& s)
{
    if (const auto* beam = dynamic_cast<const TBeam*>(&s))
        return beam->GetGrossArea();
    return s.ConcreteAreaBetween(s.GetBottom(), s.GetTop());
}

double GetMemberLoadIntensity(const TStructureSlots& slots,
                              const TMemberDefinition& d,
                              double x,
                              double leftReaction,
                              double rightReaction,
                              int withReactions)
{
    const int zone = FindMemberZone(d, x, false);
    const TStructure* s =
        zone >= 0 ? slots.GetStructure(d.zones[static_cast<std::size_t>(zone)].structureIndex) : nullptr;
    if (s == nullptr) {
        ShowMessage(StrPrintf("No section is defined at %.4f m of the member.", x), "Error in Member Definition",
                    MsgStyle::IconExclamation);
        return 0.0;
    }
    double q = kConcreteUnitWeight * GetGrossConcreteArea(*s);
    if (withReactions != 0) {
        const auto onPlate = [x](double c, double size) {
            const double lo = c - size / 2.0;
            const double hi = c + size / 2.0;
            return size != 0.0 && ((x >= lo && x <= hi) || Near(x, lo) || Near(x, hi));
        };
        if (onPlate(d.leftPlateLocation, d.leftPlateSize))
            q -= leftReaction / d.leftPlateSize;
        if (onPlate(d.rightPlateLocation, d.rightPlateSize))
            q -= rightReaction / d.rightPlateSize;
    }
    return q;
}

int ListMemberBreakPoints(const TMemberDefinition& d,
                          std::array<double, kMaxBreakPoints>& xs,
                          int& count,
                          int& platesUsable)
{
    count = 0;
    const auto add = [&xs, &count](double x) {
        if (count < kMaxBreakPoints)
            xs[static_cast<std::size_t>(count++)] = x;
    };
    for (int i = 0; i < std::clamp(d.zoneCount, 0, kMaxMemberZones); ++i)
        add(d.zones[static_cast<std::size_t>(i)].startX);
    add(d.length);
    platesUsable = 1;
    const auto addSupport = [&](double size, double centre) {
        if (size < 0.1)
            platesUsable = 0;
        if (centre - size / 2.0 < 0.0 || centre + size > d.length)
            platesUsable = 0;
        else if (platesUsable == 1)
            add(std::max(centre - size / 2.0, 0.0));
        add(centre);
        if (platesUsable == 1)
            add(std::min(d.length, centre + size / 2.0));
    };
    bool left = true;
    bool right = true;
    if (d.leftSupport == SupportType::FixedEnd)
        right = false;
    else if (d.rightSupport == SupportType::FixedEnd || d.leftSupport == SupportType::FixedVerticalRoller)
        left = false;
    else if (d.rightSupport == SupportType::FixedVerticalRoller)
        right = false;
    if (left)
        addSupport(d.leftPlateSize, d.leftPlateLocation);
    if (right)
        addSupport(d.rightPlateSize, d.rightPlateLocation);
    std::stable_sort(xs.begin(), xs.begin() + count);
    return 1;
}

int FitParabolicSegment(int k, int i, double& a2, double& a1, double& a0, const TMemberDefinition& d)
{
    a2 = a1 = a0 = 0.0;
    const int n = DiagramCount(d, k);
    if (i < 0 || i + 2 >= n)
        return 0;
    const MomentPoint& p0 = Point(d, k, i);
    const MomentPoint& p1 = Point(d, k, i + 1);
    const MomentPoint& p2 = Point(d, k, i + 2);
    if (!p0.parabolic || !p1.parabolic || !p2.parabolic || p0.x == p1.x || p1.x == p2.x)
        return 0;
    Matrix3 m{{{p0.x * p0.x, p0.x, 1.0}, {p1.x * p1.x, p1.x, 1.0}, {p2.x * p2.x, p2.x, 1.0}}};
    Vector3 rhs{p0.moment, p1.moment, p2.moment};
    Vector3 a{};
    if (SolveLinear3(m, a, rhs, 3) == 0) {
        a2 = a[0];
        a1 = a[1];
        a0 = a[2];
    }
    return 1;
}

int SampleShearDiagram(const TMemberDefinition& d, int k, ShearDiagram& out, int& count)
{
    const int n = DiagramCount(d, k);
    count = 0;
    const auto add = [&out, &count](double x, double v) {
        if (count < kMaxShearPoints)
            out[static_cast<std::size_t>(count++)] = {x, v};
    };
    add(Point(d, k, 0).x, 0.0);
    int i = 0;
    while (i < n) {
        // A jump: the segment starts at its second point. Only while a next point exists.
        if (i + 1 < n && Near(Point(d, k, i).x, Point(d, k, i + 1).x))
            ++i;
        double a2 = 0.0;
        double a1 = 0.0;
        double a0 = 0.0;
        const double xi = Point(d, k, i).x;
        if (FitParabolicSegment(k, i, a2, a1, a0, d)) {
            const double xe = Point(d, k, i + 2).x;
            add(xi, -(2.0 * a2 * xi + a1));
            add(xe, -(2.0 * a2 * xe + a1));
            i += 2;
        } else {
            if (i < n - 1 && std::fabs(Point(d, k, i + 1).x - xi) > kSamePosition) {
                const double v = -(Point(d, k, i + 1).moment - Point(d, k, i).moment) / (Point(d, k, i + 1).x - xi);
                add(xi, v);
                add(Point(d, k, i + 1).x, v);
            }
            ++i;
        }
    }
    add(n >= 2 ? Point(d, k, n - 1).x : d.length, 0.0);
    return 1;
}

int GenerateSelfWeightDiagram(const TStructureSlots& slots, TMemberDefinition& d, int k)
{
    if (k != LiveDiagram && k != DeadDiagram)
        return 0;
    std::array<double, kMaxBreakPoints> P{};
    int np = 0;
    int platesUsable = 1;
    ListMemberBreakPoints(d, P, np, platesUsable);

    const bool leftFixed = d.leftSupport == SupportType::FixedEnd;
    const bool rightFixed = d.rightSupport == SupportType::FixedEnd;
    const bool leftSym = d.leftSupport == SupportType::FixedVerticalRoller;
    const bool rightSym = d.rightSupport == SupportType::FixedVerticalRoller;
    const double xRef = !leftFixed && !rightSym ? d.rightPlateLocation : d.leftPlateLocation;

    double W = 0.0;
    double M0 = 0.0;
    for (int j = 0; j + 1 < np; ++j) {
        const double a = P[static_cast<std::size_t>(j)];
        const double b = P[static_cast<std::size_t>(j + 1)];
        const double wj = (b - a) * GetMemberLoadIntensity(slots, d, a, 0.0, 0.0, 0);
        W += wj;
        M0 += wj * ((a + b) / 2.0 - xRef);
    }

    double RL = 0.0;
    double RR = 0.0;
    double Ms = 0.0;
    double J = 0.0;
    if (!leftFixed && !rightFixed && !leftSym && !rightSym) {
        const double span = d.rightPlateLocation - d.leftPlateLocation;
        if (span <= 0.0) {
            // The reactions are undetermined: the diagram stays as it was.
            ShowMessage("Insufficient distance between supports", "Error in Geometry");
            return 0;
        }
        RL = -M0 / span;
        RR = W - RL;
    } else if (!leftFixed && !rightFixed && rightSym && !leftSym) {
        RL = W;
    } else if (!leftFixed && !rightFixed && leftSym) {
        RR = W;
        Ms = M0;
    } else if (!leftFixed && rightFixed) {
        RR = W;
        J = M0;
        if (xRef == 0.0)
            Ms = M0;
    } else {
        RL = W;
        J = M0;
        if (xRef == 0.0)
            Ms = M0;
    }

    std::vector<MomentPoint> pts;
    double V = 0.0;
    double M = Ms;
    for (int j = 0; j + 1 < np; ++j) {
        const double a = P[static_cast<std::size_t>(j)];
        const double b = P[static_cast<std::size_t>(j + 1)];
        const double dx = b - a;
        const double w = GetMemberLoadIntensity(slots, d, (a + b) / 2.0, RL, RR, platesUsable);
        if (platesUsable == 0) {
            if (Near(a, d.leftPlateLocation)) {
                V -= RL;
                RL = 0.0;
            }
            if (Near(a, d.rightPlateLocation)) {
                V -= RR;
                RR = 0.0;
            }
        }
        const double V0 = V;
        const double V1 = V0 + dx * w;
        double Mprev = M;
        M += (V0 + V1) * dx / 2.0;
        if (Near(a, xRef) && std::fabs(J) > 1.0 && std::fabs(xRef) > kSamePosition) {
            pts.push_back({std::max(a - 6.7e-5, 0.0), Mprev, 1});
            Mprev += J;
            M += J;
            pts.push_back({std::max(a - 3.3e-5, 0.0), Mprev, 0});
        }
        if (a + b > kSamePosition) {
            pts.push_back({a, Mprev, 1});
            pts.push_back({a + dx / 2.0, Mprev + (dx / 4.0) * (V0 + (V0 + V1) / 2.0), 1});
        }
        V = V1;
    }
    pts.push_back({d.length, M, 1});
    if (std::fabs(M) > 1.0)
        pts.push_back({d.length, -0.0, 1});
    if (pts.size() > static_cast<std::size_t>(kMaxDiagramPoints)) {
        ShowMessage(StrPrintf("The self-weight diagram needs %d points; a diagram holds %d.  "
                              "The diagram was left as it was.",
                              static_cast<int>(pts.size()), kMaxDiagramPoints),
                    "Error in Geometry");
        return 0;
    }
    // A moment no document holds (a long member of a large section) is refused as the
    // document's reader would refuse it.
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const std::string unheld = UnheldMemberValue(
            StrPrintf("Point %d of the self-weight diagram", static_cast<int>(i) + 1),
            "a moment",
            pts[i].moment,
            kMemberMomentRange,
            &g_UnitSystem);
        if (!unheld.empty()) {
            ShowMessage(unheld + "  The diagram was left as it was.", "Error in Geometry");
            return 0;
        }
    }
    if (pts.front().moment == 0.0)
        pts.front().moment = -0.0;
    auto& diagram = d.diagrams[static_cast<std::size_t>(k)];
    std::copy(pts.begin(), pts.end(), diagram.begin());
    d.pointCount[static_cast<std::size_t>(k)] = static_cast<int32_t>(pts.size());
    return 1;
}

int CheckMemberGeometry(TMemberDefinition& d)
{
    // A member not defined yet (negative length) has no geometry to repair; its positions
    // keep their defaults.
    if (d.length < 0.0)
        return 1;
    const int nz = std::clamp(d.zoneCount, 0, kMaxMemberZones);
    // Every position of the member, to be kept within its length.
    std::vector<double*> positions{&d.leftPlateLocation, &d.rightPlateLocation};
    for (int i = 0; i < nz; ++i)
        positions.push_back(&d.zones[static_cast<std::size_t>(i)].startX);
    for (int k : {LiveDiagram, DeadDiagram})
        for (int i = 0; i < DiagramCount(d, k); ++i)
            positions.push_back(&d.diagrams[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)].x);

    double xmax = d.length;
    for (const double* p : positions)
        xmax = std::max(xmax, *p);
    if (xmax > d.length && xmax - d.length < 0.001)
        d.length = xmax;
    if (xmax > d.length) {
        ShowMessage("Some locations are outside of the beam length.  Moving them to lie within the member length",
                    "Error in geometry");
        for (double* p : positions)
            *p = std::min(*p, d.length);
    }
    if (d.rightSupport == SupportType::FixedVerticalRoller && d.leftSupport != SupportType::FixedEnd &&
        d.rightPlateLocation != d.length) {
        if (std::fabs(d.rightPlateLocation - d.length) >= 0.001)
            ShowMessage("A right-side vertical roller with zero rotation can only be defined at the member "
                        "right-hand end",
                        "Error in geometery");
        d.rightPlateLocation = d.length;
    }
    if (d.leftSupport == SupportType::FixedVerticalRoller && d.rightSupport != SupportType::FixedEnd &&
        d.leftPlateLocation != 0.0) {
        if (std::fabs(d.leftPlateLocation) >= kSamePosition)
            ShowMessage("A left-side vertical roller with zero rotation can only be defined at the left member end",
                        "Error in geometery");
        d.leftPlateLocation = 0.0;
    }
    constexpr const char* kRollerOnly = "A vertical roller with zero rotation can only be used if the other support "
                                        "is a roller";
    if (d.rightSupport == SupportType::FixedVerticalRoller && d.leftSupport != SupportType::FixedEnd &&
        d.leftSupport != SupportType::Roller) {
        d.leftSupport = SupportType::Roller;
        ShowMessage(kRollerOnly, "Error in geometry");
    }
    if (d.leftSupport == SupportType::FixedVerticalRoller && d.rightSupport != SupportType::Roller) {
        d.rightSupport = SupportType::Roller;
        ShowMessage(kRollerOnly, "Error in geometry");
    }
    return 1;
}
