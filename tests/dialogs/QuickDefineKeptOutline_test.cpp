// Quick Define on a section of two concrete types read from a document, keeping its outline:
// through the wizard by Next and Finish, by Return, and by the element catalogue, then solved,
// saved and opened by a fresh program.

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "analysis/T1DAnalysis.h"
#include "analysis/TSectionalAnalysis.h"
#include "analysis/state/SectionState.h"
#include "app/CommandIds.h"
#include "app/DocumentEngine.h"
#include "dialogs/Catalog.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineDialogs.h"
#include "dialogs/QuickDefineWizard.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "tests/app/ShellFixture.h"
#include "model/catalogues/TRebarList.h"
#include "support/TestSupport.h"
#include "tests/files/BeamFixture.h"

namespace {

// The results of every stage of a sectional response, and the boxes it raised.
struct Answer {
    int stages = 0;
    long boxes = 0;
    std::vector<double> values;
};

class QuickDefineKeptOutlineTest : public StartedShellTest {
protected:
    QuickDefineKeptOutlineTest() : m_dialogs(SetInputDialogs(&dialogs)), m_engine(SetDocumentEngine(nullptr)) {}
    ~QuickDefineKeptOutlineTest() override
    {
        SetDocumentEngine(m_engine);
        SetInputDialogs(m_dialogs);
        g_QuickDefData = TQuickDefData{};
    }

    TStructure& Current() { return *g_Structures[static_cast<std::size_t>(g_CurrentStructure)]; }
    long Boxes() const
    {
        return std::count_if(ui.requests.begin(), ui.requests.end(),
                             [](const UiRequest& r) { return r.kind == "message"; });
    }

    // The T-beam of two concretes (a 1000 x 100 flange of 40 MPa over a 300 x 500 web of
    // 30 MPa) written by the program in the unit system, as its sample documents are.
    std::string TBeamDocument(int units)
    {
        std::vector<std::unique_ptr<TStructure>> one;
        one.push_back(MakeFullBeam());
        const int shown = g_UnitSystem;
        g_UnitSystem = units;
        const std::string path = WriteStructures("full_beam_" + std::to_string(units) + ".xml", std::move(one));
        g_UnitSystem = shown;
        return path;
    }
    // File > Open; changes of the open document are not saved.
    void Open(const std::string& path)
    {
        if (Window().IsModified())
            ui.Message("Save Changes", MsgAnswer::No);
        ui.File(plat::FileDialogKind::Open, path);
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    }
    // Define > Quick Define on the open section, keeping it ("No" to a new section, OK to the
    // warning), the wizard worked by the function.
    void QuickDefineKeeping(const std::function<void(plat::DialogDriver&)>& work)
    {
        ui.Message("Do you wish to create a new section?", MsgAnswer::No)
            .Message("limited capability", MsgAnswer::Ok)
            .Dialog("Define Beam Section", work);
        EXPECT_TRUE(Frame().Dispatch(CmId::QuickDefine));
    }
    // Solve > Sectional Response run by the idle loop until it ends (or, for a run that
    // would not end, a bounded number of passes).
    Answer Solve()
    {
        const long before = Boxes();
        Frame().Dispatch(CmId::SectionalResponse);
        Answer answer;
        if (const TSectionalAnalysis* a = Window().GetCurrentAnalysis()) {
            for (long pass = 0; pass < 20000 && a->IsRunning(); ++pass)
                Window().IdleAction(pass);
            EXPECT_FALSE(a->IsRunning());
            answer.stages = a->GetLastStageIndex() + 1;
            for (int i = 0; i < answer.stages; ++i)
                if (const SectionState* stage = a->GetStage(i))
                    answer.values.insert(answer.values.end(), stage->Results.begin(), stage->Results.end());
        }
        answer.boxes = Boxes() - before;
        return answer;
    }
    // File > Save As, then a fresh program opens what was written.
    void SaveAndOpenInAFreshProgram(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        StartAFreshProgram();
        Open(dir.File(name));
    }
    // The program ended and started again, its quick-define record as a new run has it.
    void StartAFreshProgram()
    {
        app.reset();
        g_QuickDefData = TQuickDefData{};
        Start();
        SetInputDialogs(&dialogs);
    }

