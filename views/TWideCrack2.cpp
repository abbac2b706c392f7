#include "views/TWideCrack2.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "analysis/T1DAnalysis.h"
#include "app/views/DiagramMakers.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "member/TFullMemberResponse.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "platform/Ui.h"
#include "views/StateDiagramsInstall.h"

namespace {

namespace TA = plat::TextAlign;
using picture::Band;
using picture::Label;
using picture::Line;

constexpr plat::Color kMemberColour{192, 192, 192};
constexpr plat::Color kSteelColour{160, 160, 160};
// Greatest height of a loading plate (pixels).
constexpr int kPlateHeight = 10;
// Room between a load label's text and its box (pixels).
constexpr int kLabelPad = 3;
// The largest displacement magnification taken, either way.
constexpr double kMaxScaleFactor = 1e6;

int Round(double v) { return static_cast<int>(std::lround(v)); }

} // namespace

// ---- Construction and commands ---------------------------------------------------------------

TWideCrack2::TWideCrack2(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int graphId)
    : Tchart(parent, title, x, y, w, h, 0, 0, 0), m_definition(g_MemberDefinition),
      m_records(std::make_unique<std::array<MemberStateRecord, kMaxSections>>())
{
    m_kind = graphId;
    m_factor = (graphId == 4001 || graphId == 4003) ? 25.0 : 0.0;
    TruncatePopup(0);
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, 3000, "Zoom in by factor of two");
    AppendPopupItem(0, 3001, "Zoom out by factor of two");
    AppendPopupItem(0, 3003, "Select Title Font");
    AppendPopupItem(0, 3004, "Select Crack Width Font");
    AppendPopupItem(0, 3007, "Select Scale Factor");
    AppendPopupItem(0, 3002, "Show Cracking and Angles");
    // The title, crack widths and notes are written no smaller than a readable text.
    m_readableText = true;
    SetFontHeights(std::min(h / 9, w / 11), std::min(h / 6, w / 13));
}

TWideCrack2::~TWideCrack2() = default;

const MemberStateRecord& TWideCrack2::Record(int k) const { return (*m_records)[static_cast<std::size_t>(k)]; }

void TWideCrack2::Redraw()
{
    if (IsCreated())
        Invalidate(true);
}

void TWideCrack2::AutoScale() { Redraw(); }

void TWideCrack2::CmPopup3000()
{
    m_zoom *= 2.0;
    Redraw();
}

void TWideCrack2::CmPopup3001()
{
    m_zoom /= 2.0;
    m_panX = m_panY = 0;
    Redraw();
}

void TWideCrack2::CmPopup3002()
{
    m_angles = m_angles == 0 ? 1 : 0;
    Redraw();
}

void TWideCrack2::CmPopup3007()
{
    std::string text = StrPrintf("%5.2f", m_factor);
    if (text.size() > 1023)
        text.resize(1023);
    // A magnification that is no finite number would put the member off every screen: it is
    // refused and asked for again.
    double value = m_factor;
    if (!plat::InputUntilTaken("Scale Factor", "Enter scale factor for displacements", text, [&value](const std::string& t) {
            return ReadTypedValue(t, "Scale factor", {-kMaxScaleFactor, kMaxScaleFactor, ukNone}, value);
        }))
        return;
    m_factor = value;
    // The member is drawn again from the displacements kept, at the new magnification, and
    // the picture fits the new displaced shape.
    ResetExtents();
    ApplyScaleFactor();
    Redraw();
}

void TWideCrack2::EvLButtonDblClk(unsigned, plat::Point p)
{
    m_zoom *= 2.0;
    m_panX += p.x - Width() / 2;
    m_panY += p.y - Height() / 2;
    Redraw();
}

void TWideCrack2::EvLButtonDown(unsigned, plat::Point p)
{
    m_lastX = p.x;
    m_lastY = p.y;
    m_dragging = 1;
}

void TWideCrack2::EvLButtonUp(unsigned, plat::Point) { m_dragging = 0; }

void TWideCrack2::EvMouseMove(unsigned flags, plat::Point p)
{
    if (m_dragging != 0) {
        m_panX += p.x - m_lastX;
        m_panY += p.y - m_lastY;
        m_lastX = p.x;
        m_lastY = p.y;
        Redraw();
    }
    TBoxItem::EvMouseMove(flags, p);
}

