// The reinforcement pages and their lists: Explode against hand-computed heights, names of
// exploded layers, capacities, depth warnings, tendon values, stirrup kinds and ends, and
// write-back that leaves unchanged lists as they were.

#include <cmath>
#include <string>

#include "dialogs/ReinforcementPages.h"
#include "model/TBeam.h"
#include "tests/dialogs/DialogFixtures.h"

namespace {

class ReinforcementTest : public DialogModelTest {
protected:
    ReinforcementTest() {
        beam.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
        lists = BuildLongLists(beam, 0);
    }
    // A circular entry: bars, orientation (0 aligned, 1 offset), centre and diameter (m).
    void AddCircle(const std::string& name, int bars, int orientation, double centre, double diameter) {
        (void)lists.circular->AddFull({double(bars), 500e-6, 0, centre, diameter, 0, 0, 0, 0, 0},
                                      {orientation, 0, 1, -1}, name);
    }
    std::vector<double> IndividualHeights() {
        std::vector<double> z;
        for (int i = 0; i < lists.individual->GetCount(); ++i)
            z.push_back(lists.individual->Entry(i).values[3]);
        return z;
    }

    TBeam beam;
    TLongLists lists;
};

TEST_F(ReinforcementTest, CircularPatternLayersAlignedAndOffset) {
    // 8 bars, centre 300 mm, diameter 200 mm: r = 100 mm, angles 0, 45, 90, 135, 180 degrees.
    TypeListRec aligned;
    aligned.values = {8, 500e-6, 0, 0.3, 0.2, 0, 0, 0, 0, 0};
    const std::vector<PatternLayer> a = CircularPatternLayers(aligned);
    ASSERT_EQ(a.size(), 5u);
    const double expected[5] = {0.4, 0.3 + 0.1 * std::sqrt(0.5), 0.3, 0.3 - 0.1 * std::sqrt(0.5), 0.2};
    const int bars[5] = {1, 2, 2, 2, 1};
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_NEAR(a[k].height, expected[k], 1e-9) << k;
        EXPECT_EQ(a[k].bars, bars[k]) << k;
    }
    // Offset: 22.5, 67.5, 112.5, 157.5 degrees, 2 bars each.
    aligned.codes[0] = 1;
    const std::vector<PatternLayer> o = CircularPatternLayers(aligned);
    ASSERT_EQ(o.size(), 4u);
    EXPECT_NEAR(o[0].height, 0.39239, 1e-5);
    EXPECT_NEAR(o[1].height, 0.33827, 1e-5);
    EXPECT_NEAR(o[2].height, 0.26173, 1e-5);
    EXPECT_NEAR(o[3].height, 0.20761, 1e-5);
    for (const PatternLayer& layer : o)
        EXPECT_EQ(layer.bars, 2);
}

TEST_F(ReinforcementTest, DistributedPatternLayers) {
    TypeListRec e;
    e.values = {2, 500e-6, 0, 3, 0.45, 0.05, 0, 0, 0, 0};
    const std::vector<PatternLayer> three = DistributedPatternLayers(e);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_NEAR(three[0].height, 0.05, 1e-12);
    EXPECT_NEAR(three[1].height, 0.25, 1e-12);
    EXPECT_NEAR(three[2].height, 0.45, 1e-12);
    e.values[3] = 1;
    const std::vector<PatternLayer> one = DistributedPatternLayers(e);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NEAR(one[0].height, 0.25, 1e-12);
}

