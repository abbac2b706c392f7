#pragma once
// Point analyses: one state of a beam section, solved once in the constructor and then only
// shown.
//
//  - T1LoadAnalysis: the state under the section's constant loads ("One Load").
//  - T1StrainAnalysis: strain e1 fixed at depth y1; the strain at the opposite face is found
//    so that N lies on the load path, the load factor being set by the moment.
//  - T2StrainAnalysis: the plane section through (e1, y1) and (e2, y2).
//  - TLongTermAnalysis: the state under the sustained loads set on its beam (used by the
//    time-dependent solution; its beam copy is not validated again).
//
// A failed solve stores the kind's message in the error list and frees the state, so every
// stage answers null. Every solve ends with Finish (the beam copy is unfrozen).

#include "analysis/TQuarvish2000Analysis.h"

class TPointAnalysis : public TQuarvish2000Analysis {
public:
    // The four values in the order e1, y1, e2, y2 (strains, depths in m).
    TPointAnalysis(
        const TBeam* structure, int validate, double e1, double y1, double e2, double y2);
    ~TPointAnalysis() override;

    const SectionState* GetCurrentState() const override { return m_state.get(); }
    const SectionState* GetLatestState() const override { return m_state.get(); }
    const SectionState* GetPeakState() const override;
    const SectionState* GetStage(int index) const override;
    int GetNextStageIndex(int) const override { return 0; }
    int GetPreviousStageIndex(int) const override { return 0; }
    int GetLastStageIndex() const override { return 1; }
    int SelectLoadStage(int) override { return 1; }
    int GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const override;
    int SelectLatestState() override { return 1; }
    int Step() override { return 1; }
    // The load-stage control variable has no meaning for one state: 1 (M).
    int ChooseControlVariable(int) override { return kMoment; }

    // Solves the one state; non-zero on success.
    virtual int Solve() = 0;

protected:
    // Common end of a solve: Finish, then on success the load factor reached, on failure the
    // message (title, icon) and no state.
    int EndSolve(int result, const char* message, const char* title);
    // The plane section through (m_e1, m_y1) and (m_e2, m_y2) into the state, gamma 0.
    void SetTwoPointProfile();

    SectionStateHolder m_state;
    double m_e1 = 0.0;
    double m_e2 = 0.0;
    double m_y1 = 0.0;
    double m_y2 = 0.0;
};

inline constexpr const char* kLoadCaseFailedText = "Could Not Solve for Load Case.";
inline constexpr const char* kStrainFailedText = "Could not solve for given strain";
inline constexpr const char* kLongTermFailedText =
    "Cannot solve to long term sustained moment.  Change long term moments in \"Loads | Time "
    "Dependent Effects\" menu.  If analysis is performed now, it will not include long term "
    "effects";
inline constexpr const char* kLongTermFailedTitle = "No Solution";

class T1LoadAnalysis : public TPointAnalysis {
public:
    T1LoadAnalysis(const TBeam* structure, double e1, double y1, double e2, double y2);
    int Solve() override;
};

class T1StrainAnalysis : public TPointAnalysis {
public:
    T1StrainAnalysis(const TBeam* structure, double e1, double y1, double e2, double y2);
    int Solve() override;

private:
    // N minus its load-path value, the load factor set from M and stored in the state.
    double AxialResidual();
};

class T2StrainAnalysis : public TPointAnalysis {
public:
    T2StrainAnalysis(const TBeam* structure, double e1, double y1, double e2, double y2);
    int Solve() override;
};

class TLongTermAnalysis : public TPointAnalysis {
public:
    TLongTermAnalysis(const TBeam* structure, double e1, double y1, double e2, double y2);
    int Solve() override;
};
