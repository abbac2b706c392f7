// Loads > Sectional Loads on a membrane element, as a membrane user gives its loads: the rows
// name the in-plane loads N_xx, N_yy and N_xy they set, in the stress unit of the active unit
// system in which the analysis applies them and the status reports them, and each value is
// stored, solved, saved and shown again with the sign it was typed.
// A compressive normal increment alone traces the element's response in compression to its
// peak, as a tensile one traces it in tension.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/CommandIds.h"
#include "app/views/PanelLayout.h"
#include "dialogs/SectionInputDialogs.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "membrane/MembraneState.h"
#include "model/TShell.h"
#include "platform/Dialog.h"
#include "support/RecordingDC.h"
#include "tests/views/SizedPagesShell.h"

namespace {

namespace Id {
inline constexpr int N = 101, M = 5052, V = 5053, dN = 5054, dM = 5055, dV = 5056;
inline constexpr int UnitN = 5059, UnitM = 5058, UnitV = 5057;
} // namespace Id

// PV19 as the tests keep it (tests/membrane/Pv19Panel.h): 70 mm, f'c 19 MPa, x bars 1.785 %
// of f_y 458 MPa, y bars 0.713 % of f_y 299 MPa, E_s 200 GPa, plateau to 1 % strain.
constexpr double kFc = 19e6, kRhoX = 0.01785, kFyX = 458e6, kRhoY = 0.00713, kFyY = 299e6,
                 kEs = 2e11;
// One MPa, psi (4.4482216 N over 0.0254^2 m^2) and kg/cm^2 (9.80665 N over 1e-4 m^2) in Pa.
constexpr double kMPa = 1e6, kPsi = 6894.757, kKgPerCm2 = 98066.5;
// An element state is in equilibrium when the squared misfit of its three stresses is within
// 1e-5 of the applied stresses' squares plus 1e6 Pa^2.
constexpr double kSolveRelative = 1e-5, kSolveAbsolute = 1e6;
// A stress shown with two decimals.
constexpr double kShownRounding = 0.005;
// The unit tables' factors are kept to a few parts in 10^4 (the kg/cm^2 factor takes 98100.8 Pa).
constexpr double kUnitTableRounding = 5e-4;

struct MembraneLoadsDialog : SizedPagesTest {
    TSectionInputDialogs sectionDialogs{GetInputDialogs()};
    TInputDialogs* previousDialogs = SetInputDialogs(&sectionDialogs);

    ~MembraneLoadsDialog() override { SetInputDialogs(previousDialogs); }

    // Loads > Sectional Loads: the constants and the increments typed in the rows, OK.
    void TypeLoads(const std::array<std::string, 3>& constant,
                   const std::array<std::string, 3>& increment)
    {
        ui.Dialog("Define Loading", [&](plat::DialogDriver& d) {
            const int ids[6] = {Id::N, Id::M, Id::V, Id::dN, Id::dM, Id::dV};
            for (std::size_t i = 0; i < 3; ++i) {
                d.Type(ids[i], constant[i]);
                d.Type(ids[i + 3], increment[i]);
            }
            d.Click(plat::DialogResult::Ok);
        });
        Frame().Dispatch(CmId::SectionalLoads);
        EXPECT_TRUE(ui.Done());
    }

    // What the dialog shows: the row names, the unit labels and the six values.
    struct Shown {
        std::string caption;
        std::array<std::string, 3> rows, units;
        std::array<std::string, 6> values;
    };
    Shown ShownLoads()
    {
        Shown shown;
        ui.Dialog("Define Loading", [&](plat::DialogDriver& d) {
            const auto& dialog = dynamic_cast<const plat::Dialog&>(d.GetWindow());
            shown.caption = dialog.GetCaption();
            for (const plat::DialogItem& item : dialog.GetTemplate().items)
                for (std::size_t i = 0; i < 3; ++i)
                    if (item.id == std::array{Id::N, Id::M, Id::V}[i])
                        shown.rows[i] = item.label;
            shown.units = {d.Text(Id::UnitN), d.Text(Id::UnitM), d.Text(Id::UnitV)};
            const int ids[6] = {Id::N, Id::M, Id::V, Id::dN, Id::dM, Id::dV};
            for (std::size_t i = 0; i < 6; ++i)
                shown.values[i] = d.Text(ids[i]);
            d.Click(plat::DialogResult::Cancel);
        });
        Frame().Dispatch(CmId::SectionalLoads);
        EXPECT_TRUE(ui.Done());
        return shown;
    }

