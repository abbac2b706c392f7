// Files with a layer no section holds (a bar count past what a layer holds, a bar a kilometre
// across), opened by File > Open in every format: each is refused with one message naming the
// layer and the value, and the program goes on; a degenerate section of an old binary file
// paints with its pixel positions inside int.

#include "tests/app/UnheldLayerFixture.h"

using namespace unheld_layers;

namespace {

// A document of a new section with a bar layer of two bars of its own (500 mm^2, 25.2 mm) and
// a tendon of 1000 mm^2 below it, written by write; its text with the attribute of the layer
// (0 the bars, 1 the tendon) made the value given.
std::string DocumentWith(int layer, const std::string& attribute, const std::string& value,
                         const std::function<std::string(std::vector<std::unique_ptr<TStructure>>)>& write)
{
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(MakeOwnBarsBeam("Own bars"));
    return WithLayerValue(write(std::move(structures)), 0, layer, attribute, value);
}

TEST_F(UnheldLayerTest, LabelledTextWithACountNoLayerHoldsIsRefusedWithOneMessage)
{
    for (const long long bars : {2147483647LL, 10001LL}) {
        const std::string text = LabelledSection("LONGREINF top\nZ 450\nAI 500\nA 1000\nNUM " +
                                                 std::to_string(bars) + "\nENDLONG\n");
        ExpectRefused("count.q2t", text, BarsText(1, "top", bars), "Load Error");
    }
    // The largest count a layer holds reads, and the section is the file's.
    const std::vector<UiRequest> boxes =
        Open("most.q2t", LabelledSection("LONGREINF top\nZ 450\nAI 1\nA 10\nNUM 10000\nENDLONG\n"));
    for (const UiRequest& box : boxes)
        EXPECT_EQ(box.text.find("has 10000 bars"), std::string::npos) << box.text;
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Old girder");
    EXPECT_EQ(Window().GetCurrentStructure()->GetLongLayer(0, 0)->num, 10000);
}

TEST_F(UnheldLayerTest, OldBinaryFilesWithACountNoLayerHoldsAreRefusedWithOneMessage)
{
    for (const long long bars : {2147483647LL, 10001LL}) {
        // Version 0.5 counts the bars of a layer from its area and bar diameter.
        std::vector<std::uint8_t> v05 = MakeV05File().bytes;
        ASSERT_EQ(Field<double>(v05, kV05TopLayerArea), 1500e-6);
        SetField(v05, kV05TopLayerArea, static_cast<double>(bars) * kBarArea);
        ExpectRefused("count05.q2k", Bytes(v05), BarsText(1, "top", bars), "Invalid File");

        for (const int version : {7, 8}) {
            std::vector<std::uint8_t> v08 = MakeV08File(version).bytes;
            ASSERT_EQ(Field<std::int32_t>(v08, kV08LayerBars), 2);
            SetField(v08, kV08LayerBars, static_cast<std::int32_t>(bars));
            ExpectRefused("count08.q2k", Bytes(v08), BarsText(1, "bottom", bars), "Invalid File");
        }
    }
}

// The predecessor sheet gives each layer as one bar of its whole area: an area past a bar of
// 1 m^2 (1128.4 mm across) makes a bar no section holds. 2147483647 mm^2 is a bar
// 2 sqrt(2147.48 / pi) = 52.2902 m across, 1001000 mm^2 one of 1.12894 m.
TEST_F(UnheldLayerTest, APredecessorSheetWithABarNoSectionHoldsIsRefusedWithOneMessage)
{
    const std::pair<double, const char*> cases[] = {{2147483647.0, "52290.2"}, {1001000.0, "1128.9"}};
    for (const auto& [area, across] : cases) {
        SheetWriter sheet = MakeTwoTypeSheetWriter();
        sheet.Number(2, 25, area);
        ExpectRefused("sheet.dat", Bytes(sheet.Bytes()),
                      std::string("Longitudinal layer 1 (\"type 1\") has bars ") + across +
                          " mm across: a bar is at most 1128.4 mm across." + kCannotRead,
                      "Invalid File");
    }
}

// The largest bar the pages take, 1,000,000 mm^2 = 1 m^2, its diameter worked out from the area
// the sheet keeps in single precision: 2 sqrt(1 / pi) = 1.128379 m. The sheet opens with that
// layer, the layer refused by no box.
TEST_F(UnheldLayerTest, APredecessorSheetWithTheLargestBarOpensWithThatLayer)
{
    SheetWriter sheet = MakeTwoTypeSheetWriter();
    sheet.Number(2, 25, 1000000.0);
    // The import and the sheet's two concrete types over the same depths are told as ever.
    const std::vector<UiRequest> boxes = Open("largest.dat", Bytes(sheet.Bytes()),
                                              {"Importing", "File contained more than one material type"});
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(boxes.size(), 2u);
    const TStructure* s = Window().GetCurrentStructure();
    ASSERT_EQ(s->GetName(), "Two types");
    ASSERT_EQ(s->GetLongLayerCount(0), 1);
    const LongLayerRec& layer = *s->GetLongLayer(0, 0);
    EXPECT_NEAR(layer.A, 1.0, 1e-9);
    EXPECT_NEAR(layer.db, 1.128379, 1e-6);
    EXPECT_NEAR(layer.z - s->GetBottom(), 0.05, 1e-4);
}

TEST_F(UnheldLayerTest, AStirrupAKilometreAcrossIsRefusedInLabelledTextAndInADocument)
{
    ExpectRefused("stirrup.q2t", LabelledSection("TRANSREINF stirrups\nA 200\nPATTERN 3\nDB 1000000\n"),
                  std::string("Transverse layer 1 (\"stirrups\") has bars 1000000.0 mm across: a bar is at most "
                              "1128.4 mm across.") +
                      kCannotRead,
                  "Load Error");

    // A document of a section with a stirrup of its own bar (its diameter written), the
    // diameter then made 1e6 mm.
    const std::string text = StirrupDocument("db", "11.3", "1e6");
    ExpectRefused("stirrup.qvh", text,
                  std::string("Transverse layer 1 (\"stirrups\") has db=\"1e6\": a bar is at most 1128.4 mm "
                              "across.") +
                      kCannotRead,
                  "Load Error");
}

// A 0.5 file whose one region is 1 nm high (and as narrow as a region is kept, 0.1 mm), with
// stirrups of a bar 1.1 m across (held: 0.95 m^2) given from 300 m above to 300 m below. On the page printed at 1200 dpi (10000 x
// 13000 pixels) the section is drawn some 1.5e7 pixels a metre, the stirrups' bends (205 m
// across) some 1.5e9 pixels round about a centre as far out. The page paints with every
// position and every sum of them inside int (the sanitizers stop the test at any overflow).
TEST_F(UnheldLayerTest, ADegenerateSectionOfAnOldFilePaintsInsideTheRangeOfInt)
{
    std::vector<std::uint8_t> v05 = MakeV05File().bytes;
    ASSERT_EQ(Field<double>(v05, kV05RegionTop), 0.5);
    SetField(v05, kV05RegionTop, 1e-9);
    SetField(v05, kV05RegionTop + 16, 1e-9);
    SetField(v05, kV05RegionTop + 24, 1e-9);
    ASSERT_EQ(Field<double>(v05, kV05Stirrup), 200e-6);
    ASSERT_EQ(Field<double>(v05, kV05Stirrup + 65), 0.0113);
    SetField(v05, kV05Stirrup, 1.9);
    SetField(v05, kV05Stirrup + 65, 1.1);
    SetField(v05, kV05Stirrup + 24, 300.0);  // the stirrups' top and bottom: hooked legs
    SetField(v05, kV05Stirrup + 32, -300.0);
    // The layers lie above the section, beyond the crack-spacing table (told, and kept).
    Open("tiny.q2k", Bytes(v05), {"Out of depth range in table", "Out of depth range in table"});
    EXPECT_TRUE(ui.Done());
    const TStructure* tiny = Window().GetCurrentStructure();
    ASSERT_EQ(tiny->GetName(), "Beam A");
    ASSERT_NEAR(tiny->GetHeight(), 1e-9, 1e-15);
    ASSERT_GT(tiny->GetTransLayerCount(2), 0);
    RecordingDC dc;
    PaintCrossSection(dc, tiny, 0, 0, 10000, 13000, 0);
    // The stirrups' bends and the bars were drawn.
    EXPECT_FALSE(dc.CallsOf("Arc").empty());
    EXPECT_FALSE(dc.CallsOf("Ellipse").empty());
}

} // namespace

