// tst_message_window.cpp
#include "controls_test_support.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"
#include "kvgui_window_view.h"

#include <QLabel>
#include <QPointer>

class TAnswers : public QObject
{
    Q_OBJECT
public:
    QStringList answers; // the slot reached, with the text of the button it was given
public slots:
    void yes(QWidget *w) { answers << QStringLiteral("yes ") + w->property("text").toString(); }
    void no(QWidget *w) { answers << QStringLiteral("no ") + w->property("text").toString(); }
};

class TestMessageWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(showMainWindow(mainWindow)); }
    void cleanup();
    void answering_data();
    void answering();
    void datedMessage_data();
    void datedMessage();
    void timeStampStaysInTheCorner();
    void distressStaysAbove();

private:
    TMessageWindow *topMessage() const
    {
        auto *view = qobject_cast<TSubWindowView *>(mainWindow->getTopView());
        return view ? qobject_cast<TMessageWindow *>(view->getWindow()) : nullptr;
    }
    QWidget *source() const { return mainWindow->getWindowView(); } // messages open growing out of it
    QScopedPointer<TMainWindow> mainWindow;
};

void TestMessageWindow::cleanup()
{
    TMessageWindow::use24HourClock = false;
    QVERIFY(closeSubWindows(mainWindow.data()));
}

void TestMessageWindow::answering_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("reached");
    QTest::addColumn<QString>("answer");

    QTest::newRow("a warning's one OK button closes it") << "warning" << QStringList {} << "&OK";
    QTest::newRow("Yes runs the yes slot with the Yes button") << "yes" << QStringList { "yes &Yes" } << "&Yes";
    QTest::newRow("No without a slot only closes") << "yes" << QStringList {} << "&No";
    QTest::newRow("No runs the no slot") << "yes no" << QStringList { "no &No" } << "&No";
    QTest::newRow("Return on the keypad answers Yes") << "yes no" << QStringList { "yes &Yes" } << "Return";
}

void TestMessageWindow::answering()
{
    QFETCH(QString, question);
    QFETCH(QStringList, reached);
    QFETCH(QString, answer);

    TAnswers answers;
    if (question == QLatin1String("warning"))
        TMessageWindow::warning(QStringLiteral("Wrong password"), QStringLiteral("Try again."), source(), nullptr, nullptr);
    else
        TMessageWindow::yesNoQuestion(QStringLiteral("Store"), QStringLiteral("Store the new role?"), source(), &answers,
            SLOT(yes(QWidget *)), question.contains(QLatin1String("no")) ? SLOT(no(QWidget *)) : nullptr);
    QPointer<TMessageWindow> window = topMessage();
    QCOMPARE(window->findChildren<TOptionButton *>().count(), question == QLatin1String("warning") ? 1 : 2);
    mainWindow->forceInstantAnimationCompletion();
    for (TOptionButton *button : window->findChildren<TOptionButton *>())
        if (button->text() == answer)
            QTest::mouseClick(button, Qt::LeftButton);
    if (answer == QLatin1String("Return"))
        QTest::keyClick(window, Qt::Key_Return);

    QCOMPARE(answers.answers, reached);
    // Closed and deleted.
    QTRY_VERIFY(!window);
    QVERIFY(mainWindow->getSubWindows().isEmpty());
}

void TestMessageWindow::datedMessage_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<bool>("clock24");
    QTest::addColumn<QString>("shown");

    const QDate day(2026, 12, 6);
    QTest::newRow("afternoon on the 12-hour clock") << QDateTime(day, QTime(13, 5), Qt::UTC) << false << "01:05 pm";
    QTest::newRow("morning on the 12-hour clock") << QDateTime(day, QTime(9, 30), Qt::UTC) << false << "09:30 am";
    QTest::newRow("afternoon on the 24-hour clock") << QDateTime(day, QTime(13, 5), Qt::UTC) << true << "13:05";
    QTest::newRow("another zone is shown in UTC") << QDateTime(day, QTime(15, 5), Qt::OffsetFromUTC, 7200) << true << "13:05";
    QTest::newRow("no date-time, no stamp") << QDateTime() << false << "";
}

void TestMessageWindow::datedMessage()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(bool, clock24);
    QFETCH(QString, shown);

    TMessageWindow::use24HourClock = clock24;
    TMessageWindow::info(QStringLiteral("Dated"), QStringLiteral("Text"), dateTime);
    TMessageWindow *window = topMessage();
    QCOMPARE(window->getTimeStamp(), shown);
    // Without an originating widget a message is event information, in the first cascade slot.
    QCOMPARE(TAbstractSubWindow::currentEventInfos, QList<TAbstractSubWindow *> { window });
    QTRY_COMPARE(finalTopLeft(mainWindow.data(), window), QPoint(50, 70));
}

void TestMessageWindow::timeStampStaysInTheCorner()
{
    TMessageWindow window(TMessageWindow::Info, QStringLiteral("Header"), QStringLiteral("Text"), nullptr, nullptr);
    auto *label = window.findChild<QLabel *>(QStringLiteral("TimeStamp"));
    window.show();
    for (int width : { 520, 640 }) {
        window.resize(width, 200);
        QTRY_COMPARE(label->geometry().topRight(), QPoint(width - 1, 0));
    }
}

void TestMessageWindow::distressStaysAbove()
{
    TMessageWindow::message(
        TMessageWindow::Distress, QStringLiteral("Alarm"), QStringLiteral("Text"), QDateTime(), source(), nullptr, nullptr);
    TMessageWindow *distress = topMessage();
    TMessageWindow::warning(QStringLiteral("Later"), QStringLiteral("Text"), source());
    QCOMPARE(topMessage(), distress);
    QCOMPARE(mainWindow->getSubWindows().count(), 2);
}

QTEST_MAIN(TestMessageWindow)
#include "tst_message_window.moc"
