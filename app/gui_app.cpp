// gui_app.cpp
#include "gui_app.h"

#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSettings>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <execinfo.h>
#include <malloc.h>
#include <syslog.h>
#include <system_error>
#include <thread>

GuiApp *GuiApp::m_pInstance = nullptr;

namespace {

// A pointer that moves this many times with no button held is a real mouse, not a finger.
const int CursorShowMoveCount = 10;
const int CursorHideDelayMs = 10000;
const int BacktraceDepth = 30;

// Set once the fault handler has logged its exit line. exit() then tears down Qt's globals under
// whatever the interrupted code held (a locked mutex, for one); what the teardown says about that
// is noise after the exit line and is not logged.
std::atomic<bool> exitLineLogged { false };

[[noreturn]] void signal_handler(int sig, siginfo_t *, void *)
{
    if (sig != SIGINT) {
        qCritical("*** %s: EXCEPTION signal=%d", "signal_handler", sig);
        void *frames[BacktraceDepth];
        const int count = backtrace(frames, BacktraceDepth);
        qCritical("Backtrace:");
        char **lines = backtrace_symbols(frames, count);
        if (!lines) {
            qCritical("backtrace_symbols failed");
        } else {
            // The process ends right after; the array is left to the system.
            for (int i = 0; i < count; ++i)
                qCritical("%s", lines[i]);
        }
    }
    qDebug("*** %s: exit\n", "signal_handler");
    exitLineLogged.store(true);
    exit(1);
}

int signals_setup(int enable)
{
    static const int signalsArray[] = { SIGILL, SIGABRT, SIGFPE, SIGSEGV, SIGBUS, SIGINT };
    int result = 0;
    for (int sig : signalsArray) {
        struct sigaction action;
        std::memset(&action, 0, sizeof(action));
        sigemptyset(&action.sa_mask);
        if (enable) {
            action.sa_sigaction = signal_handler;
            action.sa_flags = SA_SIGINFO;
        } else {
            action.sa_handler = SIG_DFL;
            action.sa_flags = 0;
        }
        result = sigaction(sig, &action, nullptr);
    }
    return result;
}

int syslogPriority(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return LOG_DEBUG;
    case QtWarningMsg:
        return LOG_WARNING;
    case QtCriticalMsg:
        return LOG_CRIT;
    case QtFatalMsg:
        return LOG_EMERG;
    default:
        return LOG_DEBUG;
    }
}

void TMessageOutput(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (exitLineLogged.load())
        return;
    // The text is data, never a format: a "%" in a message must arrive as it is.
    syslog(syslogPriority(type), "%s", msg.toLocal8Bit().constData());
}

const char *keyName(int key)
{
    switch (key) {
    case Qt::Key_Space:
        return "KeyPress: Key_Space pressed for receiver=.";
    case Qt::Key_Escape:
        return "KeyPress: Escape pressed for receiver=.";
    case Qt::Key_Tab:
        return "KeyPress: Key_Tab pressed for receiver=.";
    case Qt::Key_Backspace:
        return "KeyPress: Key_Backspace pressed for receiver=.";
    case Qt::Key_Return:
        return "KeyPress: Key_Return pressed for receiver=.";
    case Qt::Key_Home:
        return "KeyPress: Key_Home pressed for receiver=.";
    case Qt::Key_End:
        return "KeyPress: Key_End pressed for receiver=.";
    case Qt::Key_Up:
        return "KeyPress: Key_Up pressed for receiver=.";
    case Qt::Key_Down:
        return "KeyPress: Key_Down pressed for receiver=.";
    case Qt::Key_F1:
        return "KeyPress: F1 pressed for receiver=.";
    default:
        return nullptr;
    }
}

} // namespace

void GuiApp::createInstance(int &argc, char **argv)
{
    if (m_pInstance)
        return;
    // Nothing here draws with OpenGL. Without this, the first window loads the X server's GL
    // driver (Mesa and its compiler: about 25 ms and 45 MiB) only to pick a visual that allows it.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    // The windows are laid out in pixels of the unit's 800 x 600 screen. Qt 6 would scale them by the
    // display's DPI setting over 96 (Xft.dpi); Qt 5 never does unless asked. Qt reads the setting
    // once, while the application object is made; programs started later (the calibrator) get the
    // environment as it was.
    const char *const scaling = "QT_ENABLE_HIGHDPI_SCALING";
    const bool scalingWasSet = qEnvironmentVariableIsSet(scaling);
    const QByteArray scalingBefore = qgetenv(scaling);
    qputenv(scaling, "0");
    // The first text the main window measures waits for the font configuration to be read, which
    // takes about as long as connecting to the display; a second thread reads it meanwhile. Qt's
    // platform plugin loads the same library later and finds the configuration ready.
    std::thread fonts;
    if (void *fontconfig = dlopen("libfontconfig.so.1", RTLD_LAZY | RTLD_GLOBAL)) {
        if (auto fcInit = reinterpret_cast<int (*)()>(dlsym(fontconfig, "FcInit"))) {
            try {
                fonts = std::thread(fcInit);
            } catch (const std::system_error &) {
                // No thread to be had: Qt reads the configuration itself, as it would anyway.
            }
        }
    }
    new GuiApp(argc, argv);
    if (fonts.joinable()) {
        fonts.join();
        // What the parsing left free in the thread's own heap goes back to the system.
        malloc_trim(0);
    }
    // Only now: the font thread reads the environment without Qt's lock.
    if (scalingWasSet)
        qputenv(scaling, scalingBefore);
    else
        qunsetenv(scaling);
}

