// What single elements and attributes of a document store, through the reader, and what the
// writer makes of stored values.

#include "DocumentTestSupport.h"
#include "foundation/StrFormat.h"
#include "model/ElementText.h"

namespace {

const std::string kMaterials = "<concrete fcp=\"30\" name=\"C\"/><rebar fy=\"400\"/>";

class ElementHandlers : public DocumentTest {
protected:
    TBeam& ReadBeam(const std::string& body, const std::string& root = "")
    {
        const XmlResult r = Read(Beam(body, root), doc);
        EXPECT_TRUE(r.Ok()) << r.message;
        return dynamic_cast<TBeam&>(*doc.structures.at(0));
    }
    XmlDocument doc;
};

TEST_F(ElementHandlers, ConcreteCodesAreHeldToTheirRanges)
{
    struct Row {
        const char* attributes;
        double fc;
        int baseCurve;
        int softening;
        int tensionStiffening;
    };
    const Row rows[] = {
        {"fcp=\"-40\"", -40e6, 2, 18, 7},
        {"fcp=\"40\" c_mod=\"7\"", -40e6, 2, 18, 7},
        {"fcp=\"40\" c_soft=\"25\" t_stiff=\"-1\"", -40e6, 2, 18, 7},
        {"fcp=\"40\" c_soft=\"9\"", -40e6, 2, 9, 7},
        {"fcp=\"40\" c_mod=\"65539\"", -40e6, 2, 18, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.attributes);
        TBeam& beam = ReadBeam(std::string("<concrete ") + row.attributes + "/>");
        const ConcreteTypeRec& c = *beam.GetConcreteType(0);
        EXPECT_DOUBLE_EQ(c.fc, row.fc);
        EXPECT_EQ(c.baseCurve, row.baseCurve);
        EXPECT_EQ(c.softening, row.softening);
        EXPECT_EQ(c.tensionStiffening, row.tensionStiffening);
    }
}

TEST_F(ElementHandlers, AutomaticTensileStrengthAndPeakStrain)
{
    TBeam& automatic = ReadBeam("<concrete fcp=\"30\" ft=\"-1\" e0=\"-1\"/>");
    EXPECT_EQ(automatic.GetConcreteType(0)->ftAuto, 1);
    EXPECT_EQ(automatic.GetConcreteType(0)->ecAuto, 1);
    TBeam& given = ReadBeam("<concrete fcp=\"30\" ft=\"0\" e0=\"2.5\"/>");
    EXPECT_EQ(given.GetConcreteType(0)->ftAuto, 0);
    EXPECT_EQ(given.GetConcreteType(0)->ecAuto, 0);
    EXPECT_DOUBLE_EQ(given.GetConcreteType(0)->ec, -0.0025);
}

TEST_F(ElementHandlers, UnitsTakeTheFirstLetterWhateverTheAttributeOrder)
{
    struct Row {
        const char* root;
        double spacing;
        bool error;
    };
    const Row rows[] = {
        {"smx=\"50\" units=\"metric\"", 0.05, false},
        {"smx=\"50\" units=\"Metric\"", 0.05, false},
        {"smx=\"2\" units=\"us\"", 2 / 39.37008, false},
        {"units=\"US\" smx=\"2\"", 2 / 39.37008, false},
        {"smx=\"5\" units=\"oldmetric\"", 0.05, false},
        {"smx=\"50\" units=\"SI\"", 0.05, true},
    };
    // The steel's modulus given, as the writer gives it in every unit system: the definition's
    // default, 200000, is a modulus of 200000 ksi in US units (200000 t/cm^2 in kg/cm), past what
    // a section takes. 2000 is one a section takes in each.
    const std::string materials = "<concrete fcp=\"30\" name=\"C\"/><rebar fy=\"400\" E=\"2000\"/>";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.root);
        reporter.Clear();
        TBeam& beam = ReadBeam(materials, row.root);
        EXPECT_NEAR(beam.GetCrackSpacing(0), row.spacing, 1e-12);
        EXPECT_EQ(reporter.Saw("Units Error") || reporter.Count("not regonized") > 0, row.error);
        EXPECT_EQ(g_UnitSystem, kUnitSI);
    }
}

