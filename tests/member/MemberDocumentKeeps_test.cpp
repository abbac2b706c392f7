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