namespace {

const char* const kAtMost = ": a bar is at most 1000000.0 mm^2.";

} // namespace

// A bar given by its area is held as one given by its diameter: at most 1 m^2, a layer of at
// most 10000 of them. Each file of every reader with a larger one is refused with one box naming
// the layer and the value, and the section open before stays.
TEST_F(UnheldLayerTest, ABarLargerByItsAreaIsRefusedByEveryReaderKeepingTheOpenSection)
{
    // Labelled text: a bar of 2e6 mm^2, and a layer's area of 1e300 mm^2 in its one bar.
    ExpectRefusedKeepingTheOpenSection("ai.q2t",
                                       LabelledSection("LONGREINF top\nZ 450\nAI 2000000\nNUM 1\nENDLONG\n"),
                                       std::string("Longitudinal layer 1 (\"top\") has bars of 2000000.0 mm^2") +
                                           kAtMost + kCannotRead,
                                       "Load Error");
    ExpectRefusedKeepingTheOpenSection("a.q2t", LabelledSection("LONGREINF top\nZ 450\nA 1e300\nENDLONG\n"),
                                       std::string("Longitudinal layer 1 (\"top\") has bars of 1e+300 mm^2") +
                                           kAtMost + kCannotRead,
                                       "Load Error");

    // Version 0.7 and 0.8: the bars of the layer "bottom" (its bar area at byte 28, its diameter
    // at 36) made 2 m^2 with no diameter.
    for (const int version : {7, 8}) {
        std::vector<std::uint8_t> v08 = MakeV08File(version).bytes;
        ASSERT_EQ(Field<double>(v08, kV08LayerBars + 4), 500e-6);
        ASSERT_EQ(Field<double>(v08, kV08LayerBars + 12), 0.0252);
        SetField(v08, kV08LayerBars + 4, 2.0);
        SetField(v08, kV08LayerBars + 12, 0.0);
        ExpectRefusedKeepingTheOpenSection("ai08.q2k", Bytes(v08),
                                           std::string("Longitudinal layer 1 (\"bottom\") has bars of 2000000.0 mm^2") +
                                               kAtMost + kCannotRead,
                                           "Invalid File");
    }

    // Version 0.5: a layer of 1e300 m^2, which no whole count of its 25.2 mm bars makes: one bar.
    std::vector<std::uint8_t> v05 = MakeV05File().bytes;
    SetField(v05, kV05TopLayerArea, 1e300);
    ExpectRefusedKeepingTheOpenSection("a05.q2k", Bytes(v05),
                                       std::string("Longitudinal layer 1 (\"top\") has bars of 1e+306 mm^2") +
                                           kAtMost + kCannotRead,
                                       "Invalid File");

    // A document: the bar layer's bar area, and the tendon's area in its one bar.
    const auto write = [this](std::vector<std::unique_ptr<TStructure>> structures) {
        WriteStructures("written.qvh", std::move(structures));
        return dir.Read("written.qvh");
    };
    for (const char* value : {"2e6", "1e12"}) {
        ExpectRefusedKeepingTheOpenSection("ai.qvh", DocumentWith(0, "Ai", value, write),
                                           std::string("Longitudinal layer 1 (\"bars\") has Ai=\"") + value +
                                               "\"" + kAtMost + kCannotRead,
                                           "Load Error");
        ExpectRefusedKeepingTheOpenSection("a.qvh", DocumentWith(1, "A", value, write),
                                           std::string("Longitudinal layer 2 (\"tendon\") has A=\"") + value +
                                               "\" in 1 bar" + kAtMost + kCannotRead,
                                           "Load Error");
    }
    // Written as it stands, the document opens with both layers.
    EXPECT_TRUE(Open("own.qvh", DocumentWith(0, "Ai", "500.0", write)).empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Own bars");
    EXPECT_EQ(Window().GetCurrentStructure()->GetLongLayerCount(0), 2);
}

// A layer of the most bars of a moderate size, 10000 of 500 mm^2 (5 m^2 in all), opens.
TEST_F(UnheldLayerTest, TheMostBarsOfAModerateSizeOpenInEveryReader)
{
    const std::vector<UiRequest> boxes =
        Open("most.q2t", LabelledSection("LONGREINF top\nZ 450\nAI 500\nA 5000000\nNUM 10000\nENDLONG\n"));
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Old girder");
    EXPECT_NEAR(Window().GetCurrentStructure()->GetLongLayer(0, 0)->A, 5.0, 1e-9);

    std::vector<std::uint8_t> v05 = MakeV05File().bytes;
    SetField(v05, kV05TopLayerArea, 10000 * kBarArea);
    EXPECT_TRUE(Open("most05.q2k", Bytes(v05)).empty());
    const TStructure* beam = Window().GetCurrentStructure();
    ASSERT_EQ(beam->GetName(), "Beam A");
    int most = 0;
    for (int i = 0; i < beam->GetLongLayerCount(0); ++i)
        most = std::max(most, beam->GetLongLayer(i, 0)->num);
    EXPECT_EQ(most, 10000);
}

// A predecessor sheet whose strength cell is too large for its unit (1e303 MPa is -inf Pa) is
// refused with one box naming the cell, as the other readers refuse a value that is no number.
TEST_F(UnheldLayerTest, APredecessorSheetWithAValueThatIsNoNumberIsRefused)
{
    SheetWriter strength = MakeTwoTypeSheetWriter();
    strength.Number(1, 7, 1e303);
    ExpectRefusedKeepingTheOpenSection(
        "strength.dat", Bytes(strength.Bytes()),
        std::string("Row 7, column 1 of the sheet holds 1e+303: it gives a value that is no number.") + kCannotRead,
        "Invalid File");
}

namespace {

const char* const kAreaValue = ": an area is a number of 0 or more.";

} // namespace

// An area that is negative or no number is no bar's: each reader refuses it with one box naming
// the layer (a longitudinal layer's by the area of its bars, its total over its count), and the
// section open before stays. Read as 0 (the bar then made 0.1 mm^2 when the section is checked)
// or kept, it would be a layer the user never gave.
TEST_F(UnheldLayerTest, AnAreaThatIsNegativeOrNoNumberIsRefusedByEveryReaderKeepingTheOpenSection)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto refused = [this](const std::string& name,
                                const std::string& content,
                                const std::string& has,
                                const char* caption) {
        ExpectRefusedKeepingTheOpenSection(name, content, has + kAreaValue + kCannotRead, caption);
    };

    // A document: a stirrup of -100 mm^2, bars of "nan", a tendon of -100 mm^2 in its one bar.
    refused("stirrup.qvh",
            StirrupDocument("A", "200.0", "-100.0"),
            "Transverse layer 1 (\"stirrups\") has A=\"-100.0\"",
            "Load Error");
    const auto write = [this](std::vector<std::unique_ptr<TStructure>> structures) {
        WriteStructures("written.qvh", std::move(structures));
        return dir.Read("written.qvh");
    };
    for (const char* value : {"nan", "-inf", "-500.0"})
        refused("ai.qvh",
                DocumentWith(0, "Ai", value, write),
                std::string("Longitudinal layer 1 (\"bars\") has Ai=\"") + value + "\"",
                "Load Error");
    refused("a.qvh",
            DocumentWith(1, "A", "-100.0", write),
            "Longitudinal layer 2 (\"tendon\") has A=\"-100.0\" in 1 bar",
            "Load Error");

    // Labelled text.
    refused("nan.q2t",
            LabelledSection("LONGREINF top\nZ 450\nAI nan\nNUM 2\nENDLONG\n"),
            "Longitudinal layer 1 (\"top\") has bars whose area is no number",
            "Load Error");
    refused("minus.q2t",
            LabelledSection("LONGREINF top\nZ 450\nA -1000\nNUM 2\nENDLONG\n"),
            "Longitudinal layer 1 (\"top\") has bars of -500.0 mm^2",
            "Load Error");
    refused("table.q2t",
            LabelledSection("LONGTAB\n50 nan\nENDLONG\n"),
            "Longitudinal layer 1 (\"long-200.000\") has bars whose area is no number",
            "Load Error");
    refused("stirrup.q2t",
            LabelledSection("TRANSREINF stirrups\nA -100\nPATTERN 3\nDB 11.3\n"),
            "Transverse layer 1 (\"stirrups\") has bars of -100.0 mm^2",
            "Load Error");

    // Version 0.7 and 0.8: the layer "bottom", two bars of 500 mm^2 (1000 in all, at byte 8 of
    // the layer), its bar area made NaN, its total -1000 mm^2.
    for (const int version : {7, 8}) {
        const std::vector<std::uint8_t> v08 = MakeV08File(version).bytes;
        ASSERT_EQ(Field<double>(v08, kV08LayerBars - 16), 1000e-6);
        refused("nan08.q2k",
                WithF64(v08, kV08LayerBars + 4, nan),
                "Longitudinal layer 1 (\"bottom\") has bars whose area is no number",
                "Invalid File");
        refused("minus08.q2k",
                WithF64(v08, kV08LayerBars - 16, -1000e-6),
                "Longitudinal layer 1 (\"bottom\") has bars of -500.0 mm^2",
                "Invalid File");
    }

    // Version 0.5: the layer "top" of no number; stirrups of -200 mm^2 (of one leg, as no whole
    // count of their 11.3 mm bars makes that area).
    refused("nan05.q2k",
            WithF64(MakeV05File().bytes, kV05TopLayerArea, nan),
            "Longitudinal layer 1 (\"top\") has bars whose area is no number",
            "Invalid File");
    refused("minus05.q2k",
            WithF64(MakeV05File().bytes, kV05Stirrup, -200e-6),
            "Transverse layer 1 (\"stirrups\") has bars of -200.0 mm^2",
            "Invalid File");

    // A predecessor sheet's bar layer of -1500 mm^2, one bar.
    SheetWriter sheet = MakeTwoTypeSheetWriter();
    sheet.Number(2, 25, -1500.0);
    refused("minus.dat",
            Bytes(sheet.Bytes()),
            "Longitudinal layer 1 (\"type 1\") has bars of -1500.0 mm^2",
            "Invalid File");
}

