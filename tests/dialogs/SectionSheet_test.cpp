// The cross-section sheet, the continuity selector and the strain dialog worked through their
// control ids and the scripted gateway.

#include <cmath>
#include <gtest/gtest.h>

#include "charts/Tchart.h"
#include "dialogs/SectionSheet.h"
#include "dialogs/TContin.h"
#include "dialogs/TShrink.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/shapes/SectionOutline.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Application.h"
#include "support/HelpRecorder.h"
#include "support/RecordingDC.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

namespace {

namespace Id = SectionPageId;

struct SheetTest : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }
    SheetTest()
    {
        ShapeTable = {};
        StandardTable = {};
        beam.DeleteRegions();
        beam.AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
        beam.SetShapeType(kUserShapeCode);
    }
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<SectionDefinition> definition{g_SectionDefinition, SectionDefinition{}};
    plat::UiReporterScope reporter;
    ScriptedUi ui;
    TBeam beam;
};

TEST_F(SheetTest, UserPageAddsModifiesAndDeletesRowsAndOkBuildsTheTee)
{
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
          EXPECT_EQ(d.CurrentPage(), 2);
          EXPECT_EQ(d.Items(Id::Rows), (std::vector<std::string>{"   500         300", "     0         300"}));
          EXPECT_EQ(d.Text(Id::Elevation), "  500");
          d.Type(Id::Elevation, "600");
          d.Type(Id::Width, "1000");
          d.Click(Id::Add);
          EXPECT_EQ(d.Selection(Id::Rows), 0);
          d.Type(Id::Elevation, "500");
          d.Click(Id::Add);  // one point there already: the continuity selector asks
          EXPECT_EQ(d.Items(Id::Rows).size(), 4u);
          d.Select(Id::Rows, 3);
          d.Type(Id::Elevation, "100");
          d.Type(Id::Width, "200");
          d.Click(Id::Modify);
          EXPECT_EQ(d.Items(Id::Rows)[3], "   100         200");
          d.Click(Id::Delete);
          EXPECT_EQ(d.Items(Id::Rows).size(), 3u);
          d.Type(Id::Elevation, "0");
          d.Type(Id::Width, "300");
          d.Click(Id::Add);
          d.Click(1);
      }).Dialog("Continuity Selector", [](plat::DialogDriver& d) {
        d.Click(1);  // no click on a sketch: upward continuity
    });
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Ok);
    ASSERT_EQ(beam.GetRegionCount(), 2);
    const double b = beam.GetBottom();
    const ConcreteRegionRec& flange = *beam.GetRegion(0);
    const ConcreteRegionRec& web = *beam.GetRegion(1);
    EXPECT_NEAR(flange.top - b, 0.6, 1e-9);
    EXPECT_NEAR(flange.bottom - b, 0.5, 1e-9);
    EXPECT_NEAR(flange.bottomWidth, 1.0, 1e-9);
    EXPECT_NEAR(web.topWidth, 0.3, 1e-9);
    EXPECT_NEAR(web.bottom - b, 0.0, 1e-9);
}

// A refused elevation or width keeps every typed text, selects the refused field and adds or
// changes no row; the rows are those of the 300 x 500 rectangle throughout.
TEST_F(SheetTest, UserPageKeepsARefusedTypedValueSelectedAndItsRowsUnchanged)
{
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
        const std::vector<std::string> rows = d.Items(Id::Rows);
        d.Type(Id::Elevation, "nan");
        d.Type(Id::Width, "250");
        d.Click(Id::Add);
        EXPECT_EQ(d.FocusedId(), Id::Elevation);
        EXPECT_EQ(d.SelectedText(Id::Elevation), "nan");
        EXPECT_EQ(d.Text(Id::Width), "250");
        d.Type(Id::Elevation, "250");
        d.Type(Id::Width, "1e300");
        d.Click(Id::Modify);
        EXPECT_EQ(d.FocusedId(), Id::Width);
        EXPECT_EQ(d.SelectedText(Id::Width), "1e300");
        EXPECT_EQ(d.Text(Id::Elevation), "250");
        EXPECT_EQ(d.Items(Id::Rows), rows);
        d.Click(1);
    });
    ui.Message("Elevation must be a number from -100000 to 100000 mm.", MsgAnswer::Ok)
        .Message("Width must be a number from -100000 to 100000 mm.", MsgAnswer::Ok);
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Ok);
    ASSERT_EQ(beam.GetRegionCount(), 1);
    EXPECT_NEAR(beam.GetRegion(0)->top - beam.GetBottom(), 0.5, 1e-9);
    EXPECT_NEAR(beam.GetRegion(0)->topWidth, 0.3, 1e-9);
}

