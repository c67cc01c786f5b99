// kvgui_style.h
#pragma once

#include <QCommonStyle>

// The application's widget style: Qt's common style without focus rectangles and without
// greyed or tinted icons; controls draw their own state images from the style sheet object.
class TStyle : public QCommonStyle
{
    Q_OBJECT
public:
    TStyle() = default;

    void drawPrimitive(
        PrimitiveElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget = nullptr) const override;
    QPixmap generatedIconPixmap(QIcon::Mode iconMode, const QPixmap &pixmap, const QStyleOption *option) const override;
};
