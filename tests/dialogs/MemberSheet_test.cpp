// The member sheet, the post-fire parameters dialog and the demonstration worked through their
// control ids and the scripted gateway, on a 300 x 600 mm beam; typed values each page refuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/MemberInputDialogs.h"
#include "dialogs/MemberSheet.h"
#include "dialogs/SorDemo.h"
#include "dialogs/TFire.h"
#include "foundation/Units.h"
#include "member/MemberTestSupport.h"
#include "platform/Application.h"
#include "platform/DriverExtras.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"
#include "tests/dialogs/TypedInputSupport.h"

namespace {

namespace Id = MemberPageId;

struct MemberSheetTest : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    MemberSheetTest()
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

TEST_F(MemberSheetTest, QuickPageRebuildsTheMemberOnOk)
{
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.CurrentPage(), 0);
        EXPECT_EQ(d.Text(Id::ShearLength), "1800.0");
        EXPECT_FALSE(d.Enabled(Id::YieldPenetration));
        d.Type(Id::ShearLength, "2400");
        d.Click(Id::RightFixed);
        EXPECT_TRUE(d.Enabled(Id::YieldPenetration));
        d.Click(1);
    });
    int result = 0;
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots, &result), 1);
    EXPECT_EQ(result, plat::DialogResult::Ok);
    EXPECT_NEAR(m.d.length, 0.2 + 2.4 + 0.5, 1e-6);
    EXPECT_EQ(m.d.rightSupport, SupportType::FixedEnd);
}

TEST_F(MemberSheetTest, DetailedMemberOpensOnGeometryAndCarriesTheDisplacementAlone)
{
    m.d.diagrams[0][3] = {m.d.length, 1.0, 0};
    m.d.diagrams[0][4] = {m.d.length, 2.0, 0};
    m.d.pointCount[0] = 5;
    const TMemberDefinition before = m.d;
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.CurrentPage(), 1);
        EXPECT_EQ(d.Text(Id::Length), "2500.0");
        d.Type(Id::Displacement, "1000");
        d.Click(1);
    });
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots), 0);
    EXPECT_DOUBLE_EQ(m.d.displacementLocation, 1.0);
    m.d.displacementLocation = before.displacementLocation;
    EXPECT_EQ(EqualMemberDefinitions(m.d, before), 1);
}

TEST_F(MemberSheetTest, GeometryPageKeepsTheSupportsALegalPair)
{
    m.d.leftSupport = m.d.rightSupport = SupportType::Roller;
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.CurrentPage(), 1);
        // The combos keep what the user sees; the definition holds a pin and a roller.
        EXPECT_EQ(d.Selection(Id::LeftSupport), SupportType::Roller - 1);
        EXPECT_TRUE(d.Enabled(Id::RightPlate));
        d.Select(Id::LeftSupport, SupportType::FixedEnd - 1);
        EXPECT_FALSE(d.Enabled(Id::RightPlate));
        EXPECT_FALSE(d.Enabled(Id::RightSupport));
        EXPECT_FALSE(d.Enabled(Id::YieldPenetration));
        d.Select(Id::RightAnchorage, AnchorageType::YieldPenetrate - 1);
        EXPECT_TRUE(d.Enabled(Id::YieldPenetration));
        d.Click(1);
    });
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots), 1);
    EXPECT_EQ(m.d.leftSupport, SupportType::FixedEnd);
    EXPECT_EQ(m.d.rightSupport, SupportType::Undefined);
    EXPECT_EQ(m.d.rightAnchorage, AnchorageType::YieldPenetrate);
}

TEST_F(MemberSheetTest, CancelKeepsTheDefinitionAfterEdits)
{
    const TMemberDefinition before = m.d;
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        d.SwitchPage(2);
        d.Type(Id::Boundary, "1000");
        d.Click(Id::AddBoundary);
        EXPECT_EQ(d.Items(Id::ZoneList), (std::vector<std::string>{"  0.0", "1000.0"}));
        d.SwitchPage(4);
        d.Type(Id::Location, "500");
        d.Type(Id::Moment, "7");
        d.Click(Id::AddPoint);
        EXPECT_EQ(d.Items(Id::PointList).size(), 4u);
        EXPECT_EQ(d.Text(Id::Location), " 500.0");
        EXPECT_FALSE(d.Enabled(Id::SelfWeight));
        d.Click(2);
    });
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots), 0);
    EXPECT_EQ(EqualMemberDefinitions(m.d, before), 1);
}