TEST_F(SheetTest, ALibraryShapeChosenOnTheFirstPageIsHandedToTheUserPage)
{
    ReadShapeLibraryText(0, DefaultShapeFileText());
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.CurrentPage(), 0);  // the 500 x 300 outline is recognised as a rectangle
        EXPECT_EQ(d.Text(5061), "  500");
        d.Select(Id::ShapeList, 2);      // the tee: four parameters
        EXPECT_TRUE(d.Enabled(5123));
        d.Select(Id::ShapeList, 0);      // the rectangle: width, height
        EXPECT_EQ(d.Text(230), "b");
        EXPECT_TRUE(d.Enabled(5061));
        EXPECT_FALSE(d.Enabled(5062));
        d.Type(5060, "400");
        d.Type(5061, "700");
        d.SwitchPage(2);
        EXPECT_EQ(d.Items(Id::Rows), (std::vector<std::string>{"   700         400", "     0         400"}));
        d.Click(1);
    });
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Ok);
    EXPECT_EQ(beam.GetShapeName(), "RECT");
    EXPECT_EQ(beam.GetSectionKindCode(), FindShapeIndex("RECT"));
    EXPECT_NEAR(beam.GetHeight(), 0.7, 1e-9);
    EXPECT_NEAR(beam.GetShapeParameter(1), 0.4, 1e-12);
    ShapeTable = {};
}

TEST_F(SheetTest, AClickOnAShapeShowsItsOwnFieldsAndOkBuildsTheShapeClicked)
{
    // Rows 0 to 3: rectangle, circle, tee, I-beam. Real clicks and arrow keys on the list.
    ReadShapeLibraryText(0, DefaultShapeFileText());
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
        ASSERT_EQ(d.CurrentPage(), 0);  // the 500 x 300 outline is recognised as a rectangle
        d.ClickItem(Id::ShapeList, 1);
        EXPECT_EQ(d.Selection(Id::ShapeList), 1);
        EXPECT_EQ(d.Text(Id::Status), "Circular Section");
        EXPECT_EQ(d.Text(230), "d");
        EXPECT_EQ(d.Text(5060), "  300");
        EXPECT_EQ(d.Text(5061), "");
        EXPECT_FALSE(d.Enabled(5061));
        d.ClickItem(Id::ShapeList, 2);
        EXPECT_EQ(d.Text(Id::Status), "T-Beam Section");
        EXPECT_EQ(d.Text(238), "bweb");
        EXPECT_EQ(d.Text(5061), "  500");
        EXPECT_EQ(d.Text(5062), "    0");
        EXPECT_TRUE(d.Enabled(5123));
        EXPECT_FALSE(d.Enabled(5064));
        d.PressKey(Id::ShapeList, plat::VKey::Up);
        EXPECT_EQ(d.Text(Id::Status), "Circular Section");
        d.PressKey(Id::ShapeList, plat::VKey::Down);
        EXPECT_EQ(d.Text(Id::Status), "T-Beam Section");
        d.Type(5060, "1000");
        d.Type(5062, "250");
        d.Type(5123, "120");
        d.Click(1);
    });
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Ok);
    EXPECT_EQ(beam.GetShapeName(), "TBEAM");
    ASSERT_EQ(beam.GetRegionCount(), 2);
    const double b = beam.GetBottom();
    EXPECT_NEAR(beam.GetRegion(0)->top - b, 0.5, 1e-9);
    EXPECT_NEAR(beam.GetRegion(0)->bottom - b, 0.38, 1e-9);
    EXPECT_NEAR(beam.GetRegion(0)->topWidth, 1.0, 1e-9);
    EXPECT_NEAR(beam.GetRegion(1)->topWidth, 0.25, 1e-9);
    EXPECT_NEAR(beam.GetRegion(1)->bottom - b, 0.0, 1e-9);
    ShapeTable = {};
}

