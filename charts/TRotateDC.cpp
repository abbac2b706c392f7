#include "charts/TRotateDC.h"

#include <cmath>

namespace {

constexpr double kHalfPi = 1.5707963267945;
constexpr double kPi = 3.141592653589;

// The angle of (dx, dy); tol is how far from an axis still counts as on it.
double OwnAngle(double dx, double dy, double tol, bool exact)
{
    const bool onColumn = exact ? dx == 0 : std::fabs(dx) < tol;
    const bool onRow = exact ? dy == 0 : std::fabs(dy) < tol;
    if (onColumn) {
        if (dy > 0)
            return kHalfPi;
        if (dy < 0)
            return -kHalfPi;
        return 0.0;
    }
    if (onRow)
        return dx > 0 ? 0.0 : kPi;
    const double t = std::atan(std::fabs(dy) / std::fabs(dx));
    if (dx > 0)
        return dy > 0 ? t : -t;
    return dy > 0 ? kPi - t : t - kPi;
}

int Trunc(double v)
{
    if (!(v > -1e9))
        return -1000000000;
    if (v > 1e9)
        return 1000000000;
    return static_cast<int>(v);
}

} // namespace

plat::Point RotateAbout(double px, double py, double cx, double cy, double angle)
{
    const double dx = px - cx;
    const double dy = py - cy;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double a = OwnAngle(dx, dy, 1.0, false);
    return {Trunc(cx + r * std::cos(a + angle)), Trunc(cy + r * std::sin(a + angle))};
}

void RotateExact(double px, double py, double cx, double cy, double angle, double& x, double& y)
{
    const double dx = px - cx;
    const double dy = py - cy;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double a = OwnAngle(dx, dy, 0.0, true);
    x = cx + r * std::cos(a + angle);
    y = cy + r * std::sin(a + angle);
}

bool TRotateDC::SetCentre(int x, int y)
{
    m_cx = x;
    m_cy = y;
    return true;
}

bool TRotateDC::SetAngle(double radians)
{
    m_angle = radians;
    return true;
}

plat::Point TRotateDC::MoveTo(plat::Point p) { return plat::DC::MoveTo(Turn(p)); }

void TRotateDC::LineTo(plat::Point p) { plat::DC::LineTo(Turn(p)); }

void TRotateDC::TextOut(plat::Point p, const std::string& utf8) { plat::DC::TextOut(Turn(p), utf8); }

void TRotateDC::Ellipse(const plat::Rect& r)
{
    double x = 0.0;
    double y = 0.0;
    RotateExact((r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0, m_cx, m_cy, m_angle, x, y);
    const double hw = (r.right - r.left) / 2.0;
    const double hh = (r.bottom - r.top) / 2.0;
    plat::DC::Ellipse(plat::Rect{Trunc(x - hw), Trunc(y - hh), Trunc(x + hw), Trunc(y + hh)});
}