TEST_F(MemberSheetTest, LoadingPageAddsADeadPointAndAsksBeforeSelfWeight)
{
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
          d.SwitchPage(3);
          EXPECT_EQ(d.Text(131), "kN");
          EXPECT_TRUE(d.Enabled(Id::SelfWeight));
          d.Type(Id::Location, "1000");
          d.Type(Id::Moment, "-5");
          d.Click(Id::AddPoint);
          EXPECT_EQ(d.Items(Id::PointList), (std::vector<std::string>{"1000.0     -5.000    0"}));
          d.Click(Id::SelfWeight);
          d.Click(1);
      }).Message("replace existing moment diagram definition with self weight", MsgAnswer::No);
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots), 1);
    ASSERT_EQ(m.d.pointCount[DeadDiagram], 1);
    EXPECT_DOUBLE_EQ(m.d.diagrams[DeadDiagram][0].moment, 5000.0);
}

// Every caption of the loading page's buttons shows whole, "Generate Self Weight" and "Delete
// Full Listing" included, on the dead and the live page, and no two buttons of its row overlap.
TEST_F(MemberSheetTest, TheLoadingPagesButtonsShowTheirCaptionsWhole)
{
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        for (int page : {3, 4}) {
            d.SwitchPage(page);
            for (int id : {Id::AddPoint, Id::ModifyPoint, Id::DeletePoint, Id::DeleteAll, Id::SelfWeight})
                EXPECT_TRUE(plat::ButtonTextFits(d, id)) << "page " << page << ", button " << id;
        }
        d.Click(2);
    });
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots), 0);
}

// Ctrl+Tab turns to the next page and Ctrl+Shift+Tab to the one before, round at both ends, as
// in tabbed sheets on the desktop, wherever the keyboard is on the page: here from the geometry
// page's length field (a detailed member opens there).
TEST_F(MemberSheetTest, CtrlTabAndCtrlShiftTabTurnThePages)
{
    m.d.diagrams[0][3] = {m.d.length, 1.0, 0};
    m.d.diagrams[0][4] = {m.d.length, 2.0, 0};
    m.d.pointCount[0] = 5;
    std::vector<int> pages;
    ui.Dialog("Full Member Properties", [&pages](plat::DialogDriver& d) {
        pages.push_back(d.CurrentPage());
        d.Focus(Id::Length);
        for (int i = 0; i < 4; ++i) {
            d.Key(plat::VKey::Tab, plat::DialogDriver::ControlHeld);
            pages.push_back(d.CurrentPage());
        }
        for (int i = 0; i < 2; ++i) {
            d.Key(plat::VKey::Tab, plat::DialogDriver::ControlHeld | plat::DialogDriver::ShiftHeld);
            pages.push_back(d.CurrentPage());
        }
        EXPECT_EQ(d.PageTitle(), " Detailed Dead Load ");
        // A plain Tab still moves the focus, not the page.
        d.Key(plat::VKey::Tab);
        EXPECT_EQ(d.CurrentPage(), 3);
        d.Click(2);
    });
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots), 0);
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 4, 0, 4, 3}));
}

