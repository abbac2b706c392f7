#include "foundation/SmallSolvers.h"

#include <cmath>
#include <limits>
#include <utility>

int Solve2x2(double& x, double& y, double e, double f, double a, double b, double c, double d)
{
    const double det = a * d - b * c;
    if (std::fabs(det) <= 1e-6) {
        x = std::numeric_limits<double>::max();
        y = std::numeric_limits<double>::max();
        return 0;
    }
    x = (e * d - b * f) / det;
    y = (a * f - c * e) / det;
    return 1;
}

int SolveLinear3(Matrix3 matrix, Vector3& solution, Vector3& rhs, int n)
{
    constexpr double kMinPivot = 1e-5;
    if (n < 1 || n > 3)
        return 1;
    const auto N = static_cast<std::size_t>(n);
    for (std::size_t k = 0; k < N; ++k) {
        std::size_t pivotRow = k;
        for (std::size_t i = k + 1; i < N; ++i) {
            if (std::fabs(matrix[i][k]) > std::fabs(matrix[pivotRow][k]))
                pivotRow = i;
        }
        if (pivotRow != k) {
            std::swap(matrix[pivotRow], matrix[k]);
            std::swap(rhs[pivotRow], rhs[k]);
        }
        if (!(std::fabs(matrix[k][k]) >= kMinPivot))
            return static_cast<int>(k) + 1;
        for (std::size_t i = k + 1; i < N; ++i) {
            const double factor = matrix[i][k] / matrix[k][k];
            for (std::size_t j = k; j < N; ++j)
                matrix[i][j] -= factor * matrix[k][j];
            rhs[i] -= factor * rhs[k];
        }
    }
    for (std::size_t r = N; r-- > 0;) {
        double sum = rhs[r];
        for (std::size_t j = r + 1; j < N; ++j)
            sum -= matrix[r][j] * solution[j];
        solution[r] = sum / matrix[r][r];
    }
    return 0;
}

bool IntersectSegments(double& x,
                       double& y,
                       double& t,
                       double x1,
                       double y1,
                       double x2,
                       double y2,
                       double x3,
                       double y3,
                       double x4,
                       double y4)
{
    x = 0.0;
    y = 0.0;
    t = 0.0;
    const double d1x = x2 - x1;
    const double d1y = y2 - y1;
    const double d2x = x4 - x3;
    const double d2y = y4 - y3;
    const double det = d2y * d1x - d2x * d1y;
    if (std::fabs(det) < 1e-6)
        return false;
    t = ((y1 - y3) * d2x - (x1 - x3) * d2y) / det;
    const double u = ((y1 - y3) * d1x - (x1 - x3) * d1y) / det;
    x = x1 + t * d1x;
    y = y1 + t * d1y;
    return t >= 0.0 && t <= 1.0 && u >= 0.0 && u <= 1.0;
}

bool IntersectSegments(double& x,
                       double& y,
                       double x1,
                       double y1,
                       double x2,
                       double y2,
                       double x3,
                       double y3,
                       double x4,
                       double y4)
{
    double t = 0.0;
    return IntersectSegments(x, y, t, x1, y1, x2, y2, x3, y3, x4, y4);
}
