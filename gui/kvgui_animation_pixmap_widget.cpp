// kvgui_animation_pixmap_widget.cpp
#include "kvgui_animation_pixmap_widget.h"

#include <QPainter>

TAnimationPixmapWidget::TAnimationPixmapWidget(QWidget *parent)
    : QFrame(parent)
    , frontOpacity(1.0)
    , middelOpacity(1.0)
    , midGeoEqualFroGeo(false)
{
    setFrameStyle(QFrame::NoFrame | QFrame::Plain);
    // The pictures cover what is needed; a cleared background would flash between steps.
    setAttribute(Qt::WA_NoSystemBackground);
}

void TAnimationPixmapWidget::setFrontGeometry(const QRect &geometry)
{
    frontGeometry = geometry;
    if (midGeoEqualFroGeo)
        middelGeometry = geometry;
    update();
}

void TAnimationPixmapWidget::setMiddelGeometry(const QRect &geometry)
{
    middelGeometry = geometry;
    update();
}

void TAnimationPixmapWidget::setBackPixmap(const QPixmap &pixmap)
{
    backPixmap = pixmap;
    update();
}

void TAnimationPixmapWidget::setFrontPixmap(const QPixmap &pixmap)
{
    frontPixmap = pixmap;
    update();
}

void TAnimationPixmapWidget::setMiddelPixmap(const QPixmap &pixmap)
{
    middelPixmap = pixmap;
    if (!midGeoEqualFroGeo)
        middelGeometry = QRect(QPoint(0, 0), pixmap.size());
    update();
}

void TAnimationPixmapWidget::setPixmaps(const QPixmap &front, const QPixmap &back)
{
    frontPixmap = front;
    backPixmap = back;
    update();
}

void TAnimationPixmapWidget::setFrontOpacity(qreal opacity)
{
    frontOpacity = opacity;
    update();
}

void TAnimationPixmapWidget::setMiddelOpacity(qreal opacity)
{
    middelOpacity = opacity;
    update();
}

void TAnimationPixmapWidget::setMidGeoEqualFroGeo(bool equal)
{
    midGeoEqualFroGeo = equal;
    if (equal)
        middelGeometry = frontGeometry;
    update();
}

void TAnimationPixmapWidget::paintEvent(QPaintEvent *)
{
    if (backPixmap.isNull() && middelPixmap.isNull() && frontPixmap.isNull())
        return;
    QPainter painter(this);
    if (!backPixmap.isNull()) {
        painter.drawPixmap(0, 0, backPixmap);
        if (middelOpacity < 1.0) {
            painter.setOpacity(1.0 - middelOpacity);
            painter.drawPixmap(0, 0, backPixmap);
        }
    }
    // Only a front picture that is really there can hide the middle one.
    const bool middleHidden = !frontPixmap.isNull() && frontOpacity >= 1.0 && frontGeometry.contains(middelGeometry);
    if (middelOpacity > 0 && !middelPixmap.isNull() && !middleHidden) {
        painter.setOpacity(middelOpacity);
        painter.drawPixmap(middelGeometry, middelPixmap);
    }
    if (!frontPixmap.isNull()) {
        painter.setOpacity(frontOpacity);
        painter.drawPixmap(frontGeometry, frontPixmap);
    }
}
