#include <QtTest>
class Tkeyboard_view : public QObject { Q_OBJECT };
QTEST_MAIN(Tkeyboard_view)
#include "tst_keyboard_view.moc"
