#include "platform/Controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStylePainter>
#include <QTextBlock>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

#include "platform/Application.h"
#include "platform/Dialog.h"
#include "platform/PropertySheet.h"
#include "platform/qt/QtConvert.h"
#include "platform/Services.h"
#include "platform/qt/WindowHost.h"
#include "platform/qt/DialogHost.h"
#include "platform/qt/PainterDevice.h"

namespace plat {

namespace {

const char* const kKind = "qvKind";
const char* const kText = "qvText";
const char* const kLimit = "qvLimit";
const char* const kStyle = "qvStyle";
const char* const kProgram = "qvProgram";  // text being set by program code

ControlKind KindOf(const QWidget* w) { return static_cast<ControlKind>(w->property(kKind).toInt()); }

// Statics show "&x" as x and "&&" as "&" unless they keep the text as it is.
QString StaticShown(const std::string& text, unsigned style) {
    QString s = ToQ(text);
    if (style & (CtlStyle::NoPrefix | CtlStyle::Center | CtlStyle::Right))
        return s;
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size()) {
            out += s[++i];
            continue;
        }
        out += s[i];
    }
    return out;
}

QString ToLf(const std::string& text) {
    QString s = ToQ(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

std::string ToCrLf(QString text) {
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return FromQ(text);
}

Qt::Alignment AlignOf(unsigned style) {
    if (style & CtlStyle::Center)
        return Qt::AlignHCenter;
    if (style & CtlStyle::Right)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

QIcon IconOf(const Image& image) { return QIcon(QPixmap::fromImage(image.impl().image)); }

// A multi-line edit: Ctrl+Enter, on the main keyboard or the keypad, starts a new line as
// Enter does, rather than passing to the dialog (whose default button the keypad's Enter with
// Ctrl would press) or being dropped.
class MultiLineEdit final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool event(QEvent* e) override {
        // No shortcut takes the key away from the edit.
        if (e->type() == QEvent::ShortcutOverride && IsNewLineKey(*static_cast<QKeyEvent*>(e))) {
            e->accept();
            return true;
        }
        return QPlainTextEdit::event(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (!IsNewLineKey(*e)) {
            QPlainTextEdit::keyPressEvent(e);
            return;
        }
        // The key as Enter alone, so that the edit breaks the line as it always does.
        QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ControlModifier, QStringLiteral("\r"),
                        e->isAutoRepeat(), static_cast<ushort>(e->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        e->setAccepted(plain.isAccepted());
    }

private:
    bool IsNewLineKey(const QKeyEvent& e) const {
        const Qt::KeyboardModifiers others = e.modifiers() & ~(Qt::ControlModifier | Qt::KeypadModifier);
        return !isReadOnly() && (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter) &&
               (e.modifiers() & Qt::ControlModifier) && others == Qt::NoModifier;
    }
};

// Sends the focus notifications of edits.
class FocusFilter : public QObject {
public:
    FocusFilter(QWidget* control, NotifySink* sink) : QObject(control), m_sink(sink) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_sink && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
            const auto* fe = static_cast<QFocusEvent*>(event);
            if (fe->reason() != Qt::PopupFocusReason)
                m_sink->Send(ControlId(static_cast<QWidget*>(watched)),
                             event->type() == QEvent::FocusIn ? Notify::SetFocus : Notify::KillFocus);
        }
        return false;
    }

private:
    QPointer<NotifySink> m_sink;
};

} // namespace

bool IsEdit(const QWidget* w) {
    return w && (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w)) &&
           w->property(kKind).isValid();
}

void TellFocusLeaving(QWidget* window, const QWidget* except) {
    QWidget* focus = window ? window->window()->focusWidget() : nullptr;
    if (focus == except || !IsEdit(focus))
        return;
    // The edit reports to the window that made it (a page of a sheet, or the dialog).
    for (QWidget* p = focus->parentWidget(); p; p = p->parentWidget())
        for (QObject* child : p->children())
            if (auto* sink = dynamic_cast<NotifySink*>(child)) {
                sink->Send(ControlId(focus), Notify::KillFocus);
                return;
            }
}

// ---- Sinks, lookup and the factory ----------------------------------------------------

NotifySink::NotifySink(Window& target, QWidget* parent) : QObject(parent), m_target(&target) {}

void NotifySink::Send(int id, int code) {
    if (m_open)
        m_target->EvCommand(id, id, code);
}

