// tst_message_window.cpp: answers to questions, dated messages, the distress level and the showing
// of a message's button bar. (Warnings and the yes/no question of the selection window are also
// answered in tst_select_system_cfg_window, and No without a slot by the application in
// tst_system_selection.)
#include "gui_test_support.h"
#include "kvgui_button_bar.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"

class TAnswers : public QObject
{
    Q_OBJECT
public:
    QStringList answers; // the slot reached, with the text of the button it was given
public slots:
    void yes(QWidget *w) { answers << "yes " + w->property("text").toString(); }
    void no(QWidget *w) { answers << "no " + w->property("text").toString(); }
};

class TestMessageWindow : public GuiFixture
{
    Q_OBJECT
    TMessageWindow *topMessage() const
    {
        auto *view = qobject_cast<TSubWindowView *>(mainWindow->getTopView());
        return view ? qobject_cast<TMessageWindow *>(view->getWindow()) : nullptr;
    }

private slots:
    void answering_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("reached");
        QTest::newRow("No runs the no slot") << QString("&No") << QString("no &No");
        QTest::newRow("Return on the keypad answers Yes") << QString("Return") << QString("yes &Yes");
    }
    void answering()
    {
        QFETCH(QString, answer);
        QFETCH(QString, reached);
        TAnswers answers;
        TMessageWindow::yesNoQuestion("Store", "Store the new role?" + QString("\n-").repeated(40), mainWindow->getWindowView(), &answers,
            SLOT(yes(QWidget *)), "no(QWidget*)"); // a bare signature as well as SLOT() text
        QPointer<TMessageWindow> window = topMessage();
        QCOMPARE(window->getView()->getStartRect().size(), QSize(0, 0)); // grows out of the control it came from
        mainWindow->forceInstantAnimationCompletion();
        QCOMPARE(window->size(), QSize(500, 526)); // a text taller than the room is cut to it
        for (TOptionButton *button : window->findChildren<TOptionButton *>())
            if (button->text() == answer)
                QTest::mouseClick(button, Qt::LeftButton);
        if (answer == "Return")
            QTest::keyClick(window, Qt::Key_Return);
        QCOMPARE(answers.answers, QStringList { reached });
        // Closed and deleted.
        QTRY_VERIFY(!window);
    }

    void buttonBarReportsShowing()
    {
        // The bar of a message reports each showing and hiding, as fully shown unless minimised.
        TButtonBar bar(nullptr, false);
        QSignalSpy reports(&bar, SIGNAL(fullyShown(bool)));
        bar.show();
        bar.hide();
        QCOMPARE(QList<QVariantList>(reports), (QList<QVariantList> { { true }, { false } }));
    }

    void distressStaysAbove()
    {
        TMessageWindow::message(TMessageWindow::Distress, "Alarm", "Text", QDateTime(), mainWindow->getWindowView(), nullptr, nullptr);
        TMessageWindow *distress = topMessage();
        TMessageWindow::warning("Later", "Text", mainWindow->getWindowView());
        QVERIFY(topMessage() == distress && mainWindow->getSubWindows().count() == 2);
    }
};

QTEST_MAIN(TestMessageWindow)
#include "tst_message_window.moc"
