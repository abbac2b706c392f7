// The member sheet's pages without their windows, on a 300 x 600 mm beam: the quick record and
// its erase question, the geometry clamps and support pairs, the zone boundaries, the moment
// points and their unsaved-change question, the diagrams' scales and shear readings, and the
// sheet's write-back. Expected values are worked by hand in SI units (mm, kN, kN m shown).

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "dialogs/MemberPages.h"
#include "foundation/Units.h"
#include "member/MemberTestSupport.h"
#include "support/TestSupport.h"

namespace {

using membertest::DefaultMember;

struct MemberPagesTest : ::testing::Test {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    DefaultMember m;
};

QuickFields Quick(const char* shear, const char* zone, const char* ratio, int loading = 0, int right = 0)
{
    QuickFields f;
    f.shearLength = shear;
    f.constantZone = zone;
    f.momentRatio = ratio;
    f.axialLoad = "-100";
    f.yieldPenetration = "0.022";
    f.loadingType = loading;
    f.leftCase = 0;
    f.rightCase = right;
    return f;
}

// A plain member 4 m long on a roller at 0 and a vertical roller at 4 m.
TMemberDefinition Plain()
{
    TMemberDefinition d;
    d.length = 4.0;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = 4.0;
    return d;
}

// ---- Quick page -------------------------------------------------------------------------------

TEST_F(MemberPagesTest, QuickFieldsBuildTheMemberAndShowBack)
{
    int confirm = 0;
    ASSERT_EQ(ApplyQuickFields(m.slots, Quick("1800", "500", "0"), m.d, confirm), 1);
    // Left support at h/3 = 200 mm, shear span 1.8 m, constant zone 0.5 m.
    EXPECT_NEAR(m.d.length, 2.5, 1e-6);
    EXPECT_NEAR(m.d.leftPlateLocation, 0.2, 1e-6);
    EXPECT_NEAR(m.d.axialLoad[DeadDiagram], -100000.0, 1e-3);
    ASSERT_EQ(m.d.pointCount[LiveDiagram], 3);
    EXPECT_NEAR(m.d.diagrams[LiveDiagram][1].x, 2.0, 1e-6);
    EXPECT_NEAR(m.d.yieldPenetrationConstant, 0.022, 1e-7);

    bool detailed = true;
    const QuickFields back = ShowQuickFields(m.slots, m.d, detailed);
    EXPECT_FALSE(detailed);
    EXPECT_EQ(back.shearLength, "1800.0");
    EXPECT_EQ(back.constantZone, "500.0");
    EXPECT_EQ(back.momentRatio, " 0.0");
    EXPECT_EQ(back.axialLoad, "-100");
    EXPECT_EQ(back.yieldPenetration, "0.022");
    EXPECT_EQ(back.lengthUnit, "mm");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MemberPagesTest, DetailedDefinitionAsksOnceBeforeItIsErased)
{
    TMemberDefinition& d = m.d;
    d.diagrams[LiveDiagram][d.pointCount[LiveDiagram]] = {d.length, 1.0, 0};
    ++d.pointCount[LiveDiagram];
    d.diagrams[LiveDiagram][d.pointCount[LiveDiagram]] = {d.length, 2.0, 0};
    ++d.pointCount[LiveDiagram];
    bool detailed = false;
    const QuickFields shown = ShowQuickFields(m.slots, d, detailed);
    ASSERT_TRUE(detailed);
    EXPECT_EQ(shown.shearLength, "Detailed");
    EXPECT_EQ(shown.axialLoad, "Detailed");
    EXPECT_EQ(MemberSheetStartPage(m.slots, d), 1);

    const TMemberDefinition before = d;
    int confirm = 1;
    reporter.Answer(MsgAnswer::No);
    EXPECT_EQ(ApplyQuickFields(m.slots, shown, d, confirm), 0);
    EXPECT_EQ(EqualMemberDefinitions(d, before), 1);
    EXPECT_EQ(confirm, 1);
    reporter.Answer(MsgAnswer::Yes);
    EXPECT_EQ(ApplyQuickFields(m.slots, shown, d, confirm), 1);
    EXPECT_EQ(confirm, 0);
    EXPECT_EQ(reporter.Count("erase the detailed full member properties"), 2);
    // "Detailed" reads as 0: the rebuilt member has no shear length.
    EXPECT_EQ(d.length, 0.0);
    EXPECT_EQ(MemberSheetStartPage(m.slots, d), 0);
}

TEST_F(MemberPagesTest, YieldPenetrationIsShownPerDisplayStressUnitOnBothPages)
{
    ValueGuard<int> us{g_UnitSystem, kUnitUS};
    m.d.yieldPenetrationConstant = 0.022;
    // 0.022 per MPa = 0.022 / 0.1450377 per ksi.
    EXPECT_EQ(ShowGeometryFields(m.d).yieldPenetration, "0.152");
    GeometryFields g = ShowGeometryFields(m.d);
    g.yieldPenetration = "0.152";
    ReadGeometryFields(g, m.d);
    // The text the page shows is no edit: the stored factor stays whole.
    EXPECT_EQ(m.d.yieldPenetrationConstant, 0.022);
    g.yieldPenetration = "0.153";
    ReadGeometryFields(g, m.d);
    EXPECT_NEAR(m.d.yieldPenetrationConstant, 0.153 * 0.1450377, 1e-6);

    QuickFields q = Quick("70", "20", "0", 0, 2);
    q.yieldPenetration = "0.152";
    int confirm = 0;
    ApplyQuickFields(m.slots, q, m.d, confirm);
    EXPECT_NEAR(m.d.yieldPenetrationConstant, 0.152 * 0.1450377, 1e-6);
    EXPECT_TRUE(QuickYieldPenetrationEnabled(2));
    EXPECT_FALSE(QuickYieldPenetrationEnabled(0));
}

TEST_F(MemberPagesTest, QuickSchematicFollowsTheRatioAndTotal)
{
    // Box 100 x 100 at (0, 0): w 80, h 60, x1 10, y1 30.
    const QuickSchematic neg = QuickDiagramGeometry(Quick("1000", "0", "-50"), 0, 0, 100, 100);
    EXPECT_EQ(neg.axisY, 50); // a third of the height below y1
    ASSERT_GE(neg.line.size(), 3u);
    EXPECT_EQ(neg.line[1], std::make_pair(10, 30)); // left end at the top edge
    EXPECT_EQ(neg.line[2], std::make_pair(90, 90)); // point load at the end of the span
    const QuickSchematic full = QuickDiagramGeometry(Quick("1000", "0", "100"), 0, 0, 100, 100);
    EXPECT_EQ(full.line[1].second, 30 + 57); // 100 % drawn as 95 %
    // Shear span and zone adding up to 0: proportions out of 100 m, so the span is drawn at x1.
    const QuickSchematic none = QuickDiagramGeometry(Quick("0", "0", "0"), 0, 0, 100, 100);
    EXPECT_EQ(none.line[2].first, 10);
    EXPECT_EQ(none.line.back(), std::make_pair(90, 30));
}

TEST_F(MemberPagesTest, QuickSchematicOfSpansFarPastTheBoxHoldsEveryPositionToInt)
{
    // Box 100 x 100 at (0, 0): w 80, h 60, x1 10, y1 30. A negative span leaves the total at
    // 100 m, so the point-load line ends at x1 + 80 a / 100, a in m (typed in mm).
    struct Row {
        const char* span;
        int endX;
    } rows[] = {
        {"-1e11", 10 - 80000000},  // a = -1e8 m
        {"-1e12", 10 - 800000000}, // a = -1e9 m
        {"-1e13", INT_MIN},        // past int: held
        {"-inf", INT_MIN},
    };
    for (const Row& r : rows) {
        const QuickSchematic g = QuickDiagramGeometry(Quick(r.span, "0", "0"), 0, 0, 100, 100);
        ASSERT_EQ(g.line.size(), 5u) << r.span;
        EXPECT_EQ(g.line[2], std::make_pair(r.endX, 90)) << r.span;
        EXPECT_EQ(g.line[4], std::make_pair(90, 30)) << r.span;
    }
    // US units, distributed loading: 1e308 in is 2.54e306 m, and w a overflows to an infinite
    // span. The parabola starts at x1 and every later point lies at int's end, at rows
    // 30 + trunc(i (20 - i) 60 / 100 + 0.5): the last (i = 10) at 90.
    ValueGuard<int> us{g_UnitSystem, kUnitUS};
    const QuickSchematic g = QuickDiagramGeometry(Quick("1e308", "0", "0", 1), 0, 0, 100, 100);
    ASSERT_EQ(g.line.size(), 15u);
    EXPECT_EQ(g.line[2], std::make_pair(10, 30));
    EXPECT_EQ(g.line[3], std::make_pair(INT_MAX, 30 + 11)); // 19 x 60 / 100 + 0.5 = 11.9
    EXPECT_EQ(g.line[12], std::make_pair(INT_MAX, 90));
    EXPECT_EQ(g.line[13], std::make_pair(90, 90));
    EXPECT_EQ(g.line[14], std::make_pair(90, 30));
}

TEST_F(MemberPagesTest, QuickPictureKeepsTheLastAcceptedValuesWhileAFieldIsRefused)
{
    QuickFields accepted; // empty fields read as 0, which the check accepts
    QuickFields shown = QuickPictureFields(Quick("1800", "500", "0"), accepted);
    EXPECT_EQ(shown.shearLength, "1800");
    EXPECT_EQ(accepted.shearLength, "1800");
    for (const char* refused : {"-1e12", "-inf", "-1e11", "nan", "1e308"}) {
        shown = QuickPictureFields(Quick(refused, "500", "0", 1, 2), accepted);
        EXPECT_EQ(shown.shearLength, "1800") << refused;
        EXPECT_EQ(shown.constantZone, "500") << refused;
        // The radio buttons are never refused: the picture follows them.
        EXPECT_EQ(shown.loadingType, 1) << refused;
        EXPECT_EQ(shown.rightCase, 2) << refused;
    }
    // Each field within its range, but a member past 1000 m: refused together.
    shown = QuickPictureFields(Quick("999000", "2000", "0"), accepted);
    EXPECT_EQ(shown.shearLength, "1800");
    EXPECT_EQ(shown.constantZone, "500");
    shown = QuickPictureFields(Quick("2400", "600", "-50"), accepted);
    EXPECT_EQ(shown.shearLength, "2400");
    EXPECT_EQ(accepted.momentRatio, "-50");
}

// ---- Geometry page ----------------------------------------------------------------------------

TEST(SupportPairRules, OrderedRulesAsATable)
{
    using namespace SupportType;
    struct Row {
        int left, right, wantLeft, wantRight;
    } rows[] = {
        {Roller, Roller, Pin, Roller},                           // two rollers: left pinned
        {Pin, Pin, Pin, Roller},                                 // two pins: right rolls
        {FixedEnd, Pin, FixedEnd, Undefined},                    // cantilever
        {Pin, FixedEnd, Undefined, FixedEnd},                    // cantilever to the left
        {Pin, FixedVerticalRoller, Roller, FixedVerticalRoller}, // needs a roller opposite
        {FixedEnd, FixedVerticalRoller, FixedEnd, Undefined},    // fixed end wins
        {FixedVerticalRoller, Pin, FixedVerticalRoller, Roller},
        {Roller, FixedVerticalRoller, Roller, FixedVerticalRoller}, // already legal
        {Undefined, Roller, Pin, Roller},
        {Roller, Undefined, Roller, Pin},
        // A pin beside no support (a fixed end chosen, then a pin) is a pin and a roller, not
        // the two pins a second reading would change.
        {Pin, Undefined, Pin, Roller},
        {Undefined, Pin, Pin, Roller},
        {Undefined, Undefined, Pin, Roller},
    };
    for (const Row& r : rows) {
        int left = r.left, right = r.right;
        ApplySupportPairRules(left, right);
        EXPECT_EQ(left, r.wantLeft) << r.left << "," << r.right;
        EXPECT_EQ(right, r.wantRight) << r.left << "," << r.right;
    }
}

// A pair the page stores is one it leaves alone when it reads it again: every pair of types
// settles so.
TEST(SupportPairRules, ThePairStoredIsOneTheRulesLeaveAlone)
{
    using namespace SupportType;
    for (int l = Undefined; l <= Pin; ++l)
        for (int r = Undefined; r <= Pin; ++r) {
            int left = l, right = r;
            ApplySupportPairRules(left, right);
            int again = left, againRight = right;
            ApplySupportPairRules(again, againRight);
            EXPECT_EQ(again, left) << l << "," << r;
            EXPECT_EQ(againRight, right) << l << "," << r;
        }
}

TEST_F(MemberPagesTest, GeometryClampsLengthsAndPlates)
{
    TMemberDefinition d = Plain();
    GeometryFields g = ShowGeometryFields(d);
    EXPECT_EQ(g.length, "4000.0");
    struct Row {
        const char* length;
        double want;
    } lengths[] = {{"-5", 0.1}, {"2000000", 1000.0}, {"0", 0.0}, {"3000", 3.0}};
    for (const Row& r : lengths) {
        g.length = r.length;
        ReadGeometryFields(g, d);
        EXPECT_DOUBLE_EQ(d.length, r.want) << r.length;
    }
    g.length = "2000";
    g.topPlate = "1000";
    g.leftPlate = "600";
    g.rightPlate = "100";
    g.rightLocation = "5000";
    g.leftLocation = "-50";
    g.displacement = "9000";
    ReadGeometryFields(g, d);
    EXPECT_DOUBLE_EQ(d.topPlateSize, 0.5);
    EXPECT_DOUBLE_EQ(d.leftPlateSize, 0.5);
    EXPECT_DOUBLE_EQ(d.rightPlateSize, 0.1);
    EXPECT_DOUBLE_EQ(d.rightPlateLocation, 2.0);
    EXPECT_DOUBLE_EQ(d.leftPlateLocation, 0.0);
    EXPECT_DOUBLE_EQ(d.displacementLocation, 2.0);
    EXPECT_TRUE(reporter.messages.empty());

    // Two rollers on the page become a pin and a roller in the definition.
    g.leftSupport = g.rightSupport = SupportType::Roller - 1;
    ReadGeometryFields(g, d);
    EXPECT_EQ(d.leftSupport, SupportType::Pin);
    EXPECT_EQ(d.rightSupport, SupportType::Roller);

    g.leftSupport = SupportType::FixedEnd - 1;
    g.rightAnchorage = AnchorageType::YieldPenetrate - 1;
    const GeometryEnables e = GeometryEnablesFor(g);
    EXPECT_FALSE(e.rightSupport);
    EXPECT_TRUE(e.leftSupport);
    EXPECT_TRUE(e.yieldPenetration);
    g.rightAnchorage = AnchorageType::Perfect - 1;
    EXPECT_FALSE(GeometryEnablesFor(g).yieldPenetration);

    ValueGuard<int> us{g_UnitSystem, kUnitUS};
    EXPECT_EQ(ShowGeometryFields(Plain()).length, "157.48");
}

// ---- Zones ------------------------------------------------------------------------------------

TEST_F(MemberPagesTest, ZoneBoundariesKeepTheirSpacingAndLimits)
{
    TMemberDefinition d = Plain();
    d.length = 3.0;
    int sel = 0;
    EXPECT_EQ(AddZoneBoundary(d, "1000", sel), 1);
    EXPECT_EQ(AddZoneBoundary(d, "1050", sel), 0);
    EXPECT_TRUE(reporter.Saw("Minimum spacing is 100.00 mm"));
    EXPECT_EQ(AddZoneBoundary(d, "1200", sel), 1);
    EXPECT_EQ(sel, 2);
    EXPECT_EQ(AddZoneBoundary(d, "500", sel), 1);
    EXPECT_EQ(sel, 1);
    EXPECT_EQ(ZoneRows(d), (std::vector<std::string>{"  0.0", "500.0", "1000.0", "1200.0"}));

    reporter.Clear();
    EXPECT_EQ(AddZoneBoundary(d, "5000", sel), 1);
    EXPECT_TRUE(reporter.Saw("Reset to 3000.0 mm"));
    EXPECT_DOUBLE_EQ(d.zones[4].startX, 3.0);
    reporter.Clear();
    EXPECT_EQ(AddZoneBoundary(d, "-10", sel), 0); // moved to 0, then too close to zone 0
    EXPECT_TRUE(reporter.Saw("Reset to   0.0 mm"));
    EXPECT_TRUE(reporter.Saw("too close"));

    int first = 0;
    EXPECT_EQ(ModifyZoneBoundary(d, "2000", first), 0);
    EXPECT_EQ(DeleteZoneBoundary(d, first), 0);

    // Modify may move a boundary onto another: stable order, selection keeps its index.
    sel = 1;
    d.zones[1].structureIndex = 7;
    EXPECT_EQ(ModifyZoneBoundary(d, "1200", sel), 1);
    EXPECT_EQ(sel, 1);
    EXPECT_DOUBLE_EQ(d.zones[1].startX, 1.0);
    EXPECT_EQ(d.zones[2].structureIndex, 7); // the moved zone stays ahead of the one it joined
    EXPECT_DOUBLE_EQ(d.zones[3].startX, 1.2);
    sel = 4;
    EXPECT_EQ(DeleteZoneBoundary(d, sel), 1);
    EXPECT_EQ(d.zoneCount, 4);
    EXPECT_EQ(sel, 3);
    EXPECT_EQ(ZoneAtPosition(d, 1.1), 1);
    EXPECT_EQ(ZoneAtPosition(d, 1.2), 3); // zone 2 is empty
    EXPECT_EQ(ZoneAtPosition(d, 3.0), -1);

    // A new boundary cuts a zone in two, both halves on the section the zone was made of.
    d.zones[0].structureIndex = 3;
    d.zones[3].structureIndex = 5;
    EXPECT_EQ(AddZoneBoundary(d, "2000", sel), 1);
    EXPECT_EQ(sel, 4);
    EXPECT_EQ(d.zones[4].structureIndex, 5);
    EXPECT_EQ(AddZoneBoundary(d, "500", sel), 1);
    EXPECT_EQ(sel, 1);
    EXPECT_EQ(d.zones[1].structureIndex, 3);

    // 127 zones is the most.
    d.zoneCount = 127;
    for (int i = 0; i < 127; ++i)
        d.zones[static_cast<std::size_t>(i)].startX = i * 0.01;
    d.length = 100.0;
    reporter.Clear();
    EXPECT_EQ(AddZoneBoundary(d, "50000", sel), 0);
    EXPECT_TRUE(reporter.Saw("Reached maximum number"));
}

// ---- Loading pages ----------------------------------------------------------------------------

PointTexts P(const char* x, const char* m, bool parabolic = false) { return {x, m, parabolic}; }

TEST_F(MemberPagesTest, PointsAreAddedModifiedDeletedAndKeptSorted)
{
    TMemberDefinition d = Plain();
    TMomentPointEditor e(d, LiveDiagram);
    e.Add(P("1000", "10"));
    e.Add(P("3000", "30"));
    e.Add(P("2000", "20"));
    ASSERT_EQ(e.Count(), 3);
    EXPECT_EQ(e.Selected(), 1);
    EXPECT_DOUBLE_EQ(d.diagrams[0][1].x, 2.0);
    EXPECT_DOUBLE_EQ(d.diagrams[0][1].moment, -20000.0); // shown moments have the other sign
    EXPECT_EQ(e.Rows()[0], "1000.0     10.000    0");

    e.Modify(P("3500", "35"));
    EXPECT_EQ(e.Selected(), 2);
    EXPECT_DOUBLE_EQ(d.diagrams[0][2].x, 3.5);

    // A jump: a second point at 3 m follows the first one there.
    e.Add(P("3000", "-5"));
    EXPECT_EQ(e.Selected(), 2);
    EXPECT_DOUBLE_EQ(d.diagrams[0][1].moment, -30000.0);
    EXPECT_DOUBLE_EQ(d.diagrams[0][2].moment, 5000.0);

    e.Add(P("9000", "1"));
    EXPECT_TRUE(reporter.Saw("Cannot define moments outside of concrete length. Reset to 4000.0 mm"));
    EXPECT_EQ(e.Selected(), 4);
    e.Delete();
    EXPECT_EQ(e.Count(), 4);
    EXPECT_EQ(e.Selected(), 3);

    e.DeleteAll();
    EXPECT_EQ(e.Count(), 0);
    EXPECT_EQ(e.SelectedTexts().x, "     0");
    EXPECT_EQ(e.SelectedTexts().moment, "  0.00");

    d.pointCount[0] = 127;
    reporter.Clear();
    e.Add(P("100", "1"));
    EXPECT_EQ(d.pointCount[0], 127);
    EXPECT_TRUE(reporter.Saw("Reached maximum number"));
}

TEST_F(MemberPagesTest, UnsavedChangesAreAskedForOnlyWhenTheyCount)
{
    TMemberDefinition d = Plain();
    TMomentPointEditor e(d, DeadDiagram);
    e.Add(P("1000", "10"));
    e.Add(P("2000", "20"));
    e.SetPrompting(true);
    e.Select(0, e.SelectedTexts());
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(e.Selected(), 0);
    // 10.09 kN m against 10: less than 1 % + 5 N m.
    e.Select(1, P("1000.0", "10.09"));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(e.Selected(), 1);

    reporter.Answer(MsgAnswer::No);
    e.Select(0, P("2000", "25"));
    EXPECT_EQ(reporter.Count("Changes not saved. Save them?"), 1);
    EXPECT_EQ(e.Selected(), 0);
    EXPECT_DOUBLE_EQ(d.diagrams[1][1].moment, -20000.0);

    reporter.Answer(MsgAnswer::Yes);
    e.Select(1, P("1000", "12"));
    EXPECT_EQ(e.Selected(), 0);
    EXPECT_DOUBLE_EQ(d.diagrams[1][0].moment, -12000.0);
    EXPECT_EQ(reporter.messages.back().caption, "Unsaved changed");
}

TEST_F(MemberPagesTest, AxialLoadLabelsAndTheReport)
{
    TMemberDefinition d = Plain();
    d.deadLoadConstant = 0;
    TMomentPointEditor dead(d, DeadDiagram), live(d, LiveDiagram);
    EXPECT_EQ(live.AxialLoadUnit(), "kN @Load Fact=1.0");
    EXPECT_EQ(dead.AxialLoadUnit(), "kN");
    dead.SetAxialLoad("-100");
    EXPECT_DOUBLE_EQ(d.axialLoad[DeadDiagram], -100000.0);
    EXPECT_EQ(dead.AxialLoadText(), "-100.00");
    EXPECT_EQ(live.GenerateSelfWeight(m.slots), 0);

    // A point load at 2 m of a 4 m simply supported span: M 0, -40 kN m, 0 (stored signs).
    dead.Add(P("0", "0"));
    dead.Add(P("2000", "40"));
    dead.Add(P("4000", "0"));
    const std::string report = dead.Report();
    EXPECT_EQ(report.rfind("Moment and Shear Force Diagram information\r\n-----\r\n\r\nType: Dead Loads\r\n"
                           "Dead load will scale with load factor on shear force\r\n\r\nAxial Load: -100.000 kN\r\n",
                           0),
              0u);
    EXPECT_NE(report.find(" X: 2000.000 mm, M: 40.000 kNm, parabolic: 0"), std::string::npos) << report;
    // V = -dM/dx = +20 kN then -20 kN, listed once at the load with both values.
    EXPECT_NE(report.find(" X: 2000.000 mm, Shear: 20.00/-20.00 kN"), std::string::npos) << report;
}

// ---- Diagrams ---------------------------------------------------------------------------------

TEST(DiagramReadings, InterpolateAndFormatAtAStep)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    const ShearPoint v[] = {{0, 0}, {0, 10000}, {2, 10000}, {2, -5000}, {4, -5000}, {4, 0}};
    EXPECT_DOUBLE_EQ(InterpolatePolyline(v, 6, 2.0), 10000.0); // left of the step
    EXPECT_DOUBLE_EQ(InterpolatePolyline(v, 6, 3.0), -5000.0);
    EXPECT_DOUBLE_EQ(InterpolatePolyline(v, 6, 5.0), 0.0);
    EXPECT_DOUBLE_EQ(InterpolatePolyline(v, 1, 0.0), 0.0);
    std::string t;
    FormatShearAt(v, 6, 2.0, t);
    EXPECT_EQ(t, "Shear: 10.00/-5.00");
    FormatShearAt(v, 6, 1.0, t);
    EXPECT_EQ(t, "Shear: 10.00");
    FormatShearAt(v, 6, 5.0, t);
    EXPECT_EQ(t, "Shear:");
    // 50 N apart: less than 1 % of 1050 N + 100 N, one value.
    const ShearPoint w[] = {{0, 1000}, {1, 1000}, {1, 1050}, {2, 1050}};
    FormatShearAt(w, 4, 1.0, t);
    EXPECT_EQ(t, "Shear:  1.00");
    const ShearPoint z[] = {{0, -0.001}, {1, -0.001}};
    FormatShearAt(z, 2, 0.5, t);
    EXPECT_EQ(t, "Shear:  0.00");
}