// ---- The member states -----------------------------------------------------------------------

int TWideCrack2::SectionCount(double L, double hmax)
{
    if (!(hmax > 0.0) || !(L > 0.0))
        return 2;
    const double n = L / (0.1 * hmax);
    // At least two sections: the stations are L / (n - 1) apart.
    if (!(n >= 2.0))
        return 2;
    return n >= kMaxSections ? kMaxSections : static_cast<int>(n);
}

bool TWideCrack2::LoadMoved(double last, double now)
{
    return std::fabs(now - last) > std::max(now, last) * 0.01 + 0.01;
}

void TWideCrack2::AttachAnalysis(const TSectionalAnalysis* analysis)
{
    const TFullMemberResponse* member = nullptr;
    if (analysis != nullptr && analysis->GetAnalysisKind() == AnalysisKind::Member)
        member = dynamic_cast<const TFullMemberResponse*>(analysis);
    ComputeSections(member);
    // The member has moved on (or gone): the window shows the sections just computed.
    Redraw();
}

void TWideCrack2::ComputeSections(const TFullMemberResponse* member)
{
    if (member == nullptr || member->GetStationCount() < 2) {
        m_count = 2;
        m_filled = false;
        return;
    }
    // The member analysed is the member drawn.
    m_definition = member->GetDefinition();
    const double L = m_definition.length;
    std::array<double, 6> values{};
    member->GetStateResults(nullptr, values, 1); // the member as a whole
    const double load = values[4];

    // The zones' sections: taken from the first station inside each zone.
    const int zones = std::clamp(m_definition.zoneCount, 1, kMaxMemberZones);
    m_zones.assign(static_cast<std::size_t>(zones), ZoneSection{});
    double hmax = -0.0001;
    for (int z = 0; z < zones; ++z) {
        const double from = m_definition.zones[static_cast<std::size_t>(z)].startX;
        const double to = z + 1 < zones ? m_definition.zones[static_cast<std::size_t>(z + 1)].startX : L;
        const TStructure* s = nullptr;
        for (int i = 0; i < member->GetStationCount() && s == nullptr; ++i) {
            const double x = member->GetStations().GetStation(i);
            const TFullSectionalResponse* a = member->GetStationAnalysis(i);
            if (a != nullptr && x >= from - kSamePosition && x <= to + kSamePosition)
                s = a->GetStructure();
        }
        if (s == nullptr)
            continue;
        ZoneSection& zs = m_zones[static_cast<std::size_t>(z)];
        zs.height = s->GetHeight();
        zs.bottom = s->GetBottom();
        hmax = std::max(hmax, zs.height);
        for (int r = 1; r < s->GetRegionCount(); ++r) {
            const ConcreteRegionRec* above = s->GetRegion(r - 1);
            const ConcreteRegionRec* rr = s->GetRegion(r);
            if (above == nullptr || rr == nullptr)
                continue;
            const double slopeAbove = (above->topWidth - above->bottomWidth) / std::max(above->top - above->bottom, 1e-9);
            const double slope = (rr->topWidth - rr->bottomWidth) / std::max(rr->top - rr->bottom, 1e-9);
            if (std::fabs(above->bottomWidth - rr->topWidth) >= 0.0001 ||
                std::fabs(std::atan(slopeAbove - slope)) >= 0.65)
                zs.boundaries.push_back(rr->top);
        }
        for (int i = 0; i < s->GetLongLayerCount(0); ++i)
            if (const LongLayerRec* l = s->GetLongLayer(i, 0))
                zs.bars.push_back({l->z, l->db, l->drape});
        for (int i = 0; i < s->GetTransLayerCount(2); ++i)
            if (const TransLayerRec* t = s->GetTransLayer(i, 2))
                zs.stirrups.push_back({t->distbot, t->disttop, t->db, std::max(t->space, 0.0001)});
    }
    m_hmax = hmax;
    const int n = SectionCount(L, hmax);

    if (m_count == 0 || !m_filled || LoadMoved(m_load, load)) {
        ++m_recomputed;
        for (int k = 0; k < n; ++k) {
            MemberStateRecord& r = (*m_records)[static_cast<std::size_t>(k)];
            const double x = L / (n - 1) * k;
            // Displacements at unit magnification, kept so that another scale factor needs
            // no new states.
            const bool filled = member->InterpolateMemberState(std::min(x, L), load, r, 1.0) != 0;
            r.reserved = (hmax - r.h) / 2;
            m_displacements[static_cast<std::size_t>(k)] = {};
            if (filled)
                m_displacements[static_cast<std::size_t>(k)] = {r.corners[0] - r.x, r.corners[1], r.corners[2] - r.x,
                                                                 r.corners[3] - r.h};
        }
        m_load = load;
        m_count = n;
    }
    m_filled = true;
    (*m_records)[static_cast<std::size_t>(m_count - 1)].x = L;
    ApplyScaleFactor();
}

