#pragma once
// The stress-strain curves of the material chart and the texts of its tools, computed from
// private copies of a structure's material types; nothing here draws or opens a window.
//
// Curves are in display units (strain of unit kind 3 across, stress of kind 10 for concrete
// and 11 for steel up), compression plotted positive, one polyline per used type of the
// chart's kind in type order, separated by (3.1415626e31, 3.1415626e31). They are built with
// the laws unfactored: the factors are handed to the laws as 1.0, the program's factors are
// never touched.

#include <string>
#include <vector>

#include "model/materials/MaterialTypes.h"

class TStructure;

// Material kinds of the chart (its chart-kind code).
namespace MaterialChart {
inline constexpr int Concrete = 7;
inline constexpr int Rebar = 8;
inline constexpr int PSteel = 9;
} // namespace MaterialChart

// The private copies a material chart draws from. Only the family of the chart's kind is
// filled; index fields are -1 when the structure's answer lay outside 0 <= i < count.
struct MaterialTypeCopies {
    int kind = MaterialChart::Concrete;
    std::vector<ConcreteTypeRec> concrete;
    std::vector<int> concreteUsed;
    int mainConcrete = -1;
    std::vector<SteelTypeRec> steel;
    std::vector<int> steelUsed;
    int mainSteel = -1;

    // Copies of the types of the kind's family with their used flags (an out-of-range main
    // type is reported and kept as -1).
    static MaterialTypeCopies Of(const TStructure& structure, int kind);
    // True when a steel type belongs on this chart (kind 8: reinforcing and user-curve steel;
    // kind 9: prestressing steel).
    bool Shows(const SteelTypeRec& type) const;
    // Used types of the chart's family, in type order.
    std::vector<int> UsedTypes() const;
};

struct MaterialCurves {
    std::vector<double> data;
    // The type index of each polyline of data, in the order a walk over the separators meets
    // them.
    std::vector<int> polylineType;
    int concreteCurves = 0;
    int rebarCurves = 0;
    int prestressCurves = 0;
    // The concrete type whose f'c (and, with the flag, e'c) is written on the axes.
    int labelledConcrete = 0;
    int peakStrainFlag = 0;
    int Count(int kind) const;
};

// The curves of the used types. inForce: the factors the user works with; other than 1
// (their sum off 3 by more than 0.05) they end the reinforcing curves in a plateau at fy up
// to e_u, as a factored design would. A user-curve steel without its curve is reported
// ("Error in segmental rebar") and counts as a curve without points.
MaterialCurves BuildMaterialCurves(const MaterialTypeCopies& types, const ResistanceFactors& inForce,
                                   int unitSystem);

// ---- Type values: "Initial Stiffness" (mode 0) and "Stress Calculator" (mode 1) -----------

struct TypeValueText {
    std::string text;
    std::string caption;
};

// The text of one type; strain in SI (mode 1 only), stresses under the factors in force.
TypeValueText TypeValue(const MaterialTypeCopies& types, int type, int mode, double strain,
                        const ResistanceFactors& inForce, int unitSystem);

// Whom the tool answers: none, one type in a message box, or a report over several.
struct TypeValueTargets {
    enum class Shape { None, Single, Report } shape = Shape::None;
    std::vector<int> types;
};
TypeValueTargets TypeValueTargetsOf(const MaterialTypeCopies& types, const MaterialCurves& curves);

// The report over several types, its heading by mode and "(Base type)" after the main type.
std::string TypeValueReport(const MaterialTypeCopies& types, const std::vector<int>& list, int mode,
                            double strain, const ResistanceFactors& inForce, int unitSystem);

// ---- Text dump ("View Data", "Copy Chart Data ") --------------------------------------------

// The parameters of every used type followed by the curve points, printed with the chart's
// number formats (their precision raised by 2 when below 5).
std::string MaterialDump(const MaterialTypeCopies& types, const std::vector<double>& data,
                         const std::string& xFormat, const std::string& yFormat, int unitSystem);
