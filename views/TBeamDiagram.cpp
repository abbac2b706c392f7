#include "views/TBeamDiagram.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/state/SectionState.h"
#include "app/summary/CrossSection.h"
#include "foundation/Reporter.h"
#include "foundation/TypedNumber.h"
#include "charts/RichText.h"
#include "foundation/Units.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "model/materials/MaterialTypes.h"
#include "platform/Ui.h"

namespace {

namespace TA = plat::TextAlign;
using picture::Band;
using picture::Label;
using picture::Line;

constexpr double kPi = 3.141592653589;
constexpr int kMaxParallels = 300;
constexpr plat::Color kCrushedColour{255, 192, 192};
constexpr plat::Color kShearFailureColour{255, 192, 255};
constexpr plat::Color kSoundColour{192, 192, 192};

int Trunc(double v) { return static_cast<int>(v); }

void BuildDiagramMenu(TBoxItem& box, bool crackDiagram)
{
    box.TruncatePopup(0);
    box.AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    box.AppendPopupItem(kPopupSeparator, 0, "");
    box.AppendPopupItem(0, CM_VIEWDATA, "Toggle Fill");
    if (!crackDiagram)
        return;
    box.AppendPopupItem(0, CM_COPYCHARTDATA, "Select Font");
    box.AppendPopupItem(0, CM_PROPERTIES, "Toggle Mode");
    box.AppendPopupItem(0, CM_AUTOMAXRANGE, "Select Widths");
}

// One half of a mesh layer in walking order: its first and second node and the ordinal of
// its layer in the walk.
struct Half {
    const LayerNodeStateRec* a;
    const LayerNodeStateRec* b;
    int layer;
};

// What the walk reads of the structure: types, cracking strain, crack spacing.
class NodeReader {
public:
    NodeReader(const TStructure& structure, DiagramPicture& picture) : m_s(structure), m_picture(picture) {}

