// kvgui_elide_label.cpp
#include "kvgui_elide_label.h"

#include <QPainter>

TElideLabel::TElideLabel(const QString &text, Qt::TextElideMode mode, QWidget *parent)
    : QLabel(text, parent)
    , elideMode(mode)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setIndent(1);
}

void TElideLabel::setElideMode(Qt::TextElideMode mode)
{
    elideMode = mode;
    update();
}

void TElideLabel::paintEvent(QPaintEvent *event)
{
    if (text().isEmpty() || wordWrap() || elideMode == Qt::ElideNone) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QRect area = rect();
    area.setLeft(area.left() + indent());
    painter.fillRect(area, palette().brush(QPalette::Window));
    painter.drawText(area, static_cast<int>(alignment()), fontMetrics().elidedText(text(), elideMode, area.width()));
}
