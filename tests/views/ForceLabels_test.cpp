// The labels of the force diagram and the N+M diagram stand clear of the diagram's lines,
// arrowheads and arcs and of each other, measured as the screen and a printed page measure
// them: a label's pixels (its box as the device measures its letters) hold no stroke of a
// line, an arrowhead's edge or an arc, and overlap no other label's.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/state/SectionState.h"
#include "charts/DrawingSheet.h"
#include "foundation/Units.h"
#include "platform/Application.h"
#include "tests/analysis/PointSections.h"
#include "tests/views/ForceDiagramSupport.h"
#include "tests/support/RecordingDC.h"
#include "views/PictureLabels.h"
#include "views/TForceDiagram.h"

namespace {

using picture::ArrowHead;
using picture::Label;
using picture::Line;

// A device of the screen, or the printed page as the page maps it (its 1123 x 794 logical
// pixels on a 300 per inch device of 3508 x 2480 pixels).
void MapAsPrinter(RecordingDC& dc)
{
    dc.Recorder().caps = plat::DeviceCaps{297, 210, 3508, 2480, 300, 300};
    dc.SetMapMode(plat::MapMode::Anisotropic);
    dc.SetWindowExt({1123, 794});
    dc.SetViewportExt({3508, 2480});
}

// Whether the segment a-b passes through the inside of box (its pixels less the edge ones:
// a label may stand against a line), traced every half pixel.
bool Crosses(plat::Point a, plat::Point b, const plat::Rect& box)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const int steps = std::max(1, static_cast<int>(2.0 * std::max(std::fabs(dx), std::fabs(dy))));
    for (int i = 0; i <= steps; ++i) {
        const double x = a.x + dx * i / steps, y = a.y + dy * i / steps;
        if (x > box.left && x < box.right - 1 && y > box.top && y < box.bottom - 1)
            return true;
    }
    return false;
}

// The strokes of the picture: lines, the three edges of each arrowhead, an arc as 72 chords.
std::vector<std::pair<plat::Point, plat::Point>> Strokes(const DiagramPicture& p)
{
    std::vector<std::pair<plat::Point, plat::Point>> out;
    for (const picture::Item& item : p.items) {
        if (const auto* l = std::get_if<Line>(&item)) {
            out.push_back({l->a, l->b});
        } else if (const auto* h = std::get_if<ArrowHead>(&item)) {
            const ArrowCorners c = ArrowHeadCorners(h->tip.x, h->tip.y, h->length, h->width, h->degrees);
            out.push_back({h->tip, c.p1});
            out.push_back({c.p1, c.p2});
            out.push_back({c.p2, h->tip});
        } else if (const auto* a = std::get_if<picture::Arc>(&item)) {
            const double cx = 0.5 * (a->box.left + a->box.right), cy = 0.5 * (a->box.top + a->box.bottom);
            const double r = 0.5 * (a->box.right - a->box.left);
            double a0 = std::atan2(cy - a->start.y, a->start.x - cx), a1 = std::atan2(cy - a->end.y, a->end.x - cx);
            if (a1 <= a0)
                a1 += 2.0 * 3.14159265358979;
            auto at = [&](double t) {
                return plat::Point{static_cast<int>(std::lround(cx + r * std::cos(t))),
                                   static_cast<int>(std::lround(cy - r * std::sin(t)))};
            };
            for (int i = 0; i < 72; ++i)
                out.push_back({at(a0 + (a1 - a0) * i / 72), at(a0 + (a1 - a0) * (i + 1) / 72)});
        }
    }
    return out;
}

// Every label of the picture, measured by extent, inside the box, crossed by no stroke and
// overlapping no other label; the failures named.
std::vector<std::string> LabelFaults(const DiagramPicture& p, const LabelExtent& extent, int W, int H)
{
    std::vector<std::string> faults;
    const std::vector<Label> labels = p.All<Label>();
    const auto strokes = Strokes(p);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const plat::Rect b = PictureLabelBox(labels[i], extent);
        if (b.left < 0 || b.top < 0 || b.right > W || b.bottom > H)
            faults.push_back("\"" + labels[i].text + "\" leaves the box");
        for (const auto& [a, e] : strokes)
            if (Crosses(a, e, b))
                faults.push_back("(" + std::to_string(a.x) + "," + std::to_string(a.y) + ")-(" + std::to_string(e.x) + "," +
                                 std::to_string(e.y) + ") through \"" + labels[i].text + "\"");
        for (std::size_t j = 0; j < i; ++j) {
            const plat::Rect o = PictureLabelBox(labels[j], extent);
            if (b.left < o.right && o.left < b.right && b.top < o.bottom && o.top < b.bottom)
                faults.push_back("\"" + labels[i].text + "\" on \"" + labels[j].text + "\"");
        }
    }
    return faults;
}

struct ForceLabelsTest : ::testing::TestWithParam<bool> {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    RecordingDC dc;
    ForceLabelsTest()
    {
        if (GetParam())
            MapAsPrinter(dc);
    }
};

