// Sections read from the older formats solve as the same sections do once saved as a document
// and opened again: File > Open, Solve > Sectional Response run to its end by the idle loop,
// then File > Save As, File > Open of the saved document and the same solve.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/T1DAnalysis.h"
#include "analysis/state/SectionState.h"
#include "app/CommandIds.h"
#include "model/TBeam.h"
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

// The version 0.7 or 0.8 file under its moment alone (the shear increment it gives, 10 kN,
// made 0) and without the strain of its second stirrup layer, which a document has no place
// for. A shear solution follows the last digits of the bar diameters, which a document keeps
// to a hundredth of a millimetre.
std::string UnderMomentAlone(int version) {
    const V08File file = MakeV08File(version);
    std::vector<std::uint8_t> bytes = file.bytes;
    const auto strain = bytes.begin() + static_cast<long>(file.strainTableCount) + 8;
    std::fill(strain, strain + 8, std::uint8_t{0});
    ByteWriter loads;
    loads.F64s({0, 0, 0, 0, -2000.0, 10000.0});
    const auto at = std::search(bytes.begin(), bytes.end(), loads.bytes.begin(), loads.bytes.end());
    EXPECT_NE(at, bytes.end());
    if (at != bytes.end())
        std::fill(at + 40, at + 48, std::uint8_t{0});
    return Text(bytes);
}

// An older file, what reading it tells (each answered with OK) and the section it gives.
struct OlderFile {
    std::string name;
    std::string bytes;
    std::vector<std::string> notices;
    std::string section;
};

std::vector<OlderFile> OlderFiles() {
    return {
        {"girder.q2t", kLabelledGirder, {}, "Girder"},
        {"beam05.q2k", Text(MakeV05File().bytes), {}, "Beam A"},
        {"beam07.q2k", UnderMomentAlone(7), {}, "Beam B"},
        {"beam08.q2k", UnderMomentAlone(8), {}, "Beam B"},
        {"sheet.dat",
         Text(MakeTwoTypeSheet()),
         {"Importing Quarvish-90 File.", "more than one material type"},
         "Two types"},
    };
}

// The answer of a sectional response: the results of every stage, one row of
// StateResult::Count values a stage.
struct Answer {
    int lastStage = -1;
    int errors = 0;
    std::vector<double> values;
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
    // File > Save As under the name, then File > Open of what was written.
    void SaveAndReopen(const std::string& name) {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        Open(dir.File(name));
    }
    // Solve > Sectional Response of the open section, run to its end by the idle loop.
    Answer Solve() {
        Frame().Dispatch(CmId::SectionalResponse);
        const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        EXPECT_NE(a, nullptr);
        if (a == nullptr)
            return {};
        for (long pass = 0; pass < 400000 && a->IsRunning(); ++pass)
            Window().IdleAction(pass);
        EXPECT_FALSE(a->IsRunning());
        Answer answer;
        answer.lastStage = a->GetLastStageIndex();
        answer.errors = a->GetErrorCount();
        for (int i = 0; i <= answer.lastStage; ++i) {
            if (const SectionState* stage = a->GetStage(i))
                answer.values.insert(answer.values.end(), stage->Results.begin(), stage->Results.end());
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
    EXPECT_EQ(read.errors, 0);
    EXPECT_EQ(reopened.errors, 0);
    EXPECT_GT(read.lastStage, 0);
    EXPECT_EQ(read.lastStage, reopened.lastStage);
    ASSERT_FALSE(read.values.empty());
    ASSERT_EQ(read.values.size(), reopened.values.size());
    constexpr std::size_t n = StateResult::Count;
    std::array<double, n> largest{};
    for (std::size_t i = 0; i < read.values.size(); ++i)
        largest[i % n] = std::max({largest[i % n], std::fabs(read.values[i]), std::fabs(reopened.values[i])});
    for (std::size_t i = 0; i < read.values.size(); ++i)
        EXPECT_NEAR(read.values[i], reopened.values[i], 1e-6 * largest[i % n])
            << "stage " << i / n << ", result " << i % n;
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

// One section of every older format: what it solves to is what its saved document solves to.
TEST_F(ImportedSectionSolveTest, ASectionOfEveryOlderFormatSolvesAsItsSavedDocument) {
    for (const OlderFile& f : OlderFiles()) {
        SCOPED_TRACE(f.name);
        dir.Write(f.name, f.bytes);
        Open(dir.File(f.name), f.notices);
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), f.section);
        const Answer read = Solve();
        EXPECT_TRUE(ui.Done());

        SaveAndReopen(f.name.substr(0, f.name.find('.')) + "-saved.qvh");
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