TEST_F(ReinforcementTest, ExplodeAddsNamedLayersAndRemovesThePattern) {
    (void)lists.individual->AddFull({2, 500e-6, 0, 0.05, 0, 0, 0, 0, 0, 0}, {0, 0, 1, -1}, "Top");
    AddCircle("Top", 8, 0, 0.3, 0.2);
    TGen_Circ page(lists, *lists.circular, beam, 0, -1);
    int marked = 0, firstPage = 0;
    page.markStructuresChanged = [&marked] { ++marked; };
    page.showFirstPage = [&firstPage] { ++firstPage; };
    page.Setup();
    reporter.Answer(MsgAnswer::No);
    page.Explode();
    EXPECT_EQ(lists.individual->GetCount(), 1);
    reporter.Answer(MsgAnswer::Yes);
    page.Explode();
    EXPECT_EQ(reporter.Count("This command will create many individual bar layers, do you want to continue? "), 2);
    ASSERT_EQ(lists.individual->GetCount(), 6);
    EXPECT_EQ(lists.individual->Entry(1).name, "Topa");
    EXPECT_EQ(lists.individual->Entry(2).name, "Top1");
    EXPECT_EQ(lists.individual->Entry(5).name, "Top4");
    EXPECT_DOUBLE_EQ(lists.individual->Entry(1).values[0], 1.0);
    EXPECT_DOUBLE_EQ(lists.individual->Entry(2).values[0], 2.0);
    EXPECT_DOUBLE_EQ(lists.individual->Entry(2).values[1], 500e-6);
    EXPECT_EQ(lists.individual->Entry(2).codes[2], 1);
    EXPECT_NEAR(lists.individual->Entry(5).values[3], 0.2, 1e-9);
    EXPECT_EQ(lists.circular->GetCount(), 0);
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(firstPage, 1);
}

TEST_F(ReinforcementTest, DistributedExplodeGivesHandHeights) {
    (void)lists.distributed->AddFull({2, 500e-6, 0, 3, 0.05, 0.45, 0, 0, 0, 0}, {0, 0, 1, -1}, "Web");
    TGen_Distribute page(lists, *lists.distributed, beam, 0, -1);
    page.Setup();
    reporter.Answer(MsgAnswer::Yes);
    page.Explode();
    EXPECT_EQ(IndividualHeights(), (std::vector<double>{0.05, 0.25, 0.45}));
    EXPECT_EQ(lists.individual->Entry(2).name, "Web2");
}

TEST_F(ReinforcementTest, CapacitiesCountTheLayersOfTheOtherLists) {
    AddCircle("C", 0, 0, 0.3, 0.2);
    (void)lists.distributed->AddFull({2, 500e-6, 0, 4, 0.05, 0.45, 0, 0, 0, 0}, {0, 0, 1, -1}, "D");
    TGen_Lon individual(lists, *lists.individual, beam, 0, -1);
    individual.Setup();
    individual.SetActive();
    // The circle of 0 bars became 3 bars: layers at 0 and 120 degrees, 2 layers; 4 distributed.
    EXPECT_DOUBLE_EQ(lists.circular->Entry(0).values[0], 3.0);
    // A section holds at most 1000 layers of a direction.
    EXPECT_EQ(lists.individual->GetMaximum(), 1000 - 2 - 4);
    TGen_Circ circular(lists, *lists.circular, beam, 0, -1);
    circular.Setup();
    circular.SetActive();
    EXPECT_EQ(lists.circular->GetMaximum(), std::min(beam.GetMaxLongLayers() - 4, beam.GetPatternCapacity() - 1));
}

TEST_F(ReinforcementTest, DepthsOutsideTheSectionWarnButAreStored) {
    TGen_Circ page(lists, *lists.circular, beam, 0, -1);
    page.Setup();
    page.form.name = "Ring";
    page.form.fields = {"8", "", "", "550", "200", ""};
    page.form.bar.text = "25M";
    page.Add();
    EXPECT_EQ(reporter.Count("Top Depth is Outside Cross Section!"), 1);
    EXPECT_EQ(reporter.messages.back().caption, "Warning");
    ASSERT_EQ(lists.circular->GetCount(), 1);
    EXPECT_EQ(lists.circular->Entry(0).codes[2], 1);
    EXPECT_DOUBLE_EQ(lists.circular->Entry(0).values[1], 500e-6);

    TGen_Distribute spread(lists, *lists.distributed, beam, 0, -1);
    spread.Setup();
    spread.form.name = "Both";
    spread.form.fields = {"2", "", "", "3", "700", "-10"};
    spread.form.bar.text = "25M";
    spread.Add();
    EXPECT_EQ(reporter.Count("Top Depth is Outside Cross Section!"), 2);
    EXPECT_EQ(reporter.Count("Bottom Depth is Outside Cross Section!"), 1);
}

