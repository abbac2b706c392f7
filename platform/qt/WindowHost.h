#pragma once
// The Qt widget behind a Window; only the layer's own .cpp files see it.

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include "platform/Window.h"

namespace plat {

class WindowWidget : public QWidget {
public:
    WindowWidget(Window& owner, QWidget* parent);
    void Detach() { m_owner = nullptr; }
    void PaintInvalid();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Window* m_owner;
};

struct Window::Impl {
    QPointer<WindowWidget> widget;
    Image backing;
    QRegion invalid;
    bool eraseInvalid = false;
    Color background = Colors::White;
    bool redraw = true;
    int screenPaints = 0;
    Cursor cursor = Cursor::Arrow;
    Window* parent = nullptr;
    std::vector<Window*> children;
    // The widget's own size limits while SetSizeLimitsLifted holds them off.
    bool limitsLifted = false;
    QSize minimumSize;
    QSize maximumSize;
};

// Links a window to its parent window (both lists kept up to date on destruction).
void LinkParent(Window& child, Window* parent);

// The widget of a created window (null before Create).
QWidget* WidgetOf(const Window& window);
// True while a window is being put on the screen by ShowNow inside a long command: the loop
// then delivers paints and sizes but no close request.
bool ShowingNow();

// Creates the window's widget under a given Qt parent (used by the frame for its client).
void CreateUnder(Window& window, QWidget* parent);

// The open popup when it belongs to a frame's menu bar (null otherwise).
QMenu* OpenFrameMenu();

} // namespace plat