TEST_F(SheetTest, AShapeWithADimensionOfZeroIsRefusedWithAMessage)
{
    // The I-beam takes its width and height from the rectangle; its other four sizes are 0.
    ReadShapeLibraryText(0, DefaultShapeFileText());
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
          d.ClickItem(Id::ShapeList, 3);
          EXPECT_EQ(d.Text(5062), "    0");
          d.Click(1);
          EXPECT_FALSE(d.Ended());
          EXPECT_EQ(d.CurrentPage(), 0);
          d.SwitchPage(2);  // leaving for another page is refused too
          EXPECT_EQ(d.CurrentPage(), 0);
          d.Type(5062, "150");
          d.Type(5123, "100");
          d.Type(5064, "-80");
          d.Click(1);
          EXPECT_FALSE(d.Ended());
          d.Type(5064, "120");
          d.Type(101, "400");
          d.Click(1);
      })
        .Message("The I-Beam Section needs every dimension greater than zero: \"Web thickness\" (bweb) is 0 mm.",
                 MsgAnswer::Ok)
        .Message("\"Web thickness\" (bweb) is 0 mm", MsgAnswer::Ok)
        .Message("\"Bottom flange thickness\" (tbot) is -80 mm", MsgAnswer::Ok);
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Ok);
    EXPECT_EQ(beam.GetShapeName(), "IBEAM");
    ASSERT_EQ(beam.GetRegionCount(), 3);
    EXPECT_NEAR(beam.GetRegion(0)->topWidth, 0.3, 1e-9);
    EXPECT_NEAR(beam.GetRegion(1)->topWidth, 0.15, 1e-9);
    EXPECT_NEAR(beam.GetRegion(2)->topWidth, 0.4, 1e-9);
    EXPECT_NEAR(beam.GetRegion(2)->top - beam.GetRegion(2)->bottom, 0.12, 1e-9);
    ShapeTable = {};
}

// Typed sizes that are no number, infinite or past 100 m are refused on leaving the page, with
// the field named; the rectangle is built only from the sizes typed last.
TEST_F(SheetTest, AShapeDimensionThatIsNoNumberOrHugeIsRefused)
{
    ReadShapeLibraryText(0, DefaultShapeFileText());
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
          d.ClickItem(Id::ShapeList, 0);
          for (const char* text : {"nan", "abc", "350mm", "inf", "1e300", "100001"}) {
              d.Type(5060, text);
              d.Click(1);
              EXPECT_FALSE(d.Ended()) << text;
              EXPECT_EQ(d.CurrentPage(), 0);
          }
          d.Type(5060, "350");
          d.Click(1);
      })
        .Message("Width of the Rectangle must be a number from 0 to 100000 mm.", MsgAnswer::Ok)
        .Message("Width of the Rectangle must be a number from 0 to 100000 mm.", MsgAnswer::Ok)
        .Message("Width of the Rectangle must be a number from 0 to 100000 mm.", MsgAnswer::Ok)
        .Message("needs every dimension of at most 100000 mm", MsgAnswer::Ok)
        .Message("needs every dimension of at most 100000 mm", MsgAnswer::Ok)
        .Message("is 100001 mm", MsgAnswer::Ok);
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Ok);
    ASSERT_EQ(beam.GetRegionCount(), 1);
    const double width = beam.GetRegion(0)->topWidth;
    const double depth = beam.GetRegion(0)->top - beam.GetRegion(0)->bottom;
    EXPECT_TRUE(std::fabs(width - 0.35) < 1e-9 || std::fabs(depth - 0.35) < 1e-9) << width << " x " << depth;
    ShapeTable = {};
}

TEST_F(SheetTest, ASectionWithoutAnOutlineLeavesTheBasicPageFreely)
{
    // A new section: no outline and every size 0. Going to draw it point by point asks nothing.
    ReadShapeLibraryText(0, DefaultShapeFileText());
    beam.DeleteRegions();
    beam.UpdateExtents();
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.CurrentPage(), 0);
        d.SwitchPage(2);
        EXPECT_EQ(d.CurrentPage(), 2);
        d.Click(2);
    });
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Cancel);
    ShapeTable = {};
}

TEST_F(SheetTest, AClickOnABandChoosesItsConcreteType)
{
    double strength = 50e6;
    beam.AddConcreteTypeFromStrength(strength, "C50");
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
          auto& page = dynamic_cast<TDefcon3&>(dynamic_cast<plat::PropertySheet&>(d.GetWindow()).GetPage(2));
          const plat::Rect r = page.Sketch().GetRect();
          page.SketchClick({r.left + 1, r.top + 1});  // beside the section: nothing opens
          page.SketchClick({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
          d.Click(1);
      }).Dialog("Concrete Types", [](plat::DialogDriver& d) {
        d.Select(5072, 1);
        d.Click(1);
    });
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Ok);
    ASSERT_EQ(beam.GetRegionCount(), 1);
    EXPECT_EQ(beam.GetRegion(0)->concreteType, 1);
    EXPECT_EQ(beam.GetShapeName(), "USER");
}

