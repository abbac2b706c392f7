#include "platform/Dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>

#include "platform/DriverExtras.h"
#include "platform/PropertySheet.h"
#include "platform/qt/QtConvert.h"
#include "platform/Ui.h"
#include "platform/qt/WindowHost.h"
#include "platform/qt/DialogHost.h"

namespace plat {

// ---- Host and dialog units ---------------------------------------------------------------

DialogHost::DialogHost(Dialog& owner, QWidget* parent) : QDialog(parent), m_owner(&owner) {
    setModal(true);
}

void DialogHost::reject() {
    if (m_owner)
        m_owner->EvCommand(DialogResult::Cancel, DialogResult::Cancel, Notify::Clicked);
}

void DialogHost::accept() {
    if (!m_owner)
        return;
    TellFocusLeaving(this, nullptr);
    if (m_owner && m_owner->IsRunning())
        m_owner->EvCommand(DialogResult::Ok, DialogResult::Ok, Notify::Clicked);
}

QFont TemplateFont(const std::string& face, int pointSize) {
    QFont font(MapFontFace(face));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    return font;
}

void DialogBaseUnits(const QFont& font, double& baseX, double& baseY) {
    const QFontMetrics m(font);
    const int width = m.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX = std::max(1.0, width / 52.0);
    baseY = std::max(1, m.height());
}

int RunLiveDialog(Dialog& dialog) {
    DialogHost* host = dialog.dialogImpl().host;
    if (!host)
        return DialogResult::Cancel;
    host->exec();
    return dialog.GetResult();
}

// ---- Building ----------------------------------------------------------------------------

namespace {

bool IsBottomButton(const DialogItem& item) {
    return (item.kind == ControlKind::PushButton || item.kind == ControlKind::DefPushButton) &&
           (item.id == DialogResult::Ok || item.id == DialogResult::Cancel || item.id == DialogResult::Help);
}

// Radio buttons that follow one another form a group; a Group style starts a new one.
class RadioGroups {
public:
    explicit RadioGroups(QObject* owner) : m_owner(owner) {}
    void Add(const DialogItem& item, QWidget* w) {
        if (item.kind != ControlKind::RadioButton) {
            m_previousRadio = false;
            return;
        }
        if (!m_group || !m_previousRadio || (item.style & CtlStyle::Group)) {
            m_group = new QButtonGroup(m_owner);
            m_group->setExclusive(true);
        }
        m_group->addButton(static_cast<QAbstractButton*>(w));
        m_previousRadio = true;
    }

private:
    QObject* m_owner;
    QButtonGroup* m_group = nullptr;
    bool m_previousRadio = false;
};

// Lists and multi-line edits of a laid-out dialog get a few rows' height (their own wish is
// large); a dialog with a sizing border lets them grow.
void GiveRows(QWidget* w, ControlKind kind, bool sizing) {
    const int line = w->fontMetrics().height();
    int height = 0;
    switch (kind) {
    case ControlKind::MultiEdit: height = 6 * line; break;
    case ControlKind::ListBox: height = 7 * (line + 2); break;
    case ControlKind::TreeView: height = 8 * (line + 4); break;
    case ControlKind::ListView: height = 4 * 36 + line + 10; break;
    default: return;
    }
    w->setMinimumHeight(height + 6);
    if (!sizing)
        w->setMaximumHeight(height + 6);
}

struct GridCursor {
    QGridLayout* grid = nullptr;
    int row = -1;
    int col = 0;
};

} // namespace

void Dialog::Build(void* pageParent) {
    DialogImpl& d = *m_dialog;
    auto* parentWidget = static_cast<QWidget*>(pageParent);
    if (!parentWidget) {
        QWidget* owner = m_parent ? WidgetOf(*m_parent) : nullptr;
        owner = owner ? owner->window() : QApplication::activeWindow();
        d.host = new DialogHost(*this, owner);
        d.host->setWindowTitle(ToQ(m_template.caption));
        parentWidget = d.host;
    }
    auto* client = new WindowWidget(*this, parentWidget);
    impl().widget = client;
    SetBackgroundColor(FromQ(client->palette().color(QPalette::Window)));
    d.sink = new NotifySink(*this, client);
    d.sink->SetOpen(false);
    d.font = TemplateFont(m_template.fontFace, m_template.pointSize);
    DialogBaseUnits(d.font, d.baseX, d.baseY);

    std::vector<QWidget*> made;
    RadioGroups radios(client);
    if (m_template.IsPlaced()) {
        client->setFont(d.font);
        const Rect size = MapDialogRect(Rect{0, 0, m_template.width, m_template.height});
        client->setFixedSize(size.Width(), size.Height());
        for (const DialogItem& item : m_template.items) {
            QWidget* w = MakeControl(item, client);
            Rect place = MapDialogRect(Rect{item.x, item.y, item.x + item.w, item.y + item.h});
            // A combo box's height in a template includes its list.
            if (qobject_cast<QComboBox*>(w))
                place.bottom = place.top + w->sizeHint().height();
            w->setGeometry(ToQ(place));
            radios.Add(item, w);
            made.push_back(w);
        }
    } else {
        auto* outer = new QVBoxLayout(client);
        GridCursor top{new QGridLayout, -1, 0};
        outer->addLayout(top.grid);
        GridCursor group;
        QWidget* groupBox = nullptr;
        QHBoxLayout* bottom = nullptr;
        const auto& items = m_template.items;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const DialogItem& item = items[i];
            if (item.endGroup) {
                groupBox = nullptr;
                continue;
            }
            if (item.kind == ControlKind::GroupBox) {
                auto* box = static_cast<QGroupBox*>(MakeControl(item, client));
                top.grid->addWidget(box, ++top.row, 0, 1, -1);
                top.col = 0;
                group = GridCursor{new QGridLayout(box), -1, 0};
                groupBox = box;
                radios.Add(item, box);
                made.push_back(box);
                continue;
            }
            if (!groupBox && IsBottomButton(item)) {
                if (!bottom) {
                    bottom = new QHBoxLayout;
                    bottom->addStretch(1);
                    outer->addStretch(1);
                    outer->addLayout(bottom);
                }
                QWidget* w = MakeControl(item, client);
                bottom->addWidget(w);
                made.push_back(w);
                continue;
            }
            GridCursor& at = groupBox ? group : top;
            QWidget* w = MakeControl(item, groupBox ? groupBox : client);
            GiveRows(w, item.kind, m_template.sizing);
            const bool button = item.kind == ControlKind::PushButton || item.kind == ControlKind::DefPushButton;
            const bool spanRest = i + 1 >= items.size() || !items[i + 1].beside;
            if (!item.beside || at.row < 0) {
                ++at.row;
                at.col = 0;
                if (!item.label.empty()) {
                    auto* label = new QLabel(ToQ(item.label), w->parentWidget());
                    label->setBuddy(w);
                    at.grid->addWidget(label, at.row, at.col++);
                }
            }
            if (spanRest && !button)
                at.grid->addWidget(w, at.row, at.col, 1, -1);
            else if (spanRest)
                at.grid->addWidget(w, at.row, at.col, 1, -1, Qt::AlignLeft);
            else
                at.grid->addWidget(w, at.row, at.col);
            ++at.col;
            radios.Add(item, w);
            made.push_back(w);
        }
        if (!bottom)
            outer->addStretch(1);
    }
    for (QWidget* w : made)
        ConnectNotifications(w, d.sink);
    if (d.host) {
        auto* layout = new QVBoxLayout(d.host);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(client);
        if (!m_template.sizing)
            layout->setSizeConstraint(QLayout::SetFixedSize);
    }
    for (Control* c : m_controls)
        c->Attach();
    m_result = 0;
    d.running = true;
    d.sink->SetOpen(true);
    SetupWindow();
}

