#include "membrane/TPellicor2000Analysis.h"

#include <cmath>

#include "analysis/element/McftElement.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "membrane/MembraneState.h"
#include "model/ShellLoadScale.h"
#include "model/TShell.h"

namespace {

// Penalty on the diagonal of the held strain component.
constexpr double kHoldPenalty = 1e10;
// A strain correction larger than this (sum of magnitudes) ends the iteration as a failure.
constexpr double kMaxCorrection = 1.0;

} // namespace

TPellicor2000Analysis::TPellicor2000Analysis(const TShell* element)
{
    if (element == nullptr) {
        ShowMessage("Object Called with no referring beam or shell", g_MainWindowTitle);
        return;
    }
    m_element = std::make_unique<TShell>(*element);
    Prepare();
    double ignored = 0.0;
    m_element->GetSteelTotals(m_rhoX, ignored, 0, 0);
    m_element->GetSteelTotals(m_rhoY, ignored, 0, 1);
    ShearFlag = 1;
    for (int d = 0; d < 3; ++d) {
        const int count =
            d < 2 ? m_element->GetLongLayerCount(d) : m_element->GetTransLayerCount(2);
        FailedBarFlags[static_cast<std::size_t>(d)].assign(
            static_cast<std::size_t>(std::max(count, 0)),
            0);
    }
    AverageBarPrestrains();
    for (int i = 0; i < 3; ++i)
        ConstantLoads[static_cast<std::size_t>(i)] *= kShellLoadStressScale;
}

TPellicor2000Analysis::~TPellicor2000Analysis() = default;

const TStructure* TPellicor2000Analysis::GetStructure() const
{
    return m_element.get();
}

TStructure* TPellicor2000Analysis::GetWritableStructure()
{
    return m_element.get();
}

const ConcreteTypeRec* TPellicor2000Analysis::ElementConcrete() const
{
    if (!m_element || m_element->GetConcreteTypeCount() < 1)
        return nullptr;
    return m_element->GetConcreteType(0);
}

double TPellicor2000Analysis::FreeStrain() const
{
    return m_element ? m_element->GetInitialStrainAt(0.0, 3) : 0.0;
}

bool TPellicor2000Analysis::IsBarFailed(int direction, int i) const
{
    const std::vector<int>& flags = FailedBarFlags[static_cast<std::size_t>(direction)];
    return i >= 0 && static_cast<std::size_t>(i) < flags.size() &&
           flags[static_cast<std::size_t>(i)] != 0;
}

double TPellicor2000Analysis::BarPrestrain(int direction, int i) const
{
    const LongLayerRec* layer = m_element->GetLongLayer(i, direction);
    return layer != nullptr ? layer->dep - layer->thermStrain - layer->timeStrain : 0.0;
}

// ---- Loads and control ----------------------------------------------------------------------

void TPellicor2000Analysis::AdjustLoads()
{
    double& v = IncrementLoads[2];
    if (std::fabs(v) < 0.0001 && v != 0.0) {
        const double sign = v > 0.0 ? 1.0 : -1.0;
        v = sign / UnitFactor(ukMomentPerLength, g_UnitSystem);
    }
}

int TPellicor2000Analysis::ChooseControlVariable(int /*flag*/)
{
    const double ix = IncrementLoads[0];
    const double iy = IncrementLoads[1];
    const double ixy = IncrementLoads[2];
    double best = 0.0;
    int index = kHoldGxy;
    if (ix > 0.0) {
        best = ix;
        index = kHoldEx;
    }
    if (iy > best) {
        best = iy;
        index = kHoldEy;
    }
    if (std::fabs(ixy) > 1.0 || ixy > best)
        return kHoldGxy;
    // Without a shear increment no load factor follows from a held shear strain: an element
    // whose normal increments are compressive alone holds the larger of them (x when equal).
    if (index == kHoldGxy && ixy == 0.0 && (ix < 0.0 || iy < 0.0))
        return iy < ix ? kHoldEy : kHoldEx;
    return index;
}