NotifySink* SinkFor(Window& window) {
    QWidget* w = WidgetOf(window);
    if (!w)
        return nullptr;
    for (QObject* child : w->children())
        if (auto* sink = dynamic_cast<NotifySink*>(child))
            return sink;
    return new NotifySink(window, w);
}

int ControlId(const QWidget* control) {
    bool ok = false;
    const int id = control->objectName().toInt(&ok);
    return ok ? id : -1;
}

QWidget* FindControl(const QWidget* root, int id) {
    if (!root)
        return nullptr;
    const QString name = QString::number(id);
    if (root->objectName() == name && root->property(kKind).isValid())
        return const_cast<QWidget*>(root);
    for (QWidget* w : root->findChildren<QWidget*>(name))
        if (w->property(kKind).isValid())
            return w;
    return nullptr;
}

QWidget* MakeControl(const DialogItem& item, QWidget* parent) {
    QWidget* w = nullptr;
    switch (item.kind) {
    case ControlKind::Static:
    case ControlKind::StatusBar: {
        auto* l = new QLabel(StaticShown(item.text, item.style), parent);
        l->setAlignment(AlignOf(item.style) | Qt::AlignVCenter);
        l->setTextFormat(Qt::PlainText);
        if (item.kind == ControlKind::StatusBar) {
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            l->setMargin(2);
        } else {
            l->setWordWrap(item.h > 12);
        }
        l->setProperty(kText, ToQ(item.text));
        w = l;
        break;
    }
    case ControlKind::Icon: {
        // The picture of the control's id among the program's bitmaps, else the program's icon.
        auto* l = new QLabel(parent);
        const Image picture = Image::FromResource(item.id);
        QIcon icon = picture.IsNull() ? QApplication::windowIcon() : IconOf(picture);
        if (icon.isNull())
            icon = l->style()->standardIcon(QStyle::SP_MessageBoxInformation);
        l->setPixmap(icon.pixmap(32, 32));
        w = l;
        break;
    }
    case ControlKind::Edit: {
        auto* e = new QLineEdit(ToQ(item.text), parent);
        if (item.textLimit > 0)
            e->setMaxLength(item.textLimit);
        e->setAlignment(AlignOf(item.style) | Qt::AlignVCenter);
        e->setReadOnly(item.style & CtlStyle::ReadOnly);
        w = e;
        break;
    }
    case ControlKind::MultiEdit: {
        auto* e = new MultiLineEdit(parent);
        e->setPlainText(ToLf(item.text));
        e->setLineWrapMode(QPlainTextEdit::NoWrap);
        e->setReadOnly(item.style & CtlStyle::ReadOnly);
        e->setProperty(kLimit, item.textLimit);
        w = e;
        break;
    }
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* b = new QPushButton(ToQ(item.text), parent);
        b->setDefault(item.kind == ControlKind::DefPushButton);
        b->setAutoDefault(true);
        w = b;
        break;
    }
    case ControlKind::GlyphButton: w = new GlyphPushButton(ToQ(item.text), parent); break;
    case ControlKind::CheckBox: w = new QCheckBox(ToQ(item.text), parent); break;
    case ControlKind::RadioButton: {
        auto* r = new QRadioButton(ToQ(item.text), parent);
        r->setAutoExclusive(false);
        w = r;
        break;
    }
    case ControlKind::GroupBox: w = new QGroupBox(ToQ(item.text), parent); break;
    case ControlKind::ComboBox: {
        auto* c = new OwnerComboBox(parent);
        c->setEditable(!(item.style & CtlStyle::DropDownList));
        c->setInsertPolicy(QComboBox::NoInsert);
        if (c->isEditable() && item.textLimit > 0)
            c->lineEdit()->setMaxLength(item.textLimit);
        c->setProperty(kSorted, bool(item.style & CtlStyle::Sorted));
        c->setMaxVisibleItems(12);
        w = c;
        break;
    }
    case ControlKind::ListBox: {
        auto* l = new QListWidget(parent);
        l->setSelectionMode(item.style & CtlStyle::MultipleSel ? QAbstractItemView::MultiSelection
                                                               : QAbstractItemView::SingleSelection);
        l->setProperty(kSorted, bool(item.style & CtlStyle::Sorted));
        l->setUniformItemSizes(true);
        w = l;
        break;
    }
    case ControlKind::ListView:
    case ControlKind::TreeView: {
        auto* t = new QTreeWidget(parent);
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        if (item.kind == ControlKind::ListView) {
            t->setRootIsDecorated(false);
            t->setIconSize(QSize(32, 32));
            t->setColumnCount(0);
        } else {
            t->setHeaderHidden(true);
            t->setColumnCount(1);
        }
        w = t;
        break;
    }
    }
    w->setObjectName(QString::number(item.id));
    w->setProperty(kKind, static_cast<int>(item.kind));
    w->setProperty(kStyle, item.style);
    if (item.style & CtlStyle::Disabled)
        w->setEnabled(false);
    if (item.style & CtlStyle::Hidden)
        w->setVisible(false);
    return w;
}

