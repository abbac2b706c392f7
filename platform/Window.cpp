#include "platform/Window.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "platform/qt/QtConvert.h"
#include "platform/qt/WindowHost.h"
#include "platform/Ui.h"

static_assert(plat::kMaxWindowExtent == QWIDGETSIZE_MAX, "the largest window extent is the toolkit's");

namespace plat {

namespace {
unsigned KeyFlagsOf(const QMouseEvent* e) {
    unsigned flags = 0;
    if (e->buttons() & Qt::LeftButton)
        flags |= KeyFlags::LButton;
    if (e->buttons() & Qt::RightButton)
        flags |= KeyFlags::RButton;
    if (e->buttons() & Qt::MiddleButton)
        flags |= KeyFlags::MButton;
    if (e->modifiers() & Qt::ShiftModifier)
        flags |= KeyFlags::Shift;
    if (e->modifiers() & Qt::ControlModifier)
        flags |= KeyFlags::Control;
    return flags;
}
Point PosOf(const QMouseEvent* e) { return FromQ(e->position().toPoint()); }
} // namespace

WindowWidget::WindowWidget(Window& owner, QWidget* parent) : QWidget(parent), m_owner(&owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void WindowWidget::PaintInvalid() {
    if (!m_owner || !m_owner->impl().redraw)
        return;
    Window::Impl& w = m_owner->impl();
    // The backing image has the screen's density, so a double-density screen gets crisp
    // drawing while the drawing code keeps its logical pixels.
    const int scale = std::clamp(static_cast<int>(std::lround(devicePixelRatioF())), 1, 4);
    if (w.backing.Width() != width() || w.backing.Height() != height() || w.backing.Scale() != scale) {
        w.backing = Image(std::max(1, width()), std::max(1, height()), w.background, scale);
        w.invalid = QRegion(rect());
        w.eraseInvalid = true;
    }
    if (w.invalid.isEmpty())
        return;
    const QRect box = w.invalid.boundingRect() & rect();
    const bool erase = w.eraseInvalid;
    w.invalid = QRegion();
    w.eraseInvalid = false;
    PaintScope painting;
    DC dc(w.backing);
    if (erase)
        dc.FillRect(FromQ(box), w.background);
    m_owner->Paint(dc, erase, FromQ(box));
}

void WindowWidget::paintEvent(QPaintEvent*) {
    PaintInvalid();
    if (!m_owner)
        return;
    QPainter p(this);
    p.drawImage(0, 0, m_owner->impl().backing.impl().image);
    ++m_owner->impl().screenPaints;
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!m_owner)
        return;
    m_owner->impl().invalid = QRegion(rect());
    m_owner->impl().eraseInvalid = true;
    m_owner->EvSize(Size{width(), height()});
}

void WindowWidget::mousePressEvent(QMouseEvent* e) {
    if (!m_owner)
        return;
    if (e->button() == Qt::LeftButton)
        m_owner->EvLButtonDown(KeyFlagsOf(e), PosOf(e));
    else if (e->button() == Qt::RightButton)
        m_owner->EvRButtonDown(KeyFlagsOf(e), PosOf(e));
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (m_owner && e->button() == Qt::LeftButton)
        m_owner->EvLButtonUp(KeyFlagsOf(e), PosOf(e));
    else if (m_owner && e->button() == Qt::RightButton)
        m_owner->EvRButtonUp(KeyFlagsOf(e), PosOf(e));
}

// The second press of a double click arrives only as the double click.
void WindowWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (m_owner && e->button() == Qt::LeftButton)
        m_owner->EvLButtonDblClk(KeyFlagsOf(e), PosOf(e));
}

void WindowWidget::mouseMoveEvent(QMouseEvent* e) {
    if (m_owner)
        m_owner->EvMouseMove(KeyFlagsOf(e), PosOf(e));
}

QWidget* WidgetOf(const Window& window) { return window.impl().widget.data(); }