// A layer of no bars is read as ever, reset to one bar with its one box, never refused for its
// area: in labelled text (its bar of 500 mm^2, its total 1000 mm^2) and in a 0.8 file (its
// count 0).
TEST_F(UnheldLayerTest, ALayerOfNoBarsIsStillResetToOneBar)
{
    const char* const reset = "has no bars defined; It has been reset to one bar.";
    std::vector<UiRequest> boxes =
        Open("none.q2t",
             LabelledSection("LONGREINF top\nZ 450\nNUM 0\nAI 500\nA 1000\nENDLONG\n"),
             {"Longitudinal Reinforcment layer \"top\""});
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(reset), std::string::npos) << boxes[0].text;
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Old girder");
    EXPECT_EQ(Window().GetCurrentStructure()->GetLongLayer(0, 0)->num, 1);

    std::vector<std::uint8_t> v08 = MakeV08File(8).bytes;
    SetField(v08, kV08LayerBars, static_cast<std::int32_t>(0));
    boxes = Open("none08.q2k", Bytes(v08), {"Longitudinal Reinforcment layer \"bottom\""});
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(reset), std::string::npos) << boxes[0].text;
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Beam B");
    EXPECT_EQ(Window().GetCurrentStructure()->GetLongLayer(0, 0)->num, 1);
}