    // The line of the nine graphs' information panel, as the window draws it, that begins so.
    std::string PanelLine(const std::string& head)
    {
        RecordingDC dc;
        std::string title = "Nine Graphs";
        View().GetLogic()->PaintInfoPanel(dc, LayoutMode::NineGraphs, 1000, 800, title);
        for (const std::string& text : dc.Texts())
            if (text.rfind(head, 0) == 0)
                return text;
        return {};
    }

    std::array<double, 6> Stored()
    {
        std::array<double, 6> loads{};
        Window().GetCurrentStructure()->GetConstantLoads(loads.data(), 3);
        Window().GetCurrentStructure()->GetIncrementLoads(loads.data() + 3, 3);
        return loads;
    }

    // A later run of the program opening the document by File > Open, on PV19.
    void RestartWith(const std::string& name)
    {
        SizedPagesTest::RestartWith(name);
        ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "PV19");
    }

    // Solve > Sectional Response: the stages shown and the peak.
    struct Response {
        int stages = 0;
        int errors = -1;
        const SectionState* peak = nullptr;
        double leastX = 0.0, largestX = 0.0, leastY = 0.0, largestY = 0.0; // stresses of the stages
    };
    Response Solve()
    {
        Frame().Dispatch(CmId::SectionalResponse);
        Response r;
        const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        if (a == nullptr)
            return r;
        EXPECT_FALSE(a->IsRunning());
        r.errors = a->GetErrorCount();
        r.peak = a->GetPeakState();
        for (int i = 0; i <= a->GetLastStageIndex(); ++i)
            if (const SectionState* s = a->GetStage(i)) {
                ++r.stages;
                r.leastX = std::min(r.leastX, s->Result(MembraneResult::SigmaX));
                r.largestX = std::max(r.largestX, s->Result(MembraneResult::SigmaX));
                r.leastY = std::min(r.leastY, s->Result(MembraneResult::SigmaY));
                r.largestY = std::max(r.largestY, s->Result(MembraneResult::SigmaY));
            }
        return r;
    }
};

} // namespace

// The rows of PV19's dialog name N_xx, N_yy and N_xy in MPa under the caption the beam's dialog
// has. Typed constants 0.5, -0.25, 0.75 and increments 1, 1, 1 are stored as 500, -250, 750 and
// 1000 each (the analysis applies a thousand times these, in Pa), N_yy with the sign typed, and
// shown again as typed; the document saved and opened by a later run holds them and shows them
// so, and its second save is the first's bytes. In US units the rows are psi: one typed psi is
// 6894.757 Pa (4.4482216 N over 0.0254^2 m^2), stored as 6.894757.
TEST_F(MembraneLoadsDialog, RowsNameWhatTheySetAndKeepTheSignTypedThroughSaveAndReopening)
{
    OpenPanels();
    const Shown fresh = ShownLoads();
    EXPECT_EQ(fresh.caption, "Define Loading");
    EXPECT_EQ(fresh.rows, (std::array<std::string, 3>{"N_xx", "N_yy", "N_xy"}));
    EXPECT_EQ(fresh.units, (std::array<std::string, 3>{"MPa", "MPa", "MPa"}));

    TypeLoads({"0.5", "-0.25", "0.75"}, {"1", "1", "1"});
    const std::array<double, 6> stored = Stored();
    const double expected[6] = {500.0, -250.0, 750.0, 1000.0, 1000.0, 1000.0};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(stored[i], expected[i], 1e-9) << "field " << i;
    const std::array<std::string, 6> typed =
        {"  0.50", " -0.25", "  0.75", "  1.00", "  1.00", "  1.00"};
    EXPECT_EQ(ShownLoads().values, typed);

    SaveAs("typed.qvh");
    const std::string saved = dir.Read("typed.qvh");
    RestartWith("typed.qvh");
    const std::array<double, 6> reopened = Stored();
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(reopened[i], expected[i], 1e-6) << "field " << i;
    EXPECT_EQ(ShownLoads().values, typed);
    SaveAs("again.qvh");
    EXPECT_EQ(dir.Read("again.qvh"), saved);

    g_UnitSystem = kUnitUS;
    const Shown us = ShownLoads();
    EXPECT_EQ(us.units, (std::array<std::string, 3>{"psi", "psi", "psi"}));
    TypeLoads({"0", "0", "0"}, {"0", "-1", "0"});
    EXPECT_NEAR(Stored()[4] * 1000.0 / -kPsi, 1.0, kUnitTableRounding);
}