// Looking at both loading pages (the dead page twice) and pressing OK leaves the axial loads as
// stored, though their fields show them rounded to 10 N, and reports no change.
TEST_F(MemberSheetTest, ViewingTheLoadingPagesKeepsTheAxialLoadsAndChangesNothing)
{
    m.d.axialLoad[LiveDiagram] = 1234.5;
    m.d.axialLoad[DeadDiagram] = 123456.0;
    const TMemberDefinition before = m.d;
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        d.SwitchPage(3);
        EXPECT_EQ(d.Text(Id::Axial), "123.46");
        d.SwitchPage(4);
        EXPECT_EQ(d.Text(Id::Axial), " 1.23");
        d.SwitchPage(3);
        d.SwitchPage(0);
        d.Click(1);
    });
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots), 0);
    EXPECT_DOUBLE_EQ(m.d.axialLoad[LiveDiagram], 1234.5);
    EXPECT_DOUBLE_EQ(m.d.axialLoad[DeadDiagram], 123456.0);
    EXPECT_EQ(EqualMemberDefinitions(m.d, before), 1);

    // A typed load is taken as typed, on the page it was typed on only.
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        d.SwitchPage(4);
        d.Type(Id::Axial, "2.5");
        d.SwitchPage(3);
        d.SwitchPage(4);
        EXPECT_EQ(d.Text(Id::Axial), " 2.50");
        d.Click(1);
    });
    EXPECT_EQ(EditMemberProperties(nullptr, m.d, m.slots), 1);
    EXPECT_DOUBLE_EQ(m.d.axialLoad[LiveDiagram], 2500.0);
    EXPECT_DOUBLE_EQ(m.d.axialLoad[DeadDiagram], 123456.0);
}

TEST_F(MemberSheetTest, ClickOnAZoneChoosesItsSection)
{
    m.slots.Put(1, membertest::RectBeam("Deep end", 0.3, 0.8));
    m.slots.Put(3, membertest::RectBeam("Far end", 0.3, 0.7)); // slot 2 stays empty
    int selected = 0;
    AddZoneBoundary(m.d, "1250", selected); // half of the 2.5 m member
    TPushitMaterials page(m.d, m.slots);
    ui.Dialog("Full Member Properties", [&page](plat::DialogDriver& d) {
          const plat::Rect box = page.GetItemRect(Id::MaterialBox);
          // Three quarters along the member band, half-way down it.
          const int x0 = static_cast<int>(0.05 * box.Width()), w = static_cast<int>(0.9 * box.Width());
          const int y0 = static_cast<int>(0.25 * box.Height()), h = static_cast<int>(0.5 * box.Height());
          page.SketchClick({x0 + 3 * w / 4, y0 + h / 2});
          page.SketchClick({x0 + 3 * w / 4, y0 - 2}); // above the band: nothing
          page.SketchClick({x0 + 3 * w / 4, y0 + h / 2});
          d.Click(1);
      }).Dialog("Beam Sections", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Selection(5072), 0);
        d.Select(5072, 1);
        d.Click(1);
    }).Dialog("Beam Sections", [](plat::DialogDriver& d) {
        // The blank row of the empty slot is no section: the zone keeps its own.
        EXPECT_EQ(d.Selection(5072), 1);
        d.Select(5072, 2);
        d.Click(1);
    });
    plat::PropertySheet sheet(nullptr, "Full Member Properties", 0);
    sheet.AddPage(page);
    EXPECT_EQ(sheet.Execute(), plat::DialogResult::Ok);
    EXPECT_EQ(m.d.zones[0].structureIndex, 0);
    EXPECT_EQ(m.d.zones[1].structureIndex, 1);
    EXPECT_TRUE(ui.Done());
}

// ---- Post-fire parameters -----------------------------------------------------------------------

