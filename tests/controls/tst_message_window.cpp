// tst_message_window.cpp
#include "kv_log_capture.h"
#include "kvgui_button_bar.h"
#include "kvgui_main_window.h"
#include "kvgui_message_window.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_sub_window_view.h"
#include "kvgui_window_view.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TAnswers : public QObject
{
    Q_OBJECT
public:
    QStringList answers;
    QList<QWidget *> from;
public slots:
    void yes(QWidget *w)
    {
        answers << QStringLiteral("yes");
        from << w;
    }
    void no(QWidget *w)
    {
        answers << QStringLiteral("no");
        from << w;
    }
};

class TestMessageWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void warningHasOneOkButtonThatClosesAndDeletes();
    void yesNoQuestion_data();
    void yesNoQuestion();
    void timeStamp_data();
    void timeStamp();
    void timeStampFromStaticMessage();
    void timeStampStaysInTheCorner();
    void withoutOriginIsEventInformation();
    void distressStaysAbove_data();
    void distressStaysAbove();

private:
    TMessageWindow *topMessage() const;
    QScopedPointer<TMainWindow> mainWindow;
    QPushButton *source = nullptr;
};

void TestMessageWindow::initTestCase()
{
    mainWindow.reset(new TMainWindow(nullptr, QStringLiteral("mainWindow"), true));
    source = new QPushButton(QStringLiteral("Source"), mainWindow->getWindowView());
    source->setGeometry(300, 400, 200, 58);
    mainWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow.data()));
}

void TestMessageWindow::cleanup()
{
    TMessageWindow::use24HourClock = false;
    const QList<TSubWindowView *> shown = mainWindow->getSubWindows();
    for (TSubWindowView *view : shown)
        view->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TMessageWindow *TestMessageWindow::topMessage() const
{
    auto *view = qobject_cast<TSubWindowView *>(mainWindow->getTopView());
    return view ? qobject_cast<TMessageWindow *>(view->getWindow()) : nullptr;
}

void TestMessageWindow::warningHasOneOkButtonThatClosesAndDeletes()
{
    TLogCapture log;
    TLogCapture::lines().clear();
    TMessageWindow::warning(QStringLiteral("Wrong password"), QStringLiteral("Try again."), source, nullptr, nullptr);
    QPointer<TMessageWindow> window = topMessage();
    QVERIFY(window);
    QCOMPARE(window->getShowEffect(), int(TAbstractSubWindow::GrowFromPoint));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Header"))->text(), QStringLiteral("Wrong password"));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Description"))->text(), QStringLiteral("Try again."));
    const QList<TOptionButton *> buttons = window->findChildren<TOptionButton *>();
    QCOMPARE(buttons.count(), 1);
    QCOMPARE(buttons.first()->text(), QStringLiteral("&OK"));
    QCOMPARE(window->getDefaultOptionButton(), buttons.first());
    mainWindow->forceInstantAnimationCompletion();

    QTest::mouseClick(buttons.first(), Qt::LeftButton);
    QTRY_VERIFY(!window);
    QVERIFY(mainWindow->getSubWindows().isEmpty());
    QVERIFY(TLogCapture::contains(QStringLiteral(
        "void TMessageWindow::debugButtonBar() : Button bar leaf was selected. Will probably now close TMessageWindow with this=")));
    QVERIFY(TLogCapture::contains(QStringLiteral(": Destructor for TMessageWindow with this=")));
}

void TestMessageWindow::yesNoQuestion_data()
{
    QTest::addColumn<bool>("withNoSlot");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("reached");

    QTest::newRow("Yes runs the yes slot with the Yes button") << false << "Yes" << QStringList { "yes" };
    QTest::newRow("No without a slot only closes") << false << "No" << QStringList {};
    QTest::newRow("No runs the no slot") << true << "No" << QStringList { "no" };
    QTest::newRow("Return on the keypad answers Yes") << true << "Return" << QStringList { "yes" };
}

void TestMessageWindow::yesNoQuestion()
{
    QFETCH(bool, withNoSlot);
    QFETCH(QString, answer);
    QFETCH(QStringList, reached);

    TAnswers answers;
    TMessageWindow::yesNoQuestion(QStringLiteral("Store"), QStringLiteral("Store the new role?"), source, &answers, SLOT(yes(QWidget *)),
        withNoSlot ? SLOT(no(QWidget *)) : nullptr);
    QPointer<TMessageWindow> window = topMessage();
    QVERIFY(window);
    QCOMPARE(window->getIconName(TMessageWindow::Question), QStringLiteral("kvgui_message_question"));
    mainWindow->forceInstantAnimationCompletion();
    TOptionButton *yesButton = nullptr;
    TOptionButton *noButton = nullptr;
    for (TOptionButton *button : window->findChildren<TOptionButton *>()) {
        if (button->text() == QLatin1String("&Yes"))
            yesButton = button;
        else if (button->text() == QLatin1String("&No"))
            noButton = button;
    }
    QVERIFY(yesButton && noButton);
    QCOMPARE(window->getDefaultOptionButton(), yesButton);
    QVERIFY(answers.answers.isEmpty());

    if (answer == QLatin1String("Yes"))
        QTest::mouseClick(yesButton, Qt::LeftButton);
    else if (answer == QLatin1String("No"))
        QTest::mouseClick(noButton, Qt::LeftButton);
    else
        QTest::keyClick(window, Qt::Key_Return);

    QCOMPARE(answers.answers, reached);
    if (!reached.isEmpty())
        QCOMPARE(answers.from.first(), reached.first() == QLatin1String("yes") ? yesButton : noButton);
    QTRY_VERIFY(!window);
}