    // The node's concrete type, or null with a message (once per type index) when the index
    // names none.
    const ConcreteTypeRec* Type(const LayerNodeStateRec& n)
    {
        const int t = n.ConcreteType;
        if (t >= 0 && t < m_s.GetConcreteTypeCount())
            return m_s.GetConcreteType(t);
        if (m_reported.insert(t).second)
            m_picture.messages.push_back(
                Printf("Concrete type %d of the section state is out of range (the section has %d types).", t,
                       m_s.GetConcreteTypeCount()));
        return nullptr;
    }
    // Net principal tensile strain beyond the cracking strain of the node's concrete.
    bool Cracked(const LayerNodeStateRec& n)
    {
        if (!Type(n))
            return false;
        return n.Strain1 - n.FreeStrain1 > m_s.GetConcreteStrainRatio(n.ConcreteType, n.LocalTensileStrength);
    }
    bool Crushed(const LayerNodeStateRec& n)
    {
        const ConcreteTypeRec* type = Type(n);
        return type && n.Strain2 - n.FreeStrain2 < type->ec;
    }
    // Crack spacing of the crack diagram at a depth, at most the section height.
    double Spacing(double z) const { return std::min(m_s.GetCrackSpacingAt(z, 0), m_s.GetHeight()); }

private:
    const TStructure& m_s;
    DiagramPicture& m_picture;
    std::set<int> m_reported;
};

// A crack-width label's point, moved the least so that the label stays between the two faces
// (neither face line runs through it) and within the chart's width. From the top the label
// hangs left-aligned below its point, from the bottom it stands right-aligned above it.
plat::Point KeepLabelBetweenFaces(plat::Point at, plat::Size size, bool fromTop, int W, int topRow, int bottomRow)
{
    // Rows the label's box may take: strictly between the face rows.
    const int highest = topRow + 1, lowest = bottomRow - 1;
    int top = fromTop ? at.y : at.y - size.cy;
    top = std::max(std::min(top, lowest + 1 - size.cy), highest);
    int left = fromTop ? at.x : at.x - size.cx;
    left = std::max(std::min(left, W - size.cx), 0);
    return {fromTop ? left : left + size.cx, fromTop ? top : top + size.cy};
}

// A crack-width label waiting for its place: its point (between the faces), its size, its
// text and the width it reads.
struct WidthLabel {
    plat::Point at;
    plat::Size size;
    std::string text;
    double width = 0.0;
    bool kept = true;
};

// The crack-width labels kept apart where their heights lie closer than a label is high (a low
// chart, or the lowest labels held above the bottom face): the widest first, as the widths an
// engineer looks for, each stays at its point where it comes near no label placed before it;
// else it goes to the nearest place straight above or below that does (just past a label
// placed, a blank row between them), between the faces and within two label heights of its
// point; and where there is none it is left out. At most six labels, so a few dozen tests.
void KeepWidthLabelsApart(std::vector<WidthLabel>& labels, bool fromTop, int topRow, int bottomRow)
{
    constexpr int kGap = 1;
    std::vector<std::size_t> order(labels.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return labels[a].width > labels[b].width; });
    std::vector<plat::Rect> placed;
    const auto boxAt = [&](const WidthLabel& l, int top) {
        const int left = fromTop ? l.at.x : l.at.x - l.size.cx;
        return plat::Rect{left, top, left + l.size.cx, top + l.size.cy};
    };
    const auto clear = [&](const plat::Rect& b) {
        for (const plat::Rect& q : placed)
            if (b.left < q.right + kGap && q.left < b.right + kGap && b.top < q.bottom + kGap &&
                q.top < b.bottom + kGap)
                return false;
        return true;
    };
    for (const std::size_t i : order) {
        WidthLabel& l = labels[i];
        const int home = fromTop ? l.at.y : l.at.y - l.size.cy;
        std::vector<int> tops{home};
        for (const plat::Rect& q : placed) {
            tops.push_back(q.top - kGap - l.size.cy);
            tops.push_back(q.bottom + kGap);
        }
        std::stable_sort(tops.begin() + 1, tops.end(),
                         [home](int a, int b) { return std::abs(a - home) < std::abs(b - home); });
        l.kept = false;
        for (std::size_t k = 0; k < tops.size() && !l.kept; ++k) {
            const int top = tops[k];
            const bool inside =
                top > topRow && top + l.size.cy <= bottomRow && std::abs(top - home) <= 2 * l.size.cy;
            if ((k == 0 || inside) && clear(boxAt(l, top))) {
                l.at.y = fromTop ? top : top + l.size.cy;
                l.kept = true;
            }
        }
        if (l.kept)
            placed.push_back(boxAt(l, fromTop ? l.at.y : l.at.y - l.size.cy));
    }
}

} // namespace

std::string ParseCrackWidthLimits(const std::string& text, double factor, float& first, float& second)
{
    std::string t = text;
    std::replace(t.begin(), t.end(), ',', ' ');
    std::istringstream in(t);
    std::string token;
    float limits[2] = {first, second};
    for (int i = 0; i < 2 && in >> token; ++i) {
        const double v = TypedNumber(token) / factor;
        if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max())
            return Printf("Crack width must be a number: \"%s\" is not.", token.c_str());
        limits[i] = static_cast<float>(v);
    }
    first = limits[0];
    second = limits[1];
    return {};
}

// ---- TBeamDiagram ---------------------------------------------------------------------------

TBeamDiagram::TBeamDiagram(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int mode)
    : TStateDiagram(parent, title, x, y, w, h, 0, 0, 0), m_mode(mode)
{
    m_kind = 6;
    // The crack widths and the title are written no smaller than a readable text; a width
    // label with no room of its own at that height is left out.
    m_readableText = true;
    SetTitle(mode != 0 ? "Crack Diagram" : "Principal Stress Direction");
    BuildDiagramMenu(*this, true);
}

TBeamDiagram::~TBeamDiagram() = default;

void TBeamDiagram::AttachState(const SectionState* state)
{
    m_reported = false;
    TStateDiagram::AttachState(state);
}

std::unique_ptr<SectionState> TBeamDiagram::CopyOf(const SectionState& state)
{
    std::unique_ptr<SectionState> copy = CopyDrawnState(state, m_structure);
    // Crack directions turned to the side the shear leans them.
    const double V = copy->Result(StateResult::Shear);
    for (LayerNodeStateRec& n : copy->NodeStates) {
        if (V > 0.0 && n.CrackAngle < 0.0)
            n.CrackAngle += kPi;
        else if (V < 0.0 && n.CrackAngle > 0.0)
            n.CrackAngle -= kPi;
    }
    return copy;
}

