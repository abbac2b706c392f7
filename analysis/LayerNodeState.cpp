#include "analysis/LayerNodeState.h"

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
