#pragma once
// The 3-D child window of the 3-D plot and the colour map. Its owner draws a frame into it
// from its own paint: BeginFrame, then lines, lit triangles and quadrilaterals and text in data
// coordinates, then EndFrame. The frame is recorded; where a GL context can be made the
// window's GL surface replays it with the window's lights and projection, elsewhere (off
// screen, displays without GL) the software renderer of GLScene draws it (depth-sorted,
// flat-shaded). A left drag turns the view about the screen's axes, a right drag about the
// viewing axis, and every turn invalidates the owner so that it draws a new frame.

#include <memory>
#include <string>
#include <vector>

#include "charts/GLScene.h"
#include "platform/DC.h"
#include "platform/Menu.h"
#include "platform/Window.h"

namespace plat {
class GLView;
}

class TFauxGLWindow : public plat::Window {
public:
    TFauxGLWindow(plat::Window* parent, const std::string& title, int x, int y, int w, int h, float xMin, float yMin,
                  float xMax, float yMax);
    ~TFauxGLWindow() override;

    void SetupWindow() override;
    void SetBounds(double xMin, double xMax, double yMin, double yMax);
    // Viewport and projection of a window of that size (the frame is drawn at its size).
    void SetupViewport(int x, int y, int width, int height);
    void BeginFrame(plat::DC* dc = nullptr);
    void EndFrame(plat::DC* dc = nullptr);
    void DrawLine(float x0, float y0, float z0, float x1, float y1, float z1, int width);
    void DrawTriangle(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2);
    void DrawQuad(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2, float x3,
                  float y3, float z3);
    void DrawText3D(float x, float y, float z, const std::string& text);
    void SetColour(unsigned char r, unsigned char g, unsigned char b, int width);
    void AppendPopupItem(unsigned flags, int id, const std::string& text);
    void ClearPopupMenu();
    const std::vector<plat::MenuItem>& PopupItems() const { return m_popup; }

    // The last complete frame drawn on dc at (x, y) in the window's size.
    void Replay(plat::DC& dc, int x, int y) const;
    const GLScene& Scene() const { return m_frame; }
    // Whether frames are drawn through GL (a context was made at set-up).
    bool IsLive() const { return m_live != nullptr; }
    // The GL surface's picture of the last frame (a null image without GL).
    plat::Image GrabLive() const;
    const ViewAngles& Angles() const { return m_angles; }
    int DragMode() const { return m_dragMode; }
    // The window's place in its parent.
    plat::Rect Placement() const { return {m_x, m_y, m_x + m_w, m_y + m_h}; }
    void Place(int x, int y, int w, int h);

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void EvLButtonDown(unsigned flags, plat::Point p) override;
    void EvRButtonDown(unsigned flags, plat::Point p) override;
    void EvMouseMove(unsigned flags, plat::Point p) override;
    void EvLButtonUp(unsigned flags, plat::Point p) override;
    void EvRButtonUp(unsigned flags, plat::Point p) override;
    void EvLButtonDblClk(unsigned flags, plat::Point p) override;
    void EvSize(plat::Size size) override;
    bool EvCommand(int id, int control, int notifyCode) override;

private:
    void StartDrag(int mode, plat::Point p);
    void EndDrag();

    plat::Window* m_parentWindow = nullptr;
    std::string m_title;
    int m_x, m_y, m_w, m_h;
    float m_xMin, m_yMin, m_xMax, m_yMax;
    ViewAngles m_angles;
    ViewAngles m_saved;
    plat::Point m_anchor{-1, -1};
    int m_dragMode = 0;
    double m_eyeFactor = 3.0;
    double m_marginFactor = 1.25;
    int m_viewW = 0, m_viewH = 0;
    bool m_inFrame = false;
    GLScene m_recording; // the frame being drawn
    GLScene m_frame;     // the last complete frame
    std::vector<plat::MenuItem> m_popup;
    std::unique_ptr<plat::GLView> m_live;
};