TEST_F(ReinforcementTest, TendonSlopeAndPrestrainAndAZeroPrestrainTendonBecomesALayer) {
    TGen_Ten page(lists, *lists.tendons, beam, 0, -1);
    page.Setup();
    page.form.name = "Strand";
    page.form.fields = {"4", "", "", "6.5", "620", "10"};
    page.form.bar.text = "S13";
    page.Add();
    EXPECT_EQ(reporter.Count("Selected Depth is Outside Cross Section!"), 1);
    page.form.name = "Dead";
    page.form.fields = {"2", "", "", "0", "100", "0"};
    page.form.bar.text = "S13";
    page.Add();
    ASSERT_EQ(WriteBackLongLists(beam, lists, 0), 1);
    ASSERT_EQ(beam.GetLongLayerCount(0), 2);
    const LongLayerRec* tendon = nullptr;
    for (int i = 0; i < 2; ++i)
        if (beam.GetLongLayer(i, 0)->name == "Strand")
            tendon = beam.GetLongLayer(i, 0);
    ASSERT_NE(tendon, nullptr);
    EXPECT_DOUBLE_EQ(tendon->drape, 0.1);
    EXPECT_DOUBLE_EQ(tendon->dep, 0.0065);
    EXPECT_DOUBLE_EQ(tendon->z, beam.GetBottom() + 0.62);
    EXPECT_EQ(tendon->num, 4);
    EXPECT_DOUBLE_EQ(tendon->A, 4 * 99e-6);
    EXPECT_EQ(tendon->bartitle, "S13");
    EXPECT_DOUBLE_EQ(tendon->db, 0.0127);
    const TLongLists again = BuildLongLists(beam, 0);
    EXPECT_EQ(again.tendons->GetCount(), 1);
    ASSERT_EQ(again.individual->GetCount(), 1);
    EXPECT_EQ(again.individual->Entry(0).name, "Dead");
}