void TWideCrack2::ResetExtents()
{
    m_yRange = m_xRange = -kUndefined;
    m_largestY = m_leastX = 0.0;
    m_leastY = kUndefined;
    m_largestX = -kUndefined;
}

void TWideCrack2::ApplyScaleFactor()
{
    if (!m_filled)
        return;
    for (int k = 0; k < m_count; ++k) {
        MemberStateRecord& r = (*m_records)[static_cast<std::size_t>(k)];
        const auto& u = m_displacements[static_cast<std::size_t>(k)];
        r.corners = {r.x + m_factor * u[0], r.reserved + m_factor * u[1], r.x + m_factor * u[2],
                     r.reserved + r.h + m_factor * u[3]};
    }
    for (int k = 0; k < m_count; ++k) {
        const MemberStateRecord& r = Record(k);
        m_leastX = std::min({m_leastX, r.corners[0], r.corners[2]});
        m_largestX = std::max({m_largestX, r.corners[0], r.corners[2]});
        m_leastY = std::min({m_leastY, r.corners[1], r.corners[3]});
        m_largestY = std::max({m_largestY, r.corners[1], r.corners[3]});
    }
    m_xRange = std::max(m_xRange, m_largestX - m_leastX);
    m_yRange = std::max(m_yRange, m_largestY - m_leastY);
}

std::vector<DistributedLoad> TWideCrack2::DistributedLoads(const TMemberDefinition& d)
{
    ShearDiagram shear{};
    int count = 0;
    SampleShearDiagram(d, LiveDiagram, shear, count);
    std::vector<DistributedLoad> loads;
    for (int i = 0; i + 1 < count; ++i) {
        const ShearPoint& a = shear[static_cast<std::size_t>(i)];
        const ShearPoint& b = shear[static_cast<std::size_t>(i + 1)];
        const double big = std::max(std::fabs(a.v), std::fabs(b.v));
        if (b.x - a.x < kSamePosition || std::fabs(a.v - b.v) < 0.01 * big + 1.0)
            continue;
        // V = -dM/dx and dV/dx = -w.
        const double w = (a.v - b.v) / (b.x - a.x);
        if (!loads.empty() && std::fabs(loads.back().to - a.x) < kSamePosition &&
            std::fabs(loads.back().w - w) <= 0.01 * std::max(std::fabs(w), std::fabs(loads.back().w))) {
            loads.back().to = b.x;
            continue;
        }
        loads.push_back({a.x, b.x, w});
    }
    return loads;
}