// A 0.8 file refused for its bar "ZZ9" of 2 m^2, a bar the catalogue lacks, leaves nothing of
// itself in the catalogue: the run does not know "ZZ9" after it. The same file with its own
// bar of 500 mm^2 brings it.
TEST_F(UnheldLayerTest, AFileRefusedForItsBarLeavesNothingInTheCatalogue)
{
    for (const int version : {7, 8}) {
        const int before = g_RebarList.Count();
        ASSERT_LT(g_RebarList.FindByName("ZZ9"), 0);
        ExpectRefusedKeepingTheOpenSection(
            "zz9.q2k",
            WithF64(MakeV08File(version).bytes, kV08LayerBars + 4, 2.0),
            std::string("Longitudinal layer 1 (\"bottom\") has bars of 2000000.0 mm^2") + kAtMost +
                kCannotRead,
            "Invalid File");
        EXPECT_LT(g_RebarList.FindByName("ZZ9"), 0);
        EXPECT_EQ(g_RebarList.Count(), before);
        EXPECT_FALSE(g_RebarList.Changed());
    }
    Open("zz9.q2k", Bytes(MakeV08File(8).bytes));
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Beam B");
    const int brought = g_RebarList.FindByName("ZZ9");
    ASSERT_GE(brought, 0);
    EXPECT_NEAR(g_RebarList.GetArea(brought), 500e-6, 1e-12);
}

