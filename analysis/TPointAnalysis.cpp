#include "analysis/TPointAnalysis.h"

#include <cmath>

#include "analysis/layers/LayerDriver.h"
#include "foundation/Reporter.h"
#include "model/TBeam.h"

namespace {

// Trial strains at the opposite face of the one-strain solve, and its pass limit.
constexpr double kFirstTrialStrain = -0.0004;
constexpr double kSecondTrialStrain = -0.0003;
constexpr int kMaxStrainPasses = 30;
// Profiles beyond this (strain, 1/m) have run away.
constexpr double kStrainRunaway = 0.1;
// Two depths closer than this give a uniform strain (m).
constexpr double kSameDepth = 0.001;

} // namespace

// ---- Common part --------------------------------------------------------------------------

TPointAnalysis::TPointAnalysis(
    const TBeam* structure, int validate, double e1, double y1, double e2, double y2)
    : TQuarvish2000Analysis(structure, validate), m_e1(e1), m_e2(e2), m_y1(y1), m_y2(y2)
{
    CreateSectionState(m_state, nullptr);
}

TPointAnalysis::~TPointAnalysis()
{
    FreeSectionState(m_state);
}

const SectionState* TPointAnalysis::GetPeakState() const
{
    return m_state && m_state->Valid != 0 ? m_state.get() : nullptr;
}

const SectionState* TPointAnalysis::GetStage(int index) const
{
    return index == 0 ? m_state.get() : nullptr;
}

int TPointAnalysis::GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const
{
    e1 = m_e1;
    y1 = m_y1;
    e2 = m_e2;
    y2 = m_y2;
    return 1;
}

int TPointAnalysis::EndSolve(int result, const char* message, const char* title)
{
    Finish();
    if (result != 0 && m_state) {
        MaxLoadFactor = m_state->Results[StateResult::LoadFactor];
        return result;
    }
    // A section that cannot be analysed was never solved: it says why instead (a section the
    // mesh cannot hold said so when it was set up).
    if (IsSetupRefused())
        ReportNoSection();
    else
        AddError(message, title, MsgStyle::IconExclamation);
    FreeSectionState(m_state);
    return 0;
}

void TPointAnalysis::SetTwoPointProfile()
{
    std::array<double, StateResult::Count>& R = m_state->Results;
    const double phi = (m_e1 - m_e2) / (m_y1 - m_y2);
    R[StateResult::Curvature] = phi;
    R[StateResult::ShearStrain] = 0.0;
    R[StateResult::ReferenceStrain] = m_e1 - m_y1 * phi;
}

// ---- One load -----------------------------------------------------------------------------

T1LoadAnalysis::T1LoadAnalysis(const TBeam* structure, double e1, double y1, double e2, double y2)
    : TPointAnalysis(structure, 1, e1, y1, e2, y2)
{
    Solve();
}

int T1LoadAnalysis::Solve()
{
    const int r = m_state ? SolveAtLoads(*m_state, 0.0) : 0;
    return EndSolve(r, kLoadCaseFailedText, g_MainWindowTitle.c_str());
}

// ---- Long-term state ----------------------------------------------------------------------

TLongTermAnalysis::TLongTermAnalysis(
    const TBeam* structure, double e1, double y1, double e2, double y2)
    : TPointAnalysis(structure, 0, e1, y1, e2, y2)
{
    Solve();
}

int TLongTermAnalysis::Solve()
{
    const int r = m_state ? SolveAtLoads(*m_state, 0.0) : 0;
    return EndSolve(r, kLongTermFailedText, kLongTermFailedTitle);
}

// ---- One strain ---------------------------------------------------------------------------

T1StrainAnalysis::T1StrainAnalysis(
    const TBeam* structure, double e1, double y1, double e2, double y2)
    : TPointAnalysis(structure, 1, e1, y1, e2, y2)
{
    Solve();
}

