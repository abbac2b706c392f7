// The grid solver of the fire model.

#include <algorithm>
#include <cmath>

#include "foundation/Units.h"
#include "member/fire/FireLaws.h"
#include "member/fire/TFireAnalysis.h"

namespace {

constexpr int kLast = TFireAnalysis_2Ds::kGridSize - 1; // index of the last row and column
constexpr int kDefaultEdge = 50;

bool HeldAtFire(int pointClass)
{
    return pointClass == kFireExposed || pointClass == kFireOutside;
}

bool Solved(int pointClass)
{
    return !HeldAtFire(pointClass) && pointClass != kFireCorner;
}

// The sweeps have converged when the distance to the solution of the step's equations is
// below the tolerance. Sweeps shrink the change geometrically, by rho = change / previous
// change, so the remaining distance is about change rho / (1 - rho); on a fine grid (a shallow
// section) rho nears 1 and the distance is many times the last change.
bool SweepsConverged(double change, double previousChange, int sweeps)
{
    if (change > TFireAnalysis_2Ds::kSweepTolerance)
        return false;
    if (sweeps < 2 || change == 0.0)
        return true;
    const double rho = std::min(change / previousChange, TFireAnalysis_2Ds::kMaxContraction);
    return change * rho / (1.0 - rho) <= TFireAnalysis_2Ds::kSweepTolerance;
}

} // namespace

TFireAnalysis_2Ds::TFireAnalysis_2Ds(double depth,
                                     int exposureMask,
                                     int curveType,
                                     double constantTemperature)
    : TFireAnalysis_Base(depth, exposureMask, curveType, constantTemperature)
{
    m_edge.fill(kDefaultEdge);
    m_bounded.fill(1);
    m_T.fill(FireStartTemperature);
    m_P.fill(FireStartTemperature);
    BuildStencil();
}

void TFireAnalysis_2Ds::SetWidthProfile(std::span<const int, kGridSize> edges,
                                        std::span<const int, kGridSize> bounded)
{
    for (int i = 0; i < kGridSize; ++i) {
        m_edge[i] = std::clamp(edges[i], 0, kLast);
        m_bounded[i] = bounded[i] != 0 ? 1 : 0;
    }
    BuildStencil();
}

int TFireAnalysis_2Ds::ClassifyPoint(int row, int column) const
{
    const int mask = m_exposureMask;
    const bool sides = (mask & kExposeSides) != 0;
    const auto face = [&](int i, int j, int exposedBit, int unexposedClass) -> int {
        const int e = m_edge[i];
        const bool cutEdge = j == kLast && m_bounded[i] == 0;
        if (j < e || (j == e && cutEdge))
            return (mask & exposedBit) != 0 ? kFireExposed : unexposedClass;
        if (j == e)
            return (mask & exposedBit) != 0 || sides ? kFireExposed : kFireCorner;
        return kFireOutside;
    };
    if (row == 0)
        return face(row, column, kExposeBottom, kFireBottomFace);
    if (row == kLast)
        return face(row, column, kExposeTop, kFireTopFace);
    if (column == kLast && m_bounded[row] == 0)
        return kFireSideFace;
    const int m = std::min({m_edge[row - 1], m_edge[row], m_edge[row + 1]});
    if (column < m)
        return kFireInterior;
    if (column > m_edge[row])
        return kFireOutside;
    return sides ? kFireExposed : kFireSideFace;
}

TFireAnalysis_2Ds::StencilPoint
TFireAnalysis_2Ds::MakeStencil(int row, int column, int pointClass) const
{
    int left = Index(row, column - 1);
    int right = Index(row, column + 1);
    int lower = Index(row - 1, column);
    int upper = Index(row + 1, column);
    // Mirrors the neighbour across an adiabatic face: the centre line, an unexposed face, the
    // cut edge of a row wider than the grid. The spare row and column are never read.
    const bool cutEdge = column == kLast && m_bounded[row] == 0;
    if (column == 0) {
        left = right;
        if (row == 0)
            lower = upper;
        else if (row == kLast && pointClass == kFireTopFace)
            upper = lower;
    } else if (pointClass == kFireBottomFace) {
        lower = upper;
        if (cutEdge)
            right = left;
    } else if (pointClass == kFireTopFace) {
        upper = lower;
        if (cutEdge)
            right = left;
    } else if (pointClass == kFireSideFace) {
        right = left;
        if (m_class[(row - 1) * kGridSize + column] == kFireOutside)
            lower = upper;
        else if (m_class[(row + 1) * kGridSize + column] == kFireOutside)
            upper = lower;
    }
    return {Index(row, column), {left, right, lower, upper}};
}

void TFireAnalysis_2Ds::BuildStencil()
{
    for (int i = 0; i < kGridSize; ++i) {
        for (int j = 0; j < kGridSize; ++j)
            m_class[i * kGridSize + j] = ClassifyPoint(i, j);
    }
    m_solved.clear();
    m_held.clear();
    for (int i = 0; i < kGridSize; ++i) {
        for (int j = 0; j < kGridSize; ++j) {
            const int c = m_class[i * kGridSize + j];
            if (Solved(c))
                m_solved.push_back(MakeStencil(i, j, c));
            else if (HeldAtFire(c))
                m_held.push_back(Index(i, j));
        }
    }
    m_explicit.assign(m_solved.size(), 0.0);
    m_coefficient.assign(m_solved.size(), 0.0);
}

