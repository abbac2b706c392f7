// Bars an older file names that the catalogue ("rebar.dat") lacks: the file opened once and
// twice in one run (the first read adds the bar to the catalogue for that run), saved as a
// document by the window's commands, and opened by a later run of the program, whose catalogue
// lacks the bar again: no box, the same bars, the same answer. A bar of its own size under a
// title the catalogue lists with another size keeps its size likewise.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "tests/app/SectionalAnswer.h"
#include "tests/app/ShellFixture.h"
#include "tests/files/LegacyFileBuilders.h"

namespace {

// A layer's bar as a user sees it: its name, its count, its area and its diameter.
struct Bar {
    std::string layer;
    std::string title;
    int count = 0;
    double A = 0.0;
    double Ai = 0.0;
    double db = 0.0;
};

// Every layer's bar, the longitudinal layers first.
std::vector<Bar> Bars(const TStructure& s)
{
    std::vector<Bar> bars;
    for (int i = 0; i < s.GetLongLayerCount(0); ++i) {
        const LongLayerRec& l = *s.GetLongLayer(i, 0);
        bars.push_back({l.name, l.bartitle, l.num, l.A, l.Ai, l.db});
    }
    for (int i = 0; i < s.GetTransLayerCount(2); ++i) {
        const TransLayerRec& l = *s.GetTransLayer(i, 2);
        bars.push_back({l.name, l.bartitle, l.legs, l.A, l.Ai, l.db});
    }
    return bars;
}

// The bars the same (a document keeps areas and diameters to a tenth of a mm^2 and a mm; the
// files' bars are given to that).
void ExpectSameBars(const std::vector<Bar>& read, const std::vector<Bar>& reopened)
{
    ASSERT_EQ(read.size(), reopened.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(read[i].layer);
        EXPECT_EQ(reopened[i].layer, read[i].layer);
        EXPECT_EQ(reopened[i].title, read[i].title);
        EXPECT_EQ(reopened[i].count, read[i].count);
        EXPECT_NEAR(reopened[i].A, read[i].A, 1e-12);
        EXPECT_NEAR(reopened[i].Ai, read[i].Ai, 1e-12);
        EXPECT_NEAR(reopened[i].db, read[i].db, 1e-12);
    }
}

// The version 0.7 or 0.8 file (its bar "ZZ9": two of 500 mm^2, 25.2 mm across) under its
// moment alone: its shear increment and its stirrup strain, which a document does not keep,
// made 0. The shear increment is the last load before the strain tables.
std::string MomentAloneV08(int version)
{
    const V08File file = MakeV08File(version);
    std::vector<std::uint8_t> bytes = file.bytes;
    const double zero = 0.0;
    std::memcpy(bytes.data() + file.strainTableCount - sizeof zero, &zero, sizeof zero);
    std::memcpy(bytes.data() + file.strainTableCount + 8, &zero, sizeof zero);
    return std::string(bytes.begin(), bytes.end());
}

// A labelled-text girder with a layer of two bars "ZZ9" of 400 mm^2, 22.6 mm across.
const std::string kLabelledZZ9 = "// Quarvish input Ver_0.8\nINPUT-LABEL girder\nTITLE Girder\nUNITS Metric\n"
                                 "SECTION SOLID\n500 300\n0 300\nENDSECTION\n"
                                 "LONGREINF bottom\nZ 50\nA 800\nAI 400\nDB 22.6\nNUM 2\nBART ZZ9\nENDLONG\n"
                                 "LOADING\nCONSTANT 0 0 0\nVARIABLE 0 1 0\nENDLOAD\n";

struct OlderFile {
    std::string name;
    std::string bytes;
    std::string section;
};

class UnlistedBarTest : public StartedShellTest {
protected:
    UnlistedBarTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~UnlistedBarTest() override { SetDocumentEngine(m_previous); }

    // File > Open of the file; changes of the open document are not saved.
    void Open(const std::string& name)
    {
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }
    void SaveAs(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    }
    // A later run of the program: its catalogue is "rebar.dat" alone.
    void Restart()
    {
        app.reset();
        Start();
    }
    const TStructure& Shown() { return *Window().GetCurrentStructure(); }
    SectionalAnswer Solve() { return SolveSectionalResponse(Frame(), Window()); }

private:
    TDocumentEngine* m_previous;
};

} // namespace

