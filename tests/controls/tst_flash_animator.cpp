// tst_flash_animator.cpp
#include "kvgui_flash_animator.h"
#include "kvgui_option.h"
#include "kvgui_option_icon_button.h"

#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QtTest>

class TestFlashAnimator : public QObject
{
    Q_OBJECT
private slots:
    void pulseSlowsDown();
    void pulseSlowsDownWhileRunning();
    void pauseAndClear_data();
    void pauseAndClear();
    void hiddenIconButtonPausesItsPulse();
    void stoppingTheFlashClearsTheOverlay();

private:
    static int fadeDuration(TFlashAnimator &animator) { return animator.findChildren<QPropertyAnimation *>().first()->duration(); }
    static QAbstractAnimation::State groupState(QObject &animator) { return animator.findChild<QSequentialAnimationGroup *>()->state(); }
};

void TestFlashAnimator::pulseSlowsDown()
{
    TFlashAnimator animator(nullptr);
    QWidget widget;
    animator.setAnimating(&widget);
    QList<int> durations { fadeDuration(animator) };
    for (int loop = 0; loop < 9; ++loop) {
        QVERIFY(QMetaObject::invokeMethod(&animator, "handleLoopChanged", Q_ARG(int, 1)));
        durations << fadeDuration(animator);
    }
    QCOMPARE(durations, (QList<int> { 120, 160, 213, 284, 378, 504, 672, 896, 1000, 1000 }));
    // Both fades of a pulse always share the duration.
    const auto fades = animator.findChildren<QPropertyAnimation *>();
    QCOMPARE(fades.at(0)->duration(), fades.at(1)->duration());
}

void TestFlashAnimator::pulseSlowsDownWhileRunning()
{
    TFlashAnimator animator(nullptr);
    QWidget widget;
    animator.setAnimating(&widget);
    QTRY_COMPARE_WITH_TIMEOUT(fadeDuration(animator), 213, 5000);
    QCOMPARE(groupState(animator), QAbstractAnimation::Running);
}

void TestFlashAnimator::pauseAndClear_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("state");

    QTest::newRow("pausing the only flashing widget pauses the pulse") << "pauseA" << int(QAbstractAnimation::Paused);
    QTest::newRow("a paused widget coming back resumes the pulse") << "pauseA setA" << int(QAbstractAnimation::Running);
    QTest::newRow("pausing one of two keeps the pulse running") << "setB pauseA" << int(QAbstractAnimation::Running);
    QTest::newRow("clearing the last widget stops the pulse") << "clearA" << int(QAbstractAnimation::Stopped);
    QTest::newRow("clearing with a paused widget left only pauses") << "setB pauseB clearA" << int(QAbstractAnimation::Paused);
    QTest::newRow("pausing a widget that is not flashing does nothing") << "pauseB" << int(QAbstractAnimation::Running);
}

void TestFlashAnimator::pauseAndClear()
{
    QFETCH(QString, steps);
    QFETCH(int, state);

    TFlashAnimator animator(nullptr);
    QWidget a;
    QWidget b;
    animator.setAnimating(&a);
    const QStringList list = steps.split(QLatin1Char(' '));
    for (const QString &step : list) {
        QWidget *w = step.endsWith(QLatin1Char('A')) ? &a : &b;
        if (step.startsWith(QLatin1String("set")))
            animator.setAnimating(w);
        else if (step.startsWith(QLatin1String("pause")))
            animator.pauseAnimating(w);
        else
            animator.clearAnimating(w);
    }
    QCOMPARE(int(groupState(animator)), state);
    if (state != QAbstractAnimation::Running)
        QCOMPARE(animator.getOpacity(), 0.0);
}

void TestFlashAnimator::hiddenIconButtonPausesItsPulse()
{
    QWidget parent;
    TOption option(QStringLiteral("Alarm"), QStringLiteral("kvgui_tools"), nullptr);
    auto *button = new TOptionIconButton(&option, &parent);
    parent.show();
    button->setAnimating(true);
    auto *animator = button->findChild<TFlashAnimator *>();
    QVERIFY(animator);
    QCOMPARE(groupState(*animator), QAbstractAnimation::Running);

    button->hide();
    QCOMPARE(groupState(*animator), QAbstractAnimation::Paused);
    button->show();
    QCOMPARE(groupState(*animator), QAbstractAnimation::Running);
}

void TestFlashAnimator::stoppingTheFlashClearsTheOverlay()
{
    QWidget parent;
    TOption option(QStringLiteral("Alarm"), QStringLiteral("kvgui_tools"), nullptr);
    auto *button = new TOptionIconButton(&option, &parent);
    parent.show();
    button->setAnimating(true);
    auto *animator = button->findChild<TFlashAnimator *>();
    QTRY_VERIFY(animator->getOpacity() > 0.0);

    button->setAnimating(false);
    QCOMPARE(groupState(*animator), QAbstractAnimation::Stopped);
    QCOMPARE(animator->getOpacity(), 0.0);
    // A button that starts flashing while hidden joins the pulse only once shown.
    button->hide();
    button->setAnimating(true);
    QCOMPARE(groupState(*animator), QAbstractAnimation::Stopped);
    button->show();
    QCOMPARE(groupState(*animator), QAbstractAnimation::Running);
}

QTEST_MAIN(TestFlashAnimator)
#include "tst_flash_animator.moc"