// ---- Dialog ------------------------------------------------------------------------------

Dialog::Dialog(Window* parent, DialogTemplate tmpl)
    : m_parent(parent), m_template(std::move(tmpl)), m_dialog(std::make_unique<DialogImpl>()) {}

Dialog::~Dialog() {
    Destroy();
    for (Control* c : m_controls)
        c->Orphan();
}

void Dialog::Register(Control* control) { m_controls.push_back(control); }
void Dialog::Unregister(Control* control) { std::erase(m_controls, control); }

void Dialog::CreateDialog() {
    if (!IsCreated())
        Build(nullptr);
}

void Dialog::Destroy() {
    DialogImpl& d = *m_dialog;
    if (d.sink)
        d.sink->SetOpen(false);
    d.running = false;
    if (auto* w = static_cast<WindowWidget*>(impl().widget.data()))
        w->Detach();
    if (d.host) {
        d.host->Detach();
        d.host->hide();
        delete d.host.data();
    } else {
        delete impl().widget.data();
    }
}

int Dialog::Execute() {
    ModalScope modal;
    CreateDialog();
    struct Closer {
        Dialog& dialog;
        ~Closer() { dialog.Destroy(); }
    } closer{*this};
    GetUi().RunDialog(*this);
    if (IsRunning())
        EndDialog(DialogResult::Cancel);
    return m_result;
}

