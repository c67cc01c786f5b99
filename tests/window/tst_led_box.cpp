// tst_led_box.cpp
#include "kvgui_led_box.h"

#include <QToolButton>
#include <QtTest>

class TestLedBox : public QObject
{
    Q_OBJECT
private slots:
    void switching_data();
    void switching();
};

// The box and its LED button must always agree, each change reported once by each.
void TestLedBox::switching_data()
{
    QTest::addColumn<bool>("initial");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("final");

    QTest::newRow("touch switches an unlit LED on") << false << "touch" << true;
    QTest::newRow("touch switches a lit LED off") << true << "touch" << false;
    QTest::newRow("setChecked on the box switches the LED") << false << "box" << true;
    QTest::newRow("setChecked on the button switches the box") << false << "button" << true;
    QTest::newRow("setChecked(true) on a lit LED reports nothing") << true << "box" << true;
}

void TestLedBox::switching()
{
    QFETCH(bool, initial);
    QFETCH(QString, action);
    QFETCH(bool, final);

    TLedBox box("Primary", nullptr);
    box.resize(300, 58);
    box.setChecked(initial);
    QToolButton *button = box.getLedButton();
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    QSignalSpy boxSpy(&box, SIGNAL(toggled(bool)));
    QSignalSpy buttonSpy(button, SIGNAL(toggled(bool)));
    if (action == "touch") {
        // The button is the whole face of the box.
        QCOMPARE(box.childAt(QPoint(295, 50)), static_cast<QWidget *>(button));
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->mapFrom(&box, QPoint(295, 50)));
    } else if (action == "box") {
        box.setChecked(true);
    } else {
        button->setChecked(true);
    }
    QCOMPARE(box.isChecked(), final);
    QCOMPARE(button->isChecked(), final);
    QCOMPARE(boxSpy.count(), int(initial != final));
    QCOMPARE(buttonSpy.count(), int(initial != final));
}

QTEST_MAIN(TestLedBox)
#include "tst_led_box.moc"