// The sample beam in US units at its peak with shear (as the "Internal Forces" graph shows it at
// 920 x 900): C = T = 501.3 kN (112.7 kips) 165 mm above and 237 mm below the centroid, V =
// 201.5 kN with N_v = 1.36 V. "T: 112.7 kips" is wider than the room right of its arrow's tip
// (the tip at 0.75 of the width): against the box's right edge it would stand on the head, whose
// upper half rises m / 2 = 23 px above the arrow's row, while the label's foot is 3 px above it.
// It stands clear of the head, the shaft and every other label; so does every label.
TEST_P(ForceLabelsTest, TheTensionLabelInUsUnitsStandsClearOfItsArrowHead)
{
    auto beam = TestSection::MakeBeam();
    beam->Validate();
    TForceDiagram chart{nullptr, "Internal Forces", 0, 0, 920, 900};
    DisplayContext us;
    us.unitSystem = kUnitUS;
    chart.SetDisplay(us);
    auto s = ResultantsState(-501.3e3, 0.165, 501.3e3, -0.237, 201.5e3);
    s->ShearBlock = {201.5e3, 1.0, 1.0, 1.0};
    s->NvRatio = 1.36;
    ShowState(chart, beam.get(), s.get());
    const LabelExtent extent = MeasureOn(dc);
    const DiagramPicture p = chart.ComputePicture(extent);
    ASSERT_FALSE(p.noData);
    const Label* t = FindLabel(p, "T:");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text, "T: 112.7 kips");
    const std::vector<ArrowHead> heads = p.All<ArrowHead>();
    ASSERT_GE(heads.size(), 2u);
    const ArrowHead& head = heads[1]; // the tension's, pointing right
    ASSERT_EQ(head.degrees, 0.0);
    EXPECT_GT(extent(t->text, t->font).cx, 920 - head.tip.x); // no room right of the tip
    const plat::Rect box = PictureLabelBox(*t, extent);
    // Clear of the head's triangle: wholly above its top corner or below its bottom one, or
    // right of its tip.
    EXPECT_TRUE(box.bottom <= head.tip.y - head.width / 2 || box.top > head.tip.y + head.width / 2 ||
                box.left > head.tip.x)
        << box.left << "," << box.top << ".." << box.right << "," << box.bottom << " head at " << head.tip.x << ","
        << head.tip.y;
    const std::vector<std::string> faults = LabelFaults(p, extent, 920, 900);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);

    // On the device the letters land where the box says: the label's text drawn there.
    chart.Paint(dc, true, {0, 0, 920, 900});
    bool drawn = false;
    for (const DrawCall& c : dc.CallsOf("Text")) {
        const int left = c.run.at.x + c.run.x0, baseline = c.run.at.y + c.run.baseline;
        if (c.text.find("T: 112.7 kips") != std::string::npos) {
            drawn = true;
            EXPECT_GE(left, box.left);
            EXPECT_LE(left + c.run.width, box.right);
            EXPECT_GE(baseline - c.run.ascent, box.top);
            EXPECT_LE(baseline + c.run.descent, box.bottom);
        }
    }
    EXPECT_TRUE(drawn);
}

// A section without longitudinal steel: C and T are equal and opposite, 17 mm apart just below
// the centroid (7 px at this size, less than a line of text), so their labels would fall on one
// another, and the lever arm's label on the arrows. Each stands whole, clear of the others and
// of the lines.
TEST_P(ForceLabelsTest, ForcesAtNearlyOneHeightKeepTheirLabelsApart)
{
    auto beam = TestSection::MakeBeam();
    beam->DeleteLongLayers(0);
    beam->Validate();
    TForceDiagram chart{nullptr, "Internal Forces", 0, 0, 300, 280};
    chart.SetDisplay(DisplayContext{});
    auto s = ResultantsState(-14e3, -0.013, 14e3, -0.03, 0.0);
    ShowState(chart, beam.get(), s.get());
    const LabelExtent extent = MeasureOn(dc);
    const DiagramPicture p = chart.ComputePicture(extent);
    ASSERT_FALSE(p.noData);
    ASSERT_NE(FindLabel(p, "C:"), nullptr);
    ASSERT_NE(FindLabel(p, "T:"), nullptr);
    const std::vector<std::string> faults = LabelFaults(p, extent, 300, 280);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

// The N+M diagram of a section without longitudinal steel whose moment axis is its bottom: the
// reference row is the plot's bottom, with no room for the moment's arc, and the section's
// centroid above the axis puts the axial label above the row, where the moment's label stands
// too (both from the left, for a small force). They stand apart, clear of the axis and the
// arrow, in every sign of N and M.
TEST_P(ForceLabelsTest, NPlusMOfASectionWithoutSteelWritesItsLabelsApart)
{
    auto beam = TestSection::MakeBeam();
    beam->DeleteLongLayers(0);
    beam->SetMomentAxis(0.0);
    beam->Validate();
    for (const int w : {400, 200}) {
        const int h = w * 3 / 4;
        TNPlusM nm{nullptr, "N+M", 0, 0, w, h};
        nm.SetDisplay(DisplayContext{});
        for (const double N : {-1e3, 0.0, 1e3})
            for (const double M : {-1e5, -1e3, 0.0}) {
                SectionState s;
                s.Valid = 1;
                s.Results[StateResult::AxialForce] = N;
                s.Results[StateResult::Moment] = M;
                ShowState(nm, beam.get(), &s);
                const LabelExtent extent = MeasureOn(dc);
                const DiagramPicture p = nm.ComputePicture(extent);
                ASSERT_FALSE(p.noData);
                const Label* n = FindLabel(p, "N:");
                const Label* m = FindLabel(p, "M:");
                ASSERT_NE(n, nullptr);
                ASSERT_NE(m, nullptr);
                const plat::Rect bn = PictureLabelBox(*n, extent), bm = PictureLabelBox(*m, extent);
                EXPECT_TRUE(bn.right <= bm.left || bm.right <= bn.left || bn.bottom <= bm.top || bm.bottom <= bn.top)
                    << w << " px, N " << N << ", M " << M;
                const std::vector<std::string> faults = LabelFaults(p, extent, w, h);
                EXPECT_TRUE(faults.empty()) << w << " px, N " << N << ", M " << M << ": "
                                            << ::testing::PrintToString(faults);
            }
    }
}

INSTANTIATE_TEST_SUITE_P(ScreenAndPage, ForceLabelsTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Printer" : "Screen"; });

} // namespace