// A predecessor sheet whose cells are finite but past what a section takes is refused with one
// box naming the cell, as a cell that is no number is: regions 1e300 mm wide or high, a concrete
// of 1e300 MPa, a steel yielding at 1.1e276 MPa, shrinkage of 1e303 or 1e42 per mille (1e42 is
// finite in double precision, not in the single precision the strains are kept in).
TEST_F(UnheldLayerTest, APredecessorSheetWithAValuePastWhatASectionTakesIsRefusedNamingTheCell)
{
    struct Cell {
        int column;
        int row;
        double value;
        const char* text;
    };
    const Cell cells[] = {
        {2,
         20,
         1e300,
         "Row 20, column 2 of the sheet holds 1e+300: a section takes at most 1000000 mm."},
        {4,
         21,
         1e300,
         "Row 21, column 4 of the sheet holds 1e+300: a section takes at most 1000000 mm."},
        {1,
         7,
         1e300,
         "Row 7, column 1 of the sheet holds 1e+300: a section takes at most 1000000 MPa."},
        {2,
         12,
         1.1e276,
         "Row 12, column 2 of the sheet holds 1.1e+276: a section takes at most 1000000 MPa."},
        {1,
         30,
         1e303,
         "Row 30, column 1 of the sheet holds 1e+303: a section takes at most 10000 mm/m."},
        {3,
         31,
         1e42,
         "Row 31, column 3 of the sheet holds 1e+42: a section takes at most 10000 mm/m."},
    };
    for (const Cell& cell : cells) {
        SheetWriter sheet = MakeTwoTypeSheetWriter();
        // Shrinkage given by region (rows 30 and 31: bottom, middle and top strains).
        sheet.Text(3, 27, "Y");
        sheet.Number(cell.column, cell.row, cell.value);
        ExpectRefusedKeepingTheOpenSection("absurd.dat",
                                           Bytes(sheet.Bytes()),
                                           std::string(cell.text) + kCannotRead,
                                           "Invalid File");
    }
}