TEST(DiagramScalesTest, ZeroLineWhereTheSignsDivideTheBox)
{
    TMemberDefinition d = Plain();
    const DiagramBox box{0, 0, 200, 100};
    // Empty: both fractions 0.5, usable 69: y0 = trunc(100 - 34.5 - 6).
    DiagramScales s = GetDiagramScales(d, LiveDiagram, box, 0);
    EXPECT_EQ(s.x0, 10);
    EXPECT_DOUBLE_EQ(s.scaleX, 45.0);
    EXPECT_EQ(s.y0, 59);
    EXPECT_EQ(s.scaleM, 0.0);

    // M from 0 to 10 kN m (stored positive): zero line at the bottom; V = -2.5 kN throughout.
    d.diagrams[0][0] = {0.0, 0.0, 0};
    d.diagrams[0][1] = {4.0, 10000.0, 0};
    d.pointCount[0] = 2;
    s = GetDiagramScales(d, LiveDiagram, box, 0);
    EXPECT_EQ(s.y0, 94);
    EXPECT_DOUBLE_EQ(s.scaleM, 69.0 / 10000.0);
    s = GetDiagramScales(d, LiveDiagram, box, 1);
    EXPECT_DOUBLE_EQ(s.minV, -2500.0);
    EXPECT_EQ(s.y0, 25); // all shears negative: zero line at the top of the usable height

    // A point beyond the length widens the scale for every box alike.
    d.diagrams[1][0] = {5.0, 0.0, 0};
    d.pointCount[1] = 1;
    EXPECT_DOUBLE_EQ(GetDiagramScales(d, LiveDiagram, box, 0).scaleX, 36.0);
}

