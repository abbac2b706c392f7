#include "platform/Application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QGuiApplication>
#include <QFont>
#include <QStyle>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

#include "foundation/Reporter.h"
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

// The reason an escaped exception gives.
std::string ReasonOf(const std::exception_ptr& escaped) {
    try {
        std::rethrow_exception(escaped);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an error of an unknown kind";
    }
}

// An exception escaped the handling of an event: the running application shows its message
// once, and every loop ends with its code. Exceptions while the message is up (a paint that
// throws each time the window is painted behind it) are dropped; later ones end the loops again.
bool g_ending = false;
bool g_telling = false;
int g_endCode = 0;
// Closing messages shown so far, and the count when the guarded program began (-1 outside
// one): a program shows one closing message at most, its loop or its ending.
int g_closingMessages = 0;
int g_messagesAtProgramStart = -1;
bool ToldInThisProgram() {
    return g_messagesAtProgramStart >= 0 && g_closingMessages > g_messagesAtProgramStart;
}
void EndAfterEscapedException(const std::exception_ptr& escaped) {
    if (g_telling)
        return;
    if (!g_ending && !ToldInThisProgram()) {
        g_ending = true;
        g_endCode = kExceptionExitCode;
        const std::string why = ReasonOf(escaped);
        g_telling = true;
        ++g_closingMessages;
        try {
            if (Application* app = GetApplication())
                g_endCode = app->ExceptionEscaped(why);
            else
                MessageBox("The program must close: " + why, "Error", MsgStyle::Ok | MsgStyle::IconStop);
        } catch (...) {
        }
        g_telling = false;
        if (g_endCode == 0)
            g_endCode = kExceptionExitCode;
    }
    // Outside any loop (an event sent before the program runs, or while it ends) nothing is
    // left to end; an exit asked there would end every loop run afterwards at once.
    if (QThread::currentThread()->loopLevel() == 0)
        g_ending = false;
    else
        QCoreApplication::exit(g_endCode);
}

// Qt lets no exception pass through its own code: every event is handled here, so one that
// escapes a window's handler ends the program with a message instead of terminating it.
class GuardedApplication final : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            EndAfterEscapedException(std::current_exception());
            return false;
        }
    }
};

// The signals of a system shutdown (SIGTERM) and of a log-off (SIGHUP) end the loop with 0, as
// a close does, through a pipe the loop watches.
int g_signalPipe[2] = {-1, -1};
extern "C" void OnSessionSignal(int) {
    const char byte = 1;
    if (g_signalPipe[1] >= 0)
        (void)!write(g_signalPipe[1], &byte, 1);
}

class SessionEndWatch {
public:
    SessionEndWatch() {
        if (g_signalPipe[0] < 0 && pipe(g_signalPipe) != 0)
            return;
        for (int fd : g_signalPipe)
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        m_notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [] {
            char byte = 0;
            while (read(g_signalPipe[0], &byte, 1) > 0) {
            }
            QCoreApplication::exit(0);
        });
        struct sigaction action {};
        action.sa_handler = OnSessionSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &action, &m_term);
        sigaction(SIGHUP, &action, &m_hup);
        m_installed = true;
    }
    ~SessionEndWatch() {
        if (!m_installed)
            return;
        sigaction(SIGTERM, &m_term, nullptr);
        sigaction(SIGHUP, &m_hup, nullptr);
    }
    SessionEndWatch(const SessionEndWatch&) = delete;
    SessionEndWatch& operator=(const SessionEndWatch&) = delete;

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_term {};
    struct sigaction m_hup {};
    bool m_installed = false;
};

