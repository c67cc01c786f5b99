// tst_select_system_cfg_window.cpp: the GMDSS system selection and its password request over real
// settings files in the sandbox's /appdata, driven by touches on the windows' own buttons.
#include "gui_app.h"
#include "kvgui_led_box.h"
#include "kvgui_line_edit.h"
#include "kvgui_main_window.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"
#include "kvgui_password_req_window.h"
#include "kvgui_style.h"
#include "kvgui_sub_window_view.h"
#include "select_system_cfg_window.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList storeStatements;

void catchStores(QtMsgType, const QMessageLogContext &, const QString &message)
{
    // A fatal database error ends the process with status 0, which would pass as success.
    if (message.contains(QLatin1String("Fatal Database Error"))) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
    if (message.contains(QLatin1String("About to run query=")) && message.contains(QLatin1String("UPDATE")))
        storeStatements << message;
}

// The settings file as another process of the unit sees it.
QSqlDatabase systemFile()
{
    if (!QSqlDatabase::contains(QStringLiteral("observer"))) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("observer"));
        db.setDatabaseName(QStringLiteral("/appdata/system_cfg.db"));
        db.open();
    }
    return QSqlDatabase::database(QStringLiteral("observer"));
}

int storedPrimary()
{
    QSqlQuery query(QStringLiteral("SELECT isPrimary FROM systemCfg"), systemFile());
    return query.next() ? query.value(0).toInt() : -1;
}

} // namespace

class TestSelectSystemCfgWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void operatorFlow_data();
    void operatorFlow();
    void doubleTouchesActOnce_data();
    void doubleTouchesActOnce();

private:
    TAbstractSubWindow *top() const
    {
        auto *view = qobject_cast<TSubWindowView *>(mainWindow->getTopView());
        return view ? view->getWindow() : nullptr;
    }
    template<typename T> int openCount() const
    {
        int n = 0;
        for (TSubWindowView *view : mainWindow->getSubWindows())
            n += qobject_cast<T *>(view->getWindow()) && !view->getWindow()->isClosing() ? 1 : 0;
        return n;
    }
    void touch(QWidget *w)
    {
        mainWindow->forceInstantAnimationCompletion();
        QTest::mouseClick(w, Qt::LeftButton);
        mainWindow->forceInstantAnimationCompletion();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void touchButton(TAbstractSubWindow *window, const QString &text)
    {
        for (TOptionButton *button : window->findChildren<TOptionButton *>())
            if (button->text() == text)
                return touch(button);
        QFAIL(qPrintable("no button " + text));
    }
    void step(const QString &action);

    QScopedPointer<TMainWindow> mainWindow;
    QPointer<SelectSystemCfgWindow> window;
    int passwordRequests = 0;
    int questions = 0;
};

void TestSelectSystemCfgWindow::initTestCase()
{
    qInstallMessageHandler(catchStores);
    const QString tool = qEnvironmentVariable("KV_BUILD_DIR") + "/tools/settings/provision-settings";
    QCOMPARE(QProcess::execute(tool, { "--appdata", "/appdata", "--force", "--is-primary", "1" }), 0);
    QApplication::setStyle(new TStyle);
    mainWindow.reset(new TMainWindow(nullptr, QStringLiteral("mainWindow"), true));
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow.data()));
}

void TestSelectSystemCfgWindow::init()
{
    storeStatements.clear();
    passwordRequests = questions = 0;
}

void TestSelectSystemCfgWindow::cleanup()
{
    for (TSubWindowView *view : mainWindow->getSubWindows())
        view->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
}