TEST_F(ReinforcementTest, UnchangedListsRebuildTheSameLayersAndPatterns) {
    (void)lists.individual->AddFull({3, 500e-6, 0, 0.05, 0, 0, 0.0002, 0, 0, 0}, {0, 0, 1, -1}, "Bottom");
    (void)lists.individual->AddFull({2, 0.0003, 0, 0.55, 0, 0, 0, 0, 0, 0}, {0, 0, -1, -1}, "ByArea");
    AddCircle("Ring", 8, 1, 0.3, 0.2);
    (void)lists.distributed->AddFull({2, 100e-6, 0, 3, 0.45, 0.15, 0, 0, 0, 0}, {0, 0, 0, -1}, "Web");
    (void)lists.tendons->AddFull({4, 99e-6, 0, 0.006, 0.1, 0.02, 0, 0, 0, 0}, {0, 1, 3, -1}, "Tendon");
    WriteBackLongLists(beam, lists, 0);
    // 2 plain + 4 ring + 3 web + 1 tendon.
    ASSERT_EQ(beam.GetLongLayerCount(0), 10);
    EXPECT_DOUBLE_EQ(beam.GetLongLayer(0, 0)->z, beam.GetBottom() + 0.05);
    // The section's own check rebuilds the patterns from the layers.
    beam.Validate();
    ASSERT_EQ(beam.GetLongLayerCount(0), 10);
    std::vector<LongLayerRec> before;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        before.push_back(*beam.GetLongLayer(i, 0));
    const LongLayerRec byArea = *std::find_if(before.begin(), before.end(), [](const LongLayerRec& l) {
        return l.name == "ByArea";
    });
    EXPECT_NEAR(byArea.db, 2.0 * std::sqrt(0.0003 / 3.141592653589), 1e-12);
    EXPECT_EQ(byArea.bartitle, "");

    // The same circle and spread result.
    TLongLists again = BuildLongLists(beam, 0);
    ASSERT_EQ(again.circular->GetCount(), 1);
    EXPECT_NEAR(again.circular->Entry(0).values[3], 0.3, 1e-9);
    EXPECT_NEAR(again.circular->Entry(0).values[4], 0.2, 1e-9);
    EXPECT_EQ(again.circular->Entry(0).codes[0], 1);
    EXPECT_DOUBLE_EQ(again.circular->Entry(0).values[0], 8.0);
    ASSERT_EQ(again.distributed->GetCount(), 1);
    EXPECT_NEAR(again.distributed->Entry(0).values[4], 0.45, 1e-9);
    EXPECT_NEAR(again.distributed->Entry(0).values[5], 0.15, 1e-9);
    EXPECT_DOUBLE_EQ(again.distributed->Entry(0).values[3], 3.0);
    EXPECT_EQ(again.individual->GetCount(), 2);
    EXPECT_EQ(again.circular->GetCount(), 1);
    EXPECT_EQ(again.distributed->GetCount(), 1);
    EXPECT_EQ(again.tendons->GetCount(), 1);
    EXPECT_EQ(LongitudinalStartPage(beam, 0), 1);
    WriteBackLongLists(beam, again, 0);
    ASSERT_EQ(beam.GetLongLayerCount(0), static_cast<int>(before.size()));
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec& l = *beam.GetLongLayer(i, 0);
        EXPECT_EQ(l.name, before[static_cast<std::size_t>(i)].name);
        EXPECT_NEAR(l.z, before[static_cast<std::size_t>(i)].z, 1e-12);
        EXPECT_EQ(l.num, before[static_cast<std::size_t>(i)].num);
        EXPECT_DOUBLE_EQ(l.A, before[static_cast<std::size_t>(i)].A);
        EXPECT_DOUBLE_EQ(l.dep, before[static_cast<std::size_t>(i)].dep);
        EXPECT_DOUBLE_EQ(l.thermStrain, before[static_cast<std::size_t>(i)].thermStrain);
    }
}

// The sheet opened without a selection starts on the kind with the most layers in the
// structure; when two kinds (or all three) share the most, on the individual page.
TEST_F(ReinforcementTest, StartPageIsTheKindWithMostLayersAndIndividualOnATie) {
    // individual layers, bars of an aligned circle, layers of a distributed pattern.
    const auto startPage = [this](int individual, int circleBars, int spreadLayers, int layers) {
        TBeam b;
        b.AddRegion(0.6, 0.0, 0.4, 0.4, 0, 1);
        TLongLists l = BuildLongLists(b, 0);
        for (int i = 0; i < individual; ++i)
            (void)l.individual->AddFull({2, 500e-6, 0, 0.05 + 0.1 * i, 0, 0, 0, 0, 0, 0}, {0, 0, 1, -1},
                                        "L" + std::to_string(i));
        if (circleBars > 0)
            (void)l.circular->AddFull({double(circleBars), 500e-6, 0, 0.3, 0.2, 0, 0, 0, 0, 0}, {0, 0, 1, -1},
                                      "Ring");
        if (spreadLayers > 0)
            (void)l.distributed->AddFull({2, 500e-6, 0, double(spreadLayers), 0.1, 0.5, 0, 0, 0, 0},
                                         {0, 0, 1, -1}, "Web");
        EXPECT_EQ(WriteBackLongLists(b, l, 0), 1);
        EXPECT_EQ(b.GetLongLayerCount(0), layers);
        return LongitudinalStartPage(b, 0);
    };
    // An aligned circle of 4 bars lies in 3 layers (0, 90 and 180 degrees), of 2 bars in 2.
    // Circular and distributed tie above the individual layers: 1 < 3 = 3.
    EXPECT_EQ(startPage(1, 4, 3, 7), 0);
    // Individual and circular tie above distributed: 3 = 3 > 1.
    EXPECT_EQ(startPage(3, 4, 1, 7), 0);
    // Individual and distributed tie above circular: 3 > 2 < 3.
    EXPECT_EQ(startPage(3, 2, 3, 8), 0);
    // All three tie.
    EXPECT_EQ(startPage(3, 4, 3, 9), 0);
    // One kind alone with the most, even when the other two tie below it.
    EXPECT_EQ(startPage(2, 4, 2, 7), 1);
    EXPECT_EQ(startPage(2, 2, 3, 7), 2);
    EXPECT_EQ(startPage(3, 2, 2, 7), 0);
    EXPECT_EQ(startPage(0, 0, 0, 0), 0);
}