// A beam's dialog stays as it was: N, M and V in kN, kNm and kN, the moment shown with the
// opposite sign of the stored one.
TEST_F(MembraneLoadsDialog, TheBeamsRowsStayAxialLoadMomentAndShear)
{
    const Shown beam = ShownLoads();
    EXPECT_EQ(beam.rows, (std::array<std::string, 3>{"Axial Load", "Moment", "Shear"}));
    EXPECT_EQ(beam.units, (std::array<std::string, 3>{"kN", "kNm", "kN"}));
    TypeLoads({"0", "0", "0"}, {"0", "1", "0"});
    EXPECT_DOUBLE_EQ(Stored()[4], -1000.0);
}

// PV19 given N_yy = -1 MPa alone: the response runs in compression to the peak of the concrete
// and the yielded y bars, f_y = -(f'c + rho_y f_yy) = -(19 + 2.13) MPa (the y bars yield at
// 1.5 mm/m, before the concrete's peak strain), and no x stress is called up. N_xx = -1 MPa
// alone peaks between f'c + rho_x E_s |e_c'| (the x bars still elastic at the concrete's peak
// strain) and f'c + rho_x f_yx = 27.2 MPa (both at their strengths). Each ends past the peak, and
// no box is shown on the way.
TEST_F(MembraneLoadsDialog, ACompressiveIncrementAloneTracesTheResponseToItsPeak)
{
    OpenPanels();
    TypeLoads({"0", "0", "0"}, {"0", "-1", "0"});
    const Response y = Solve();
    EXPECT_EQ(y.errors, 0);
    EXPECT_GT(y.stages, 30);
    ASSERT_NE(y.peak, nullptr);
    const double handY = -(kFc + kRhoY * kFyY);
    EXPECT_NEAR(y.peak->Result(MembraneResult::SigmaY) / handY, 1.0, 0.03)
        << y.peak->Result(MembraneResult::SigmaY);
    EXPECT_LT(ElementNode(*y.peak)->StrainZ, -kFyY / kEs);
    EXPECT_LT(std::max(std::fabs(y.leastX), y.largestX), 1e4);
    EXPECT_LT(y.largestY, 1e4);

    TypeLoads({"0", "0", "0"}, {"-1", "0", "0"});
    const Response x = Solve();
    EXPECT_EQ(x.errors, 0);
    EXPECT_GT(x.stages, 30);
    ASSERT_NE(x.peak, nullptr);
    const double ecp = std::fabs(Window().GetCurrentStructure()->GetConcreteType(0)->ec);
    const double peakX = -x.peak->Result(MembraneResult::SigmaX);
    EXPECT_GT(peakX, 0.98 * (kFc + kRhoX * std::min(kFyX, kEs * ecp))) << peakX;
    EXPECT_LT(peakX, 1.01 * (kFc + kRhoX * kFyX)) << peakX;
    EXPECT_LT(x.largestX, 1e4);
    EXPECT_LT(std::max(std::fabs(x.leastY), x.largestY), 1e4);
    EXPECT_TRUE(ui.Done());
}