bool Dialog::IsRunning() const { return m_dialog->running && IsCreated(); }

void Dialog::CloseWindow(int result) {
    if (!IsRunning())
        return;
    if (result == DialogResult::Ok && !CanClose())
        return;
    EndDialog(result);
}

void Dialog::EndDialog(int result) {
    DialogImpl& d = *m_dialog;
    m_result = result;
    d.running = false;
    if (d.sink)
        d.sink->SetOpen(false);
    if (d.host)
        d.host->done(result);
}

void Dialog::CmOk() { CloseWindow(DialogResult::Ok); }
void Dialog::CmCancel() { CloseWindow(DialogResult::Cancel); }

bool Dialog::EvCommand(int id, int, int notifyCode) {
    if (notifyCode == Notify::Clicked) {
        if (const CommandHandler* h = FindHandler(id)) {
            const CommandHandler run = *h;
            run();
            return true;
        }
    }
    if (auto it = m_notify.find({id, notifyCode}); it != m_notify.end()) {
        const std::function<void()> run = it->second;
        run();
        return true;
    }
    if (notifyCode == Notify::Clicked && id == DialogResult::Ok) {
        CmOk();
        return true;
    }
    if (notifyCode == Notify::Clicked && id == DialogResult::Cancel) {
        CmCancel();
        return true;
    }
    return false;
}

void Dialog::AddNotifyTable(std::initializer_list<NotifyEntry> entries) {
    for (const NotifyEntry& e : entries)
        m_notify.insert_or_assign(std::pair{e.id, e.code}, e.handler);
}

std::string Dialog::GetCaption() const {
    return m_dialog->host ? FromQ(m_dialog->host->windowTitle()) : m_template.caption;
}

void Dialog::SetCaption(const std::string& caption) {
    m_template.caption = caption;
    if (m_dialog->host)
        m_dialog->host->setWindowTitle(ToQ(caption));
}

namespace {
QWidget* Item(const Dialog& d, int id) { return FindControl(WidgetOf(d), id); }
} // namespace

bool Dialog::HasItem(int id) const { return Item(*this, id) != nullptr; }
std::string Dialog::GetItemText(int id) const { return WidgetText(Item(*this, id)); }
void Dialog::SetItemText(int id, const std::string& text) { SetWidgetText(Item(*this, id), text, m_dialog->sink); }

int Dialog::IsItemChecked(int id) const {
    auto* b = qobject_cast<QAbstractButton*>(Item(*this, id));
    return b && b->isChecked() ? Check::Checked : Check::Unchecked;
}

void Dialog::CheckItem(int id, int state) {
    auto* b = qobject_cast<QAbstractButton*>(Item(*this, id));
    if (!b)
        return;
    QButtonGroup* group = b->group();
    const bool exclusive = group && group->exclusive() && state == Check::Unchecked;
    if (exclusive)
        group->setExclusive(false);
    b->setChecked(state != Check::Unchecked);
    if (exclusive)
        group->setExclusive(true);
}

