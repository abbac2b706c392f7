#include "views/TForceDiagram.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>

#include "analysis/state/SectionState.h"
#include "charts/ChartAxes.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "views/PictureLabels.h"

namespace {

namespace TA = plat::TextAlign;
using picture::ArrowHead;
using picture::Label;
using picture::Line;

int Trunc(double v) { return static_cast<int>(v); }

plat::Point P(double x, double y) { return {Trunc(x), Trunc(y)}; }

std::string TrimLeft(std::string text)
{
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

Line BlackLine(plat::Point a, plat::Point b, int width = 1) { return Line{a, b, width, plat::Colors::Black}; }

void BuildForceMenu(TBoxItem& box, bool changeMode)
{
    box.TruncatePopup(0);
    box.AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Picture");
    box.AppendPopupItem(kPopupSeparator, 0, "");
    box.AppendPopupItem(0, CM_AUTOMAXRANGE, "Max/Auto Range");
    if (changeMode)
        box.AppendPopupItem(0, CM_VIEWDATA, "Change Mode");
    box.AppendPopupItem(0, CM_COPYCHARTDATA, "Select Font");
}

} // namespace

// Everything common to the two diagrams: the box, the vertical scale, the reference rows and
// the number formats.
struct ForceFrame {
    int W = 0;
    int H = 0;
    int top = 0;
    int m = 0;
    double k = 0.0; // pixels per metre of height
    int yC = 0;     // row of the bottom steel height c
    int yRef = 0;   // row of the reference axis
    bool si = true;
    std::string suffix;
    DisplayContext display;

