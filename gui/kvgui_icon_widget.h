// kvgui_icon_widget.h
#pragma once

#include <QWidget>

// Shows one named image, exactly as large as the image.
class TIconWidget : public QWidget
{
    Q_OBJECT
public:
    TIconWidget(const QString &iconName, QWidget *parent);

    void setIconName(const QString &name);
    QString getIconName() const { return iconName; }
    void setAlignment(Qt::Alignment flags);
    Qt::Alignment getAlignment() const { return alignment; }
    void setOpacity(qreal value);
    qreal getOpacity() const { return opacity; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString iconName;
    Qt::Alignment alignment;
    qreal opacity;
};