// One operator action on whatever window is on top.
void TestSelectSystemCfgWindow::step(const QString &action)
{
    if (action == QLatin1String("primary") || action == QLatin1String("duplicated")) {
        TLedBox *led = action == QLatin1String("primary") ? window->getPrimaryLed() : window->getDuplicatedLed();
        const int before = openCount<TPasswordReqWindow>();
        touch(led->getLedButton());
        passwordRequests += openCount<TPasswordReqWindow>() - before;
    } else if (action.startsWith(QLatin1String("type "))) {
        auto *request = qobject_cast<TPasswordReqWindow *>(top());
        QVERIFY2(request, "no password request on top");
        QCOMPARE(QApplication::focusWidget(), request->getPasswordField());
        QTest::keyClicks(request->getPasswordField(), action.mid(5));
        touchButton(request, QStringLiteral("&OK"));
    } else if (action == QLatin1String("dismiss warning")) {
        auto *warning = qobject_cast<TMessageWindow *>(top());
        QVERIFY2(warning && warning->getHeader() == QLatin1String("Access denied"), "no warning on top");
        QCOMPARE(warning->getDescription(), QString("Incorrect password"));
        touchButton(warning, QStringLiteral("&OK"));
    } else if (action == QLatin1String("cancel password")) {
        touchButton(qobject_cast<TPasswordReqWindow *>(top()), QStringLiteral("&Cancel"));
    } else if (action == QLatin1String("store")) {
        const int before = openCount<TMessageWindow>();
        touchButton(window, QStringLiteral("&Store"));
        questions += openCount<TMessageWindow>() - before;
    } else if (action == QLatin1String("yes") || action == QLatin1String("no")) {
        auto *question = qobject_cast<TMessageWindow *>(top());
        QVERIFY2(question && question->getHeader() == QLatin1String("Are you sure?"), "no question on top");
        QVERIFY(question->getDescription().startsWith("From now on the message terminal will act as part of a "));
        touchButton(question, action == QLatin1String("yes") ? QStringLiteral("&Yes") : QStringLiteral("&No"));
    } else if (action == QLatin1String("escape")) {
        QTest::keyClick(window, Qt::Key_Escape);
        mainWindow->forceInstantAnimationCompletion();
    } else if (action == QLatin1String("cancel")) {
        touchButton(window, QStringLiteral("&Cancel"));
    } else {
        QFAIL(qPrintable("unknown step " + action));
    }
}

void TestSelectSystemCfgWindow::operatorFlow_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<int>("storedAfter");
    QTest::addColumn<QString>("ledsAfter"); // "primary", "duplicated", or "closed"
    QTest::addColumn<int>("passwordRequestsAfter");
    QTest::addColumn<int>("questionsAfter");

    QTest::newRow("Store without a change closes without asking or storing") << 1 << QStringList { "store" } << 1 << "closed" << 0 << 0;
    QTest::newRow("the stored role is shown on opening") << 0 << QStringList {} << 0 << "duplicated" << 0 << 0;
    QTest::newRow("password, Store and Yes store duplicated")
        << 1 << QStringList { "duplicated", "type 7391", "store", "yes" } << 0 << "closed" << 1 << 1;
    QTest::newRow("password, Store and Yes store primary")
        << 0 << QStringList { "primary", "type 7391", "store", "yes" } << 1 << "closed" << 1 << 1;
    QTest::newRow("changing back after the password is no change")
        << 1 << QStringList { "duplicated", "type 7391", "primary", "store" } << 1 << "closed" << 1 << 0;
    QTest::newRow("a cancelled request puts the LEDs back")
        << 1 << QStringList { "duplicated", "cancel password" } << 1 << "primary" << 1 << 0;
    QTest::newRow("after a cancelled request the next tap asks again")
        << 1 << QStringList { "duplicated", "cancel password", "duplicated" } << 1 << "duplicated" << 2 << 0;
    QTest::newRow("the LEDs show the new choice while asking") << 1 << QStringList { "duplicated" } << 1 << "duplicated" << 1 << 0;
    QTest::newRow("a wrong password is refused, the right one then accepted")
        << 1 << QStringList { "duplicated", "type 7390", "dismiss warning", "type 7391", "store", "yes" } << 0 << "closed" << 1 << 1;
    QTest::newRow("after the password further taps ask nothing")
        << 1 << QStringList { "duplicated", "type 7391", "primary", "duplicated" } << 1 << "duplicated" << 1 << 0;
    QTest::newRow("No keeps the window with the new choice")
        << 1 << QStringList { "duplicated", "type 7391", "store", "no" } << 1 << "duplicated" << 1 << 1;
    QTest::newRow("Escape does nothing") << 1 << QStringList { "duplicated", "type 7391", "escape" } << 1 << "duplicated" << 1 << 0;
    QTest::newRow("Cancel closes without storing") << 1 << QStringList { "duplicated", "type 7391", "cancel" } << 1 << "closed" << 1 << 0;
}

