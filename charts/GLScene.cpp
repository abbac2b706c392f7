#include "charts/GLScene.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/DC.h"

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr double kEyeFactor = 3.0;
constexpr double kMarginFactor = 1.25;

Vec3 Sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(const Vec3& a, const Vec3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3 Unit(const Vec3& v)
{
    const double l = std::sqrt(Dot(v, v));
    if (!(l > 0.0) || !std::isfinite(l))
        return v;
    return {v.x / l, v.y / l, v.z / l};
}

// The rotation of the view: about z first, then y, then x (glRotate x, y, z in that order).
Vec3 Rotate(const Vec3& v, const ViewAngles& a)
{
    const double cz = std::cos(a.z * kDegree), sz = std::sin(a.z * kDegree);
    const double cy = std::cos(a.y * kDegree), sy = std::sin(a.y * kDegree);
    const double cx = std::cos(a.x * kDegree), sx = std::sin(a.x * kDegree);
    Vec3 r{cz * v.x - sz * v.y, sz * v.x + cz * v.y, v.z};
    r = {cy * r.x + sy * r.z, r.y, -sy * r.x + cy * r.z};
    return {r.x, cx * r.y - sx * r.z, sx * r.y + cx * r.z};
}

int Channel(double v) { return static_cast<int>(std::clamp(v, 0.0, 255.0)); }

} // namespace

Frustum ComputeFrustum(double xMin, double xMax, double yMin, double yMax, int width, int height, double D, double M)
{
    const double dx = xMax - xMin, dy = yMax - yMin;
    const double cx = (xMin + xMax) / 2.0, cy = (yMin + yMax) / 2.0;
    const double S = dx >= dy ? dx : dy;
    Frustum f;
    f.farZ = (D + 1.0) * S;
    f.nearZ = (D - 1.0) * S;
    const double m = (M - 1.0) * S / 2.0;
    const double k = S > 0.0 ? f.nearZ / (S * D) : 0.0;
    const double a = height > 0 ? static_cast<double>(width) / height : 1.0;
    const double r = dy > 0.0 ? dx / dy : 1.0;
    double left, right, bottom, top;
    if (r <= a) {
        bottom = yMin;
        top = yMax;
        left = cx - dy * a / 2.0;
        right = cx + dy * a / 2.0;
    } else {
        left = xMin;
        right = xMax;
        bottom = cy - dx / (2.0 * a);
        top = cy + dx / (2.0 * a);
    }
    f.left = (left - m) * k;
    f.right = (right + m) * k;
    f.bottom = (bottom - m) * k;
    f.top = (top + m) * k;
    f.eyeZ = -D * S;
    return f;
}

Vec3 FaceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2) { return Unit(Cross(Sub(p0, p1), Sub(p1, p2))); }

ViewAngles DragAngles(int mode, plat::Point anchor, plat::Point p, const ViewAngles& saved)
{
    ViewAngles a = saved;
    if (mode == 1) {
        a.y = saved.y - (anchor.x - p.x) / 5.0;
        a.x = saved.x + (p.y - anchor.y) / 5.0;
    } else if (mode == 2) {
        a.z = saved.z + (anchor.x - p.x) / 5.0;
    }
    return a;
}

plat::Color ShadeFace(plat::Color c, const Vec3& n, const Vec3& at)
{
    const Vec3 l = Unit(Sub(Vec3{-2000.0, 2000.0, 3000.0}, at));
    const double f = 0.4 + 0.8 * std::max(0.0, Dot(Unit(n), l));
    return {Channel(c.r * f), Channel(c.g * f), Channel(c.b * f)};
}

void GLScene::SetBounds(double xMin, double xMax, double yMin, double yMax)
{
    m_xMin = xMin;
    m_xMax = xMax;
    m_yMin = yMin;
    m_yMax = yMax;
}

void GLScene::SetColour(plat::Color c, int width)
{
    m_colour = c;
    m_width = width;
}

void GLScene::Line(const Vec3& a, const Vec3& b, int width)
{
    GLPrimitive p;
    p.kind = GLPrimitiveKind::Line;
    p.p[0] = a;
    p.p[1] = b;
    p.p[2] = b;
    p.colour = m_colour;
    p.width = width;
    m_list.push_back(p);
}

void GLScene::Triangle(const Vec3& a, const Vec3& b, const Vec3& c)
{
    GLPrimitive p;
    p.kind = GLPrimitiveKind::Triangle;
    p.p[0] = a;
    p.p[1] = b;
    p.p[2] = c;
    p.normal = FaceNormal(a, b, c);
    p.colour = m_colour;
    m_list.push_back(p);
}

void GLScene::Quad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d)
{
    const Vec3 n = FaceNormal(a, b, c);
    Triangle(a, b, c);
    m_list.back().normal = n;
    Triangle(c, d, a);
    m_list.back().normal = n;
}

void GLScene::Text(const Vec3& at, const std::string& text)
{
    GLPrimitive p;
    p.kind = GLPrimitiveKind::Text;
    p.p[0] = p.p[1] = p.p[2] = at;
    p.colour = m_colour;
    p.text = text;
    m_list.push_back(p);
}