void TPellicor2000Analysis::AverageBarPrestrains()
{
    for (int d = 0; d < 2; ++d) {
        double sum = 0.0;
        for (int i = 0; i < m_element->GetLongLayerCount(d); ++i) {
            if (!IsBarFailed(d, i))
                sum += BarPrestrain(d, i) * m_element->GetLongLayer(i, d)->ratio;
        }
        const double rho = d == 0 ? m_rhoX : m_rhoY;
        (d == 0 ? m_prestrainX : m_prestrainY) = rho > 0.0 ? sum / rho : 0.0;
    }
}

// ---- State solve --------------------------------------------------------------------------------

void TPellicor2000Analysis::BuildElementStiffness(Matrix3& K, SectionState& stage)
{
    EvaluateElementState(stage);
    const ConcreteTypeRec* type = ElementConcrete();
    const LayerNodeStateRec* node = ElementNode(stage);
    if (type == nullptr || node == nullptr)
        return;
    SecantStiffnessMatrix(K, *type, *node, false);

    // Steel secant moduli: the stress over the bar strain, or the elastic modulus of the
    // intact bars near zero strain.
    const auto secant = [&](int d, double strain, double fs, double rho) {
        if (!(rho > 0.0))
            return 0.0;
        double S = 0.0;
        for (int i = 0; i < m_element->GetLongLayerCount(d); ++i) {
            if (IsBarFailed(d, i))
                continue;
            const LongLayerRec* layer = m_element->GetLongLayer(i, d);
            const SteelTypeRec* steel = m_element->GetSteelType(layer->type);
            if (steel != nullptr)
                S += GetSteelMaterialFactor(*steel) * layer->ratio * steel->Es;
        }
        const double a = (d == 0 ? m_prestrainX : m_prestrainY) + strain;
        return std::fabs(a) <= 1e-10 ? S / rho : fs / a;
    };
    m_EsX = secant(0, node->StrainX, node->SteelStressX, m_rhoX);
    m_EsY = secant(1, node->StrainZ, node->StirrupStress, m_rhoY);
    K[0][0] += m_EsX * m_rhoX;
    K[1][1] += m_EsY * m_rhoY;
    if (m_controlIndex >= kHoldEx && m_controlIndex <= kHoldGxy) {
        const auto k = static_cast<std::size_t>(m_controlIndex);
        K[k][k] *= kHoldPenalty;
    }
}

namespace {

// Squared misfit of the stage's stresses against the applied ones, and its tolerance: a
// thousandth of a stress unit, widened by 1e-5 of the applied stresses' squared size.
struct Misfit {
    double err = 0.0;
    double tol = 0.0;
};

Misfit StageMisfit(const SectionState& stage)
{
    using namespace MembraneResult;
    const auto& R = stage.Results;
    const double fx = R[AppliedX], fy = R[AppliedY], vxy = R[AppliedXY];
    return {(R[SigmaX] - fx) * (R[SigmaX] - fx) + (R[SigmaY] - fy) * (R[SigmaY] - fy) +
                (R[TauXY] - vxy) * (R[TauXY] - vxy),
            (fx * fx + fy * fy + vxy * vxy) * 1e-5 + 1e6};
}

} // namespace

bool TPellicor2000Analysis::IsInEquilibrium(const SectionState& stage)
{
    const Misfit m = StageMisfit(stage);
    return m.err <= m.tol;
}

