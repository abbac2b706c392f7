// A section a document gives back is the section that was saved: the long-term settings typed
// while they are not considered, and the shape of a section of one trapezoid.

#include "DocumentTestSupport.h"
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
