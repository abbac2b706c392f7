// The longitudinal reinforcement sheet keeps what the pages do not show: OK without an edit
// keeps layers whose pattern has no record, and an exploded pattern keeps the data of its own
// layers, so that neither changes the element's answer.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "dialogs/ListPage.h"
#include "dialogs/ReinforcementPages.h"
#include "dialogs/ReinforcementSheets.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlReader.h"
#include "files/xml/XmlWriter.h"
#include "foundation/TTextBuffer.h"
#include "membrane/MembraneState.h"
#include "model/ReinfPatterns.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"
#include "tests/dialogs/DialogFixtures.h"
#include "tests/dialogs/Pv19Ring.h"
#include "tests/dialogs/SavedAndRead.h"
#include "tests/membrane/HeldShearAnswer.h"
#include "tests/membrane/MembraneFixtures.h"
#include "tests/membrane/Pv19Panel.h"
#include "tests/model/StructureFixtures.h"
#include "tests/platform/PlatformFixture.h"

namespace {

class LongitudinalSheetKeeps : public GuiTest {
protected:
    CatalogueGuard catalogue;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    ScriptedUi ui;
};

using fixtures::Bars;

double TotalArea(const TStructure& s) {
    double area = 0.0;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i)
        area += s.GetLongLayer(i, 0)->A;
    return area;
}

// Height, bars and area of every x layer, in layer order.
std::vector<std::vector<double>> LayerBars(const TStructure& s) {
    std::vector<std::vector<double>> out;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
        const LongLayerRec& layer = *s.GetLongLayer(i, 0);
        out.push_back({layer.z, double(layer.num), layer.A});
    }
    return out;
}

void ExpectSameBars(const std::vector<std::vector<double>>& a, const std::vector<std::vector<double>>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_NEAR(b[i][k], a[i][k], 1e-9) << "layer " << i << " value " << k;
}