TEST(DiagramScalesTest, ParabolicPeakAndAFullDiagram)
{
    TMemberDefinition d = Plain();
    // M = 1000 x (4 - x) through x = 0, 1, 3: vertex 4000 at x = 2.
    d.diagrams[0][0] = {0.0, 0.0, 1};
    d.diagrams[0][1] = {1.0, 3000.0, 1};
    d.diagrams[0][2] = {3.0, 3000.0, 1};
    d.pointCount[0] = 3;
    EXPECT_NEAR(GetDiagramScales(d, 0, {0, 0, 200, 100}, 0).maxM, 4000.0, 1e-6);

    // 128 flagged points, the last two at one position: only points of the diagram are read.
    for (int i = 0; i < kMaxDiagramPoints; ++i)
        d.diagrams[1][static_cast<std::size_t>(i)] = {std::min(i, 126) * 0.03, 100.0 * std::min(i, 126), 1};
    d.pointCount[1] = kMaxDiagramPoints;
    d.displacementLocation = 1e9; // what lies just past the table
    const DiagramScales s = GetDiagramScales(d, 1, {0, 0, 200, 100}, 0);
    EXPECT_NEAR(s.maxM, 12600.0, 1e-6);
    EXPECT_NEAR(s.minM, 0.0, 1e-9);
}