// A layer whose area is more than its bars of the largest size is refused naming the area of
// one of its bars: 20,000,000 mm^2 in 4 bars is 5,000,000 mm^2 a bar, against 1,000,000 mm^2.
TEST_F(UnheldLayerTest, TheAreaRefusalNamesTheAreaOfOneBarOfTheLayer)
{
    const std::string told = std::string(" has bars of 5000000.0 mm^2") + kAtMost + kCannotRead;
    ExpectRefusedKeepingTheOpenSection("four.q2t",
                                       LabelledSection("LONGREINF top\nZ 450\nAI 500\nA 20000000\nNUM 4\nENDLONG\n"),
                                       "Longitudinal layer 1 (\"top\")" + told, "Load Error");
    for (const int version : {7, 8}) {
        SCOPED_TRACE(version);
        std::vector<std::uint8_t> v08 = MakeV08File(version).bytes;
        ASSERT_EQ(Field<double>(v08, kV08LayerBars - 16), 1000e-6);
        SetField(v08, kV08LayerBars - 16, 20.0);
        SetField(v08, kV08LayerBars, std::int32_t{4});
        ExpectRefusedKeepingTheOpenSection("four08.q2k", Bytes(v08), "Longitudinal layer 1 (\"bottom\")" + told,
                                           "Invalid File");
    }
}

