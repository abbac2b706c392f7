#pragma once
// TPellicor2000Analysis: the base of the membrane analyses. A membrane element (a TShell: one
// concrete type, smeared reinforcement layers in x and y, in-plane stresses f_x, f_y, v_xy) is
// solved as a sequence of element states, each a SectionState whose node 0 holds the element
// (membrane/MembraneState.h).
//
// The analysis owns a private copy of the element, keeps the per-direction steel data and the
// per-bar failure flags, and holds the element state solver SolveMembraneState: a relaxed
// secant iteration for the strains e_x, e_y, g_xy that carry the applied stresses, either under
// pure load control or with one strain component held (strain control).
//
// Load path: applied stress_i = C_i + lambda I_i with the constant loads C (scaled by 1000 at
// construction) and the increment loads I copied from the element; components 0 f_x, 1 f_y,
// 2 v_xy, in Pa.
//
// Concrete model-set codes 7, 9, 11 and 14 evaluate the element in fixed crack axes
// (EvaluateFixedAngleState); every other code by the Modified Compression Field Theory with a
// rotating crack angle (the layer solver's SolveMcftElement).

#include <array>
#include <memory>

#include "analysis/TSectionalAnalysis.h"
#include "foundation/SmallSolvers.h"

class TShell;
struct ConcreteTypeRec;

class TPellicor2000Analysis : public TSectionalAnalysis {
public:
    // Control index values: the strain component held by the state solve.
    static constexpr int kHoldEx = 0;
    static constexpr int kHoldEy = 1;
    static constexpr int kHoldGxy = 2;
    static constexpr int kLoadControl = 5;
    // SolveMembraneState modes.
    static constexpr int kModeLoadControl = 1;
    static constexpr int kModeStrainControl = 3;
    // Iteration limits of the state solve.
    static constexpr int kRelaxAfter = 100;
    static constexpr int kMaxIterations = 200;

    // Works on its own copy of the element. Without an element shows "Object Called with no
    // referring beam or shell" and is left unset (GetStructure answers null; nothing solves).
    explicit TPellicor2000Analysis(const TShell* element);
    ~TPellicor2000Analysis() override;

    // ---- Virtual operations ---------------------------------------------------------------

    const TStructure* GetStructure() const override;
    int HasShear() const override { return 1; }
    // Mode 2: e_x, e_y, g_xy, sigma_x, sigma_y, tau_xy of a valid state (the current one for
    // null) and 1. A missing or invalid state, or any other mode, answers 0 (values zeroed
    // for another mode).
    int GetStateResults(const SectionState* state,
                        std::array<double, 6>& values,
                        int mode) const override;
    // Ids 2, 3 and 4: the stored results e_1, theta and steel difference; others as the base.
    double Probe_analysis(int probeId, double depth) const override;
    // A shear increment below 0.0001 in magnitude (but not 0) becomes sign(v) divided by the
    // display factor of moments per length of the active unit system.
    void AdjustLoads() override;
    int GetMaxLayerCount() const override { return 1; }
    int GetMaxNodeCount() const override { return 1; }
    // From the increment loads: the normal component with the largest positive increment (0
    // e_x, 1 e_y; y only when strictly larger) unless the shear increment is larger or
    // exceeds 1.0 in magnitude, and g_xy (2) without a positive normal increment; but with no
    // shear increment and only compressive normal ones, the one largest in magnitude.
    int ChooseControlVariable(int flag) override;

    // ---- Element state solver -------------------------------------------------------------

    // Solves the stage (its strains are the starting point) for the applied stresses: mode 1
    // pure load control (the control index becomes kLoadControl), mode 3 with the control
    // index's strain held and the load factor following from the stresses. 1 when solved (its
    // Valid set), else 0 (Valid 0): a singular system, a strain correction above 1.0, no
    // convergence within kMaxIterations, or a final state out of equilibrium.
    int SolveMembraneState(SectionState& stage, int mode);
    // Whether the stage's stresses carry its applied stresses within the state solve's
    // tolerance: squared misfit at most 1e-5 of the applied stresses' squared size + 1e6 Pa^2.
    static bool IsInEquilibrium(const SectionState& stage);
    // Secant stiffness of the element at the stage's strains (the state is evaluated first),
    // with the penalty of the held component.
    void BuildElementStiffness(Matrix3& K, SectionState& stage);
    // Stresses, bar stresses and crack quantities of the stage from its strains.
    void EvaluateElementState(SectionState& stage);
    // The fixed-crack-angle state of model-set codes 7, 9, 11 and 14; out receives a secant
    // shear modulus, or -1.0 when there is none.
    void EvaluateFixedAngleState(SectionState& stage, double& out);
    // Capacity ratio m of the net steel capacities of y and x under applied f_x, f_y.
    void SteelCapacityRatio(double fx, double fy);
    // Bar plastic offsets and failure flags after a successful solve.
    void UpdateBarHistory(SectionState& stage);
    // Ratio-weighted initial strain of the intact bars of each direction.
    void AverageBarPrestrains();

    // ---- Read access ------------------------------------------------------------------------

    const TShell* GetElement() const { return m_element.get(); }
    int GetControlIndex() const { return m_controlIndex; }
    void SetControlIndex(int index) { m_controlIndex = index; }
    double GetSteelRatio(int direction) const { return direction == 0 ? m_rhoX : m_rhoY; }
    double GetAveragePrestrain(int direction) const
    {
        return direction == 0 ? m_prestrainX : m_prestrainY;
    }
    double GetSteelSecantModulus(int direction) const { return direction == 0 ? m_EsX : m_EsY; }
    double GetCapacityRatio() const { return m_capacityRatio; }
    double GetResultE1() const { return m_resultE1; }
    double GetResultTheta() const { return m_resultTheta; }
    double GetResultSteelDifference() const { return m_resultSteelDifference; }
    // Element-state evaluations since construction (one per secant iteration and per solve).
    long GetEvaluationCount() const { return m_evaluationCount; }
    // The free shrinkage and thermal strain of the element (0 without an element).
    double FreeStrain() const;
    // Concrete type 0 of the element copy; null when there is none.
    const ConcreteTypeRec* ElementConcrete() const;

protected:
    TStructure* GetWritableStructure() override;
    bool IsBarFailed(int direction, int i) const;
    // Strain of bar i of direction d beyond the element strain: its prestrain less its thermal
    // and time-dependent strains.
    double BarPrestrain(int direction, int i) const;

    // Stored results of the reference stage (probe ids 2, 3, 4).
    double m_resultE1 = 0.0;
    double m_resultTheta = 0.0;
    double m_resultSteelDifference = 0.0;

private:
    void EvaluateMcftState(SectionState& stage);
    // The node's depth, concrete type, imposed strains, crack spacings and tension-stiffening
    // factor for this element.
    void PrepareNode(LayerNodeStateRec& node, const ConcreteTypeRec& type, double e0) const;
    // Average and crack stresses of the bars of one direction (both paths' steel step).
    struct DirectionSteel {
        double average = 0.0;  // f_s, ratio-weighted mean over the direction
        double capacity = 0.0; // sum of ratio x crack stress
    };
    DirectionSteel EvaluateDirectionSteel(SectionState& stage, int direction, double strain);

    std::unique_ptr<TShell> m_element;
    int m_controlIndex = 0;
    double m_EsX = 0.0;
    double m_EsY = 0.0;
    double m_prestrainX = 0.0;
    double m_prestrainY = 0.0;
    double m_rhoX = 0.0;
    double m_rhoY = 0.0;
    double m_capacityRatio = 0.0;
    long m_evaluationCount = 0;
};
