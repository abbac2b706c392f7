#include "platform/FrameDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/qt/FrameHost.h"

namespace plat {

void FrameDriver::OpenMenu(int index) {
    FrameHost* host = m_frame.m_frame->host;
    if (!host)
        throw std::logic_error("FrameDriver: the frame has no window");
    int k = 0;
    for (QAction* top : host->menuBar()->actions()) {
        if (!top->menu())
            continue;
        if (k++ == index) {
            host->menuBar()->setActiveAction(top);
            QCoreApplication::sendPostedEvents();
            if (!IsMenuOpen())
                throw std::logic_error("FrameDriver: the menu did not open");
            return;
        }
    }
    throw std::logic_error("FrameDriver: the menu bar has no menu " + std::to_string(index));
}

bool FrameDriver::IsMenuOpen() const {
    const QMenu* menu = OpenFrameMenu();
    return menu && menu->property(kFrameMenuProperty).value<quintptr>() == reinterpret_cast<quintptr>(&m_frame);
}

void FrameDriver::CloseMenus() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    QCoreApplication::sendPostedEvents();
}

namespace {
void SendKey(Frame::FrameImpl& impl, QEvent::Type type, int vkey, Qt::KeyboardModifiers mods, unsigned long time = 0) {
    QWidget* target = QApplication::activePopupWidget();
    if (!target && impl.host)
        target = impl.host->focusWidget() ? impl.host->focusWidget() : impl.host.data();
    if (!target)
        throw std::logic_error("FrameDriver: the frame has no window");
    QKeyEvent e(type, QtKeyOf(vkey), mods);
    e.setTimestamp(time);
    QCoreApplication::sendEvent(target, &e);
    QCoreApplication::sendPostedEvents();
}
} // namespace

void FrameDriver::KeyHeld(int vkey, int repeats) {
    unsigned long time = 1000;
    SendKey(*m_frame.m_frame, QEvent::KeyPress, vkey, Qt::NoModifier, time);
    for (int k = 0; k < repeats; ++k) {
        time += 500 + 40 * static_cast<unsigned long>(k);
        SendKey(*m_frame.m_frame, QEvent::KeyRelease, vkey, Qt::NoModifier, time);
        SendKey(*m_frame.m_frame, QEvent::KeyPress, vkey, Qt::NoModifier, time);
    }
}

void FrameDriver::KeyDown(int vkey, bool shift) {
    SendKey(*m_frame.m_frame, QEvent::KeyPress, vkey, shift ? Qt::ShiftModifier : Qt::NoModifier);
}

void FrameDriver::KeyUp(int vkey) { SendKey(*m_frame.m_frame, QEvent::KeyRelease, vkey, Qt::NoModifier); }

void FrameDriver::AltKey(int vkey) {
    SendKey(*m_frame.m_frame, QEvent::KeyPress, vkey, Qt::AltModifier);
    SendKey(*m_frame.m_frame, QEvent::KeyRelease, vkey, Qt::AltModifier);
}

void FrameDriver::Key(int vkey, bool shift) {
    KeyDown(vkey, shift);
    KeyUp(vkey);
}

void FrameDriver::ClickToolButton(int id) {
    Frame::FrameImpl& impl = *m_frame.m_frame;
    const auto it = impl.toolActions.find(id);
    QAction* action = it != impl.toolActions.end() ? it->second.data() : nullptr;
    auto* button = action && impl.toolBar ? qobject_cast<QAbstractButton*>(impl.toolBar->widgetForAction(action))
                                          : nullptr;
    if (!button)
        throw std::logic_error("FrameDriver: the tool bar has no button " + std::to_string(id));
    if (!button->isEnabled())
        throw std::logic_error("FrameDriver: tool-bar button " + std::to_string(id) + " is disabled");
    button->click();
    QCoreApplication::sendPostedEvents();
}

namespace {
QMenu* ActiveMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

// A move sends no button of its own; it holds the buttons given (none: the pointer just moves).
void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons heldOnMove = Qt::NoButton) {
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const Qt::MouseButtons held = press                        ? Qt::MouseButtons(button)
                                  : type == QEvent::MouseMove ? heldOnMove
                                                              : Qt::NoButton;
    QMouseEvent e(type, QPointF(at), QPointF(widget->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, QApplication::keyboardModifiers());
    QCoreApplication::sendEvent(widget, &e);
}
} // namespace

