// Older files opened by File > Open are held to the rules their saved document is read back
// by: a section the document reader would refuse is refused when the older file is opened, and
// every other one opens, is saved by File > Save As and reopens as the same section.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"
#include "model/TStructure.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionShape.h"
#include "tests/app/ShellFixture.h"
#include "tests/files/LegacyFileBuilders.h"

namespace {

using namespace std::string_literals;

// Where the builders put the fields changed here (header 45 bytes, then the blocks): the
// counts of concrete records in the section blocks, the first concrete record of each version
// and its three model codes.
constexpr std::size_t kConcreteCount = 45 + 131;
constexpr std::size_t kV05Concrete = 45 + 143 + 76;
constexpr std::size_t kV05BaseCurve = kV05Concrete + 80;
constexpr std::size_t kV05TensionStiffening = kV05Concrete + 84;
constexpr std::size_t kV08Concrete = 45 + 409;
constexpr std::size_t kV08BaseCurve = kV08Concrete + 104;
constexpr std::size_t kV08Softening = kV08Concrete + 106;
constexpr std::size_t kV08TensionStiffening = kV08Concrete + 108;

constexpr const char* kHead = "// Quarvish input Ver_0.8\nINPUT-LABEL only\n";
// A 500 x 300 mm rectangle of the section's first concrete type.
constexpr const char* kOutline = "SECTION SOLID\n500 300\n0 300\nENDSECTION\n";

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

void PatchI16(std::vector<std::uint8_t>& bytes, std::size_t at, int value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// Version 0.5 with its region but without its concrete record.
std::string V05WithoutConcrete() {
    std::vector<std::uint8_t> bytes = MakeV05File().bytes;
    bytes.erase(bytes.begin() + kV05Concrete, bytes.begin() + kV05Concrete + 106);
    PatchI16(bytes, kConcreteCount, 0);
    return Text(bytes);
}

// Version 0.8 with its region but without its two concrete records (and so no user curves).
std::string V08WithoutConcrete() {
    const V08File file = MakeV08File();
    std::vector<std::uint8_t> bytes(file.bytes.begin(), file.bytes.begin() + static_cast<long>(file.curveSection));
    bytes.insert(bytes.end(), 4, std::uint8_t{0});
    bytes.erase(bytes.begin() + kV08Concrete, bytes.begin() + kV08Concrete + 2 * 194);
    PatchI16(bytes, kConcreteCount, 0);
    return Text(bytes);
}

// The model codes and the Popovics constants of a concrete type, and its strength.
struct Concrete {
    int baseCurve;
    int softening;
    int tensionStiffening;
    double n;
    double k;
    double fc;
};

Concrete Of(const ConcreteTypeRec& c) {
    return {c.baseCurve, c.softening, c.tensionStiffening, c.n, c.k, c.fc};
}

class OlderFileReopeningTest : public StartedShellTest {
protected:
    OlderFileReopeningTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~OlderFileReopeningTest() override { SetDocumentEngine(m_previous); }

    // File > Open of the file written with the bytes, the changes of the open document not
    // saved; script() scripts the boxes and the load report the read shows.
    void Open(const std::string& name, const std::string& bytes, const std::function<void()>& script = {}) {
        dir.Write(name, bytes);
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, dir.File(name));
        if (script)
            script();
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }
    // File > Save As to name, then File > Open of it.
    void SaveAsAndReopen(const std::string& name) {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        ui.File(plat::FileDialogKind::Open, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }
    // The load report of the read: its text kept, closed.
    void ExpectReport(std::string& shown) {
        ui.DataView([&shown](std::string& text) {
            shown = text;
            return false;
        });
    }
    TStructure& Shown() { return *app->GetClient().GetCurrentStructure(); }

private:
    TDocumentEngine* m_previous;
};

} // namespace

// Files whose section a document could not carry: an outline whose concrete the file never
// defines (0.5 and 0.8), a bar steel with a modulus of 0, below the least a section holds
// (1 MPa), and a bar steel of 400 MPa with a modulus of 1 MPa, whose strain-hardening strain
// comes to fy / Es = 400 MPa / 1 MPa = 400, forty times the 10 a section holds. Each is refused at opening with the document reader's
// words, and the section open before stays, under its own file name.
TEST_F(OlderFileReopeningTest, ASectionItsDocumentWouldRefuseIsRefusedAtOpening) {
    Open("sound.q2t", kHead + "TITLE Sound\nUNITS Metric\n"s + kOutline);
    ASSERT_EQ(Shown().GetName(), "Sound");
    const std::string sound = app->GetFileName();
    const std::string steel = "Steel type 3 (\"R1\") has a strain-hardening strain of 4e+05 mm/m: a section takes "
                              "at most 10000 mm/m. The file cannot be read.";
    struct Case {
        const char* name;
        std::string bytes;
        std::string box;
        const char* caption;
        const char* report;  // a line of the load report shown after the box, or null
    };
    const Case cases[] = {
        {"noconcrete05.q2k", V05WithoutConcrete(),
         "Section \"Beam A\": its outline names no concrete type, and the section defines none, so it cannot be "
         "analysed. It was not read.",
         "Invalid File", "Region 1 refers to material type 1, which does not exist"},
        {"noconcrete08.q2k", V08WithoutConcrete(),
         "Section \"Beam B\": its outline names no concrete type, and the section defines none, so it cannot be "
         "analysed. It was not read.",
         "Invalid File", "Region 1 refers to material type 1, which does not exist"},
        {"modulus0.q2t", kHead + "TITLE Soft\nUNITS Metric\nMATERIAL REBAR R1\nFY 400\nE 0\nENDMAT\n"s + kOutline,
         "Steel type 3 (\"R1\") has an elastic modulus of 0 MPa: a section takes at least 1 MPa. The file "
         "cannot be read.",
         "Load Error", nullptr},
        {"modulus1.q2t", kHead + "TITLE Soft\nUNITS Metric\nMATERIAL REBAR R1\nFY 400\nE 1\nENDMAT\n"s + kOutline,
         steel, "Load Error", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string report;
        const std::size_t before = ui.requests.size();
        Open(c.name, c.bytes, [&] {
            ui.Message(c.box, MsgAnswer::Ok);
            if (c.report)
                ExpectReport(report);
        });
        EXPECT_TRUE(ui.Done());
        const auto box = std::find_if(ui.requests.begin() + static_cast<long>(before), ui.requests.end(),
                                      [](const UiRequest& r) { return r.kind == "message" && r.text.rfind("Save Changes", 0) != 0; });
        if (box == ui.requests.end()) {
            ADD_FAILURE() << "no box";
        } else {
            EXPECT_EQ(box->text, c.box + "\n\nFile: " + dir.File(c.name));
            EXPECT_EQ(box->caption, c.caption);
        }
        if (c.report) {
            EXPECT_NE(report.find(c.report), std::string::npos) << report;
        }
        EXPECT_EQ(Shown().GetName(), "Sound");
        EXPECT_EQ(app->GetFileName(), sound);
    }
}

// Concrete model codes past their lists (a base curve of 7 or 9, a softening code of 19 or 25,
// a tension-stiffening code of -1 or 8) open as a document reads them: the Popovics curve, the
// 2011 softening and the 1999 tension stiffening, each told in the load report. The Popovics
// constants are then those of f'c: n = 0.8 + f'c / 17 and k = 0.67 + f'c / 62 (f'c in MPa),
// and the section saved and reopened is the same.
TEST_F(OlderFileReopeningTest, ModelCodesPastTheirListsOpenSaveAndReopenAsADocumentReadsThem) {
    std::vector<std::uint8_t> v05 = MakeV05File().bytes;
    PatchI16(v05, kV05BaseCurve, 9);
    PatchI16(v05, kV05TensionStiffening, 30);
    std::vector<std::uint8_t> v08 = MakeV08File().bytes;
    PatchI16(v08, kV08BaseCurve, 7);
    PatchI16(v08, kV08Softening, 19);
    PatchI16(v08, kV08TensionStiffening, -1);
    struct Case {
        const char* name;
        std::string bytes;
        int type;  // the concrete type of the codes
        double fc; // its f'c (MPa)
        std::array<int, 3> codes; // base curve, softening, tension stiffening
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"codes05.q2k", Text(v05), 0, 35.0, {2, 18, 7},
         {"Concrete type 1 (\"Conc A\") has base curve code 9, which does not exist; code 2 is used",
          "has tension stiffening code 30, which does not exist; code 7 is used"}},
        {"codes08.q2k", Text(v08), 0, 30.0, {2, 18, 7},
         {"Concrete type 1 (\"C30\") has base curve code 7, which does not exist; code 2 is used",
          "has compression softening code 19, which does not exist; code 18 is used",
          "has tension stiffening code -1, which does not exist; code 7 is used"}},
        // Type 1: a new section's own concrete is type 0.
        {"codes.q2t", kHead + "TITLE Codes\nUNITS Metric\nMATERIAL CONCRETE C1\nFCP 30\nC_MOD 9\nC_SOFT 25\n"
                              "T_STIFF 8\nENDMAT\nSECTION SOLID\n500 300 C1\n0 300 C1\nENDSECTION\n"s,
         1, 30.0, {2, 18, 7},
         {"Concrete type 2 (\"C1\") has base curve code 9", "compression softening code 25",
          "tension stiffening code 8"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string report;
        Open(c.name, c.bytes, [&] { ExpectReport(report); });
        EXPECT_TRUE(ui.Done());
        for (const std::string& line : c.told)
            EXPECT_NE(report.find(line), std::string::npos) << report;
        ASSERT_GT(Shown().GetConcreteTypeCount(), c.type);
        const Concrete opened = Of(*Shown().GetConcreteType(c.type));
        EXPECT_EQ(opened.baseCurve, c.codes[0]);
        EXPECT_EQ(opened.softening, c.codes[1]);
        EXPECT_EQ(opened.tensionStiffening, c.codes[2]);
        EXPECT_NEAR(opened.fc, -c.fc * 1e6, 1.0);
        EXPECT_NEAR(opened.n, 0.8 + c.fc / 17.0, 1e-9);
        EXPECT_NEAR(opened.k, 0.67 + c.fc / 62.0, 1e-9);

        SaveAsAndReopen(std::string(c.name) + ".qvh");
        EXPECT_TRUE(ui.Done());
        ASSERT_GT(Shown().GetConcreteTypeCount(), c.type);
        const Concrete reopened = Of(*Shown().GetConcreteType(c.type));
        EXPECT_EQ(reopened.baseCurve, opened.baseCurve);
        EXPECT_EQ(reopened.softening, opened.softening);
        EXPECT_EQ(reopened.tensionStiffening, opened.tensionStiffening);
        EXPECT_DOUBLE_EQ(reopened.n, opened.n);
        EXPECT_DOUBLE_EQ(reopened.k, opened.k);
        EXPECT_NEAR(reopened.fc, opened.fc, 1.0);
    }
}

// A NUL inside a title line is read as a blank, as everywhere else in the program: the title
// keeps what follows it, and the saved document reopens with the same title.
TEST_F(OlderFileReopeningTest, ANulInsideATitleIsABlankAndTheTitleIsKept) {
    Open("nul.q2t", kHead + "TITLE Own\0size bar\nUNITS Metric\n"s + kOutline);
    EXPECT_EQ(Shown().GetName(), "Own size bar");
    SaveAsAndReopen("nul.qvh");
    EXPECT_EQ(Shown().GetName(), "Own size bar");
    EXPECT_TRUE(ui.Done());
}

// A steel record of a kind no section has (5 in a 0.8 file, 0 in a 0.7 file) is the bar a
// section makes of it, checked as a bar when the file is read and told in the load report, not
// in three boxes asking for a save and a reload. Here the odd steel follows a strand and every
// layer names it: it opens with the bar's rupture strain er = esh + 1.5 (eu - esh) =
// 7 + 1.5 x 93 = 146.5 mm/m, not 0, and File > Save As and File > Open give the same two steels,
// each layer naming the same one.
TEST_F(OlderFileReopeningTest, ASteelOfAKindNoSectionHasOpensSavesAndReopensAsABar) {
    // Offsets in the builder's file: the steel count, the first steel record, then, once a
    // strand record of 111 bytes is put before it, the steel index of each layer.
    constexpr std::size_t kSteelCount = 45 + 133;
    constexpr std::size_t kSteel = 45 + 409 + 2 * 194;
    constexpr std::size_t kLongLayer = kSteel + 2 * 111;
    constexpr std::size_t kTransLayer = kLongLayer + 182;
    const auto withOddSteel = [&](int version, int kind) {
        ByteWriter strand;
        strand.I32(SteelKind::Prestressing).Zeros(4);
        strand.F64s({1.95e11, 1674e6, 0.025, 118.0, 10.0, 0.043, 1860e6}).Zeros(32).Text("Strand", 15);
        ByteWriter file;
        file.bytes = MakeV08File(version).bytes;
        file.PatchI32(kSteel, kind);
        file.bytes.insert(file.bytes.begin() + static_cast<long>(kSteel), strand.bytes.begin(), strand.bytes.end());
        file.PatchI16(kSteelCount, 2);
        for (const std::size_t type : {kLongLayer + 71, kTransLayer + 63, kTransLayer + 174 + 63})
            file.PatchI32(type, 1);
        return Text(file.bytes);
    };
    struct Case {
        const char* name;
        std::string bytes;
        const char* told;
    };
    const Case cases[] = {
        {"kind5.q2k", withOddSteel(8, 5),
         "Steel type 2 (\"Bar 400\") is of kind 5, which does not exist; it is read as a bar (kind 1)"},
        {"kind0.q2k", withOddSteel(7, 0),
         "Steel type 2 (\"Bar 400\") is of kind 0, which does not exist; it is read as a bar (kind 1)"},
    };
    // The steel each layer names, by its name, kind and law.
    struct Steel {
        std::string name;
        int kind;
        double Es, fy, fu, esh, eu, er;
        bool operator==(const Steel&) const = default;
    };
    const auto layerSteels = [this] {
        TStructure& s = Shown();
        const auto of = [&s](int type) {
            const SteelTypeRec& r = *s.GetSteelType(type);
            return Steel{r.name, r.kind, r.Es, r.fy, r.fu, r.esh, r.eu, r.er};
        };
        std::vector<Steel> steels;
        for (int i = 0; i < s.GetLongLayerCount(0); ++i)
            steels.push_back(of(s.GetLongLayer(i, 0)->type));
        for (int i = 0; i < s.GetTransLayerCount(2); ++i)
            steels.push_back(of(s.GetTransLayer(i, 2)->type));
        return steels;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string report;
        Open(c.name, c.bytes, [&] { ExpectReport(report); });
        EXPECT_TRUE(ui.Done());
        EXPECT_NE(report.find(c.told), std::string::npos) << report;
        ASSERT_EQ(Shown().GetSteelTypeCount(), 2);
        const std::vector<Steel> opened = layerSteels();
        ASSERT_EQ(opened.size(), 3u);
        for (const Steel& steel : opened) {
            EXPECT_EQ(steel.name, "Bar 400");
            EXPECT_EQ(steel.kind, SteelKind::Reinforcing);
            EXPECT_DOUBLE_EQ(steel.Es, 200e9);
            EXPECT_DOUBLE_EQ(steel.fy, 400e6);
            EXPECT_DOUBLE_EQ(steel.fu, 600e6);
            EXPECT_DOUBLE_EQ(steel.esh, 0.007);
            EXPECT_DOUBLE_EQ(steel.eu, 0.1);
            EXPECT_NEAR(steel.er, 0.1465, 1e-12);
        }
        // The section holds its types as its document gives them back, in the document's order.
        const int openedStrand = Shown().GetSteelType(0)->kind == SteelKind::Prestressing ? 0 : 1;
        const SteelTypeRec strand = *Shown().GetSteelType(openedStrand);
        EXPECT_EQ(strand.kind, SteelKind::Prestressing);

        SaveAsAndReopen(std::string(c.name) + ".qvh");
        EXPECT_TRUE(ui.Done());
        ASSERT_EQ(Shown().GetSteelTypeCount(), 2);
        EXPECT_EQ(layerSteels(), opened);
        const int reopenedStrand = Shown().GetSteelType(0)->kind == SteelKind::Prestressing ? 0 : 1;
        const SteelTypeRec& again = *Shown().GetSteelType(reopenedStrand);
        EXPECT_EQ(again.name, "Strand");
        EXPECT_EQ(again.kind, SteelKind::Prestressing);
        EXPECT_EQ(again.fu, strand.fu);
    }
}

// A 0.8 file names the shape of its section by a shape code and a shape name that may not
// agree with its outline: here a name that is no shape ("C30 user") under the code of the
// rectangle, of the T and of a catalogue section, over the builder's 400 x 600 mm rectangle,
// and under the T's code over a 400 mm top and 200 mm bottom, which is no library shape. Each
// opens with the shape its saved document reopens with: the rectangle of the library, width
// par1 = 0.4 m and height par2 = 0.6 m, which File > Save As and File > Open give again; the
// tapered outline a user outline, named "USER" as its document gives it back (the document does
// not carry the name it had). A second Save As writes the same document.
TEST_F(OlderFileReopeningTest, AShapeNameThatIsNoShapeOpensAsTheShapeItsDocumentReopensWith) {
    // Where the builder's file holds the shape code and name, and the bottom width of its region.
    constexpr std::size_t kShapeCode = 45 + 171;
    constexpr std::size_t kShapeName = 45 + 173;
    constexpr std::size_t kBottomWidth = 45 + 409 + 2 * 194 + 111 + 182 + 2 * 174 + 24;
    const auto withShape = [](int code, double bottomWidth) {
        ByteWriter file;
        file.bytes = MakeV08File().bytes;
        file.PatchI16(kShapeCode, code);
        ByteWriter name;
        name.Text("C30 user", 20);
        std::copy(name.bytes.begin(), name.bytes.end(), file.bytes.begin() + static_cast<long>(kShapeName));
        file.PatchF64(kBottomWidth, bottomWidth);
        return Text(file.bytes);
    };
    // The shape of the section shown; a rectangle's sizes are the builder's.
    const auto expectShape = [this](int code, const std::string& name) {
        EXPECT_TRUE(ui.Done());
        const auto& beam = dynamic_cast<const TBeam&>(Shown());
        EXPECT_EQ(beam.GetSectionKindCode(), code);
        EXPECT_EQ(beam.GetShapeName(), name);
        if (code == kBeamRectShape) {
            EXPECT_NEAR(beam.GetShapeParameter(1), 0.4, 1e-12);
            EXPECT_NEAR(beam.GetShapeParameter(2), 0.6, 1e-12);
        }
    };
    struct Case {
        const char* name;
        std::string bytes;
        int code;
        const char* opened;   // the shape name when opened
        const char* reopened; // and when its document is reopened
    };
    const Case cases[] = {
        {"rect.q2k", withShape(kBeamRectShape, 0.4), kBeamRectShape, "RECT", "RECT"},
        {"tbeam.q2k", withShape(kBeamTShape, 0.4), kBeamRectShape, "RECT", "RECT"},
        {"catalogue.q2k", withShape(kStandardTypeCode, 0.4), kBeamRectShape, "RECT", "RECT"},
        {"tapered.q2k", withShape(kBeamTShape, 0.2), kUserShapeCode, "USER", "USER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.name, c.bytes);
        expectShape(c.code, c.opened);

        const std::string saved = std::string(c.name) + ".qvh";
        SaveAsAndReopen(saved);
        expectShape(c.code, c.reopened);
        const std::string again = std::string(c.name) + ".again.qvh";
        ui.File(plat::FileDialogKind::Save, dir.File(again));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        EXPECT_EQ(dir.Read(again), dir.Read(saved));
    }
}

// An older file's strain discontinuity of two rows 0.1 mm apart inside the section block of a
// 500 mm trapezoid (200 mm wide at the bottom, 300 mm at the top: its centroid 500 (200 + 2 x
// 300) / (3 (200 + 300)) = 266.667 mm up). The rows are read before the outline is built about
// its centroid, so they stand 100.7 and 100.8 mm above it, and the section opens with both, each
// beside the zero that closes the profile at a face. Save As writes them as the document keeps
// heights, 367.3666667 and 367.4666667 mm, 0.1 mm apart and so no closer than the 0.1 mm two
// points of the profile keep: the document reopens with both, and File > Save writes the same
// bytes. So does each of twenty such pairs up the section.
TEST_F(OlderFileReopeningTest, DiscontinuityRowsATenthOfAMillimetreApartSurviveReopening)
{
    const auto file = [](const std::string& lower, const std::string& upper) {
        return kHead + "TITLE Trapezoid\nUNITS Metric\nSECTION SOLID\n500 300\n0 200\nDISCONT\n"s +
               lower + " 3\n" + upper + " 1\nENDSECTION\n";
    };
    // The strains of the profile, top down (mm/m).
    const auto strains = [this] {
        const TDepthTable& table =
            dynamic_cast<const TBeam&>(Shown()).GetStrainDiscontinuityTable();
        std::vector<double> values;
        for (int i = 0; i < table.GetCount(); ++i)
            values.push_back(table.GetValue(i) * 1000.0);
        return values;
    };
    const std::vector<double> both{0.0, 1.0, 3.0, 0.0};
    Open("discont.q2t", file("100.7", "100.8"));
    EXPECT_EQ(strains(), both);
    SaveAsAndReopen("discont.qvh");
    EXPECT_TRUE(ui.Done());
    const std::string first = dir.Read("discont.qvh");
    EXPECT_NE(first.find("367.3666667 3.000"), std::string::npos) << first;
    EXPECT_NE(first.find("367.4666667 1.000"), std::string::npos) << first;
    EXPECT_EQ(strains(), both);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_EQ(dir.Read("discont.qvh"), first);

    for (int k = 0; k < 20; ++k) {
        const std::string lower = StrPrintf("%.1f", -150.0 + 15.0 * k + 0.1 * k);
        const std::string upper = StrPrintf("%.1f", -150.0 + 15.0 * k + 0.1 * (k + 1));
        SCOPED_TRACE(lower + " and " + upper);
        Open("pair.q2t", file(lower, upper));
        EXPECT_EQ(strains(), both);
        SaveAsAndReopen("pair.qvh");
        EXPECT_EQ(strains(), both);
        const std::string saved = dir.Read("pair.qvh");
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_EQ(dir.Read("pair.qvh"), saved);
    }
}