// The numeric part of the language setting is "C" in the environment too, before Qt reads it:
// Qt's own number texts (the sizes in a file dialog) follow the environment's setting, not the
// C library's. LC_ALL would name it for every part, so it is spelled out part by part.
void NumbersOfTheCSettingInTheEnvironment() {
    if (const char* all = std::getenv("LC_ALL"); all && *all) {
        const std::string setting = all;
        for (const char* part : {"LC_CTYPE", "LC_COLLATE", "LC_TIME", "LC_MONETARY", "LC_MESSAGES", "LC_PAPER",
                                 "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
            setenv(part, setting.c_str(), 1);
        unsetenv("LC_ALL");
    }
    setenv("LC_NUMERIC", "C", 1);
}
} // namespace

void EnsureGuiRuntime(int argc, char** argv) {
    if (QCoreApplication::instance())
        return;
    // Qt keeps references to argc and argv for the life of the application.
    static int s_argc = 0;
    static char s_name[] = "quarvish";
    static char* s_argvEmpty[] = {s_name, nullptr};
    s_argc = argc > 0 ? argc : 1;
    char** args = argc > 0 && argv ? argv : s_argvEmpty;
    NumbersOfTheCSettingInTheEnvironment();
    static QApplication* s_app = new GuardedApplication(s_argc, args);
    (void)s_app;
    // Qt hands the desktop's language setting to the C library when it starts. The program's
    // numbers use the decimal point whatever that setting (a document is the same bytes on
    // every machine and "0,5" is no number anywhere), so the C library's numeric rules are
    // those of "C" whatever the environment held, and so are those of Qt's own number texts.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
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
        bool more = false;
        try {
            more = app.IdleAction(idleCount);
        } catch (...) {
            EndAfterEscapedException(std::current_exception());
        }
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

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        EndAfterEscapedException(std::current_exception());
    }
}

int Application::Run() {
    g_ending = false;
    SessionEndWatch sessionEnd;
    try {
        InitInstance();
        InitMainWindow();
    } catch (...) {
        EndAfterEscapedException(std::current_exception());
        g_ending = false;
        return g_endCode;
    }
    const int code = QApplication::exec();
    const bool ended = g_ending;
    g_ending = false;
    return ended ? g_endCode : code;
}

std::string ClosingMessage(const std::string& name, const std::string& why) {
    return name + " must close because of an unexpected error:\n\n" + why +
           "\n\nChanges made since the document was last saved are lost.";
}

int RunGuardedProgram(const std::string& name, const std::function<int()>& program) {
    const int outer = std::exchange(g_messagesAtProgramStart, g_closingMessages);
    int code = 0;
    try {
        code = program();
        // A closing message shown outside the loop (an event handled while the windows went)
        // ends the program as one shown inside it does.
        if (ToldInThisProgram() && code == 0)
            code = kExceptionExitCode;
    } catch (...) {
        const std::string why = ReasonOf(std::current_exception());
        if (!ToldInThisProgram()) {
            ++g_closingMessages;
            try {
                MessageBox(ClosingMessage(name, why), name, MsgStyle::Ok | MsgStyle::IconStop);
            } catch (...) {
            }
        }
        code = kExceptionExitCode;
    }
    g_messagesAtProgramStart = outer;
    return code;
}

int Application::ExceptionEscaped(const std::string& why) {
    MessageBox(ClosingMessage(m_name, why), m_name, MsgStyle::Ok | MsgStyle::IconStop);
    return kExceptionExitCode;
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

int Application::SettleEvents(int maxRounds) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (dispatcher == nullptr)
        return 0;
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    int rounds = 0;
    bool synced = false;
    bool idled = false;
    while (rounds < maxRounds) {
        ++rounds;
        // Objects given up for later go as the loop would let them go.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (dispatcher->processEvents(QEventLoop::AllEvents)) {
            synced = false;
            continue;
        }
        // Nothing waiting here. What the window system still owes for the requests made so
        // far (a real window's new size) is fetched first.
        if (gui && !synced) {
            synced = true;
            QGuiApplication::sync();
            continue;
        }
        // Where the loop would now wait, its idle work runs, once: a pass that asks for more
        // starts the idle timer, which the next rounds fire until a pass asks for no more.
        if (idled)
            break;
        idled = true;
        emit dispatcher->aboutToBlock();
    }
    return rounds;
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
