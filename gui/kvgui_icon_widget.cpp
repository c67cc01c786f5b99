// kvgui_icon_widget.cpp
#include "kvgui_icon_widget.h"

#include "kvgui_stylesheet.h"

#include <QPainter>

TIconWidget::TIconWidget(const QString &name, QWidget *parent)
    : QWidget(parent)
    , alignment(Qt::AlignCenter)
    , opacity(1.0)
{
    setIconName(name);
}

void TIconWidget::setIconName(const QString &name)
{
    iconName = name;
    const QSize size = TStyleSheet::styleSheetHandler.getPixmap(iconName, true).size();
    setMinimumSize(size);
    setMaximumSize(size);
    update();
}

void TIconWidget::setAlignment(Qt::Alignment flags)
{
    alignment = flags;
    update();
}

void TIconWidget::setOpacity(qreal value)
{
    opacity = value;
    update();
}

void TIconWidget::paintEvent(QPaintEvent *)
{
    QPixmap image = TStyleSheet::styleSheetHandler.getPixmap(iconName, true);
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.setOpacity(opacity);

    int x = 0;
    if (alignment & Qt::AlignJustify) {
        image = image.scaledToWidth(width(), Qt::SmoothTransformation);
        if (image.height() > height())
            image = image.scaledToHeight(height(), Qt::SmoothTransformation);
        x = (width() - image.width()) / 2;
    } else if (alignment & Qt::AlignHCenter) {
        x = (width() - image.width()) / 2;
    } else if (alignment & Qt::AlignRight) {
        x = width() - image.width();
    }

    int y = 0;
    if (alignment & Qt::AlignVCenter)
        y = (height() - image.height()) / 2;
    else if (alignment & Qt::AlignBottom)
        y = height() - image.height();
    painter.drawPixmap(x, y, image);
}
