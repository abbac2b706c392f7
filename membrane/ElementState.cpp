// The element state of a membrane stage at its strains: the steel of both directions, the
// concrete by the Modified Compression Field Theory, the stresses at a crack, and the bar
// history kept once a stage is accepted.

#include <algorithm>
#include <cmath>

#include "analysis/element/McftElement.h"
#include "analysis/element/NodeConcrete.h"
#include "membrane/MembraneState.h"
#include "membrane/TPellicor2000Analysis.h"
#include "model/TShell.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

namespace {

bool IsFixedAngleModelSet(int code)
{
    return code == 7 || code == 9 || code == 11 || code == 14;
}

// Per-bar arrays of a direction: average stress and stress at a crack.
int AverageArray(int direction)
{
    return direction == 0 ? BarArray::List0Stress : BarArray::List1Stress;
}
int CrackArray(int direction)
{
    return direction == 0 ? BarArray::List0Second : BarArray::List1Second;
}

// Writes value i of a per-bar array when the array holds it.
void SetBar(std::vector<double>& values, int i, double v)
{
    if (i >= 0 && static_cast<std::size_t>(i) < values.size())
        values[static_cast<std::size_t>(i)] = v;
}
double GetBar(const std::vector<double>& values, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < values.size()
               ? values[static_cast<std::size_t>(i)]
               : 0.0;
}

} // namespace

void TPellicor2000Analysis::EvaluateElementState(SectionState& stage)
{
    if (!m_element || ElementNode(stage) == nullptr || ElementConcrete() == nullptr)
        return;
    ++m_evaluationCount;
    if (IsFixedAngleModelSet(m_element->GetConcreteModelSet())) {
        double unused = 0.0;
        EvaluateFixedAngleState(stage, unused);
        return;
    }
    EvaluateMcftState(stage);
}

void TPellicor2000Analysis::PrepareNode(LayerNodeStateRec& node,
                                        const ConcreteTypeRec& type,
                                        double e0) const
{
    node.Depth = 0.0;
    node.ConcreteType = 0;
    node.FreeStrainX = e0;
    node.FreeStrainZ = e0;
    node.CrackSpacingX = m_element->GetCrackSpacing(0);
    node.CrackSpacingZ = m_element->GetCrackSpacing(1);
    if (type.tensionStiffening == TensionStiffeningCode::Kelst1999)
        node.TensionStiffFactor = std::min(m_element->GetTensionStiffFactorAt(1e6, 0),
                                           m_element->GetTensionStiffFactorAt(1e6, 1));
    else
        node.TensionStiffFactor = type.tsCoefficient;
    node.AxesSwapped = m_rhoX <= m_rhoY ? 1 : 0;
}

TPellicor2000Analysis::DirectionSteel
TPellicor2000Analysis::EvaluateDirectionSteel(SectionState& stage, int d, double strain)
{
    DirectionSteel result;
    const double rho = d == 0 ? m_rhoX : m_rhoY;
    const double rhoMax = std::max(m_rhoX, m_rhoY);
    std::vector<double>& average = stage.LongBarValues[static_cast<std::size_t>(AverageArray(d))];
    std::vector<double>& crack = stage.LongBarValues[static_cast<std::size_t>(CrackArray(d))];
    const std::vector<double>& offsets = stage.DirectionValues[static_cast<std::size_t>(d)];
    for (int i = 0; i < m_element->GetLongLayerCount(d); ++i) {
        const LongLayerRec* layer = m_element->GetLongLayer(i, d);
        const SteelTypeRec* steel = m_element->GetSteelType(layer->type);
        if (IsBarFailed(d, i) || steel == nullptr) {
            SetBar(average, i, kUndefined);
            SetBar(crack, i, kUndefined);
            continue;
        }
        const double pre = BarPrestrain(d, i);
        const double offset = GetBar(offsets, i);
        const double fs = SteelStress(*steel, strain + pre, offset);
        SetBar(average, i, fs);
        SetBar(crack, i, -1.0);
        double q = SteelStressAtCrack(*steel, rhoMax, pre, strain, offset, layer->bartitle);
        if (q > kRupturedStress) {
            q = 0.0;
            SetBar(crack, i, kUndefined);
        }
        result.capacity += layer->ratio * q;
        // A bar that ruptured at this strain carries nothing; its flag is set once the stage
        // is accepted.
        if (rho > 0.0 && fs < kRupturedStress)
            result.average += fs * layer->ratio / rho;
    }
    return result;
}

