// kvgui_touch_key.cpp
#include "kvgui_touch_key.h"

#include "kvgui_base_key_data.h"
#include "kvgui_base_touch_keypad.h"
#include "kvgui_stylesheet.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>

namespace {
const int KeyHeight = 58;
const int RepeatDelay = 500;
const int RepeatInterval = 50;
// The whole key moves by this much under the finger.
const int PressedShift = 2;
// Room taken by the icon at the key's left edge before the label.
const int IconIndent = 16;

// A key is a button to assistive tools and to tests that read the screen from outside: its name is
// what it shows, unless the keypad named it (icon-only keys).
class TTouchKeyAccessible : public QAccessibleWidget
{
public:
    explicit TTouchKeyAccessible(TTouchKey *key)
        : QAccessibleWidget(key, QAccessible::Button)
    { }
    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        const TBaseKeyData *data = static_cast<TTouchKey *>(widget())->getKeyData();
        if (t != QAccessible::Name || !own.isEmpty() || !data)
            return own;
        return data->getName().simplified();
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const auto *key = static_cast<TTouchKey *>(widget());
        s.checkable = key->isCheckable();
        s.checked = key->isChecked();
        // A blank key of a layout types nothing.
        s.disabled = s.disabled || !key->getKeyData();
        return s;
    }
};

QAccessibleInterface *touchKeyAccessible(const QString &className, QObject *object)
{
    return className == QLatin1String("TTouchKey") ? new TTouchKeyAccessible(static_cast<TTouchKey *>(object)) : nullptr;
}
} // namespace

TTouchKey::TTouchKey(TBaseTouchKeypad *keypad, TKeyWidth width, TKeyFont font)
    : QWidget(keypad)
    , pKeyData(nullptr)
    , backgroundPixmapName(QStringLiteral("kvgui_key") + QString::number(int(width)))
    , down(false)
    , checked(false)
    , pRepeatTimer(nullptr)
{
    setFixedSize(int(width), KeyHeight);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(font == LargeFont ? QStringLiteral("key_large_font") : QStringLiteral("key_small_font"));
    static const bool factoryInstalled = (QAccessible::installFactory(touchKeyAccessible), true);
    Q_UNUSED(factoryInstalled);
}

void TTouchKey::setKeyData(TBaseKeyData *kd)
{
    if (kd == pKeyData)
        return;
    if (pRepeatTimer) {
        // The old timer may be delivering its timeout right now.
        pRepeatTimer->stop();
        pRepeatTimer->deleteLater();
        pRepeatTimer = nullptr;
    }
    pKeyData = kd;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (pKeyData && pKeyData->getAutoRepeat()) {
        pRepeatTimer = new QTimer(this);
        connect(pRepeatTimer, SIGNAL(timeout()), this, SLOT(repeatTimeout()));
    }
    setChecked(false);
}

void TTouchKey::setDown(bool b)
{
    if (b == down)
        return;
    down = b;
    update();
}

bool TTouchKey::isCheckable() const
{
    return pKeyData && pKeyData->isCheckable();
}

bool TTouchKey::isChecked() const
{
    return isCheckable() && checked;
}

void TTouchKey::setChecked(bool b)
{
    if (!isCheckable())
        b = false;
    if (b == checked)
        return;
    checked = b;
    update();
}

void TTouchKey::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (!rect().contains(event->pos())) {
        event->accept();
        return;
    }
    setDown(true);
    if (pKeyData && pRepeatTimer) {
        emit keyActivated(pKeyData);
        // The handler may have given this key new data, and with it dropped the timer.
        if (pRepeatTimer)
            pRepeatTimer->start(RepeatDelay);
    }
    event->accept();
}

void TTouchKey::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    setDown(rect().contains(event->pos()));
    event->accept();
}

void TTouchKey::repeatTimeout()
{
    if (!pRepeatTimer)
        return;
    if (pRepeatTimer->interval() != RepeatInterval)
        pRepeatTimer->start(RepeatInterval);
    if (down && pKeyData)
        emit keyActivated(pKeyData);
}

void TTouchKey::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (down && rect().contains(event->pos()) && pKeyData) {
        if (pRepeatTimer) {
            pRepeatTimer->stop();
        } else {
            setChecked(!isChecked());
            emit keyActivated(pKeyData);
        }
    }
    setDown(false);
    event->accept();
}

void TTouchKey::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        setDown(false);
        if (pRepeatTimer)
            pRepeatTimer->stop();
    }
    QWidget::changeEvent(event);
}

QRect TTouchKey::labelArea() const
{
    return rect().adjusted(pKeyData && !pKeyData->getIconName().isEmpty() ? IconIndent : 0, 0, 0, 0);
}

void TTouchKey::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    if (down)
        option.rect.translate(PressedShift, PressedShift);

    TStyleSheet &sheet = TStyleSheet::styleSheetHandler;
    const QPixmap background = sheet.getPixmap(backgroundPixmapName, isChecked() ? TStyleSheet::Checked : TStyleSheet::Normal, true);
    painter.drawPixmap(option.rect.topLeft(), background);
    if (!pKeyData)
        return;
    if (!pKeyData->getIconName().isEmpty())
        painter.drawPixmap(option.rect.topLeft(), sheet.getPixmap(pKeyData->getIconName(), true));
    painter.drawText(labelArea().translated(option.rect.topLeft()), Qt::AlignCenter, pKeyData->getName());
}
