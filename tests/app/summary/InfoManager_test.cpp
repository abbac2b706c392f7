// The section callouts: which labels a section gets and what they say, how they are spread,
// where the leaders go, the one font shrink, and which label a click finds.

#include <cmath>
#include <cstdio>
#include <vector>

#include "SummaryFixture.h"
#include "app/summary/CrossSection.h"
#include "model/ReinfPatterns.h"

namespace {

// 300 x 500 mm with the given layers (heights above the bottom before validation).
std::unique_ptr<TBeam> Section(const std::vector<LongLayerRec>& layers, double height = 0.5)
{
    auto beam = SummarySections::Empty();
    beam->AddRegion(height, 0.0, 0.3, 0.3, 0, 1);
    for (const LongLayerRec& l : layers)
        beam->AddLongLayer(l, 0);
    beam->SetName("Callouts");
    beam->Validate();
    return beam;
}

LongLayerRec Untitled(double z, int n, double db)
{
    LongLayerRec l = SummarySections::Bars(z, n, db);
    l.bartitle.clear();
    l.barIndex = -1;
    return l;
}

// The manager laid out for a 1000 x 800 panel, measured on an image.
struct Collected {
    TInfo_2k manager{nullptr};
    plat::Image image{1, 1};
    explicit Collected(const TStructure* s, int w = 1000, int h = 800)
    {
        plat::DC dc(image);
        manager.SetSize(w, h);
        manager.Draw(&dc, s, 0);
    }
    std::vector<std::string> Texts(int kind) const
    {
        std::vector<std::string> out;
        for (int i = 0; i < manager.Count(); ++i)
            if (manager.GetItem(i).kind == kind)
                out.push_back(manager.GetItem(i).text);
        return out;
    }
};

} // namespace

TEST_F(SummaryTest, CalloutsGroupRepeatedLayers)
{
    // Three layers of the same bars at 50, 100, 150 mm, one at 350 mm (300 mm away: within
    // 0.66 h and six spacings) join one group; one at 450 mm (0.66 h = 330 mm exceeded)
    // keeps its own label.
    auto beam = Section({SummarySections::Bars(0.05, 3, 0.025), SummarySections::Bars(0.10, 3, 0.025),
                         SummarySections::Bars(0.15, 3, 0.025), SummarySections::Bars(0.35, 3, 0.025),
                         SummarySections::Bars(0.45, 3, 0.025)});
    Collected c(beam.get());
    const std::vector<std::string> texts = c.Texts(CalloutKind::Longitudinal);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(std::find(texts.begin(), texts.end(), "4 layers of \n3 - 25M"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "3 - 25M"), texts.end());

    // The group's anchor spans from the top of the highest bar to the bottom of the lowest.
    for (int i = 0; i < c.manager.Count(); ++i) {
        const auto& it = c.manager.GetItem(i);
        if (it.text[0] != '4')
            continue;
        const double s = c.manager.Scale();
        const double bottom = beam->GetBottom();
        EXPECT_NEAR(it.y2, c.manager.OriginY() - s * (bottom + 0.05 - 0.0125), 1.0);
        EXPECT_NEAR(it.y1, c.manager.OriginY() - s * (bottom + 0.35 + 0.0125), 1.0);
        // Beside the 300 mm face, the inset out.
        EXPECT_NEAR(it.x1, c.manager.CentreX() + s * 0.15 + c.manager.Inset(), 1.0);
    }

    // A different bar count does not group.
    auto mixed = Section({SummarySections::Bars(0.05, 3, 0.025), SummarySections::Bars(0.10, 4, 0.025)});
    Collected m(mixed.get());
    EXPECT_EQ(m.Texts(CalloutKind::Longitudinal).size(), 2u);
}

