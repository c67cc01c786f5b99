#include <QtTest>
class Ttouch_keyboard : public QObject { Q_OBJECT };
QTEST_MAIN(Ttouch_keyboard)
#include "tst_touch_keyboard.moc"
