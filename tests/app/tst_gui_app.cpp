// tst_gui_app.cpp: the application object's event hook, cursor policy, press release and
// style-sheet application. Runs in the unit sandbox, as the object opens the system log.
#include "gui_app.h"
#include "main_screen.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest>

namespace {

QStringList logLines;

void captureMessages(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    logLines << msg;
}

// Counts what actually reaches a widget.
class Target : public QWidget
{
public:
    int presses = 0;
    int releases = 0;
    int doubleClicks = 0;
    int contextMenus = 0;
    QPointF lastReleasePos;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        ++releases;
        lastReleasePos = e->localPos();
    }
    void mouseDoubleClickEvent(QMouseEvent *) override { ++doubleClicks; }
    void contextMenuEvent(QContextMenuEvent *) override { ++contextMenus; }
};

bool cursorHidden()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::BlankCursor;
}

void move(QWidget *w, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(5, 5), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

class TestGuiApp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void unusedMouseEventsReachNoWidget_data();
    void unusedMouseEventsReachNoWidget();
    void leftClickIsDeliveredAndLogged();
    void cursorShowsAfterTenFreeMoves_data();
    void cursorShowsAfterTenFreeMoves();
    void cursorHidesAgainAfterTenSeconds();
    void keyPressLogging_data();
    void keyPressLogging();
    void releaseMouse_data();
    void releaseMouse();
    void changeStyleSheetTouchesVisibleWindowsAndMainScreen();

private:
    Target target;
};

void TestGuiApp::init()
{
    logLines.clear();
    target.presses = target.releases = target.doubleClicks = target.contextMenus = 0;
    qInstallMessageHandler(captureMessages);
    // Start each case as after a timer expiry: one blank override, no count, no timer.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    QMetaObject::invokeMethod(qApp, "handleCursorTimeout");
}

void TestGuiApp::unusedMouseEventsReachNoWidget_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("button");

    QTest::newRow("right press") << int(QEvent::MouseButtonPress) << int(Qt::RightButton);
    QTest::newRow("right release") << int(QEvent::MouseButtonRelease) << int(Qt::RightButton);
    QTest::newRow("middle press") << int(QEvent::MouseButtonPress) << int(Qt::MiddleButton);
    QTest::newRow("middle release") << int(QEvent::MouseButtonRelease) << int(Qt::MiddleButton);
    QTest::newRow("left double click") << int(QEvent::MouseButtonDblClick) << int(Qt::LeftButton);
    QTest::newRow("context menu") << int(QEvent::ContextMenu) << 0;
}

void TestGuiApp::unusedMouseEventsReachNoWidget()
{
    QFETCH(int, type);
    QFETCH(int, button);
    bool handled = false;
    if (type == QEvent::ContextMenu) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3));
        handled = QApplication::sendEvent(&target, &event);
    } else {
        QMouseEvent event(QEvent::Type(type), QPointF(3, 3), Qt::MouseButton(button), Qt::MouseButton(button), Qt::NoModifier);
        handled = QApplication::sendEvent(&target, &event);
    }
    QVERIFY(handled);
    QCOMPARE(target.presses + target.releases + target.doubleClicks + target.contextMenus, 0);
    QVERIFY(logLines.isEmpty());
}

void TestGuiApp::leftClickIsDeliveredAndLogged()
{
    target.move(0, 0);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 4), QPointF(13, 24), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 4), QPointF(13, 24), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
    QCOMPARE(target.presses, 1);
    QCOMPARE(target.releases, 1);
    QCOMPARE(logLines.size(), 1);
    QVERIFY2(logLines[0].startsWith("LeftMouseButtonRelease: x= 13 , y= 24  for receiver= QWidget("), qPrintable(logLines[0]));
}

void TestGuiApp::cursorShowsAfterTenFreeMoves_data()
{
    QTest::addColumn<int>("freeMovesBefore");
    QTest::addColumn<bool>("dragBetween");
    QTest::addColumn<int>("freeMovesAfter");
    QTest::addColumn<bool>("hidden");

    QTest::newRow("nine free moves keep it hidden") << 9 << false << 0 << true;
    QTest::newRow("the tenth free move shows it") << 10 << false << 0 << false;
    QTest::newRow("a drag resets the count") << 5 << true << 9 << true;
    QTest::newRow("ten free moves after a drag show it") << 5 << true << 10 << false;
    QTest::newRow("a drag alone never shows it") << 0 << true << 0 << true;
}