namespace {
Window* g_capture = nullptr;

Qt::CursorShape ShapeOf(Cursor cursor) {
    switch (cursor) {
    case Cursor::Arrow: return Qt::ArrowCursor;
    case Cursor::SizeNWSE: return Qt::SizeFDiagCursor;
    case Cursor::SizeNESW: return Qt::SizeBDiagCursor;
    case Cursor::SizeNS: return Qt::SizeVerCursor;
    case Cursor::SizeWE: return Qt::SizeHorCursor;
    case Cursor::Cross: return Qt::CrossCursor;
    case Cursor::Help: return Qt::WhatsThisCursor;
    }
    return Qt::ArrowCursor;
}
} // namespace

void LinkParent(Window& child, Window* parent) {
    Window::Impl& c = child.impl();
    if (c.parent == parent)
        return;
    if (c.parent)
        std::erase(c.parent->impl().children, &child);
    c.parent = parent;
    if (parent)
        parent->impl().children.push_back(&child);
}

void CreateUnder(Window& window, QWidget* parent) {
    if (window.impl().widget)
        return;
    window.impl().widget = new WindowWidget(window, parent);
    // A cursor chosen before the window existed is the one it shows.
    if (window.impl().cursor != Cursor::Arrow)
        window.impl().widget->setCursor(ShapeOf(window.impl().cursor));
    window.SetupWindow();
}

Window::Window() : m_impl(std::make_unique<Impl>()) {}

Window::~Window() {
    if (g_capture == this)
        ReleaseCapture();
    for (Window* child : m_impl->children)
        child->impl().parent = nullptr;
    LinkParent(*this, nullptr);
    if (m_impl->widget) {
        m_impl->widget->Detach();
        delete m_impl->widget.data();
    }
}

void Window::Create(Window* parent) {
    LinkParent(*this, parent);
    CreateUnder(*this, parent ? WidgetOf(*parent) : nullptr);
}
bool Window::IsCreated() const { return !m_impl->widget.isNull(); }

void Window::Paint(DC&, bool, const Rect&) {}
void Window::EvSize(Size) {}
void Window::EvLButtonDown(unsigned, Point) {}
void Window::EvLButtonUp(unsigned, Point) {}
void Window::EvLButtonDblClk(unsigned, Point) {}
void Window::EvRButtonDown(unsigned, Point) {}
void Window::EvRButtonUp(unsigned, Point) {}
void Window::EvMouseMove(unsigned, Point) {}

bool Window::EvCommand(int id, int, int notifyCode) {
    // Only commands and clicks (code 0) run command handlers: a control's other
    // notifications never run the command that happens to share its id.
    if (notifyCode != 0)
        return false;
    if (const CommandHandler* h = FindHandler(id)) {
        const CommandHandler run = *h;
        run();
        return true;
    }
    return false;
}

bool Window::IdleAction(long) { return false; }
bool Window::CanClose() { return true; }

void Window::Invalidate(bool erase) {
    if (!m_impl->widget)
        return;
    m_impl->invalid = QRegion(m_impl->widget->rect());
    m_impl->eraseInvalid = m_impl->eraseInvalid || erase;
    m_impl->widget->update();
}

void Window::InvalidateRect(const Rect& rect, bool erase) {
    if (!m_impl->widget)
        return;
    m_impl->invalid += ToQ(rect);
    m_impl->eraseInvalid = m_impl->eraseInvalid || erase;
    m_impl->widget->update(ToQ(rect));
}

void Window::UpdateWindow() {
    if (m_impl->widget && m_impl->redraw)
        m_impl->widget->PaintInvalid();
}

namespace {
int g_showingNow = 0;

// Paints the widget's area now, then lets the loop deliver what is waiting besides input (the
// uncovering of what a closed dialog hid, the composing of the window's picture), with idle
// work held off and close requests refused.
void PaintAndShow(QWidget& widget, const QRect& area) {
    const ModalScope noIdleWork;
    ++g_showingNow;
    widget.repaint(area);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    --g_showingNow;
}
} // namespace

bool ShowingNow() { return g_showingNow > 0; }

int Window::GetScreenPaints() const { return m_impl->screenPaints; }