void ConnectNotifications(QWidget* w, NotifySink* sink) {
    const int id = ControlId(w);
    if (!sink || id < 0)
        return;
    QPointer<NotifySink> s(sink);
    auto send = [s, id](int code) {
        if (s)
            s->Send(id, code);
    };
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        QObject::connect(e, &QLineEdit::textChanged, e, [send] { send(Notify::Change); });
        e->installEventFilter(new FocusFilter(e, sink));
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        QObject::connect(m, &QPlainTextEdit::textChanged, m, [send, m] {
            const int limit = m->property(kLimit).toInt();
            if (limit > 0 && !m->property(kProgram).toBool() && m->document()->characterCount() - 1 > limit) {
                const QSignalBlocker block(m);
                m->setPlainText(m->toPlainText().left(limit));
                m->moveCursor(QTextCursor::End);
            }
            send(Notify::Change);
        });
        m->installEventFilter(new FocusFilter(m, sink));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        QObject::connect(b, &QAbstractButton::clicked, b, [s, id, b] {
            if (!s)
                return;
            // Enter presses the default button without moving the focus: the edit that has
            // it is told that it loses it first, as a click with the mouse would.
            if (id == DialogResult::Ok || (id >= SheetButton::ApplyId && id <= SheetButton::FinishId))
                TellFocusLeaving(b, b);
            if (s)
                RunGuarded([&s, id] { s->Send(id, Notify::Clicked); });
        });
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        QObject::connect(c, &QComboBox::activated, c, [send] { send(Notify::SelChange); });
        if (c->isEditable())
            QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c, [send] { send(Notify::EditChange); });
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        QObject::connect(l, &QListWidget::itemSelectionChanged, l, [send] { send(Notify::SelChange); });
        QObject::connect(l, &QListWidget::itemDoubleClicked, l, [send] { send(Notify::DblClk); });
    } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        if (KindOf(t) == ControlKind::ListView) {
            // A click makes the row current before it selects it: the list view reports once
            // the row is selected, so that its handler reads the clicked row, as arrow keys
            // and program code (which do both at once) already had it.
            QObject::connect(t, &QTreeWidget::itemSelectionChanged, t, [send] { send(Notify::ItemChanged); });
        } else {
            QObject::connect(t, &QTreeWidget::currentItemChanged, t, [send] { send(Notify::TreeSelChanged); });
        }
    }
}

// ---- Owner drawing ----------------------------------------------------------------------

void PaintOwnerItem(QPainter& painter, const OwnerDrawFn& draw, const DrawItem& item) {
    if (!draw || item.rect.IsEmpty())
        return;
    painter.save();
    painter.setClipRect(ToQ(item.rect), Qt::IntersectClip);
    {
        const std::unique_ptr<DC> dc = MakePainterDC(painter, ScreenCaps());
        draw(*dc, item);
    }
    painter.restore();
}

OwnerDrawDelegate::OwnerDrawDelegate(OwnerDrawFn draw, int itemHeight, QObject* parent)
    : QStyledItemDelegate(parent), m_draw(std::move(draw)), m_height(itemHeight) {}

void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    if (!m_draw) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    DrawItem item;
    item.index = index.row();
    item.rect = FromQ(option.rect);
    item.selected = option.state & QStyle::State_Selected;
    item.focused = option.state & QStyle::State_HasFocus;
    item.disabled = !(option.state & QStyle::State_Enabled);
    item.text = FromQ(index.data(Qt::DisplayRole).toString());
    item.data = index.data(Qt::UserRole).toLongLong();
    PaintOwnerItem(*painter, m_draw, item);
}

QSize OwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (m_height > 0)
        size.setHeight(m_height);
    return size;
}

