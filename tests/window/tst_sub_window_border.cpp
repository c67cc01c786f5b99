// tst_sub_window_border.cpp
#include "kvgui_sub_window_border.h"

#include <QtTest>

class TestSubWindowBorder : public QObject
{
    Q_OBJECT
private slots:
    void painting_data();
    void painting();
};

// A 200 x 100 border, white inside, black line; probes along the left band and in a corner.
void TestSubWindowBorder::painting_data()
{
    QTest::addColumn<bool>("distress");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<QString>("expected");

    QTest::newRow("inner area takes the background colour") << false << QPoint(100, 50) << "inside";
    QTest::newRow("band next to the inner edge keeps the inside colour") << false << QPoint(22, 50) << "inside";
    QTest::newRow("line a quarter into the band") << false << QPoint(18, 50) << "line";
    QTest::newRow("outer edge fades to transparent") << false << QPoint(0, 50) << "clear";
    QTest::newRow("line runs round the corner") << false << QPoint(20, 20) << "line";
    QTest::newRow("corner fades to transparent") << false << QPoint(0, 0) << "clear";
    QTest::newRow("distress draws the line red") << true << QPoint(18, 50) << "red";
}

void TestSubWindowBorder::painting()
{
    QFETCH(bool, distress);
    QFETCH(QPoint, probe);
    QFETCH(QString, expected);

    TSubWindowBorder border(nullptr);
    QPalette palette = border.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    border.setPalette(palette);
    border.setAttribute(Qt::WA_TranslucentBackground);
    border.resize(200, 100);
    border.setDistress(distress);

    QImage image(border.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    border.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const QColor pixel = image.pixelColor(probe);

    if (expected == "inside") {
        QCOMPARE(pixel, QColor(Qt::white));
    } else if (expected == "clear") {
        QVERIFY2(pixel.alpha() < 20, qPrintable(pixel.name(QColor::HexArgb)));
    } else if (expected == "line") {
        QVERIFY2(pixel.alpha() > 200 && pixel.lightness() < 60, qPrintable(pixel.name(QColor::HexArgb)));
    } else {
        QVERIFY2(pixel.alpha() > 200 && pixel.red() > 200 && pixel.green() < 60, qPrintable(pixel.name(QColor::HexArgb)));
    }
}

QTEST_MAIN(TestSubWindowBorder)
#include "tst_sub_window_border.moc"
