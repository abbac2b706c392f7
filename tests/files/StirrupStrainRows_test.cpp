// The stirrups' own thermal strains in a document: rows of layer name and strain in the element
// transthermz, written only when a stirrup carries a strain, and read back by layer name as the
// bars' rows of rebarthermx are. Documents without such a strain are written as they always were.

#include <filesystem>
#include <fstream>
#include <sstream>

#include "BeamFixture.h"
#include "DocumentTestSupport.h"
#include "tests/model/StructureFixtures.h"

namespace {

const std::string kMaterials = "<concrete fcp=\"30\" name=\"C\"/><rebar fy=\"400\"/>";

// A 400 x 600 mm beam with one bar layer and two stirrup layers, "outer" and "inner".
std::unique_ptr<TBeam> BeamWithStirrups()
{
    auto beam = fixtures::BeamWithBottomBars(500e-6);
    beam->SetName("Stirrups");
    for (const char* name : {"outer", "inner"}) {
        TransLayerRec stirrup = fixtures::Stirrup(0.03, 0.57, 0.0113, 0.2, 200e-6);
        stirrup.name = name;
        beam->AddTransLayer(stirrup, 2);
    }
    return beam;
}

// A document of tests/files/documents, as it stands.
std::string Before(const std::string& name)
{
    std::ifstream in(std::filesystem::path(QV_SOURCE_DIR) / "tests/files/documents" / name,
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class StirrupStrainRows : public DocumentTest {
protected:
    TStructure& ReadOne(const std::string& text)
    {
        const XmlResult r = Read(text, doc);
        EXPECT_TRUE(r.Ok()) << r.message;
        return *doc.structures.at(0);
    }
    XmlDocument doc;
};

// A stirrup strain is written after the bars' strains, a row per stirrup layer in layer order
// (whatever its strain), in the strain unit of the document's system (mm/m in each); it reads
// back onto the layer of that name.
TEST_F(StirrupStrainRows, AStirrupsStrainIsWrittenByLayerNameAndReadBack)
{
    auto beam = BeamWithStirrups();
    beam->GetTransLayer(1, 2)->thermStrain = 0.5e-3;
    beam->GetLongLayer(0, 0)->thermStrain = -0.2e-3;
    beam->Validate();
    for (int units = 0; units < kUnitSystemCount; ++units) {
        SCOPED_TRACE(units);
        g_UnitSystem = units;
        const std::string text = Write({beam.get()}, units);
        const std::string rows = "\t\t<transthermz\t\t>\r\n\t\t\t\t\"outer\" 0.000\r\n\t\t\t\t\"inner\" "
                                 "0.500\r\n\t\t\t</transthermz>\r\n";
        const std::size_t at = text.find(rows);
        ASSERT_NE(at, std::string::npos) << text;
        EXPECT_LT(text.find("</rebarthermx>"), at);

        TStructure& read = ReadOne(text);
        ASSERT_EQ(read.GetTransLayerCount(2), 2);
        EXPECT_EQ(read.GetTransLayer(0, 2)->thermStrain, 0.0);
        EXPECT_NEAR(read.GetTransLayer(1, 2)->thermStrain, 0.5e-3, 1e-15);
        EXPECT_NEAR(read.GetLongLayer(0, 0)->thermStrain, -0.2e-3, 1e-15);
        EXPECT_NE(Write({&read}, units).find(rows), std::string::npos);
    }
}

// Rows a document may hold that match no stirrup as written: a name no layer has is passed over,
// a strain that is missing or no number reads as 0, every layer of a shared name takes the row's
// strain, and a name with an entity matches its layer. A shell element's stirrups read theirs
// the same way; a direction the element has no stirrups in changes nothing.
TEST_F(StirrupStrainRows, DamagedAndUnknownRowsAreReadAsTheBarsRowsAre)
{
    const std::string stirrups = "<transreinfz A=\"200\" type=\"Steel 1\" name=\"a&amp;b\"/>"
                                 "<transreinfz A=\"200\" type=\"Steel 1\" name=\"twin\"/>"
                                 "<transreinfz A=\"200\" type=\"Steel 1\" name=\"twin\"/>"
                                 "<transreinfz A=\"200\" type=\"Steel 1\" name=\"plain\"/>"
                                 "<transreinfz A=\"200\" type=\"Steel 1\" name=\"last\"/>";
    const std::string rows = "<transthermz> \"none\" 9.0 \"a&amp;b\" 0.25 \"twin\" -0.4 \"plain\" x \"last\" "
                             "</transthermz><transthermx> \"plain\" 7.0 </transthermx>";
    TStructure& beam = ReadOne(Beam(kMaterials + stirrups + rows));
    ASSERT_EQ(beam.GetTransLayerCount(2), 5);
    const double expected[] = {0.25e-3, -0.4e-3, -0.4e-3, 0.0, 0.0};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(beam.GetTransLayer(i, 2)->thermStrain, expected[i], 1e-15) << i;
    EXPECT_TRUE(reporter.messages.empty());

    const std::string shell = kHead + "\t<p3g_shell>\r\n" + kMaterials + stirrups + rows + "\t</p3g_shell>\r\n" + kTail;
    TStructure& element = ReadOne(shell);
    ASSERT_EQ(element.GetKind(), kKindShell);
    ASSERT_EQ(element.GetTransLayerCount(2), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(element.GetTransLayer(i, 2)->thermStrain, expected[i], 1e-15) << i;
    EXPECT_NE(Write({&element}).find("\"twin\" -0.400"), std::string::npos);
}

// A "q3g.dtd" beside the program that an earlier version wrote (the definition without the
// stirrups' element, which is read in place of the built-in one) cannot hold a stirrup strain:
// the save says so, once, and writes the rest; without a stirrup strain it says nothing.
TEST_F(StirrupStrainRows, AnEarlierDefinitionThatCannotHoldAStirrupStrainIsTold)
{
    std::string earlier = kBuiltInDtd;
    for (std::size_t at = earlier.find("transthermz?, "); at != std::string::npos;
         at = earlier.find("transthermz?, "))
        earlier.erase(at, 14);
    dir.Write("q3g.dtd", earlier);
    auto beam = BeamWithStirrups();
    beam->Validate();
    const auto save = [&] {
        TXmlDtd dtd;
        StringSink sink;
        EXPECT_TRUE(WriteXmlDocument(dtd, {beam.get()}, nullptr, sink).Ok());
        return sink.Text();
    };
    EXPECT_EQ(save().find("transtherm"), std::string::npos);
    EXPECT_TRUE(reporter.messages.empty());

    beam->SetTransLayerValue(1, 0.5e-3, 2);
    EXPECT_EQ(save().find("transtherm"), std::string::npos);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.Count("The document type definition \"q3g.dtd\" has no place for the thermal "
                             "strains of the stirrups of \"Stirrups\""),
              1);
}

// Without a stirrup strain the documents are those the program has always written: the
// documents in tests/files/documents were written by the writer before stirrup strains had a
// place (a T-beam with stirrups and bar strains in every unit system; a default beam and shell).
TEST_F(StirrupStrainRows, DocumentsWithoutAStirrupStrainAreWrittenAsBefore)
{
    const std::string date = "2026/12/6";
    auto full = MakeFullBeam();
    full->SetDate(date);
    ASSERT_GT(full->GetTransLayerCount(2), 0);
    for (int units = 0; units < kUnitSystemCount; ++units) {
        SCOPED_TRACE(units);
        g_UnitSystem = units;
        const std::string before =
            Before("without_stirrup_strain_full_beam_" + std::to_string(units) + ".xml");
        ASSERT_FALSE(before.empty());
        EXPECT_EQ(Write({full.get()}, units), before);
    }
    g_UnitSystem = kUnitSI;
    TBeam plain;
    plain.SetDate(date);
    plain.Validate();
    TShell shell;
    shell.SetDate(date);
    double strength = 30e6;
    shell.AddConcreteTypeFromStrength(strength, "Panel");
    shell.Validate();
    EXPECT_EQ(Write({&plain, &shell}), Before("without_stirrup_strain_beam_and_shell.xml"));
}

} // namespace
