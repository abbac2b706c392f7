// The member crack drawing: crack positions and generations, crack lines through the depth
// cells, web cracks, label rows and the frame mapping, checked from hand coordinates.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "foundation/Units.h"
#include "member/TFullMemberResponse.h"
#include "tests/support/TestSupport.h"
#include "views/TDrawCrack.h"

namespace {

constexpr double kPi = 3.14159265358979;

// A state of height h cracked (width w, spacing s, angle a) from triple `from` to `to`
// inclusive, uncracked elsewhere; sagging unless the moment is given positive.
MemberStateRecord State(double h, int from, int to, double w = 0.0002, double s = 0.1, double a = kPi / 2,
                        double moment = -1.0)
{
    MemberStateRecord r;
    for (int i = 0; i <= 20; ++i) {
        const bool cracked = i >= from && i <= to;
        r.depths[static_cast<std::size_t>(i)] = {static_cast<float>(a), cracked ? static_cast<float>(w) : -1.0f,
                                                 static_cast<float>(s)};
    }
    r.h = h;
    r.moment = moment;
    return r;
}

// Identity frame, 100 px per metre, origin at (0, 0): pixel (100 x, -100 y).
void Unit(TDrawCrack& c, double largest, double least, double L, double hmax)
{
    c.SetScale(0.0, 0.0, 100.0, 100.0, largest, least, L, hmax);
    c.ResetCracks();
}

} // namespace

TEST(DrawCrack, ScaleLevelsPitchAndCentredPositions)
{
    CrackPicture pic;
    TDrawCrack c(pic, 4002);
    // 2.05 m with 0.1 m least spacing: pitch 0.09, 22 pitches fit, offset (2.05 - 1.98) / 2.
    Unit(c, 0.15, 0.1, 2.05, 0.5);
    EXPECT_EQ(c.Level(), 0);
    EXPECT_EQ(c.Period(), 1);
    EXPECT_NEAR(c.Pitch(), 0.09, 1e-12);
    EXPECT_NEAR(c.Span(), 0.2, 1e-12);
    EXPECT_NEAR(c.Offset(), 0.035, 1e-12);
    EXPECT_NEAR(c.Position(5), 0.035 + 0.45, 1e-12);
    EXPECT_NEAR(c.Position(22), 2.05 - 0.035, 1e-12); // symmetric about mid-length

    // r = int(largest / (least + 0.0001)): 0.2 / 0.1001 is 1.998, still level 0.
    const double cases[][2] = {{0.2, 0}, {0.25, 1}, {0.45, 2}, {0.85, 3}, {1.61, 4}, {10.0, 4}};
    for (const auto& k : cases) {
        Unit(c, k[0], 0.1, 2.05, 0.5);
        EXPECT_EQ(c.Level(), static_cast<int>(k[1])) << k[0];
        EXPECT_NEAR(c.Span(), 2.0 * (1 << c.Level()) * 0.1, 1e-12);
    }
    EXPECT_TRUE(pic.messages.empty());

    // A least spacing below 0.0001 m: reported, 0.1 m used.
    Unit(c, 0.15, 0.00005, 2.05, 0.5);
    ASSERT_EQ(pic.messages.size(), 1u);
    EXPECT_NEAR(c.Pitch(), 0.09, 1e-12);
}

