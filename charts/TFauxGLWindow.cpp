#include "charts/TFauxGLWindow.h"

#include "charts/TBoxItem.h"
#include "platform/GLView.h"

TFauxGLWindow::TFauxGLWindow(plat::Window* parent, const std::string& title, int x, int y, int w, int h, float xMin,
                             float yMin, float xMax, float yMax)
    : m_parentWindow(parent), m_title(title), m_x(x), m_y(y), m_w(w), m_h(h), m_xMin(xMin), m_yMin(yMin),
      m_xMax(xMax), m_yMax(yMax), m_viewW(w), m_viewH(h)
{
}

TFauxGLWindow::~TFauxGLWindow() = default;

void TFauxGLWindow::SetupWindow()
{
    SetBackgroundColor(plat::Colors::White);
    MoveWindow(Placement());
    m_live = plat::GLView::Create(*this);
}

namespace {

void Copy(float* to, const Vec3& v)
{
    to[0] = static_cast<float>(v.x);
    to[1] = static_cast<float>(v.y);
    to[2] = static_cast<float>(v.z);
}

// The recorded frame with the view of a window of width x height: the projection framing
// the bounds, the centre the view turns about and the rotation.
plat::GLFrame ToGLFrame(const GLScene& scene, float xMin, float xMax, float yMin, float yMax, int width, int height,
                        double eyeFactor, double marginFactor)
{
    plat::GLFrame f;
    const Frustum fr = ComputeFrustum(xMin, xMax, yMin, yMax, width, height, eyeFactor, marginFactor);
    f.left = fr.left;
    f.right = fr.right;
    f.bottom = fr.bottom;
    f.top = fr.top;
    f.nearZ = fr.nearZ;
    f.farZ = fr.farZ;
    f.eyeZ = fr.eyeZ;
    f.cx = (static_cast<double>(xMin) + xMax) / 2.0;
    f.cy = (static_cast<double>(yMin) + yMax) / 2.0;
    f.angleX = scene.Angles().x;
    f.angleY = scene.Angles().y;
    f.angleZ = scene.Angles().z;
    f.items.reserve(scene.Primitives().size());
    for (const GLPrimitive& p : scene.Primitives()) {
        plat::GLItem item;
        switch (p.kind) {
        case GLPrimitiveKind::Line: item.kind = plat::GLItem::Kind::Line; break;
        case GLPrimitiveKind::Triangle: item.kind = plat::GLItem::Kind::Triangle; break;
        case GLPrimitiveKind::Text: item.kind = plat::GLItem::Kind::Text; break;
        }
        for (int i = 0; i < 3; ++i)
            Copy(item.p[i], p.p[i]);
        Copy(item.normal, p.normal);
        item.colour = p.colour;
        item.width = p.width;
        item.text = p.text;
        f.items.push_back(std::move(item));
    }
    return f;
}

} // namespace

plat::Image TFauxGLWindow::GrabLive() const { return m_live ? m_live->Grab() : plat::Image(); }

void TFauxGLWindow::SetBounds(double xMin, double xMax, double yMin, double yMax)
{
    m_xMin = static_cast<float>(xMin);
    m_xMax = static_cast<float>(xMax);
    m_yMin = static_cast<float>(yMin);
    m_yMax = static_cast<float>(yMax);
    SetupViewport(0, 0, m_w, m_h);
}

void TFauxGLWindow::SetupViewport(int, int, int width, int height)
{
    m_viewW = width;
    m_viewH = height;
}

void TFauxGLWindow::BeginFrame(plat::DC*)
{
    m_recording.Clear();
    m_recording.SetBounds(m_xMin, m_xMax, m_yMin, m_yMax);
    m_recording.SetAngles(m_angles);
    m_inFrame = true;
}

void TFauxGLWindow::EndFrame(plat::DC*)
{
    if (!m_inFrame)
        return;
    m_inFrame = false;
    m_frame = m_recording;
    if (m_live)
        m_live->Show(ToGLFrame(m_frame, m_xMin, m_xMax, m_yMin, m_yMax, m_viewW, m_viewH, m_eyeFactor,
                               m_marginFactor));
    else if (IsCreated())
        Invalidate(false);
}