    // The window reads the program's own bar catalogue as it starts.
    ValueGuard<TRebarList> bars{g_RebarList, g_RebarList};
    ValueGuard<int> shownUnits{g_UnitSystem, kUnitSI};
    TQuickDefineDialogs dialogs{GetInputDialogs()};

private:
    TInputDialogs* m_dialogs;
    TDocumentEngine* m_engine;
};

void NextAndFinish(plat::DialogDriver& d)
{
    d.Next();
    d.Next();
    d.Next();
    d.Finish();
}

// Return on every page, with eight strands typed on the last one.
void ReturnWithStrands(plat::DialogDriver& d)
{
    for (int page = 0; page < 3; ++page)
        d.Key(plat::VKey::Return);
    d.Type(QuickId::StrandCount, "8");
    d.Key(plat::VKey::Return);
    EXPECT_TRUE(d.Ended());
}

// Every region of the section names its one concrete, "Concrete 1", of the strength shown
// on the wizard's first page (its magnitude in the display unit).
void ExpectOneConcreteOfStrength(const TStructure& s, double shown)
{
    ASSERT_EQ(s.GetConcreteTypeCount(), 1);
    EXPECT_EQ(s.GetConcreteType(0)->name, "Concrete 1");
    EXPECT_NEAR(ToDisplayUnits(-s.GetConcreteType(0)->fc, ukStress), shown, 0.51);
    ASSERT_EQ(s.GetRegionCount(), 2);
    for (int r = 0; r < s.GetRegionCount(); ++r)
        EXPECT_EQ(s.GetRegion(r)->concreteType, 0) << "region " << r;
}

// The same stages with the same results, each to 1e-4 of that result's largest value (a
// document keeps depths to a tenth of a millimetre in the kg-cm system), the axial force, which
// is nothing but the solution's remainder, to 1 N.
void ExpectSameAnswer(const Answer& a, const Answer& b)
{
    ASSERT_EQ(a.stages, b.stages);
    ASSERT_EQ(a.values.size(), b.values.size());
    std::vector<double> largest(StateResult::Count, 0.0);
    for (std::size_t i = 0; i < a.values.size(); ++i)
        largest[i % StateResult::Count] = std::max(largest[i % StateResult::Count], std::fabs(a.values[i]));
    largest[StateResult::AxialForce] = 1e4;
    for (std::size_t i = 0; i < a.values.size(); ++i)
        EXPECT_NEAR(a.values[i], b.values[i], 1e-4 * largest[i % StateResult::Count]) << "value " << i;
}

} // namespace

// The T-beam of two concretes in each of the three other unit systems, quick-defined keeping
// its outline in a fresh program, by Next and Finish, and by Return with eight strands typed:
// the wizard and the build raise no box, and every region takes the one concrete of the
// strength the wizard showed. The section keeps the document's flange strain discontinuity,
// shrinkage and long-term settings, and it is solved to its end without a box (the restrained
// shrinkage leaves it cracked before any load). The saved document opened by a fresh program
// gives the same.
TEST_F(QuickDefineKeptOutlineTest, KeptRegionsTakeTheWizardsConcreteAndTheSavedSectionSolvesAlike)
{
    for (const int units : {kUnitUS, 2, 3}) {
        for (const bool strands : {false, true}) {
            SCOPED_TRACE(testing::Message() << "units " << units << (strands ? ", Return and strands" : ", Next"));
            StartAFreshProgram();
            Open(TBeamDocument(units));
            double shown = 0.0;
            QuickDefineKeeping([&](plat::DialogDriver& d) {
                shown = std::stod(d.Text(QuickId::Fc));
                strands ? ReturnWithStrands(d) : NextAndFinish(d);
            });
            EXPECT_TRUE(ui.Done());
            // The main concrete of the document is the web's, 30 MPa.
            EXPECT_NEAR(shown, ToDisplayUnits(30e6, ukStress), 0.51);
            ExpectOneConcreteOfStrength(Current(), shown);

            const Answer solved = Solve();
            EXPECT_EQ(solved.boxes, 0);
            EXPECT_GT(solved.stages, 10);
            // Under a moment alone the section carries no axial force at any stage: within
            // 0.5 % of the force of the couple that holds the largest moment over the depth.
            double largest = 0.0;
            for (std::size_t i = StateResult::Moment; i < solved.values.size(); i += StateResult::Count)
                largest = std::max(largest, std::fabs(solved.values[i]));
            for (std::size_t i = StateResult::AxialForce; i < solved.values.size(); i += StateResult::Count)
                EXPECT_NEAR(solved.values[i], 0.0, 0.005 * largest / 0.6) << "stage " << i / StateResult::Count;

            SaveAndOpenInAFreshProgram("kept.qvh");
            ExpectOneConcreteOfStrength(Current(), shown);
            const Answer again = Solve();
            EXPECT_EQ(again.boxes, 0);
            ExpectSameAnswer(solved, again);
            EXPECT_TRUE(ui.Done());
        }
    }
}

// The element catalogue's quick define beside the T-beam: the new section is built on a beam
// of its own and solves, and the saved document brings both back, the T-beam with its two
// concretes.
TEST_F(QuickDefineKeptOutlineTest, TheCataloguesNewSectionBesideTheTBeamSolvesAndReadsBack)
{
    Open(TBeamDocument(kUnitSI));
    ui.Dialog("Catalog of Elements", [](plat::DialogDriver& d) {
          d.Click(CatalogId::New);
          d.Click(1);
      }).Dialog("Define Beam Section", NextAndFinish);
    EXPECT_TRUE(Frame().Dispatch(CmId::Catalog));
    EXPECT_EQ(Current().GetName(), "New Cross Section");
    const Answer solved = Solve();
    EXPECT_EQ(solved.boxes, 0);
    EXPECT_GT(solved.stages, 1);

    SaveAndOpenInAFreshProgram("both.qvh");
    EXPECT_TRUE(ui.Done());
    ASSERT_NE(g_Structures[1], nullptr);
    const TStructure& tbeam = *g_Structures[1];
    EXPECT_EQ(tbeam.GetConcreteTypeCount(), 2);
    EXPECT_EQ(tbeam.GetRegion(1)->concreteType, 1);
    EXPECT_EQ(Current().GetName(), "New Cross Section");
    const Answer again = Solve();
    EXPECT_EQ(again.boxes, 0);
    ExpectSameAnswer(solved, again);
}