// A precompression typed as -0.5 in the N_xx row, with a shear increment, is applied as -0.5 of
// the unit the row names in each unit system: -0.5 MPa, -0.5 kg/cm^2 (49033 Pa) and -0.5 psi
// (3447.4 Pa), at every stage, since no increment acts in x. Once solved the information panel
// reports it so ("Stress-X = -0.50 psi") and the status in the same unit, and PV19 is taken in
// shear past its cracking, 0.33 sqrt(f'c) = 1.44 MPa. In US units the document saved and opened
// by a later run shows the loads as typed, solves to the same texts and saves the same bytes.
TEST_F(MembraneLoadsDialog, AConstantIsAppliedAndReportedInTheUnitItsRowNamesInEveryUnitSystem)
{
    OpenPanels();
    struct System {
        int system;
        const char* unit;
        double pascals;
    };
    const auto solvedAs = [&](const System& u) {
        const Response r = Solve();
        EXPECT_EQ(r.errors, 0) << u.unit;
        EXPECT_GT(r.stages, 10) << u.unit;
        ASSERT_NE(r.peak, nullptr) << u.unit;
        EXPECT_GT(r.peak->Result(MembraneResult::TauXY), 0.33 * std::sqrt(kFc / kMPa) * kMPa)
            << u.unit;
        const TSectionalAnalysis* a = Window().GetCurrentAnalysis();
        for (int i = 0; i <= a->GetLastStageIndex(); ++i)
            if (const SectionState* s = a->GetStage(i)) {
                EXPECT_NEAR(s->Result(MembraneResult::AppliedX) / (-0.5 * u.pascals),
                            1.0,
                            kUnitTableRounding)
                    << u.unit << " stage " << i << ": " << s->Result(MembraneResult::AppliedX)
                    << " Pa";
            }
        // The information panel shows the current stage's applied stresses (a "^2" of the unit
        // drawn raised, as a run of its own); the status the element's stress, equal to them
        // within the state solve's tolerance.
        const std::string unit(u.unit);
        EXPECT_EQ(PanelLine("Stress-X"), "Stress-X = -0.50 " + unit.substr(0, unit.find('^')));
        const std::string status = Frame().GetGadgetText(GadgetId::Status1);
        const std::string head = "Stress-X : ", tail = std::string(" ") + u.unit;
        ASSERT_EQ(status.substr(0, head.size()), head);
        ASSERT_EQ(status.substr(status.size() - tail.size()), tail);
        const SectionState* now = a->GetCurrentState();
        double applied = 0.0;
        for (int c = 0; c < 3; ++c)
            applied += std::pow(now->Result(MembraneResult::AppliedX + c), 2);
        const double residual = std::sqrt(kSolveRelative * applied + kSolveAbsolute);
        const double shown =
            TypedNumber(status.substr(head.size(), status.size() - head.size() - tail.size()));
        EXPECT_NEAR(shown, -0.5, residual / u.pascals + kShownRounding) << status;
    };
    const System us{kUnitUS, "psi", kPsi};
    for (const System& u :
         {System{kUnitSI, "MPa", kMPa}, System{kUnitOldMetric, "kg/cm^2", kKgPerCm2}, us}) {
        g_UnitSystem = u.system;
        EXPECT_EQ(ShownLoads().units, (std::array<std::string, 3>{u.unit, u.unit, u.unit}));
        TypeLoads({"-0.5", "0", "0"}, {"0", "0", "1"});
        EXPECT_NEAR(Stored()[0] * 1000.0 / (-0.5 * u.pascals), 1.0, kUnitTableRounding) << u.unit;
        solvedAs(u);
    }

    SaveAs("us.qvh");
    const std::string saved = dir.Read("us.qvh");
    RestartWith("us.qvh");
    const std::array<std::string, 6> typed =
        {" -0.50", "  0.00", "  0.00", "  0.00", "  0.00", "  1.00"};
    EXPECT_EQ(ShownLoads().values, typed);
    solvedAs(us);
    SaveAs("again.qvh");
    EXPECT_EQ(dir.Read("again.qvh"), saved);
    EXPECT_TRUE(ui.Done());
}