// A section whose bars are 3 x 100 mm^2 at 50 mm, one 100 mm^2 bar naming pattern slot 30 (past
// a beam's 30 slots) at 100 mm and a complete ring of four 100 mm^2 bars, offset, about 300 mm
// (two layers of two bars at 300 +- 50 mm): 800 mm^2 in four layers. Read, the layer naming
// slot 30 is kept as a plain layer (and said so once); the ring gets its record.
TEST_F(LongitudinalSheetKeeps, OkWithoutAnEditKeepsLayersWhosePatternHasNoRecord) {
    auto made = fixtures::SlotThirtyBeam();
    auto opened = SavedAndRead(*made);
    TBeam& beam = *opened;
    EXPECT_EQ(reporter.Count("names circular pattern slot 30"), 1);
    EXPECT_EQ(reporter.Count("Too many circular rebar patterns"), 0);
    ASSERT_EQ(beam.GetLongLayerCount(0), 4);
    EXPECT_NEAR(TotalArea(beam), 800e-6, 1e-12);
    const auto read = LayerBars(beam);

    std::vector<std::string> individual, circular;
    ui.Dialog("Define Longitudinal Reinforcement", [&](plat::DialogDriver& d) {
        d.SwitchPage(1);
        circular = d.Items(DetailsId::List);
        d.SwitchPage(0);
        individual = d.Items(DetailsId::List);
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_EQ(RunLongitudinalSheet(nullptr, beam, -1, 0, -1, -1, -1, [] {}), plat::DialogResult::Ok);
    // The plain layers show on the individual page, the ring on the circular one.
    std::sort(individual.begin(), individual.end());
    EXPECT_EQ(individual, (std::vector<std::string>{"Bottom", "Odd"}));
    EXPECT_EQ(circular.size(), 1u);

    ASSERT_EQ(beam.GetLongLayerCount(0), 4);
    EXPECT_NEAR(TotalArea(beam), 800e-6, 1e-12);
    ExpectSameBars(read, LayerBars(beam));
    for (int i = 0; i < 4; ++i) {
        const bool ring = beam.GetLongLayer(i, 0)->name.rfind("Ring", 0) == 0;
        EXPECT_EQ(beam.GetLongLayer(i, 0)->pattern, ring ? kCircularPattern : kPlainLayer) << i;
        EXPECT_EQ(beam.GetLongLayer(i, 0)->nround, ring ? 4 : 0) << i;
    }

    // Saved and opened again: the same four layers, the odd one plain, without a message.
    beam.Validate();
    auto again = SavedAndRead(beam);
    EXPECT_EQ(reporter.Count("names circular pattern slot 30"), 1);
    EXPECT_EQ(reporter.Count("Too many circular rebar patterns"), 0);
    ASSERT_EQ(again->GetLongLayerCount(0), 4);
    EXPECT_NEAR(TotalArea(*again), 800e-6, 1e-12);
    ExpectSameBars(read, LayerBars(*again));
}

// Explode and OK in the real sheet.
void ExplodeTheRing(ScriptedUi& ui, RecordingReporter& reporter, TStructure& s) {
    ui.Dialog("Define Longitudinal Reinforcement", [](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Click(DetailsId::Explode);
        d.Click(plat::DialogResult::Ok);
    });
    reporter.Answer(MsgAnswer::Yes);
    EXPECT_EQ(RunLongitudinalSheet(nullptr, s, 1, 0, -1, 0, -1, [] {}), plat::DialogResult::Ok);
}

// The x bars of PV19 (a 2-bar layer of 1.785 % at 50 mm) as a ring of four such bars about the
// mid-plane, 30 mm across, its layers at the spacing given (0: the default, 100 mm): the ring's
// 2-bar layer has twice the ratio, 0.0357 at 50 mm. Exploded, its layers keep their spacing and
// the element its ratios, crack spacing and a cracked state.
TEST_F(LongitudinalSheetKeeps, ExplodingARingOfPv19KeepsItsSpacingAndTheAnswer) {
    for (const double spacing : {0.05, 0.0}) {
        SCOPED_TRACE(spacing);
        auto panel = MakePv19Ring();
        for (int i = 0; i < panel->GetLongLayerCount(0); ++i)
            panel->GetLongLayer(i, 0)->space = spacing;
        panel->Validate();
        ASSERT_EQ(panel->GetLongLayerCount(0), 3);
        const double s = spacing > 0.0 ? spacing : 0.1;
        EXPECT_NEAR(panel->GetLongLayer(1, 0)->ratio, 2 * 0.01785 * 0.05 / s, 1e-12);

        const auto answer = membrane_fixtures::HeldShearAnswer;
        const std::vector<double> before = answer(*panel);

        ExplodeTheRing(ui, reporter, *panel);
        panel->Validate();
        ASSERT_EQ(panel->GetLongLayerCount(0), 3);
        for (int i = 0; i < 3; ++i) {
            const LongLayerRec& layer = *panel->GetLongLayer(i, 0);
            EXPECT_EQ(layer.pattern, kPlainLayer) << i;
            EXPECT_EQ(layer.space, s) << i;
            EXPECT_EQ(layer.type, 0) << i;
        }
        EXPECT_NEAR(panel->GetLongLayer(1, 0)->ratio, 2 * 0.01785 * 0.05 / s, 1e-12);
        const std::vector<double> after = answer(*panel);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i)
            EXPECT_NEAR(after[i], before[i], 1e-9 * (1.0 + std::fabs(before[i]))) << i;
    }
}

// A beam's ring of eight bars of its own steel (yield 300 MPa where the section's bars have
// 400), each of its five layers with its own imposed strain, a spacing and a bar position:
// exploded, every layer keeps them, and the section's response is the same, stage by stage.
TEST_F(LongitudinalSheetKeeps, ExplodingABeamRingKeepsEachLayersOwnData) {
    TBeam beam;
    beam.NewDefault();
    beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
    SteelTypeRec ringSteel = *beam.GetSteelType(0);
    ringSteel.fy = 300e6;
    ringSteel.name = "Ring steel";
    beam.AddSteelType(ringSteel);
    const int ringType = beam.GetSteelTypeCount() - 1;
    const double height = beam.GetHeight();
    TLongLists lists = BuildLongLists(beam, 0);
    ASSERT_TRUE(lists.circular->AddFull({8, 500e-6, 0, height / 2.0, height / 2.0, 0, 0, 0, 0, 0},
                                        {0, ringType, 1, -1}, "Ring"));
    ASSERT_EQ(WriteBackLongLists(beam, lists, 0), 1);
    beam.Validate();
    std::vector<int> ring;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        if (beam.GetLongLayer(i, 0)->pattern == kCircularPattern)
            ring.push_back(i);
    ASSERT_EQ(ring.size(), 5u);
    for (std::size_t k = 0; k < ring.size(); ++k) {
        LongLayerRec& layer = *beam.GetLongLayer(ring[k], 0);
        layer.thermStrain = -1e-4 * double(k + 1);
        layer.space = 0.15;
        layer.barX = 0.01;
    }
    beam.Validate();
    TBeam kept;
    kept.CopyFrom(beam);

    ExplodeTheRing(ui, reporter, beam);
    beam.Validate();
    ASSERT_EQ(beam.GetLongLayerCount(0), kept.GetLongLayerCount(0));
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec& was = *kept.GetLongLayer(i, 0);
        const LongLayerRec& now = *beam.GetLongLayer(i, 0);
        EXPECT_EQ(now.pattern, kPlainLayer) << i;
        EXPECT_EQ(now.z, was.z) << i;
        EXPECT_EQ(now.num, was.num) << i;
        EXPECT_EQ(now.A, was.A) << i;
        EXPECT_EQ(now.type, was.type) << i;
        EXPECT_EQ(now.thermStrain, was.thermStrain) << i;
        EXPECT_EQ(now.space, was.space) << i;
        EXPECT_EQ(now.barX, was.barX) << i;
    }

    TFullSectionalResponse before(&kept);
    TFullSectionalResponse after(&beam);
    RunToFinish(before, 5000);
    RunToFinish(after, 5000);
    ASSERT_EQ(before.IsRunning(), 0);
    ASSERT_GT(before.GetLastStageIndex(), 5);
    ASSERT_EQ(after.GetLastStageIndex(), before.GetLastStageIndex());
    for (int i = 0; i <= before.GetLastStageIndex(); ++i) {
        const SectionState* x = before.GetStage(i);
        const SectionState* y = after.GetStage(i);
        ASSERT_EQ(x == nullptr, y == nullptr) << i;
        if (x == nullptr)
            continue;
        for (std::size_t k = 0; k < x->Results.size(); ++k)
            EXPECT_NEAR(y->Results[k], x->Results[k], 1e-9 * (std::fabs(x->Results[k]) + 1.0))
                << "stage " << i << " result " << k;
    }
}