TEST_F(MemberSheetTest, FireDialogDefaultsCancelAndCorrectedOk)
{
    TStructure& beam = *m.beam;
    ui.Dialog("Post-fire analysis parameters", [](plat::DialogDriver& d) {
        EXPECT_TRUE(d.Checked(FireId::Iso));
        EXPECT_TRUE(d.Checked(FireId::Bottom) && d.Checked(FireId::Sides) && d.Checked(FireId::Top));
        EXPECT_EQ(d.Text(FireId::Minutes), "   30");
        EXPECT_EQ(d.Text(FireId::TemperatureUnit), "degrees C");
        EXPECT_EQ(d.Items(FireId::Rebar).size(), 4u);
        // The note shows whole, down to its last word.
        EXPECT_EQ(d.Text(FireId::Note).substr(d.Text(FireId::Note).size() - 12), "appropriate.");
        EXPECT_TRUE(d.TextFits(FireId::Note));
        d.Type(FireId::Minutes, "90");
        d.Click(2);
    });
    TFire cancelled(nullptr, &beam);
    EXPECT_EQ(cancelled.Execute(), plat::DialogResult::Cancel);
    int exposure = 0, type = 0, rebar = 0;
    double time = 0, temperature = 0;
    beam.GetFireData(exposure, type, rebar, time, temperature);
    EXPECT_EQ(time, 1800.0);

    ui.Dialog("Post-fire analysis parameters", [](plat::DialogDriver& d) {
          d.Click(FireId::Bottom);
          d.Click(FireId::Sides);
          d.Click(FireId::Top);
          d.Click(FireId::Constant);
          d.Type(FireId::Temperature, "800");
          d.Select(FireId::Rebar, 1);
          d.Click(1);
      }).Message("No sides of beam selected", MsgAnswer::Ok);
    TFire ok(nullptr, &beam);
    EXPECT_EQ(ok.Execute(), plat::DialogResult::Ok);
    EXPECT_TRUE(ok.Changed());
    beam.GetFireData(exposure, type, rebar, time, temperature);
    EXPECT_EQ(exposure, 1);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(rebar, 1);
    EXPECT_EQ(temperature, 800.0);
}

// ---- Typed values ------------------------------------------------------------------------------

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

TEST_F(MemberSheetTest, EveryPageRefusesWhatItCannotStoreAndTheMemberStaysAsItWas)
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

TEST_F(MemberSheetTest, AQuickYieldPenetrationPastTheRangeIsRefusedNotStoredAsInfinity)
{
    // Single precision holds no -1e120: the quick definition would keep an infinite constant.
    const TMemberDefinition before = m.d;
    bool detailed = false;
    QuickFields q = ShowQuickFields(m.slots, m.d, detailed);
    for (const char* text : {"-1e120", "1000001", "nan"}) {
        q.yieldPenetration = text;
        EXPECT_EQ(CheckQuickFields(q).message, "Yield Penetration must be a number from -1000000 to 1000000.");
        int confirm = 0;
        EXPECT_EQ(ApplyQuickFields(m.slots, q, m.d, confirm), 0);
    }
    EXPECT_EQ(EqualMemberDefinitions(m.d, before), 1);
}

