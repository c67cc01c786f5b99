// kvgui_led_box.h
#pragma once

#include <QCheckBox>

class QToolButton;

// A check box whose whole face is one touch button, styled as a lit or unlit LED.
// The box and its button always agree; each change is reported once by each.
class TLedBox : public QCheckBox
{
    Q_OBJECT
public:
    TLedBox(const QString &text, QWidget *parent);

    QToolButton *getLedButton() const { return ledButton; }

private:
    QToolButton *ledButton; // child; covers the whole box
};