TEST_F(SummaryTest, CalloutTextsBySystem)
{
    // Three 25 mm bars: 3 x 490.87 = 1472.6 mm^2 = 2.283 in^2.
    auto beam = Section({Untitled(0.05, 3, 0.025)});
    {
        Collected c(beam.get());
        ASSERT_EQ(c.Texts(CalloutKind::Longitudinal).size(), 1u);
        EXPECT_EQ(c.Texts(CalloutKind::Longitudinal)[0], "A_s =  1473 mm^2");
    }
    {
        ValueGuard<int> us{g_UnitSystem, kUnitUS};
        Collected c(beam.get());
        EXPECT_EQ(c.Texts(CalloutKind::Longitudinal)[0], "A_s = 2.283 in^2");
    }

    // Tendons: two strand layers of the same strand and prestrain form one label with the
    // prestrain line (6.00 thousandths); a prestrain of 5e-6 is a tendon without that line.
    LongLayerRec strand = Untitled(0.08, 2, 0.0127);
    strand.Ai = 98.7e-6;
    strand.A = 2 * strand.Ai;
    strand.dep = 0.006;
    LongLayerRec strand2 = strand;
    strand2.z = 0.12;
    LongLayerRec light = Untitled(0.40, 1, 0.0127);
    light.Ai = 140e-6;
    light.A = light.Ai;
    light.dep = 5e-6;
    auto prestressed = Section({strand, strand2, light});
    Collected p(prestressed.get());
    const std::vector<std::string> tendons = p.Texts(CalloutKind::Tendon);
    ASSERT_EQ(tendons.size(), 2u);
    char expected[128];
    std::snprintf(expected, sizeof expected, "4 x    99 mm^2\n|D|e_p = 6.00 %s", UnitLabel(ukStrain));
    EXPECT_NE(std::find(tendons.begin(), tendons.end(), expected), tendons.end());
    EXPECT_NE(std::find(tendons.begin(), tendons.end(), "1 x   140 mm^2"), tendons.end());
    EXPECT_TRUE(p.Texts(CalloutKind::Longitudinal).empty());

    // Stirrups: 10M at 200 mm; untitled 11.3 mm legs of 100.3 mm^2; in US units 7.874 in.
    auto tee = SummarySections::TBeamSection();
    Collected t(tee.get());
    ASSERT_EQ(t.Texts(CalloutKind::Transverse).size(), 1u);
    EXPECT_EQ(t.Texts(CalloutKind::Transverse)[0], "10M @  200 mm");
    tee->GetTransLayer(0, 2)->bartitle.clear();
    Collected u(tee.get());
    EXPECT_EQ(u.Texts(CalloutKind::Transverse)[0], "A_v =  100 mm^2 per leg \n@  200 mm");
    ValueGuard<int> us{g_UnitSystem, kUnitUS};
    Collected v(tee.get());
    EXPECT_EQ(v.Texts(CalloutKind::Transverse)[0], "A_v = 0.155 in^2 per leg \n@  7.87 in");
}

TEST_F(SummaryTest, CalloutsOfACircularPattern)
{
    auto beam = SummarySections::Empty();
    beam->AddRegion(0.6, 0.0, 0.6, 0.6, 0, 1);
    ReinfPatternRec ring;
    ring.kind = kCircularPatternKind;
    ring.inUse = 1;
    ring.centre = 0.3;
    ring.radius = 0.2;
    ring.layer = SummarySections::Bars(0.0, 1, 0.02);
    ring.layer.bartitle.clear();
    ring.layer.nround = 8;
    ring.layer.aligned = 0;
    ring.layer.pattern = kCircularPattern;
    beam->StorePattern(ring, 0);
    ExpandPatterns(0, *beam);
    beam->SetName("Ring");
    beam->Validate();
    Collected c(beam.get());
    const std::vector<std::string> circles = c.Texts(CalloutKind::Circular);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0], "8 A_s =   314 mm^2");
    // The pattern's bars get no layer labels of their own.
    EXPECT_TRUE(c.Texts(CalloutKind::Longitudinal).empty());
    // Anchor on the bar half a pitch round from the top: angle pi/8.
    for (int i = 0; i < c.manager.Count(); ++i) {
        const auto& it = c.manager.GetItem(i);
        if (it.kind != CalloutKind::Circular)
            continue;
        const double s = c.manager.Scale();
        const double a = 3.14159265358979 / 8;
        const TStructure& b = *beam;
        const ReinfPatternRec* p = b.GetPattern(0, 0);
        ASSERT_NE(p, nullptr);
        EXPECT_NEAR(it.x1, c.manager.CentreX() + std::sin(a) * 0.2 * s, 1.0);
        EXPECT_NEAR(it.y1, c.manager.OriginY() - (std::cos(a) * 0.2 + p->centre) * s, 1.0);
    }
}

