#pragma once
// The Qt side of dialogs and controls; only the layer's own .cpp files see it.

#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>

#include <string>

#include "platform/Dialog.h"

namespace plat {

// Carries a window's control notifications to its EvCommand while it is open. It is a child
// of the window's widget, made before any control, so it goes before them when the widget
// is destroyed and no notification reaches a window that is being torn down.
class NotifySink : public QObject {
public:
    NotifySink(Window& target, QWidget* parent);
    void Send(int id, int code);
    void SetOpen(bool open) { m_open = open; }
    bool IsOpen() const { return m_open; }

private:
    Window* m_target;
    bool m_open = true;
};

// The sink of a created window (made on first use).
NotifySink* SinkFor(Window& window);

// The top-level Qt dialog around a Dialog's window. Escape and the close box go to the
// dialog as Cancel (id 2); ending is the Dialog's own decision.
class DialogHost : public QDialog {
public:
    DialogHost(Dialog& owner, QWidget* parent);
    void Detach() { m_owner = nullptr; }
    void reject() override;
    void accept() override;

private:
    Dialog* m_owner;
};

struct Dialog::DialogImpl {
    QPointer<DialogHost> host;  // null for property pages
    QPointer<NotifySink> sink;
    QFont font;
    double baseX = 6;   // pixels per 4 horizontal dialog units
    double baseY = 13;  // pixels per 8 vertical dialog units
    bool running = false;
};

// Makes the Qt control of a template item under the parent, named by its id; notifications
// are connected by ConnectNotifications once the initial contents are in.
QWidget* MakeControl(const DialogItem& item, QWidget* parent);
void ConnectNotifications(QWidget* control, NotifySink* sink);
// The control named id under root (searching all descendants); null when none.
QWidget* FindControl(const QWidget* root, int id);
int ControlId(const QWidget* control);
// The widget of a control, or null before it is created.
QWidget* ControlWidget(const Control& control);
// Property of list and combo widgets that keep their items sorted.
inline constexpr const char* kSorted = "qvSorted";
bool IsEdit(const QWidget* control);
// What a control shows, and setting it as program code does (edits report a change).
std::string WidgetText(const QWidget* control);
void SetWidgetText(QWidget* control, const std::string& text, NotifySink* sink);
// Before a button or a page switch acts without taking the focus (Enter, a tab): the edit
// holding the focus in the window is told it loses it, as a click elsewhere would.
void TellFocusLeaving(QWidget* window, const QWidget* except);

// Average character width and height of a font, the base of dialog units. The width is the
// exact average over the alphabet, not rounded down, so that texts sized for the classic
// dialog font fit in the faces that stand in for it.
void DialogBaseUnits(const QFont& font, double& baseX, double& baseY);
// The font of a template: its face mapped to an installed one, in points.
QFont TemplateFont(const std::string& face, int pointSize);

// Owner drawing of list and combo box items through the program's drawing function.
class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    OwnerDrawDelegate(OwnerDrawFn draw, int itemHeight, QObject* parent);
    void SetDraw(OwnerDrawFn draw) { m_draw = std::move(draw); }
    void SetItemHeight(int height) { m_height = height; }
    int ItemHeight() const { return m_height; }
    const OwnerDrawFn& Draw() const { return m_draw; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    OwnerDrawFn m_draw;
    int m_height;
};

// Paints one owner-drawn item through the function.
void PaintOwnerItem(QPainter& painter, const OwnerDrawFn& draw, const DrawItem& item);

// A combo box whose closed field is drawn by the owner-draw function when there is one.
class OwnerComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A push button that shows a second picture while pressed.
class GlyphPushButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    void SetGlyphs(const QIcon& up, const QIcon& down);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon m_up;
    QIcon m_down;
};

// Conversions between the layer's font record and Qt's font, in pixel heights. The face of
// the original record is kept when the chosen family is the one it maps to.
LogFont FromQFont(const QFont& font, const LogFont& original);

// Runs a created dialog in Qt's modal loop (the live gateway).
int RunLiveDialog(Dialog& dialog);

} // namespace plat
