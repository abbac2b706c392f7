// Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/: documents written by
// the program's own writer, the older files the reader tests build, and the default "rebar.dat"
// and "shape.dat". Run from the source tree's root: build/fuzz/fuzz/fuzz_make_seeds
// The labelled text seeds are texts of the reader's tests, kept as files (and one of them in
// BeamFileLoad).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/files/BeamFixture.h"
#include "tests/files/LegacyFileBuilders.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"

namespace {

void Save(const std::string& target, const std::string& name, const std::string& bytes)
{
    const std::filesystem::path folder = std::filesystem::path("fuzz/corpus") / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

void Save(const std::string& target, const std::string& name, const std::vector<std::uint8_t>& b)
{
    Save(target, name, std::string(b.begin(), b.end()));
}

std::string Document(const std::vector<TStructure*>& structures, int units)
{
    g_UnitSystem = units;
    TXmlDtd dtd(kBuiltInDtd, units);
    StringSink sink;
    WriteXmlDocument(dtd, structures, nullptr, sink);
    g_UnitSystem = kUnitSI;
    return sink.Text();
}

} // namespace

int main()
{
    static SilentReporter reporter;
    SetReporter(&reporter);
    std::istringstream listing(DefaultRebarListing());
    g_RebarList.ReadListing(listing);

    auto full = MakeFullBeam();
    TBeam plain;
    plain.Validate();
    TShell shell;
    double strength = 30e6;
    shell.AddConcreteTypeFromStrength(strength, "Panel");
    shell.Validate();
    for (int units = 0; units < kUnitSystemCount; ++units)
        Save("XmlDocument", "full_beam_" + std::to_string(units) + ".xml",
             Document({full.get()}, units));
    Save("XmlDocument", "beam_and_shell.xml", Document({&plain, &shell}, kUnitSI));
    Save("XmlRoundTrip", "full_beam.xml", Document({full.get()}, kUnitSI));
    Save("XmlRoundTrip", "beam_and_shell.xml", Document({&plain, &shell}, kUnitSI));
    // The T-beam with a thermal strain of its own on its stirrups.
    auto stirred = MakeFullBeam();
    stirred->SetTransLayerValue(0, 0.5e-3, 2);
    Save("XmlDocument", "stirrup_strain.xml", Document({stirred.get()}, kUnitSI));
    Save("XmlRoundTrip", "stirrup_strain.xml", Document({stirred.get()}, kUnitSI));
    Save("BeamFileLoad", "beam_a_v5.bin", MakeV05File().bytes);
    Save("BeamFileLoad", "beam_b_v8.bin", MakeV08File(8).bytes);
    Save("BeamFileLoad", "two_types.bin", MakeTwoTypeSheet());

    Save("NativeV05", "beam_a.bin", MakeV05File().bytes);
    Save("NativeV08", "beam_b_v8.bin", MakeV08File(8).bytes);
    Save("NativeV08", "beam_b_v7.bin", MakeV08File(7).bytes);
    Save("NativeV08", "beam_b_old_revision.bin", MakeV08File(8, 30000).bytes);
    Save("Predecessor", "two_types.bin", MakeTwoTypeSheet());
    Save("RebarList", "rebar.dat", DefaultRebarListing());
    Save("ShapeFile", "shape.dat", DefaultShapeFileText());
    return 0;
}