void Dialog::EnableItem(int id, bool enable) {
    if (QWidget* w = Item(*this, id))
        w->setEnabled(enable);
}
bool Dialog::IsItemEnabled(int id) const {
    QWidget* w = Item(*this, id);
    return w && w->isEnabled();
}
void Dialog::ShowItem(int id, bool visible) {
    if (QWidget* w = Item(*this, id))
        w->setVisible(visible);
}
bool Dialog::IsItemVisible(int id) const {
    QWidget* w = Item(*this, id);
    return w && !w->isHidden();
}
void Dialog::SetItemFocus(int id) {
    if (QWidget* w = Item(*this, id))
        w->setFocus(Qt::OtherFocusReason);
}

void Dialog::SelectItemText(int id) {
    QWidget* w = Item(*this, id);
    if (!w)
        return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->selectAll();
    else if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit())
        c->lineEdit()->selectAll();
    else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
        m->selectAll();
}

Rect Dialog::GetItemRect(int id) const {
    QWidget* w = Item(*this, id);
    QWidget* client = WidgetOf(*this);
    if (!w || !client)
        return Rect{};
    const QPoint topLeft = w->mapTo(client, QPoint(0, 0));
    return Rect{topLeft.x(), topLeft.y(), topLeft.x() + w->width(), topLeft.y() + w->height()};
}

Rect Dialog::MapDialogRect(const Rect& du) const {
    const DialogImpl& d = *m_dialog;
    auto x = [&d](int v) { return static_cast<int>(std::lround(v * d.baseX / 4)); };
    auto y = [&d](int v) { return static_cast<int>(std::lround(v * d.baseY / 8)); };
    return Rect{x(du.left), y(du.top), x(du.right), y(du.bottom)};
}

// ---- Driver ------------------------------------------------------------------------------

namespace {

std::string NameOf(const Window& window) {
    const auto* dialog = dynamic_cast<const Dialog*>(&window);
    return dialog ? "dialog \"" + dialog->GetCaption() + "\"" : std::string("window");
}

[[noreturn]] void Fail(const Window& window, int id, const char* what) {
    throw std::logic_error(NameOf(window) + ": control " + std::to_string(id) + " " + what);
}

DialogHost* HostOf(const Window& window) {
    const auto* dialog = dynamic_cast<const Dialog*>(&window);
    return dialog ? dialog->dialogImpl().host.data() : nullptr;
}

QWidget* Find(const Window& d, int id) {
    if (const auto* sheet = dynamic_cast<const PropertySheet*>(&d); sheet && sheet->GetCurrentPage() >= 0)
        if (QWidget* w = FindControl(WidgetOf(sheet->GetPage(sheet->GetCurrentPage())), id))
            return w;
    QWidget* root = HostOf(d) ? static_cast<QWidget*>(HostOf(d)) : WidgetOf(d);
    QWidget* w = FindControl(root, id);
    if (!w)
        Fail(d, id, "does not exist");
    return w;
}

QWidget* Usable(const Window& d, int id) {
    QWidget* w = Find(d, id);
    if (!w->isEnabled())
        Fail(d, id, "is disabled");
    if (!w->isVisibleTo(w->window()))
        Fail(d, id, "is hidden");
    return w;
}

// Moves the focus as a click would. Without an active window Qt sends no focus events, so
// they are sent here.
void MoveFocus(QWidget* w) {
    QWidget* window = w->window();
    QWidget* old = window->focusWidget();
    if (old == w || w->focusPolicy() == Qt::NoFocus)
        return;
    const bool active = window->isActiveWindow();
    w->setFocus(Qt::MouseFocusReason);
    if (active)
        return;
    if (old) {
        QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(old, &out);
    }
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(w, &in);
}

QLineEdit* EditField(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e;
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->lineEdit();
    return nullptr;
}

PropertySheet& SheetOf(Window& d) {
    auto* sheet = dynamic_cast<PropertySheet*>(&d);
    if (!sheet)
        throw std::logic_error(NameOf(d) + " has no pages");
    return *sheet;
}

} // namespace

