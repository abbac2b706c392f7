#include "platform/Frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEnterEvent>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/Application.h"
#include "platform/DriverExtras.h"
#include "platform/qt/FrameHost.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/WindowHost.h"

namespace plat {

namespace {

// The pixel size of a glyph's letters on its small picture.
int GlyphPixels(const std::string& glyph) { return glyph.size() > 2 ? 8 : 11; }

// A small picture for a tool-bar button or gadget: the bitmap resource of its id, or else
// the glyph text on a light face.
QIcon GlyphIcon(const std::string& glyph, int id = 0) {
    const Image bitmap = id > 0 ? Image::FromResource(id) : Image();
    if (!bitmap.IsNull())
        return QIcon(QPixmap::fromImage(bitmap.impl().image));
    QPixmap pix(24, 24);
    pix.fill(QColor(236, 236, 236));
    QPainter p(&pix);
    p.setPen(QColor(90, 90, 90));
    p.drawRect(0, 0, 23, 23);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(GlyphPixels(glyph));
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(20, 40, 120));
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, ToQ(glyph));
    return QIcon(pix);
}

QKeySequence KeyOf(const Accelerator& a) {
    const int key = QtKeyOf(a.key);
    int mods = 0;
    if (a.modifiers & AccelMod::Control)
        mods |= Qt::ControlModifier;
    if (a.modifiers & AccelMod::Shift)
        mods |= Qt::ShiftModifier;
    if (a.modifiers & AccelMod::Alt)
        mods |= Qt::AltModifier;
    return QKeySequence(key | mods);
}

// A tool-bar separator: a gap of its width with an etched line down its middle.
class ToolSeparator final : public QWidget {
public:
    ToolSeparator(int width, QWidget* parent) : QWidget(parent) {
        setFixedWidth(std::max(1, width));
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (width() < 4)
            return;
        QPainter p(this);
        const int x = width() / 2 - 1, top = 3, bottom = height() - 4;
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(x, top, x, bottom);
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(x + 1, top, x + 1, bottom);
    }
};

} // namespace

QMenu* OpenFrameMenu() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu && menu->property(kFrameMenuProperty).isValid() ? menu : nullptr;
}

namespace {
// The client size the environment asks for ("1200x800"), or 0 x 0.
Size ClientSizeFromEnvironment() {
    const QByteArray value = qgetenv("QUARVISH_CLIENT_SIZE");
    const QList<QByteArray> parts = value.toLower().split('x');
    if (parts.size() != 2)
        return Size{};
    bool okW = false, okH = false;
    const int w = parts[0].trimmed().toInt(&okW), h = parts[1].trimmed().toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || w > 10000 || h > 10000)
        return Size{};
    return Size{w, h};
}
} // namespace

Frame::Frame(const std::string& title, Window& client)
    : m_client(client), m_frame(std::make_unique<FrameImpl>()) {
    m_frame->title = title;
}

Frame::~Frame() { DestroyFrame(); }

void Frame::DestroyFrame() {
    if (m_frame->host) {
        m_frame->host->Detach();
        m_frame->host->hide();
        delete m_frame->host.data();
    }
}

void Frame::CreateFrame() {
    if (m_frame->host)
        return;
    FrameHost* host = new FrameHost(*this);
    m_frame->host = host;
    host->setWindowTitle(ToQ(m_frame->title));
    host->resize(1024, 700);
    QStatusBar* bar = host->statusBar();
    bar->setSizeGripEnabled(true);
    m_frame->message = new QLabel(bar);
    bar->addWidget(m_frame->message, 1);
    m_frame->toolBar = host->addToolBar(ToQ(m_frame->toolBarCaption.empty() ? m_frame->title
                                                                            : m_frame->toolBarCaption));
    m_frame->toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_frame->toolBar->setIconSize(QSize(24, 24));
    LinkParent(m_client, this);
    CreateUnder(m_client, host);
    host->setCentralWidget(WidgetOf(m_client));
}

