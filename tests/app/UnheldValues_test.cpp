// Documents and older files with a value no section holds, opened by File > Open: each is refused
// naming its record by its own name and the value as the file gives it, the section open before
// staying; values at their bounds and as many layers as a section holds open, save and open again.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/app/UnheldLayerFixture.h"

using namespace unheld_layers;

namespace {

// A document of a 500 x 300 mm section of bars of their own: "bottom", two bars of 500 mm^2
// (25.2 mm) at 50 mm, "top", two such bars at 450 mm, and the stirrups "legs minus" of two legs of
// 100 mm^2 (11.3 mm), as the program writes it.
std::unique_ptr<TBeam> NamedLayersBeam()
{
    auto beam = MakeOwnBarsBeam("Named layers");
    LongLayerRec bottom = *beam->GetLongLayer(0, 0);
    bottom.name = "bottom";
    LongLayerRec top = bottom;
    top.z = beam->GetTop() - 0.05;
    top.name = "top";
    beam->DeleteLongLayers(0);
    beam->AddLongLayer(bottom, 0);
    beam->AddLongLayer(top, 0);
    TransLayerRec stirrup;
    InitTransLayerRec(stirrup);
    stirrup.A = 200e-6;
    stirrup.Ai = 100e-6;
    stirrup.db = 0.0113;
    stirrup.barIndex = -1;
    stirrup.pattern = 3;
    stirrup.disttop = beam->GetTop() - 0.03;
    stirrup.distbot = beam->GetBottom() + 0.03;
    stirrup.name = "legs minus";
    beam->AddTransLayer(stirrup, 2);
    return beam;
}

// Where the version 0.8 sample keeps its fields: the counts of its section block (after the 45
// header bytes), its first steel type's yield strength, and the first pair of its layer-strain
// table (strain, then the layer's number; 1000 and on for stirrups).
struct V08Sample {
    std::vector<std::uint8_t> bytes;
    std::size_t steelYield = 0;
    std::size_t stirrupStrain = 0;
};

V08Sample ReadV08Sample()
{
    V08Sample sample;
    std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/NativeV08/beam_b_v8.bin", std::ios::binary);
    EXPECT_TRUE(in);
    sample.bytes.assign(std::istreambuf_iterator<char>(in), {});
    const auto count = [&sample](std::size_t at) {
        return static_cast<std::size_t>(Field<std::int16_t>(sample.bytes, 45 + at));
    };
    const std::size_t steels = 45 + 409 + count(131) * 194;
    sample.steelYield = steels + 16;
    const std::size_t trans = steels + count(133) * 111 + count(163) * 182;
    // The regions, the loads, then the first table (count, destination, pairs).
    sample.stirrupStrain = trans + count(161) * 174 + count(167) * 66 + 48 + 8;
    return sample;
}

} // namespace

