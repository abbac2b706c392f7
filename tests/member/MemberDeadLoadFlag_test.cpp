// The dead-load flag of a member (whether its dead load stays constant or grows with the load
// factor) is kept by its document also where the member has no dead load: a member without dead
// load whose flag is 0 opens in a new session with its flag at 0 and saves to the same bytes,
// while a document of one diagram, as older ones were written, keeps the flag and the dead
// diagram the section gave the member.

#include <gtest/gtest.h>

#include "MemberDocumentTest.h"
#include "foundation/Units.h"
#include "support/TestSupport.h"

namespace {

class MemberDeadLoadFlag : public membertest::MemberDocumentTest {
protected:
    static int Count(const std::string& text, const std::string& what)
    {
        int n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos;
             at = text.find(what, at + 1))
            ++n;
        return n;
    }
};

} // namespace

// No dead diagram, no dead axial load, the flag 0 (the dead load grows with the load factor):
// the document holds the flag, so a new session's member is the session's, in every unit
// system, and its save is the first save's bytes.
TEST_F(MemberDeadLoadFlag, AMemberWithoutDeadLoadKeepsAFlagOfNothing)
{
    TMemberDefinition d = m.d;
    d.pointCount[DeadDiagram] = 0;
    d.axialLoad[DeadDiagram] = 0.0;
    d.deadLoadConstant = 0;
    for (int units : {kUnitSI, kUnitUS, kUnitOldMetric}) {
        SCOPED_TRACE(units);
        const std::string first = Write(d, units);
        TMemberDefinition read = Open(first);
        EXPECT_EQ(read.deadLoadConstant, 0);
        EXPECT_EQ(read.pointCount[DeadDiagram], 0);
        EXPECT_EQ(read.axialLoad[DeadDiagram], 0.0);
        EXPECT_EQ(EqualMemberDefinitions(read, d), 1);
        EXPECT_EQ(Write(read, units), first);
    }
    EXPECT_TRUE(reporter.messages.empty());
}

// A member without dead load whose flag is 1 (the definition's own) is still written with one
// diagram, as before; and a document of one diagram leaves the dead diagram and the flag as the
// section gave them, whatever the member written had.
TEST_F(MemberDeadLoadFlag, ADocumentOfOneDiagramMeansWhatItDid)
{
    TMemberDefinition d = m.d;
    d.pointCount[DeadDiagram] = 0;
    d.axialLoad[DeadDiagram] = 0.0;
    d.deadLoadConstant = 1;
    const std::string one = Write(d, kUnitSI);
    EXPECT_EQ(Count(one, "<BMD"), 1);

    TMemberDefinition fromSection;
    SetMemberDefinitionFromSection(m.slots, fromSection, *m.beam);
    const TMemberDefinition read = Open(one);
    EXPECT_EQ(read.deadLoadConstant, fromSection.deadLoadConstant);
    ASSERT_EQ(read.pointCount[DeadDiagram], fromSection.pointCount[DeadDiagram]);
    for (int i = 0; i < read.pointCount[DeadDiagram]; ++i) {
        EXPECT_EQ(read.diagrams[DeadDiagram][static_cast<std::size_t>(i)].x,
                  fromSection.diagrams[DeadDiagram][static_cast<std::size_t>(i)].x);
        EXPECT_EQ(read.diagrams[DeadDiagram][static_cast<std::size_t>(i)].moment,
                  fromSection.diagrams[DeadDiagram][static_cast<std::size_t>(i)].moment);
    }
    EXPECT_TRUE(reporter.messages.empty());
}