void TestSelectSystemCfgWindow::operatorFlow()
{
    QFETCH(int, stored);
    QFETCH(QStringList, actions);
    QFETCH(int, storedAfter);
    QFETCH(QString, ledsAfter);
    QFETCH(int, passwordRequestsAfter);
    QFETCH(int, questionsAfter);

    QVERIFY(QSqlQuery(systemFile()).exec(QString("UPDATE systemCfg SET isPrimary=%1").arg(stored)));
    window = new SelectSystemCfgWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showWindow(mainWindow->getWindowView());
    mainWindow->forceInstantAnimationCompletion();
    QCOMPARE(window->getPrimaryLed()->isChecked(), stored == 1);
    QCOMPARE(window->getDuplicatedLed()->isChecked(), stored == 0);

    for (const QString &action : actions) {
        step(action);
        if (QTest::currentTestFailed())
            return;
    }

    QCOMPARE(storedPrimary(), storedAfter);
    QCOMPARE(storeStatements.size(), storedAfter == stored ? 0 : 1);
    QCOMPARE(passwordRequests, passwordRequestsAfter);
    QCOMPARE(questions, questionsAfter);
    if (ledsAfter == QLatin1String("closed")) {
        QVERIFY(!window);
    } else {
        QVERIFY(window);
        QCOMPARE(window->getPrimaryLed()->isChecked(), ledsAfter == QLatin1String("primary"));
        QCOMPARE(window->getDuplicatedLed()->isChecked(), ledsAfter == QLatin1String("duplicated"));
    }
}

void TestSelectSystemCfgWindow::doubleTouchesActOnce_data()
{
    QTest::addColumn<QString>("twice"); // the action whose button is touched twice in a row

    QTest::newRow("an LED opens one password request") << "led";
    QTest::newRow("Store asks one question") << "store";
    QTest::newRow("Yes stores once") << "yes";
}

void TestSelectSystemCfgWindow::doubleTouchesActOnce()
{
    QFETCH(QString, twice);

    QVERIFY(QSqlQuery(systemFile()).exec(QStringLiteral("UPDATE systemCfg SET isPrimary=1")));
    window = new SelectSystemCfgWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showWindow(mainWindow->getWindowView());
    mainWindow->forceInstantAnimationCompletion();

    // The second touch arrives before the first one's window has finished opening.
    const auto touchTwice = [](QWidget *w) {
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    };
    if (twice == QLatin1String("led")) {
        touchTwice(window->getDuplicatedLed()->getLedButton());
        QCOMPARE(openCount<TPasswordReqWindow>(), 1);
        return;
    }
    step("duplicated");
    step("type 7391");
    TOptionButton *store = window->getOkButton();
    if (twice == QLatin1String("store")) {
        touchTwice(store);
        QCOMPARE(openCount<TMessageWindow>(), 1);
        return;
    }
    touch(store);
    TAbstractSubWindow *question = top();
    for (TOptionButton *button : question->findChildren<TOptionButton *>())
        if (button->text() == QLatin1String("&Yes"))
            touchTwice(button);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(storeStatements.size(), 1);
    QCOMPARE(storedPrimary(), 0);
    QVERIFY(!window);
}

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    TestSelectSystemCfgWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_select_system_cfg_window.moc"
