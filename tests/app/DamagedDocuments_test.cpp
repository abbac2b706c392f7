// Damaged documents opened in the real window: each is told once, as it is read, and after that
// the window paints, shows the section and solves without a box. A layer naming a pattern slot
// past the slots stays a plain layer of its bars, and the page shows every bar the analysis
// takes, where its layer is; a membrane element whose outline names no concrete is refused.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/summary/InfoManager.h"
#include "app/views/TViewm.h"
#include "model/ReinfPatterns.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "support/RecordingDC.h"
#include "tests/app/ShellFixture.h"
#include "tests/model/StructureFixtures.h"

namespace {

class DamagedDocument : public StartedShellTest {
protected:
    DamagedDocument() : m_previous(SetDocumentEngine(nullptr)) {}
    ~DamagedDocument() override { SetDocumentEngine(m_previous); }

    int Boxes() const {
        return static_cast<int>(std::count_if(ui.requests.begin(), ui.requests.end(),
                                              [](const UiRequest& r) { return r.kind == "message"; }));
    }
    void PaintTenTimes() {
        for (int i = 0; i < 10; ++i) {
            Window().Invalidate();
            Window().UpdateWindow();
        }
    }
    // Solve > Sectional Response, run to its end in the window's idle passes.
    TSectionalAnalysis* Solve() {
        Frame().Dispatch(CmId::SectionalResponse);
        TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        for (int pass = 0; a != nullptr && a->IsRunning() && pass < 20000; ++pass)
            Window().IdleAction(pass);
        return a;
    }

private:
    TDocumentEngine* m_previous;
};

// 400 x 600 mm; 3 bars at 50 mm, one bar naming circular pattern slot 30 (a beam has slots 0 to
// 29) at 100 mm and a complete ring of four bars, not aligned, about 300 mm: two layers of two
// bars at 250 and 350 mm, on a circle of radius 50 sqrt 2 mm (the bars 50 mm either side of the
// middle). 8 bars of 100 mm^2: 800 mm^2.
std::unique_ptr<TStructure> SlotThirtySection() {
    auto beam = fixtures::SlotThirtyBeam();
    beam->SetName("Slot thirty");
    return beam;
}

// The steel area of a label of the summary page: "A_s = %5.0f mm^2" (times the layers of "N
// layers of") for a layer, "n A_s = ..." for a ring of n bars.
double LabelArea(const std::string& text) {
    const std::size_t at = text.find("A_s =");
    if (at == std::string::npos)
        return 0.0;
    const double each = std::atof(text.c_str() + at + 5);
    // "n A_s" and "n layers of" begin with their count.
    return at > 0 ? each * std::atof(text.c_str()) : each;
}

struct Centre {
    double x, y;
};

std::vector<Centre> BarCentres(const RecordingDC& dc) {
    std::vector<Centre> out;
    for (const DrawCall& c : dc.CallsOf("Ellipse"))
        out.push_back({(c.rect.left + c.rect.right) / 2.0, (c.rect.top + c.rect.bottom) / 2.0});
    return out;
}

bool HasBarAt(const std::vector<Centre>& bars, double x, double y) {
    return std::any_of(bars.begin(), bars.end(),
                       [&](const Centre& c) { return std::fabs(c.x - x) <= 2.0 && std::fabs(c.y - y) <= 2.0; });
}

TEST_F(DamagedDocument, ALayerPastThePatternSlotsIsToldOnceAndTheRingIsShownWhereItsBarsAre) {
    Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
    const std::string file = WriteStructures("slot30.qvh", [] {
        std::vector<std::unique_ptr<TStructure>> v;
        v.push_back(SlotThirtySection());
        return v;
    }());
    ui.Message("names circular pattern slot 30", MsgAnswer::Ok);
    app->OpenFile(file);
    ASSERT_EQ(Boxes(), 1);
    const std::string told = ui.requests[0].text;
    for (const char* part : {"Section \"Slot thirty\"", "\"Odd\"", "slot 30", "plain layer of 1 bar"})
        EXPECT_NE(told.find(part), std::string::npos) << part << " in " << told;

    PaintTenTimes();
    EXPECT_EQ(Boxes(), 1) << "at ten paints";
    Frame().Dispatch(CmId::CrossSection);
    PaintTenTimes();
    EXPECT_EQ(Boxes(), 1) << "on View > Cross Section";

    // What the analysis takes: 800 mm^2 in four layers.
    const TStructure* s = Window().GetCurrentStructure();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->GetLongLayerCount(0), 4);
    double analysed = 0.0;
    for (int i = 0; i < 4; ++i)
        analysed += s->GetLongLayer(i, 0)->A;
    EXPECT_NEAR(analysed, 800e-6, 1e-12);