void Frame::SetFixedClientSize(Size size) {
    m_frame->fixedClient = size;
    QWidget* client = WidgetOf(m_client);
    if (!client)
        return;
    if (size.cx > 0 && size.cy > 0) {
        client->setFixedSize(size.cx, size.cy);
    } else {
        client->setMinimumSize(0, 0);
        client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    if (m_frame->host)
        m_frame->host->adjustSize();
}

void Frame::ShowFrame(int showState) {
    FrameHost* host = m_frame->host;
    if (!host)
        return;
    if (m_frame->fixedClient.cx <= 0) {
        const Size wanted = ClientSizeFromEnvironment();
        if (wanted.cx > 0)
            SetFixedClientSize(wanted);
    }
    if (m_frame->fixedClient.cx > 0 && showState != 0 && showState != 7) {
        host->show();
        return;
    }
    switch (showState) {
    case 0: host->hide(); break;
    case 3:
        // Without a window manager nothing maximises the window: it takes the screen's
        // available area itself.
        if (const QScreen* screen = host->screen() ? host->screen() : QGuiApplication::primaryScreen())
            host->setGeometry(screen->availableGeometry());
        host->showMaximized();
        break;
    case 7: host->showMinimized(); break;
    default: host->show(); break;
    }
}

Rect Frame::GetFrameRect() const {
    const FrameHost* host = m_frame->host;
    if (!host)
        return Rect{};
    const QRect r = host->isMaximized() ? host->normalGeometry() : host->geometry();
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void Frame::SetFrameRect(const Rect& rect) {
    if (m_frame->host && !rect.IsEmpty())
        m_frame->host->setGeometry(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

bool Frame::IsMaximized() const { return m_frame->host && m_frame->host->isMaximized(); }

void Frame::SetCaption(const std::string& caption) {
    m_frame->title = caption;
    if (m_frame->host)
        m_frame->host->setWindowTitle(ToQ(caption));
}

std::string Frame::GetCaption() const { return m_frame->title; }

void Frame::SetIconGlyph(const std::string& glyph) {
    if (m_frame->host)
        m_frame->host->setWindowIcon(GlyphIcon(glyph));
}

// ---- Menus -------------------------------------------------------------------------------

namespace {
void FillMenu(Frame::FrameImpl& impl, QMenu& menu, const std::vector<MenuItem>& items,
              const std::function<void(QAction*, int)>& wire) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (item.IsPopup()) {
            QMenu* sub = menu.addMenu(ToQ(item.text));
            sub->setProperty(kFrameMenuProperty, menu.property(kFrameMenuProperty));
            FillMenu(impl, *sub, item.popup, wire);
        } else {
            QAction* a = menu.addAction(ToQ(item.text));
            a->setEnabled(!item.greyed);
            wire(a, item.id);
            impl.menuActions[item.id] = a;
        }
    }
}
} // namespace

void Frame::SetMenu(const std::vector<MenuItem>& bar) {
    if (!m_frame->host)
        return;
    QMenuBar* menuBar = m_frame->host->menuBar();
    menuBar->clear();
    m_frame->menuActions.clear();
    m_frame->dynamicActions.clear();
    auto wire = [this](QAction* a, int id) {
        a->setData(id);
        QObject::connect(a, &QAction::triggered, [this, id] {
            RunGuarded([this, id] {
                if (IsCommandEnabled(id))
                    Dispatch(id);
            });
        });
        QObject::connect(a, &QAction::hovered, [this, id] { ShowHint(id); });
    };
    for (const MenuItem& top : bar) {
        if (!top.IsPopup())
            continue;  // top-level separators only mark groups
        QMenu* menu = menuBar->addMenu(ToQ(top.text));
        menu->setProperty(kFrameMenuProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
        FillMenu(*m_frame, *menu, top.popup, wire);
        // The hints of highlighted items replace the message only while the menu is open.
        QObject::connect(menu, &QMenu::aboutToShow, [this] { m_frame->messageBeforeMenu = GetMessageText(); });
        QObject::connect(menu, &QMenu::aboutToHide, [this] { SetMessageText(m_frame->messageBeforeMenu); });
        QObject::connect(menu, &QMenu::aboutToShow, [this, menu] {
            const std::function<void(QMenu*)> update = [&](QMenu* m) {
                for (QAction* a : m->actions()) {
                    if (a->menu())
                        update(a->menu());
                    else if (!a->isSeparator() && a->data().isValid())
                        a->setEnabled(IsCommandEnabled(a->data().toInt()));
                }
            };
            update(menu);
        });
    }
}

std::string Frame::GetMenuItemText(int id) const {
    const auto it = m_frame->menuActions.find(id);
    return it != m_frame->menuActions.end() && it->second ? FromQ(it->second->text()) : std::string();
}

int HighlightedCommand(const QMenu* menu) {
    const QAction* a = menu ? menu->activeAction() : nullptr;
    return a && !a->menu() && !a->isSeparator() && a->data().isValid() ? a->data().toInt() : 0;
}

int Frame::HighlightedMenuCommand() const {
    const QMenu* menu = OpenFrameMenu();
    if (!menu || menu->property(kFrameMenuProperty).value<quintptr>() != reinterpret_cast<quintptr>(this))
        return 0;
    return HighlightedCommand(menu);
}

bool Frame::IsMenuItemEnabled(int id) {
    const auto it = m_frame->menuActions.find(id);
    if (it == m_frame->menuActions.end() || !it->second)
        return false;
    it->second->setEnabled(IsCommandEnabled(id));
    return it->second->isEnabled();
}

void Frame::SetDynamicItems(int beforeId, const std::vector<MenuItem>& entries) {
    for (QPointer<QAction>& a : m_frame->dynamicActions)
        if (a) {
            m_frame->menuActions.erase(a->data().isValid() ? a->data().toInt() : -1);
            delete a.data();
        }
    m_frame->dynamicActions.clear();
    const auto it = m_frame->menuActions.find(beforeId);
    if (it == m_frame->menuActions.end() || !it->second || entries.empty())
        return;
    QAction* before = it->second;
    QMenu* menu = nullptr;
    for (QObject* o : before->associatedObjects())
        if ((menu = qobject_cast<QMenu*>(o)))
            break;
    if (!menu)
        return;
    for (const MenuItem& e : entries) {
        QAction* a = new QAction(ToQ(e.text), menu);
        a->setData(e.id);
        const int id = e.id;
        QObject::connect(a, &QAction::triggered, [this, id] { RunGuarded([this, id] { Dispatch(id); }); });
        menu->insertAction(before, a);
        m_frame->menuActions[id] = a;
        m_frame->dynamicActions.push_back(a);
    }
    QAction* sep = new QAction(menu);
    sep->setSeparator(true);
    menu->insertAction(before, sep);
    m_frame->dynamicActions.push_back(sep);
}

void Frame::SetAccelerators(const std::vector<Accelerator>& table) {
    for (QPointer<QShortcut>& s : m_frame->shortcuts)
        delete s.data();
    m_frame->shortcuts.clear();
    if (!m_frame->host)
        return;
    for (const Accelerator& a : table) {
        auto* s = new QShortcut(KeyOf(a), m_frame->host);
        s->setContext(Qt::WindowShortcut);
        const int id = a.id;
        QObject::connect(s, &QShortcut::activated, [this, id] {
            if (IsCommandEnabled(id))
                Dispatch(id);
        });
        m_frame->shortcuts.push_back(s);
    }
}

void Frame::SetHintSource(std::function<std::string(int)> hints) { m_frame->hints = std::move(hints); }

void Frame::ShowHint(int id) { SetMessageText(m_frame->hints ? m_frame->hints(id) : std::string()); }

// ---- Message bar -------------------------------------------------------------------------

void Frame::AddTextGadget(int id, int widthChars) {
    if (!m_frame->host)
        return;
    QStatusBar* bar = m_frame->host->statusBar();
    auto* label = new QLabel(bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * widthChars + 8);
    bar->addPermanentWidget(label);
    m_frame->gadgets[id] = label;
}

void Frame::AddSeparatorGadget(int width) {
    if (!m_frame->host)
        return;
    auto* spacer = new QWidget(m_frame->host->statusBar());
    spacer->setFixedWidth(width);
    m_frame->host->statusBar()->addPermanentWidget(spacer);
}

void Frame::AddBitmapGadget(int id, const std::string& glyph) {
    if (!m_frame->host)
        return;
    auto* label = new QLabel(m_frame->host->statusBar());
    label->setPixmap(GlyphIcon(glyph, id).pixmap(24, 18));
    m_frame->host->statusBar()->addPermanentWidget(label);
    m_frame->gadgets[id] = label;
}

void Frame::SetMessageText(const std::string& text) {
    if (m_frame->message)
        m_frame->message->setText(ToQ(text));
}

std::string Frame::GetMessageText() const {
    return m_frame->message ? FromQ(m_frame->message->text()) : std::string();
}

namespace {
// The text gadget of the id, on the message bar or the tool bar (null when there is none).
QLabel* TextGadget(const Frame::FrameImpl& impl, int id) {
    for (const auto* gadgets : {&impl.gadgets, &impl.toolTexts})
        if (const auto it = gadgets->find(id); it != gadgets->end() && it->second)
            return it->second;
    return nullptr;
}
} // namespace

void Frame::SetGadgetText(int id, const std::string& text) {
    if (QLabel* label = TextGadget(*m_frame, id))
        label->setText(ToQ(text));
}

std::string Frame::GetGadgetText(int id) const {
    const QLabel* label = TextGadget(*m_frame, id);
    return label ? FromQ(label->text()) : std::string();
}

bool Frame::HasGadget(int id) const { return m_frame->gadgets.count(id) > 0; }

void Frame::SetMessageBarShown(bool shown) {
    if (m_frame->host)
        m_frame->host->statusBar()->setVisible(shown);
}

bool Frame::IsMessageBarShown() const { return m_frame->host && !m_frame->host->statusBar()->isHidden(); }

// ---- Tool bar ----------------------------------------------------------------------------

void Frame::SetToolBarCaption(const std::string& caption) {
    m_frame->toolBarCaption = caption;
    if (m_frame->toolBar)
        m_frame->toolBar->setWindowTitle(ToQ(caption));
}

namespace {
// The button of an exclusive group that its commands last left pressed.
constexpr const char* kPressedProperty = "plat_pressed";

void RememberPressed(QActionGroup* group) {
    if (group)
        group->setProperty(kPressedProperty, QVariant::fromValue(static_cast<QObject*>(group->checkedAction())));
}

// The message a tool-bar button's hint stood in for comes back: the pointer left the tool bar,
// or the button's command runs (a dialog or a preview it opens takes the pointer away).
void EndToolHint(Frame& frame, Frame::FrameImpl& impl) {
    if (!impl.toolHintShown)
        return;
    impl.toolHintShown = false;
    frame.SetMessageText(impl.messageBeforeHint);
}

// Ends the hint when the pointer leaves the tool bar.
class ToolBarLeave : public QObject {
public:
    ToolBarLeave(Frame& frame, Frame::FrameImpl& impl, QObject* parent) : QObject(parent), m_frame(frame), m_impl(impl) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Leave)
            EndToolHint(m_frame, m_impl);
        return false;
    }

private:
    Frame& m_frame;
    Frame::FrameImpl& m_impl;
};

constexpr const char* kGlyphPixelsProperty = "plat_glyphPixels";

// A tool-bar button that sends its command (when enabled); it starts disabled. A button whose
// glyph is a word ("Done", "Print") and that has no bitmap of its own shows the word in the
// tool bar's font, as a word on a small picture would be too small to read.
QAction* AddToolAction(Frame& frame, Frame::FrameImpl& impl, int id, const std::string& glyph,
                       const std::string& themeIcon, const std::string& hint) {
    const QString theme = ToQ(themeIcon);
    const bool themed = !theme.isEmpty() && QIcon::hasThemeIcon(theme);
    const bool bitmap = !themed && !Image::FromResource(id).IsNull();
    const QIcon icon = themed ? QIcon::fromTheme(theme) : GlyphIcon(glyph, id);
    QAction* a = impl.toolBar->addAction(icon, ToQ(glyph));
    if (!themed && !bitmap) {
        auto* button = qobject_cast<QToolButton*>(impl.toolBar->widgetForAction(a));
        if (glyph.size() > 2 && button) {
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            a->setProperty(kGlyphPixelsProperty, QFontInfo(button->font()).pixelSize());
        } else {
            a->setProperty(kGlyphPixelsProperty, GlyphPixels(glyph));
        }
    }
    if (!impl.toolBar->property("plat_leaveWatched").toBool()) {
        impl.toolBar->installEventFilter(new ToolBarLeave(frame, impl, impl.toolBar));
        impl.toolBar->setProperty("plat_leaveWatched", true);
    }
    if (!hint.empty())
        a->setToolTip(ToQ(hint));
    a->setData(id);
    a->setEnabled(false);
    QObject::connect(a, &QAction::triggered, [&frame, &impl, a, id] {
        EndToolHint(frame, impl);
        if (!frame.IsCommandEnabled(id))
            return;
        QActionGroup* group = a->actionGroup();
        if (group && ApplicationTakesCommand(id)) {
            // Context help took the click: the group keeps the button it had pressed.
            auto* was = qobject_cast<QAction*>(group->property(kPressedProperty).value<QObject*>());
            if (was)
                was->setChecked(true);
            else
                a->setChecked(false);
            return;
        }
        RunGuarded([&frame, id] { frame.Dispatch(id); });
        RememberPressed(group);
    });
    QObject::connect(a, &QAction::hovered, [&frame, &impl, id] {
        if (!impl.toolHintShown) {
            impl.messageBeforeHint = frame.GetMessageText();
            impl.toolHintShown = true;
        }
        frame.ShowHint(id);
    });
    impl.toolActions[id] = a;
    impl.toolOrder.push_back(id);
    return a;
}
} // namespace

void Frame::AddToolButton(int id, const std::string& glyph, const std::string& themeIcon) {
    if (!m_frame->toolBar)
        return;
    AddToolAction(*this, *m_frame, id, glyph, themeIcon, m_frame->hints ? m_frame->hints(id) : std::string());
    m_frame->toolGadgets.push_back({ToolGadget::Command, id, 0});
    m_frame->exclusiveGroup = nullptr;
}

void Frame::AddExclusiveToolButton(int id, const std::string& glyph, bool pressed) {
    if (!m_frame->toolBar)
        return;
    QAction* a = AddToolAction(*this, *m_frame, id, glyph, "", m_frame->hints ? m_frame->hints(id) : std::string());
    a->setCheckable(true);
    if (!m_frame->exclusiveGroup) {
        m_frame->exclusiveGroup = new QActionGroup(m_frame->toolBar);
        m_frame->exclusiveGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    }
    m_frame->exclusiveGroup->addAction(a);
    a->setChecked(pressed);
    RememberPressed(m_frame->exclusiveGroup);
    m_frame->toolGadgets.push_back({ToolGadget::Exclusive, id, 0});
}

void Frame::AddToolSeparator(int width) {
    if (!m_frame->toolBar)
        return;
    m_frame->toolBar->addWidget(new ToolSeparator(width, m_frame->toolBar));
    m_frame->toolGadgets.push_back({ToolGadget::Separator, 0, width});
    m_frame->exclusiveGroup = nullptr;
}

void Frame::AddToolTextGadget(int id, int widthChars, const std::string& text) {
    if (!m_frame->toolBar)
        return;
    auto* label = new QLabel(ToQ(text), m_frame->toolBar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFixedWidth(label->fontMetrics().averageCharWidth() * widthChars + 8);
    m_frame->toolBar->addWidget(label);
    m_frame->toolTexts[id] = label;
    m_frame->toolGadgets.push_back({ToolGadget::Text, id, widthChars});
    m_frame->exclusiveGroup = nullptr;
}

std::string Frame::GetToolButtonTip(int id) const {
    const auto it = m_frame->toolActions.find(id);
    return it != m_frame->toolActions.end() && it->second ? FromQ(it->second->toolTip()) : std::string();
}

bool Frame::IsToolButtonEnabled(int id) const {
    const auto it = m_frame->toolActions.find(id);
    return it != m_frame->toolActions.end() && it->second && it->second->isEnabled();
}

bool Frame::IsToolButtonPressed(int id) const {
    const auto it = m_frame->toolActions.find(id);
    return it != m_frame->toolActions.end() && it->second && it->second->isChecked();
}

void Frame::SetToolButtonPressed(int id, bool pressed) {
    const auto it = m_frame->toolActions.find(id);
    if (it != m_frame->toolActions.end() && it->second && it->second->isCheckable()) {
        it->second->setChecked(pressed);
        RememberPressed(it->second->actionGroup());
    }
}

std::vector<ToolGadget> Frame::ToolBarGadgets() const { return m_frame->toolGadgets; }

std::string Describe(const ToolGadget& g) {
    switch (g.kind) {
    case ToolGadget::Command: return "button " + std::to_string(g.id);
    case ToolGadget::Exclusive: return "exclusive " + std::to_string(g.id);
    case ToolGadget::Separator: return "separator " + std::to_string(g.width);
    case ToolGadget::Text: return "text " + std::to_string(g.id) + " (" + std::to_string(g.width) + ")";
    }
    return "?";
}

std::vector<int> Frame::ToolButtonIds() const { return m_frame->toolOrder; }

void Frame::UpdateToolBar() {
    for (auto& [id, action] : m_frame->toolActions) {
        if (!action)
            continue;
        const bool enabled = IsCommandEnabled(id);
        if (action->isEnabled() != enabled)
            action->setEnabled(enabled);
    }
}

// ---- Commands ----------------------------------------------------------------------------

bool Frame::Dispatch(int id) {
    if (ApplicationTakesCommand(id))
        return true;
    if (m_client.EvCommand(id, 0, 0))
        return true;
    return RouteCommand({this, m_app}, id);
}

bool Frame::IsCommandEnabled(int id) { return QueryCommandEnabled({&m_client, this, m_app}, id); }

void Frame::SetDropHandler(std::function<void(const std::vector<std::string>&)> handler) {
    m_frame->drop = std::move(handler);
}

void Frame::DropFiles(const std::vector<std::string>& files) {
    if (m_frame->drop)
        m_frame->drop(files);
}

bool Frame::Close() {
    if (!m_frame->host)
        return true;
    return m_frame->host->close();
}

bool Frame::IsOpen() const { return m_frame->host && m_frame->host->isVisible(); }

bool Frame::CanClose() { return m_client.CanClose(); }

bool Frame::IdleAction(long idleCount) {
    if (idleCount == 0)
        UpdateToolBar();
    return m_client.IdleAction(idleCount);
}

int Frame::DesktopWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}


// ---- The pointer on the tool bar, and what its buttons show (drivers) ------------------------

namespace {
QToolBar* ToolBarOf(const Frame& frame) {
    QWidget* client = WidgetOf(frame.GetClient());
    QWidget* host = client ? client->window() : nullptr;
    return host ? host->findChild<QToolBar*>(QStringLiteral("ToolBar")) : nullptr;
}

QAction* ToolActionOf(const Frame& frame, int id) {
    if (QToolBar* bar = ToolBarOf(frame))
        for (QAction* a : bar->actions())
            if (a->data().toInt() == id && !a->isSeparator())
                return a;
    return nullptr;
}
}  // namespace

void PointAtToolButton(Frame& frame, int id) {
    QAction* a = ToolActionOf(frame, id);
    QToolBar* bar = ToolBarOf(frame);
    QWidget* button = a && bar ? bar->widgetForAction(a) : nullptr;
    if (!button)
        throw std::logic_error("PointAtToolButton: the tool bar has no button " + std::to_string(id));
    // The mouse enters the tool bar, then the button, which tells its action it is hovered.
    const QPointF at(button->width() / 2.0, button->height() / 2.0);
    QEnterEvent enterBar(QPointF(button->mapTo(bar, at.toPoint())), button->mapToGlobal(at), button->mapToGlobal(at));
    QCoreApplication::sendEvent(bar, &enterBar);
    QEnterEvent enter(at, button->mapToGlobal(at), button->mapToGlobal(at));
    QCoreApplication::sendEvent(button, &enter);
}

void PointOffToolBar(Frame& frame) {
    if (QToolBar* bar = ToolBarOf(frame)) {
        QEvent leave(QEvent::Leave);
        for (QToolButton* b : bar->findChildren<QToolButton*>())
            if (b->underMouse())
                QCoreApplication::sendEvent(b, &leave);
        QCoreApplication::sendEvent(bar, &leave);
    }
}

int ToolButtonLetterPixels(const Frame& frame, int id) {
    const QAction* a = ToolActionOf(frame, id);
    return a ? a->property(kGlyphPixelsProperty).toInt() : 0;
}
} // namespace plat
