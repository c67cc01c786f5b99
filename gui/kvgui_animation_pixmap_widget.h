// kvgui_animation_pixmap_widget.h
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QRect>

// Paints up to three still pictures over its live children: a back picture at (0, 0), a middle
// and a front picture each scaled into its own geometry with its own opacity. Views animate
// these instead of their live widgets. The system never clears its background.
class TAnimationPixmapWidget : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QRect frontGeometry READ getFrontGeometry WRITE setFrontGeometry)
    Q_PROPERTY(qreal frontOpacity READ getFrontOpacity WRITE setFrontOpacity)
    Q_PROPERTY(QRect middelGeometry READ getMiddelGeometry WRITE setMiddelGeometry)
    Q_PROPERTY(qreal middelOpacity READ getMiddelOpacity WRITE setMiddelOpacity)
public:
    explicit TAnimationPixmapWidget(QWidget *parent = nullptr);

    virtual void setFrontGeometry(const QRect &geometry);
    virtual void setMiddelGeometry(const QRect &geometry);

    void setBackPixmap(const QPixmap &pixmap);
    void setFrontPixmap(const QPixmap &pixmap);
    void setMiddelPixmap(const QPixmap &pixmap);
    void setPixmaps(const QPixmap &front, const QPixmap &back);
    void setFrontOpacity(qreal opacity);
    void setMiddelOpacity(qreal opacity);
    void setMidGeoEqualFroGeo(bool equal);

    QRect getFrontGeometry() const { return frontGeometry; }
    QRect getMiddelGeometry() const { return middelGeometry; }
    qreal getFrontOpacity() const { return frontOpacity; }
    qreal getMiddelOpacity() const { return middelOpacity; }

protected:
    void paintEvent(QPaintEvent *event) override;

    QPixmap frontPixmap;
    QPixmap backPixmap;
    QPixmap middelPixmap;
    QRect frontGeometry;
    qreal frontOpacity;
    QRect middelGeometry;
    qreal middelOpacity;
    bool midGeoEqualFroGeo; // the middle picture follows the front geometry
};