TEST(DrawCrack, GenerationsThinOutWithTheLocalSpacing)
{
    CrackPicture pic;
    TDrawCrack c(pic, 4002);
    // Level 4 (largest 16 x least): span 32 x 0.1 = 3.2 m.
    Unit(c, 1.61, 0.1, 3.0, 0.5);
    ASSERT_EQ(c.Level(), 4);
    const auto shown = [&c](double s) {
        int n = 0;
        for (int j = 0; j < 16; ++j)
            n += c.IsVisible(j, s, 0.0001) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(shown(1.6), 1);   // 16 x least: every 16th
    EXPECT_EQ(shown(0.8), 2);   // 8 x least: every 8th
    EXPECT_EQ(shown(0.4), 4);   // every 4th
    EXPECT_EQ(shown(0.2), 8);   // every 2nd
    EXPECT_EQ(shown(0.19), 16); // below twice the least: all
    EXPECT_TRUE(c.IsVisible(16, 1.6, 0.0001));
    EXPECT_FALSE(c.IsVisible(8, 1.6, 0.0001));
    EXPECT_FALSE(c.IsVisible(0, 0.1, -1.0)); // uncracked hides even the first generation
    EXPECT_TRUE(c.IsVisible(TDrawCrack::kWebIndex, 5.0, 0.0001));

    // Level 0: every position wherever cracked.
    Unit(c, 0.15, 0.1, 3.0, 0.5);
    for (int j = 0; j < 5; ++j)
        EXPECT_TRUE(c.IsVisible(j, 10.0, 0.0));
}

TEST(DrawCrack, ClassifiesCrackedFacesAndWebZones)
{
    EXPECT_EQ(TDrawCrack::Classify(State(0.5, 0, 8)), 1);
    EXPECT_EQ(TDrawCrack::Classify(State(0.5, 14, 20)), 2);
    EXPECT_EQ(TDrawCrack::Classify(State(0.5, 0, 20)), 3);
    EXPECT_EQ(TDrawCrack::Classify(State(0.5, 8, 14)), 4);
    EXPECT_EQ(TDrawCrack::Classify(State(0.5, 0, 3)) | 0, 1);
    EXPECT_EQ(TDrawCrack::Classify(State(0.5, 30, 30)), 0);
}

TEST(DrawCrack, FlexuralCracksRiseFromTheCrackedFaceThroughTheCrackedCells)
{
    CrackPicture pic;
    TDrawCrack c(pic, 4002);
    Unit(c, 0.15, 0.1, 2.05, 0.6);
    // Vertical cracks, bottom cracked up to triple 10 (mid-depth) of a 0.6 m section.
    const MemberStateRecord r = State(0.6, 0, 10);
    const int flags = c.DrawStrip(0.5, 0.2, r, 0);
    EXPECT_EQ(flags, 1);
    // Positions 0.035 + 0.09 j inside [0.5, 0.7]: j = 6 (0.575) and 7 (0.665).
    for (double x : {0.575, 0.665}) {
        double top = 1e9, bottom = -1e9;
        for (const auto& s : pic.segments)
            if (std::fabs(s.x1 - 100 * x) < 0.5 && std::fabs(s.x2 - 100 * x) < 0.5) {
                top = std::min({top, s.y1, s.y2});
                bottom = std::max({bottom, s.y1, s.y2});
            }
        EXPECT_NEAR(bottom, 0.0, 1e-6) << x;   // from the bottom face
        EXPECT_NEAR(top, -100 * 0.3, 0.01) << x; // to the last cracked cell, mid-depth
    }
    for (const auto& s : pic.segments)
        EXPECT_FALSE(s.web);

    // Hogging: the same cracks hang from the top face.
    CrackPicture hog;
    TDrawCrack t(hog, 4002);
    Unit(t, 0.15, 0.1, 2.05, 0.6);
    t.DrawStrip(0.5, 0.2, State(0.6, 10, 20, 0.0002, 0.1, kPi / 2, 1.0), 0);
    ASSERT_FALSE(hog.segments.empty());
    for (const auto& s : hog.segments) {
        EXPECT_LE(s.y1, -100 * 0.3 + 0.01);
        EXPECT_LE(s.y2, -100 * 0.3 + 0.01);
    }
}

TEST(DrawCrack, InclinedCracksContinueIntoTheNextStrip)
{
    CrackPicture pic;
    TDrawCrack c(pic, 4002);
    Unit(c, 0.15, 0.1, 2.05, 0.6);
    // 45 degree cracks over the whole depth: each rises as much as it runs, leaving the
    // 0.05 m strip through its end and going on in the next one from the same point.
    const MemberStateRecord r = State(0.6, 0, 20, 0.0002, 0.1, kPi / 4);
    c.DrawStrip(0.56, 0.05, r, 3);
    EXPECT_GT(c.ContinuingCount(), 0);
    const std::size_t firstStrip = pic.segments.size();
    // Crack at 0.575 reaches x = 0.61 at height 0.035.
    bool leaves = false;
    for (std::size_t i = 0; i < firstStrip; ++i)
        leaves |= std::fabs(pic.segments[i].x2 - 61.0) < 1e-6 && std::fabs(pic.segments[i].y2 + 3.5) < 1e-3;
    EXPECT_TRUE(leaves);
    c.DrawStrip(0.61, 0.05, r, 3);
    bool continues = false;
    for (std::size_t i = firstStrip; i < pic.segments.size(); ++i)
        continues |= std::fabs(pic.segments[i].x1 - 61.0) < 1e-6 && std::fabs(pic.segments[i].y1 + 3.5) < 1e-3;
    EXPECT_TRUE(continues);
}

TEST(DrawCrack, WebCracksAtSixthsOnFirstFullDepthCrackingAndInWebZones)
{
    const auto webStarts = [](const CrackPicture& p, double x0) {
        std::vector<double> ys;
        for (const auto& s : p.segments)
            if (s.web && std::fabs(s.x1 - 100 * x0) < 1e-6)
                ys.push_back(-s.y1 / 100);
        std::sort(ys.begin(), ys.end());
        return ys;
    };
    {
        CrackPicture pic;
        TDrawCrack c(pic, 4002);
        Unit(c, 0.15, 0.1, 2.05, 0.6);
        c.DrawStrip(1.0, 0.04, State(0.6, 0, 20, 0.0002, 0.1, kPi / 4), 1);
        const std::vector<double> ys = webStarts(pic, 1.0);
        ASSERT_EQ(ys.size(), 6u);
        for (int k = 0; k < 6; ++k)
            EXPECT_NEAR(ys[static_cast<std::size_t>(k)], (k + 0.5) * 0.1, 1e-9);
    }
    {
        // Already cracked over the depth in the previous strip: no new web cracks.
        CrackPicture pic;
        TDrawCrack c(pic, 4002);
        Unit(c, 0.15, 0.1, 2.05, 0.6);
        c.DrawStrip(1.0, 0.04, State(0.6, 0, 20, 0.0002, 0.1, kPi / 4), 3);
        EXPECT_TRUE(webStarts(pic, 1.0).empty());
    }
    {
        // A cracked zone in the web from triple 8 (0.24 m) to 14 (0.42 m): seeded every
        // h/6 = 0.1 m from its lower end.
        CrackPicture pic;
        TDrawCrack c(pic, 4002);
        Unit(c, 0.15, 0.1, 2.05, 0.6);
        const int flags = c.DrawStrip(1.0, 0.04, State(0.6, 8, 14, 0.0002, 0.1, kPi / 4), 0);
        EXPECT_EQ(flags, 4);
        const std::vector<double> ys = webStarts(pic, 1.0);
        ASSERT_EQ(ys.size(), 2u);
        EXPECT_NEAR(ys[0], 0.24, 1e-9);
        EXPECT_NEAR(ys[1], 0.34, 1e-9);
    }
}

TEST(DrawCrack, LabelRowsAreSpacedAndLabelsKeepApart)
{
    ValueGuard<int> units{g_UnitSystem, 0};
    CrackPicture pic;
    TDrawCrack c(pic, 4000);
    // 500 px per metre, sample text 30 x 12 px: rows 1.5 x 12 + 5 = 23 px apart at least.
    c.SetScale(0.0, 400.0, 500.0, 500.0, 0.06, 0.05, 2.0, 0.6);
    c.ResetCracks();
    c.SetupLabelRows(0.6, plat::Size{30, 12});
    ASSERT_EQ(c.LabelRowCount(), 13); // int(0.6 / 0.046 + 0.5)
    for (int i = 0; i + 1 < c.LabelRowCount(); ++i)
        EXPECT_GE((c.LabelRowHeight(i + 1) - c.LabelRowHeight(i)) * 500.0, 23.0);
    EXPECT_NEAR(c.LabelRowHeight(0), 0.6 / 13 / 2, 1e-12);
    c.SetupLabelRows(3.0, plat::Size{30, 12});
    EXPECT_EQ(c.LabelRowCount(), 21); // at most 21
    c.SetupLabelRows(0.6, plat::Size{30, 12});
    c.SetLabelDirection(1.0, 0.0);

    // Vertical cracks every 0.045 m cracked to mid-depth with 0.35 mm: a label needs 1.4 x
    // 30 px = 42 px (0.084 m) from the previous one of its row, so every second crack is
    // labelled.
    c.DrawStrip(0.5, 0.5, State(0.6, 0, 10, 0.00035, 0.05), 0);
    ASSERT_FALSE(pic.labels.empty());
    for (const auto& l : pic.labels)
        EXPECT_EQ(l.text, "0.35");
    for (std::size_t i = 0; i < pic.labels.size(); ++i)
        for (std::size_t k = i + 1; k < pic.labels.size(); ++k)
            if (pic.labels[i].row == pic.labels[k].row) {
                EXPECT_GT(std::fabs(pic.labels[k].x - pic.labels[i].x), 42.0);
            }
    // The rows below mid-depth carry labels, lowered by half the text height.
    int row0 = 0;
    for (const auto& l : pic.labels)
        if (l.row == 0) {
            ++row0;
            EXPECT_NEAR(l.y, 400.0 - 500.0 * c.LabelRowHeight(0) + 6, 1e-6);
            EXPECT_TRUE(l.rightAligned);
        }
    EXPECT_EQ(row0, 6); // at 0.505, 0.595, ..., 0.955 m

    // US units: inches with three decimals.
    ValueGuard<int> us{g_UnitSystem, 1};
    CrackPicture p2;
    TDrawCrack u(p2, 4001);
    u.SetScale(0.0, 400.0, 500.0, 500.0, 0.06, 0.05, 2.0, 0.6);
    u.SetupLabelRows(0.6, plat::Size{30, 12});
    u.SetLabelDirection(1.0, 0.0);
    u.DrawStrip(0.5, 0.1, State(0.6, 0, 10, 0.00035, 0.05), 0);
    ASSERT_FALSE(p2.labels.empty());
    EXPECT_EQ(p2.labels[0].text, "0.014");

    // No labels for the graphs without them.
    CrackPicture p3;
    TDrawCrack n(p3, 4002);
    n.SetScale(0.0, 400.0, 500.0, 500.0, 0.06, 0.05, 2.0, 0.6);
    n.SetupLabelRows(0.6, plat::Size{30, 12});
    n.DrawStrip(0.5, 0.1, State(0.6, 0, 10, 0.00035, 0.05), 0);
    EXPECT_TRUE(p3.labels.empty());
    EXPECT_FALSE(p3.segments.empty());
}

TEST(DrawCrack, FrameMapsTheStripBilinearly)
{
    CrackPicture pic;
    TDrawCrack c(pic, 4002);
    c.SetScale(10.0, 200.0, 100.0, 100.0, 0.15, 0.1, 2.0, 0.5);
    double px = 0, py = 0;
    c.Map(0.5, 0.25, px, py); // no frame: the transform alone
    EXPECT_NEAR(px, 60.0, 1e-9);
    EXPECT_NEAR(py, 175.0, 1e-9);
    // Strip (1, 0)-(1.2, 0.5) onto a sheared, lowered quadrilateral.
    c.SetStrip(1.0, 0.0, 0.2, 0.5);
    c.SetFrame({1.0, -0.1, 1.2, -0.12, 1.25, 0.38, 1.05, 0.4});
    c.Map(1.0, 0.0, px, py);
    EXPECT_NEAR(px, 110.0, 1e-9);
    EXPECT_NEAR(py, 210.0, 1e-9);
    c.Map(1.2, 0.5, px, py);
    EXPECT_NEAR(px, 135.0, 1e-9);
    EXPECT_NEAR(py, 162.0, 1e-9);
    c.Map(1.1, 0.25, px, py); // centre: mean of the corners (1.125, 0.14)
    EXPECT_NEAR(px, 10.0 + 112.5, 1e-9);
    EXPECT_NEAR(py, 200.0 - 14.0, 1e-9);
    c.Map(5.0, 9.0, px, py); // outside: clamped to the top-right corner
    EXPECT_NEAR(px, 135.0, 1e-9);
}

TEST(DrawCrack, SignChangeDrawsAVerticalCrackAtACrackPosition)
{
    CrackPicture pic;
    TDrawCrack c(pic, 4002);
    Unit(c, 0.15, 0.1, 2.05, 0.6);
    const MemberStateRecord r = State(0.6, 0, 6, 0.0002, 0.1, kPi / 3);
    c.DrawStrip(0.5, 0.2, State(0.6, 0, 20, 0.0002, 0.1, kPi / 4), 0);
    EXPECT_GT(c.ContinuingCount(), 0);
    pic.segments.clear();
    c.DrawSignChange(0.575, r); // position j = 6
    EXPECT_EQ(c.ContinuingCount(), 0);
    ASSERT_EQ(pic.segments.size(), 6u); // cells 0..5 cracked at both triples
    for (const auto& s : pic.segments) {
        EXPECT_NEAR(s.x1, 57.5, 1e-9);
        EXPECT_NEAR(s.x2, 57.5, 1e-9);
    }
    pic.segments.clear();
    c.DrawSignChange(0.6, r); // not a crack position
    EXPECT_TRUE(pic.segments.empty());
}

TEST(DrawCrack, StateMarkersAtTheTwentyOneDepths)
{
    CrackPicture pic;
    TDrawCrack c(pic, 4002);
    Unit(c, 0.15, 0.1, 2.05, 0.6);
    MemberStateRecord r = State(0.6, 0, 4, 0.0002, 0.1, 0.0);
    r.x = 1.0;
    c.DrawStateMarkers(r);
    ASSERT_EQ(pic.markers.size(), 21u);
    EXPECT_TRUE(pic.markers[4].cracked);
    EXPECT_FALSE(pic.markers[5].cracked);
    EXPECT_NEAR(pic.markers[20].y, -60.0, 1e-9);
    // Horizontal direction: a 14-px tick across the point.
    EXPECT_NEAR(pic.markers[0].tx2 - pic.markers[0].tx1, 14.0, 1e-9);
    EXPECT_NEAR(pic.markers[0].ty2 - pic.markers[0].ty1, 0.0, 1e-9);
}

TEST(DrawCrack, CracksLeaningBackRunOnToTheFace)
{
    CrackPicture pic;
    TDrawCrack c(pic, 4002);
    Unit(c, 0.15, 0.1, 2.05, 0.6);
    // Cracked over the depth at 2.0 rad (leaning back over the strips already drawn): the
    // crack at 1.025 m leaves the 1.01-1.03 m strip backwards in its first cell and still
    // reaches the top, 0.6 / tan(2.0) m further back.
    c.DrawStrip(1.01, 0.02, State(0.6, 0, 20, 0.0002, 0.1, 2.0), 3);
    double top = 0.0;
    double topX = 0.0;
    for (const auto& s : pic.segments)
        if (!s.web && -s.y2 / 100 > top) {
            top = -s.y2 / 100;
            topX = s.x2 / 100;
        }
    EXPECT_NEAR(top, 0.6, 1e-9);
    EXPECT_NEAR(topX, 1.025 + 0.6 / (std::tan(2.0) + 1e-5), 1e-6);
}
