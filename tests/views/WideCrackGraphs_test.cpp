// The member crack view as graphs 4002 (undisplaced) and 4003 (displaced 25 times): the
// scale factor each prompt offers and what a new factor changes, and the load the view draws
// while the stations' stage tables hold trial stages above the marked load.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "analysis/StepTogether.h"
#include "foundation/Units.h"
#include "member/MemberTestSupport.h"
#include "member/TFullMemberResponse.h"
#include "platform/Application.h"
#include "platform/Ui.h"
#include "tests/support/TestSupport.h"
#include "views/TWideCrack2.h"

namespace {

plat::Size Extent(const std::string& text, const plat::LogFont&)
{
    return {static_cast<int>(7 * text.size()), 12};
}

// Answers the scale-factor prompt with a given text and keeps what the prompt offered.
class PromptUi final : public plat::Ui {
public:
    std::string answer;
    std::vector<std::string> offered;
    int MessageBox(const std::string&, const std::string&, unsigned) override { return 1; }
    bool InputText(const std::string& caption, const std::string& prompt, std::string& text) override
    {
        offered.push_back(caption + " | " + prompt + " | " + text);
        text = answer;
        return true;
    }
    bool EditText(const std::string&, std::string&, bool) override { return false; }
    bool ChooseFile(plat::FileDialogKind, plat::FileDialogData&) override { return false; }
    bool ChooseFromList(const std::string&, const std::vector<std::string>&, int&) override { return false; }
    int TrackPopupMenu(const std::vector<plat::MenuItem>&, plat::Point) override { return 0; }
    bool ChooseFont(plat::FontDialogData&) override { return false; }
    bool ChooseColor(plat::ColorDialogData&) override { return false; }
    int RunDialog(plat::Dialog&) override { return 0; }
};

// What the member's stations hold part way through a run: the marked load lambda (the least
// of their largest accepted load factors) and how many hold a trial stage above their last
// accepted one.
struct StationStages {
    double lambda = 1e30;
    int trials = 0;
};

StationStages StagesHeld(const TFullMemberResponse& m)
{
    StationStages held;
    for (int i = 0; i < m.GetStationCount(); ++i) {
        const TFullSectionalResponse* a = m.GetStationAnalysis(i);
        if (a == nullptr)
            continue;
        held.lambda = std::min(held.lambda, a->GetMaxLoadFactor());
        const SectionState* last = a->StageSlot(a->GetLastStageIndex());
        held.trials += last != nullptr && last->Valid == 0 &&
                       a->LoadFactorOf(a->GetLastStageIndex()) > a->GetMaxLoadFactor();
    }
    return held;
}

// A simply supported 1.8 m member of a 200 x 300 mm section with two 12 mm bottom bars and
// stirrups under a midspan load: the moment rises linearly from 0 at the supports to 1000 N m
// per unit load factor at midspan. Stepped, one station step at a time, until every station
// has accepted stages up to a load factor above 5 and at least five hold a trial stage above
// them (a bounded number of steps, the same on any machine).
struct SteppedMember : ::testing::Test {
    static void SetUpTestSuite()
    {
        plat::EnsureGuiRuntime();
        s_slots = std::make_unique<membertest::TestSlots>();
        s_slots->Put(0, membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012, true));
        TMemberDefinition d;
        d.length = kSpan;
        d.leftPlateSize = d.rightPlateSize = 0.05;
        d.rightPlateLocation = kSpan;
        d.leftSupport = d.rightSupport = SupportType::Roller;
        d.diagrams[LiveDiagram][0] = {0.0, 0.0, 0};
        d.diagrams[LiveDiagram][1] = {kSpan / 2, -1000.0, 0};
        d.diagrams[LiveDiagram][2] = {kSpan, 0.0, 0};
        d.pointCount[LiveDiagram] = 3;
        s_member = std::make_unique<TFullMemberResponse>(d, *s_slots);
        const ScopedStepTogetherSlice oneStepEach(0);
        for (int k = 0; k < kMaxSteps && s_member->IsRunning() != 0; ++k) {
            const StationStages held = StagesHeld(*s_member);
            if (held.trials >= 5 && held.lambda > 5.0)
                break;
            s_member->Step();
        }
        s_member->BuildResultCurves();
    }
    static void TearDownTestSuite()
    {
        s_member.reset();
        s_slots.reset();
    }
    static constexpr double kSpan = 1.8;
    static constexpr int kMaxSteps = 2000;
    static std::unique_ptr<membertest::TestSlots> s_slots;
    static std::unique_ptr<TFullMemberResponse> s_member;
    RecordingReporter reporter;
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
};

std::unique_ptr<membertest::TestSlots> SteppedMember::s_slots;
std::unique_ptr<TFullMemberResponse> SteppedMember::s_member;

int Bars(const ElevationPicture& p)
{
    int n = 0;
    for (const auto& line : p.lines.All<picture::Line>())
        n += line.colour == plat::Color{160, 160, 160} && line.a.y == line.b.y;
    return n;
}