// A distributed pattern of ten 20 mm bars (314 mm^2 each, no title), two a layer, over five layers from 100 to 400 mm
// above the bottom of the 300 x 500 mm section (after validation: -0.15 to 0.15 about the
// centroid). Its one label reaches from the top of the top layer to the bottom of the bottom
// one: y from trunc(Y0 - s (0.15 + 0.01)) to trunc(Y0 - s (-0.15 - 0.01)), at the side face
// x = trunc(s 0.3 / 2 + X0 + inset), with (X0, Y0) the section's centre line and depth 0 on
// the panel and s its pixels per metre.
TEST_F(SummaryTest, ADistributedPatternsCalloutSpansItsTopAndBottomLayers)
{
    auto beam = SummarySections::Empty();
    beam->AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    ReinfPatternRec spread;
    spread.kind = kDistributedPatternKind;
    spread.inUse = 1;
    spread.zLeast = 0.1;
    spread.zLargest = 0.4;
    spread.layer = SummarySections::Bars(0.0, 2, 0.02);
    spread.layer.bartitle.clear();
    spread.layer.nround = 10;
    spread.layer.pattern = kDistributedPattern;
    beam->StorePattern(spread, 0);
    ExpandPatterns(0, *beam);
    beam->SetName("Spread");
    beam->Validate();
    ASSERT_NEAR(beam->GetPattern(0, 0)->zLargest, 0.15, 1e-9);
    Collected c(beam.get());
    EXPECT_EQ(c.Texts(CalloutKind::Distributed), (std::vector<std::string>{"5 layers of \nA_s =   314 mm^2"}));
    EXPECT_TRUE(c.Texts(CalloutKind::Longitudinal).empty());
    const double s = c.manager.Scale(), Y0 = c.manager.OriginY(), X0 = c.manager.CentreX();
    ASSERT_GT(s, 100.0);
    int found = 0;
    for (int i = 0; i < c.manager.Count(); ++i) {
        const auto& it = c.manager.GetItem(i);
        if (it.kind != CalloutKind::Distributed)
            continue;
        ++found;
        EXPECT_EQ(it.y1, static_cast<int>(Y0 - s * 0.16));
        EXPECT_EQ(it.y2, static_cast<int>(Y0 + s * 0.16));
        const int x = static_cast<int>(s * 0.15 + X0 + c.manager.Inset());
        EXPECT_EQ(it.x1, x);
        EXPECT_EQ(it.x2, x);
    }
    EXPECT_EQ(found, 1);
}

TEST_F(SummaryTest, CalloutsKeepFivePixelsApartAndShrinkTheFontOnce)
{
    plat::Image image(1, 1);
    plat::DC measure(image);
    TInfo_Base base;
    base.SetSize(1000, 800);
    // Anchors 3 px apart: the second label goes 5 px below the first.
    base.AddItem(measure, "first", 500, 300, 500, 300, CalloutKind::Longitudinal, 0);
    base.AddItem(measure, "second", 500, 303, 500, 303, CalloutKind::Longitudinal, 1);
    base.Layout();
    ASSERT_EQ(base.Count(), 2);
    EXPECT_EQ(base.GetItem(1).top - base.GetItem(0).bottom, TInfo_Base::kLabelGap);
    // The pair stays centred on its anchors (shifted up by half the push).
    EXPECT_NEAR((base.GetItem(0).top + base.GetItem(1).bottom) / 2.0, 301.5, 2.0);

    // Thirty labels that cannot be grouped (bar counts 1 .. 30) in a panel 400 high: the
    // column has 0.66 x 400 - 2 - 8 px, the labels need more; the font shrinks once, the
    // labels are collected twice, never more.
    class Counting : public TInfo_2k {
    public:
        Counting() : TInfo_2k(nullptr) {}
        int collects = 0;
        int Collect(plat::DC* d, const TStructure* s) override
        {
            ++collects;
            return TInfo_2k::Collect(d, s);
        }
    };
    std::vector<LongLayerRec> layers;
    for (int i = 0; i < 30; ++i)
        layers.push_back(SummarySections::Bars(0.02 + 0.015 * i, i + 1, 0.01));
    auto beam = Section(layers);
    Counting counting;
    counting.SetSize(600, 400);
    counting.Draw(&measure, beam.get(), 0);
    EXPECT_EQ(counting.collects, 2);
    EXPECT_LT(counting.FontBase(), 400);
    EXPECT_GT(counting.FontBase(), 0);
    EXPECT_EQ(counting.Count(), 30);
    for (int i = 0; i + 1 < counting.Count(); ++i)
        EXPECT_GE(counting.GetItem(i + 1).top - counting.GetItem(i).bottom, TInfo_Base::kLabelGap);

    // A panel too narrow for any column and no labels: nothing to shrink.
    TInfo_Base tiny;
    tiny.SetSize(20, 20);
    tiny.Draw(&measure, nullptr, 0);
    EXPECT_EQ(tiny.FontBase(), 20);

    // The 51st label is dropped.
    TInfo_Base full;
    for (int i = 0; i < 51; ++i)
        full.AddItem(measure, "x", 10, i, 10, i, CalloutKind::Longitudinal, i);
    EXPECT_EQ(full.Count(), TInfo_Base::kMaxItems);
}

