// Sections read from the older formats solve as the same sections do once saved as a document
// and opened again: File > Open, Solve > Sectional Response run to its end by the idle loop,
// then File > Save As, File > Open of the saved document (in the same program, or in a fresh
// one) and the same solve.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/T1DAnalysis.h"
#include "analysis/state/SectionState.h"
#include "app/CommandIds.h"
#include "foundation/Sentinel.h"
#include "model/TBeam.h"
#include "tests/app/SectionalAnswer.h"
#include "tests/app/ShellFixture.h"
#include "tests/files/LegacyFileBuilders.h"

namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A metric predecessor sheet of a plain section: one concrete (f'c 35 MPa, e'c 2 mm/m, f't
// 2 MPa), no steel, and twenty regions 10 mm high and 300 mm wide stacked from 0 to 200 mm,
// under a growing moment.
std::vector<std::uint8_t> StackedRegionSheet() {
    SheetWriter w;
    w.Text(3, 2, "Stacked").Text(3, 3, "Metric").Number(3, 4, 1);
    w.Number(1, 7, 35).Number(2, 7, 2).Number(3, 7, 2).Number(4, 7, 1);
    w.Number(3, 8, 0);                     // no reinforcing steel
    w.Number(3, 9, 0);                     // no prestressing steel
    w.Number(3, 11, 100).Text(3, 12, "N"); // moment axis; no crack block
    w.Number(3, 13, 20);                   // twenty regions, rows 16 to 35
    for (int j = 0; j < 20; ++j) {
        const int row = 16 + j;
        w.Number(1, row, 10.0 * j).Number(2, row, 300).Number(3, row, 300).Number(4, row, 10).Number(5, row, 1);
    }
    w.Text(3, 36, "N").Text(3, 37, "N"); // no shrinkage, no strain discontinuity
    return w.Bytes();
}

// A labelled-text girder: a 35 MPa concrete with its peak strain given, 400 MPa bars, a
// 300 x 500 rectangle with two bar layers, under a growing moment.
const std::string kLabelledGirder = "// Quarvish input Ver_0.8\nINPUT-LABEL girder\nTITLE Girder\nUNITS Metric\n"
                                    "MATERIAL CONCRETE C35\nFCP 35\nE0 2.2\nENDMAT\nMATERIAL REBAR\nFY 400\nENDMAT\n"
                                    "SECTION SOLID\n500 300 C35\n0 300 C35\nENDSECTION\n"
                                    "LONGTAB\n50 1500 0\n450 600 0\nENDLONG\n"
                                    "LOADING\nCONSTANT 0 0 0\nVARIABLE 0 1 0\nENDLOAD\n";

// The version 0.7 or 0.8 file without the strain of its second stirrup layer, which a document
// has no place for, under its moment alone (the shear increment it gives, 10 kN, made 0) or
// with that shear.
std::string V08Section(int version, bool withShear = false) {
    const V08File file = MakeV08File(version);
    std::vector<std::uint8_t> bytes = file.bytes;
    const auto strain = bytes.begin() + static_cast<long>(file.strainTableCount) + 8;
    std::fill(strain, strain + 8, std::uint8_t{0});
    ByteWriter loads;
    loads.F64s({0, 0, 0, 0, -2000.0, 10000.0});
    const auto at = std::search(bytes.begin(), bytes.end(), loads.bytes.begin(), loads.bytes.end());
    EXPECT_NE(at, bytes.end());
    if (at != bytes.end() && !withShear)
        std::fill(at + 40, at + 48, std::uint8_t{0});
    return Text(bytes);
}

// The version 0.5 beam with increments of 1 kN m and 0.5 kN shear (a shear span of 2 m) on
// its constant loads.
std::string V05WithShear() {
    std::vector<std::uint8_t> bytes = MakeV05File().bytes;
    ByteWriter increments;
    increments.F64s({0, 1000.0, 500.0});
    // The loads block is the last 146 bytes; its increments start 72 bytes in.
    std::copy(increments.bytes.begin(), increments.bytes.end(), bytes.end() - 146 + 72);
    return Text(bytes);
}

// An older file, what reading it tells (each answered with OK) and the section it gives; a
// format that cannot hold a shear (the predecessor sheet) is given one after it is opened.
struct OlderFile {
    std::string name;
    std::string bytes;
    std::vector<std::string> notices;
    std::string section;
    double addedShear = 0.0;
};

std::vector<OlderFile> OlderFiles() {
    return {
        {"girder.q2t", kLabelledGirder, {}, "Girder"},
        {"beam05.q2k", Text(MakeV05File().bytes), {}, "Beam A"},
        {"beam07.q2k", V08Section(7), {}, "Beam B"},
        {"beam08.q2k", V08Section(8), {}, "Beam B"},
        {"sheet.dat",
         Text(MakeTwoTypeSheet()),
         {"Importing Quarvish-90 File.", "more than one material type"},
         "Two types"},
    };
}

// The same sections with shear.
std::vector<OlderFile> OlderFilesWithShear() {
    std::string girder = kLabelledGirder;
    girder.replace(girder.find("VARIABLE 0 1 0"), 14, "VARIABLE 0 1 0.5");
    return {
        {"girderV.q2t", girder, {}, "Girder"},
        {"beam05V.q2k", V05WithShear(), {}, "Beam A"},
        {"beam07V.q2k", V08Section(7, true), {}, "Beam B"},
        {"beam08V.q2k", V08Section(8, true), {}, "Beam B"},
        {"sheetV.dat",
         Text(MakeTwoTypeSheet()),
         {"Importing Quarvish-90 File.", "more than one material type"},
         "Two types",
         500.0},
    };
}

// The answer of a sectional response: the results of every stage, one row of
// StateResult::Count values a stage; and each stage's per-layer values: every bar's average
// stress and stress at a crack (both lists) and bond stress.
// The stages' results and, a row a stage, every bar layer's values.
struct Answer : SectionalAnswer {
    std::vector<std::vector<double>> layerValues;
};

class ImportedSectionSolveTest : public StartedShellTest {
protected:
    ImportedSectionSolveTest() : m_previous(SetDocumentEngine(nullptr)) {}
    ~ImportedSectionSolveTest() override { SetDocumentEngine(m_previous); }

    // File > Open of the file; changes of the open document are not saved.
    void Open(const std::string& path, const std::vector<std::string>& notices = {}) {
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, path);
        for (const std::string& notice : notices)
            ui.Message(notice, MsgAnswer::Ok);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }
    // File > Save As under the name, then File > Open of what was written, in this program
    // or in a fresh one.
    void SaveAndReopen(const std::string& name, bool freshProgram = false) {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        if (freshProgram) {
            app.reset();
            Start();
        }
        Open(dir.File(name));
    }
    // File > Open of the older file, with the shear it cannot hold added.
    void OpenOlder(const OlderFile& f) {
        dir.Write(f.name, f.bytes);
        Open(dir.File(f.name), f.notices);
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), f.section);
        if (f.addedShear != 0.0) {
            const double increments[3] = {0.0, 1000.0, f.addedShear};
            Window().GetCurrentStructure()->SetIncrementLoads(increments, 3);
        }
    }
    // Solve > Sectional Response of the open section, run to its end by the idle loop.
    Answer Solve() {
        Answer answer;
        static_cast<SectionalAnswer&>(answer) = SolveSectionalResponse(Frame(), Window());
        const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        for (int i = 0; a != nullptr && i <= answer.lastStage; ++i) {
            if (const SectionState* stage = a->GetStage(i)) {
                std::vector<double> layers;
                for (const std::vector<double>& bars : stage->LongBarValues)
                    layers.insert(layers.end(), bars.begin(), bars.end());
                layers.insert(layers.end(), stage->LongBarExtra[0].begin(), stage->LongBarExtra[0].end());
                answer.layerValues.push_back(std::move(layers));
            }
        }
        return answer;
    }