// Each older format that names its bars, its bar "ZZ9" not in the catalogue: opened once and
// twice, each saved; a later run opens both documents without a box, with the bars and the
// answer of the file.
TEST_F(UnlistedBarTest, AnOlderFileOpenedOnceOrTwiceSavesADocumentALaterRunOpensWithItsBars)
{
    const OlderFile files[] = {
        {"beam07.q2k", MomentAloneV08(7), "Beam B"},
        {"beam08.q2k", MomentAloneV08(8), "Beam B"},
        {"girder.q2t", kLabelledZZ9, "Girder"},
    };
    for (const OlderFile& f : files) {
        SCOPED_TRACE(f.name);
        Restart();
        ASSERT_LT(g_RebarList.FindByName("ZZ9"), 0);
        dir.Write(f.name, f.bytes);
        Open(f.name);
        ASSERT_EQ(Shown().GetName(), f.section);
        const std::vector<Bar> read = Bars(Shown());
        const SectionalAnswer answer = Solve();
        SaveAs("once.qvh");
        // A bar "rebar.dat" holds (the stirrups' "10M") is still written by its title alone.
        const std::string once = dir.Read("once.qvh");
        if (const std::size_t stirrup = once.find("<transreinfz"); stirrup != std::string::npos) {
            const std::string element = once.substr(stirrup, once.find("/>", stirrup) - stirrup);
            EXPECT_NE(element.find("bartitle\t=\"10M\""), std::string::npos) << element;
            EXPECT_EQ(element.find("Ai"), std::string::npos) << element;
        }
        Open(f.name);
        ExpectSameBars(read, Bars(Shown()));
        SaveAs("twice.qvh");
        EXPECT_TRUE(ui.Done());

        Restart();
        for (const char* saved : {"once.qvh", "twice.qvh"}) {
            SCOPED_TRACE(saved);
            Open(saved);
            EXPECT_TRUE(ui.Done()) << "no box";
            ASSERT_EQ(Shown().GetName(), f.section);
            ExpectSameBars(read, Bars(Shown()));
            ExpectSameSectionalAnswer(answer, Solve());
        }
    }
}

// A labelled-text file naming the bar a 0.8 file brought earlier in the run takes that bar's
// size (the catalogue's) with its name; its document, Save with Yes to the save question, opens
// in a later run with that bar. The title alone, with no size, is still refused.
TEST_F(UnlistedBarTest, ABarAnEarlierFileBroughtIsSavedWithItsSize)
{
    dir.Write("beam08.q2k", MomentAloneV08(8));
    dir.Write("girder.q2t", kLabelledZZ9);
    Open("beam08.q2k");
    Open("girder.q2t");
    const std::vector<Bar> read = Bars(Shown());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].title, "ZZ9");
    EXPECT_NEAR(read[0].Ai, 500e-6, 1e-12);  // the 0.8 file's bar
    EXPECT_NEAR(read[0].db, 0.0252, 1e-12);
    EXPECT_EQ(read[0].count, 1);  // the file's 800 mm^2 over the bar's 500, truncated
    Window().MarkDocumentModified();
    ui.Message("Save Changes in '" + dir.File("girder.q2t") + "'?", MsgAnswer::Yes)
        .File(plat::FileDialogKind::Save, dir.File("girder.qvh"))
        .File(plat::FileDialogKind::Open, dir.File("beam08.q2k"));
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    const std::string document = dir.Read("girder.qvh");
    const std::size_t layer = document.find("<longreinfx");
    const std::string element = document.substr(layer, document.find("/>", layer) - layer);
    EXPECT_NE(element.find("bartitle\t=\"ZZ9\""), std::string::npos) << element;
    EXPECT_NE(element.find("Ai\t\t=\"500.0\""), std::string::npos) << element;
    EXPECT_NE(element.find("db\t\t=\"25.2\""), std::string::npos) << element;

    Restart();
    Open("girder.qvh");
    EXPECT_TRUE(ui.Done()) << "no box";
    ExpectSameBars(read, Bars(Shown()));

    // Without its size, the title names nothing this run knows.
    std::string titleAlone = document;
    for (const char* size : {"Ai\t\t=\"500.0\"", "db\t\t=\"25.2\""})
        titleAlone.erase(titleAlone.find(size), std::string(size).size());
    dir.Write("alone.qvh", titleAlone);
    ui.File(plat::FileDialogKind::Open, dir.File("alone.qvh")).Message("Unknown Bar type \"ZZ9\"", MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_TRUE(ui.Done());
}

// The 0.8 file's bar under a title the catalogue lists with another size ("20M" of 300 mm^2,
// 19.5 mm across): File > Open keeps its two bars of 500 mm^2, 25.2 mm across, and so does a
// later run that opens the document Save As wrote.
TEST_F(UnlistedBarTest, AnOlderFilesBarOfItsOwnSizeUnderACatalogueTitleKeepsItsSizeInALaterRun)
{
    const int listed = g_RebarList.FindByName("20M");
    ASSERT_GE(listed, 0);
    ASSERT_NEAR(g_RebarList.GetArea(listed), 300e-6, 1e-12);
    ASSERT_NEAR(g_RebarList.GetDiameter(listed), 0.0195, 1e-12);
    std::string bytes = MomentAloneV08(8);
    bytes.replace(bytes.find("ZZ9"), 3, "20M");
    dir.Write("beam08.q2k", bytes);
    Open("beam08.q2k");
    const std::vector<Bar> read = Bars(Shown());
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read[0].title, "20M");
    EXPECT_EQ(read[0].count, 2);
    EXPECT_NEAR(read[0].A, 1000e-6, 1e-12);
    EXPECT_NEAR(read[0].Ai, 500e-6, 1e-12);
    EXPECT_NEAR(read[0].db, 0.0252, 1e-12);
    SaveAs("own.qvh");
    EXPECT_TRUE(ui.Done());

    Restart();
    Open("own.qvh");
    EXPECT_TRUE(ui.Done()) << "no box";
    ExpectSameBars(read, Bars(Shown()));
}

