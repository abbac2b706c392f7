#pragma once
// Small dense solvers and plane geometry for the analyses and the section model.

#include <array>

using Matrix3 = std::array<std::array<double, 3>, 3>;
using Vector3 = std::array<double, 3>;

// Solves a x + b y = e, c x + d y = f by Cramer's rule. Returns 1; when |a d - b c| <= 1e-6
// returns 0 with x and y set to the largest double.
int Solve2x2(double& x, double& y, double e, double f, double a, double b, double c, double d);

// Gaussian elimination with partial pivoting on the leading n x n block (n = 1 .. 3) of
// matrix (taken by value), solving matrix * solution = rhs; rhs is overwritten by the
// elimination. Returns 0 on success, or k + 1 when the largest pivot candidate of column k
// is below 1e-5 in magnitude (solution then untouched). An n outside 1 .. 3 answers 1.
int SolveLinear3(Matrix3 matrix, Vector3& solution, Vector3& rhs, int n);

// Intersection of the segments (x1, y1)-(x2, y2) and (x3, y3)-(x4, y4). The crossing of
// the two carrying lines is written to (x, y) even when it lies outside a segment; the
// answer is true when it lies on both, ends included. Parallel segments (|det| < 1e-6)
// answer false with (x, y) = (0, 0). t is the crossing's parameter along the first
// segment (0 at its start, 1 at its end).
bool IntersectSegments(double& x,
                       double& y,
                       double x1,
                       double y1,
                       double x2,
                       double y2,
                       double x3,
                       double y3,
                       double x4,
                       double y4);
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
                       double y4);