void FrameDriver::ClickMenuItem(int id) {
    QMenu* menu = ActiveMenu();
    if (!menu)
        throw std::logic_error("FrameDriver: no menu is open");
    QAction* item = nullptr;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && !a->menu() && a->data().isValid() && a->data().toInt() == id)
            item = a;
    if (!item)
        throw std::logic_error("FrameDriver: the open menu has no item " + std::to_string(id));
    const QPoint at = menu->actionGeometry(item).center();
    // A menu takes a release as a choice only once the pointer has moved over it.
    for (int k = 0; k < 8; ++k)
        SendMouse(menu, QEvent::MouseMove, at, Qt::NoButton);
    SendMouse(menu, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendMouse(menu, QEvent::MouseButtonRelease, at, Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
}

int FrameDriver::HighlightedItem() { return HighlightedCommand(ActiveMenu()); }

bool FrameDriver::IsPopupMenuOpen() {
    const QMenu* menu = ActiveMenu();
    return menu && !menu->property(kFrameMenuProperty).isValid();
}

void FrameDriver::ClickWindow(Window& window, Point client, bool right) {
    QWidget* widget = WidgetOf(window);
    if (!widget)
        throw std::logic_error("FrameDriver: the window is not created");
    const Qt::MouseButton button = right ? Qt::RightButton : Qt::LeftButton;
    QPointer<QWidget> target = widget;
    SendMouse(widget, QEvent::MouseButtonPress, ToQ(client), button);
    if (target)
        SendMouse(target, QEvent::MouseButtonRelease, ToQ(client), button);
    QCoreApplication::sendPostedEvents();
}

void FrameDriver::DoubleClickWindow(Window& window, Point client) {
    QWidget* widget = WidgetOf(window);
    if (!widget)
        throw std::logic_error("FrameDriver: the window is not created");
    QPointer<QWidget> target = widget;
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                    QEvent::MouseButtonRelease})
        if (target)
            SendMouse(target, type, ToQ(client), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
}

Cursor FrameDriver::CursorAt(Window& window, Point client) {
    QWidget* widget = WidgetOf(window);
    if (!widget)
        throw std::logic_error("FrameDriver: the window is not created");
    QWidget* under = widget->childAt(ToQ(client));
    if (!under)
        under = widget;
    // A widget without a cursor of its own shows its parent's.
    while (under && !under->testAttribute(Qt::WA_SetCursor))
        under = under->parentWidget();
    switch (under ? under->cursor().shape() : Qt::ArrowCursor) {
    case Qt::SizeFDiagCursor: return Cursor::SizeNWSE;
    case Qt::SizeBDiagCursor: return Cursor::SizeNESW;
    case Qt::SizeVerCursor: return Cursor::SizeNS;
    case Qt::SizeHorCursor: return Cursor::SizeWE;
    case Qt::CrossCursor: return Cursor::Cross;
    case Qt::WhatsThisCursor: return Cursor::Help;
    default: return Cursor::Arrow;
    }
}

void FrameDriver::DragWindow(Window& window, Point from, Point to) {
    QWidget* widget = WidgetOf(window);
    if (!widget)
        throw std::logic_error("FrameDriver: the window is not created");
    QPointer<QWidget> target = widget;
    SendMouse(widget, QEvent::MouseButtonPress, ToQ(from), Qt::LeftButton);
    // The pointer's way there, in a few steps, with the button held.
    constexpr int kSteps = 4;
    for (int k = 1; k <= kSteps && target; ++k) {
        const QPoint at(from.x + (to.x - from.x) * k / kSteps, from.y + (to.y - from.y) * k / kSteps);
        SendMouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    }
    if (target)
        SendMouse(target, QEvent::MouseButtonRelease, ToQ(to), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
}

namespace {
constexpr const char* kMenuStepsName = "plat_menuSteps";
}

void FrameDriver::WhenMenuOpens(std::function<void()> steps) {
    auto* timer = new QTimer(qApp);
    timer->setObjectName(QString::fromLatin1(kMenuStepsName));
    auto tries = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, steps = std::move(steps)] {
        if (!ActiveMenu() && ++*tries < 200)
            return;
        timer->stop();
        timer->deleteLater();
        steps();
    });
    timer->start();
}

void FrameDriver::WhenLoopRuns(std::function<void()> steps) {
    QTimer::singleShot(0, qApp, std::move(steps));
}

void FrameDriver::DropMenuSteps() {
    for (QTimer* timer : qApp->findChildren<QTimer*>(QString::fromLatin1(kMenuStepsName), Qt::FindDirectChildrenOnly)) {
        timer->stop();
        delete timer;
    }
}

} // namespace plat