// The document of the 0.8 file's "ZZ9" (saved with its own size, 500 mm^2 and 25.2 mm across,
// while "rebar.dat" lacked the title) opened by a later run whose "rebar.dat" has gained a
// "ZZ9" of 200 mm^2, 16 mm across: the layer keeps its own bars, in that run and in the next,
// which opens what it saved.
TEST_F(UnlistedBarTest, ADocumentsOwnBarKeepsItsSizeWhenALaterCatalogueListsItsTitle)
{
    dir.Write("beam08.q2k", MomentAloneV08(8));
    Open("beam08.q2k");
    const std::vector<Bar> read = Bars(Shown());
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read[0].title, "ZZ9");
    EXPECT_NEAR(read[0].A, 1000e-6, 1e-12);
    SaveAs("zz9.qvh");
    const std::string catalogue = dir.Read("rebar.dat");
    ASSERT_FALSE(catalogue.empty());
    dir.Write("rebar.dat", catalogue + "\r\nZZ9 16 200\r\n");

    Restart();
    const int listed = g_RebarList.FindByName("ZZ9");
    ASSERT_GE(listed, 0);
    ASSERT_NEAR(g_RebarList.GetArea(listed), 200e-6, 1e-12);
    Open("zz9.qvh");
    EXPECT_TRUE(ui.Done()) << "no box";
    ExpectSameBars(read, Bars(Shown()));
    SaveAs("again.qvh");

    Restart();
    Open("again.qvh");
    EXPECT_TRUE(ui.Done()) << "no box";
    ExpectSameBars(read, Bars(Shown()));
}

// The 0.8 file's bar "20M" of the catalogue's area, 300 mm^2, but 25.2 mm across where the
// catalogue's "20M" is 19.5 mm: after Save As, a later run opens the document with two bars of
// 300 mm^2, 25.2 mm across, and the crack spacing at the bars that their diameter gives. The
// section is 400 mm wide and 600 mm high, the bars 550 mm over its bottom: the bars stand
// 400 / 2 = 200 mm apart, and the bond term is db x 0.1 x Ac / A, with Ac the concrete within
// 7.5 db of the bars (cut at the top), 400 x (600 - (550 - 7.5 x 25.2)) = 95600 mm^2, and A the
// bars' 600 mm^2: 25.2 x 0.1 x 95600 / 600 = 401.52 mm, so 601.52 mm (the catalogue's
// diameter would give 200 + 19.5 x 0.1 x 78500 / 600 = 455.13 mm).
TEST_F(UnlistedBarTest, AnOlderFilesBarOfTheCataloguesAreaButItsOwnDiameterKeepsItInALaterRun)
{
    const int listed = g_RebarList.FindByName("20M");
    ASSERT_GE(listed, 0);
    ASSERT_NEAR(g_RebarList.GetArea(listed), 300e-6, 1e-12);
    ASSERT_NEAR(g_RebarList.GetDiameter(listed), 0.0195, 1e-12);
    std::string bytes = MomentAloneV08(8);
    bytes.replace(bytes.find("ZZ9"), 3, "20M");
    // The layer's record after the header (45), the section (409), two concretes (194 each) and
    // the steel (111): z, total area, drape, bar count, bar area, diameter.
    constexpr std::size_t layer = 45 + 409 + 2 * 194 + 111;
    const auto field = [&bytes](std::size_t at) {
        double v = 0.0;
        std::memcpy(&v, bytes.data() + at, sizeof v);
        return v;
    };
    ASSERT_EQ(field(layer), 0.55);
    ASSERT_EQ(field(layer + 8), 1000e-6);
    ASSERT_EQ(field(layer + 28), 500e-6);
    ASSERT_EQ(field(layer + 36), 0.0252);
    for (const auto& [at, value] : {std::pair{layer + 8, 600e-6}, std::pair{layer + 28, 300e-6}})
        std::memcpy(bytes.data() + at, &value, sizeof value);
    dir.Write("beam08.q2k", bytes);
    Open("beam08.q2k");
    const std::vector<Bar> read = Bars(Shown());
    ASSERT_FALSE(read.empty());
    EXPECT_EQ(read[0].title, "20M");
    EXPECT_EQ(read[0].count, 2);
    EXPECT_NEAR(read[0].A, 600e-6, 1e-12);
    EXPECT_NEAR(read[0].Ai, 300e-6, 1e-12);
    EXPECT_NEAR(read[0].db, 0.0252, 1e-12);
    EXPECT_NEAR(Shown().GetCrackSpacingAt(Shown().GetLongLayer(0, 0)->z, 0), 0.60152, 1e-6);
    SaveAs("own.qvh");
    EXPECT_TRUE(ui.Done());

    Restart();
    Open("own.qvh");
    EXPECT_TRUE(ui.Done()) << "no box";
    ExpectSameBars(read, Bars(Shown()));
    EXPECT_NEAR(Shown().GetCrackSpacingAt(Shown().GetLongLayer(0, 0)->z, 0), 0.60152, 1e-6);
}
