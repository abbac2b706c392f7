#include "platform/Application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFont>
#include <QStyle>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "platform/Frame.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/WindowHost.h"
#include "platform/Ui.h"

namespace plat {

namespace {

Application* g_application = nullptr;
// F1 is held down (as the program last saw the key), and the time stamp of its last release.
bool g_helpKeyDown = false;
unsigned long long g_helpKeyReleaseTime = 0;

bool IsInput(QEvent::Type t) {
    switch (t) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

namespace {
constexpr int kApplicationFontPixels = 12;
}

void EnsureGuiRuntime(int argc, char** argv) {
    if (QCoreApplication::instance())
        return;
    // Qt keeps references to argc and argv for the life of the application.
    static int s_argc = 0;
    static char s_name[] = "quarvish";
    static char* s_argvEmpty[] = {s_name, nullptr};
    s_argc = argc > 0 ? argc : 1;
    char** args = argc > 0 && argv ? argv : s_argvEmpty;
    static QApplication* s_app = new QApplication(s_argc, args);
    (void)s_app;
    // One look everywhere: the Fusion style with its own palette (the system colours of the
    // drawing code come from it) and Liberation Sans at a pixel size, so menus, dialogs and
    // charts agree whatever the desktop's settings.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kApplicationFontPixels);
    QApplication::setFont(font);
}

struct Application::Impl : QObject {
    Application& app;
    QTimer timer;
    long idleCount = 0;
    bool inIdle = false;
    bool resumeAfterModal = false;
    QMetaObject::Connection blockConnection;

    explicit Impl(Application& a) : app(a) {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] { RunIdle(); });
        blockConnection = QObject::connect(QAbstractEventDispatcher::instance(),
                                           &QAbstractEventDispatcher::aboutToBlock, [this] {
                                               if (!timer.isActive())
                                                   RunIdle();
                                           });
        qApp->installEventFilter(this);
    }

    ~Impl() override {
        QObject::disconnect(blockConnection);
        if (qApp)
            qApp->removeEventFilter(this);
    }

    static bool ModalOpen() {
        return ModalDepth() > 0 || QApplication::activeModalWidget() || QApplication::activePopupWidget();
    }

    void RunIdle() {
        if (inIdle)
            return;
        if (ModalOpen()) {
            timer.stop();
            resumeAfterModal = true;
            return;
        }
        inIdle = true;
        const bool more = app.IdleAction(idleCount);
        inIdle = false;
        if (more) {
            ++idleCount;
            if (!timer.isActive())
                timer.start();
        } else {
            timer.stop();
            idleCount = 0;
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (IsInput(event->type()))
            idleCount = 0;
        if (event->type() == QEvent::ApplicationStateChange &&
            QGuiApplication::applicationState() != Qt::ApplicationActive)
            g_helpKeyDown = false;  // its release goes to another program
        if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
            // In context help Escape leaves it, even in a window where Escape is an
            // accelerator (the print preview's "Done"): the key is kept from the shortcut.
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && app.InContextHelp() && !QApplication::activePopupWidget())
                key->accept();
            return false;
        }
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && watched->isWidgetType()) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool press = event->type() == QEvent::KeyPress;
            bool repeat = key->isAutoRepeat();
            if (key->key() == Qt::Key_F1) {
                // A held key comes back as releases and presses of one time stamp, not always
                // marked as repeats: a press at the time of the last release goes on holding it.
                repeat = repeat || (press && key->timestamp() != 0 && key->timestamp() == g_helpKeyReleaseTime);
                if (press) {
                    g_helpKeyDown = true;
                } else if (!key->isAutoRepeat()) {
                    g_helpKeyDown = false;
                    g_helpKeyReleaseTime = key->timestamp();
                }
            }
            if (press && !repeat)
                return HelpKey(*key);
        }
        return false;
    }

    bool HelpKey(const QKeyEvent& key) {
        if (key.key() != Qt::Key_F1 && key.key() != Qt::Key_Escape)
            return false;
        if (QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            // Inside a menu (a frame's or a popup menu) the keys are the menu's, but F1
            // chooses the highlighted item as Return does, with context help on, so that the
            // item shows its topic.
            if (key.key() != Qt::Key_F1 || !app.ProcessMenuHelpKey())
                return false;
            QCoreApplication::postEvent(menu, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
            return true;
        }
        return app.ProcessHelpKey(key.key() == Qt::Key_F1 ? VKey::F1 : VKey::Escape,
                                  key.modifiers() & Qt::ShiftModifier);
    }
};

Application::Application(std::string name) : m_name(std::move(name)) {
    EnsureGuiRuntime();
    QCoreApplication::setApplicationName(ToQ(m_name));
    m_impl = std::make_unique<Impl>(*this);
    g_application = this;
    SetModalEndHook([] {
        if (g_application)
            g_application->ResumeIdle();
    });
}

Application::~Application() {
    SetModalEndHook(nullptr);
    if (g_application == this)
        g_application = nullptr;
}

void Application::ResumeIdle() {
    if (m_impl->resumeAfterModal) {
        m_impl->resumeAfterModal = false;
        m_impl->timer.start();
    }
}

int Application::Run() {
    InitInstance();
    InitMainWindow();
    return QApplication::exec();
}

bool Application::CanClose() { return m_mainWindow ? m_mainWindow->CanClose() : true; }

bool Application::IdleAction(long idleCount) {
    return m_mainWindow ? m_mainWindow->IdleAction(idleCount) : false;
}

void Application::SetMainWindow(Frame* frame) {
    m_mainWindow = frame;
    if (frame)
        frame->SetApplication(this);
}

void Application::PumpEvents(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void Application::Quit(int code) { QCoreApplication::exit(code); }

std::vector<std::string> Application::Arguments() {
    std::vector<std::string> out;
    for (const QString& a : QCoreApplication::arguments())
        out.push_back(FromQ(a));
    return out;
}

std::string Application::ProgramDirectory() {
    std::string dir = FromQ(QCoreApplication::applicationDirPath());
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

Application* GetApplication() { return g_application; }

bool ApplicationTakesCommand(int id) { return g_application && g_application->PreProcessCommand(id); }

bool IsHelpKeyDown() { return g_helpKeyDown; }

void SetHelpCursor(bool on) {
    static bool shown = false;
    if (on && !shown)
        QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    else if (!on && shown)
        QApplication::restoreOverrideCursor();
    shown = on;
}

bool ProgramCursorShown() { return QApplication::overrideCursor() != nullptr; }

} // namespace plat