    // The page labels all of it: 3 x 100, 1 x 100 and the ring's 4 x 100 mm^2.
    RecordingDC page;
    Window().GetViewManager().Paint(page, 0, 0);
    ASSERT_NE(g_InfoManager, nullptr);
    double labelled = 0.0;
    std::vector<std::string> labels;
    for (int i = 0; i < g_InfoManager->Count(); ++i) {
        labels.push_back(g_InfoManager->GetItem(i).text);
        labelled += LabelArea(labels.back());
    }
    EXPECT_NEAR(labelled, 800.0, 1e-9) << ::testing::PrintToString(labels);

    // The bars where their layers are. The bottom layer's middle bar stands on the centre line;
    // the rows of 50 and 100 mm give the scale; the ring's bars stand 50 mm either side of the
    // centre line at 250 and 350 mm.
    const std::vector<Centre> bars = BarCentres(page);
    std::map<long, std::vector<double>> rows;
    for (const Centre& c : bars)
        rows[std::lround(c.y)].push_back(c.x);
    ASSERT_GE(rows.size(), 2u);
    const auto bottomRow = std::find_if(rows.rbegin(), rows.rend(), [](const auto& r) { return r.second.size() == 3; });
    ASSERT_NE(bottomRow, rows.rend()) << "no row of three bars";
    std::vector<double> xs = bottomRow->second;
    std::sort(xs.begin(), xs.end());
    const double centreX = xs[1];
    const double y50 = bottomRow->first;
    const auto bottomAt = std::prev(bottomRow.base());  // the same row, counted upwards
    ASSERT_NE(bottomAt, rows.begin());
    const double y100 = std::prev(bottomAt)->first;  // the next row up
    const double scale = (y50 - y100) / 0.05;  // pixels per metre
    ASSERT_GT(scale, 100.0);
    EXPECT_TRUE(HasBarAt(bars, centreX, y100));
    for (const double z : {0.25, 0.35})
        for (const double x : {-0.05, 0.05})
            EXPECT_TRUE(HasBarAt(bars, centreX + x * scale, y50 - (z - 0.05) * scale)) << z << " " << x;

    ASSERT_NE(Solve(), nullptr);
    EXPECT_EQ(Boxes(), 1) << "on Solve";
    EXPECT_EQ(Window().GetCurrentAnalysis()->GetErrorCount(), 0);
}

// The 400 x 600 mm beam with three 500 mm^2 bars at 50 mm, and three layers of 200 mm^2 bars
// named as one distributed pattern of 6 bars (2 a layer): 2 bars at 200 mm, 2 at 400 mm and 3 at
// 500 mm, which no record of 6 bars gives back. The pattern is incomplete: the analysis takes
// its layers as they stand, and the summary page labels each of them as a layer of its own,
// 400, 400 and 600 mm^2, pointing at its height: the labels' anchors stand in the order of
// the heights, 150 : 200 : 100 mm apart from the bottom bars up.
TEST_F(DamagedDocument, AnIncompleteDistributedPatternHasACalloutForEachOfItsLayers) {
    Window().MoveWindow(plat::Rect{0, 0, 1280, 1024});
    const std::string file = WriteStructures("incomplete.qvh", [] {
        auto beam = fixtures::BeamWithBottomBars(500e-6);
        beam->SetName("Incomplete");
        const double bottom = beam->GetBottom();
        beam->AddLongLayer(fixtures::Bars("Side", bottom + 0.2, 2, 200e-6, kDistributedPattern, 0, 6), 0);
        beam->AddLongLayer(fixtures::Bars("Side1", bottom + 0.4, 2, 200e-6, kDistributedPattern, 0, 6), 0);
        beam->AddLongLayer(fixtures::Bars("Side2", bottom + 0.5, 3, 200e-6, kDistributedPattern, 0, 6), 0);
        std::vector<std::unique_ptr<TStructure>> v;
        v.push_back(std::move(beam));
        return v;
    }());
    app->OpenFile(file);
    EXPECT_EQ(Boxes(), 0);
    const TStructure* s = Window().GetCurrentStructure();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->GetName(), "Incomplete");
    ASSERT_EQ(s->GetLongLayerCount(0), 4);
    int patternLayers = 0;
    for (int i = 0; i < 4; ++i) {
        const LongLayerRec& layer = *s->GetLongLayer(i, 0);
        patternLayers += layer.pattern == kDistributedPattern ? 1 : 0;
        EXPECT_EQ(PatternRecordOf(*s, layer, 0), nullptr) << layer.name;
    }
    ASSERT_EQ(patternLayers, 3);  // named as the pattern, which has no record

    Frame().Dispatch(CmId::CrossSection);
    RecordingDC page;
    Window().GetViewManager().Paint(page, 0, 0);
    ASSERT_NE(g_InfoManager, nullptr);
    // The labels from the bottom of the page up, by the middle of each one's anchor span.
    std::vector<std::pair<double, std::string>> callouts;
    for (int i = 0; i < g_InfoManager->Count(); ++i) {
        const TInfo_Base::Item& item = g_InfoManager->GetItem(i);
        callouts.emplace_back((item.y1 + item.y2) / 2.0, item.text);
        EXPECT_EQ(item.kind, CalloutKind::Longitudinal) << item.text;
    }
    std::sort(callouts.rbegin(), callouts.rend());
    std::vector<std::string> labels;
    std::vector<double> anchors;
    for (const auto& [anchor, text] : callouts) {
        anchors.push_back(anchor);
        labels.push_back(text);
    }
    ASSERT_EQ(labels.size(), 4u) << ::testing::PrintToString(labels);
    const double areas[] = {1500.0, 400.0, 400.0, 600.0};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(LabelArea(labels[i]), areas[i], 1e-9) << labels[i];
    // Each label drawn on the page: "A", "s", " =   400 mm", "2" for "A_s =   400 mm^2".
    const std::vector<std::string> drawn = page.Texts();
    for (const std::string& label : labels) {
        const std::string middle = label.substr(3, label.find('^') - 3);
        EXPECT_EQ(std::count(drawn.begin(), drawn.end(), middle), std::count(labels.begin(), labels.end(), label))
            << label;
    }
    // Anchored at the layers' heights: 50, 200, 400 and 500 mm, upwards on the page.
    const double scale = (anchors[0] - anchors[1]) / 0.15;  // pixels a metre
    ASSERT_GT(scale, 100.0);
    EXPECT_NEAR(anchors[1] - anchors[2], 0.2 * scale, 2.0);
    EXPECT_NEAR(anchors[2] - anchors[3], 0.1 * scale, 2.0);
}