double T1StrainAnalysis::AxialResidual()
{
    std::array<double, StateResult::Count>& R = m_state->Results;
    const double lambda =
        (R[StateResult::Moment] - ConstantLoads[kMoment]) / IncrementLoads[kMoment];
    R[StateResult::LoadFactor] = lambda;
    return R[StateResult::AxialForce] - (lambda * IncrementLoads[kAxial] + ConstantLoads[kAxial]);
}

int T1StrainAnalysis::Solve()
{
    const TStructure* beam = GetStructure();
    // The load factor comes from the moment: without an increment moment there is none.
    if (!m_state || beam == nullptr || IsSetupRefused() || IncrementLoads[kMoment] == 0.0)
        return EndSolve(0, kStrainFailedText, g_MainWindowTitle.c_str());
    SectionState& state = *m_state;
    std::array<double, StateResult::Count>& R = state.Results;

    const double mid = (beam->GetTop() + beam->GetBottom()) / 2.0;
    m_y2 = m_y1 > mid ? beam->GetBottom() : beam->GetTop();
    m_e2 = kFirstTrialStrain;
    SetTwoPointProfile();
    SolveLayerStates(state, LayerSolveMode::Trial);
    const double rPrevious = AxialResidual();
    m_e2 = kSecondTrialStrain;
    SetTwoPointProfile();
    SolveLayerStates(state, LayerSolveMode::Trial);
    double r = AxialResidual();
    // The slope -dr/de2 that the steps below divide by (the secant slopes after them are
    // (r - r') / delta): the first is measured over the two trials, -0.0001 apart.
    double slope = rPrevious - r != 0.0 ? (r - rPrevious) / (kFirstTrialStrain - kSecondTrialStrain)
                                        : kUndefined;

    auto tolerance = [&] {
        return (std::fabs(R[StateResult::Moment]) + std::fabs(R[StateResult::AxialForce])) * 0.001 +
               1.0;
    };
    int n = 0;
    if (std::fabs(r) >= tolerance()) {
        while (true) {
            const double delta = r / (slope + 1.0);
            m_e2 += 0.25 * delta;
            SetTwoPointProfile();
            SolveLayerStates(state, LayerSolveMode::Trial);
            ++n;
            const double rNext = AxialResidual();
            const double t = tolerance();
            if (delta != 0.0)
                slope = (r - rNext) / delta;
            if (std::fabs(R[StateResult::ReferenceStrain]) > kStrainRunaway ||
                std::fabs(R[StateResult::Curvature]) > kStrainRunaway)
                n = kMaxStrainPasses;
            if (n == kMaxStrainPasses || std::fabs(rNext) < t)
                break;
            r = rNext;
        }
    }
    const bool solved = n != kMaxStrainPasses;
    if (solved) {
        SolveLayerStates(state, LayerSolveMode::FinalBeam);
        R[StateResult::LoadFactor] =
            (R[StateResult::Moment] - ConstantLoads[kMoment]) / IncrementLoads[kMoment];
    }
    state.Valid = solved ? 1 : 0;
    return EndSolve(solved ? 1 : 0, kStrainFailedText, g_MainWindowTitle.c_str());
}

// ---- Two strains --------------------------------------------------------------------------

T2StrainAnalysis::T2StrainAnalysis(
    const TBeam* structure, double e1, double y1, double e2, double y2)
    : TPointAnalysis(structure, 1, e1, y1, e2, y2)
{
    Solve();
}

int T2StrainAnalysis::Solve()
{
    const TStructure* beam = GetStructure();
    if (!m_state || beam == nullptr || IsSetupRefused())
        return EndSolve(0, kStrainFailedText, g_MainWindowTitle.c_str());
    if (std::fabs(m_y1 - m_y2) < kSameDepth) {
        m_e1 = m_e2 = (m_e1 + m_e2) / 2.0;
        m_y1 = beam->GetTop();
        m_y2 = beam->GetBottom();
    }
    SetTwoPointProfile();
    SolveLayerStates(*m_state, LayerSolveMode::FinalBeam);
    m_state->Valid = 1;
    return EndSolve(1, kStrainFailedText, g_MainWindowTitle.c_str());
}