private:
    TDocumentEngine* m_previous;
};

// Both solved without an error over the same stages, every result of every stage the same to
// a millionth of that result's largest value over the run (the document keeps depths and bar
// diameters to a hundredth of a millimetre, so the last digits may differ).
void ExpectSameAnswer(const Answer& read, const Answer& reopened) {
    ExpectSameSectionalAnswer(read, reopened);
    if (::testing::Test::HasFatalFailure())
        return;

    // Per-layer values, each to a millionth of its largest over the run; a value undefined
    // (a failed bar, a stress at a crack that the bars cannot give) is undefined in both.
    ASSERT_EQ(read.layerValues.size(), reopened.layerValues.size());
    const auto defined = [](double v) { return std::fabs(v) < kRupturedStress; };
    std::vector<double> largestOfLayer;
    for (std::size_t s = 0; s < read.layerValues.size(); ++s) {
        ASSERT_EQ(read.layerValues[s].size(), reopened.layerValues[s].size()) << "stage " << s;
        largestOfLayer.resize(std::max(largestOfLayer.size(), read.layerValues[s].size()), 0.0);
        for (std::size_t i = 0; i < read.layerValues[s].size(); ++i)
            for (double v : {read.layerValues[s][i], reopened.layerValues[s][i]})
                if (defined(v))
                    largestOfLayer[i] = std::max(largestOfLayer[i], std::fabs(v));
    }
    for (std::size_t s = 0; s < read.layerValues.size(); ++s)
        for (std::size_t i = 0; i < read.layerValues[s].size(); ++i) {
            const double x = read.layerValues[s][i];
            const double y = reopened.layerValues[s][i];
            EXPECT_EQ(defined(x), defined(y)) << "stage " << s << ", layer value " << i << ": " << x << ", " << y;
            if (defined(x) && defined(y)) {
                EXPECT_NEAR(x, y, 1e-6 * largestOfLayer[i]) << "stage " << s << ", layer value " << i;
            }
        }
}

} // namespace

