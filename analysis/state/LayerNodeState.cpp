#include "analysis/state/LayerNodeState.h"

#include <algorithm>

#include "model/TStructure.h"
#include "model/materials/MaterialTypes.h"

double LayerNodeQuantity(const LayerNodeStateRec& node, int code)
{
    switch (code) {
    case LayerQuantity::ConcShearStress:
        return node.ConcShearStress;
    case LayerQuantity::ConcStressX:
        return node.ConcStressX;
    case LayerQuantity::CrackSpacingX:
        return node.CrackSpacingX;
    case LayerQuantity::StirrupStress:
        return node.StirrupStress;
    case LayerQuantity::CrackAngle:
        return node.CrackAngle;
    case LayerQuantity::CrackWidth:
        return node.CrackWidth;
    case LayerQuantity::CrackSpacingZ:
        return node.CrackSpacingZ;
    case LayerQuantity::FreeStrainX:
        return node.FreeStrainX;
    case LayerQuantity::StrainX:
        return node.StrainX;
    case LayerQuantity::ShearStrain:
        return node.ShearStrain;
    case LayerQuantity::Strain1:
        return node.Strain1;
    case LayerQuantity::ShearStrainShape:
        return node.ShearStrainShape;
    case LayerQuantity::ReserveX:
        return node.ReserveX;
    default:
        return 0.0;
    }
}

double InitialTransverseStrain(const SectionState* /*state*/,
                               double freeStrainZ,
                               int /*nodeId*/,
                               double /*depth*/)
{
    return freeStrainZ;
}

const SteelTypeRec* GetLongLayerSteelType(const TStructure& structure, int i, int d)
{
    if (d != 0 && d != 1)
        return nullptr;
    if (i < 0 || i >= structure.GetLongLayerCount(d))
        return nullptr;
    const LongLayerRec* layer = structure.GetLongLayer(i, d);
    if (layer == nullptr || layer->type < 0 || layer->type >= structure.GetSteelTypeCount())
        return nullptr;
    return structure.GetSteelType(layer->type);
}

bool SetNodeTensionStiffFactor(const TStructure& structure, LayerNodeStateRec& node)
{
    const int index = node.ConcreteType;
    if (index < 0 || index >= structure.GetConcreteTypeCount())
        return false;
    const ConcreteTypeRec* type = structure.GetConcreteType(index);
    if (type == nullptr)
        return false;
    if (type->tensionStiffening == TensionStiffeningCode::Kelst1999)
        node.TensionStiffFactor = std::min(structure.GetTensionStiffFactorAt(node.Depth, 2),
                                           structure.GetTensionStiffFactorAt(node.Depth, 0));
    else
        node.TensionStiffFactor = type->tsCoefficient;
    return true;
}

double CrackSpacingAtDepth(const TStructure& structure, double depth, int d)
{
    const double spacing = structure.GetCrackSpacingAt(depth, d);
    return d == 0 ? std::min(spacing, structure.GetHeight()) : spacing;
}
