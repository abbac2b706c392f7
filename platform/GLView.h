#pragma once
// A hardware GL surface over a created window: draws a frame of lit triangles, lines and
// text with the fixed-function pipeline (compatibility context, 24-bit depth buffer). Where
// no GL context can be made (the offscreen and minimal platforms, displays without GL)
// GLView::Create answers null and the window draws its frames in software instead.
//
// The surface covers the window's client area and lets every mouse message through to the
// window.

#include <memory>
#include <string>
#include <vector>

#include "platform/DC.h"
#include "platform/Types.h"

namespace plat {

class Window;

// One primitive in data coordinates: a line (points 0, 1), a triangle (points 0, 1, 2, with
// its one face normal) or text (at point 0).
struct GLItem {
    enum class Kind { Line, Triangle, Text };
    Kind kind = Kind::Line;
    float p[3][3] = {};
    float normal[3] = {};
    Color colour;
    int width = 1;
    std::string text;
};

// A frame and its view: the frustum (glFrustum's six values), the eye translation along z,
// the centre the view turns about and the rotation angles in degrees about x, y and z.
struct GLFrame {
    double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0, nearZ = 0.0, farZ = 0.0;
    double eyeZ = 0.0;
    double cx = 0.0, cy = 0.0;
    double angleX = 0.0, angleY = 0.0, angleZ = 0.0;
    std::vector<GLItem> items;
};

class GLView {
public:
    // A GL surface over the created window, or null when no GL context can be made.
    static std::unique_ptr<GLView> Create(Window& window);
    virtual ~GLView() = default;
    // Shows the frame (drawn at the surface's next repaint, which this schedules).
    virtual void Show(const GLFrame& frame) = 0;
    // The picture the surface draws now, rendered afresh (a null image when it cannot).
    virtual Image Grab() = 0;
};

} // namespace plat