TEST_F(ElementHandlers, AttributeTextsAndElementCounts)
{
    TBeam beam;
    beam.SetCrackSpacing(0.05, 0);
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.dep = 1e-9;
    layer.nround = 20000;
    beam.AddLongLayer(layer, 0);
    layer.A = 0.001;
    beam.AddLongLayer(layer, 0);
    layer.A = 1.0 / 1550.003; // one square inch
    beam.AddLongLayer(layer, 0);
    const struct {
        const char* element;
        const char* attribute;
        int index;
        int units;
        const char* text;
    } rows[] = {{"q3g_beam", "smx", 0, kUnitSI, " 50.0"},
                {"q3g_beam", "smt", 0, kUnitSI, "-1"},
                {"q3g_beam", "axialloc", 0, kUnitSI, "-1"},
                {"longreinfx", "dep", 0, kUnitSI, "0.000001"},
                {"longreinfx", "nround", 0, kUnitSI, "0"},
                {"longreinfx", "bartitle", 0, kUnitSI, "IGNORE"},
                // Three decimals of a square inch keep one square inch; they would lose
                // 2e-6 of 1000 mm^2, which is written with ten digits instead.
                {"longreinfx", "A", 2, kUnitUS, "1.000"},
                {"longreinfx", "A", 1, kUnitUS, "1.550003"}};
    for (const auto& row : rows) {
        std::string text;
        int units = row.units;
        beam.GetAttributeText(row.element, row.attribute, row.index, text, &units);
        EXPECT_EQ(text, row.text) << row.attribute;
    }
    int units = kUnitSI;
    EXPECT_DOUBLE_EQ(FromDocument("0.000001", ukStrain, &units), 1e-9);
    EXPECT_EQ(beam.GetElementCount("rebarthermx"), 0);
    EXPECT_EQ(beam.GetElementCount("analysisoptions"), 0);
    g_ResistanceFactors.phi_c = 0.65;
    EXPECT_EQ(beam.GetElementCount("analysisoptions"), 1);
}

TEST_F(ElementHandlers, CatalogueBarKeepsTheTotalArea)
{
    TBeam beam;
    int units = kUnitSI;
    const std::string title = g_RebarList.GetName(3);
    beam.BeginElement("longreinfx");
    EXPECT_EQ(beam.SetAttribute("longreinfx", "num", "4", &units), 1);
    EXPECT_EQ(beam.SetAttribute("longreinfx", "A", "1200.0", &units), 1);
    EXPECT_EQ(beam.SetAttribute("longreinfx", "bartitle", title, &units), 1);
    const LongLayerRec& layer = *beam.GetLongLayer(0, 0);
    EXPECT_EQ(layer.barIndex, 3);
    EXPECT_DOUBLE_EQ(layer.Ai, g_RebarList.GetArea(3));
    EXPECT_DOUBLE_EQ(layer.db, g_RebarList.GetDiameter(3));
    EXPECT_DOUBLE_EQ(layer.A, 1200e-6);
    // A user bar: Ai after num sets the total.
    beam.BeginElement("longreinfx");
    beam.SetAttribute("longreinfx", "A", "1200.0", &units);
    beam.SetAttribute("longreinfx", "num", "2", &units);
    beam.SetAttribute("longreinfx", "Ai", "300", &units);
    EXPECT_DOUBLE_EQ(beam.GetLongLayer(1, 0)->A, 600e-6);
}

// A layer of two bars titled "20M" (300 mm^2, 19.5 mm in the catalogue) but of 500 mm^2,
// 25.2 mm across is written with its title and its size and read back with that size in every
// unit system; a layer of the catalogue's 20M is written by its title alone.
TEST_F(ElementHandlers, ABarOfItsOwnSizeUnderACatalogueTitleIsWrittenWithItsSize)
{
    const int listed = g_RebarList.FindByName("20M");
    ASSERT_GE(listed, 0);
    TBeam beam;
    beam.DeleteLongLayers(0);
    for (const double Ai : {500e-6, g_RebarList.GetArea(listed)}) {
        LongLayerRec layer;
        InitLongLayerRec(layer);
        layer.z = beam.GetBottom() + (Ai > 400e-6 ? 0.05 : 0.4);
        layer.num = 2;
        layer.Ai = Ai;
        layer.A = 2 * Ai;
        layer.db = Ai > 400e-6 ? 0.0252 : g_RebarList.GetDiameter(listed);
        layer.bartitle = "20M";
        layer.barIndex = listed;
        layer.name = Ai > 400e-6 ? "own" : "listed";
        beam.AddLongLayer(layer, 0);
    }
    beam.Validate();
    for (int units = 0; units < kUnitSystemCount; ++units) {
        SCOPED_TRACE(units);
        g_UnitSystem = units;
        const std::string text = Write({&beam}, units);
        const std::size_t own = text.find("<longreinfx");
        const std::size_t catalogue = text.find("<longreinfx", own + 1);
        EXPECT_NE(text.substr(own, catalogue - own).find("Ai"), std::string::npos);
        EXPECT_EQ(text.substr(catalogue, text.find("/>", catalogue) - catalogue).find("Ai"), std::string::npos);
        XmlDocument read;
        ASSERT_TRUE(Read(text, read).Ok());
        for (int i = 0; i < 2; ++i) {
            const LongLayerRec& written = *beam.GetLongLayer(i, 0);
            const LongLayerRec& layer = *read.structures.at(0)->GetLongLayer(i, 0);
            SCOPED_TRACE(layer.name);
            EXPECT_EQ(layer.bartitle, "20M");
            EXPECT_EQ(layer.num, 2);
            EXPECT_NEAR(layer.Ai, written.Ai, 1e-9 * written.Ai);
            EXPECT_NEAR(layer.A, written.A, 1e-9 * written.A);
            EXPECT_NEAR(layer.db, written.db, 1e-9 * written.db);
        }
        EXPECT_TRUE(reporter.messages.empty());
    }
}

