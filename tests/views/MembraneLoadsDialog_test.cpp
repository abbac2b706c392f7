// Loads > Sectional Loads on a membrane element, as a membrane user gives its loads: the rows
// name the in-plane forces N_xx, N_yy and N_xy they set, in force per length of the active unit
// system, and each value is stored, solved, saved and shown again with the sign it was typed.
// A compressive normal increment alone traces the element's response in compression to its
// peak, as a tensile one traces it in tension.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "app/CommandIds.h"
#include "dialogs/SectionInputDialogs.h"
#include "foundation/Units.h"
#include "membrane/MembraneState.h"
#include "model/TShell.h"
#include "platform/Dialog.h"
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

// The rows of PV19's dialog name N_xx, N_yy and N_xy in kN/m under the caption the beam's dialog
// has. Typed constants 0.5, -0.25, 0.75 and increments 1, 1, 1 are stored as 500, -250, 750 and
// 1000 N/m each, N_yy with the sign typed, and shown again as typed; the document saved and
// opened by a later run holds them and shows them so, and its second save is the first's bytes.
// In US units the rows are kips/ft: one typed kip/ft is 14.594 kN/m (4.448 kN over 0.3048 m).
TEST_F(MembraneLoadsDialog, RowsNameWhatTheySetAndKeepTheSignTypedThroughSaveAndReopening)
{
    OpenPanels();
    const Shown fresh = ShownLoads();
    EXPECT_EQ(fresh.caption, "Define Loading");
    EXPECT_EQ(fresh.rows, (std::array<std::string, 3>{"N_xx", "N_yy", "N_xy"}));
    EXPECT_EQ(fresh.units, (std::array<std::string, 3>{"kN/m", "kN/m", "kN/m"}));

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
    EXPECT_EQ(us.units, (std::array<std::string, 3>{"kips/ft", "kips/ft", "kips/ft"}));
    TypeLoads({"0", "0", "0"}, {"0", "-1", "0"});
    EXPECT_NEAR(Stored()[4], -4448.2216 / 0.3048, 0.5);
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

// PV19 given N_yy = -1 kN/m alone: the response runs in compression to the peak of the concrete
// and the yielded y bars, f_y = -(f'c + rho_y f_yy) = -(19 + 2.13) MPa (the y bars yield at
// 1.5 mm/m, before the concrete's peak strain), and no x stress is called up. N_xx = -1 kN/m
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
