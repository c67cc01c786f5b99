// tst_password_req_window.cpp
#include "controls_test_support.h"
#include "kvgui_line_edit.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"
#include "kvgui_password_req_window.h"

#include <QPointer>

class TestPasswordReqWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(showMainWindow(mainWindow)); }
    void init()
    {
        window = new TPasswordReqWindow(QStringLiteral("Password needed"), QStringLiteral("Configuration password"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->showWindow(mainWindow->getWindowView());
        mainWindow->forceInstantAnimationCompletion();
    }
    void cleanup() { QVERIFY(closeSubWindows(mainWindow.data())); }
    void tries_data();
    void tries();
    void fieldHoldsAHundredMaskedCharacters();

private:
    QScopedPointer<TMainWindow> mainWindow;
    QPointer<TPasswordReqWindow> window;
};

void TestPasswordReqWindow::tries_data()
{
    QTest::addColumn<QStringList>("typed"); // one entry per OK
    QTest::addColumn<int>("accepted"); // correctPassword() signals; the window closes with the first
    QTest::addColumn<int>("warnings");

    QTest::newRow("the password closes the window once") << QStringList { "7391" } << 1 << 0;
    QTest::newRow("a trailing space is refused") << QStringList { "7391 " } << 0 << 1;
    QTest::newRow("a leading digit is refused") << QStringList { "07391" } << 0 << 1;
    QTest::newRow("a wrong one empties the field for the right one") << QStringList { "7390", "7391" } << 1 << 1;
}

void TestPasswordReqWindow::tries()
{
    QFETCH(QStringList, typed);
    QFETCH(int, accepted);
    QFETCH(int, warnings);

    const auto touch = [this](QWidget *button) {
        QTest::mouseClick(button, Qt::LeftButton);
        mainWindow->forceInstantAnimationCompletion();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    QSignalSpy correct(window.data(), SIGNAL(correctPassword()));
    int warned = 0;
    for (const QString &text : typed) {
        // The touch keyboard types into the focus widget: after a refusal too.
        QCOMPARE(QApplication::focusWidget(), window->getPasswordField());
        QTest::keyClicks(window->getPasswordField(), text);
        touch(window->getOkButton());
        auto *view = qobject_cast<TSubWindowView *>(mainWindow->getTopView());
        if (auto *warning = qobject_cast<TMessageWindow *>(view ? view->getWindow() : nullptr)) {
            warned += warning->getHeader() == QLatin1String("Access denied");
            touch(warning->findChild<TOptionButton *>()); // its only button, OK
        }
    }
    QCOMPARE(correct.count(), accepted);
    QCOMPARE(warned, warnings);
    QCOMPARE(window.isNull(), accepted > 0);
}

void TestPasswordReqWindow::fieldHoldsAHundredMaskedCharacters()
{
    QTest::keyClicks(window->getPasswordField(), QString(101, QLatin1Char('9')));
    QCOMPARE(window->getPasswordField()->text(), QString(100, QLatin1Char('9')));
    QCOMPARE(window->getPasswordField()->displayText().size(), 100);
    QVERIFY(!window->getPasswordField()->displayText().contains(QLatin1Char('9')));
}

QTEST_MAIN(TestPasswordReqWindow)
#include "tst_password_req_window.moc"