void Window::ShowNow() {
    QWidget* w = m_impl->widget;
    if (w && m_impl->redraw && w->isVisible())
        PaintAndShow(*w->window(), w->window()->rect());
}

void Window::ShowNow(const Rect& part) {
    QWidget* w = m_impl->widget;
    if (w && m_impl->redraw && w->isVisible())
        PaintAndShow(*w, ToQ(part) & w->rect());
}

Rect Window::GetUpdateRect() const {
    if (!m_impl->widget || m_impl->invalid.isEmpty())
        return Rect{};
    return FromQ(m_impl->invalid.boundingRect() & m_impl->widget->rect());
}

Rect Window::GetClientRect() const {
    if (!m_impl->widget)
        return Rect{};
    return Rect{0, 0, m_impl->widget->width(), m_impl->widget->height()};
}

void Window::MoveWindow(const Rect& rect) {
    if (m_impl->widget)
        m_impl->widget->setGeometry(ToQ(rect));
}

void Window::SetSizeLimitsLifted(bool lifted) {
    QWidget* w = m_impl->widget;
    if (!w || lifted == m_impl->limitsLifted)
        return;
    m_impl->limitsLifted = lifted;
    if (lifted) {
        m_impl->minimumSize = w->minimumSize();
        m_impl->maximumSize = w->maximumSize();
        w->setMinimumSize(0, 0);
        w->setMaximumSize(32000, 32000);
    } else {
        w->setMinimumSize(m_impl->minimumSize);
        w->setMaximumSize(m_impl->maximumSize);
    }
}

void Window::Show(bool visible) {
    if (m_impl->widget)
        m_impl->widget->setVisible(visible);
}

void Window::SetBackgroundColor(Color color) { m_impl->background = color; }

Point Window::ClientToScreen(Point p) const {
    return m_impl->widget ? FromQ(m_impl->widget->mapToGlobal(ToQ(p))) : p;
}

Point Window::ScreenToClient(Point p) const {
    return m_impl->widget ? FromQ(m_impl->widget->mapFromGlobal(ToQ(p))) : p;
}

Rect Window::GetWindowRect() const {
    if (!m_impl->widget)
        return Rect{};
    const QRect g = m_impl->widget->isWindow() ? m_impl->widget->frameGeometry() : m_impl->widget->geometry();
    return FromQ(g);
}

void Window::SetRedraw(bool on) {
    m_impl->redraw = on;
    if (m_impl->widget) {
        m_impl->widget->setUpdatesEnabled(on);
        if (on && !m_impl->invalid.isEmpty())
            m_impl->widget->update();
    }
}

bool Window::IsRedrawOn() const { return m_impl->redraw; }

void Window::SetCursor(Cursor cursor) {
    m_impl->cursor = cursor;
    if (m_impl->widget)
        m_impl->widget->setCursor(ShapeOf(cursor));
}

Cursor Window::GetCursor() const { return m_impl->cursor; }

void Window::SetCapture() {
    if (g_capture && g_capture != this)
        g_capture->ReleaseCapture();
    g_capture = this;
    if (m_impl->widget && m_impl->widget->isVisible())
        m_impl->widget->grabMouse();
}

void Window::ReleaseCapture() {
    if (g_capture != this)
        return;
    g_capture = nullptr;
    if (m_impl->widget && QWidget::mouseGrabber() == m_impl->widget)
        m_impl->widget->releaseMouse();
}

bool Window::HasCapture() const { return g_capture == this; }
Window* Window::GetCapture() { return g_capture; }
Window* Window::GetParent() const { return m_impl->parent; }
std::vector<Window*> Window::GetChildren() const { return m_impl->children; }

Image& Window::BackingImage() {
    if (m_impl->widget)
        m_impl->widget->PaintInvalid();
    return m_impl->backing;
}

ClientDC::ClientDC(Window& window) : DC(window.BackingImage()), m_window(window) {}

ClientDC::~ClientDC() {
    if (QWidget* w = WidgetOf(m_window))
        w->update();
}

} // namespace plat