GuiApp::GuiApp(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Varnek & Varnek"));
    setOrganizationDomain(QStringLiteral("varnek-varnek.com"));
    signals_setup(1);
    openlog("gui", 0, LOG_LOCAL1);
    qInstallMessageHandler(TMessageOutput);

    m_moveCount = 0;
    setOverrideCursor(Qt::BlankCursor);
    m_pCursorTimer = new QTimer;
    connect(m_pCursorTimer, SIGNAL(timeout()), this, SLOT(handleCursorTimeout()));

    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("/appdata"));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("/appdata"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/appdata"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("/appdata"));

    m_pPressReceiver = nullptr;
    m_pInstance = this;

    setFont(QFont(QStringLiteral("Droid Sans"), -1, -1, false), "default normal");
    setFont(QFont(QStringLiteral("Droid Sans Mono"), -1, -1, false), "default mono");
    // English and Russian need no OpenType shaping; without it, text skips HarfBuzz's shaper,
    // which at start-up alone costs 0.7 MiB of memory and time on the unit's slow processor.
    // Scripts that do need shaping still get it.
    QFont plain = font();
    plain.setStyleStrategy(QFont::PreferNoShaping);
    setFont(plain);
}

GuiApp::~GuiApp()
{
    if (m_pInstance == this)
        m_pInstance = nullptr;
}

// Qt 5 routes each input event through the window object (QWidgetWindow) before it reaches the
// widget. Swallowing is done at either stage; logging, press tracking and move counting only at
// the widget stage, so one touch or key press is seen once.
bool GuiApp::notify(QObject *receiver, QEvent *event)
{
    const bool toWidget = receiver && receiver->isWidgetType();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        if (toWidget)
            m_pPressReceiver = receiver;
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        if (toWidget) {
            m_pPressReceiver = nullptr;
            qDebug() << "LeftMouseButtonRelease: x=" << mouse->globalX() << ", y=" << mouse->globalY() << " for receiver=" << receiver;
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
        return true;
    case QEvent::MouseMove:
        if (toWidget)
            applyCursorPolicy(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::KeyPress:
        if (toWidget)
            logKeyPress(receiver, static_cast<QKeyEvent *>(event));
        break;
    default:
        break;
    }
    return QApplication::notify(receiver, event);
}

void GuiApp::applyCursorPolicy(const QMouseEvent *event)
{
    // A finger on the touch screen always drags with the button held.
    if (event->buttons() != Qt::NoButton) {
        m_moveCount = 0;
        return;
    }
    ++m_moveCount;
    if (m_moveCount == CursorShowMoveCount) {
        if (!m_pCursorTimer->isActive()) {
            restoreOverrideCursor();
            m_pCursorTimer->start(CursorHideDelayMs);
        }
    } else if (m_moveCount > CursorShowMoveCount) {
        m_pCursorTimer->start(CursorHideDelayMs);
    }
}

void GuiApp::logKeyPress(QObject *receiver, const QKeyEvent *event)
{
    if (event->modifiers() & Qt::AltModifier)
        qDebug() << "KeyPress: AltModifier pressed for receiver=." << receiver;
    if (const char *text = keyName(event->key()))
        qDebug() << text << receiver;
    else
        qDebug() << "KeyPress: key->text()=" << event->text() << ", key=" << event << " for receiver=" << receiver;
}

void GuiApp::handleCursorTimeout()
{
    setOverrideCursor(Qt::BlankCursor);
    m_moveCount = 0;
    m_pCursorTimer->stop();
}

void GuiApp::releaseMouse()
{
    if (!m_pPressReceiver)
        return;
    QMouseEvent release(
        QEvent::MouseButtonRelease, QPointF(-1, -1), QPointF(-1, -1), Qt::LeftButton, Qt::NoButton, Qt::KeyboardModifiers(1));
    sendEvent(m_pPressReceiver, &release);
}

void GuiApp::changeStyleSheet(const QString &sheet)
{
    const QWidgetList widgets = allWidgets();
    for (QWidget *widget : widgets) {
        if (!widget->isWindow())
            continue;
        // The menu screen is restyled even while hidden, so it is right when it comes back.
        if (widget->isVisible() || std::strcmp(widget->metaObject()->className(), "MainScreen") == 0) {
            qDebug() << "Update style for window:" << widget;
            widget->setStyleSheet(sheet);
        }
    }
}