std::vector<LoadLabel> TWideCrack2::PlaceLoadLabels(const std::vector<DistributedLoad>& loads,
                                                    const std::function<int(double)>& pixelX,
                                                    const std::function<int(double)>& topY,
                                                    const std::function<plat::Size(const std::string&)>& extent,
                                                    int left,
                                                    int right,
                                                    int top,
                                                    int lift)
{
    constexpr int kPad = kLabelPad;
    constexpr int kGap = 2;
    constexpr int kSamples = 10;
    std::vector<LoadLabel> labels;
    const auto overlaps = [&labels](const plat::Rect& r) {
        for (const LoadLabel& l : labels)
            if (r.left < l.box.right + kGap && l.box.left < r.right + kGap && r.top < l.box.bottom + kGap &&
                l.box.top < r.bottom + kGap)
                return true;
        return false;
    };
    for (const DistributedLoad& load : loads) {
        const std::string text =
            StrPrintf("%.1f %s", ToDisplayUnits(load.w, ukForcePerLength), UnitLabel(ukForcePerLength));
        const plat::Size size = extent(text);
        const int w = size.cx + 2 * kPad;
        const int h = size.cy + 2 * kPad;
        int highest = topY(load.from);
        for (int k = 1; k <= kSamples; ++k)
            highest = std::min(highest, topY(load.from + (load.to - load.from) * k / kSamples));
        int x = pixelX((load.from + load.to) / 2) - w / 2;
        x = std::max(std::min(x, right - w), left);
        plat::Rect box{x, highest - lift - h, x + w, highest - lift};
        const plat::Rect first = box;
        while (overlaps(box) && box.top - h - kGap >= top)
            box = {box.left, box.top - h - kGap, box.right, box.top - kGap};
        if (overlaps(box))
            box = first;
        labels.push_back({box, text});
    }
    return labels;
}

bool TWideCrack2::SectionLine(double X, double& bx, double& by, double& tx, double& ty) const
{
    const double L = m_definition.length;
    X = std::clamp(X, 0.0, L);
    if (X > L - 0.0001)
        X = L;
    for (int k = 0; k + 1 < m_count; ++k) {
        const MemberStateRecord& a = Record(k);
        const MemberStateRecord& b = Record(k + 1);
        if (a.x <= X && X <= b.x) {
            const double t = (X - a.x) / (b.x - a.x + 0.0001);
            bx = a.corners[0] + t * (b.corners[0] - a.corners[0]);
            by = a.corners[1] + t * (b.corners[1] - a.corners[1]);
            tx = a.corners[2] + t * (b.corners[2] - a.corners[2]);
            ty = a.corners[3] + t * (b.corners[3] - a.corners[3]);
            return true;
        }
    }
    return false;
}

// ---- The picture -----------------------------------------------------------------------------

