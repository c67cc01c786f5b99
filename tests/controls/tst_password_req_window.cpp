// tst_password_req_window.cpp
#include "controls_test_support.h"
#include "kvgui_line_edit.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"
#include "kvgui_password_req_window.h"
#include "kvgui_touch_keyboard.h"

#include <QLabel>
#include <QPointer>

class TestPasswordReqWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(showMainWindow(mainWindow)); }
    void init();
    void cleanup() { QVERIFY(closeSubWindows(mainWindow.data())); }
    void tries_data();
    void tries();
    void fieldHoldsAHundredMaskedCharacters();
    void keyboardComesWithTheWindow();

private:
    TAbstractSubWindow *top() const
    {
        auto *view = qobject_cast<TSubWindowView *>(mainWindow->getTopView());
        return view ? view->getWindow() : nullptr;
    }
    void touchButton(TAbstractSubWindow *window, const QString &text)
    {
        mainWindow->forceInstantAnimationCompletion();
        for (TOptionButton *button : window->findChildren<TOptionButton *>())
            if (button->text() == text)
                QTest::mouseClick(button, Qt::LeftButton);
        mainWindow->forceInstantAnimationCompletion();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QScopedPointer<TMainWindow> mainWindow;
    QPointer<TPasswordReqWindow> window;
};

void TestPasswordReqWindow::init()
{
    window = new TPasswordReqWindow(QStringLiteral("Password needed"), QStringLiteral("Configuration password"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showWindow(mainWindow->getWindowView());
    mainWindow->forceInstantAnimationCompletion();
}

void TestPasswordReqWindow::tries_data()
{
    QTest::addColumn<QStringList>("typed"); // one entry per OK; "cancel" touches Cancel instead
    QTest::addColumn<int>("accepted"); // correctPassword() signals
    QTest::addColumn<int>("warnings");
    QTest::addColumn<bool>("open");

    QTest::newRow("the password closes the window once") << QStringList { "7391" } << 1 << 0 << false;
    QTest::newRow("a trailing space is refused") << QStringList { "7391 " } << 0 << 1 << true;
    QTest::newRow("a leading digit is refused") << QStringList { "07391" } << 0 << 1 << true;
    QTest::newRow("an empty field is refused") << QStringList { "" } << 0 << 1 << true;
    QTest::newRow("a wrong, then the right one") << QStringList { "7390", "7391" } << 1 << 1 << false;
    QTest::newRow("wrong three times, no limit") << QStringList { "1", "2", "3" } << 0 << 3 << true;
    QTest::newRow("Cancel closes without the signal") << QStringList { "cancel" } << 0 << 0 << false;
}

void TestPasswordReqWindow::tries()
{
    QFETCH(QStringList, typed);
    QFETCH(int, accepted);
    QFETCH(int, warnings);
    QFETCH(bool, open);

    QSignalSpy correct(window.data(), SIGNAL(correctPassword()));
    TLineEdit *field = window->getPasswordField();
    int warned = 0;
    for (const QString &text : typed) {
        if (text == QLatin1String("cancel")) {
            QTest::keyClicks(field, "7391");
            touchButton(window, QStringLiteral("&Cancel"));
            break;
        }
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(field->text(), QString());
        QTest::keyClicks(field, text);
        QCOMPARE(field->text(), text);
        touchButton(window, QStringLiteral("&OK"));
        if (auto *warning = qobject_cast<TMessageWindow *>(top())) {
            ++warned;
            QCOMPARE(warning->getHeader(), QString("Access denied"));
            QCOMPARE(warning->getDescription(), QString("Incorrect password"));
            touchButton(warning, QStringLiteral("&OK"));
        }
    }
    QCOMPARE(correct.count(), accepted);
    QCOMPARE(warned, warnings);
    QCOMPARE(!window.isNull(), open);
}

void TestPasswordReqWindow::fieldHoldsAHundredMaskedCharacters()
{
    TLineEdit *field = window->getPasswordField();
    QCOMPARE(window->findChild<QLabel *>("OptionLabel")->text(), QString("Configuration password"));
    QTest::keyClicks(field, QString(101, QLatin1Char('9')));
    QCOMPARE(field->text(), QString(100, QLatin1Char('9')));
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    QCOMPARE(field->displayText().size(), 100);
    QVERIFY(!field->displayText().contains(QLatin1Char('9')));
}

void TestPasswordReqWindow::keyboardComesWithTheWindow()
{
    TSubWindowView *view = window->getView();
    QVERIFY(view->getKeyboard());
    QVERIFY(view->getKeyboard()->isVisible());
    QVERIFY(mainWindow->topWindowHasVisibleKeyborad());
    // Above the keyboard: the window's frame ends over the keyboard's top edge.
    QVERIFY(TMainWindow::posWithinMainWindow(window, QPoint(0, window->height())).y()
        <= TMainWindow::posWithinMainWindow(view->getKeyboard(), QPoint(0, 0)).y());
}

QTEST_MAIN(TestPasswordReqWindow)
#include "tst_password_req_window.moc"
