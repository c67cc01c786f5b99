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
    void touchFace();
};

void TestLedBox::switching_data()
{
    QTest::addColumn<bool>("initial");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("final");
    QTest::addColumn<int>("reports");

    QTest::newRow("touch switches an unlit LED on") << false << "touch" << true << 1;
    QTest::newRow("touch switches a lit LED off") << true << "touch" << false << 1;
    QTest::newRow("space on the button switches it") << false << "space" << true << 1;
    QTest::newRow("setChecked on the box switches the LED") << false << "box" << true << 1;
    QTest::newRow("setChecked on the button switches the box") << false << "button" << true << 1;
    QTest::newRow("setChecked(true) on a lit LED reports nothing") << true << "box" << true << 0;
}

void TestLedBox::switching()
{
    QFETCH(bool, initial);
    QFETCH(QString, action);
    QFETCH(bool, final);
    QFETCH(int, reports);

    TLedBox box("Primary", nullptr);
    box.resize(200, 58);
    box.setChecked(initial);
    QToolButton *button = box.getLedButton();
    QCOMPARE(button->isChecked(), initial);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    QSignalSpy boxSpy(&box, SIGNAL(toggled(bool)));
    QSignalSpy buttonSpy(button, SIGNAL(toggled(bool)));
    if (action == "touch")
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    else if (action == "space")
        QTest::keyClick(button, Qt::Key_Space);
    else if (action == "box")
        box.setChecked(true);
    else
        button->setChecked(true);

    QCOMPARE(box.isChecked(), final);
    QCOMPARE(button->isChecked(), final);
    QCOMPARE(boxSpy.count(), reports);
    QCOMPARE(buttonSpy.count(), reports);
    if (reports)
        QCOMPARE(boxSpy.first().first().toBool(), final);
}

void TestLedBox::touchFace()
{
    TLedBox box("Duplicated", nullptr);
    box.resize(300, 100);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.height(), 58);
    QCOMPARE(box.focusPolicy(), Qt::NoFocus);
    // The button is the whole face: a touch anywhere on the box reaches it.
    QCOMPARE(box.getLedButton()->geometry(), box.rect());
    QCOMPARE(box.childAt(QPoint(290, 50)), static_cast<QWidget *>(box.getLedButton()));
}

QTEST_MAIN(TestLedBox)
#include "tst_led_box.moc"