TEST_F(SheetTest, CancelLeavesTheRegionsAlone)
{
    ui.Dialog("Define Concrete Cross Section", [](plat::DialogDriver& d) {
        d.Select(Id::Rows, 0);
        d.Click(Id::Delete);
        d.Click(2);
    });
    EXPECT_EQ(RunSectionSheet(nullptr, beam, 0), plat::DialogResult::Cancel);
    ASSERT_EQ(beam.GetRegionCount(), 1);
    EXPECT_NEAR(beam.GetRegion(0)->topWidth, 0.3, 1e-12);
}

TEST_F(SheetTest, TheContinuitySelectorTakesClicksStrictlyInsideASketch)
{
    TDepthTable outline("o"), types("t");
    outline.Add(0.5, 0.3);
    outline.Add(0.0, 0.3);
    types.Add(0.5, 0);
    types.Add(0.0, 0);
    int answer = 1;
    ui.Dialog("Continuity Selector", [](plat::DialogDriver& d) {
        auto& contin = dynamic_cast<TContin&>(d.GetWindow());
        const plat::Rect down = contin.DownSketch().GetRect();
        contin.Click({down.left, down.top + 5});  // on the border: nothing
        contin.Click({down.left + 5, down.top + 5});
        d.Click(1);
    });
    TContin contin(nullptr, &answer, 0, 1.0, outline, types);
    contin.Execute();
    EXPECT_EQ(answer, 0);
    // The sketch rectangle inside a group box of 200 x 100 pixels at (10, 20).
    EXPECT_EQ(ContinSketchRect({10, 20, 210, 120}), (plat::Rect{18, 30, 18 + 184, 30 + 85}));
}

TEST_F(SheetTest, TheContinuitySelectorsHelpOpensTheSectionSheetsTopicAndTheDialogStays)
{
    HelpRecorder help;
    TDepthTable outline("o"), types("t");
    outline.Add(0.5, 0.3);
    outline.Add(0.0, 0.3);
    types.Add(0.5, 0);
    types.Add(0.0, 0);
    int answer = 1;
    ui.Dialog("Continuity Selector", [](plat::DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(plat::DialogResult::Help));
        d.Click(plat::DialogResult::Help);
        EXPECT_FALSE(d.Ended());
        d.Click(1);
    });
    TContin contin(nullptr, &answer, 0, 1.0, outline, types);
    EXPECT_EQ(contin.Execute(), 1);
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(help.Anchors(), (std::vector<std::string>{"command-153"}));
}

struct ShrinkDialogTest : SheetTest {
    ShrinkDialogTest()
    {
        beam.DeleteLongLayers(0);
        LongLayerRec bars;
        InitLongLayerRec(bars);
        bars.z = beam.GetBottom() + 0.05;
        bars.A = 0.001;
        bars.name = "Bars";
        beam.AddLongLayer(bars, 0);
    }
};

TEST_F(ShrinkDialogTest, AddSetAndOkWriteTheStrains)
{
    ui.Dialog("Shrinkage and Thermal Strains", [](plat::DialogDriver& d) {
        EXPECT_EQ(d.Items(ShrinkId::Rows), (std::vector<std::string>{"   500       0.000", "     0       0.000"}));
        EXPECT_EQ(d.Items(ShrinkId::Reinforcement)[3], "R - Bars");
        d.Type(ShrinkId::Elevation, "250");
        d.Type(ShrinkId::Strain, "-0.2");
        d.Click(ShrinkId::Add);
        EXPECT_EQ(d.Items(ShrinkId::Rows)[1], "   250      -0.200");
        d.Select(ShrinkId::Reinforcement, 1);
        d.Type(ShrinkId::ReinforcementStrain, "0.15");
        d.Click(ShrinkId::Set);
        d.Select(ShrinkId::Reinforcement, 3);
        EXPECT_EQ(d.Text(ShrinkId::ReinforcementStrain), "0.150");
        d.PressEnter();
    });
    TShrink dialog(nullptr, &beam, 0, 306);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Ok);
    EXPECT_TRUE(dialog.Changed());
    EXPECT_NEAR(beam.GetLongLayer(0, 0)->thermStrain, 0.00015, 1e-12);
    EXPECT_NEAR(beam.GetInitialStrainAt(beam.GetBottom() + 0.25, 2), -0.0002, 1e-9);
}

