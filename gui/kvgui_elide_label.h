// kvgui_elide_label.h
#pragma once

#include <QLabel>

// A one-line label that shortens its text with an ellipsis instead of growing.
class TElideLabel : public QLabel
{
    Q_OBJECT
public:
    TElideLabel(const QString &text, Qt::TextElideMode mode, QWidget *parent);

    void setElideMode(Qt::TextElideMode mode);
    Qt::TextElideMode getElideMode() const { return elideMode; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::TextElideMode elideMode;
};