void DialogDriver::Show() {
    if (DialogHost* host = HostOf(m_window)) {
        host->show();
        host->activateWindow();
        QCoreApplication::processEvents();
    }
}

void DialogDriver::Focus(int id) { MoveFocus(Usable(m_window, id)); }

void DialogDriver::Type(int id, const std::string& text) {
    QWidget* w = Usable(m_window, id);
    MoveFocus(w);
    if (QLineEdit* e = EditField(w)) {
        if (e->isReadOnly())
            Fail(m_window, id, "is read-only");
        e->selectAll();
        e->insert(ToQ(text));
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        if (m->isReadOnly())
            Fail(m_window, id, "is read-only");
        m->selectAll();
        QString lf = ToQ(text);
        lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        m->insertPlainText(lf);
    } else {
        Fail(m_window, id, "takes no typing");
    }
}

void DialogDriver::Click(int id) {
    auto* b = qobject_cast<QAbstractButton*>(Usable(m_window, id));
    if (!b)
        Fail(m_window, id, "is not a button");
    MoveFocus(b);
    if (!Ended())
        b->click();
}

void DialogDriver::Select(int id, int index) {
    QWidget* w = Usable(m_window, id);
    MoveFocus(w);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (index < 0 || index >= c->count())
            Fail(m_window, id, "has no such item");
        c->setCurrentIndex(index);
        emit c->activated(index);
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        if (index < 0 || index >= l->count())
            Fail(m_window, id, "has no such item");
        if (l->selectionMode() == QAbstractItemView::MultiSelection)
            l->item(index)->setSelected(!l->item(index)->isSelected());
        else
            l->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        if (index < 0 || index >= t->topLevelItemCount())
            Fail(m_window, id, "has no such item");
        t->setCurrentItem(t->topLevelItem(index));
    } else {
        Fail(m_window, id, "has no items");
    }
}

void DialogDriver::SelectString(int id, const std::string& text) {
    const std::vector<std::string> items = Items(id);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) {
            Select(id, static_cast<int>(i));
            return;
        }
    Fail(m_window, id, ("has no item \"" + text + "\"").c_str());
}

void DialogDriver::DoubleClick(int id, int index) {
    Select(id, index);
    if (auto* l = qobject_cast<QListWidget*>(Find(m_window, id)))
        emit l->itemDoubleClicked(l->item(index));
}

void DialogDriver::SelectTreeItem(int id, const std::string& text) {
    auto* t = qobject_cast<QTreeWidget*>(Usable(m_window, id));
    if (!t)
        Fail(m_window, id, "is not a tree");
    const auto found = t->findItems(ToQ(text), Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        Fail(m_window, id, ("has no item \"" + text + "\"").c_str());
    MoveFocus(t);
    t->setCurrentItem(found.front());
}

void DialogDriver::ClickItem(int id, int index) {
    QWidget* w = Usable(m_window, id);
    QAbstractItemView* view = qobject_cast<QAbstractItemView*>(w);
    QModelIndex row;
    if (auto* l = qobject_cast<QListWidget*>(w); l && index >= 0 && index < l->count())
        row = l->model()->index(index, 0);
    else if (auto* t = qobject_cast<QTreeWidget*>(w); t && index >= 0 && index < t->topLevelItemCount())
        row = t->model()->index(index, 0);
    if (!view || !row.isValid())
        Fail(m_window, id, "has no such row to click");
    MoveFocus(w);
    view->scrollTo(row);
    const QPointF at = QRectF(view->visualRect(row)).center();
    QWidget* target = view->viewport();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &e);
    }
}

