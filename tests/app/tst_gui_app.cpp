// tst_gui_app.cpp: the application object's event hook, cursor policy and press release. Runs in
// the unit sandbox, as the object opens the system log. (Its style-sheet application shows in the
// night-mode pictures of tests/screenshots.)
#include "gui_app.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QtTest>

namespace {

QStringList logLines;

// Records the mouse events that reach a widget.
class Target : public QWidget
{
public:
    QStringList received;

protected:
    void mousePressEvent(QMouseEvent *) override { received << "press"; }
    void mouseReleaseEvent(QMouseEvent *e) override { received << QString("release at %1,%2").arg(e->x()).arg(e->y()); }
    void mouseDoubleClickEvent(QMouseEvent *) override { received << "double click"; }
    void contextMenuEvent(QContextMenuEvent *) override { received << "context menu"; }
};

// The log, each line naming the receiver without it; a line for another receiver is kept whole.
QString logged(const QWidget *receiver)
{
    const QString ending = " QWidget(0x" + QString::number(quintptr(receiver), 16) + ")";
    QStringList lines;
    for (const QString &line : logLines)
        lines << (line.endsWith(ending) ? line.left(line.lastIndexOf(" for receiver=")).section(" , key= ", 0, 0).trimmed() : line);
    return lines.join(" | ");
}

const auto cursorHidden = [] { return QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::BlankCursor; };

} // namespace

class TestGuiApp : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        logLines.clear();
        target.received.clear();
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &msg) { logLines << msg; });
        // Start each case as after a timer expiry: one blank override, no count, no timer.
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        QMetaObject::invokeMethod(qApp, "handleCursorTimeout");
    }
    void inputEvents_data()
    {
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("log");
        QTest::addColumn<bool>("pointerHidden");
        const auto row = [](const char *name, const QStringList &sent, const char *received, const char *log, bool hidden = true) {
            QTest::newRow(name) << sent << QString(received) << QString(log) << hidden;
        };
        const auto times = [](int n, const char *input) { return QVector<QString>(n, input).toList(); };

        row("right and middle buttons, double clicks and context menus reach nothing",
            { "right press", "right release", "middle press", "left double", "context menu" }, "", "");
        row("a left click is delivered and logged; releaseMouse() then sends nothing", { "left press", "left release", "releaseMouse" },
            "press release at 3,4", "LeftMouseButtonRelease: x= 13 , y= 24");
        row("releaseMouse() ends a pending press once", { "left press", "releaseMouse", "releaseMouse" }, "press release at -1,-1",
            "LeftMouseButtonRelease: x= -1 , y= -1");
        row("Alt+Space gives the Alt line, then the Space line; releases are not logged", { "key Alt+Space" }, "",
            "KeyPress: AltModifier pressed | KeyPress: Key_Space pressed");
        row("nine free moves keep the pointer hidden", times(9, "move"), "", "");
        row("the tenth free move shows it", times(10, "move"), "", "", false);
        row("a drag resets the count", times(5, "move") + times(20, "drag") + times(9, "move"), "", "");
        row("hidden ten seconds later, ten free moves show it again", times(10, "move") + times(1, "wait for hiding") + times(10, "move"),
            "", "", false);
        row("each later move restarts the ten seconds", times(10, "move") + QStringList { "pause", "move", "pause" }, "", "", false);
    }
    void inputEvents()
    {
        QFETCH(QStringList, sent);
        QFETCH(QString, received);
        QFETCH(QString, log);
        QFETCH(bool, pointerHidden);
        QVERIFY(cursorHidden());
        for (const QString &input : sent)
            send(input);
        QVERIFY(target.received.join(' ') == received && logged(&target) == log && cursorHidden() == pointerHidden);
    }

private:
    // One input to the target: "BUTTON press", "BUTTON release", "left double", "context menu", "key KEYS"
    // (pressed and released), a "move" with no button held, a "drag"; or "releaseMouse", "wait for hiding", "pause" (6 s).
    void send(const QString &input)
    {
        const QString kind = input.section(' ', 0, 0), what = input.section(' ', 1);
        if (input == "releaseMouse") {
            GuiApp::m_pInstance->releaseMouse();
        } else if (input == "pause") {
            QTest::qWait(6000);
        } else if (input == "wait for hiding") {
            QTRY_VERIFY_WITH_TIMEOUT(cursorHidden(), 15000);
        } else if (input == "move" || input == "drag") {
            QMouseEvent e(QEvent::MouseMove, QPointF(5, 5), Qt::NoButton, input == "drag" ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&target, &e);
        } else if (input == "context menu") {
            QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(3, 4));
            QApplication::sendEvent(&target, &menu);
        } else if (kind == "key") {
            const int keys = QKeySequence::fromString(what)[0];
            for (QEvent::Type type : { QEvent::KeyPress, QEvent::KeyRelease }) {
                QKeyEvent key(type, keys & ~Qt::KeyboardModifierMask, Qt::KeyboardModifiers(keys & Qt::KeyboardModifierMask),
                    what.endsWith("Space") ? " " : what.toLower());
                QApplication::sendEvent(&target, &key);
            }
        } else {
            const Qt::MouseButton button = kind == "right" ? Qt::RightButton : kind == "middle" ? Qt::MiddleButton : Qt::LeftButton;
            const QEvent::Type type = what == "press" ? QEvent::MouseButtonPress
                : what == "release"                   ? QEvent::MouseButtonRelease
                                                      : QEvent::MouseButtonDblClick;
            QMouseEvent mouse(type, QPointF(3, 4), QPointF(13, 24), button, what == "release" ? Qt::NoButton : button, Qt::NoModifier);
            QApplication::sendEvent(&target, &mouse);
        }
    }

    Target target;
};

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    TestGuiApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gui_app.moc"