TEST_F(ElementHandlers, ThermalStrainsGoToEveryLayerOfTheName)
{
    TBeam& beam = ReadBeam(kMaterials +
                           "<longreinfx z=\"50\" type=\"Steel 1\" name=\"bot\"/>"
                           "<longreinfx z=\"60\" type=\"Steel 1\" name=\"bot\"/>"
                           "<longreinfx z=\"400\" type=\"Steel 1\" name=\"top\"/>"
                           "<rebarthermx> \"bot\" 0.5 \"none\" 1.0 \"top\" </rebarthermx>");
    EXPECT_DOUBLE_EQ(beam.GetLongLayer(0, 0)->thermStrain, 0.0005);
    EXPECT_DOUBLE_EQ(beam.GetLongLayer(1, 0)->thermStrain, 0.0005);
    EXPECT_DOUBLE_EQ(beam.GetLongLayer(2, 0)->thermStrain, 0.0);
}

TEST_F(ElementHandlers, ExperimentalBins)
{
    struct Row {
        const char* bin;
        int list;
    };
    for (const Row row : {Row{"theta", 0}, Row{"f1", 12}, Row{"29", 29}}) {
        SCOPED_TRACE(row.bin);
        TBeam& beam =
            ReadBeam(std::string("<experimentaldata bin=\"") + row.bin + "\"> 1 2 </experimentaldata>");
        ASSERT_NE(beam.GetValueList(row.list), nullptr);
        EXPECT_EQ(beam.GetValueList(row.list)->GetCount(), 2);
    }
    for (const char* bad : {"30", "-1"}) {
        const XmlResult r = Read(Beam(std::string("<experimentaldata bin=\"") + bad + "\"/>"), doc);
        EXPECT_EQ(r.status, XmlStatus::Refused);
    }
}

TEST_F(ElementHandlers, ProfilesWithAnOddCountEndInAZeroStrain)
{
    TBeam& beam = ReadBeam(kMaterials + "<shrinktherm> 0 -0.2 500 </shrinktherm>");
    const TDepthTable& shrink = beam.GetPositionVariable(kShrinkTherm);
    ASSERT_GE(shrink.GetCount(), 2);
    bool foundTop = false;
    for (int i = 0; i < shrink.GetCount(); ++i)
        foundTop = foundTop || shrink.GetValue(i) == 0.0;
    EXPECT_TRUE(foundTop);
    TBeam zeros;
    TDepthTable flat("flat");
    flat.Add(0.5, 0.0);
    flat.Add(0.0, 0.0);
    zeros.SetShrinkThermCurve(flat);
    EXPECT_EQ(zeros.GetElementCount("shrinktherm"), 0);
    flat.Add(0.25, 0.0);
    zeros.SetShrinkThermCurve(flat);
    EXPECT_EQ(zeros.GetElementCount("shrinktherm"), 1);
}