void OwnerComboBox::paintEvent(QPaintEvent* event) {
    auto* delegate = dynamic_cast<OwnerDrawDelegate*>(itemDelegate());
    if (!delegate || !delegate->Draw()) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    DrawItem item;
    item.index = currentIndex();
    item.rect = FromQ(style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this));
    item.selected = hasFocus();
    item.focused = hasFocus();
    item.disabled = !isEnabled();
    item.comboEdit = true;
    if (item.index >= 0) {
        item.text = FromQ(itemText(item.index));
        item.data = itemData(item.index).toLongLong();
    }
    PaintOwnerItem(painter, delegate->Draw(), item);
}

void GlyphPushButton::SetGlyphs(const QIcon& up, const QIcon& down) {
    m_up = up;
    m_down = down;
    setIcon(m_up);
}

void GlyphPushButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    if ((isDown() || isChecked()) && !m_down.isNull())
        opt.icon = m_down;
    painter.drawControl(QStyle::CE_PushButton, opt);
}

// ---- Control -----------------------------------------------------------------------------

struct Control::Impl {
    QPointer<QWidget> widget;
    Dialog* owner = nullptr;
    bool selfMade = false;
    DialogItem item;
    Rect place;
};

Control::Control(Window& parent, int id) : m_parent(parent), m_id(id), m_impl(std::make_unique<Impl>()) {
    if (auto* dialog = dynamic_cast<Dialog*>(&parent)) {
        m_impl->owner = dialog;
        dialog->Register(this);
    }
}

Control::Control(Window& parent, int id, ControlKind kind, const std::string& text, const Rect& place,
                 unsigned style)
    : m_parent(parent), m_id(id), m_impl(std::make_unique<Impl>()) {
    m_impl->selfMade = true;
    m_impl->item.id = id;
    m_impl->item.kind = kind;
    m_impl->item.text = text;
    m_impl->item.style = style;
    m_impl->place = place;
}

Control::~Control() {
    if (m_impl->owner)
        m_impl->owner->Unregister(this);
    if (m_impl->widget) {
        if (m_impl->selfMade) {
            delete m_impl->widget.data();
        } else if (auto* view = qobject_cast<QAbstractItemView*>(m_impl->widget.data())) {
            // The drawing function may refer to this object's owner, which is going.
            if (auto* d = dynamic_cast<OwnerDrawDelegate*>(view->itemDelegate()))
                d->SetDraw(nullptr);
        } else if (auto* combo = qobject_cast<QComboBox*>(m_impl->widget.data())) {
            if (auto* d = dynamic_cast<OwnerDrawDelegate*>(combo->itemDelegate()))
                d->SetDraw(nullptr);
        }
    }
}

void Control::Create() {
    if (m_impl->widget || !m_impl->selfMade)
        return;
    QWidget* parent = WidgetOf(m_parent);
    if (!parent)
        return;
    NotifySink* sink = SinkFor(m_parent);
    m_impl->item.textLimit = 0;
    QWidget* w = MakeControl(m_impl->item, parent);
    w->setGeometry(ToQ(m_impl->place));
    ConnectNotifications(w, sink);
    m_impl->widget = w;
    if (!(m_impl->item.style & CtlStyle::Hidden))
        w->show();
    Attach();
}

void Control::Orphan() { m_impl->owner = nullptr; }

bool Control::IsCreated() const {
    if (!m_impl->widget && !m_impl->selfMade)
        m_impl->widget = FindControl(WidgetOf(m_parent), m_id);
    return !m_impl->widget.isNull();
}

void Control::Attach() {
    if (!m_impl->selfMade)
        m_impl->widget = FindControl(WidgetOf(m_parent), m_id);
    if (m_impl->widget)
        Attached();
}

QWidget* ControlWidget(const Control& c) { return c.IsCreated() ? c.impl().widget.data() : nullptr; }

namespace {
QWidget* W(const Control& c) { return ControlWidget(c); }
} // namespace

std::string WidgetText(const QWidget* w) {
    if (!w)
        return {};
    if (auto* l = qobject_cast<const QLabel*>(w))
        return FromQ(l->property(kText).toString());
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return FromQ(e->text());
    if (auto* m = qobject_cast<const QPlainTextEdit*>(w))
        return ToCrLf(m->toPlainText());
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return FromQ(b->text());
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return FromQ(g->title());
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return FromQ(c->currentText());
    if (auto* l = qobject_cast<const QListWidget*>(w))
        return l->currentItem() ? FromQ(l->currentItem()->text()) : std::string();
    if (auto* t = qobject_cast<const QTreeWidget*>(w))
        return t->currentItem() ? FromQ(t->currentItem()->text(0)) : std::string();
    return FromQ(w->windowTitle());
}