// A document's refusal of a bar no section holds, or of an area no bar has, names the layer by
// its own name (its last attribute), as every older reader does: File > Open of the document of
// "top" with bars 5000 mm across, of "legs minus" with -100 mm^2, of "bottom" with 10001 bars.
TEST_F(UnheldLayerTest, ADocumentsRefusalNamesTheLayerByItsOwnName)
{
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(NamedLayersBeam());
    WriteStructures("named.qvh", std::move(structures));
    const std::string text = dir.Read("named.qvh");

    ExpectRefusedKeepingTheOpenSection("db.qvh", WithLayerValue(text, 0, 1, "db", "5000.0"),
                                       "Longitudinal layer 2 (\"top\") has db=\"5000.0\": a bar is at most 1128.4 mm "
                                       "across. The file cannot be read.",
                                       "Load Error");
    ExpectRefusedKeepingTheOpenSection("a.qvh", WithElementValue(text, "transreinfz", "A", "-100.0"),
                                       "Transverse layer 1 (\"legs minus\") has A=\"-100.0\": an area is a number of "
                                       "0 or more. The file cannot be read.",
                                       "Load Error");
    ExpectRefusedKeepingTheOpenSection("num.qvh", WithLayerValue(text, 0, 0, "num", "10001"),
                                       "Longitudinal layer 1 (\"bottom\") has num=\"10001\": a layer holds at most "
                                       "10000 bars. The file cannot be read.",
                                       "Load Error");
    // Written as it stands, the document opens with its three layers.
    EXPECT_TRUE(Open("named.qvh", text).empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Named layers");
    EXPECT_EQ(Window().GetCurrentStructure()->GetTransLayer(0, 2)->name, "legs minus");
}

// A value past what a section takes (and the pages take) refuses every reader with one box
// naming its record by its own name and the value in the display units: the version 0.8 sample
// with its steel's yield strength at 6e264 Pa or its stirrup's strain at 2.5e260, labelled text
// with a layer 1e12 mm high, and a document with a yield strength of 2e7 MPa. Read, each was
// saved as a number the document reader takes as something else. The largest strength a section
// takes opens, and a new session opens the document saved from it with the same strength.
TEST_F(UnheldLayerTest, AValueNoSectionTakesIsRefusedByEveryReaderNamingItsRecord)
{
    const V08Sample sample = ReadV08Sample();
    ASSERT_EQ(Field<double>(sample.bytes, sample.steelYield), 400e6);
    ASSERT_EQ(Field<double>(sample.bytes, sample.stirrupStrain), 0.0005);
    ASSERT_EQ(Field<double>(sample.bytes, sample.stirrupStrain + 8), 1001.0);
    ExpectRefusedKeepingTheOpenSection("yield.q2k", WithF64(sample.bytes, sample.steelYield, 6e264),
                                       "Steel type 1 (\"Bar 400\") has a yield strength of 6e+258 MPa: a section "
                                       "takes at most 1000000 MPa. The file cannot be read.",
                                       "Invalid File");
    ExpectRefusedKeepingTheOpenSection("strain.q2k", WithF64(sample.bytes, sample.stirrupStrain, 2.5e260),
                                       "Transverse layer 2 (\"stirrup B\") has a thermal strain of 2.5e+263 mm/m: a "
                                       "section takes at most 10000 mm/m. The file cannot be read.",
                                       "Invalid File");
    ExpectRefusedKeepingTheOpenSection("high.q2t", LabelledSection("LONGREINF top\nZ 1e12\nAI 500\nNUM 2\nENDLONG\n"),
                                       "Longitudinal layer 1 (\"top\") has a height of 1e+12 mm: a section takes at "
                                       "most 1000000 mm. The file cannot be read.",
                                       "Load Error");

    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(NamedLayersBeam());
    const std::string steel = structures[0]->GetSteelType(0)->name;
    ASSERT_EQ(structures[0]->GetSteelType(0)->kind, SteelKind::Reinforcing);
    WriteStructures("named.qvh", std::move(structures));
    ExpectRefusedKeepingTheOpenSection("fy.qvh", WithElementValue(dir.Read("named.qvh"), "rebar", "fy", "2e7"),
                                       "Steel type 1 (\"" + steel +
                                           "\") has a yield strength of 2e+07 MPa: a section takes at most 1000000 "
                                           "MPa. The file cannot be read.",
                                       "Load Error");

    // 1e12 Pa, the largest: no box, and the same strength after Save As and a new session.
    const std::vector<UiRequest> boxes = Open("largest.q2k", WithF64(sample.bytes, sample.steelYield, 1e12));
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Beam B");
    EXPECT_EQ(Window().GetCurrentStructure()->GetSteelType(0)->fy, 1e12);
    ui.File(plat::FileDialogKind::Save, dir.File("largest.qvh"));
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    app.reset();
    Start();
    EXPECT_TRUE(Open("largest.qvh", dir.Read("largest.qvh")).empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Beam B");
    EXPECT_EQ(Window().GetCurrentStructure()->GetSteelType(0)->fy, 1e12);
    EXPECT_TRUE(ui.Done());
}

// A file whose record has more than one value no section takes is refused naming the first of
// them: labelled text of a bar layer 1e12 mm high with a prestrain of 20000 mm/m, and a document
// whose bar layer has 10001 bars 5 m across. A row of the
// shrinkage and thermal strains, or of the strain discontinuity, is bounded as a strain (10000
// mm/m), not as a height, and told in mm/m: 50000 mm/m is refused as 2000000 mm/m is.
TEST_F(UnheldLayerTest, TheFirstUnheldValueIsNamedAndStrainRowsAreBoundedAsStrains)
{
    ExpectRefusedKeepingTheOpenSection("two.q2t",
                                       LabelledSection("LONGREINF top\nZ 1e12\nAI 500\nNUM 2\nDEP 20000\nENDLONG\n"),
                                       "Longitudinal layer 1 (\"top\") has a height of 1e+12 mm: a section takes at "
                                       "most 1000000 mm. The file cannot be read.",
                                       "Load Error");
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(NamedLayersBeam());
    WriteStructures("named.qvh", std::move(structures));
    ExpectRefusedKeepingTheOpenSection(
        "two.qvh", WithLayerValue(WithLayerValue(dir.Read("named.qvh"), 0, 0, "num", "10001"), 0, 0, "db", "5000.0"),
        "Longitudinal layer 1 (\"bottom\") has num=\"10001\": a layer holds at most 10000 bars. The file cannot be "
        "read.",
        "Load Error");
    const std::string layer = "LONGREINF top\nZ 450\nAI 500\nNUM 2\nENDLONG\n";
    for (const char* strain : {"50000", "2000000"}) {
        const std::string told = std::string("has a strain of ") + (strain[0] == '5' ? "5e+04" : "2e+06") +
                                 " mm/m: a section takes at most 10000 mm/m. The file cannot be read.";
        ExpectRefusedKeepingTheOpenSection("shrink.q2t",
                                           LabelledSection(layer + "SHRINKTHERM\n0 0.1\n100 " + strain + "\nENDSHRINK\n"),
                                           "Row 2 of the shrinkage and thermal strains " + told,
                                           "Load Error");
        ExpectRefusedKeepingTheOpenSection("discont.q2t",
                                           LabelledSection(layer + "DISCONT\n100 " + std::string(strain) + "\n"),
                                           "Row 1 of the strain discontinuity " + told,
                                           "Load Error");
    }
}

// A number in a document is refused past what a section takes however large it is, naming its
// record and the value the document gives, with its sign: a layer's height, a concrete's f'c and
// a constant moment of 1e251 (past 1e250 each was read as 0, and the document opened with the
// layer on the bottom and a strength or load gone). A steel whose modulus is 0, no number or
// 1e251 is told by that modulus, not by the yield strain that checking the steel derives from it.
TEST_F(UnheldLayerTest, ANumberPastAnyValueASectionTakesIsRefusedNamingItsRecord)
{
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(NamedLayersBeam());
    const double moment[kLoadCount] = {0.0, 50e3, 0.0};
    structures[0]->SetConstantLoads(moment, kLoadCount);
    // A modulus off the default, so that the document writes it.
    structures[0]->GetSteelType(0)->Es = 195e9;
    const std::string concrete = structures[0]->GetConcreteType(0)->name;
    const std::string steel = structures[0]->GetSteelType(0)->name;
    WriteStructures("named.qvh", std::move(structures));
    const std::string text = dir.Read("named.qvh");
    const auto refused = [](const std::string& record, const std::string& has) {
        return record + " has " + has + ". The file cannot be read.";
    };
    const std::string bottom = "Longitudinal layer 1 (\"bottom\")";
    const std::string top = "Longitudinal layer 2 (\"top\")";
    const std::string concreteType = "Concrete type 1 (\"" + concrete + "\")";
    const std::string steelType = "Steel type 1 (\"" + steel + "\")";
    const std::string steelModulus = "an elastic modulus of 0 MPa: a section takes at least 1 MPa";
    struct Case {
        const char* name;
        std::string content;
        std::string text;
    };
    const Case cases[] = {
        {"z249.qvh", WithLayerValue(text, 0, 1, "z", "1e249"),
         refused(top, "a height of 1e+249 mm: a section takes at most 1000000 mm")},
        {"z251.qvh", WithLayerValue(text, 0, 1, "z", "1e251"),
         refused(top, "a height of 1e+251 mm: a section takes at most 1000000 mm")},
        {"z999.qvh", WithLayerValue(text, 0, 0, "z", "-1e999"),
         refused(bottom, "a height of -1e+300 mm: a section takes at most 1000000 mm")},
        {"fcp249.qvh", WithElementValue(text, "concrete", "fcp", "1e249"),
         refused(concreteType, "a strength f'c of 1e+249 MPa: a section takes at most 1000000 MPa")},
        {"fcp251.qvh", WithElementValue(text, "concrete", "fcp", "1e251"),
         refused(concreteType, "a strength f'c of 1e+251 MPa: a section takes at most 1000000 MPa")},
        {"bm251.qvh", WithElementValue(text, "sectloading", "BM", "1e251"),
         refused("The section's loads", "a constant moment of 1e+251 kNm: a section takes at most 1000000 kNm")},
        {"e0.qvh", WithElementValue(text, "rebar", "E", "0"), refused(steelType, steelModulus)},
        {"enan.qvh", WithElementValue(text, "rebar", "E", "nan"), refused(steelType, steelModulus)},
        {"e251.qvh", WithElementValue(text, "rebar", "E", "1e251"),
         refused(steelType, "an elastic modulus of 1e+251 MPa: a section takes at most 1000000 MPa")},
    };
    for (const Case& c : cases)
        ExpectRefusedKeepingTheOpenSection(c.name, c.content, c.text, "Load Error");
}

// A value at the bound a section takes opens again after a save, in a unit system whose factor
// is no power of ten: a US document with a modulus just under 1e12 Pa (145037.69999999999 ksi)
// opens as its document gives it back, File > Save writes it as 145037.7 ksi, a hair past
// 1e12 Pa, and both the session and a new session that opens the saved document hold the
// modulus at the bound.
TEST_F(UnheldLayerTest, AModulusAtTheBoundOpensAgainAfterASaveInUSUnits)
{
    const ValueGuard<int> units(g_UnitSystem, kUnitUS);
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(NamedLayersBeam());
    structures[0]->GetSteelType(0)->Es = 195e9;
    const std::string path = WriteStructures("us.qvh", std::move(structures));
    const std::string text = WithElementValue(dir.Read("us.qvh"), "rebar", "E", "145037.69999999999");
    EXPECT_TRUE(Open("us.qvh", text).empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Named layers");
    const double opened = Window().GetCurrentStructure()->GetSteelType(0)->Es;
    EXPECT_NEAR(opened, 1e12, 1.0);
    Window().MarkDocumentModified();
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    const std::string saved = dir.Read("us.qvh");
    EXPECT_NE(saved.find("E\t\t=\"145037.7\""), std::string::npos) << saved;

    app.reset();
    Start();
    EXPECT_TRUE(Open("us.qvh", saved).empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Named layers");
    EXPECT_EQ(Window().GetCurrentStructure()->GetSteelType(0)->Es, opened);
    EXPECT_EQ(app->GetFileName(), path);
    EXPECT_TRUE(ui.Done());
}

// A section read with more layers of a direction than a document keeps is refused, as the
// document would be: labelled text of 1001 bar layers.
TEST_F(UnheldLayerTest, MoreLayersThanADocumentKeepsAreRefusedByTheOlderReaders)
{
    std::string layers;
    for (int i = 0; i < 1001; ++i)
        layers += StrPrintf("LONGREINF L%d\nZ %d\nAI 100\nNUM 1\nENDLONG\n", i, 10 + i % 400);
    ExpectRefusedKeepingTheOpenSection("many.q2t", LabelledSection(layers),
                                       "The section has 1001 longitudinal layers in direction x: a section holds at "
                                       "most 1000. The file cannot be read.",
                                       "Load Error");
}

// Labelled text of as many bar layers, and as many stirrup layers, as a section holds (1000
// each) opens with every layer, and the document Save As writes from it opens again in a new
// session with them all; one stirrup layer more is refused, as one bar layer more is.
TEST_F(UnheldLayerTest, AsManyLayersAsASectionHoldsOpenAndOneStirrupLayerMoreIsRefused)
{
    const auto layers = [](int bars, int stirrups) {
        std::string text;
        for (int i = 0; i < bars; ++i)
            text += StrPrintf("LONGREINF L%d\nZ %d\nAI 100\nNUM 1\nENDLONG\n", i, 10 + i % 400);
        for (int i = 0; i < stirrups; ++i)
            text += StrPrintf("TRANSREINF S%d\nA 200\nPATTERN 3\nDB 11.3\n", i);
        return LabelledSection(text);
    };
    const auto expectAll = [this](const char* when) {
        SCOPED_TRACE(when);
        const TStructure& s = *Window().GetCurrentStructure();
        ASSERT_EQ(s.GetName(), "Old girder");
        EXPECT_EQ(s.GetLongLayerCount(0), 1000);
        EXPECT_EQ(s.GetTransLayerCount(2), 1000);
        // 1000 bars of 100 mm^2, and 1000 stirrups of 200 mm^2.
        double bars = 0.0, stirrups = 0.0;
        for (int i = 0; i < s.GetLongLayerCount(0); ++i)
            bars += s.GetLongLayer(i, 0)->A;
        for (int i = 0; i < s.GetTransLayerCount(2); ++i)
            stirrups += s.GetTransLayer(i, 2)->A;
        EXPECT_NEAR(bars, 0.1, 1e-9);
        EXPECT_NEAR(stirrups, 0.2, 1e-9);
    };
    const std::vector<UiRequest> boxes = Open("full.q2t", layers(1000, 1000));
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text);
    expectAll("opened");
    ui.File(plat::FileDialogKind::Save, dir.File("full.qvh"));
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    app.reset();
    Start();
    EXPECT_TRUE(Open("full.qvh", dir.Read("full.qvh")).empty());
    expectAll("saved and opened in a new session");
    EXPECT_TRUE(ui.Done());

    ExpectRefusedKeepingTheOpenSection("stirrups.q2t", layers(1, 1001),
                                       "The section has 1001 transverse layers in direction z: a section holds at "
                                       "most 1000. The file cannot be read.",
                                       "Load Error");
}

// A name with a control character in it (a NUL, an escape), as pasted text or another program
// can leave in a file, opens by File > Open with a blank in its place, in a document and in
// labelled text; saved, the document opens again the same in a new session.
TEST_F(UnheldLayerTest, ANameWithAControlCharacterOpensWithABlankAndOpensAgain)
{
    std::vector<std::unique_ptr<TStructure>> structures;
    structures.push_back(NamedLayersBeam());
    WriteStructures("named.qvh", std::move(structures));
    std::string text = dir.Read("named.qvh");
    for (const std::string& control : {std::string(1, '\0'), std::string("\x1b")}) {
        std::string damaged = text;
        damaged.replace(damaged.find("legs minus"), 10, "legs" + control + "minus");
        EXPECT_TRUE(Open("control.qvh", damaged).empty());
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Named layers");
        ASSERT_EQ(Window().GetCurrentStructure()->GetTransLayerCount(2), 1);
        EXPECT_EQ(Window().GetCurrentStructure()->GetTransLayer(0, 2)->name, "legs minus");
    }
    ui.File(plat::FileDialogKind::Save, dir.File("saved.qvh"));
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    app.reset();
    Start();
    EXPECT_TRUE(Open("saved.qvh", dir.Read("saved.qvh")).empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Named layers");
    EXPECT_EQ(Window().GetCurrentStructure()->GetTransLayer(0, 2)->name, "legs minus");

    EXPECT_TRUE(Open("control.q2t", LabelledSection("TRANSREINF legs\x1bminus\nA 200\nPATTERN 3\nDB 11.3\n")).empty());
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Old girder");
    EXPECT_EQ(Window().GetCurrentStructure()->GetTransLayer(0, 2)->name, "legs minus");
    EXPECT_TRUE(ui.Done());
}
