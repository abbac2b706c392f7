// Evaluation of a shape's outline for given parameter values.

#include <algorithm>
#include <cmath>

#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/shapes/SectionShape.h"
#include "model/shapes/ShapeErrors.h"
#include "model/shapes/ShapeFormula.h"

namespace {

constexpr double kHalfPi = 1.5707963267948966;
// Formulas are written in mm; parameters and points are held in m.
constexpr double kMmPerM = 1000.0;
// A zero width is replaced by this (m) so that every region has some width.
constexpr double kZeroWidth = 0.0001;
// An earlier point lying below a later one is raised this far (m) above it.
constexpr double kDepthRaise = 0.01;

// Depths in the messages are shown as lengths of the active unit system.
double DisplayLength(double metres, std::string& label)
{
    label = UnitLabel(ukLength);
    return ToDisplayUnits(metres, ukLength);
}

} // namespace

int TSectionBase::EvaluateOutline(const ShapeParams& params)
{
    paramValues = params;
    ShapeParams paramsMm{};
    for (std::size_t i = 0; i < paramsMm.size(); ++i)
        paramsMm[i] = params[i] * kMmPerM;

    pointCount = 0;
    heightCursor = 0;
    widthCursor = 0;
    int result = 1;
    bool complete = true;
    auto addPoint = [&](double depth, double width) {
        if (pointCount >= kMaxShapePoints) {
            complete = false;
            return;
        }
        points[static_cast<std::size_t>(pointCount++)] = {depth, width};
    };
    // A row that does not evaluate, or evaluates beyond the doubles, ends the outline.
    auto nextRow = [&](double& h, double& w, ShapeMarker& marker) {
        const FormulaResult height = EvaluateShapeFormula(heights, heightCursor, paramsMm);
        const FormulaResult width = EvaluateShapeFormula(widths, widthCursor, paramsMm);
        h = height.value;
        w = width.value;
        marker = height.marker;
        return height.status == FormulaStatus::Ok && width.status == FormulaStatus::Ok &&
               std::isfinite(h) && std::isfinite(w);
    };

    const int arcPoints = ArcPointCount();
    for (int row = 0; row < rowCursor && complete; ++row) {
        double h = 0.0;
        double w = 0.0;
        ShapeMarker marker = ShapeMarker::None;
        if (!nextRow(h, w, marker)) {
            complete = false;
            break;
        }
        if (marker == ShapeMarker::None) {
            addPoint(h / kMmPerM, w / kMmPerM);
            continue;
        }
        // A quarter ellipse from the last point to the next row's point, which it consumes.
        double h1 = 0.0;
        double w1 = 0.0;
        ShapeMarker closing = ShapeMarker::None;
        if (pointCount == 0 || ++row >= rowCursor || !nextRow(h1, w1, closing) ||
            closing != ShapeMarker::None) {
            complete = false;
            break;
        }
        h1 /= kMmPerM;
        w1 /= kMmPerM;
        const ShapePoint start = points[static_cast<std::size_t>(pointCount - 1)];
        const double h0 = start.depth;
        const double w0 = start.width;
        const int n = arcPoints;
        if (marker == ShapeMarker::Up) { // zero slope on the upper side
            for (int k = 1; k <= n - 1; ++k) {
                const double theta = k * kHalfPi / (n - 1);
                addPoint(h0 - (1.0 - std::cos(theta)) * (h0 - h1),
                         w0 + std::sin(theta) * (w1 - w0));
            }
        } else { // DOWN: zero slope on the lower side
            for (int k = n - 2; k >= 0; --k) {
                const double theta = k * kHalfPi / (n - 1);
                addPoint(h0 - std::cos(theta) * (h0 - h1),
                         w0 + (1.0 - std::sin(theta)) * (w1 - w0));
            }
        }
    }
    points[static_cast<std::size_t>(pointCount)] = {kUndefined, 0.0};
    if (!complete) {
        ReportShapeError(StrPrintf("%s: Section outline could not be evaluated", name.c_str()), 1);
        return 0;
    }

    std::string label;
    for (int i = 0; i < pointCount; ++i) {
        ShapePoint& p = points[static_cast<std::size_t>(i)];
        if (p.width < 0.0) {
            p.width = -p.width;
            ReportShapeError(StrPrintf("%s: Negative width found at elevation %5.3f %s\r\nMade "
                                       "positive",
                                       name.c_str(),
                                       DisplayLength(p.depth, label),
                                       label.c_str()),
                             1);
            result = 0;
        } else if (p.width == 0.0) {
            p.width = kZeroWidth;
        }
    }
    for (int i = pointCount - 1; i >= 1; --i) {
        const ShapePoint& later = points[static_cast<std::size_t>(i)];
        ShapePoint& earlier = points[static_cast<std::size_t>(i - 1)];
        if (later.depth > earlier.depth) {
            earlier.depth = later.depth + kDepthRaise;
            ReportShapeError(
                StrPrintf("%s: Out of sequence depths at depth %5.3f %s\r\nThis means that the "
                          "math in the section definition has produced a negative height\r\nfor "
                          "part of the section.  Corrected by adding 10 mm to last height. Check "
                          "your input",
                          name.c_str(),
                          DisplayLength(later.depth, label),
                          label.c_str()),
                1);
            result = 0;
        }
    }
    return result;
}

double TSectionBase::GetShapeHeight() const
{
    ShapeParams paramsMm{};
    for (std::size_t i = 0; i < paramsMm.size(); ++i)
        paramsMm[i] = paramValues[i] * kMmPerM;
    double highest = -kUndefined;
    double lowest = kUndefined;
    std::size_t cursor = 0;
    for (int row = 0; row < rowCursor; ++row) {
        const FormulaResult h = EvaluateShapeFormula(heights, cursor, paramsMm);
        if (h.status != FormulaStatus::Ok || h.marker != ShapeMarker::None)
            continue;
        highest = std::max(highest, h.value / kMmPerM);
        lowest = std::min(lowest, h.value / kMmPerM);
    }
    return highest >= lowest ? highest - lowest : 0.0;
}