Vec3 GLScene::ToEye(const Vec3& p, int, int) const
{
    const double cx = (m_xMin + m_xMax) / 2.0, cy = (m_yMin + m_yMax) / 2.0;
    const Vec3 r = Rotate({p.x - cx, p.y - cy, p.z}, m_angles);
    const double dx = m_xMax - m_xMin, dy = m_yMax - m_yMin;
    const double S = dx >= dy ? dx : dy;
    return {r.x + cx, r.y + cy, r.z - kEyeFactor * S};
}

plat::Point GLScene::ToWindow(const Vec3& p, int width, int height, double* depth) const
{
    const Frustum f = ComputeFrustum(m_xMin, m_xMax, m_yMin, m_yMax, width, height, kEyeFactor, kMarginFactor);
    const Vec3 e = ToEye(p, width, height);
    const double w = -e.z;
    if (depth)
        *depth = w;
    if (!(w > 0.0) || f.right == f.left || f.top == f.bottom)
        return {0, 0};
    const double xn = (2.0 * f.nearZ / (f.right - f.left) * e.x + (f.right + f.left) / (f.right - f.left) * e.z) / w;
    const double yn = (2.0 * f.nearZ / (f.top - f.bottom) * e.y + (f.top + f.bottom) / (f.top - f.bottom) * e.z) / w;
    const double px = (xn + 1.0) / 2.0 * width, py = height - (yn + 1.0) / 2.0 * height;
    return {static_cast<int>(std::lround(std::clamp(px, -1e6, 1e6))),
            static_cast<int>(std::lround(std::clamp(py, -1e6, 1e6)))};
}

void GLScene::Render(plat::DC& dc, int ox, int oy, int width, int height) const
{
    dc.FillRect({ox, oy, ox + width, oy + height}, plat::Colors::White);
    if (width <= 0 || height <= 0)
        return;
    struct Item {
        double depth;
        std::size_t index;
        plat::Point q[3];
    };
    std::vector<Item> items;
    items.reserve(m_list.size());
    for (std::size_t k = 0; k < m_list.size(); ++k) {
        const GLPrimitive& g = m_list[k];
        Item it{0.0, k, {}};
        const int corners = g.kind == GLPrimitiveKind::Triangle ? 3 : g.kind == GLPrimitiveKind::Line ? 2 : 1;
        bool inFront = true;
        for (int c = 0; c < corners; ++c) {
            double d = 0.0;
            const plat::Point w = ToWindow(g.p[c], width, height, &d);
            it.q[c] = {w.x + ox, w.y + oy};
            it.depth += d / corners;
            inFront = inFront && d > 0.0;
        }
        if (!inFront)
            continue; // behind the eye
        if (g.kind == GLPrimitiveKind::Triangle) {
            // Counter-clockwise front faces with y up are clockwise on the screen (y down).
            const long area = static_cast<long>(it.q[1].x - it.q[0].x) * (it.q[2].y - it.q[0].y) -
                              static_cast<long>(it.q[2].x - it.q[0].x) * (it.q[1].y - it.q[0].y);
            if (area > 0)
                continue;
        }
        items.push_back(it);
    }
    // Far first; text over everything.
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        const bool ta = m_list[a.index].kind == GLPrimitiveKind::Text, tb = m_list[b.index].kind == GLPrimitiveKind::Text;
        if (ta != tb)
            return tb;
        return a.depth > b.depth;
    });
    // The window's viewport: nothing outside it.
    dc.SaveDC();
    dc.IntersectClipRect({ox, oy, ox + width, oy + height});
    plat::LogFont font;
    font.height = -12;
    font.weight = 400;
    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SetTextAlign(plat::TextAlign::Left | plat::TextAlign::Baseline);
    for (const Item& it : items) {
        const GLPrimitive& g = m_list[it.index];
        switch (g.kind) {
        case GLPrimitiveKind::Line:
            dc.SelectPen(plat::Pen{plat::PenStyle::Solid, std::max(1, g.width), g.colour});
            dc.MoveTo(it.q[0]);
            dc.LineTo(it.q[1]);
            break;
        case GLPrimitiveKind::Triangle: {
            const Vec3 n = Rotate(g.normal, m_angles);
            const Vec3 centre = ToEye({(g.p[0].x + g.p[1].x + g.p[2].x) / 3.0, (g.p[0].y + g.p[1].y + g.p[2].y) / 3.0,
                                       (g.p[0].z + g.p[1].z + g.p[2].z) / 3.0},
                                      width, height);
            const plat::Color c = ShadeFace(g.colour, n, centre);
            dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, c});
            dc.SelectBrush(plat::Brush{false, c});
            dc.Polygon({it.q[0], it.q[1], it.q[2]});
            break;
        }
        case GLPrimitiveKind::Text:
            dc.SelectFont(font);
            dc.SetTextColor(g.colour);
            dc.TextOut(it.q[0], g.text);
            break;
        }
    }
    dc.RestoreDC();
}
