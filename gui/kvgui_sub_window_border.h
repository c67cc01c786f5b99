// kvgui_sub_window_border.h
#pragma once

#include <QWidget>

class QTimer;

// The soft frame around a sub-window: a thin line a quarter into the band that fades out to
// transparent. In distress the line is red and flashes.
class TSubWindowBorder : public QWidget
{
    Q_OBJECT
public:
    explicit TSubWindowBorder(QWidget *parent);

    void setDistress(bool on);
    bool getDistress() const { return distress; }
    int getBorderWidth() const { return borderWidth; }

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void distressTimeout();

private:
    int borderWidth;
    bool distress;
    double outerStop;
    double lineStop;
    double innerStop;
    QTimer *pDistressTimer; // child; created when distress is first set
    bool distressLineLit; // flashing phase of the red line
};