void TBeamDiagram::CmPopup3000()
{
    m_fill = m_fill ? 0 : 1;
    if (IsCreated())
        Invalidate(true);
}

void TBeamDiagram::CmPopup3001()
{
    m_mode = (m_mode + 1) % 3;
    if (!Data().Title().empty())
        SetTitle(m_mode == 0 ? "Principal Stress Direction" : "Crack Diagram");
    if (IsCreated())
        Invalidate(true);
}

void TBeamDiagram::CmPopup3004()
{
    const double factor = m_display.Get().Factor(ukSectionLength);
    std::string text = Printf("%5.2f , %5.2f", m_limit1 * factor, m_limit2 * factor);
    // An answer with a width that is no number is refused and asked for again.
    if (!plat::InputUntilTaken("Crack Widths", "Enter widths for change in crack widths", text,
                               [&](const std::string& t) { return ParseCrackWidthLimits(t, factor, m_limit1, m_limit2); }))
        return;
    if (IsCreated())
        Invalidate(true);
}

DiagramPicture TBeamDiagram::ComputePicture(const LabelExtent& extent)
{
    DiagramPicture p;
    RefreshFontHeights();
    const SectionState* state = m_state.get();
    if (!state || state->Valid == 0 || !m_structure || !(m_structure->GetHeight() > 0.0)) {
        p.noData = true;
        return p;
    }
    const TStructure& st = *m_structure;
    const DisplayContext u = m_display.Get();
    const int W = Width(), H = Height();
    p.Add(Band{{0, 0, W, H}, BackgroundColour()});
    p.Add(Label{{W / 2, 0}, TitleShown(), TitleFont(), TA::Center, TA::Top});

    const double Hs = st.GetHeight();
    const double zbot = st.GetBottom();
    const double ztop = st.GetTop();
    const double usable = H - Margins().top - 8;
    const double s = usable / Hs;
    auto Y = [&](double z) { return (H - 4) + zbot * s - z * s; };
    NodeReader read(st, p);

    // The halves of the layers, from the top down.
    std::vector<Half> halves;
    const int n = state->UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& d = *state->LayerDef(i);
        const LayerNodeStateRec* t = state->NodeState(static_cast<int>(d.NodeTop));
        const LayerNodeStateRec* mnode = state->NodeState(static_cast<int>(d.NodeMid));
        const LayerNodeStateRec* b = state->NodeState(static_cast<int>(d.NodeBottom));
        if (t && mnode && b) {
            halves.push_back({t, mnode, i});
            halves.push_back({mnode, b, i});
        }
    }

    // Fill: crushed, failed in shear on the cracks (only without stirrups), or sound.
    if (m_fill) {
        const bool noStirrups = st.GetTransLayerCount(2) == 0;
        auto shearFailed = [&](const LayerNodeStateRec& node) {
            return noStirrups && node.CrackShearStress == node.CrackShearLimit && node.CrackShearStress > 0.0;
        };
        for (const Half& h : halves) {
            const int ya = Trunc(Y(h.a->Depth)), yb = Trunc(Y(h.b->Depth));
            if (ya == yb)
                continue;
            plat::Color colour = kSoundColour;
            if (read.Crushed(*h.a) && read.Crushed(*h.b))
                colour = kCrushedColour;
            else if (shearFailed(*h.a) && shearFailed(*h.b))
                colour = kShearFailureColour;
            p.Add(Band{{0, std::min(ya, yb), W, std::max(ya, yb)}, colour});
        }
    }

    // Outline: the two faces and the region boundaries where the sides kink.
    p.Add(Line{{0, Trunc(Y(ztop))}, {W, Trunc(Y(ztop))}});
    p.Add(Line{{0, Trunc(Y(zbot))}, {W, Trunc(Y(zbot))}});
    for (int i = 1; i < st.GetRegionCount(); ++i) {
        const ConcreteRegionRec* r = st.GetRegion(i);
        const ConcreteRegionRec* above = st.GetRegion(i - 1);
        if (!r || !above)
            continue;
        const double slope = std::atan2(r->topWidth - r->bottomWidth, r->top - r->bottom);
        const double slopeAbove = std::atan2(above->topWidth - above->bottomWidth, above->top - above->bottom);
        if (above->bottomWidth == r->topWidth && std::fabs(slope - slopeAbove) <= 0.65)
            continue;
        p.Add(Line{{0, Trunc(Y(r->top))}, {W, Trunc(Y(r->top))}});
    }
    if (halves.empty())
        return p;

    // Start face and spacing.
    const bool crackMode = m_mode != 0;
    bool fromTop = true;
    double S = read.Spacing(ztop);
    if (!read.Cracked(*halves.front().a) && read.Cracked(*halves.back().b)) {
        fromTop = false;
        S = read.Spacing(zbot);
    }
    S = std::max(S, 0.001);
    auto startX = [&](double spacing) {
        const double ratio = (W / s) / spacing;
        return W / 2 + 0.5 + (ratio > 1.4 && ratio < 2.1 ? spacing * s / 2 : 0.0);
    };
    double x0 = startX(S);
    double y0 = Y(fromTop ? ztop : zbot);
    bool drawing = false;
    if (!crackMode) {
        drawing = true;
        S = (W / s) / 2;
    }
    if (!fromTop)
        std::reverse(halves.begin(), halves.end());
    const int firstLayer = halves.front().layer;
    const unsigned hAlign = fromTop ? TA::Left : TA::Right;
    const unsigned vAlign = fromTop ? TA::Top : TA::Bottom;
    const double factor6 = u.Factor(ukSectionLength);
    const int labelDrop = std::abs(TitleFont().height) / 2;
    std::vector<WidthLabel> widthLabels;

    for (Half h : halves) {
        if (!fromTop)
            std::swap(h.a, h.b);
        const LayerNodeStateRec& a = *h.a;
        const LayerNodeStateRec& b = *h.b;
        const bool crackedA = read.Cracked(a), crackedB = read.Cracked(b);
        if (crackMode && !drawing && (crackedA || crackedB)) {
            S = std::clamp(std::max(read.Spacing(a.Depth), read.Spacing(b.Depth)), 0.001, std::max(Hs, 0.001));
            if (h.layer != firstLayer) {
                x0 = startX(S);
                y0 = Y(a.Depth);
            }
            drawing = true;
        }
        if (drawing && crackMode && ((!crackedA && !crackedB) || b.Strain1 - b.FreeStrain1 < 1e-6))
            drawing = false;
        if (crackMode) {
            const double Sm = read.Spacing((a.Depth + b.Depth) / 2);
            if (2 * Sm < S)
                S /= 2;
            else if (S < Sm / 2)
                S *= 2;
        }
        const double t = (a.CrackAngle + b.CrackAngle) / 2;
        const double dz = b.Depth - a.Depth;
        const double tanT = std::tan(t);
        const double run = std::fabs(tanT) <= 0.001 ? 100.0 : dz / tanT;
        const double x1 = x0 + run * s;
        const double y1 = Y(b.Depth);
        if (drawing) {
            int width = 1;
            if (m_mode == 2) {
                const double w = (a.CrackWidth + b.CrackWidth) / 2;
                width = w < m_limit2 ? (w < m_limit1 ? 1 : 2) : 3;
            }
            const double step = S * s;
            if (std::fabs(x1 - x0) < W) {
                p.Add(Line{{Trunc(x0), Trunc(y0)}, {Trunc(x1), Trunc(y1)}, width});
                for (int k = 1; k <= kMaxParallels; ++k) {
                    const double xa = x0 + k * step, xb = x1 + k * step;
                    if (std::min(xa, xb) > W + 3 * step)
                        break;
                    p.Add(Line{{Trunc(xa), Trunc(y0)}, {Trunc(xb), Trunc(y1)}, width});
                }
                for (int k = 1; k <= kMaxParallels; ++k) {
                    const double xa = x0 - k * step, xb = x1 - k * step;
                    if (std::max(xa, xb) < -3 * step)
                        break;
                    p.Add(Line{{Trunc(xa), Trunc(y0)}, {Trunc(xb), Trunc(y1)}, width});
                }
            } else {
                const int row = Trunc(Y((a.Depth + b.Depth) / 2));
                p.Add(Line{{0, row}, {W, row}, width});
            }
            if (crackMode) {
                const double lo = std::min(a.Depth, b.Depth), hi = std::max(a.Depth, b.Depth);
                for (int k = 0; k < 6; ++k) {
                    const double hk = zbot + Hs / 32 + k * (Hs - Hs / 16) / 5;
                    if (hk < lo || hk >= hi)
                        continue;
                    const double w = a.CrackWidth + (b.CrackWidth - a.CrackWidth) * (hk - a.Depth) / dz;
                    double x = fromTop ? x0 + 5 : x0 - 5;
                    if (x0 >= 0.8 * W || x0 <= 0.2 * W) {
                        const double offset = fromTop ? 0.667 * W : W / 3.0;
                        x -= Trunc((x0 - offset) / s / S) * S * s;
                    }
                    const std::string text = Printf(u.unitSystem == 0 ? "%4.2f" : "%4.3f", w * factor6);
                    const plat::Size size = extent(text, TextFont());
                    widthLabels.push_back({KeepLabelBetweenFaces({Trunc(x), Trunc(Y(hk)) + labelDrop}, size, fromTop,
                                                                 W, Trunc(Y(ztop)), Trunc(Y(zbot))),
                                           size, text, w});
                }
            }
        }
        x0 = x1;
        y0 = y1;
    }
    KeepWidthLabelsApart(widthLabels, fromTop, Trunc(Y(ztop)), Trunc(Y(zbot)));
    for (const WidthLabel& l : widthLabels)
        if (l.kept)
            p.Add(Label{l.at, l.text, TextFont(), hAlign, vAlign});
    return p;
}