void TestGuiApp::cursorShowsAfterTenFreeMoves()
{
    QFETCH(int, freeMovesBefore);
    QFETCH(bool, dragBetween);
    QFETCH(int, freeMovesAfter);
    QFETCH(bool, hidden);
    QVERIFY(cursorHidden());
    for (int i = 0; i < freeMovesBefore; ++i)
        move(&target);
    if (dragBetween) {
        for (int i = 0; i < 20; ++i)
            move(&target, Qt::LeftButton);
    }
    for (int i = 0; i < freeMovesAfter; ++i)
        move(&target);
    QCOMPARE(cursorHidden(), hidden);
}

void TestGuiApp::cursorHidesAgainAfterTenSeconds()
{
    for (int i = 0; i < 10; ++i)
        move(&target);
    QVERIFY(!cursorHidden());
    QTRY_VERIFY_WITH_TIMEOUT(cursorHidden(), 15000);
    // The count starts again: nine more free moves leave it hidden.
    for (int i = 0; i < 9; ++i)
        move(&target);
    QVERIFY(cursorHidden());
    move(&target);
    QVERIFY(!cursorHidden());
}

void TestGuiApp::keyPressLogging_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("prefixes");

    const QString space = "KeyPress: Key_Space pressed for receiver=. QWidget(";
    QTest::newRow("Alt+Space gives the Alt line, then the Space line") << int(
        Qt::Key_Space) << int(Qt::AltModifier) << " " << QStringList { "KeyPress: AltModifier pressed for receiver=. QWidget(", space };
    QTest::newRow("Space alone") << int(Qt::Key_Space) << 0 << " " << QStringList { space };
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << "" << QStringList { "KeyPress: Escape pressed for receiver=. QWidget(" };
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << "" << QStringList { "KeyPress: F1 pressed for receiver=. QWidget(" };
    QTest::newRow("a letter is quoted") << int(Qt::Key_A) << 0 << "a" << QStringList { "KeyPress: key->text()= \"a\" , key= QKeyEvent(" };
}

void TestGuiApp::keyPressLogging()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QStringList, prefixes);
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(&target, &release);

    QCOMPARE(logLines.size(), prefixes.size());
    for (int i = 0; i < prefixes.size(); ++i)
        QVERIFY2(logLines[i].startsWith(prefixes[i]), qPrintable(logLines[i]));
    if (key == Qt::Key_A)
        QVERIFY2(logLines[0].endsWith(" for receiver= QWidget(0x" + QString::number(quintptr(&target), 16) + ")"), qPrintable(logLines[0]));
}

void TestGuiApp::releaseMouse_data()
{
    QTest::addColumn<bool>("pressFirst");
    QTest::addColumn<bool>("releaseFirst");
    QTest::addColumn<int>("expectedReleases");

    QTest::newRow("a pending press gets its release") << true << false << 1;
    QTest::newRow("nothing pending sends nothing") << false << false << 0;
    QTest::newRow("a finished press sends nothing more") << true << true << 1;
}

void TestGuiApp::releaseMouse()
{
    QFETCH(bool, pressFirst);
    QFETCH(bool, releaseFirst);
    QFETCH(int, expectedReleases);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(3, 3), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    if (pressFirst)
        QApplication::sendEvent(&target, &press);
    if (releaseFirst)
        QApplication::sendEvent(&target, &release);

    GuiApp::m_pInstance->releaseMouse();
    QCOMPARE(target.releases, expectedReleases);
    if (pressFirst && !releaseFirst) {
        QCOMPARE(target.lastReleasePos, QPointF(-1, -1));
        QVERIFY(logLines.last().startsWith("LeftMouseButtonRelease: x="));
    }
    // Whatever happened, nothing is pending any more.
    const int before = target.releases;
    GuiApp::m_pInstance->releaseMouse();
    QCOMPARE(target.releases, before);
}

void TestGuiApp::changeStyleSheetTouchesVisibleWindowsAndMainScreen()
{
    QWidget visible;
    visible.show();
    QWidget *child = new QWidget(&visible);
    child->show();
    QWidget hidden;
    MainScreen hiddenMainScreen(nullptr); // a top-level window of its own here
    QVERIFY(QTest::qWaitForWindowExposed(&visible));

    const QString sheet = "QWidget { color: #123456; }";
    GuiApp::m_pInstance->changeStyleSheet(sheet);

    QCOMPARE(visible.styleSheet(), sheet);
    QCOMPARE(hiddenMainScreen.styleSheet(), sheet);
    QCOMPARE(hidden.styleSheet(), QString());
    QCOMPARE(child->styleSheet(), QString());
    QCOMPARE(logLines.filter("Update style for window:").size(), 2);
}

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    TestGuiApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gui_app.moc"