void DialogDriver::PressKey(int id, int key) {
    QWidget* w = Usable(m_window, id);
    if (key != VKey::Up && key != VKey::Down && key != VKey::Home && key != VKey::End && key != VKey::PageUp &&
        key != VKey::PageDown)
        Fail(m_window, id, "is given a key the driver does not press");
    const int qtKey = QtKeyOf(key);
    MoveFocus(w);
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent e(type, qtKey, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
}

namespace {
void SendMouse(QWidget* w, QEvent::Type type, bool inside) {
    const QPointF at = inside ? QPointF(w->width() / 2.0, w->height() / 2.0) : QPointF(-10, -10);
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
} // namespace

void DialogDriver::MouseDown(int id) {
    QWidget* w = Usable(m_window, id);
    MoveFocus(w);
    SendMouse(w, QEvent::MouseButtonPress, true);
}

void DialogDriver::MouseUp(int id, bool inside) { SendMouse(Find(m_window, id), QEvent::MouseButtonRelease, inside); }

void DialogDriver::PressEnter() {
    DialogHost* root = HostOf(m_window);
    if (!root)
        return;
    for (QPushButton* b : root->findChildren<QPushButton*>())
        if (b->isDefault() && b->isVisibleTo(root) && b->isEnabled()) {
            b->click();
            return;
        }
    root->accept();
}

void DialogDriver::PressEscape() {
    if (DialogHost* host = HostOf(m_window))
        host->reject();
}

void DialogDriver::Key(int vkey, unsigned modifiers) {
    QWidget* root = HostOf(m_window) ? static_cast<QWidget*>(HostOf(m_window)) : WidgetOf(m_window);
    if (!root)
        return;
    if (vkey != VKey::Return && vkey != VKey::Escape && vkey != VKey::Tab)
        throw std::logic_error(NameOf(m_window) + ": no key " + std::to_string(vkey));
    const bool keypad = (modifiers & OnKeypad) != 0;
    if (keypad && vkey != VKey::Return)
        throw std::logic_error(NameOf(m_window) + ": the keypad has no key " + std::to_string(vkey));
    const bool ctrl = (modifiers & ControlHeld) != 0, shift = (modifiers & ShiftHeld) != 0;
    // Tab with Shift arrives as the back-tab key, as the desktop sends it.
    const int key = keypad ? Qt::Key_Enter : vkey == VKey::Tab && shift ? Qt::Key_Backtab : QtKeyOf(vkey);
    Qt::KeyboardModifiers held = Qt::NoModifier;
    if (ctrl)
        held |= Qt::ControlModifier;
    if (shift)
        held |= Qt::ShiftModifier;
    if (keypad)
        held |= Qt::KeypadModifier;
    QPointer<QWidget> target = root->focusWidget() ? root->focusWidget() : root;
    // A key held with Ctrl types nothing.
    const QString text = ctrl ? QString() : QString(QChar(vkey));
    for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease}) {
        if (!target)
            return;
        QKeyEvent e(type, key, held, text);
        QCoreApplication::sendEvent(target, &e);
    }
}

void DialogDriver::Chars(const std::string& text) {
    QWidget* root = HostOf(m_window) ? static_cast<QWidget*>(HostOf(m_window)) : WidgetOf(m_window);
    if (!root)
        return;
    for (const char c : text) {
        if (c < ' ' || c > '~')
            throw std::logic_error(NameOf(m_window) + ": Chars types printable characters only");
        QPointer<QWidget> target = root->focusWidget() ? root->focusWidget() : root;
        const int key = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
        const Qt::KeyboardModifiers held = c >= 'A' && c <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier;
        for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease}) {
            if (!target)
                return;
            QKeyEvent e(type, key, held, QString(QChar(c)));
            QCoreApplication::sendEvent(target, &e);
        }
    }
}

void DialogDriver::SwitchPage(int index) {
    PropertySheet& sheet = SheetOf(m_window);
    if (index < 0 || index >= sheet.GetPageCount())
        throw std::logic_error(NameOf(sheet) + " has no page " + std::to_string(index));
    if (sheet.IsWizard())
        throw std::logic_error("a wizard changes pages only by its buttons");
    auto* tabs = WidgetOf(sheet)->findChild<QTabBar*>();
    tabs->setCurrentIndex(index);
}

void DialogDriver::Next() { Click(SheetButton::NextId); }
void DialogDriver::Back() { Click(SheetButton::BackId); }
void DialogDriver::Finish() { Click(SheetButton::FinishId); }
void DialogDriver::Apply() { Click(SheetButton::ApplyId); }
int DialogDriver::CurrentPage() const { return SheetOf(m_window).GetCurrentPage(); }