void TBeamDiagram::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    const DiagramPicture p = ComputePicture(MeasureOn(dc));
    if (!PaintPicture(dc, p))
        return;
    // Told once per state shown, not at every repaint.
    if (!m_reported)
        for (const std::string& message : p.messages)
            plat::MessageBox(message, "Crack Diagram", MsgStyle::IconExclamation);
    m_reported = true;
}

// ---- TRichBeam ------------------------------------------------------------------------------

TRichBeam::TRichBeam(plat::Window* parent, const std::string& title, int x, int y, int w, int h)
    : TStateDiagram(parent, title, x, y, w, h, 0, 0, 0)
{
    m_kind = 12;
    BuildDiagramMenu(*this, false);
}

TRichBeam::~TRichBeam() = default;

std::unique_ptr<SectionState> TRichBeam::CopyOf(const SectionState& state)
{
    return CopyDrawnState(state, m_structure);
}

void TRichBeam::CmPopup3000()
{
    m_fill = m_fill ? 0 : 1;
    if (IsCreated())
        Invalidate(true);
}

SectionPlacement TRichBeam::ComputePlacement() const
{
    SectionPlacement p;
    const SectionState* state = m_state.get();
    if (!state || state->Valid == 0 || !m_structure || !(m_structure->GetHeight() > 0.0)) {
        p.noData = true;
        return p;
    }
    const int W = Width(), H = Height();
    const int m = Trunc(0.03 * W);
    p.scale = (H - 2 * m - Margins().top) / m_structure->GetHeight();
    p.centreX = W / 2;
    p.originY = (H - m) + m_structure->GetBottom() * p.scale;
    return p;
}

void TRichBeam::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    RefreshFontHeights();
    const SectionPlacement place = ComputePlacement();
    if (place.noData) {
        DrawNoData(dc);
        return;
    }
    const int W = Width(), H = Height();
    dc.FillRect({0, 0, W, H}, BackgroundColour());
    dc.SetBkMode(plat::BkMode::Transparent);
    DrawRichText(dc, W / 2, 0, TitleShown(), TitleFont(), TA::Center, TA::Top, m_blackAndWhite != 0);
    DrawSectionOutline(dc, *m_structure, place.centreX, place.originY, place.scale, m_fill, 1, m_state.get());
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}