int TPellicor2000Analysis::SolveMembraneState(SectionState& stage, int mode)
{
    LayerNodeStateRec* node = ElementNode(stage);
    if (!m_element || node == nullptr || ElementConcrete() == nullptr) {
        stage.Valid = 0;
        return 0;
    }
    double relax = 0.5;
    int count = 0;
    int ok = 1;
    const double e0 = FreeStrain();
    if (mode == kModeLoadControl)
        m_controlIndex = kLoadControl;
    auto& R = stage.Results;
    using namespace MembraneResult;

    while (ok) {
        Matrix3 K{};
        BuildElementStiffness(K, stage);
        for (std::size_t r = 0; r < 3; ++r)
            for (std::size_t c = 0; c < 3; ++c)
                stage.Extra[3 * r + c] = K[r][c];

        const int k = m_controlIndex;
        if (mode == kModeStrainControl && k >= kHoldEx && k <= kHoldGxy) {
            const auto kk = static_cast<std::size_t>(k);
            const double computed = R[static_cast<std::size_t>(SigmaX + k)];
            // Without an increment in the held component the load factor cannot follow from
            // it and stays as it is.
            if (IncrementLoads[kk] != 0.0)
                R[LoadFactor] = (computed - ConstantLoads[kk]) / IncrementLoads[kk];
            for (std::size_t i = 0; i < 3; ++i)
                R[static_cast<std::size_t>(AppliedX) + i] =
                    ConstantLoads[i] + IncrementLoads[i] * R[LoadFactor];
        }

        ++count;
        const double fx = R[AppliedX], fy = R[AppliedY], vxy = R[AppliedXY];
        const auto [err, tol] = StageMisfit(stage);

        const double preX = (m_prestrainX + e0) * m_rhoX * m_EsX;
        const double preY = (m_prestrainY + e0) * m_rhoY * m_EsY;
        Vector3 rhs{fx - preX, fy - preY, vxy};
        // The held component's row asks for its present strain (net of the free strain, which
        // the update adds back), so the strain stays where it is.
        switch (k) {
        case kHoldEx:
            rhs[0] = K[0][0] * (node->StrainX - e0) - preX;
            break;
        case kHoldEy:
            rhs[1] = K[1][1] * (node->StrainZ - e0) - preY;
            break;
        case kHoldGxy:
            rhs[2] = K[2][2] * node->ShearStrain;
            break;
        default:
            break;
        }
        Vector3 d{};
        if (SolveLinear3(K, d, rhs, 3) != 0) {
            ok = 0;
        } else if (std::fabs(d[0]) + std::fabs(d[1]) + std::fabs(d[2]) <= kMaxCorrection) {
            node->StrainX = relax * (d[0] + e0) + (1.0 - relax) * node->StrainX;
            node->StrainZ = relax * (d[1] + e0) + (1.0 - relax) * node->StrainZ;
            node->ShearStrain = relax * d[2] + (1.0 - relax) * node->ShearStrain;
        } else {
            ok = 0;
        }
        if (count > kRelaxAfter && relax == 0.5)
            relax = 0.25;
        if (count > kMaxIterations)
            ok = 0;
        if (err <= tol)
            break;
    }
    EvaluateElementState(stage);
    // The last update moved the strains after the test: the state kept must itself carry the
    // applied stresses (a strain near where the crack direction turns can leave it far off).
    if (ok && !IsInEquilibrium(stage))
        ok = 0;
    stage.Valid = ok;
    if (ok)
        UpdateBarHistory(stage);
    return ok;
}

// ---- Results ------------------------------------------------------------------------------------

int TPellicor2000Analysis::GetStateResults(const SectionState* state,
                                           std::array<double, 6>& values,
                                           int mode) const
{
    if (mode != 2) {
        values.fill(0.0);
        return 0;
    }
    const SectionState* s = state != nullptr ? state : GetCurrentState();
    if (s == nullptr || s->Valid == 0)
        return 0;
    const LayerNodeStateRec* node = ElementNode(*s);
    if (node == nullptr)
        return 0;
    values = {node->StrainX,
              node->StrainZ,
              node->ShearStrain,
              s->Result(MembraneResult::SigmaX),
              s->Result(MembraneResult::SigmaY),
              s->Result(MembraneResult::TauXY)};
    return 1;
}

double TPellicor2000Analysis::Probe_analysis(int probeId, double depth) const
{
    switch (probeId) {
    case 2:
        return m_resultE1;
    case 3:
        return m_resultTheta;
    case 4:
        return m_resultSteelDifference;
    default:
        return TSectionalAnalysis::Probe_analysis(probeId, depth);
    }
}