TEST_F(ElementHandlers, DocumentNumbers)
{
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[] = {{" 12.5abc", 12.5}, {"-.5", -0.5}, {"1e3", 1000.0}, {"2e", 2.0},
                        {"inf", 0.0},       {"nan", 0.0},  {"0x10", 0.0},   {"1e999", 1e300},
                        {".", 0.0},         {"", 0.0},     {"-1e251", -1e251}};
    for (const Row& row : rows)
        EXPECT_EQ(ReadDocumentNumber(row.text), row.value) << row.text;
    EXPECT_EQ(ReadDocumentInteger("99999999999"), 2147483647);
    EXPECT_EQ(ReadDocumentInteger("-7x"), -7);
    EXPECT_EQ(ReadDocumentCode("65537"), 1);
}

// An integer field takes a number only within the range of the field that keeps it; any
// other number leaves the field as it was and names the attribute in the load-error log.
TEST_F(ElementHandlers, IntegerFieldsOutsideTheirRangeKeepTheirValueAndAreLogged)
{
    const auto logged = [](const std::string& text) {
        return HasReportText() && g_ReportText->find(text) != std::string::npos;
    };
    int flag = -1;
    double age = 0.0;
    double moment = 0.0;
    double axial = 0.0;
    // The long-term flag is 16 bits: 6.7e15 (found by fuzzing) cannot be held.
    TBeam& far = ReadBeam(kMaterials + "<analysisoptions longterm=\"6712328767123292\" age=\"2\"/>");
    far.GetTimeData(flag, age, moment, axial);
    EXPECT_EQ(flag, 0);
    EXPECT_DOUBLE_EQ(age, 2 * 365.0);
    EXPECT_TRUE(logged(
        "analysisoptions longterm=\"6712328767123292\" lies outside -32768 to 32767; 0 is kept"));
    ClearReportText();
    TBeam& on = ReadBeam(kMaterials + "<analysisoptions longterm=\" 1\"/>");
    on.GetTimeData(flag, age, moment, axial);
    EXPECT_EQ(flag, 1);
    EXPECT_FALSE(HasReportText());

    // 32-bit fields: 2^31 is one past the largest; 20 digits pass 64 bits. (A count of bars
    // past what a layer holds refuses the document instead: LayerBarCount.)
    TBeam& bars = ReadBeam(kMaterials + "<longreinfx z=\"50\" index=\"2147483647\"/>"
                                        "<longreinfx z=\"60\"/>");
    ASSERT_EQ(bars.GetLongLayerCount(0), 2);
    EXPECT_EQ(bars.GetLongLayer(0, 0)->index, 2147483647);
    const int unset = bars.GetLongLayer(1, 0)->index;
    const int unsetBars = bars.GetLongLayer(1, 0)->num;
    EXPECT_FALSE(HasReportText());
    TBeam& wide = ReadBeam(kMaterials + "<longreinfx z=\"50\" index=\"2147483648\"/>"
                                        "<longreinfx z=\"60\" num=\"-99999999999999999999\"/>");
    ASSERT_EQ(wide.GetLongLayerCount(0), 2);
    EXPECT_EQ(wide.GetLongLayer(0, 0)->index, unset);
    EXPECT_EQ(wide.GetLongLayer(1, 0)->num, unsetBars);
    EXPECT_TRUE(logged(StrPrintf(
        "longreinfx index=\"2147483648\" lies outside -2147483648 to 2147483647; %d is kept", unset)));
    EXPECT_TRUE(logged("num=\"-99999999999999999999\" lies outside"));
    ClearReportText();
    TBeam& fire = ReadBeam(kMaterials + "<firedata exposure=\"2\" type=\"-2147483649\"/>");
    int exposure = 0;
    int type = 0;
    int perform = 0;
    double time = 0.0;
    double temperature = 0.0;
    TBeam fresh;
    fresh.GetFireData(exposure, type, perform, time, temperature);
    const int defaultType = type;
    fire.GetFireData(exposure, type, perform, time, temperature);
    EXPECT_EQ(exposure, 2);
    EXPECT_EQ(type, defaultType);
    EXPECT_TRUE(logged("firedata type=\"-2147483649\" lies outside"));
    ClearReportText();

    // A concrete model code beyond 16 bits is not wrapped into the range: it takes the
    // code's default, as any code outside its range does.
    TBeam& codes = ReadBeam("<concrete fcp=\"40\" c_mod=\"65539\" c_soft=\"70000\"/>");
    EXPECT_EQ(codes.GetConcreteType(0)->baseCurve, 2);
    EXPECT_EQ(codes.GetConcreteType(0)->softening, 18);
    EXPECT_TRUE(logged("concrete c_mod=\"65539\" lies outside -32768 to 32767; 2 is kept"));
}

} // namespace
