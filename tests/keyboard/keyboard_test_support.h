// keyboard_test_support.h
#pragma once

#include <QMouseEvent>
#include <QtTest>

// Touches arrive as mouse events with the left button; built by hand so that moves carry the
// held button.
inline void touch(QWidget *w, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

inline void tap(QWidget *w)
{
    touch(w, QEvent::MouseButtonPress, w->rect().center());
    touch(w, QEvent::MouseButtonRelease, w->rect().center());
}