TEST_F(DamagedDocument, AMembraneElementWithoutConcreteIsRefusedOnceOnOpeningAndOnReopening) {
    auto shell = std::make_unique<TShell>();
    shell->SetName("Foreign panel");
    ASSERT_EQ(shell->GetConcreteTypeCount(), 0);
    std::vector<std::unique_ptr<TStructure>> v;
    v.push_back(std::move(shell));
    const std::string file = WriteStructures("panel.qvh", std::move(v));
    ASSERT_NE(dir.Read("panel.qvh").find("p3g_shell"), std::string::npos);

    for (int open = 1; open <= 2; ++open) {
        SCOPED_TRACE(open);
        ui.Message("Membrane element \"Foreign panel\": its outline names no concrete type", MsgAnswer::Ok);
        app->OpenFile(file);
        EXPECT_EQ(Boxes(), open);
        EXPECT_EQ(app->GetFileName(), "Newbeam");
        PaintTenTimes();
        Frame().Dispatch(CmId::CrossSection);
        PaintTenTimes();
        EXPECT_EQ(Boxes(), open) << "at paints and on View > Cross Section";
    }
    EXPECT_NE(ui.requests[0].text.find("It was not read."), std::string::npos) << ui.requests[0].text;
}

// The same element given as the text of View > Cross Section's document: it is refused once and
// the editor comes back; closed without it, the element open before stays, and paints, shows and
// solves without a box.
TEST_F(DamagedDocument, AMembraneElementWithoutConcreteAppliedAsTextIsRefusedOnce) {
    auto shell = std::make_unique<TShell>();
    shell->SetName("Foreign panel");
    std::vector<std::unique_ptr<TStructure>> v;
    v.push_back(std::move(shell));
    WriteStructures("panel.qvh", std::move(v));
    const std::string damaged = dir.Read("panel.qvh");

    g_Structures[0] = std::make_unique<TShell>(1);  // an example element, with its concrete
    g_Structures[0]->SetName("Panel");
    g_Structures[0]->Validate();
    Window().GetViewManager().CreateLogic(0, g_Structures[0].get(), nullptr);
    Frame().Dispatch(CmId::CrossSection);
    ASSERT_EQ(Boxes(), 0);

    ui.DataView([&](std::string& text) {
        text = damaged;
        return true;
    });
    ui.Message("Membrane element \"Foreign panel\": its outline names no concrete type", MsgAnswer::Ok);
    ui.DataView([](std::string&) { return false; });
    Frame().Dispatch(CmId::ViewXml);
    EXPECT_EQ(Boxes(), 1);
    ASSERT_NE(Window().GetCurrentStructure(), nullptr);
    EXPECT_EQ(Window().GetCurrentStructure()->GetName(), "Panel");

    PaintTenTimes();
    Frame().Dispatch(CmId::CrossSection);
    PaintTenTimes();
    EXPECT_EQ(Boxes(), 1) << "at paints and on View > Cross Section";
    ASSERT_NE(Solve(), nullptr);
    EXPECT_EQ(Boxes(), 1) << "on Solve";
}

} // namespace