TEST_F(SummaryTest, CalloutLeadersRunFromTheAnchorToTheLabel)
{
    plat::Image image(1, 1);
    plat::DC measure(image);
    TInfo_Base base;
    base.SetSize(1000, 800);
    base.AddItem(measure, "one", 400, 300, 400, 300, CalloutKind::Tendon, 0);
    base.Layout();
    const int column = base.ColumnX();
    const auto& it = base.GetItem(0);
    const int tick = std::max(static_cast<int>((column - 400) * 0.1), 2);
    const int middle = (it.top + it.bottom) / 2;
    base.DrawCallouts(dc);
    std::vector<std::pair<plat::Point, plat::Point>> lines;
    for (const DrawCall& c : dc.CallsOf("Line"))
        lines.push_back({c.points[0], c.points[1]});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].first, (plat::Point{400, 298})); // the 4 px tick at a point anchor
    EXPECT_EQ(lines[0].second, (plat::Point{400, 302}));
    EXPECT_EQ(lines[1].first, (plat::Point{400, 300}));
    EXPECT_EQ(lines[1].second, (plat::Point{400 + tick, 300}));
    EXPECT_EQ(lines[2].second, (plat::Point{column - tick, middle}));
    EXPECT_EQ(lines[3].second, (plat::Point{column - 2, middle}));
    ASSERT_FALSE(dc.CallsOf("Text").empty());
    EXPECT_EQ(dc.CallsOf("Text")[0].text, "one");
}

TEST_F(SummaryTest, ACalloutClickFindsTheLastKindTried)
{
    // Two labels over each other (not spread): a circular pattern and a tendon.
    auto manager = std::make_unique<TInfo_Base>();
    plat::Image image(1, 1);
    plat::DC measure(image);
    manager->SetSize(1000, 800);
    manager->AddItem(measure, "circle", 100, 400, 100, 400, CalloutKind::Circular, 3);
    manager->AddItem(measure, "tendon", 100, 400, 100, 400, CalloutKind::Tendon, 7);
    manager->AddItem(measure, "stirrup", 100, 400, 100, 400, CalloutKind::Transverse, 2);
    const auto& it = manager->GetItem(0);
    const plat::Point inside{manager->ColumnX() + 4, it.top + 1};
    int index = -1;
    EXPECT_EQ(manager->HitCircularPattern(inside, index), 1);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(manager->HitDistributedPattern(inside, index), 0);
    // Right and bottom edges are outside.
    const auto& tendon = manager->GetItem(1);
    ASSERT_EQ(tendon.kind, CalloutKind::Tendon);
    EXPECT_EQ(manager->HitTendon(plat::Point{manager->ColumnX() + tendon.width, tendon.top + 1}, index), 0);
    EXPECT_EQ(manager->HitTendon(plat::Point{manager->ColumnX() + 4, tendon.top + tendon.height}, index), 0);

    g_InfoManager = std::move(manager);
    auto tee = SummarySections::TBeamSection();
    plat::ScreenDC screen;
    index = -1;
    EXPECT_EQ(HitTestSummaryPage(screen, tee.get(), inside.x, inside.y, index, 0, 0, 1000, 800, 0),
              PageHit::TendonCallout);
    EXPECT_EQ(index, 7);
}

TEST_F(SummaryTest, SummaryPageDrawsTheCalloutsOfItsSection)
{
    auto tee = SummarySections::TBeamSection();
    CreateInfoManager(nullptr);
    PaintCrossSection(dc, tee.get(), 0, 0, 1000, 800, 0);
    ASSERT_NE(g_InfoManager, nullptr);
    const auto texts = dc.Texts();
    EXPECT_TRUE(HasText(dc, "10M @  200 mm") || HasText(dc, "10M @  200 mm "));
    EXPECT_TRUE(HasText(dc, "4 - 25M"));
    EXPECT_TRUE(HasText(dc, "6 - 25M"));
}
