// kvgui_led_box.cpp
#include "kvgui_led_box.h"

#include <QToolButton>
#include <QVBoxLayout>

TLedBox::TLedBox(const QString &text, QWidget *parent)
    : QCheckBox(text, parent)
{
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(58);
    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    ledButton = new QToolButton(this);
    ledButton->setCheckable(true);
    ledButton->setFocusPolicy(Qt::TabFocus);
    ledButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The button is what the finger and assistive tools meet; the box's text names it.
    ledButton->setAccessibleName(text);
    layout->addWidget(ledButton);
    // Each side only reports a real change, so the round trip ends after one step.
    connect(ledButton, SIGNAL(toggled(bool)), this, SLOT(setChecked(bool)));
    connect(this, SIGNAL(toggled(bool)), ledButton, SLOT(setChecked(bool)));
}
