// tst_style.cpp
#include "kvgui_style.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QtTest>

namespace {

// Whether the style paints anything at all for the element on a white canvas.
bool paints(const QStyle &style, QStyle::PrimitiveElement element)
{
    QImage image(40, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const QImage blank = image;
    QStyleOptionFocusRect option;
    option.rect = QRect(4, 4, 32, 32);
    QPainter painter(&image);
    style.drawPrimitive(element, &option, &painter, nullptr);
    painter.end();
    return image != blank;
}

} // namespace

class TestStyle : public QObject
{
    Q_OBJECT

private slots:
    void onlyFocusRectanglesAreLeftOut();
    void iconPixmapsAreNeverAltered();
};

void TestStyle::onlyFocusRectanglesAreLeftOut()
{
    // The common style draws both, so a difference is the override's.
    QVERIFY(paints(QCommonStyle(), QStyle::PE_FrameFocusRect) && paints(QCommonStyle(), QStyle::PE_IndicatorArrowDown));
    QVERIFY(!paints(TStyle(), QStyle::PE_FrameFocusRect));
    QVERIFY(paints(TStyle(), QStyle::PE_IndicatorArrowDown));
}

void TestStyle::iconPixmapsAreNeverAltered()
{
    QPixmap original(16, 16);
    original.fill(Qt::red);
    const QStyleOption option; // QIcon passes one; the common style reads its palette
    // The common style greys disabled icons and tints selected ones.
    for (QIcon::Mode mode : { QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected })
        QVERIFY2(TStyle().generatedIconPixmap(mode, original, &option).toImage() == original.toImage(), qPrintable(QString::number(mode)));
}

QTEST_MAIN(TestStyle)
#include "tst_style.moc"