ElevationPicture TWideCrack2::ComputePicture(const LabelExtent& extent, int W, int H)
{
    ElevationPicture p;
    RefreshFontHeights();
    if (!m_filled || m_count < 2) {
        p.noData = true;
        return p;
    }
    const TMemberDefinition& d = m_definition;
    const double L = d.length;
    const double hmax = m_hmax;

    // 1. Background and title.
    p.front.Add(Band{{0, 0, W, H}, BackgroundColour()});
    const std::string& title = TitleShown();
    const int band = title.empty() ? 0 : extent(title, TitleFont()).cy + 4;
    p.front.Add(Label{{W / 2, 0}, title, TitleFont(), TA::Center, TA::Top});

    // Scaling.
    const int m = std::max({W / 120, H / 30, 4});
    const auto atEnd = [L](double x) { return std::fabs(x) < kSamePosition ? 1 : std::fabs(x - L) < kSamePosition ? 2 : 0; };
    const auto fixedKind = [](int type) { return type == SupportType::FixedEnd || type == SupportType::FixedVerticalRoller; };
    double leftReserve = 0.0;
    double rightReserve = 0.0;
    const std::array<std::pair<int, double>, 2> supports{{{d.leftSupport, d.leftPlateLocation},
                                                           {d.rightSupport, d.rightPlateLocation}}};
    for (const auto& [type, at] : supports) {
        if (leftReserve > 0.0 || rightReserve > 0.0 || !fixedKind(type))
            continue;
        if (atEnd(at) == 1)
            leftReserve = 0.05 * W;
        else if (atEnd(at) == 2)
            rightReserve = 0.05 * W;
    }
    // Room above the member for the load labels: one row of text over the loading plates.
    const std::vector<DistributedLoad> loads = DistributedLoads(d);
    const int labelHeight = extent("0", TextFont()).cy + 2 * kLabelPad;
    const int plateLift = kPlateHeight + 2;
    const int labelBand = loads.empty() ? 0 : labelHeight + plateLift;
    const double dw = W - 2.0 * m - leftReserve - rightReserve;
    // Room below the member for the magnification note.
    const std::string note =
        m_factor > 0.0 ? StrPrintf("Mag. %3.0fx (crack widths: %s)", m_factor, UnitLabel(ukSectionLength)) : "";
    const int noteBand = note.empty() ? 0 : extent(note, TextFont()).cy;
    const double dh = H - band - labelBand - noteBand - 2.0 * m;
    const double s = std::min(dw / (m_xRange + 0.0001), dh / (m_yRange + 0.0001));
    const double xo = m - m_leastX * s + (dw - s * m_xRange) / 2 + m_panX;
    const double yo = band + labelBand + m + m_largestY * s + (dh - s * m_yRange) / 2 + m_panY;
    const double sx = s * m_zoom;
    const double sy = s * m_zoom;
    const auto P = [&](double x, double y) { return plat::Point{Round(xo + x * sx), Round(yo - y * sy)}; };
    // A point at height y (member coordinates, 0 at the bottom of the deepest section) on the
    // displaced section line at X.
    const auto On = [&](double X, double y, plat::Point& out) {
        double bx, by, tx, ty;
        if (!SectionLine(X, bx, by, tx, ty))
            return false;
        // The section line runs over the section's own depth, offset inside hmax.
        const int k = std::clamp(static_cast<int>(X / std::max(L, 1e-9) * (m_count - 1)), 0, m_count - 1);
        const MemberStateRecord& r = Record(k);
        const double h = r.h > 0.0 ? r.h : hmax;
        const double u = (y - r.reserved) / h;
        out = P(bx + u * (tx - bx), by + u * (ty - by));
        return true;
    };

    // 2. Outline.
    for (int k = 0; k + 1 < m_count; ++k) {
        const MemberStateRecord& a = Record(k);
        const MemberStateRecord& b = Record(k + 1);
        const plat::Point ab = P(a.corners[0], a.corners[1]);
        const plat::Point bb = P(b.corners[0], b.corners[1]);
        const plat::Point bt = P(b.corners[2], b.corners[3]);
        const plat::Point at = P(a.corners[2], a.corners[3]);
        p.panels.push_back({ab, bb, bt, at});
        p.lines.Add(Line{ab, bb});
        p.lines.Add(Line{at, bt});
    }
    std::vector<double> sectionLines{0.0, L};
    for (int z = 0; z < std::clamp(d.zoneCount, 1, kMaxMemberZones); ++z)
        sectionLines.push_back(d.zones[static_cast<std::size_t>(z)].startX);
    for (double X : sectionLines) {
        double bx, by, tx, ty;
        if (SectionLine(X, bx, by, tx, ty))
            p.lines.Add(Line{P(bx, by), P(tx, ty)});
        else
            m_messages.push_back("A position lies outside the drawn sections.");
    }

    // 3, 4. Region boundaries, bars and stirrups of each zone.
    const double spacing = Record(1).x - Record(0).x;
    for (std::size_t z = 0; z < m_zones.size(); ++z) {
        const ZoneSection& zs = m_zones[z];
        if (!(zs.height > 0.0))
            continue;
        const double from = d.zones[z].startX;
        const double to = z + 1 < m_zones.size() ? d.zones[z + 1].startX : L;
        const double offset = (hmax - zs.height) / 2;
        const auto height = [&](double depth) { return offset + depth - zs.bottom; };
        for (double top : zs.boundaries) {
            int steps = 0;
            for (double X = from; X < to - 1e-9 && steps < 200; X += spacing, ++steps) {
                plat::Point a, b;
                if (On(X, height(top), a) && On(std::min(X + spacing, to), height(top), b))
                    p.lines.Add(Line{a, b});
            }
        }
        if (std::fabs(m_factor) >= 0.01)
            continue;
        const double mid = (from + to) / 2;
        for (const auto& bar : zs.bars) {
            const int width = std::max(Round(bar.db * sy), 1);
            const plat::Point a = P(from, height(bar.z) + bar.drape * (from - mid));
            const plat::Point b = P(to, height(bar.z) + bar.drape * (to - mid));
            p.lines.Add(Line{a, b, width, kSteelColour});
            // Bars end square at the member's ends.
            if (from < kSamePosition)
                p.lines.Add(Band{{a.x - width, a.y - width, a.x, a.y + width + 1}, BackgroundColour()});
            if (to > L - kSamePosition)
                p.lines.Add(Band{{b.x + 1, b.y - width, b.x + width + 1, b.y + width + 1}, BackgroundColour()});
        }
        const double length = to - from;
        for (std::size_t j = 0; j < zs.stirrups.size(); ++j) {
            const auto& st = zs.stirrups[j];
            const int count = static_cast<int>(length / st.space);
            if (count < 1)
                continue;
            double first = (length - (count - 1) * st.space) / 2;
            if (j > 0)
                first += st.space / static_cast<double>(j + 1);
            if (first > st.space)
                first = st.space / 2;
            const int width = std::max(Round(st.db * sy), 1);
            for (double X = from + first; X < to - 1e-9; X += st.space)
                p.lines.Add(Line{P(X, height(st.bottom)), P(X, height(st.top)), width, kSteelColour});
        }
    }

    // 5. Supports.
    for (int side = 0; side < 2; ++side) {
        const int type = side == 0 ? d.leftSupport : d.rightSupport;
        const double at = side == 0 ? d.leftPlateLocation : d.rightPlateLocation;
        const double size = side == 0 ? d.leftPlateSize : d.rightPlateSize;
        const int direct = side == 0 ? d.leftDirect : d.rightDirect;
        double bx, by, tx, ty;
        if (!SectionLine(at, bx, by, tx, ty)) {
            m_messages.push_back("A support lies outside the drawn sections.");
            continue;
        }
        const plat::Point c = P(bx, by);
        if (type == SupportType::Roller || type == SupportType::Pin || direct != 0) {
            const int half = std::max(Round(size * sx / 2), 2);
            const plat::Point top = P(tx, ty);
            const plat::Point corners[4] = {{c.x - half, c.y}, {c.x + half, c.y}, {top.x + half, top.y},
                                            {top.x - half, top.y}};
            for (int k = 0; k < 4; ++k)
                p.lines.Add(Line{corners[k], corners[(k + 1) % 4], 2});
        }
        if (type == SupportType::FixedVerticalRoller || type == SupportType::FixedEnd) {
            const plat::Point up = P(at, 1.05 * hmax);
            const plat::Point down = P(at, -0.05 * hmax);
            p.lines.Add(Line{{up.x, up.y}, {up.x, down.y}, 3});
            const int outward = at < kSamePosition ? -1 : 1;
            if (type == SupportType::FixedVerticalRoller) {
                const int dia = std::max(static_cast<int>(std::min(hmax * sy / 5, 0.02 * W)), 2);
                for (double y = 0; y <= 1.1 * hmax * sy - dia; y += 1.5 * dia) {
                    const int top = up.y + static_cast<int>(y);
                    const int left = outward < 0 ? up.x - dia - 1 : up.x + 2;
                    p.rollers.push_back({left, top, left + dia, top + dia});
                }
            } else {
                const double stroke = 1.1 * hmax / 10;
                for (int k = 0; k < 10; ++k) {
                    const plat::Point a = P(at, 1.05 * hmax - k * stroke);
                    const plat::Point b = P(at + outward * stroke, 1.05 * hmax - (k + 1) * stroke);
                    p.lines.Add(Line{a, b});
                }
            }
        }
    }

    // 6. Point loads: steps of the live-load shear diagram away from the supports.
    ShearDiagram shear{};
    int count = 0;
    SampleShearDiagram(d, LiveDiagram, shear, count);
    for (int i = 0; i + 1 < count; ++i) {
        const ShearPoint& a = shear[static_cast<std::size_t>(i)];
        const ShearPoint& b = shear[static_cast<std::size_t>(i + 1)];
        const double big = std::max(std::fabs(a.v), std::fabs(b.v));
        if (std::fabs(a.x - b.x) >= 0.0001 || std::fabs(a.v - b.v) < 0.01 * big + 0.001 || big < 1.0)
            continue;
        bool atSupport = false;
        for (const auto& [type, at] : supports)
            atSupport |= std::fabs(a.x - at) < 0.0001 && type != SupportType::FixedVerticalRoller;
        if (atSupport)
            continue;
        const int width = std::max(Round(d.topPlateSize * sx), 3);
        const int height = std::min(width / 3, kPlateHeight);
        const double half = width / 2.0 / sx;
        double b0x, b0y, t0x, t0y, b1x, b1y, t1x, t1y;
        if (!SectionLine(a.x - half, b0x, b0y, t0x, t0y) || !SectionLine(a.x + half, b1x, b1y, t1x, t1y))
            continue;
        const plat::Point l = P(a.x - half, t0y);
        const plat::Point r = P(a.x + half, t1y);
        p.plates.push_back({l, r, plat::Point{r.x, r.y - height}, plat::Point{l.x, l.y - height}});
    }

    // Boxed labels of the distributed loads, above the plates and inside the chart.
    const auto topY = [&](double X) {
        double bx, by, tx, ty;
        return SectionLine(X, bx, by, tx, ty) ? P(tx, ty).y : P(X, hmax).y;
    };
    const auto pixelX = [&](double X) { return P(X, 0.0).x; };
    const auto measure = [&](const std::string& text) { return extent(text, TextFont()); };
    p.loadLabels = PlaceLoadLabels(loads, pixelX, topY, measure, m, W - m, band, plateLift);

    // 7. Crack pattern, or the cracked state and direction at the sections.
    TDrawCrack crack(p.cracks, m_kind);
    if (m_angles != 0) {
        crack.SetScale(xo, yo, sx, sy, 1.0, 1.0, L, hmax);
        for (int k = 0; k < m_count; ++k)
            crack.DrawStateMarkers(Record(k));
    } else {
        double least = 1e30;
        double largest = 0.0;
        for (int k = 0; k < m_count; ++k)
            for (const auto& t : Record(k).depths) {
                if (t[2] > 0.0f) {
                    least = std::min(least, static_cast<double>(t[2]));
                    largest = std::max(largest, static_cast<double>(t[2]));
                }
            }
        if (least > 1e29)
            least = largest = 0.1;
        crack.SetScale(xo, yo, sx, sy, largest, least, L, hmax);
        crack.ResetCracks();
        crack.SetupLabelRows(hmax, extent("0.888", TextFont()));
        crack.SetLabelDirection(1.0, 0.0);
        int flags = 0;
        double sign = 1.0;
        for (int k = 0; k + 1 < m_count; ++k) {
            const MemberStateRecord& a = Record(k);
            const MemberStateRecord& b = Record(k + 1);
            const double half = (b.x - a.x) / 2;
            const double middle = a.x + half;
            std::array<double, 4> mid{};
            for (std::size_t c = 0; c < 4; ++c)
                mid[c] = (a.corners[c] + b.corners[c]) / 2;
            for (int side = 0; side < 2; ++side) {
                const MemberStateRecord& own = side == 0 ? a : b;
                const MemberStateRecord& other = side == 0 ? b : a;
                // Blend 0.75 of the own section with 0.25 of the other; widths and the face
                // sign whole from the own one.
                MemberStateRecord r = own;
                for (std::size_t i = 0; i < r.depths.size(); ++i) {
                    r.depths[i][0] = 0.75f * own.depths[i][0] + 0.25f * other.depths[i][0];
                    r.depths[i][2] = 0.75f * own.depths[i][2] + 0.25f * other.depths[i][2];
                }
                r.x = 0.75 * own.x + 0.25 * other.x;
                r.h = 0.75 * own.h + 0.25 * other.h;
                r.reserved = 0.75 * own.reserved + 0.25 * other.reserved;
                for (std::size_t c = 0; c < 4; ++c)
                    r.corners[c] = 0.75 * own.corners[c] + 0.25 * other.corners[c];
                const double x0 = side == 0 ? a.x : middle;
                // Frame: between the own section's displaced line and the mid-panel line.
                std::array<double, 8> frame{};
                if (side == 0)
                    frame = {own.corners[0], own.corners[1], mid[0], mid[1], mid[2], mid[3], own.corners[2],
                             own.corners[3]};
                else
                    frame = {mid[0], mid[1], own.corners[0], own.corners[1], own.corners[2], own.corners[3], mid[2],
                             mid[3]};
                crack.SetFrame(frame);
                crack.SetStrip(x0, r.reserved, half, r.h);
                const double faceSign = FaceSign(own);
                if ((faceSign >= 0.0) != (sign >= 0.0)) {
                    crack.DrawSignChange(x0, r);
                    sign = faceSign >= 0.0 ? 1.0 : -1.0;
                }
                crack.SetStrip(x0, r.reserved, half, r.h);
                flags = crack.DrawStrip(x0, half, r, flags);
            }
        }
    }
    // Told once per computed load level, not at every repaint.
    if (m_reportedAt != m_recomputed)
        for (const std::string& message : p.cracks.messages)
            m_messages.push_back(message);
    m_reportedAt = m_recomputed;

    // 9. The magnification note.
    if (!note.empty())
        p.notes.Add(Label{{m, H - m}, note, TextFont(), TA::Left, TA::Bottom});
    return p;
}