void TestMessageWindow::timeStamp_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<bool>("clock24");
    QTest::addColumn<QString>("shown");

    const QDate day(2026, 12, 6);
    QTest::newRow("afternoon on the 12-hour clock") << QDateTime(day, QTime(13, 5), Qt::UTC) << false << "01:05 pm";
    QTest::newRow("morning on the 12-hour clock") << QDateTime(day, QTime(9, 30), Qt::UTC) << false << "09:30 am";
    QTest::newRow("afternoon on the 24-hour clock") << QDateTime(day, QTime(13, 5), Qt::UTC) << true << "13:05";
    QTest::newRow("another zone is shown in UTC") << QDateTime(day, QTime(15, 5), Qt::OffsetFromUTC, 7200) << true << "13:05";
}

void TestMessageWindow::timeStamp()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(bool, clock24);
    QFETCH(QString, shown);

    TMessageWindow::use24HourClock = clock24;
    TMessageWindow window(TMessageWindow::Info, QStringLiteral("Header"), QStringLiteral("Text"), nullptr, nullptr);
    QVERIFY(window.getTimeStamp().isEmpty());
    window.setTimeStamp(dateTime);
    QCOMPARE(window.getTimeStamp(), shown);
}

void TestMessageWindow::timeStampFromStaticMessage()
{
    TMessageWindow::info(QStringLiteral("Dated"), QStringLiteral("Text"), QDateTime(QDate(2026, 12, 6), QTime(22, 45), Qt::UTC));
    TMessageWindow *window = topMessage();
    QVERIFY(window);
    QCOMPARE(window->getTimeStamp(), QStringLiteral("10:45 pm"));

    TMessageWindow::info(QStringLiteral("Undated"), QStringLiteral("Text"), QDateTime());
    window = topMessage();
    QCOMPARE(window->getHeader(), QStringLiteral("Undated"));
    QVERIFY(window->getTimeStamp().isEmpty());
}

void TestMessageWindow::timeStampStaysInTheCorner()
{
    TMessageWindow window(TMessageWindow::Info, QStringLiteral("Header"), QStringLiteral("Text"), nullptr, nullptr);
    window.setTimeStamp(QDateTime(QDate(2026, 12, 6), QTime(13, 5), Qt::UTC));
    auto *label = window.findChild<QLabel *>(QStringLiteral("TimeStamp"));
    QCOMPARE(label->width(), 70);
    for (const QSize &size : { QSize(520, 200), QSize(600, 300) }) {
        window.resize(size);
        window.show();
        QTRY_COMPARE(label->geometry().topRight(), QPoint(size.width() - 1, 0));
    }
}

void TestMessageWindow::withoutOriginIsEventInformation()
{
    TMessageWindow::error(QStringLiteral("Failure"), QStringLiteral("Text"), static_cast<QWidget *>(nullptr));
    TMessageWindow *window = topMessage();
    QVERIFY(window);
    QCOMPARE(window->getShowEffect(), int(TAbstractSubWindow::SlideIn));
    QVERIFY(TAbstractSubWindow::currentEventInfos.contains(window));
    QCOMPARE(window->getView()->getEndRect().topLeft() + QPoint(25, 25), QPoint(50, 70));
}

void TestMessageWindow::distressStaysAbove_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("onTop");

    QTest::newRow("a distress message stays above a later warning") << int(TMessageWindow::Distress) << true;
    QTest::newRow("a new distress message stays above a later warning") << int(TMessageWindow::NewDistressMessage) << true;
    QTest::newRow("a new message is covered by a later warning") << int(TMessageWindow::NewMessage) << false;
}

void TestMessageWindow::distressStaysAbove()
{
    QFETCH(int, type);
    QFETCH(bool, onTop);

    TMessageWindow::message(
        TMessageWindow::MessageType(type), QStringLiteral("Alarm"), QStringLiteral("Text"), QDateTime(), source, nullptr, nullptr);
    TMessageWindow *first = topMessage();
    QVERIFY(first);
    QCOMPARE(first->getPriority(), onTop ? 1 : 0);
    TMessageWindow::warning(QStringLiteral("Later"), QStringLiteral("Text"), source);
    QCOMPARE(topMessage() == first, onTop);
}

QTEST_MAIN(TestMessageWindow)
#include "tst_message_window.moc"
