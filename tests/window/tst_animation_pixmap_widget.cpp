// tst_animation_pixmap_widget.cpp
#include "kvgui_animation_pixmap_widget.h"

#include <QtTest>

class TestAnimationPixmapWidget : public QObject
{
    Q_OBJECT
private slots:
    void painting_data();
    void painting();
};

static QPixmap filled(const QSize &size, const QColor &color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

static const QColor NoPicture;
static const QColor Green(0, 255, 0);
static const QColor Blue(0, 0, 255);
static const QColor None(0, 0, 0, 0);

// A 100 x 100 widget with a middle picture at (20, 20) 40 x 40 and a front picture, each
// optional; each row probes one pixel of its grab. The widget's own background is magenta and
// must never show. The back picture is seen in the dimmed still picture of the main window.
void TestAnimationPixmapWidget::painting_data()
{
    QTest::addColumn<QColor>("middle");
    QTest::addColumn<qreal>("middleOpacity");
    QTest::addColumn<QColor>("front");
    QTest::addColumn<QRect>("frontGeometry");
    QTest::addColumn<qreal>("frontOpacity");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<QColor>("expected");

    const QRect all(0, 0, 100, 100);
    const QRect corner(50, 50, 50, 50);
    QTest::newRow("no picture leaves the background uncleared")
        << NoPicture << 1.0 << NoPicture << QRect() << 1.0 << QPoint(50, 50) << None;
    QTest::newRow("middle scaled into its geometry") << Green << 1.0 << NoPicture << QRect() << 1.0 << QPoint(59, 59) << Green;
    QTest::newRow("nothing outside the middle geometry") << Green << 1.0 << NoPicture << QRect() << 1.0 << QPoint(61, 61) << None;
    QTest::newRow("middle at opacity 0 is not drawn") << Green << 0.0 << NoPicture << QRect() << 1.0 << QPoint(30, 30) << None;
    QTest::newRow("opaque front covering the middle suppresses it") << Green << 1.0 << None << all << 1.0 << QPoint(30, 30) << None;
    QTest::newRow("translucent front lets the middle show") << Green << 1.0 << None << all << 0.5 << QPoint(30, 30) << Green;
    QTest::newRow("front covering only part of the middle leaves it drawn")
        << Green << 1.0 << None << QRect(0, 0, 40, 40) << 1.0 << QPoint(50, 50) << Green;
    QTest::newRow("front geometry without a picture hides nothing") << Green << 1.0 << NoPicture << all << 1.0 << QPoint(30, 30) << Green;
    QTest::newRow("front scaled into its geometry") << NoPicture << 1.0 << Blue << corner << 1.0 << QPoint(75, 75) << Blue;
    QTest::newRow("nothing outside the front geometry") << NoPicture << 1.0 << Blue << corner << 1.0 << QPoint(49, 49) << None;
}

void TestAnimationPixmapWidget::painting()
{
    QFETCH(QColor, middle);
    QFETCH(qreal, middleOpacity);
    QFETCH(QColor, front);
    QFETCH(QRect, frontGeometry);
    QFETCH(qreal, frontOpacity);
    QFETCH(QPoint, probe);
    QFETCH(QColor, expected);

    TAnimationPixmapWidget widget(nullptr);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Qt::magenta);
    widget.setPalette(palette);
    widget.resize(100, 100);
    if (middle.isValid()) {
        widget.setMiddelPixmap(filled(QSize(10, 10), middle));
        widget.setMiddelGeometry(QRect(20, 20, 40, 40));
        widget.setMiddelOpacity(middleOpacity);
    }
    if (front.isValid())
        widget.setFrontPixmap(filled(QSize(10, 10), front));
    widget.setFrontGeometry(frontGeometry);
    widget.setFrontOpacity(frontOpacity);

    const QColor actual = widget.grab().toImage().pixelColor(probe);
    if (expected.alpha() == 0)
        QCOMPARE(actual.alpha(), 0);
    else
        QCOMPARE(actual, expected);
}

QTEST_MAIN(TestAnimationPixmapWidget)
#include "tst_animation_pixmap_widget.moc"