TEST_F(ReinforcementTest, StirrupKindsLegsAndEnds) {
    beam.DeleteSteelTypes();
    SteelTypeRec steel;
    InitSteelTypeRec(steel);
    steel.name = "Steel 1";
    beam.AddSteelType(steel);
    steel.name = "Trans";
    beam.AddSteelType(steel);
    std::unique_ptr<TTypeList> list = BuildTransList(beam, 2);
    TGen_Tra page(*list, beam, -1, 2);
    page.Setup();
    EXPECT_EQ(page.form.comboSel[0], 2);
    EXPECT_EQ(page.form.comboItems[0][2], "Closed Stirrup");
    EXPECT_EQ(page.form.comboSel[1], 1);

    page.form.name = "Closed";
    page.form.fields = {"200", "", "", "50", "550", ""};
    page.form.bar.text = "10M";
    page.Add();
    page.form.name = "Headed";
    page.form.comboSel[0] = 4;
    page.form.fields = {"300", "", "", "550", "50", ""};
    page.Add();
    page.form.name = "Tie";
    page.form.comboSel[0] = 5;
    page.Add();
    ASSERT_EQ(WriteBackTransList(beam, *list, 2), 1);
    ASSERT_EQ(beam.GetTransLayerCount(2), 3);
    const TransLayerRec& closed = *beam.GetTransLayer(0, 2);
    EXPECT_EQ(closed.pattern, 3);
    EXPECT_EQ(closed.legs, 2);
    EXPECT_DOUBLE_EQ(closed.A, 2 * 100e-6);
    EXPECT_DOUBLE_EQ(closed.space, 0.2);
    EXPECT_EQ(closed.type, 1);
    const TransLayerRec& headed = *beam.GetTransLayer(1, 2);
    EXPECT_EQ(headed.pattern, 5);
    EXPECT_EQ(headed.legs, 1);
    // Ends given in either order store the same layer.
    EXPECT_DOUBLE_EQ(headed.disttop, closed.disttop);
    EXPECT_DOUBLE_EQ(headed.distbot, closed.distbot);
    EXPECT_DOUBLE_EQ(closed.disttop, beam.GetBottom() + 0.55);
    EXPECT_EQ(beam.GetTransLayer(2, 2)->pattern, 7);

    // Type 7 shows "Horizontal Tie" and is stored again as 7; an unchanged OK keeps all.
    std::unique_ptr<TTypeList> again = BuildTransList(beam, 2);
    TGen_Tra second(*again, beam, 2, 2);
    second.Setup();
    EXPECT_EQ(second.form.comboSel[0], 5);
    second.SetActive();
    second.KillActive();
    std::vector<TransLayerRec> before;
    for (int i = 0; i < 3; ++i)
        before.push_back(*beam.GetTransLayer(i, 2));
    WriteBackTransList(beam, *again, 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(*beam.GetTransLayer(i, 2), before[static_cast<std::size_t>(i)]);

    // OK with an empty list removes all the direction's layers.
    TTypeList empty(10);
    WriteBackTransList(beam, empty, 2);
    EXPECT_EQ(beam.GetTransLayerCount(2), 0);
}

} // namespace
