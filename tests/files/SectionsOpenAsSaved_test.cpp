// A section a document gives back is the section that was saved: the long-term settings typed
// while they are not considered, the shape of a section of one trapezoid, the sizes a basic
// shape was typed with, and a circle beside a moment axis.

#include <array>
#include <cmath>
#include <string>

#include "DocumentTestSupport.h"
#include "foundation/TDepthTable.h"
#include "model/shapes/SectionOutline.h"
#include "model/shapes/SectionShape.h"
#include "model/shapes/ShapeLibrary.h"

namespace {

class SectionsOpenAsSaved : public DocumentTest {
protected:
    // Saved and opened again: the one section read back.
    std::unique_ptr<TStructure> Reopened(TBeam& beam)
    {
        XmlDocument doc;
        const XmlResult r = Read(Write({&beam}), doc);
        EXPECT_TRUE(r.Ok()) << r.message;
        EXPECT_EQ(doc.structures.size(), 1u);
        return doc.structures.empty() ? nullptr : std::move(doc.structures.front());
    }
    // The beam read from a document text (one beam).
    std::unique_ptr<TBeam> Opened(const std::string& text)
    {
        XmlDocument doc;
        const XmlResult r = Read(text, doc);
        EXPECT_TRUE(r.Ok()) << r.message;
        if (doc.structures.size() != 1u ||
            dynamic_cast<TBeam*>(doc.structures.front().get()) == nullptr)
            return nullptr;
        return std::unique_ptr<TBeam>(static_cast<TBeam*>(doc.structures.front().release()));
    }
    // A library shape drawn on Basic Shapes, as OK builds it: the shape's outline for the sizes
    // (m) on the grid of the unit system, the section built from it and validated.
    static void DrawBasicShape(TBeam& beam, const std::string& name, const ShapeParams& sizes)
    {
        const int code = FindShapeIndex(name);
        ASSERT_GE(code, 0) << name;
        TDepthTable outline("section outline");
        TDepthTable types("outline concrete types");
        EvaluateShapeOutline(*ShapeTable[static_cast<std::size_t>(code)],
                             outline,
                             types,
                             sizes,
                             0.0);
        NormaliseOutline(outline, types);
        g_SectionDefinition = SectionDefinition{static_cast<std::int16_t>(code), -1, sizes};
        BuildSectionShape(beam, outline, types);
        beam.Validate();
    }

    ValueGuard<SectionDefinition> definition{g_SectionDefinition, SectionDefinition{}};
};

} // namespace

TEST_F(SectionsOpenAsSaved, LongTermSettingsNotConsideredAreKept)
{
    // Time Dependent Effects: 3 years, 40 kN.m and -100 kN sustained, the box left unticked.
    TBeam beam;
    beam.DeleteRegions();
    beam.AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
    beam.SetTimeData(0, 3 * 365.0, 40e3, -100e3);
    beam.Validate();
    const auto read = Reopened(beam);
    ASSERT_TRUE(read);
    int flag = -1;
    double days = 0, moment = 0, axial = 0;
    static_cast<const TBeam&>(*read).GetTimeData(flag, days, moment, axial);
    EXPECT_EQ(flag, 0);
    EXPECT_DOUBLE_EQ(days, 3 * 365.0);
    EXPECT_DOUBLE_EQ(moment, 40e3);
    EXPECT_DOUBLE_EQ(axial, -100e3);
    // A new section writes no long-term settings.
    TBeam fresh;
    EXPECT_EQ(Write({&fresh}).find("analysisoptions"), std::string::npos);
}

TEST_F(SectionsOpenAsSaved, ATrapezoidIsNoCircle)
{
    // A 600 mm high section of one region 0.1 mm wide at both ends (a rectangle whose width
    // was typed as 0 comes out so): both ends lie on the circle of its height, yet it is no
    // circle, neither as built nor as a document gives it back.
    ReadShapeLibraryText(0, DefaultShapeFileText());
    TBeam beam;
    beam.DeleteRegions();
    beam.AddRegion(0.6, 0.0, 0.0001, 0.0001, 0, 1);
    beam.SetShapeType(kUserShapeCode);
    beam.Validate();
    EXPECT_NE(beam.GetSectionKindCode(), kBeamCircleShape);
    const auto read = Reopened(beam);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetSectionKindCode(), beam.GetSectionKindCode());
    EXPECT_EQ(static_cast<const TBeam&>(*read).GetShapeName(), "RECT");
    ShapeTable = {};
}

