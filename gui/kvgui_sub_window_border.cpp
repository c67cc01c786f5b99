// kvgui_sub_window_border.cpp
#include "kvgui_sub_window_border.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTimer>

// Half a second on, half a second off: the red line of a distress window.
static const int DistressFlashInterval = 500;

TSubWindowBorder::TSubWindowBorder(QWidget *parent)
    : QWidget(parent)
    , borderWidth(25)
    , distress(false)
    , outerStop(1.0)
    , lineStop(0.25)
    , innerStop(0.2)
    , pDistressTimer(nullptr)
    , distressLineLit(true)
{ }

void TSubWindowBorder::setDistress(bool on)
{
    if (!pDistressTimer) {
        if (!on)
            return;
        pDistressTimer = new QTimer(this);
        pDistressTimer->setInterval(DistressFlashInterval);
        connect(pDistressTimer, SIGNAL(timeout()), this, SLOT(distressTimeout()));
    }
    distress = on;
    distressLineLit = true;
    if (on)
        pDistressTimer->start();
    else
        pDistressTimer->stop();
    update();
}

void TSubWindowBorder::distressTimeout()
{
    distressLineLit = !distressLineLit;
    update();
}

void TSubWindowBorder::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int b = borderWidth;
    const int w = width();
    const int h = height();
    const QColor inside = painter.background().color();
    const QColor line = distress && distressLineLit ? QColor(255, 0, 0) : painter.pen().color();
    const QColor outside(0, 0, 0, 0);

    painter.setPen(Qt::NoPen);
    painter.fillRect(QRect(b, b, w - 2 * b, h - 2 * b), inside);

    auto setStops = [&](QGradient &gradient) {
        gradient.setColorAt(innerStop, inside);
        gradient.setColorAt(lineStop, line);
        gradient.setColorAt(outerStop, outside);
    };

    // Corners: radial, centred on the inner corner point.
    const QPoint corners[4] = { QPoint(b, b), QPoint(w - b, b), QPoint(b, h - b), QPoint(w - b, h - b) };
    const QRect cornerRects[4] = { QRect(0, 0, b, b), QRect(w - b, 0, b, b), QRect(0, h - b, b, b), QRect(w - b, h - b, b, b) };
    for (int i = 0; i < 4; ++i) {
        QRadialGradient gradient(corners[i], b);
        setStops(gradient);
        painter.fillRect(cornerRects[i], gradient);
    }

    // Sides: linear, running b pixels outwards from the inner edge.
    struct Band
    {
        QRect area;
        QPointF from, to;
    };
    const Band bands[4] = {
        { QRect(b, 0, w - 2 * b, b), QPointF(0, b), QPointF(0, 0) },
        { QRect(b, h - b, w - 2 * b, b), QPointF(0, h - b), QPointF(0, h) },
        { QRect(0, b, b, h - 2 * b), QPointF(b, 0), QPointF(0, 0) },
        { QRect(w - b, b, b, h - 2 * b), QPointF(w - b, 0), QPointF(w, 0) },
    };
    for (const Band &band : bands) {
        QLinearGradient gradient(band.from, band.to);
        setStops(gradient);
        painter.fillRect(band.area, gradient);
    }
}