std::vector<std::string> Notes(const ElevationPicture& p)
{
    std::vector<std::string> out;
    for (const auto& l : p.notes.All<picture::Label>())
        out.push_back(l.text);
    return out;
}

} // namespace

// Graph 4002 offers " 0.00" and draws the member undisplaced with its bars and no note; given
// 10, its sections are displaced: midspan's bottom corner lies below the supports' by ten
// times the deflection, the bars go and the note "Mag.  10x (crack widths: mm)" comes. Graph
// 4003 offers "25.00" and draws the note for 25; given 0, it draws as 4002 does.
TEST_F(SteppedMember, ScaleFactorPromptsOfGraphs4002And4003)
{
    PromptUi ui;
    const plat::ScopedUi scope(ui);
    TFullMemberResponse& m = *s_member;
    m.SelectLoadStage(kCurvePointStageBase + 30);

    TWideCrack2 flat(nullptr, "Member", 0, 0, 900, 300, 4002);
    flat.AttachAnalysis(&m);
    ElevationPicture p = flat.ComputePicture(Extent, 900, 300);
    EXPECT_TRUE(Notes(p).empty());
    EXPECT_EQ(Bars(p), 1);
    const int mid = flat.SectionCountNow() / 2;
    const double level = flat.Record(mid).corners[1] - flat.Record(0).corners[1];
    EXPECT_NEAR(level, 0.0, 1e-12); // undisplaced: one level

    ui.answer = "10";
    flat.CmPopup3007();
    EXPECT_EQ(flat.ScaleFactor(), 10.0);
    flat.AttachAnalysis(&m);
    p = flat.ComputePicture(Extent, 900, 300);
    EXPECT_EQ(Notes(p), (std::vector<std::string>{"Mag.  10x (crack widths: mm)"}));
    EXPECT_EQ(Bars(p), 0);
    const double sag10 = flat.Record(mid).corners[1] - flat.Record(0).corners[1];
    EXPECT_LT(sag10, 0.0);

    TWideCrack2 displaced(nullptr, "Member", 0, 0, 900, 300, 4003);
    displaced.AttachAnalysis(&m);
    p = displaced.ComputePicture(Extent, 900, 300);
    EXPECT_EQ(Notes(p), (std::vector<std::string>{"Mag.  25x (crack widths: mm)"}));
    EXPECT_EQ(Bars(p), 0);
    const double sag25 = displaced.Record(mid).corners[1] - displaced.Record(0).corners[1];
    EXPECT_NEAR(sag25, 2.5 * sag10, 1e-6 * std::fabs(sag25));

    ui.answer = "0";
    displaced.CmPopup3007();
    displaced.AttachAnalysis(&m);
    p = displaced.ComputePicture(Extent, 900, 300);
    EXPECT_TRUE(Notes(p).empty());
    EXPECT_EQ(Bars(p), 1);
    EXPECT_NEAR(displaced.Record(mid).corners[1] - displaced.Record(0).corners[1], 0.0, 1e-12);

    EXPECT_EQ(ui.offered, (std::vector<std::string>{
                              "Scale Factor | Enter scale factor for displacements |  0.00",
                              "Scale Factor | Enter scale factor for displacements | 25.00"}));
    EXPECT_TRUE(reporter.messages.empty());
}

// While the stations step, most hold a trial stage above their last accepted one. The view
// draws the member at the marked load, the capacity so far: the least of the stations'
// largest accepted load factors, lambda. Each section carries the statics of the midspan load
// at lambda, M(x) = -1000 lambda x / 0.9 up to midspan and symmetric beyond, whichever
// stages a station holds above it.
TEST_F(SteppedMember, TheMarkedLoadIsDrawnNotATrialStageAboveIt)
{
    TFullMemberResponse& m = *s_member;
    for (int i = 0; i < m.GetStationCount(); ++i)
        ASSERT_NE(m.GetStationAnalysis(i), nullptr);
    const auto [lambda, trials] = StagesHeld(m);
    ASSERT_GE(trials, 5);
    ASSERT_GT(lambda, 5.0);
    ASSERT_LT(lambda, 60.0);

    m.SelectLoadStage(kCurvePointStageBase + 30);
    TWideCrack2 view(nullptr, "Member", 0, 0, 900, 300, 4002);
    view.AttachAnalysis(&m);
    EXPECT_NEAR(view.LoadLevel(), lambda, 1e-9 * lambda);
    const int n = view.SectionCountNow();
    ASSERT_GE(n, 10);
    for (int k = 0; k < n; ++k) {
        const MemberStateRecord& r = view.Record(k);
        const double x = r.x;
        const double hand = -1000.0 * lambda * std::min(x, kSpan - x) / (kSpan / 2);
        // Stations straddling midspan take the apex as a chord: within 0.02 %.
        EXPECT_NEAR(r.moment, hand, 2e-4 * 1000.0 * lambda) << x;
    }
    EXPECT_TRUE(reporter.messages.empty());
}