void SetWidgetText(QWidget* w, const std::string& text, NotifySink* sink) {
    if (!w)
        return;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setProperty(kText, ToQ(text));
        const unsigned style = l->property(kStyle).toUInt();
        l->setText(StaticShown(text, KindOf(l) == ControlKind::StatusBar ? CtlStyle::NoPrefix : style));
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        // The text limit holds for typing only: text set by program code is kept whole.
        const QString q = ToQ(text);
        if (q.size() > e->maxLength())
            e->setMaxLength(static_cast<int>(q.size()));
        // Setting an edit's text reports a change even when the text stays the same.
        if (e->text() == q) {
            if (sink)
                sink->Send(ControlId(w), Notify::Change);
        } else {
            e->setText(q);
        }
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        const QString q = ToLf(text);
        if (m->toPlainText() == q) {
            if (sink)
                sink->Send(ControlId(w), Notify::Change);
        } else {
            m->setProperty(kProgram, true);
            m->setPlainText(q);
            m->setProperty(kProgram, false);
        }
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(ToQ(text));
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(ToQ(text));
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable())
            c->setEditText(ToQ(text));
        else
            c->setCurrentIndex(c->findText(ToQ(text)));
    }
}

std::string Control::GetText() const { return WidgetText(W(*this)); }

void Control::SetText(const std::string& text) {
    if (QWidget* w = W(*this))
        SetWidgetText(w, text, SinkFor(m_parent));
}

void Control::Enable(bool enable) {
    if (QWidget* w = W(*this))
        w->setEnabled(enable);
}
bool Control::IsEnabled() const {
    QWidget* w = W(*this);
    return w && w->isEnabled();
}
void Control::Show(bool visible) {
    if (QWidget* w = W(*this))
        w->setVisible(visible);
}
bool Control::IsVisible() const {
    QWidget* w = W(*this);
    return w && !w->isHidden();
}
void Control::SetFocus() {
    if (QWidget* w = W(*this))
        w->setFocus(Qt::OtherFocusReason);
}
void Control::MoveWindow(const Rect& place) {
    m_impl->place = place;
    if (QWidget* w = W(*this))
        w->setGeometry(ToQ(place));
}
Rect Control::GetPlace() const {
    QWidget* w = W(*this);
    return w ? FromQ(w->geometry()) : m_impl->place;
}
Image Control::GetPicture() const {
    QWidget* w = W(*this);
    if (!w)
        return Image();
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    Image out(1, 1);
    out.impl().image = shot;
    out.impl().scale = std::max(1, static_cast<int>(std::lround(shot.devicePixelRatio())));
    return out;
}

void Control::SetFont(const LogFont& font) {
    if (QWidget* w = W(*this))
        w->setFont(ToQFont(font));
}

// ---- Edit --------------------------------------------------------------------------------

Edit::Edit(Window& parent, int id, int textLimit) : Control(parent, id), m_limit(textLimit) {
    if (IsCreated())
        Attached();
}

Edit::Edit(Window& parent, int id, const std::string& text, const Rect& place, int textLimit, bool multiLine,
           unsigned style)
    : Control(parent, id, multiLine ? ControlKind::MultiEdit : ControlKind::Edit, text, place, style),
      m_limit(textLimit) {}

void Edit::Attached() {
    // Without a limit of its own the template's stays.
    if (m_limit > 0)
        SetTextLimit(m_limit);
    if (!m_tabStops.empty())
        SetTabStops(m_tabStops);
}

void Edit::SetTextLimit(int limit) {
    m_limit = limit;
    QWidget* w = W(*this);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setMaxLength(limit > 0 ? limit : 32767);
    else if (w)
        w->setProperty(kLimit, limit);
}

void Edit::SetTabStops(const std::vector<int>& dialogUnits) {
    m_tabStops = dialogUnits;
    auto* m = qobject_cast<QPlainTextEdit*>(W(*this));
    if (!m || dialogUnits.empty())
        return;
    // Tab stops at equal distances: the first one gives the distance.
    double baseX = 6, baseY = 13;
    DialogBaseUnits(m->font(), baseX, baseY);
    m->setTabStopDistance(std::max(1.0, dialogUnits.front() * baseX / 4));
}

