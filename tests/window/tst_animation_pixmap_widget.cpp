// tst_animation_pixmap_widget.cpp
#include "kvgui_animation_pixmap_widget.h"

#include <QPainter>
#include <QtTest>

class TestAnimationPixmapWidget : public QObject
{
    Q_OBJECT
private slots:
    void painting_data();
    void painting();
    void backgroundNotCleared();
    void geometryRules_data();
    void geometryRules();
};

static QPixmap filled(const QSize &size, const QColor &color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

static const QColor Red(255, 0, 0);
static const QColor Green(0, 255, 0);
static const QColor Blue(0, 0, 255);
static const QColor None(0, 0, 0, 0);

// Each row sets up the three pictures of a 100 x 100 widget and probes one pixel of its grab.
void TestAnimationPixmapWidget::painting_data()
{
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("middle");
    QTest::addColumn<QRect>("middleGeometry");
    QTest::addColumn<qreal>("middleOpacity");
    QTest::addColumn<QColor>("front");
    QTest::addColumn<QRect>("frontGeometry");
    QTest::addColumn<qreal>("frontOpacity");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<QColor>("expected");

    const QRect all(0, 0, 100, 100);
    const QRect inner(20, 20, 40, 40);
    QTest::newRow("back picture at the origin") << Red << QColor() << QRect() << 1.0 << QColor() << QRect() << 1.0 << QPoint(99, 99) << Red;
    QTest::newRow("middle scaled into its geometry")
        << QColor() << Green << inner << 1.0 << QColor() << QRect() << 1.0 << QPoint(59, 59) << Green;
    QTest::newRow("nothing outside the middle geometry")
        << QColor() << Green << inner << 1.0 << QColor() << QRect() << 1.0 << QPoint(61, 61) << None;
    QTest::newRow("middle at opacity 0 is not drawn")
        << QColor() << Green << inner << 0.0 << QColor() << QRect() << 1.0 << QPoint(30, 30) << None;
    QTest::newRow("opaque front covering the middle suppresses it")
        << QColor() << Green << inner << 1.0 << None << all << 1.0 << QPoint(30, 30) << None;
    QTest::newRow("translucent front lets the middle show")
        << QColor() << Green << inner << 1.0 << None << all << 0.5 << QPoint(30, 30) << Green;
    QTest::newRow("front covering only part of the middle leaves it drawn")
        << QColor() << Green << inner << 1.0 << None << QRect(0, 0, 40, 40) << 1.0 << QPoint(50, 50) << Green;
    QTest::newRow("empty front geometry without a picture hides nothing")
        << QColor() << Green << inner << 1.0 << QColor() << all << 1.0 << QPoint(30, 30) << Green;
    QTest::newRow("front scaled into its geometry over the back")
        << Red << QColor() << QRect() << 1.0 << Blue << QRect(50, 50, 50, 50) << 1.0 << QPoint(75, 75) << Blue;
    QTest::newRow("back stays outside the front geometry")
        << Red << QColor() << QRect() << 1.0 << Blue << QRect(50, 50, 50, 50) << 1.0 << QPoint(25, 25) << Red;
}

void TestAnimationPixmapWidget::painting()
{
    QFETCH(QColor, back);
    QFETCH(QColor, middle);
    QFETCH(QRect, middleGeometry);
    QFETCH(qreal, middleOpacity);
    QFETCH(QColor, front);
    QFETCH(QRect, frontGeometry);
    QFETCH(qreal, frontOpacity);
    QFETCH(QPoint, probe);
    QFETCH(QColor, expected);

    TAnimationPixmapWidget widget(nullptr);
    widget.resize(100, 100);
    if (back.isValid())
        widget.setBackPixmap(filled(QSize(100, 100), back));
    if (middle.isValid()) {
        widget.setMiddelPixmap(filled(QSize(10, 10), middle));
        widget.setMiddelGeometry(middleGeometry);
        widget.setMiddelOpacity(middleOpacity);
    }
    if (front.isValid())
        widget.setFrontPixmap(filled(QSize(10, 10), front));
    widget.setFrontGeometry(frontGeometry);
    widget.setFrontOpacity(frontOpacity);

    const QImage image = widget.grab().toImage();
    const QColor actual = image.pixelColor(probe);
    if (expected.alpha() == 0)
        QCOMPARE(actual.alpha(), 0);
    else
        QCOMPARE(actual, expected);
}

void TestAnimationPixmapWidget::backgroundNotCleared()
{
    TAnimationPixmapWidget widget(nullptr);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, Red);
    widget.setPalette(palette);
    widget.resize(50, 50);
    QCOMPARE(widget.grab().toImage().pixelColor(25, 25).alpha(), 0);
}

void TestAnimationPixmapWidget::geometryRules_data()
{
    QTest::addColumn<bool>("equal");
    QTest::addColumn<QRect>("expectedMiddle");

    QTest::newRow("middle picture takes its own size at the origin") << false << QRect(0, 0, 30, 20);
    QTest::newRow("middle follows the front geometry") << true << QRect(5, 6, 70, 80);
}

void TestAnimationPixmapWidget::geometryRules()
{
    QFETCH(bool, equal);
    QFETCH(QRect, expectedMiddle);

    TAnimationPixmapWidget widget(nullptr);
    widget.setMidGeoEqualFroGeo(equal);
    widget.setFrontGeometry(QRect(5, 6, 70, 80));
    widget.setMiddelPixmap(filled(QSize(30, 20), Green));
    QCOMPARE(widget.getMiddelGeometry(), expectedMiddle);
}

QTEST_MAIN(TestAnimationPixmapWidget)
#include "tst_animation_pixmap_widget.moc"
