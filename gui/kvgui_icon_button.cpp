// kvgui_icon_button.cpp
#include "kvgui_icon_button.h"

#include "kvgui_stylesheet.h"

#include <QDebug>
#include <QPainter>
#include <QShowEvent>
#include <QTimeLine>

namespace {
const int MinimumSide = 58;
const int FadeDuration = 1000;
const int FadeUpdateInterval = 40;
} // namespace

TIconButton::TIconButton(const QString &buttonText, const QString &name, QWidget *parent)
    : QToolButton(parent)
    , fadeOpacity(1.0)
    , timeLine(nullptr)
{
    setText(buttonText);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconName(name);
    connect(this, SIGNAL(clicked()), this, SLOT(debugTIconButtonClicked()));
}

void TIconButton::setIconName(const QString &name)
{
    iconName = name;
    const QPixmap image = TStyleSheet::styleSheetHandler.getPixmap(iconName, TStyleSheet::Normal, true);
    const QSize minimum = image.size().expandedTo(QSize(MinimumSide, MinimumSide));
    setMinimumSize(minimum);
    // The image's height, but never below the touch height of the minimum.
    setMaximumHeight(minimum.height());
    setIconSize(minimum);
    update();
}

bool TIconButton::isFadingOut() const
{
    return timeLine && timeLine->state() == QTimeLine::Running && timeLine->direction() == QTimeLine::Backward;
}

void TIconButton::fadeShow()
{
    if (isVisible() && !isFadingOut())
        return;
    qDebug() << "void TIconButton::fadeShow()" << text();
    if (!timeLine) {
        timeLine = new QTimeLine(FadeDuration, this);
        timeLine->setUpdateInterval(FadeUpdateInterval);
        connect(timeLine, SIGNAL(valueChanged(qreal)), this, SLOT(updateFadeStep(qreal)));
    }
    timeLine->setDirection(QTimeLine::Forward);
    if (timeLine->state() != QTimeLine::Running) {
        qDebug() << "Start timer";
        timeLine->start();
    }
}

void TIconButton::fadeHide()
{
    if (isHidden() || isFadingOut())
        return;
    qDebug() << "void TIconButton::fadeHide()" << text();
    if (!timeLine) {
        timeLine = new QTimeLine(FadeDuration, this);
        timeLine->setUpdateInterval(FadeUpdateInterval);
        connect(timeLine, SIGNAL(valueChanged(qreal)), this, SLOT(updateFadeStep(qreal)));
        // A first fade-out starts from fully shown.
        timeLine->setCurrentTime(FadeDuration);
    }
    timeLine->setDirection(QTimeLine::Backward);
    if (timeLine->state() != QTimeLine::Running)
        timeLine->start();
}

void TIconButton::updateFadeStep(qreal val)
{
    if (val < 0.01) {
        hide();
        return;
    }
    fadeOpacity = val;
    if (isHidden())
        show();
    else
        update();
}

void TIconButton::showEvent(QShowEvent *event)
{
    QToolButton::showEvent(event);
    if (timeLine && timeLine->state() != QTimeLine::Running) {
        timeLine->setDirection(QTimeLine::Forward);
        fadeOpacity = 1.0;
    }
}

void TIconButton::hideEvent(QHideEvent *event)
{
    QToolButton::hideEvent(event);
    if (event->spontaneous())
        return;
    if (timeLine) {
        timeLine->stop();
        timeLine->setDirection(QTimeLine::Forward);
    }
    fadeOpacity = 1.0;
}

void TIconButton::paintEvent(QPaintEvent *)
{
    TStyleSheet::TPixmapState state = TStyleSheet::Normal;
    if (isDown())
        state = TStyleSheet::Pressed;
    else if (isChecked())
        state = TStyleSheet::Checked;
    const QPixmap image = TStyleSheet::styleSheetHandler.getPixmap(iconName, state, true);

    QPainter painter(this);
    painter.setOpacity(fadeOpacity);
    painter.drawPixmap((width() - image.width()) / 2, 0, image);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextShowMnemonic, text());
}

void TIconButton::debugTIconButtonClicked()
{
    qDebug() << "void TIconButton::debugTIconButtonClicked()"
             << ": TIconButton with text=" << text() << ", and iconName=" << iconName << " was clicked.";
}