void Edit::SetSelection(int start, int end) {
    QWidget* w = W(*this);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        const int n = static_cast<int>(e->text().size());
        start = std::clamp(start, 0, n);
        end = end < 0 ? n : std::clamp(end, start, n);
        e->setSelection(start, end - start);
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        // Positions count CR LF as two characters, as the text is read.
        const QString text = m->toPlainText();
        auto toDoc = [&text](int pos) {
            int doc = 0, crlf = 0;
            for (; doc < text.size() && crlf < pos; ++doc)
                crlf += text[doc] == '\n' ? 2 : 1;
            return doc;
        };
        const int n = static_cast<int>(text.size());
        const int s = std::clamp(toDoc(std::max(0, start)), 0, n);
        const int last = end < 0 ? n : std::clamp(toDoc(end), s, n);
        QTextCursor cursor = m->textCursor();
        cursor.setPosition(s);
        cursor.setPosition(last, QTextCursor::KeepAnchor);
        m->setTextCursor(cursor);
    }
}

void Edit::GetSelection(int& start, int& end) const {
    start = end = 0;
    QWidget* w = W(*this);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->hasSelectedText()) {
            start = static_cast<int>(e->selectionStart());
            end = start + static_cast<int>(e->selectedText().size());
        } else {
            start = end = static_cast<int>(e->cursorPosition());
        }
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        const QString text = m->toPlainText();
        auto toCrLf = [&text](int pos) {
            int out = 0;
            for (int i = 0; i < pos && i < text.size(); ++i)
                out += text[i] == '\n' ? 2 : 1;
            return out;
        };
        start = toCrLf(m->textCursor().selectionStart());
        end = toCrLf(m->textCursor().selectionEnd());
    }
}

void Edit::ReplaceSelection(const std::string& text) {
    QWidget* w = W(*this);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->insert(ToQ(text));
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        QTextCursor cursor = m->textCursor();
        cursor.insertText(ToLf(text));
        m->setTextCursor(cursor);
    }
}

void Edit::Copy() {
    QWidget* w = W(*this);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (e->hasSelectedText())
            Clipboard::SetText(FromQ(e->selectedText()));
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        QString text = m->textCursor().selectedText();
        if (text.isEmpty())
            return;
        text.replace(QChar::ParagraphSeparator, '\n');
        Clipboard::SetText(ToCrLf(text));
    }
}

int Edit::GetLineCount() const {
    QWidget* w = W(*this);
    if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        return m->document()->blockCount();
    return w ? 1 : 0;
}

// ---- Buttons -----------------------------------------------------------------------------

void Button::SetDefault(bool isDefault) {
    if (auto* b = qobject_cast<QPushButton*>(W(*this)))
        b->setDefault(isDefault);
}

int CheckBox::GetCheck() const {
    auto* b = qobject_cast<QAbstractButton*>(W(*this));
    return b && b->isChecked() ? Check::Checked : Check::Unchecked;
}

void CheckBox::SetCheck(int state) {
    auto* b = qobject_cast<QAbstractButton*>(W(*this));
    if (!b)
        return;
    // A radio button of an exclusive group can be unchecked by program code too.
    QButtonGroup* group = b->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive && state == Check::Unchecked)
        group->setExclusive(false);
    b->setChecked(state != Check::Unchecked);
    if (exclusive && state == Check::Unchecked)
        group->setExclusive(true);
}

GlyphButton::GlyphButton(Window& parent, int id, const std::string& text, const Rect& place, bool isDefault)
    : Control(parent, id, ControlKind::GlyphButton, text, place), m_default(isDefault) {}

void GlyphButton::Attached() {
    auto* b = static_cast<GlyphPushButton*>(W(*this));
    b->setDefault(m_default);
    b->SetGlyphs(m_up ? IconOf(*m_up) : QIcon(), m_down ? IconOf(*m_down) : QIcon());
    if (m_up)
        b->setIconSize(QSize(m_up->Width(), m_up->Height()));
    b->setCheckable(m_latched);
    b->setChecked(m_latched);
}

void GlyphButton::SetLatched(bool latched) {
    m_latched = latched;
    if (IsCreated())
        Attached();
}

void GlyphButton::SetGlyph(const Image& up) {
    m_up = std::make_unique<Image>(up);
    if (IsCreated())
        Attached();
}

void GlyphButton::SetPressedGlyph(const Image& down) {
    m_down = std::make_unique<Image>(down);
    if (IsCreated())
        Attached();
}

bool GlyphButton::IsPressed() const {
    auto* b = qobject_cast<QAbstractButton*>(W(*this));
    return b && b->isDown();
}

} // namespace plat