void TPellicor2000Analysis::EvaluateMcftState(SectionState& stage)
{
    LayerNodeStateRec& node = *ElementNode(stage);
    const ConcreteTypeRec& type = *ElementConcrete();
    const double e0 = FreeStrain();
    PrepareNode(node, type, e0);

    const DirectionSteel x = EvaluateDirectionSteel(stage, 0, node.StrainX);
    const DirectionSteel y = EvaluateDirectionSteel(stage, 1, node.StrainZ);
    node.SteelStressX = x.average;
    node.StirrupStress = y.average;
    node.ReserveX = std::max(0.0, x.capacity - x.average * m_rhoX);
    node.ReserveZ = std::max(0.0, y.capacity - y.average * m_rhoY);
    node.TensionLimit = 0.0;
    const double m = SolveMcftElement(type, node, 0.0, 0.0);

    // Steel stresses at a crack: the average stress plus what the crack's tension and shear
    // ask of each direction, net of the tension that still crosses the open crack.
    double fsxcr = 0.0;
    double fsycr = 0.0;
    const double fcrDecay =
        TensionDecayStress(node.CrackWidth, std::max(node.TensionLimit, type.ft));
    const bool cracked = node.Strain1 - e0 > type.ecr;
    const double f1net = std::max(0.0, node.ConcStress1 - fcrDecay);
    if (cracked && m_rhoX > 0.0)
        fsxcr = (node.CrackShearStress / m + f1net) / m_rhoX + node.SteelStressX;
    if (cracked && m_rhoY > 0.0)
        fsycr = (f1net - node.CrackShearStress * m) / m_rhoY + node.StirrupStress;
    node.SteelStressXAtCrack = fsxcr;
    node.StirrupStressAtCrack = fsycr;
    node.CrackCheckCode = CrackCheck::None;
    node.SpareValue = 0.0;

    using namespace MembraneResult;
    auto& R = stage.Results;
    R[SigmaX] = node.ConcStressX;
    R[SigmaY] = node.ConcStressZ;
    R[TauXY] = node.ConcShearStress;
    // Each intact bar's share of the direction's crack stress, and its force in the element.
    const auto addBars = [&](int d, double fs, double fscr, double& sigma) {
        std::vector<double>& average =
            stage.LongBarValues[static_cast<std::size_t>(AverageArray(d))];
        std::vector<double>& crack = stage.LongBarValues[static_cast<std::size_t>(CrackArray(d))];
        for (int i = 0; i < m_element->GetLongLayerCount(d); ++i) {
            const double bar = GetBar(average, i);
            if (IsBarFailed(d, i) || bar >= kRupturedStress)
                continue;
            SetBar(crack, i, fscr / (fs + 0.0001) * bar);
            sigma += bar * m_element->GetLongLayer(i, d)->ratio;
        }
    };
    addBars(0, node.SteelStressX, fsxcr, R[SigmaX]);
    addBars(1, node.StirrupStress, fsycr, R[SigmaY]);
}

void TPellicor2000Analysis::UpdateBarHistory(SectionState& stage)
{
    LayerNodeStateRec* node = ElementNode(stage);
    if (!m_element || node == nullptr)
        return;
    const double rhoMax = std::max(m_rhoX, m_rhoY);
    for (int d = 0; d < 2; ++d) {
        const double strain = d == 0 ? node->StrainX : node->StrainZ;
        const std::vector<double>& average =
            stage.LongBarValues[static_cast<std::size_t>(AverageArray(d))];
        std::vector<double>& offsets = stage.DirectionValues[static_cast<std::size_t>(d)];
        std::vector<int>& flags = FailedBarFlags[static_cast<std::size_t>(d)];
        const int layers = m_element->GetLongLayerCount(d);
        bool anyIntact = false;
        for (int i = 0; i < layers; ++i) {
            const LongLayerRec* layer = m_element->GetLongLayer(i, d);
            const SteelTypeRec* steel = m_element->GetSteelType(layer->type);
            const double fs = GetBar(average, i);
            const double barStrain = strain + BarPrestrain(d, i);
            double offset = kUndefined;
            if (fs < kRupturedStress && steel != nullptr)
                offset = barStrain - fs / (GetSteelMaterialFactor(*steel) * steel->Es);
            const double q = steel != nullptr ? SteelStressAtCrack(*steel,
                                                                   rhoMax,
                                                                   BarPrestrain(d, i),
                                                                   strain,
                                                                   offset,
                                                                   layer->bartitle)
                                              : kUndefined;
            if (fs > kRupturedStress || q > kRupturedStress) {
                if (static_cast<std::size_t>(i) < flags.size())
                    flags[static_cast<std::size_t>(i)] = 1;
            } else {
                anyIntact = true;
            }
            if (std::fabs(offset) > 1.0)
                offset = 0.0;
            SetBar(offsets, i, offset);
        }
        if (layers > 0 && !anyIntact) {
            (d == 0 ? node->SteelStressX : node->StirrupStress) = kUndefined;
            (d == 0 ? node->SteelStressXAtCrack : node->StirrupStressAtCrack) = kUndefined;
        }
    }
}
