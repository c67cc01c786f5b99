// kvgui_flash_animator.h
#pragma once

#include <QList>
#include <QObject>

class QPropertyAnimation;
class QSequentialAnimationGroup;
class QWidget;

// Drives the flashing of widgets: one opacity that pulses between 0 and 1, each pulse slower than the last,
// and a repaint of every flashing widget on each change. Widgets are not owned.
class TFlashAnimator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ getOpacity WRITE setOpacity)
public:
    explicit TFlashAnimator(QObject *parent);

    void setAnimating(QWidget *widget);
    void pauseAnimating(QWidget *widget);
    void clearAnimating(QWidget *widget);
    qreal getOpacity() const { return opacity; }
    void setOpacity(qreal value);

private slots:
    void handleLoopChanged(int loop);

private:
    QList<QWidget *> animatingWidgets;
    QList<QWidget *> pausedWidgets; // hidden while flashing
    qreal opacity;
    QPropertyAnimation *fadeIn; // child
    QPropertyAnimation *fadeOut; // child
    QSequentialAnimationGroup *group; // child; fade in, fade out, forever
};