// Sizes typed on Basic Shapes off the outline's grid (0.1 mm, 0.01 in): the document keeps them
// to ten digits beside the outline rounded to its grid, and a new session opens the shape with
// the sizes typed, not those of its outline (300.1 x 601.0 mm, 11.81 in, 30.12 cm); a T whose
// flange thickness the outline's rounding moves by almost a step (27.5549 in high rounds down to
// 27.55, 21.5551 in below the flange up to 21.56: 5.99 in for 5.9998 in) keeps it too, and so
// do sizes on the grid of the fourth unit system, whose outline lies off its unciae (12 unciae
// at 40.6504 unciae/m is an outline 11.99999808 unciae wide). The reopened section saves the
// first text again.
TEST_F(SectionsOpenAsSaved, BasicShapeSizesTypedOffTheGridComeBackAsTyped)
{
    ReadShapeLibraryText(0, DefaultShapeFileText());
    struct Drawn {
        int system;
        const char* shape;
        ShapeParams typed; // in the unit system's length unit
        const char* par1;  // as the document keeps it
    };
    const Drawn drawn[] = {
        {kUnitSI, "RECT", {300.123456789, 600.987654321}, "300.1234568"},
        {kUnitUS, "RECT", {11.8123456, 23.6}, "11.8123456"},
        {kUnitOldMetric, "RECT", {30.123456, 60.0}, "30.123456"},
        {kUnitRoman, "RECT", {12.0, 24.0}, "12.0"},
        {kUnitSI, "TBEAM", {600.123456, 700.45678, 200.0789, 150.0456}, "600.123456"},
        {kUnitUS, "TBEAM", {24.0123, 27.5549, 8.0049, 5.9998}, "24.0123"},
        {kUnitSI, "IBEAM", {500.06, 900.04, 150.03, 120.07, 130.04, 400.09}, "500.06"},
        {kUnitOldMetric, "IBEAM", {50.006, 90.004, 15.003, 12.007, 13.004, 40.009}, "50.006"},
    };
    for (const Drawn& d : drawn) {
        SCOPED_TRACE(std::string(d.shape) + " " + d.par1 + " in unit system " +
                     std::to_string(d.system));
        g_UnitSystem = d.system;
        const double factor = UnitFactor(ukSectionLength, d.system);
        ShapeParams sizes{};
        for (std::size_t k = 0; k < sizes.size(); ++k)
            sizes[k] = d.typed[k] / factor;
        TBeam beam;
        DrawBasicShape(beam, d.shape, sizes);
        const std::string first = Write({&beam}, d.system);
        EXPECT_NE(first.find(std::string("par1\t\t=\"") + d.par1 + "\""), std::string::npos)
            << first;

        const auto reopened = Opened(first);
        ASSERT_TRUE(reopened);
        EXPECT_EQ(reopened->GetShapeName(), d.shape);
        EXPECT_EQ(reopened->GetSectionKindCode(), FindShapeIndex(d.shape));
        for (int k = 1; k <= 6; ++k) {
            const double typed = d.typed[static_cast<std::size_t>(k - 1)];
            // Ten digits: within 5e-10 of the size.
            EXPECT_NEAR(reopened->GetShapeParameter(k) * factor, typed, 5e-10 * typed)
                << "par" << k;
        }
        EXPECT_EQ(Write({reopened.get()}, d.system), first);
    }
    ShapeTable = {};
}

// What older documents mean stands: sizes that their outline is not built from (a rectangle
// named 250 x 500 mm whose outline is 300.1 x 601.0 mm), or a shape the outline is not (a T
// named beside a rectangle), give way to the outline.
TEST_F(SectionsOpenAsSaved, SizesTheOutlineIsNotBuiltFromGiveWayToIt)
{
    ReadShapeLibraryText(0, DefaultShapeFileText());
    TBeam beam;
    DrawBasicShape(beam, "RECT", {0.300123456789, 0.600987654321});
    const std::string saved = Write({&beam});
    const auto replaced = [&saved](const std::string& from, const std::string& to) {
        std::string text = saved;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    std::string other = replaced("\"300.1234568\"", "\"250.0\"");
    other.replace(other.find("\"600.9876543\""), 13, "\"500.0\"");
    for (const auto& [text, what] : {std::pair{other, "other sizes"},
                                     std::pair{replaced("\"RECT\"", "\"TBEAM\""), "a T named"}}) {
        SCOPED_TRACE(what);
        const auto reopened = Opened(text);
        ASSERT_TRUE(reopened);
        EXPECT_EQ(reopened->GetShapeName(), "RECT");
        EXPECT_NEAR(reopened->GetShapeParameter(1), 0.3001, 1e-12);
        EXPECT_NEAR(reopened->GetShapeParameter(2), 0.6010, 1e-12);
    }
    ShapeTable = {};
}

// A circle drawn on Basic Shapes beside a moment axis 37 mm above its bottom, at every diameter
// from 300 to 700 mm in steps of 1 mm: its top row and its bottom row, moved to the axis, stand
// at the circle's height give or take the last bit of their difference, and its document opens
// again as that circle every time.
TEST_F(SectionsOpenAsSaved, ACircleBesideAnAxisOpensAgainAsACircleAtEveryDiameter)
{
    ReadShapeLibraryText(0, DefaultShapeFileText());
    const int circle = FindShapeIndex("CIRCLE");
    ASSERT_EQ(circle, kBeamCircleShape);
    int reopenedAsCircles = 0;
    for (int mm = 300; mm <= 700; ++mm) {
        TBeam beam;
        DrawBasicShape(beam, "CIRCLE", {mm / 1000.0});
        beam.SetMomentAxis(0.037);
        beam.Validate();
        ASSERT_EQ(beam.GetSectionKindCode(), circle) << mm << " mm";
        const auto reopened = Reopened(beam);
        ASSERT_TRUE(reopened);
        EXPECT_EQ(reopened->GetSectionKindCode(), circle) << mm << " mm";
        reopenedAsCircles += reopened->GetSectionKindCode() == circle ? 1 : 0;
    }
    EXPECT_EQ(reopenedAsCircles, 401);
    ShapeTable = {};
}
