// kvgui_flash_animator.cpp
#include "kvgui_flash_animator.h"

#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QWidget>

namespace {
// The first pulse is quick to catch the eye; each later one is a third longer, up to a second.
const int FirstFadeDuration = 120;
const int LongestFadeDuration = 1000;
} // namespace

TFlashAnimator::TFlashAnimator(QObject *parent)
    : QObject(parent)
    , opacity(0.0)
    , fadeIn(new QPropertyAnimation(this, "opacity", this))
    , fadeOut(new QPropertyAnimation(this, "opacity", this))
    , group(new QSequentialAnimationGroup(this))
{
    fadeIn->setStartValue(0.0);
    fadeIn->setEndValue(1.0);
    fadeOut->setStartValue(1.0);
    fadeOut->setEndValue(0.0);
    group->addAnimation(fadeIn);
    group->addAnimation(fadeOut);
    group->setLoopCount(-1);
    connect(group, SIGNAL(currentLoopChanged(int)), this, SLOT(handleLoopChanged(int)));
}

void TFlashAnimator::setAnimating(QWidget *widget)
{
    animatingWidgets.append(widget);
    if (group->state() == QAbstractAnimation::Paused) {
        group->resume();
    } else if (group->state() == QAbstractAnimation::Stopped) {
        fadeIn->setDuration(FirstFadeDuration);
        fadeOut->setDuration(FirstFadeDuration);
        group->start();
    }
}

void TFlashAnimator::pauseAnimating(QWidget *widget)
{
    if (!animatingWidgets.contains(widget))
        return;
    animatingWidgets.removeAll(widget);
    pausedWidgets.append(widget);
    if (animatingWidgets.isEmpty()) {
        group->pause();
        setOpacity(0.0);
    }
}

void TFlashAnimator::clearAnimating(QWidget *widget)
{
    animatingWidgets.removeAll(widget);
    pausedWidgets.removeAll(widget);
    if (animatingWidgets.isEmpty()) {
        if (pausedWidgets.isEmpty())
            group->stop();
        else if (group->state() == QAbstractAnimation::Running)
            group->pause();
    }
    setOpacity(0.0);
}

void TFlashAnimator::setOpacity(qreal value)
{
    opacity = value;
    for (QWidget *widget : qAsConst(animatingWidgets))
        widget->update();
}

void TFlashAnimator::handleLoopChanged(int loop)
{
    if (loop < 1)
        return;
    group->stop();
    const int duration = qMin(fadeOut->duration() + fadeOut->duration() / 3, LongestFadeDuration);
    fadeIn->setDuration(duration);
    fadeOut->setDuration(duration);
    group->start();
}
