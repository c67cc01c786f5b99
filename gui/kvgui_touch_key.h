// kvgui_touch_key.h
#pragma once

#include <QString>
#include <QWidget>

class QTimer;
class TBaseKeyData;
class TBaseTouchKeypad;

// One key of an on-screen keypad: shows and sends whatever its current key data describes.
// Never takes the focus, so the input widget keeps it while the key is touched.
class TTouchKey : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool down READ isDown WRITE setDown)
    Q_PROPERTY(bool checked READ isChecked WRITE setChecked)
public:
    // Width in pixels; every key is 58 high.
    enum TKeyWidth
    {
        KeyWidth58 = 58,
        KeyWidth87 = 87,
        KeyWidth117 = 117,
        KeyWidth147 = 147,
        KeyWidth294 = 294
    };
    // Chooses the label font through the object name.
    enum TKeyFont
    {
        LargeFont = 0,
        SmallFont = 1
    };

    TTouchKey(TBaseTouchKeypad *keypad, TKeyWidth width, TKeyFont font);

    void setKeyData(TBaseKeyData *kd);
    TBaseKeyData *getKeyData() const { return pKeyData; }
    bool isDown() const { return down; }
    void setDown(bool b);
    bool isCheckable() const;
    bool isChecked() const;
    void setChecked(bool b);
    QString getBackgroundPixmapName() const { return backgroundPixmapName; }
    // Where the label is centred: beside the icon, if the key has one.
    QRect labelArea() const;

signals:
    void keyActivated(TBaseKeyData *pKeyData);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private slots:
    void repeatTimeout();

private:
    TBaseKeyData *pKeyData; // not owned; null for an empty key
    QString backgroundPixmapName; // "kvgui_key" and the width
    bool down;
    bool checked;
    QTimer *pRepeatTimer; // child; exists exactly while the key data repeats
};