// Refused typed strains keep their text selected: a row's on Add and Modify, a layer's on Set;
// OK then writes the profile and the layer strain as they were.
TEST_F(ShrinkDialogTest, ARefusedTypedStrainStaysSelectedAndNothingIsWritten)
{
    ui.Dialog("Shrinkage and Thermal Strains", [](plat::DialogDriver& d) {
        const std::vector<std::string> rows = d.Items(ShrinkId::Rows);
        d.Type(ShrinkId::Elevation, "250");
        d.Type(ShrinkId::Strain, "inf");
        d.Click(ShrinkId::Add);
        EXPECT_EQ(d.FocusedId(), ShrinkId::Strain);
        EXPECT_EQ(d.SelectedText(ShrinkId::Strain), "inf");
        EXPECT_EQ(d.Text(ShrinkId::Elevation), "250");
        d.Type(ShrinkId::Elevation, "-inf");
        d.Type(ShrinkId::Strain, "0.1");
        d.Click(ShrinkId::Modify);
        EXPECT_EQ(d.FocusedId(), ShrinkId::Elevation);
        EXPECT_EQ(d.SelectedText(ShrinkId::Elevation), "-inf");
        EXPECT_EQ(d.Items(ShrinkId::Rows), rows);
        d.Select(ShrinkId::Reinforcement, 3);
        d.Type(ShrinkId::ReinforcementStrain, "nan");
        d.Click(ShrinkId::Set);
        EXPECT_EQ(d.FocusedId(), ShrinkId::ReinforcementStrain);
        EXPECT_EQ(d.SelectedText(ShrinkId::ReinforcementStrain), "nan");
        d.Click(1);
    });
    ui.Message("Strain must be a number from -1000 to 1000 mm/m.", MsgAnswer::Ok)
        .Message("Elevation must be a number from -100000 to 100000 mm.", MsgAnswer::Ok)
        .Message("Strain must be a number from -1000 to 1000 mm/m.", MsgAnswer::Ok);
    TShrink dialog(nullptr, &beam, 0, 306);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Ok);
    EXPECT_EQ(beam.GetLongLayer(0, 0)->thermStrain, 0.0);
    EXPECT_NEAR(beam.GetInitialStrainAt(beam.GetBottom() + 0.25, 2), 0.0, 1e-12);
}

TEST_F(ShrinkDialogTest, TheDiscontinuityDialogRefusesAPointTooCloseAndCancelWritesNothing)
{
    ui.Dialog("Strain Discontinuity", [](plat::DialogDriver& d) {
          d.Type(ShrinkId::Elevation, "499.5");
          d.Click(ShrinkId::Add);
          d.Click(2);
      }).Message("Value less than  1.00 mm from another value.", MsgAnswer::Ok);
    TShrink dialog(nullptr, &beam, 1, 307);
    EXPECT_EQ(dialog.Execute(), plat::DialogResult::Cancel);
    EXPECT_EQ(beam.GetStrainDiscontinuityTable().GetCount() > 2, false);
}

} // namespace

namespace {

// The sketch window sits two pixels up and left of its rectangle: its shadow frame, then the
// outline's white field exactly over the rectangle, then the choice frame just inside it.
TEST_F(SheetTest, TheSketchDrawsItsFrameOutsideAndTheChoiceInsideItsRectangle)
{
    plat::Window page;
    page.Create();
    page.MoveWindow({0, 0, 400, 400});
    TDepthTable outline("o"), types("t");
    outline.Add(0.5, 0.3);
    outline.Add(0.0, 0.3);
    types.Add(0.5, 0);
    types.Add(0.0, 0);
    TSectionSketch sketch;
    sketch.Place(page, {10, 20, 110, 220});  // 100 x 200 pixels
    sketch.SetOutline(&outline, &types);
    sketch.SetChoiceFrame(3, plat::Colors::LtBlue);
    RecordingDC dc;
    sketch.Paint(dc, true, {0, 0, 102, 202});
    std::vector<plat::Rect> fills;
    for (const DrawCall& c : dc.Calls())
        if (c.op == "FillRect")
            fills.push_back(c.rect);
    ASSERT_GE(fills.size(), 4u + 12u);
    EXPECT_EQ(fills[1], (plat::Rect{0, 0, 102, 2}));  // the shadow's top edge
    EXPECT_EQ(fills[2], (plat::Rect{0, 0, 2, 202}));  // and its left edge
    EXPECT_EQ(fills[3], (plat::Rect{2, 2, 102, 202}));  // the outline's field
    EXPECT_EQ(fills[fills.size() - 12], (plat::Rect{2, 2, 102, 3}));  // the choice frame's first line
    EXPECT_EQ(fills.back(), (plat::Rect{99, 4, 100, 200}));  // its innermost right edge
    // A point of the page inside the web's band finds band 0; one beside it finds none.
    EXPECT_EQ(sketch.BandAt({60, 120}), 0);
    EXPECT_EQ(sketch.BandAt({12, 22}), -1);
}

} // namespace
