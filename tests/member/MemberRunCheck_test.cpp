#include "member/MemberRunCheck.h"

#include <gtest/gtest.h>

#include "MemberTestSupport.h"
#include "analysis/RunToFinish.h"
#include "member/TFullMemberResponse.h"
#include "model/TShell.h"
#include "support/TestSupport.h"

using membertest::RectBeam;

namespace {

// The default member of a 300 x 600 mm beam "Beam" in slot 0, and a narrower "Beam - After Fire"
// in slot 4 (as a fire run leaves it) that is the current section.
struct MemberAfterFire : membertest::DefaultMember {
    MemberAfterFire()
    {
        damaged = slots.Put(4, RectBeam("Beam - After Fire", 0.2, 0.6));
        slots.current = 4;
    }
    TBeam* damaged = nullptr;
};

} // namespace

TEST(MemberRunCheck, AnEmptyLiveLoadIsRefusedWithTheReason)
{
    membertest::DefaultMember m;
    ASSERT_FALSE(HasNoLiveLoad(m.d));
    RecordingReporter reporter;
    EXPECT_TRUE(PrepareMemberRun(m.slots, m.d));
    EXPECT_TRUE(reporter.messages.empty());

    // "Delete Full Listing": no points at all.
    TMemberDefinition empty = m.d;
    empty.pointCount[LiveDiagram] = 0;
    EXPECT_TRUE(HasNoLiveLoad(empty));
    EXPECT_FALSE(PrepareMemberRun(m.slots, empty));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find("no live load"), std::string::npos);
    EXPECT_EQ(reporter.messages[0].caption, kMemberRunCaption);
    // Points of zero moment are no load either; a live axial load is one.
    TMemberDefinition zero = m.d;
    for (int i = 0; i < zero.pointCount[LiveDiagram]; ++i)
        zero.diagrams[LiveDiagram][static_cast<std::size_t>(i)].moment = 0.0;
    EXPECT_TRUE(HasNoLiveLoad(zero));
    zero.axialLoad[LiveDiagram] = -1000.0;
    EXPECT_FALSE(HasNoLiveLoad(zero));
}

TEST(MemberRunCheck, AMemberOfAnotherSectionAsksWhichToRunOn)
{
    {
        // Yes: the member follows the current section, and its stations are cut from it.
        MemberAfterFire m;
        RecordingReporter reporter;
        reporter.Answer(MsgAnswer::Yes);
        ASSERT_TRUE(PrepareMemberRun(m.slots, m.d));
        ASSERT_EQ(reporter.messages.size(), 1u);
        const std::string& text = reporter.messages[0].text;
        EXPECT_NE(text.find("\"Beam\""), std::string::npos) << text;
        EXPECT_NE(text.find("\"Beam - After Fire\""), std::string::npos) << text;
        EXPECT_EQ(m.d.zones[0].structureIndex, 4);
        TFullMemberResponse member(m.d, m.slots);
        EXPECT_DOUBLE_EQ(member.GetStationAnalysis(0)->GetBeam()->GetGrossArea(), 0.2 * 0.6);
    }
    {
        // No: it runs on its own section, as the user was told.
        MemberAfterFire m;
        RecordingReporter reporter;
        reporter.Answer(MsgAnswer::No);
        ASSERT_TRUE(PrepareMemberRun(m.slots, m.d));
        EXPECT_EQ(m.d.zones[0].structureIndex, 0);
    }
    {
        // Cancel: nothing runs.
        MemberAfterFire m;
        RecordingReporter reporter;
        reporter.Answer(MsgAnswer::Cancel);
        EXPECT_FALSE(PrepareMemberRun(m.slots, m.d));
        EXPECT_EQ(m.d.zones[0].structureIndex, 0);
    }
    {
        // A member of the current section, or of several sections, is not asked about.
        MemberAfterFire m;
        RecordingReporter reporter;
        m.slots.current = 0;
        EXPECT_TRUE(PrepareMemberRun(m.slots, m.d));
        m.slots.current = 4;
        m.d.zoneCount = 2;
        m.d.zones[1] = {m.d.length / 2.0, 4};
        EXPECT_TRUE(PrepareMemberRun(m.slots, m.d));
        EXPECT_TRUE(reporter.messages.empty());
    }
}

// A zone that names a membrane element cannot be cut into stations: the member is refused
// before anything runs, with one box saying why, whether the element is the current one or
// not and whichever zone names it.
TEST(MemberRunCheck, AZoneOfAMembraneElementIsRefusedWithTheReason)
{
    for (int zone : {0, 1}) {
        SCOPED_TRACE(zone);
        membertest::DefaultMember m;
        auto shell = std::make_unique<TShell>();
        shell->NewDefault();
        shell->SetName("PV19");
        m.slots.slots[2] = std::move(shell);
        m.slots.current = 2;
        m.d.zoneCount = 2;
        m.d.zones[1] = {m.d.length / 2.0, 0};
        m.d.zones[static_cast<std::size_t>(zone)].structureIndex = 2;
        RecordingReporter reporter;
        EXPECT_FALSE(PrepareMemberRun(m.slots, m.d));
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, "A member zone names a section that is not a beam section.");
        EXPECT_EQ(reporter.messages[0].caption, "Error in Member Definition");
        EXPECT_EQ(m.d.zones[static_cast<std::size_t>(zone)].structureIndex, 2);
    }
}