// The predecessor sheet of twenty stacked regions solves without a box, elastically up to its
// cracking as a hand calculation says, and as the document it is saved as.
TEST_F(ImportedSectionSolveTest, AStackedPredecessorSheetSolvesAsItsSavedDocument) {
    dir.Write("stacked.dat", Text(StackedRegionSheet()));
    Open(dir.File("stacked.dat"), {"Importing Quarvish-90 File."});
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Stacked");
    EXPECT_NEAR(Window().GetCurrentStructure()->GetHeight(), 0.2, 1e-6);
    const Answer read = Solve();
    EXPECT_TRUE(ui.Done());  // no box: every one would be unscripted

    // The first loaded stage is elastic and uncracked: M / phi is E I of the 300 x 200 mm
    // rectangle (the raster keeps 299.7 mm of its width), E between the parabola's secant at
    // 0.1 mm/m (2 f'c / e'c (1 - 0.025) = 34.1 GPa) and its initial tangent 2 f'c / e'c = 35 GPa.
    ASSERT_GE(read.values.size(), 2 * StateResult::Count);
    const double M = read.values[StateResult::Count + StateResult::Moment];
    const double phi = read.values[StateResult::Count + StateResult::Curvature];
    ASSERT_NE(phi, 0.0);
    const double I = 0.2997 * 0.2 * 0.2 * 0.2 / 12.0;
    EXPECT_GE(M / phi, 34.125e9 * I * 0.999);
    EXPECT_LE(M / phi, 35e9 * I * 1.001);
    // Below the cracking moment f't b h^2 / 6 = 4.0 kN m.
    EXPECT_LT(std::fabs(M), 2e6 * 0.2997 * 0.04 / 6.0);

    SaveAndReopen("stacked.qvh");
    const Answer reopened = Solve();
    EXPECT_TRUE(ui.Done());
    ExpectSameAnswer(read, reopened);
}

// One section of every older format, under moment alone and with shear: what it solves to is
// what its saved document solves to, opened in a fresh program, per layer as well.
TEST_F(ImportedSectionSolveTest, ASectionOfEveryOlderFormatSolvesAsItsSavedDocument) {
    std::vector<OlderFile> files = OlderFiles();
    for (OlderFile& f : OlderFilesWithShear())
        files.push_back(std::move(f));
    for (const OlderFile& f : files) {
        SCOPED_TRACE(f.name);
        OpenOlder(f);
        const Answer read = Solve();
        EXPECT_TRUE(ui.Done());

        SaveAndReopen(f.name.substr(0, f.name.find('.')) + "-saved.qvh", true);
        const Answer reopened = Solve();
        EXPECT_TRUE(ui.Done());
        ExpectSameAnswer(read, reopened);
    }
}