std::string DialogDriver::PageTitle() const {
    PropertySheet& sheet = SheetOf(m_window);
    return sheet.GetCurrentPage() < 0 ? std::string() : sheet.GetPage(sheet.GetCurrentPage()).GetTitle();
}

bool DialogDriver::IsButtonEnabled(int id) const {
    QWidget* w = Find(m_window, id);
    return w->isEnabled() && w->isVisibleTo(w->window());
}

std::string DialogDriver::Text(int id) const { return WidgetText(Find(m_window, id)); }

bool DialogDriver::Checked(int id) const {
    auto* b = qobject_cast<QAbstractButton*>(Find(m_window, id));
    return b && b->isChecked();
}

int DialogDriver::Selection(int id) const {
    QWidget* w = Find(m_window, id);
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentIndex();
    if (auto* l = qobject_cast<QListWidget*>(w)) {
        const auto sel = l->selectedItems();
        return sel.isEmpty() ? -1 : l->row(sel.front());
    }
    if (auto* t = qobject_cast<QTreeWidget*>(w))
        return t->currentItem() ? t->indexOfTopLevelItem(t->currentItem()) : -1;
    return -1;
}

std::vector<std::string> DialogDriver::Items(int id) const {
    std::vector<std::string> out;
    QWidget* w = Find(m_window, id);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < c->count(); ++i)
            out.push_back(FromQ(c->itemText(i)));
    } else if (auto* l = qobject_cast<QListWidget*>(w)) {
        for (int i = 0; i < l->count(); ++i)
            out.push_back(FromQ(l->item(i)->text()));
    } else if (auto* t = qobject_cast<QTreeWidget*>(w)) {
        for (QTreeWidgetItemIterator it(t); *it; ++it)
            out.push_back(FromQ((*it)->text(0)));
    }
    return out;
}

bool DialogDriver::Enabled(int id) const { return Find(m_window, id)->isEnabled(); }

bool DialogDriver::Visible(int id) const {
    QWidget* w = Find(m_window, id);
    return w->isVisibleTo(w->window());
}

std::string DialogDriver::ShownText(int id) const {
    if (const auto* label = qobject_cast<const QLabel*>(Find(m_window, id)))
        return FromQ(label->text());
    return Text(id);
}

int DialogDriver::FocusedId() const {
    QWidget* client = WidgetOf(m_window);
    QWidget* focus = client ? client->window()->focusWidget() : nullptr;
    return focus ? ControlId(focus) : -1;
}

std::string DialogDriver::SelectedText(int id) const {
    QWidget* w = Find(m_window, id);
    if (auto* e = EditField(w))
        return FromQ(e->selectedText());
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        // The paragraph separators a text edit puts into its selection read as the line ends typed.
        QString text = m->textCursor().selectedText();
        text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
        return FromQ(text);
    }
    return {};
}

bool DialogDriver::TextFits(int id) const {
    QWidget* w = Find(m_window, id);
    const auto* label = qobject_cast<const QLabel*>(w);
    if (!label)
        return true;
    const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
    const int wide = label->wordWrap() ? 0 : label->sizeHint().width();
    return needed <= label->height() && wide <= label->width();
}

bool DialogDriver::Ended() const {
    const auto* dialog = dynamic_cast<const Dialog*>(&m_window);
    return dialog ? !dialog->IsRunning() : !m_window.IsCreated();
}

int DialogDriver::Result() const {
    const auto* dialog = dynamic_cast<const Dialog*>(&m_window);
    return dialog ? dialog->GetResult() : 0;
}


bool ButtonTextFits(const DialogDriver& driver, int id) {
    const auto* button = qobject_cast<const QPushButton*>(Find(driver.GetWindow(), id));
    if (!button)
        return true;
    QString text = button->text();
    text.remove(QLatin1Char('&'));
    QStyleOptionButton option;
    option.initFrom(button);
    const int margins = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
                        2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
    return button->fontMetrics().horizontalAdvance(text) + margins <= button->width();
}
} // namespace plat