void TFauxGLWindow::DrawLine(float x0, float y0, float z0, float x1, float y1, float z1, int width)
{
    if (m_inFrame)
        m_recording.Line({x0, y0, z0}, {x1, y1, z1}, width);
}

void TFauxGLWindow::DrawTriangle(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2,
                                 float z2)
{
    if (m_inFrame)
        m_recording.Triangle({x0, y0, z0}, {x1, y1, z1}, {x2, y2, z2});
}

void TFauxGLWindow::DrawQuad(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2,
                             float x3, float y3, float z3)
{
    if (m_inFrame)
        m_recording.Quad({x0, y0, z0}, {x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3});
}

void TFauxGLWindow::DrawText3D(float x, float y, float z, const std::string& text)
{
    if (m_inFrame)
        m_recording.Text({x, y, z}, text);
}

void TFauxGLWindow::SetColour(unsigned char r, unsigned char g, unsigned char b, int width)
{
    m_recording.SetColour(plat::Color(r, g, b), width);
}

void TFauxGLWindow::AppendPopupItem(unsigned flags, int id, const std::string& text)
{
    if (flags & kPopupSeparator)
        m_popup.push_back(plat::MenuItem::Separator());
    else
        m_popup.emplace_back(text, id, (flags & kPopupGrayed) != 0);
}

void TFauxGLWindow::ClearPopupMenu() { m_popup.clear(); }

void TFauxGLWindow::Replay(plat::DC& dc, int x, int y) const { m_frame.Render(dc, x, y, m_viewW, m_viewH); }

void TFauxGLWindow::Place(int x, int y, int w, int h)
{
    m_x = x;
    m_y = y;
    m_w = w;
    m_h = h;
    if (IsCreated())
        MoveWindow(Placement());
    SetupViewport(0, 0, w, h);
}

void TFauxGLWindow::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    // The GL surface covers the window and draws the frame itself.
    if (!m_live)
        Replay(dc, 0, 0);
}

void TFauxGLWindow::StartDrag(int mode, plat::Point p)
{
    m_dragMode = mode;
    if (IsCreated())
        SetCapture();
    m_anchor = p;
    m_saved = m_angles;
}

void TFauxGLWindow::EndDrag()
{
    if (m_dragMode == 0)
        return;
    if (IsCreated())
        ReleaseCapture();
    m_anchor = {-1, -1};
    m_dragMode = 0;
}

void TFauxGLWindow::EvLButtonDown(unsigned, plat::Point p) { StartDrag(1, p); }
void TFauxGLWindow::EvRButtonDown(unsigned, plat::Point p) { StartDrag(2, p); }
void TFauxGLWindow::EvLButtonUp(unsigned, plat::Point) { EndDrag(); }
void TFauxGLWindow::EvRButtonUp(unsigned, plat::Point) { EndDrag(); }

void TFauxGLWindow::EvMouseMove(unsigned, plat::Point p)
{
    if (m_dragMode == 0)
        return;
    if (m_anchor.x == -1) {
        m_anchor = p;
        return;
    }
    if (p == m_anchor)
        return;
    m_angles = DragAngles(m_dragMode, m_anchor, p, m_saved);
    if (m_parentWindow && m_parentWindow->IsCreated())
        m_parentWindow->Invalidate(true);
}

void TFauxGLWindow::EvLButtonDblClk(unsigned, plat::Point)
{
    if (m_parentWindow)
        m_parentWindow->EvCommand(CM_VIEWDATA, 0, 0);
}

void TFauxGLWindow::EvSize(plat::Size size)
{
    plat::Window::EvSize(size);
    SetupViewport(0, 0, size.cx, size.cy);
}

bool TFauxGLWindow::EvCommand(int id, int control, int notifyCode)
{
    if (id == CM_TOGGLETEXT && m_parentWindow)
        return m_parentWindow->EvCommand(CM_TOGGLETEXT, 0, 0);
    return plat::Window::EvCommand(id, control, notifyCode);
}