    ForceFrame(int width, int height, int plotTop, const ForceSection& s, const DisplayContext& u)
        : W(width), H(height), top(plotTop), m(Trunc(0.05 * width)), display(u)
    {
        k = (H - top - m) / s.height;
        yC = Trunc((H - m) - k * s.c);
        yRef = s.HasDatum() ? Trunc((H - m) + k * s.bottom) : yC;
        si = u.unitSystem == 0;
        suffix = u.FactorSumOffset() <= 0.01 ? "" : "_f";
    }
    double Force(double f) const { return display.Show(f, ukForce); }
    const char* ForceUnit() const { return display.Label(ukForce); }
};

ForceSection ForceSectionOf(const TStructure* section)
{
    ForceSection s;
    const TBeam* beam = dynamic_cast<const TBeam*>(section);
    if (!beam)
        return s;
    s.height = beam->GetHeight();
    s.bottom = beam->GetBottom();
    const double axis = beam->GetMomentAxis();
    s.datum = axis < 1e30 ? axis : kUndefined;
    double I = 0.0, area = 0.0, above = 0.0, c = 0.0, sTop = 0.0, sBottom = 0.0;
    beam->GetFaceSteelData(0, I, area, above, c, sTop, sBottom);
    s.c = c;
    s.area = area;
    return s;
}

double NPlusMAxialScale(double room, double area, double nmax)
{
    double s = area > 0.0 ? room / (area * 100000.0) : nmax > 0.0 ? room / nmax : 1.0;
    if (room < s * nmax)
        s = room / nmax;
    return s;
}

// ---- TForceChart ----------------------------------------------------------------------------

void TForceChart::StructureAttached() { m_sectionValues = ForceSectionOf(m_structure); }

std::unique_ptr<SectionState> TForceChart::CopyOf(const SectionState& state) { return CopyStateRecord(state); }

DiagramPicture TForceChart::ComputePicture(const LabelExtent& extent)
{
    DiagramPicture p;
    RefreshFontHeights();
    const SectionState* s = m_state.get();
    if (!s || s->Valid == 0 || !m_structure || !(m_sectionValues.height > 0.0)) {
        p.noData = true;
        return p;
    }
    p.Add(Label{{Width() / 2, 0}, Data().Title(), TitleFont(), TA::Center, TA::Top});
    Draw(p, ForceFrame(Width(), Height(), Margins().top, m_sectionValues, m_display.Get()), extent);
    // Where a diagram's own rules leave a label on a line, an arrowhead or another label (a long
    // label against the box's edge over its arrow's head, two forces at one height), it moves
    // to the nearest clear place.
    KeepPictureLabelsClear(p, extent, plat::Rect{0, 0, Width(), Height()});
    return p;
}

void TForceChart::Paint(plat::DC& dc, bool, const plat::Rect&) { PaintPicture(dc, ComputePicture(MeasureOn(dc))); }

// ---- TForceDiagram --------------------------------------------------------------------------

TForceDiagram::TForceDiagram(plat::Window* parent, const std::string& title, int x, int y, int w, int h)
    : TForceChart(parent, title, x, y, w, h, 0, 0, 0)
{
    m_kind = 13;
    BuildForceMenu(*this, true);
}

TForceDiagram::~TForceDiagram() = default;

void TForceDiagram::CmPopup3000()
{
    m_mode = m_mode == 1 ? 0 : 1;
    if (!Data().Title().empty())
        SetTitle(m_mode == 0 ? "Concrete & Steel Forces" : "Internal Forces");
    if (IsCreated())
        Invalidate(true);
}

void TForceDiagram::Draw(DiagramPicture& p, const ForceFrame& f, const LabelExtent& extent)
{
    const SectionState* s = m_state.get();
    const ForceSection& sec = m_sectionValues;
    const int W = f.W, H = f.H, m = f.m, top = f.top, yRef = f.yRef;
    const plat::LogFont& text = TextFont();

    // The dimension of the reference axis above the bottom.
    const double factor6 = f.display.Factor(ukSectionLength);
    const char* unit6 = f.display.Label(ukSectionLength);
    const double dimension = sec.HasDatum() ? sec.datum : sec.c;
    const std::string dimText = TrimLeft(Printf(f.si ? "%5.0f %s" : "%5.1f %s", dimension * factor6, unit6));
    const plat::Size dimExtent = extent(dimText, text);
    int th = dimExtent.cy;
    const int tw = dimExtent.cx;
    const int left = th + m;

    // The force scale.
    const bool internal = m_mode == 1;
    const double F[2] = {s->Result(internal ? StateResult::CompressiveForce : StateResult::ConcreteForce),
                         s->Result(internal ? StateResult::TensileForce : StateResult::SteelForce)};
    const double Z[2] = {s->Result(internal ? StateResult::CompressiveDepth : StateResult::ConcreteDepth),
                         s->Result(internal ? StateResult::TensileDepth : StateResult::SteelDepth)};
    // V is the state's shear force, or with a shear block (a positive width) the shear the
    // block carries, with the longitudinal tension it causes.
    double V = s->Result(StateResult::Shear);
    double nv = 0.0;
    if (s->ShearBlock[1] > 0.0) {
        V = s->ShearBlock[0] * s->ShearBlock[1] * s->ShearBlock[2] * s->ShearBlock[3];
        nv = s->NvRatio;
    }
    // The longitudinal tension is drawn to the same scale as the forces, so it takes its part
    // in the scale: an N_v larger than C, T and V (past the peak) keeps to the diagram.
    const bool shearDrawn = std::fabs(V) > 10.0;
    const double Nv = shearDrawn && std::fabs(nv) > 0.0 ? std::fabs(nv) * std::fabs(V) : 0.0;
    double fmax = std::max({std::fabs(V), std::fabs(F[0]), std::fabs(F[1]), Nv});
    if (GetMaxRange()) {
        m_runningMax = std::max(m_runningMax, fmax);
        fmax = m_runningMax;
    } else {
        m_runningMax = 0.0;
    }
    const double scale = fmax > 1e-6 ? ((W - left - m) - 0.2 * W) / fmax : 1.0;

    // The depth axis with the dimension of the reference axis.
    p.Add(BlackLine({left, top}, {left, H - m}, 2));
    p.Add(BlackLine({left, H - m}, {th, H - m}));
    p.Add(BlackLine({left, yRef}, {th, yRef}));
    p.Add(BlackLine(P(th + 0.3 * m, yRef - 0.5 * m), P(th + 0.3 * m, H - 0.5 * m)));
    for (const int y : {yRef, H - m})
        p.Add(BlackLine(P(th + 0.6 * m, y - 0.3 * m), P(th - 0.1 * m, y + 0.4 * m)));
    Label dim{{2, std::min(tw / 2 + (yRef + H - m) / 2, H - m)}, dimText, text};
    dim.upward = true;
    p.Add(dim);

    // The two resultants.
    const char* names[2][2] = {{"N_c", "N_s"}, {"C", "T"}};
    for (int i = 0; i < 2; ++i) {
        double z = Z[i];
        if (std::fabs(z) > 100.0)
            z = std::copysign(100.0, z);
        if (!(std::fabs(F[i]) > 0.0))
            continue;
        if (i == 0)
            p.Add(BlackLine(P(left + 1.3 * m, yRef - 0.3 * m), P(left + 0.6 * m, yRef + 0.4 * m)));
        const plat::Color colour = F[i] > 0.0 ? plat::Colors::LtRed : plat::Colors::LtGreen;
        const int yF = Trunc(yRef - z * f.k);
        const int xF = Trunc(std::fabs(F[i]) * scale + left);
        if (yF > 0 && yF < H) {
            const int head = std::min(2 * m, xF - left);
            if (F[i] >= 0.0) {
                p.Add(Line{{left, yF}, {std::max(left, xF - m), yF}, 2, colour});
                p.Add(ArrowHead{{xF, yF}, head, m, 0.0, colour, true});
            } else {
                p.Add(Line{{left + m, yF}, {xF, yF}, 2, colour});
                p.Add(ArrowHead{{left, yF}, head, m, 180.0, colour, true});
            }
        }
        const std::string label = Printf(f.si ? "%s%s: %5.0f %s" : "%s%s: %5.1f %s", names[m_mode == 1][i],
                                         f.suffix.c_str(), std::fabs(f.Force(F[i])), f.ForceUnit());
        const plat::Size le = extent(label, text);
        th = le.cy;
        int row;
        if (yF < top)
            row = top;
        else if (yF > H - m)
            row = H - th - m - 3;
        else if (yF > th + 5 + top)
            row = yF - th - 3;
        else
            row = yF + 5;
        if (le.cx < W - xF)
            p.Add(Label{{xF, row}, label, text, TA::Left, TA::Top});
        else
            p.Add(Label{{W, row}, label, text, TA::Right, TA::Top});
        // The lever arm.
        const int yClamped = std::clamp(yF, top, H - m);
        p.Add(BlackLine({left, yRef}, {left + 2 * m, yRef}));
        p.Add(BlackLine({left + m, yRef}, {left + m, yClamped}));
        const bool inside = yF >= top && yF <= H - m;
        if (inside && std::abs(yF - yRef) <= 1.1 * th)
            continue;
        // Without its leading blanks, as the dimension: the text starts where it stands, and a
        // label beside it (N_v, left of the V arrow) keeps clear of its end.
        const std::string lever =
            TrimLeft(Printf(f.si ? "%5.0f %s" : "%5.2f %s", std::fabs(z) * factor6, unit6));
        const int yEnd = yF < top ? top : yF > H - m ? H - m : yF;
        p.Add(Label{{Trunc(left + 1.5 * m), (yEnd + yRef) / 2 + th / 2}, lever, text, TA::Left, TA::Bottom});
    }

    // The shear and the longitudinal tension it causes, on the row of c. The V arrow keeps to
    // the plot: when half its length would reach past the plot's top or the box's bottom, both
    // halves are shortened to the room there is.
    const double x0 = 0.75 * W + left;
    const int yC = f.yC;
    const plat::Color blue = plat::Colors::LtBlue;
    const int Lv = Trunc(std::fabs(V) * scale);
    const int halfV = std::max(0, std::min({Trunc(0.5 * Lv), yC - top, H - 1 - yC}));
    // The labels stand right-aligned at 0.95 W. One that would cross the V arrow (its head is m
    // wide) or a label already drawn goes to the arrow's left on the same row; failing that,
    // beyond the arrow's end (N_v above it, V below it) at the right; failing that too, left of
    // the arrow.
    const int arrowLeft = Trunc(x0) - m / 2, arrowRight = Trunc(x0) + m / 2;
    auto boxOf = [&](const Label& l) {
        return AxisLabelBox(AxisLabel{"", l.at, l.hAlign, l.vAlign}, extent(l.text, l.font));
    };
    auto clear = [&](const Label& candidate) {
        const plat::Rect r = boxOf(candidate);
        if (r.top < top || r.bottom > H)
            return false;
        if (shearDrawn && r.left <= arrowRight + 2 && r.right >= arrowLeft - 2 && r.top <= yC + halfV &&
            r.bottom >= yC - halfV)
            return false;
        for (const picture::Item& item : p.items) {
            const Label* l = std::get_if<Label>(&item);
            if (!l || l->upward)
                continue;
            const plat::Rect o = boxOf(*l);
            if (r.left <= o.right + 2 && o.left <= r.right + 2 && r.top <= o.bottom && o.top <= r.bottom)
                return false;
        }
        return true;
    };
    auto shearLabel = [&](const std::string& label, int y, unsigned vAlign, int yBeyond, unsigned vBeyond) {
        const int right = Trunc(0.95 * W);
        const Label home{{right, y}, label, text, TA::Right, vAlign};
        const Label leftOfArrow{{arrowLeft - 3, y}, label, text, TA::Right, vAlign};
        const Label beyond{{right, yBeyond}, label, text, TA::Right, vBeyond};
        p.Add(clear(home) ? home : clear(leftOfArrow) ? leftOfArrow : clear(beyond) ? beyond : leftOfArrow);
    };
    if (std::fabs(nv) > 0.0 && shearDrawn) {
        const int L = Trunc(Nv * scale);
        p.Add(Line{P(x0 - 0.95 * L, yC), P(x0, yC), 2, blue});
        p.Add(ArrowHead{P(x0 - L, yC), std::min(L, 2 * m), m, 180.0, blue, true});
        shearLabel(Printf("N_v: %5.0f %s", f.Force(Nv), f.ForceUnit()), std::max(top, Trunc(yC - 0.13 * H)),
                   TA::Top, yC - halfV - 3, TA::Bottom);
    }
    if (shearDrawn) {
        const int L = Trunc(0.5 * Lv) > halfV ? 2 * halfV : Lv;
        const double g = V > 0.0 ? 1.0 : -1.0;
        p.Add(Line{P(x0, yC - 0.4 * L * g), P(x0, yC + 0.5 * L * g), 2, blue});
        if (V > 0.0)
            p.Add(ArrowHead{P(x0, yC - 0.5 * L), std::min(L, 2 * m), m, -90.0, blue, true});
        else
            p.Add(ArrowHead{P(x0, yC + 0.5 * L), std::min(L, 2 * m), m, 90.0, blue, true});
        shearLabel(Printf("V: %5.0f %s", f.Force(std::fabs(V)), f.ForceUnit()), std::min(H - 1, Trunc(yC + 0.13 * H)),
                   TA::Bottom, yC + halfV + 3, TA::Top);
    }
}

// ---- TNPlusM --------------------------------------------------------------------------------

TNPlusM::TNPlusM(plat::Window* parent, const std::string& title, int x, int y, int w, int h)
    : TForceChart(parent, title, x, y, w, h, 0, 0, 0)
{
    m_kind = 14;
    BuildForceMenu(*this, false);
}

TNPlusM::~TNPlusM() = default;

void TNPlusM::Draw(DiagramPicture& p, const ForceFrame& f, const LabelExtent& extent)
{
    const SectionState* s = m_state.get();
    const ForceSection& sec = m_sectionValues;
    const int W = f.W, H = f.H, m = f.m, top = f.top;
    const plat::LogFont& text = TextFont();

    const double N = s->Result(StateResult::AxialForce);
    const double M = s->Result(StateResult::Moment);
    double nmax = std::fabs(N);
    double mmax = std::fabs(M);
    if (GetMaxRange()) {
        m_runningMaxN = std::max(m_runningMaxN, nmax);
        m_runningMaxM = std::max(m_runningMaxM, mmax);
        nmax = m_runningMaxN;
        mmax = m_runningMaxM;
    } else {
        m_runningMaxN = m_runningMaxM = 0.0;
    }
    const double room = W - 2 * m;
    const double s0 = NPlusMAxialScale(room, sec.area, nmax);
    const int L = Trunc(std::fabs(N) * s0);
    const int a = Trunc(1.5 * m);

    p.Add(BlackLine({m, top}, {m, H - m}, 2));

    const bool layoutA = !sec.HasDatum() || (sec.datum >= 0.0 && sec.datum <= sec.height);
    const int y0 = layoutA ? f.yRef : Trunc(f.k * sec.bottom + (H - m));
    const plat::Color axialColour = layoutA ? (N > 0.0 ? plat::Colors::LtRed : plat::Colors::LtGreen)
                                            : plat::Colors::Black;
    const plat::Color momentColour = layoutA ? plat::Colors::LtBlue : plat::Colors::Black;

    // The axial arrow along the reference row.
    if (layoutA) {
        if (N <= 0.0) {
            p.Add(Line{{std::min(m + L, m + a / 2), y0}, {m + L, y0}, 2, axialColour});
            p.Add(ArrowHead{{m, y0}, std::min(L, a), a / 2, 180.0, axialColour, true});
        } else {
            p.Add(Line{{m, y0}, {std::max(m, m + L - a / 2), y0}, 2, axialColour});
            p.Add(ArrowHead{{m + L, y0}, std::min(L, a), a / 2, 0.0, axialColour, true});
        }
    } else {
        p.Add(Line{{m, y0}, {m + L, y0}, 2, axialColour});
        if (N <= 0.0)
            p.Add(ArrowHead{{m, y0}, std::min(L, a), m / 2, 180.0, axialColour, true});
        else
            p.Add(ArrowHead{{m + L, y0}, std::min(L, a), m / 2, 0.0, axialColour, true});
    }

    // The moment arc about (m, y0): counter-clockwise on screen from q/2 below the horizontal
    // to q/2 above it, the head at the upper end for M not above 0, at the lower end else.
    const int q = mmax > 0.0 ? Trunc(std::fabs(M) * 140.0 / mmax) : 0;
    const int R = std::min({Trunc(0.8 * (y0 - top)), Trunc(0.8 * (H - m - y0)), Trunc(0.8 * room)});
    if (R > 0 && std::fabs(static_cast<double>(a) / R) < std::fabs(q / 57.3)) {
        const double half = q / 2.0;
        const double shortening = layoutA ? static_cast<double>(a) / R * 57.3 / 2.0 : 0.0;
        const double correction = static_cast<double>(a) / R * 57.3 / 2.0;
        double lower = -half, upper = half; // degrees above the horizontal
        if (M <= 0.0)
            upper -= shortening;
        else
            lower += shortening;
        auto onCircle = [&](double degrees) {
            const double r = degrees / 57.296985;
            return P(m + R * std::cos(r) + 0.5, y0 - R * std::sin(r) + 0.5);
        };
        p.Add(picture::Arc{{m - R, y0 - R, m + R, y0 + R}, onCircle(lower), onCircle(upper), 2, momentColour});
        if (M <= 0.0)
            p.Add(ArrowHead{onCircle(half), a, a / 2, -90.0 - half + correction, momentColour, true});
        else
            p.Add(ArrowHead{onCircle(-half), a, a / 2, 90.0 + half - correction, momentColour, true});
    }

    // The labels.
    const std::string suffix = f.suffix.empty() ? "" : layoutA ? "_f" : " _f";
    const double factor2 = f.display.Factor(ukMoment);
    const std::string mLabel =
        Printf(f.si ? "M%s: %5.0f %s" : "M%s: %5.1f %s", suffix.c_str(), M * factor2, f.display.Label(ukMoment));
    const int Rl = std::max(R, 0);
    // Beside the arc's end, or against the right edge when it would run past it (a small box).
    const plat::Point mAt = P(0.85 * Rl + m, M > 0.0 ? y0 + 0.8 * Rl : y0 - 0.8 * Rl);
    const bool mFits = mAt.x + extent(mLabel, text).cx <= W;
    p.Add(Label{mFits ? mAt : plat::Point{W, mAt.y}, mLabel, text, mFits ? TA::Left : TA::Right,
                M > 0.0 ? TA::Top : TA::Bottom});
    const std::string nLabel = Printf(f.si ? "N%s: %5.0f %s" : "N%s: %5.1f %s", suffix.c_str(), f.Force(N),
                                      f.ForceUnit());
    bool below;
    if (!layoutA)
        below = M <= 0.0;
    else if (sec.HasDatum())
        below = sec.c <= sec.datum;
    else
        below = M <= 0.0;
    const unsigned vAlign = below ? TA::Top : TA::Bottom;
    const int row = below ? y0 + 5 : y0 - 5;
    const int reach = std::max(m + L, m + Rl);
    const int x = layoutA ? reach + 5 : (m + L >= m + Rl ? m + L : m + Rl + 5);
    if (x + extent(nLabel, text).cx <= W)
        p.Add(Label{{x, row}, nLabel, text, TA::Left, vAlign});
    else
        p.Add(Label{{W, row}, nLabel, text, TA::Right, vAlign});
}