// The stacked sheet is a plain section: no steel type, so no bar that could rupture. Its
// response goes on past the first loaded stage: elastic and uncracked below the cracking
// curvature of the 300 x 200 mm rectangle (the cracking moment f't b h^2 / 6 = 4.0 kN m with
// the sheet's f't of 2 MPa, over E I of the first stage), cracked beyond it; the largest moment
// lies near the cracking moment, and once the crack opens the moment falls away until it is
// below a fifth of that, which ends the response. No box at any stage.
TEST_F(ImportedSectionSolveTest, APlainSheetRunsThroughItsCrackingMoment) {
    dir.Write("stacked.dat", Text(StackedRegionSheet()));
    Open(dir.File("stacked.dat"), {"Importing Quarvish-90 File."});
    ASSERT_EQ(Window().GetCurrentStructure()->GetSteelTypeCount(), 0);
    const std::size_t asked = ui.requests.size();
    const Answer read = Solve();
    EXPECT_EQ(ui.requests.size(), asked);
    EXPECT_EQ(read.errors, 0);
    const auto* a = dynamic_cast<const T1DAnalysis*>(Window().GetCurrentAnalysis());
    ASSERT_NE(a, nullptr);

    constexpr std::size_t n = StateResult::Count;
    std::vector<double> M, phi;
    for (std::size_t i = 0; i + n <= read.values.size(); i += n) {
        M.push_back(std::fabs(read.values[i + StateResult::Moment]));
        phi.push_back(std::fabs(read.values[i + StateResult::Curvature]));
    }
    ASSERT_GT(M.size(), 10u);
    EXPECT_GT(read.lastStage, 10);
    ASSERT_GT(phi[1], 0.0);
    const double EI = M[1] / phi[1];
    const double crackingMoment = 2e6 * 0.2997 * 0.2 * 0.2 / 6.0;
    const double crackingCurvature = crackingMoment / EI;
    for (std::size_t i = 1; i < M.size(); ++i) {
        const bool cracked = a->IsCracked(a->StageSlot(static_cast<int>(i)));
        EXPECT_EQ(cracked, phi[i] > crackingCurvature) << "stage " << i;
        if (!cracked) {
            EXPECT_NEAR(M[i], EI * phi[i], 0.01 * M[i]) << "stage " << i;
        }
    }
    const auto peak = static_cast<std::size_t>(std::max_element(M.begin(), M.end()) - M.begin());
    EXPECT_NEAR(M[peak], crackingMoment, 0.2 * crackingMoment);
    for (std::size_t i = peak + 1; i < M.size(); ++i)
        EXPECT_LT(M[i], M[i - 1]) << "stage " << i;
    EXPECT_LT(M.back(), 0.2 * M[peak]);
}

// The version 0.8 beam under moment alone: its one bar layer (1000 mm^2 of 200 GPa steel, near
// the top face) lies above every crack, in concrete that its free strain (the file's profile:
// 0.1 mm/m at the top face, 0.2 mm/m at the bottom, linear) leaves compressed, yet the bar is
// stretched. A crack from the bottom face changes nothing about the bar: the section through
// the crack carries the same N and M as the section between cracks, so the bar carries there
// what it carries on average, Es (e_x0 + phi z) by plane sections; 0 would leave its force
// unbalanced at the crack. Checked for the section read from the file and for its saved
// document opened in a fresh program.
TEST_F(ImportedSectionSolveTest, ABarStretchedByItsExpandingConcreteCarriesItsAverageStressAtACrack) {
    const auto expectBarAtCracks = [this](const char* road) {
        SCOPED_TRACE(road);
        const TStructure* beam = Window().GetCurrentStructure();
        ASSERT_EQ(beam->GetLongLayerCount(0), 1);
        const double z = beam->GetLongLayer(0, 0)->z;
        const double freeStrain = 1e-4 + (beam->GetTop() - z) / beam->GetHeight() * 1e-4;
        Solve();
        const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        ASSERT_NE(a, nullptr);
        int stretchedInCompressedConcrete = 0;
        for (int i = 1; i <= a->GetLastStageIndex(); ++i) {
            const SectionState* stage = a->GetStage(i);
            if (stage == nullptr)
                continue;
            const double strain = stage->Result(StateResult::ReferenceStrain) + stage->Result(StateResult::Curvature) * z;
            const double average = stage->BarValue(BarArray::List0Stress, 0);
            const double atCrack = stage->BarValue(BarArray::List0Second, 0);
            EXPECT_NEAR(average, 2e11 * strain, 1e3) << "stage " << i;
            if (average > 0.0) {
                EXPECT_GE(atCrack, average - 1e3) << "stage " << i;
            }
            if (strain > 0.0 && strain < freeStrain) {
                ++stretchedInCompressedConcrete;
                EXPECT_NEAR(atCrack, average, 1e3) << "stage " << i;
            }
        }
        EXPECT_GE(stretchedInCompressedConcrete, 8);
    };
    const OlderFile file{"beam08.q2k", V08Section(8), {}, "Beam B"};
    OpenOlder(file);
    expectBarAtCracks("read from the file");
    SaveAndReopen("beam08-saved.qvh", true);
    expectBarAtCracks("its saved document");
    EXPECT_TRUE(ui.Done());
}
