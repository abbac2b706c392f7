// What the member pages take, a document gives back to a new session: a cantilever keeps its
// missing right support, and a length and the support at its end, one value in the session,
// are one value again when the document is opened (so the geometry check moves nothing).

#include <gtest/gtest.h>

#include "MemberDocumentTest.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "support/TestSupport.h"

namespace {

class MemberDocumentKeeps : public membertest::MemberDocumentTest {};

} // namespace

TEST_F(MemberDocumentKeeps, ACantileverComesBackWithoutARightSupport)
{
    // Detailed Geometry: a fixed left end and no right support.
    TMemberDefinition d = m.d;
    d.leftSupport = SupportType::FixedEnd;
    d.rightSupport = SupportType::Undefined;
    ASSERT_NE(m.d.rightSupport, SupportType::Undefined);
    for (int units : {kUnitSI, kUnitUS, kUnitOldMetric}) {
        SCOPED_TRACE(units);
        const std::string first = Write(d, units);
        TMemberDefinition read = Open(first);
        EXPECT_EQ(read.leftSupport, SupportType::FixedEnd);
        EXPECT_EQ(read.rightSupport, SupportType::Undefined);
        EXPECT_EQ(Write(read, units), first);
    }
    // A member with both supports still reads both.
    TMemberDefinition both = m.d;
    both.rightSupport = SupportType::Roller;
    EXPECT_EQ(Open(Write(both, kUnitSI)).rightSupport, SupportType::Roller);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(MemberDocumentKeeps, ALengthAndTheSupportAtItsEndStayOnePosition)
{
    // 120 in typed on the geometry page, saved in kg/cm units: the length and the right
    // support at the member's end are one value (304.8 cm and a little), which the length's
    // whole centimetres do not show within single precision and the support's tenths do.
    TMemberDefinition d = m.d;
    d.length = 120.0 / UnitFactor(ukSectionLength, kUnitUS);
    d.rightPlateLocation = d.length;
    d.rightSupport = SupportType::Roller;
    const std::string first = Write(d, kUnitOldMetric);
    TMemberDefinition read = Open(first);
    EXPECT_EQ(read.length, read.rightPlateLocation);
    EXPECT_NEAR(read.length, d.length, 5e-7 * d.length);
    EXPECT_EQ(Write(read, kUnitOldMetric), first);
    // A whole length keeps its own format.
    d.length = d.rightPlateLocation = 6.0;
    const std::string whole = Write(d, kUnitSI);
    EXPECT_NE(whole.find("=\"6000\""), std::string::npos) << whole;
    EXPECT_TRUE(reporter.messages.empty());
}

// The quick page's values as typed in each unit system (display units), saved and opened by a
// new session of the same units: the definition is the one the page builds from the values it
// shows, so the sheet opens on the quick page again with those values. The document keeps the
// moments of the live diagram to its own decimals (a span of 9300 mm gives -9300.00019 N m in
// single precision, kept as -9.300 kN m).
TEST_F(MemberDocumentKeeps, AQuickMemberOpensAgainAsAQuickMember)
{
    struct Typed {
        int units;
        double shear, zone, percent, axial; // section-length, percent and force units
        uint8_t type, left, right;
    } rows[] = {
        {kUnitOldMetric, 180.0, 60.0, 0.0, 0.0, 0, 0, 0}, // the default member of a 600 mm section
        {kUnitSI, 9300.0, 600.0, 0.0, 0.0, 0, 0, 0},
        {kUnitSI, 12345.0, 600.0, 0.0, 0.0, 0, 0, 0},
        {kUnitSI, 2700.0, 0.0, -35.0, 7.4, 1, 1, 1},
        {kUnitUS, 70.87, 23.62, 25.0, 3.3, 2, 0, 2},
        {kUnitOldMetric, 333.33, 12.5, 40.0, 7.4, 0, 2, 0},
        {kUnitRoman, 9.3, 2.0, 0.0, 1.7, 0, 0, 0},
        {kUnitRoman, 12.345, 0.0, 60.0, 0.0, 1, 0, 1},
    };
    for (const Typed& t : rows) {
        SCOPED_TRACE(StrPrintf("units %d, shear span %g", t.units, t.shear));
        const ValueGuard<int> session(g_UnitSystem, t.units);
        TMemberQuickDef q;
        q.L = static_cast<float>(t.shear / UnitFactor(ukSectionLength));
        q.mido2 = static_cast<float>(t.zone / UnitFactor(ukSectionLength));
        q.leftpercent = static_cast<float>(t.percent / UnitFactor(ukPercent));
        q.constAxialLoad = static_cast<float>(t.axial / UnitFactor(ukForce));
        q.type = t.type;
        q.left = t.left;
        q.right = t.right;
        q.penetrate = 0.022f;
        q.lplate = q.rplate = 0.15f;
        TMemberDefinition built = m.d;
        SetMemberFromQuickDefinition(m.slots, q, built);
        ASSERT_TRUE(IsQuickDefinable(m.slots, built));

        const std::string saved = Write(built, t.units);
        TMemberDefinition read = Open(saved);
        EXPECT_TRUE(IsQuickDefinable(m.slots, read));
        const TMemberQuickDef back = GetQuickDefinitionFromMember(read);
        EXPECT_NEAR(back.L * UnitFactor(ukSectionLength), t.shear, 1e-3 * t.shear);
        EXPECT_NEAR(back.mido2 * UnitFactor(ukSectionLength), t.zone, 1e-3 * t.shear);
        EXPECT_NEAR(back.leftpercent * UnitFactor(ukPercent), t.percent, 1e-3);
        EXPECT_EQ(back.type, t.type);
        EXPECT_EQ(back.right, t.right);
        EXPECT_EQ(Write(read, t.units), saved);

        // A fifth live point typed on a loading page is no quick member's, saved or not.
        read.diagrams[LiveDiagram][4] = {read.length, -5.0, 0};
        read.pointCount[LiveDiagram] = 5;
        EXPECT_FALSE(IsQuickDefinable(m.slots, read));
        EXPECT_FALSE(IsQuickDefinable(m.slots, Open(Write(read, t.units))));
    }
    EXPECT_TRUE(reporter.messages.empty());
}
