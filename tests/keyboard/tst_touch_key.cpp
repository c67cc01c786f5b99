// tst_touch_key.cpp
#include "gui_test_support.h"

#include "kvgui_base_touch_keypad.h"
#include "kvgui_control_key_data.h"
#include "kvgui_standard_key_data.h"
#include "kvgui_touch_key.h"

#include <QLineEdit>

class TestTouchKey : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void touches_data();
    void touches();

private:
    TTouchKey *newKey(TBaseKeyData *kd, TTouchKey::TKeyWidth width = TTouchKey::KeyWidth58);
    TBaseKeyData *own(TBaseKeyData *kd)
    {
        data << kd;
        return kd;
    }

    QWidget *window = nullptr;
    QLineEdit *field = nullptr;
    TBaseTouchKeypad *keypad = nullptr;
    QList<TBaseKeyData *> data;
};

void TestTouchKey::init()
{
    window = new QWidget;
    field = new QLineEdit(window);
    keypad = new TBaseTouchKeypad(window);
    window->show();
    field->setFocus();
}

void TestTouchKey::cleanup()
{
    delete window;
    qDeleteAll(data);
    data.clear();
}

TTouchKey *TestTouchKey::newKey(TBaseKeyData *kd, TTouchKey::TKeyWidth width)
{
    TTouchKey *key = new TTouchKey(keypad, width, TTouchKey::LargeFont);
    keypad->addNewKey(key);
    key->setKeyData(kd ? own(kd) : nullptr);
    key->show();
    return key;
}

void TestTouchKey::touches_data()
{
    QTest::addColumn<QString>("kind"); // of the key data
    QTest::addColumn<int>("width"); // in pixels, each of the five in some row
    QTest::addColumn<QString>("steps"); // p press, r release, m move, upper case off the key; t the repeat timer fires
    QTest::addColumn<QList<int>>("activations"); // after each step
    QTest::addColumn<QList<int>>("intervals"); // timer interval after each step, -1 stopped

    using L = QList<int>;
    QTest::newRow("held: at 0, 500, 550 and 600 ms") << "repeating" << 58 << "pttt" << L { 1, 2, 3, 4 } << L { 500, 50, 50, 50 };
    QTest::newRow("released before 500 ms: exactly one") << "repeating" << 87 << "pr" << L { 1, 1 } << L { 500, -1 };
    QTest::newRow("sliding off pauses, sliding back resumes")
        << "repeating" << 117 << "pMtmt" << L { 1, 1, 1, 1, 2 } << L { 500, 500, 50, 50, 50 };
    QTest::newRow("a plain key fires on release") << "plain" << 147 << "pr" << L { 0, 1 } << L { -1, -1 };
    QTest::newRow("released off the key: nothing") << "plain" << 294 << "pMR" << L { 0, 0, 0 } << L { -1, -1, -1 };
    QTest::newRow("an empty key is silent") << "empty" << 147 << "pr" << L { 0, 0 } << L { -1, -1 };
}

// Every key is 58 high on the background of its width.
void TestTouchKey::touches()
{
    QFETCH(QString, kind);
    QFETCH(int, width);
    QFETCH(QString, steps);
    QFETCH(QList<int>, activations);
    QFETCH(QList<int>, intervals);
    const bool repeating = kind == "repeating";
    using K = TTouchKey;
    const QMap<int, K::TKeyWidth> widths { { 58, K::KeyWidth58 }, { 87, K::KeyWidth87 }, { 117, K::KeyWidth117 }, { 147, K::KeyWidth147 },
        { 294, K::KeyWidth294 } };
    TTouchKey *key = newKey(
        kind == "empty" ? nullptr : new TStandardKeyData(Qt::Key_Backspace, QString(), "Back\nspace", "kvgui_key_backspace", repeating),
        widths.value(width));
    QCOMPARE(key->size(), QSize(width, 58));
    QCOMPARE(key->getBackgroundPixmapName(), "kvgui_key" + QString::number(width));
    QVERIFY(!key->grab().isNull());
    QSignalSpy spy(key, SIGNAL(keyActivated(TBaseKeyData *)));
    QTimer *timer = key->findChild<QTimer *>();
    QCOMPARE(bool(timer), repeating);
    for (int i = 0; i < steps.size(); ++i) {
        const QChar step = steps.at(i);
        if (step == 't') {
            QMetaObject::invokeMethod(key, "repeatTimeout"); // what the timer would do, without the wait
        } else {
            const QEvent::Type type = step.toLower() == 'p' ? QEvent::MouseButtonPress
                : step.toLower() == 'r'                     ? QEvent::MouseButtonRelease
                                                            : QEvent::MouseMove;
            touch(key, type, step.isUpper() ? QPoint(key->width() + 10, 5) : key->rect().center());
        }
        QCOMPARE(spy.count(), activations.at(i));
        QCOMPARE(timer && timer->isActive() ? timer->interval() : -1, intervals.at(i));
    }
}

QTEST_MAIN(TestTouchKey)
#include "tst_touch_key.moc"