void TFireAnalysis_2Ds::InitGrid()
{
    m_timeStep = kDefaultTimeStep;
    m_h = m_depth / 100.0;
    m_T.fill(FireStartTemperature);
    m_P.fill(FireStartTemperature);
    m_lastStep = 0.0;
    m_lastSweeps = 0;
    m_totalSweeps = 0;
    m_steps = 0;
    ApplyFireBoundary(0.0, 1);
}

double TFireAnalysis_2Ds::ApplyFireBoundary(double t, int both)
{
    const double Tf = FireTemperatureAt(t);
    for (int index : m_held) {
        m_T[index] = Tf;
        if (both != 0)
            m_P[index] = Tf;
    }
    return Tf;
}

int TFireAnalysis_2Ds::Step()
{
    if (m_time >= m_endTime)
        return 1;
    const double previous = m_time;
    m_time = m_endTime - m_time > m_timeStep ? m_time + m_timeStep : m_endTime;
    const double dt = m_time - previous;
    ApplyFireBoundary(m_time, 0);

    // The explicit half of each point's equation and its neighbour coefficient stay fixed
    // through the sweeps: T* = explicit + coefficient * (sum of the four neighbours in T).
    const double rate = dt / (m_h * m_h);
    const std::size_t n = m_solved.size();
    for (std::size_t k = 0; k < n; ++k) {
        const StencilPoint& s = m_solved[k];
        const double p = m_P[s.self];
        const double half = ThermalDiffusivity(p) * rate / 2.0;
        const double sum =
            m_P[s.neighbour[0]] + m_P[s.neighbour[1]] + m_P[s.neighbour[2]] + m_P[s.neighbour[3]];
        const double diagonal = 1.0 + 4.0 * half;
        m_explicit[k] = (p + half * (sum - 4.0 * p)) / diagonal;
        m_coefficient[k] = half / diagonal;
    }

    // The sweeps start from the field extrapolated along its last step, which changes where
    // they start, not what they converge to.
    const double ratio = m_lastStep > 0.0 ? dt / m_lastStep : 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const int self = m_solved[k].self;
        m_T[self] = m_P[self] + ratio * (m_P[self] - m_Q[self]);
    }
    m_lastStep = dt;

    const double keep = kOverRelaxation - 1.0;
    int sweeps = 0;
    double change = 0.0;
    double previousChange = 0.0;
    for (;;) {
        previousChange = change;
        change = 0.0;
        for (std::size_t k = 0; k < n; ++k) {
            const StencilPoint& s = m_solved[k];
            const double old = m_T[s.self];
            const double sum = m_T[s.neighbour[0]] + m_T[s.neighbour[1]] + m_T[s.neighbour[2]] +
                               m_T[s.neighbour[3]];
            const double solved = m_explicit[k] + m_coefficient[k] * sum;
            const double updated = kOverRelaxation * solved - keep * old;
            change = std::max(change, std::fabs(updated - old));
            m_T[s.self] = updated;
        }
        ++sweeps;
        if (SweepsConverged(change, previousChange, sweeps) || sweeps >= kMaxSweeps)
            break;
    }
    m_lastSweeps = sweeps;
    m_totalSweeps += sweeps;
    ++m_steps;

    m_Q = m_P;
    for (int i = 0; i < kGridSize; ++i)
        std::copy_n(&m_T[Index(i, 0)], kGridSize, &m_P[Index(i, 0)]);
    return m_time >= m_endTime ? 1 : 0;
}

double TFireAnalysis_2Ds::GetTemperature(double y, double z) const
{
    if (m_started == 0)
        return 0.0;
    const double fi = y / m_h;
    const double fj = z / m_h;
    // Truncation toward zero: a point less than one interval below or beside the grid still
    // reads its first row or column.
    if (!(fi > -1.0 && fi < kGridSize && fj > -1.0 && fj < kGridSize))
        return kOutsideGrid;
    const int i = static_cast<int>(fi);
    const int j = static_cast<int>(fj);
    const double u = (y - i * m_h) / m_h;
    const double v = (z - j * m_h) / m_h;
    const double lower = GridValue(i, j) + v * (GridValue(i, j + 1) - GridValue(i, j));
    const double upper = GridValue(i + 1, j) + v * (GridValue(i + 1, j + 1) - GridValue(i + 1, j));
    return lower + u * (upper - lower);
}

int TFireAnalysis_2Ds::GetNextPlotPoint(int quantity, double& x, double& value)
{
    x = 0.0;
    value = 0.0;
    const int p = m_plotPosition;
    if (p > kPlotPoints)
        return 0;
    ++m_plotPosition;
    if (p == 0) {
        x = m_depth;
        value = kPlotPointsPerColumn;
        return 1;
    }
    const int q = (p - 1) / kPlotPointsPerColumn;
    const int r = (p - 1) % kPlotPointsPerColumn;
    const int row = kLast - 2 * r;
    const int column = kLast - 2 * q;
    x = 2.0 * q;
    if (m_class[row * kGridSize + column] == kFireOutside) {
        value = kPlotOutside;
        return 1;
    }
    const double T = GridValue(row, column);
    switch (quantity) {
    case 2110:
    case 2111:
        value = ToDisplayUnits(T, ukTemperature);
        break;
    case 2112:
    case 2113:
        value = std::fabs(ConcreteStrengthFactor(T));
        break;
    case 2114:
    case 2115:
        value = std::fabs(ConcretePeakStrainFactor(T));
        break;
    default:
        break;
    }
    return 1;
}
