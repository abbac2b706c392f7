// The moment axis typed on Define > Edit General, saved and opened by a new session of the
// program: an axis whose section a document could not hold is refused on the page, naming the
// axis; a Save As that writes nothing leaves the document under its name; an axis 1 mm (inch, cm,
// uncia) below the bottom comes back as that height, not as the centroid; a section solved
// at a typed axis solves the same when its document is opened again; a circle drawn on Basic
// Shapes, beside a typed axis or not, opens again as that circle; and a rectangle drawn with
// sizes off the outline's grid opens again with those sizes.

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/DefinitionFields.h"
#include "dialogs/SectionSheet.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/shapes/ShapeLibrary.h"
#include "tests/dialogs/SectionDialogShell.h"

namespace {

constexpr int kAuthorField = 5870, kAxisAuto = 5871, kAxisEdit = 5044; // "General  Definitions"
// A stored axis against the one typed (m): a document keeps it to ten digits (5e-7 m at 1000 m),
// well within the tenth of a unit the field shows (1e-4 m at the least).
constexpr double kAxisTolerance = 1e-6;

class MomentAxisOpensAgain : public SectionDialogShellTest {
protected:
    // The sample beam of the fuzzing corpus (600 mm deep), opened by File > Open.
    void OpenSample()
    {
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/full_beam_0.xml",
                         std::ios::binary);
        ASSERT_TRUE(in);
        dir.Write("full_beam_0.xml", std::string(std::istreambuf_iterator<char>(in), {}));
        OpenByMenu(dir.File("full_beam_0.xml"));
    }
    const TBeam& Beam() { return dynamic_cast<const TBeam&>(*Window().GetCurrentStructure()); }
    // The document's file as it stands.
    std::string Saved()
    {
        std::ifstream in(app->GetFileName(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // File > Save As under the name, then a new session opens that file by File > Open.
    void SaveAsAndOpenInANewSession(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        EXPECT_EQ(app->GetFileName(), dir.File(name));
        app.reset();
        Start();
        OpenByMenu(dir.File(name));
    }
    // Define > Concrete Section, Basic Shapes, the shape of the list's row clicked (its title
    // shown), its sizes typed, OK.
    void DrawOnBasicShapes(int row, const std::string& title, const std::vector<std::string>& sizes)
    {
        ui.Dialog("Define Concrete Cross Section", [row, title, sizes](plat::DialogDriver& d) {
            d.SwitchPage(0);
            d.ClickItem(SectionPageId::ShapeList, row);
            EXPECT_EQ(d.Text(SectionPageId::Status), title);
            for (std::size_t k = 0; k < sizes.size(); ++k)
                d.Type(SectionPageId::ParamEdits[k], sizes[k]);
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Window().EvCommand(CmId::ConcreteSection, 0, 0));
        EXPECT_TRUE(ui.Done());
    }
    // "Circular Section" clicked, the diameter typed, OK.
    void DrawCircle(const std::string& diameter)
    {
        DrawOnBasicShapes(1, "Circular Section", {diameter});
    }
    // What Basic Shapes shows of the section as Define > Concrete Section opens: the page it
    // opens on, the shape's description and its first dimension; then Cancel.
    struct BasicShapes {
        int page;
        std::string status;
        std::string first;
    };
    BasicShapes ShownOnBasicShapes()
    {
        BasicShapes shown;
        ui.Dialog("Define Concrete Cross Section", [&shown](plat::DialogDriver& d) {
            shown.page = d.CurrentPage();
            d.SwitchPage(0);
            shown.status = d.Text(SectionPageId::Status);
            shown.first = d.Text(SectionPageId::ParamEdits[0]);
            d.Click(plat::DialogResult::Cancel);
        });
        EXPECT_TRUE(Window().EvCommand(CmId::ConcreteSection, 0, 0));
        EXPECT_TRUE(ui.Done());
        return shown;
    }
    // Basic Shapes opens on the shape of the description showing the first size as given, and
    // File > Save writes the text given byte for byte.
    void ExpectShownAndSavedAgain(const std::string& status,
                                  const std::string& first,
                                  const std::string& saved)
    {
        const BasicShapes shown = ShownOnBasicShapes();
        EXPECT_EQ(shown.page, 0);
        EXPECT_EQ(shown.status, status);
        EXPECT_EQ(shown.first, first);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_EQ(Saved(), saved);
    }
};

} // namespace

// The sample is 600 mm deep and a section keeps its depths within 1000000 mm of its axis: an
// axis 999999 mm below the bottom would put the top 1000599 mm above it. OK refuses it with a
// message naming the axis and the heights the section takes, and keeps the dialog; the lowest
// of them is taken, saved, and opened again by a new session without a word.
TEST_F(MomentAxisOpensAgain, AnAxisWhoseSectionNoDocumentHoldsIsRefusedOnThePage)
{
    OpenSample();
    ui.Dialog("General  Definitions",
              [](plat::DialogDriver& d) {
                  if (d.Checked(kAxisAuto))
                      d.Click(kAxisAuto);
                  d.Type(kAxisEdit, "-999999");
                  d.Click(plat::DialogResult::Ok);
                  EXPECT_FALSE(d.Ended());
                  EXPECT_EQ(d.FocusedId(), kAxisEdit);
                  d.Type(kAxisEdit, "-999400");
                  d.Click(plat::DialogResult::Ok);
              })
        .Message("Moment Axis must be a number from -999400 to 1000000 mm for this section: a "
                 "section keeps every "
                 "depth within 1000000 mm of its moment axis.",
                 MsgAnswer::Ok);
    EXPECT_TRUE(Window().EvCommand(CmId::EditGeneral, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_DOUBLE_EQ(Beam().GetMomentAxis(), -999.4);
    EXPECT_NEAR(Beam().GetTop(), 1000.0, 1e-9);

    const int boxes = Boxes();
    SaveAsAndOpenInANewSession("low.qvh");
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Boxes(), boxes);
    EXPECT_DOUBLE_EQ(Beam().GetMomentAxis(), -999.4);
    EXPECT_NE(Saved().find("axialloc\t=\"-999400.0\""), std::string::npos);
}

// The same refusal in each unit system names the heights the field can take, rounded inward to
// the tenths it shows: the 600 mm sample takes an axis from 999.4 m below its bottom to 1000 m
// above it, -39346.457952 to 39370.08 in (39.37008 in/m), -99940 to 100000 cm and -40626.00976
// to 40650.4 unciae (40.6504 unciae/m). Each bound named, typed back, is taken without a box, and
// a new session opens the document at the axis typed.
TEST_F(MomentAxisOpensAgain, TheBoundsTheRefusalNamesAreTakenWhenTypedBack)
{
    const struct {
        int system;
        const char* tooLow;
        const char* low;
        const char* high;
        const char* unit;
        double lowShown, highShown;
    } cases[] = {{kUnitSI, "-999999", "-999400", "1000000", "mm", -999400.0, 1000000.0},
                 {kUnitUS, "-39370", "-39346.4", "39370", "in", -39346.4, 39370.0},
                 {kUnitOldMetric, "-99999", "-99940", "100000", "cm", -99940.0, 100000.0},
                 {kUnitRoman, "-40650", "-40626", "40650.4", "unciae", -40626.0, 40650.4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unit);
        OpenSample();
        g_UnitSystem = c.system;
        const std::string low = c.low, high = c.high;
        ui.Dialog("General  Definitions",
                  [&c, low](plat::DialogDriver& d) {
                      if (d.Checked(kAxisAuto))
                          d.Click(kAxisAuto);
                      d.Type(kAxisEdit, c.tooLow);
                      d.Click(plat::DialogResult::Ok);
                      EXPECT_FALSE(d.Ended());
                      d.Type(kAxisEdit, low);
                      d.Click(plat::DialogResult::Ok);
                  })
            .Message("Moment Axis must be a number from " + low + " to " + high + " " + c.unit +
                         " for this section: a section keeps every depth within " + high + " " +
                         c.unit + " of its moment axis.",
                     MsgAnswer::Ok);
        EXPECT_TRUE(Window().EvCommand(CmId::EditGeneral, 0, 0));
        ASSERT_TRUE(ui.Done());
        const double factor = UnitFactor(ukSectionLength, c.system);
        EXPECT_NEAR(Beam().GetMomentAxis(), c.lowShown / factor, kAxisTolerance);

        const int boxes = Boxes();
        TypeAxis(high);
        EXPECT_EQ(Boxes(), boxes);
        const double typed = c.highShown / factor;
        EXPECT_NEAR(Beam().GetMomentAxis(), typed, kAxisTolerance);
        SaveAsAndOpenInANewSession("bound.qvh");
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(Boxes(), boxes);
        EXPECT_NEAR(Beam().GetMomentAxis(), typed, kAxisTolerance);
        app.reset();
        Start();
    }
}

// File > Save As into a folder that does not exist writes nothing ("Could not save file"): the
// document keeps its name and caption, File > Exit asks to save it under that name, and File >
// Save writes that file.
TEST_F(MomentAxisOpensAgain, ARefusedSaveAsLeavesTheDocumentItsName)
{
    OpenSample();
    const std::string path = dir.File("full_beam_0.xml");
    const std::string caption = Frame().GetCaption();
    ui.Dialog("General  Definitions", [](plat::DialogDriver& d) {
        d.Type(kAuthorField, "B. Engineer");
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::EditGeneral, 0, 0));

    ui.File(plat::FileDialogKind::Save, dir.File("missing/other.qvh"));
    ui.Message("Could not save file", MsgAnswer::Ok);
    Frame().Dispatch(CmId::FileSaveAs);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(app->GetFileName(), path);
    EXPECT_EQ(Frame().GetCaption(), caption);
    EXPECT_TRUE(Window().IsModified());

    ui.Message("Save Changes in '" + path + "'?", MsgAnswer::Cancel);
    EXPECT_FALSE(Window().QuerySave());
    EXPECT_TRUE(ui.Done());

    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_TRUE(ui.Done());
    EXPECT_FALSE(Window().IsModified());
    EXPECT_NE(dir.Read("full_beam_0.xml").find("B. Engineer"), std::string::npos);
}

// An axis typed as -1 in each unit system is kept 1 unit below the bottom: the document writes
// it so that it reads back as that height ("-1.00"), a new session opens it there (the page
// shows -1.0, not "Centroid"), and its save is the first byte for byte. A document that gives
// the axis as "-1.0", as documents have always marked the centroid, still opens centroidal.
TEST_F(MomentAxisOpensAgain, AnAxisTypedAsMinusOneComesBackAsTyped)
{
    for (int system : {kUnitSI, kUnitUS, kUnitOldMetric, kUnitRoman}) {
        SCOPED_TRACE(system);
        OpenSample();
        g_UnitSystem = system; // the sample opened in SI, the page then in the unit system
        TypeAxis("-1");
        const double typed = -1.0 / UnitFactor(ukSectionLength, system);
        EXPECT_EQ(Beam().GetMomentAxis(), typed);

        SaveAsAndOpenInANewSession("minus1.qvh");
        EXPECT_TRUE(ui.Done());
        const std::string first = Saved();
        EXPECT_NE(first.find("axialloc\t=\"-1.00\""), std::string::npos);
        EXPECT_EQ(Beam().GetMomentAxis(), typed);
        EXPECT_EQ(ShowGeneral(Beam()).axis, "  -1.0");
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_EQ(Saved(), first);

        std::string marked = first;
        const std::size_t at = marked.find("\"-1.00\"");
        ASSERT_NE(at, std::string::npos);
        marked.replace(at, 7, "\"-1.0\"");
        dir.Write("marked.qvh", marked);
        OpenByMenu(dir.File("marked.qvh"));
        EXPECT_TRUE(ui.Done());
        EXPECT_GT(Beam().GetMomentAxis(), kCentroidalAxis);
        EXPECT_EQ(ShowGeneral(Beam()).axis, "Centroid");
        app.reset();
        Start();
    }
}

// An axis typed 1.04 mm below the bottom of the sample: Sectional Response in the session, and
// in a new session that opens the document Save As wrote, gives the same stages to the last bit
// (the section moved from its centroid to the axis lies where its document puts it).
TEST_F(MomentAxisOpensAgain, ASectionSolvedAtATypedAxisSolvesTheSameWhenOpenedAgain)
{
    OpenSample();
    TypeAxis("-1.04");
    const TBeam& typed = Beam();
    std::vector<double> depths;
    for (int i = 0; i < typed.GetRegionCount(); ++i)
        depths.insert(depths.end(), {typed.GetRegion(i)->top, typed.GetRegion(i)->bottom});
    for (int i = 0; i < typed.GetLongLayerCount(0); ++i)
        depths.push_back(typed.GetLongLayer(i, 0)->z);
    const SectionalAnswer session = Solve();

    SaveAsAndOpenInANewSession("axis.qvh");
    EXPECT_TRUE(ui.Done());
    EXPECT_NE(Saved().find("axialloc\t=\"-1.04\""), std::string::npos);
    const TBeam& opened = Beam();
    std::vector<double> reopenedDepths;
    for (int i = 0; i < opened.GetRegionCount(); ++i)
        reopenedDepths.insert(reopenedDepths.end(),
                              {opened.GetRegion(i)->top, opened.GetRegion(i)->bottom});
    for (int i = 0; i < opened.GetLongLayerCount(0); ++i)
        reopenedDepths.push_back(opened.GetLongLayer(i, 0)->z);
    EXPECT_EQ(reopenedDepths, depths);
    const SectionalAnswer reopened = Solve();
    EXPECT_EQ(reopened.lastStage, session.lastStage);
    ExpectSameSectionalAnswer(session, reopened);
}

// A circle drawn on Basic Shapes in each unit system, at diameters on and off the outline's
// grid (0.1 mm; 0.01 in), centroidal or beside an axis typed 1 unit below its bottom or 200 mm
// (8 in, 20 cm) above it: Save As, and a new session opens the document as that circle. Basic
// Shapes opens on it showing "Circular Section" and the diameter its outline has (the typed one
// on the grid), the document keeps its shape record and File > Save writes the first save's
// bytes again.
TEST_F(MomentAxisOpensAgain, ACircleDrawnOnBasicShapesOpensAgainAsThatCircle)
{
    struct Trip {
        int system;
        const char* diameter; // typed
        const char* shown;    // the diameter of its outline, as Basic Shapes shows it
        const char* axis;     // typed on Edit General, or null: centroidal
    };
    std::vector<Trip> trips;
    const auto add = [&trips](int system, const char* typed, const char* shown, const char* above) {
        for (const char* axis : {static_cast<const char*>(nullptr), "-1", above})
            trips.push_back({system, typed, shown, axis});
    };
    add(kUnitSI, "600", "  600", "200");
    add(kUnitSI, "600.123456789", "  600", "200");
    add(kUnitUS, "24", "24.00", "8");
    add(kUnitUS, "25", "25.00", "8");
    add(kUnitUS, "30", "30.00", "8");
    add(kUnitOldMetric, "60", " 60.0", "20");
    add(kUnitOldMetric, "60.0123456789", " 60.0", "20");
    const int circle = FindShapeIndex("CIRCLE");
    ASSERT_GE(circle, 0);
    for (const Trip& trip : trips) {
        SCOPED_TRACE(std::string(trip.diameter) + " in unit system " + std::to_string(trip.system) +
                     ", axis " + (trip.axis ? trip.axis : "centroidal"));
        g_UnitSystem = trip.system;
        DrawCircle(trip.diameter);
        ASSERT_EQ(Beam().GetShapeName(), "CIRCLE");
        if (trip.axis)
            TypeAxis(trip.axis);
        const double height = Beam().GetHeight();

        SaveAsAndOpenInANewSession("circle.qvh");
        EXPECT_TRUE(ui.Done());
        const std::string first = Saved();
        EXPECT_NE(first.find("<shapesection"), std::string::npos);
        EXPECT_EQ(Beam().GetShapeName(), "CIRCLE");
        EXPECT_EQ(Beam().GetSectionKindCode(), circle);
        EXPECT_DOUBLE_EQ(Beam().GetShapeParameter(1), height);
        ExpectShownAndSavedAgain("Circular Section", trip.shown, first);
        app.reset();
        Start();
    }
}

// A rectangle drawn on Basic Shapes with sizes off the outline's grid, 300.123456789 x
// 600.987654321 mm (an outline of 300.1 x 601.0 mm): Save As, and a new session opens it with
// the sizes typed, to the ten digits the document keeps; Basic Shapes shows them as the session
// that drew it did, and File > Save writes the first save byte for byte.
TEST_F(MomentAxisOpensAgain, ARectangleDrawnOffTheGridOpensAgainWithTheSizesTyped)
{
    DrawOnBasicShapes(0, "Rectangle Section", {"300.123456789", "600.987654321"});
    ASSERT_EQ(Beam().GetShapeName(), "RECT");
    const BasicShapes drawn = ShownOnBasicShapes();
    EXPECT_EQ(drawn.first, "  300");

    SaveAsAndOpenInANewSession("rect.qvh");
    EXPECT_TRUE(ui.Done());
    const std::string first = Saved();
    EXPECT_NE(first.find("par1\t\t=\"300.1234568\""), std::string::npos);
    EXPECT_NE(first.find("par2\t\t=\"600.9876543\""), std::string::npos);
    EXPECT_EQ(Beam().GetShapeName(), "RECT");
    EXPECT_DOUBLE_EQ(Beam().GetShapeParameter(1), 0.3001234568);
    EXPECT_DOUBLE_EQ(Beam().GetShapeParameter(2), 0.6009876543);
    EXPECT_DOUBLE_EQ(Beam().GetHeight(), 0.601);
    ExpectShownAndSavedAgain("Rectangle Section", drawn.first, first);
}

// The test's other rules stand: a circle's document whose widest row is 1 mm too wide (past the
// 0.5 mm a width may be off), or that gives only the outline's upper half, opens as a user
// outline, and its save keeps no shape record.
TEST_F(MomentAxisOpensAgain, AnOutlineThatIsNoCircleOpensAsAUserOutline)
{
    DrawCircle("600");
    SaveAsAndOpenInANewSession("circle.qvh");
    const std::string circle = Saved();
    const std::size_t solid = circle.find("<sectionSOLID");
    const std::size_t widest = circle.find("300.0\t600.0", solid);
    ASSERT_NE(widest, std::string::npos);
    std::string wide = circle;
    wide.replace(widest, 11, "300.0\t601.0");
    const std::size_t end = circle.find("</sectionSOLID>", solid);
    ASSERT_NE(end, std::string::npos);
    // The upper half: the rows down to mid-depth, the last of them naming the concrete.
    std::string upper = circle;
    const std::size_t named = upper.find('"', widest);
    ASSERT_LT(named, end);
    upper.erase(upper.find('\n', named), end - upper.find('\n', named));
    for (const auto& [name, text] : {std::pair{"wide.qvh", wide}, std::pair{"upper.qvh", upper}}) {
        SCOPED_TRACE(name);
        dir.Write(name, text);
        OpenByMenu(dir.File(name));
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(Beam().GetSectionKindCode(), kUserShapeCode);
        EXPECT_EQ(ShownOnBasicShapes().status, "User Defined Section");
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_EQ(Saved().find("<shapesection"), std::string::npos);
    }
}