// ---- The sheet --------------------------------------------------------------------------------

TEST_F(MemberPagesTest, SheetWritesBackOnlyWhatChanged)
{
    int confirm = 0;
    ApplyQuickFields(m.slots, Quick("1800", "500", "0"), m.d, confirm);
    EXPECT_EQ(MemberSheetStartPage(m.slots, m.d), 0);
    TMemberDefinition d = m.d;
    TMemberDefinition copy = d;
    copy.displacementLocation = d.displacementLocation + 0.3;
    EXPECT_EQ(WriteBackMemberSheet(copy, d), 0);
    EXPECT_DOUBLE_EQ(d.displacementLocation, copy.displacementLocation);

    copy = d;
    copy.yieldPenetrationConstant = 0.05;
    EXPECT_EQ(WriteBackMemberSheet(copy, d), 1);
    EXPECT_DOUBLE_EQ(d.yieldPenetrationConstant, 0.05);

    // What the pages show back (0.022 as "0.022" from a stored single) is no edit.
    copy = d;
    copy.yieldPenetrationConstant = 0.05 + 1e-7;
    EXPECT_EQ(WriteBackMemberSheet(copy, d), 0);
    EXPECT_DOUBLE_EQ(d.yieldPenetrationConstant, 0.05);

    copy = d;
    copy.length += 0.5;
    copy.topPlateSize = 0.2;
    EXPECT_EQ(WriteBackMemberSheet(copy, d), 1);
    EXPECT_DOUBLE_EQ(d.topPlateSize, 0.2);
}

} // namespace