namespace {

// The two-type sheet with its shrinkage block: in the per mille of the sheet, -0.2, -0.3 and
// -0.4 at the bottom, middle and top of both regions (rows 30 and 31, columns 1 to 3), and
// -0.1 in its bar layer (row 34); no strain discontinuity.
SheetWriter ShrinkageSheet()
{
    SheetWriter sheet = MakeTwoTypeSheetWriter();
    sheet.Text(3, 27, "Y");
    for (const int row : {30, 31})
        sheet.Number(1, row, -0.2).Number(2, row, -0.3).Number(3, row, -0.4);
    sheet.Number(1, 34, -0.1).Text(3, 35, "N");
    return sheet;
}

} // namespace

// A predecessor sheet's shrinkage strains, by region and in its bar layer's row, are read per
// mille; a strain past what a section takes in the bar layer's row (1e303 or 1e42 per mille)
// refuses the sheet naming the cell as one in a region's profile does, and the section open
// before stays.
TEST_F(UnheldLayerTest, APredecessorSheetsShrinkageStrainsAreReadPerMilleAndHeldInTheBarLayersRowToo)
{
    const std::vector<UiRequest> boxes = Open("shrinkage.dat", Bytes(ShrinkageSheet().Bytes()),
                                              {"Importing", "File contained more than one material type"});
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(boxes.size(), 2u);
    const TStructure* s = Window().GetCurrentStructure();
    ASSERT_EQ(s->GetName(), "Two types");
    const TDepthTable& shrinkage = s->GetPositionVariable(kShrinkTherm);
    ASSERT_GT(shrinkage.GetCount(), 0);
    for (int i = 0; i < shrinkage.GetCount(); ++i) {
        EXPECT_LE(shrinkage.GetValue(i), -0.2e-3 + 1e-9);
        EXPECT_GE(shrinkage.GetValue(i), -0.4e-3 - 1e-9);
    }
    EXPECT_NEAR(s->GetLongLayer(0, 0)->thermStrain, -0.1e-3, 1e-9);

    for (const auto& [value, shown] : {std::pair{1e303, "1e+303"}, std::pair{1e42, "1e+42"}}) {
        SheetWriter sheet = ShrinkageSheet();
        sheet.Number(1, 34, value);
        ExpectRefusedKeepingTheOpenSection("shrinkage.dat", Bytes(sheet.Bytes()),
                                           StrPrintf("Row 34, column 1 of the sheet holds %s: a section takes at "
                                                     "most 10000 mm/m.",
                                                     shown) +
                                               kCannotRead,
                                           "Invalid File");
    }
}