// The quick page's picture while a span its check refuses is typed: drawn from the last
// accepted values, on the recording device and on the page's own pixels, for each span that
// once took the program down (SI point loads, US distributed loading).
TEST_F(MemberSheetTest, QuickPictureOfARefusedSpanIsTheLastAcceptedOne)
{
    struct Seg {
        plat::Point a, b;
        bool operator==(const Seg&) const = default;
    };
    const auto blueLines = [](TMemberPicture& picture) {
        RecordingDC dc;
        picture.Paint(dc, true, picture.GetClientRect());
        std::vector<Seg> out;
        for (const DrawCall& c : dc.CallsOf("Line"))
            if (c.state.pen.color == plat::Colors::LtBlue && !(c.points[0] == c.points[1]))
                out.push_back({c.points[0], c.points[1]});
        return out;
    };
    const auto bluePixels = [](TMemberPicture& picture) {
        picture.UpdateWindow();
        const plat::Image& shown = picture.BackingImage();
        int n = 0;
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                n += shown.Pixel(x, y) == plat::Colors::LtBlue ? 1 : 0;
        return n;
    };
    struct Case {
        int units;
        const char* span;
        int loading;
    };
    const TMemberDefinition original = m.d; // the fixture's quick member, 1800 mm + 500 mm
    for (const Case c : {Case{kUnitSI, "-1e12", Id::PointLoads}, Case{kUnitSI, "-inf", Id::PointLoads},
                         Case{kUnitSI, "-1e11", Id::PointLoads}, Case{kUnitUS, "1e308", Id::DistributedBeam}}) {
        SCOPED_TRACE(c.span);
        ValueGuard<int> system{g_UnitSystem, c.units};
        // The same quick member, built in the active units (its moments are one length unit
        // in the moment unit).
        SetMemberFromQuickDefinition(m.slots, GetQuickDefinitionFromMember(original), m.d);
        TPushitQuick page(m.d, m.slots);
        TMemberDefinition accepted;
        ui.Dialog("Full Member Properties", [&](plat::DialogDriver& d) {
            TMemberPicture& picture = page.Picture();
            d.Click(c.loading);
            accepted = m.d;
            const std::vector<Seg> before = blueLines(picture);
            const int pixels = bluePixels(picture);
            // The span (1800 mm, shown in the active unit) and the zone (500 mm) share the
            // width w: the span line starts at (x1, y1); point loads end it at the bottom,
            // y1 + h, the beam's parabola at 10/11 of the span.
            const DiagramBox box = picture.Box();
            const int x1 = box.x + static_cast<int>(0.1 * box.w), w = static_cast<int>(0.8 * box.w);
            const int y1 = box.y + static_cast<int>(0.3 * box.h), h = static_cast<int>(0.6 * box.h);
            const double a = std::stod(d.Text(Id::ShearLength)), b = std::stod(d.Text(Id::ConstantZone));
            const double span = w * a / (a + b);
            ASSERT_FALSE(before.empty());
            EXPECT_EQ(before[0].a, (plat::Point{x1, y1}));
            if (c.loading == Id::PointLoads)
                EXPECT_EQ(before[0].b, (plat::Point{x1 + static_cast<int>(span), y1 + h}));
            else
                EXPECT_EQ(before[9].b, (plat::Point{x1 + static_cast<int>(10 * span / 11 + 0.5), y1 + h}));
            EXPECT_GT(pixels, w / 2);

            d.Type(Id::ShearLength, c.span);
            EXPECT_EQ(blueLines(picture), before);
            EXPECT_EQ(bluePixels(picture), pixels);
            d.Click(Id::RightBottom); // a click while the span is refused changes nothing either
            EXPECT_EQ(blueLines(picture), before);
            EXPECT_EQ(EqualMemberDefinitions(m.d, accepted), 1);

            d.Type(Id::ShearLength, c.units == kUnitSI ? "2400" : "94.49"); // 2.4 m, accepted again
            EXPECT_NE(blueLines(picture), before);
            d.Click(2);
        });
        plat::PropertySheet sheet(nullptr, "Full Member Properties", 0);
        sheet.AddPage(page);
        EXPECT_EQ(sheet.Execute(), plat::DialogResult::Cancel);
        EXPECT_TRUE(ui.Done());
    }
}

// ---- Demonstration ------------------------------------------------------------------------------

TEST_F(MemberSheetTest, DemonstrationPaintsTheGridOnItsSide)
{
    ui.Input("Enter Number of blocks", std::string("4"))
        .Input("Enter w", std::string("1.5"))
        .Message("iterations needed", MsgAnswer::Ok);
    RecordingDC dc;
    testing::internal::CaptureStdout();
    RunSorDemo(dc);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("iterations needed"), std::string::npos);
    // 4 blocks of 256 px: 5 rows x 3 columns per sweep; row 1, column 0 from x 276, y 612.
    const auto fills = dc.CallsOf("FillRect");
    ASSERT_EQ(fills.size() % 15, 0u);
    EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [](const DrawCall& c) {
        return c.rect == plat::Rect{276, 612, 532, 868};
    }));
    // Column 0 (300 degrees) in red-yellow, the 100-degree column in blue-red.
    EXPECT_EQ(fills[0].color, (plat::Color{130, 125, 0}));
    EXPECT_EQ(fills[2].color, (plat::Color{125, 0, 131}));

    // A count out of range is refused and asked for again: the grid drawn is the one typed next.
    ui.Input("Enter Number of blocks", std::string("250"))
        .Message("between 1 and 199", MsgAnswer::Ok)
        .Input("Enter Number of blocks", std::string("4"))
        .Input("Enter w", std::nullopt)
        .Message("iterations needed", MsgAnswer::Ok);
    RecordingDC refused;
    testing::internal::CaptureStdout();
    RunSorDemo(refused);
    (void)testing::internal::GetCapturedStdout();
    EXPECT_TRUE(ui.Done());
    const auto asked = refused.CallsOf("FillRect");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.size() % 15, 0u);
    EXPECT_EQ(asked[0].rect, (plat::Rect{20, 612, 276, 868}));
}

} // namespace