void TWideCrack2::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    const ElevationPicture p = ComputePicture(MeasureOn(dc), Width(), Height());
    if (p.noData) {
        DrawNoData(dc);
        return;
    }
    const bool bw = m_blackAndWhite != 0;
    ReplayPicture(dc, p.front, bw);
    // The member's body without the section lines between panels (its edges come next).
    dc.SelectPen(plat::Pen{plat::PenStyle::Null, 1, kMemberColour});
    dc.SelectBrush(plat::Brush{false, kMemberColour});
    for (const auto& q : p.panels)
        dc.Polygon({q[0], q[1], q[2], q[3]});
    ReplayPicture(dc, p.lines, bw);
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
    dc.SelectBrush(plat::Brush{false, plat::Colors::Black});
    for (const auto& r : p.rollers)
        dc.Ellipse(r);
    for (const auto& q : p.plates)
        dc.Polygon({q[0], q[1], q[2], q[3]});
    DiagramPicture loadLabels;
    for (const LoadLabel& l : p.loadLabels) {
        const plat::Rect& b = l.box;
        loadLabels.Add(Band{b, BackgroundColour()});
        const plat::Point corners[4] = {{b.left, b.top}, {b.right, b.top}, {b.right, b.bottom}, {b.left, b.bottom}};
        for (int k = 0; k < 4; ++k)
            loadLabels.Add(Line{corners[k], corners[(k + 1) % 4]});
        loadLabels.Add(Label{{(b.left + b.right) / 2, b.top + kLabelPad}, l.text, TextFont(), TA::Center, TA::Top});
    }
    ReplayPicture(dc, loadLabels, bw);
    for (const auto& m : p.cracks.markers) {
        const plat::Color c = m.cracked ? plat::Color{255, 160, 160} : plat::Color{160, 160, 255};
        dc.FillRect({Round(m.x - 3.5), Round(m.y - 3.5), Round(m.x + 3.5), Round(m.y + 3.5)}, c);
        dc.MoveTo(Round(m.tx1), Round(m.ty1));
        dc.LineTo(Round(m.tx2), Round(m.ty2));
    }
    for (const auto& seg : p.cracks.segments) {
        dc.MoveTo(Round(seg.x1), Round(seg.y1));
        dc.LineTo(Round(seg.x2), Round(seg.y2));
    }
    DiagramPicture labels;
    for (const auto& l : p.cracks.labels)
        labels.Add(Label{{Round(l.x), Round(l.y)}, l.text, TextFont(), l.rightAligned ? TA::Right : TA::Left,
                         TA::Bottom});
    ReplayPicture(dc, labels, bw);
    ReplayPicture(dc, p.notes, bw);
    if (IsSelected() && !bw)
        DrawSelectionOn(dc);
    for (const std::string& message : m_messages)
        ShowMessage(message, "Member Crack Diagram", MsgStyle::IconExclamation);
    m_messages.clear();
}

void InstallMemberCrackView()
{
    for (int kind = 4000; kind <= 4003; ++kind)
        SetDiagramMaker(kind, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                                 int graphId) -> std::unique_ptr<Tchart> {
            return std::make_unique<TWideCrack2>(parent, title, x, y, w, h, graphId);
        });
}
