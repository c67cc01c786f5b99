// kvgui_icon_button.h
#pragma once

#include <QToolButton>

class QTimeLine;

// An image button with its text under the image; never takes the focus, and can fade in and out.
class TIconButton : public QToolButton
{
    Q_OBJECT
public:
    TIconButton(const QString &text, const QString &iconName, QWidget *parent);

    void setIconName(const QString &name);
    QString getIconName() const { return iconName; }
    qreal getFadeOpacity() const { return fadeOpacity; }

    void fadeShow();
    void fadeHide();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void updateFadeStep(qreal val);
    void debugTIconButtonClicked();

private:
    bool isFadingOut() const;

    QString iconName;
    qreal fadeOpacity;
    QTimeLine *timeLine; // child; created on the first fade
};
