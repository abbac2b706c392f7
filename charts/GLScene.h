#pragma once
// The drawing service of the 3-D window apart from any window: the projection that frames
// a data rectangle, the view rotation of a mouse drag, the face normal, and a recorded frame
// of primitives (lines, lit triangles, text in data coordinates) with a software renderer
// that draws it on any device context: depth-sorted (painter's algorithm), back faces culled,
// each triangle flat-shaded by its one normal under the window's lights.

#include <string>
#include <vector>

#include "platform/Types.h"

namespace plat {
class DC;
}

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

// The perspective frustum framing the data rectangle (x min..x max, y min..y max) in a window
// of width x height pixels, with the eye-distance factor D and the frame margin factor M:
// glFrustum's six values and the eye translation along z (-D S).
struct Frustum {
    double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0, nearZ = 0.0, farZ = 0.0;
    double eyeZ = 0.0;
};
Frustum ComputeFrustum(double xMin, double xMax, double yMin, double yMax, int width, int height, double D = 3.0,
                       double M = 1.25);

// (p0 - p1) x (p1 - p2), of unit length unless its length is zero or undefined.
Vec3 FaceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2);

// Rotation angles in degrees about x, y and z.
struct ViewAngles {
    double x = 0.0, y = 0.0, z = 0.0;
    bool operator==(const ViewAngles&) const = default;
};
// The angles of a drag from the anchor (x0, y0) to (x, y) starting at the saved angles: mode 1
// (left button) turns about the screen's axes, mode 2 (right button) about the viewing axis;
// one degree per five pixels.
ViewAngles DragAngles(int mode, plat::Point anchor, plat::Point p, const ViewAngles& saved);

enum class GLPrimitiveKind { Line, Triangle, Text };

struct GLPrimitive {
    GLPrimitiveKind kind = GLPrimitiveKind::Line;
    Vec3 p[3];
    Vec3 normal;
    plat::Color colour;
    int width = 1;
    std::string text;
};

// One frame as the owner draws it, and its view.
class GLScene {
public:
    void SetBounds(double xMin, double xMax, double yMin, double yMax);
    void SetAngles(const ViewAngles& a) { m_angles = a; }
    const ViewAngles& Angles() const { return m_angles; }
    void Clear() { m_list.clear(); }
    void SetColour(plat::Color c, int width);
    void Line(const Vec3& a, const Vec3& b, int width);
    void Triangle(const Vec3& a, const Vec3& b, const Vec3& c);
    // Two triangles (0, 1, 2) and (2, 3, 0) with the normal of the first.
    void Quad(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d);
    void Text(const Vec3& at, const std::string& text);
    const std::vector<GLPrimitive>& Primitives() const { return m_list; }

    // A data point in eye coordinates (rotated about the bounds' centre, moved away by D S).
    Vec3 ToEye(const Vec3& p, int width, int height) const;
    // A data point in window pixels (y down), with its eye depth (larger: farther).
    plat::Point ToWindow(const Vec3& p, int width, int height, double* depth = nullptr) const;
    // Draws the frame on dc in a window of that size at (ox, oy): white background, then the
    // primitives far to near, text last.
    void Render(plat::DC& dc, int ox, int oy, int width, int height) const;

private:
    double m_xMin = 0.0, m_xMax = 0.0, m_yMin = 0.0, m_yMax = 0.0;
    ViewAngles m_angles;
    plat::Color m_colour;
    int m_width = 1;
    std::vector<GLPrimitive> m_list;
};

// The lit colour of a face of colour c with the eye-space normal n under the window's light
// 0 (ambient 0.2, diffuse 0.8 from (-2000, 2000, 3000)) and the scene ambient 0.2.
plat::Color ShadeFace(plat::Color c, const Vec3& n, const Vec3& at);
