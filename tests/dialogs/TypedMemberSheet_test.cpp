// Typed values on the member sheet's pages: spans past the longest member, lengths, positions,
// moments and axial loads that are not finite numbers. Each is refused where it is stored (the
// page kept, its field selected, a message naming the field) and the member is left as it was.

#include <gtest/gtest.h>

#include "dialogs/MemberSheet.h"
#include "foundation/Units.h"
#include "member/MemberTestSupport.h"
#include "platform/Application.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"
#include "tests/dialogs/TypedInputSupport.h"

namespace {

namespace Id = MemberPageId;

struct TypedMemberSheet : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    TypedMemberSheet()
    {
        QuickFields q;
        q.shearLength = "1800";
        q.constantZone = "500";
        q.momentRatio = "0";
        q.axialLoad = "0";
        q.yieldPenetration = "0.022";
        int confirm = 0;
        ApplyQuickFields(m.slots, q, m.d, confirm);
    }
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    plat::UiReporterScope reporter;
    ScriptedUi ui;
    membertest::DefaultMember m;
};

// Types each text and presses the button: the page stays with the field selected.
void Refuse(plat::DialogDriver& d, int id, const std::vector<std::string>& texts, int press)
{
    const std::string before = d.Text(id);
    const int page = d.CurrentPage();
    for (const std::string& text : texts) {
        d.Type(id, text);
        d.Click(press);
        EXPECT_FALSE(d.Ended()) << text;
        EXPECT_EQ(d.CurrentPage(), page);
        EXPECT_EQ(d.FocusedId(), id) << text;
        EXPECT_EQ(d.SelectedText(id), text);
    }
    d.Type(id, before);
}

TEST_F(TypedMemberSheet, EveryPageRefusesWhatItCannotStoreAndTheMemberStaysAsItWas)
{
    const TMemberDefinition before = m.d;
    std::vector<std::string> spans = kNotFinite;
    spans.push_back("1e12");  // mm: a thousand times the longest member
    ui.Dialog("Full Member Properties", [&](plat::DialogDriver& d) {
        Refuse(d, Id::ShearLength, spans, 1);
        Refuse(d, Id::AxialLoad, kNotFinite, 1);
        d.Type(Id::ConstantZone, "999000");  // with the 1800 mm span, past 1000 m
        d.Click(1);
        EXPECT_EQ(d.FocusedId(), Id::ConstantZone);
        d.Type(Id::ConstantZone, "500");
        d.SwitchPage(1);
        // A finite length is held to 0.1 m .. 1000 m; one that is no number is refused.
        Refuse(d, Id::Length, {"nan", "inf", "-inf"}, 1);
        Refuse(d, Id::LeftLocation, {"nan"}, 1);
        d.SwitchPage(2);
        Refuse(d, Id::Boundary, {"nan", "-inf"}, Id::AddBoundary);
        d.SwitchPage(3);
        Refuse(d, Id::Location, {"nan", "inf"}, Id::AddPoint);
        Refuse(d, Id::Moment, {"nan", "1e300"}, Id::AddPoint);
        Refuse(d, Id::Axial, {"nan"}, 1);
        d.Click(1);
    });
    for (std::size_t k = 0; k < spans.size(); ++k)
        ui.Message("Shear Span must be a number from 0 to 1000000 mm.", MsgAnswer::Ok);
    for (std::size_t k = 0; k < kNotFinite.size(); ++k)
        ui.Message("Axial Load must be a number from -1000000 to 1000000 kN.", MsgAnswer::Ok);
    ui.Message("Shear Span and Constant Moment Zone together must not exceed 1000000 mm.", MsgAnswer::Ok);
    for (int k = 0; k < 3; ++k)
        ui.Message("Length must be a number (values are kept within 0 to 1000000 mm).", MsgAnswer::Ok);
    ui.Message("Left Support Location must be a number", MsgAnswer::Ok);
    ui.Message("Boundary must be a number", MsgAnswer::Ok).Message("Boundary must be a number", MsgAnswer::Ok);
    ui.Message("Location must be a number", MsgAnswer::Ok).Message("Location must be a number", MsgAnswer::Ok);
    ui.Message("Moment must be a number from -1000000 to 1000000 kNm.", MsgAnswer::Ok)
        .Message("Moment must be a number from -1000000 to 1000000 kNm.", MsgAnswer::Ok);
    ui.Message("Axial Load must be a number from -1000000 to 1000000 kN.", MsgAnswer::Ok);
    EditMemberProperties(nullptr, m.d, m.slots);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(EqualMemberDefinitions(m.d, before), 1);
    EXPECT_EQ(m.d.length, before.length);
}

} // namespace
