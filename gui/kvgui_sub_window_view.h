// kvgui_sub_window_view.h
#pragma once

#include "kvgui_window_view.h"

#include <QPixmap>
#include <QRect>

class QFrame;
class QGridLayout;
class QPropertyAnimation;
class QScrollArea;
class TAbstractSubWindow;
class TSubWindowBorder;
class TTouchKeyboard;

// The layer that carries one sub-window into the main window's stack: a bordered frame with the
// window inside, animated open as a still picture. Views are pooled by the sub-windows and live
// for the whole run. Closing the view (Qt's close()) takes it out of the stack and closes its window.
class TSubWindowView : public TWindowView
{
    Q_OBJECT
public:
    TSubWindowView(); // parent: TMainWindow::getInstance()
    ~TSubWindowView() override;

    void setWindow(TAbstractSubWindow *window);
    // The window stays in the view when it closes, until another one takes the view or the view
    // goes: taken out and back in, every child would be repolished.
    void holdWindow(TAbstractSubWindow *window);
    bool holds(const TAbstractSubWindow *window) const;
    // Polishes and lays out the empty frame ahead of its first window.
    void prepare();
    TAbstractSubWindow *getWindow() const { return pWindow; }
    void showWindow(TAbstractSubWindow *window, const QPoint &start, const QPoint &end, const QSize &size, QWidget *pExtra);
    bool isClosing() const { return closing; }
    bool getShownAsEventInfo() const;
    int getPriority() const override;
    void setBackGround(const QPixmap &p);
    void clrBackGround();
    // The view's own keyboard, built on this first call or when a window first wants it.
    TTouchKeyboard *getKeyboard();
    // Without building the keyboard.
    bool hasVisibleKeyboard() const;
    TSubWindowBorder *getBorder() const { return pBorder; }
    QRect getEndRect() const { return QRect(endX, endY, endWidth, endHeight); }
    QRect getStartRect() const { return QRect(startX, startY, startWidth, startHeight); }

    void setFrontGeometry(const QRect &geometry) override;

public slots:
    void instantAnimationEnd();

protected slots:
    virtual void updateShowFinished();
    void handleKeyboardHeightChanged(int height);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void handleWindowDestroy(QObject *pObject);

private:
    QPixmap renderBorder();
    bool windowAcceptsKeys() const;
    void stopShowAnimation();
    void hideWantedKeyboard();

    QScrollArea *pScrollArea; // child of the border
    QPropertyAnimation *pShowAnimation; // child
    TAbstractSubWindow *pWindow; // not owned; null while in the pool
    TTouchKeyboard *pKeyboard; // child, below "WindowArea"; null until first needed
    QWidget *pExtraWidget; // owned once handed over; deleted later when replaced
    TSubWindowBorder *pBorder; // child of "WindowArea"
    QGridLayout *pBorderLayout; // on the border
    int startX, startY, startWidth, startHeight;
    int endX, endY, endWidth, endHeight;
    bool noBackground;
    bool keyboardWanted;
    bool closing;
    QFrame *pWindowArea; // child; holds the border, above the keyboard
};