// A ring whose entry was changed before Explode (its centre moved) explodes at the new heights,
// with the ring's own spacing and imposed strain from its first layer, not a blank layer's.
TEST_F(LongitudinalSheetKeeps, AChangedRingExplodesAtItsNewHeightsWithItsOwnData) {
    TBeam beam;
    beam.NewDefault();
    beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
    beam.DeleteLongLayers(0);
    TLongLists lists = BuildLongLists(beam, 0);
    ASSERT_TRUE(lists.circular->AddFull({4, 500e-6, 0, 0.3, 0.2, 0, 0, 0, 0, 0}, {0, 0, 1, -1}, "Ring"));
    ASSERT_EQ(WriteBackLongLists(beam, lists, 0), 1);
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        beam.GetLongLayer(i, 0)->space = 0.15;
        beam.GetLongLayer(i, 0)->thermStrain = -2e-4;
    }
    beam.Validate();
    ui.Dialog("Define Longitudinal Reinforcement", [](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Type(DetailsId::Field0 + 3, "250");
        d.Click(DetailsId::Modify);
        d.Click(DetailsId::Explode);
        d.Click(plat::DialogResult::Ok);
    });
    reporter.Answer(MsgAnswer::Yes);
    EXPECT_EQ(RunLongitudinalSheet(nullptr, beam, 1, 0, -1, 0, -1, [] {}), plat::DialogResult::Ok);
    ASSERT_EQ(beam.GetLongLayerCount(0), 3);
    const double bottom = beam.GetBottom();
    const double heights[3] = {0.15, 0.25, 0.35};
    for (int i = 0; i < 3; ++i) {
        const LongLayerRec& layer = *beam.GetLongLayer(i, 0);
        EXPECT_NEAR(layer.z - bottom, heights[i], 1e-9) << i;
        EXPECT_EQ(layer.pattern, kPlainLayer) << i;
        EXPECT_EQ(layer.space, 0.15) << i;
        EXPECT_EQ(layer.thermStrain, -2e-4) << i;
    }
}

} // namespace
