// kvgui_main_window.h
#pragma once

#include <QFrame>
#include <QList>
#include <QString>

#include <functional>

class QGraphicsScene;
class QGraphicsView;
class QGridLayout;
class QHBoxLayout;
class QStackedLayout;
class QTimeLine;
class QTimer;
class TElideLabel;
class TSavePixmapThread;
class TScreen;
class TSubWindowView;
class TWindowView;

// The one full-screen, frameless 800 x 600 window of the process: the title area with the UTC
// clock and the headings, the current screen with its animated change, the stack of sub-window
// views ordered by priority, and the register of running animations. Created once; GUI thread only.
class TMainWindow : public QFrame
{
    Q_OBJECT
public:
    TMainWindow(QWidget *parent, const QString &name, bool withTitleArea);
    ~TMainWindow() override;

    static TMainWindow *getInstance();

    // True if the view became the topmost layer.
    bool showSubWindow(TSubWindowView *view, bool animate);
    void hideSubWindow(TSubWindowView *view);

    // Every widget that animates registers with the slot "instantAnimationEnd()" (as SLOT() gives it
    // or plain); forceInstantAnimationCompletion() makes all of them jump to their end state.
    void setAnimating(QWidget *w, const char *slot);
    void clrAnimating(QWidget *w, const char *slot);
    bool isAnimating() const;
    void forceInstantAnimationCompletion();

    // Runs the work from the event loop once this window has drawn its first frame, so that it
    // neither delays that frame nor the operator's first touch.
    void whenFirstFrameDrawn(std::function<void()> work);

    // p in w's coordinates mapped to main-window coordinates; (-1, -1) when w is not inside.
    static QPoint posWithinMainWindow(QWidget *w, const QPoint &p);
    bool topWindowHasVisibleKeyborad() const;
    void setTimeFormat(const QString &format);
    // Hands the picture, converted to an image here, to the save thread (created on first use).
    void savePixmap(const QPixmap &picture, bool grayScale);
    QString getTimeFormat() const { return timeFormat; }

    TElideLabel *getPageLabel() const { return pPageLabel; }
    TElideLabel *getScreenLabel() const { return pScreenLabel; }
    TElideLabel *getTimeLabel() const { return pTimeLabel; }
    TScreen *getCurrentScreen() const { return pCurrentScreen; }
    TWindowView *getWindowView() const { return pWindowView; }
    QGraphicsView *getGraphicsView() const { return pGraphicsView; }
    QGraphicsScene *getScene() const { return pScene; }
    const QList<TSubWindowView *> &getSubWindows() const { return subWindows; }
    // The topmost layer: the window view when no sub-window is on top.
    TWindowView *getTopView() const;

    virtual void showMainScreen();

signals:
    void instantAnimationCompletion();

public slots:
    void instantAnimationEnd();
    void showSystemStatusWindow();
    void updateTime();

protected slots:
    void showNewScreen(TScreen *pNewScreen);
    void updateScalingStep(qreal val);
    void updateOpacityStep(qreal val);
    void animationFinished();
    void handleHeadingsChanged();
    void animatingWidgetDestroyed(QObject *pObj);

private slots:
    void animateEndTimeoutHandler();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

    TScreen *pHomeScreen; // set by a subclass that has a home screen; not owned

private:
    bool subWindowsStacked() const;
    QPixmap dimmed(QPixmap &&picture) const;
    QPixmap layersPicture() const;
    void grabDimmedStill();
    void ensureSnapshot(TScreen *screen);
    void showHomeScreen(TScreen *oldScreen);
    void fadeInHomeScreen();
    void prepareZoomSnapshot(TScreen *screen);
    void restackLayers();
    void logWidgetStatistics();

    static TMainWindow *pInstance;

    // Every view, bottom to top: the window view first, the top view current. The views never
    // change parent, which would repolish all their children.
    QStackedLayout *pTopLayout;
    QTimer *pAnimateEndTimer; // child
    TWindowView *pWindowView; // child
    QGridLayout *pGridLayout;
    TScreen *pCurrentScreen; // not owned
    TScreen *pPreviousScreen; // not owned
    QGraphicsView *pGraphicsView; // child of the window view
    QGraphicsScene *pScene; // child of the graphics view
    QTimeLine *pScalingTimeLine; // child of the graphics view
    QTimeLine *pOpacityTimeLine; // child of the graphics view
    TScreen *pScalingScreen;
    TScreen *pOpacityScreen;
    QString timeFormat;
    QHBoxLayout *pTitleLayout;
    TElideLabel *pPageLabel; // the four labels are null without a title area
    TElideLabel *pScreenLabel;
    TElideLabel *pTimeLabel;
    TElideLabel *pZoneLabel;
    TSavePixmapThread *pSavePixmapThread; // created on the first screenshot; lives to the end of the process
    QList<TSubWindowView *> subWindows; // every view shown, in the order shown
    QList<QWidget *> animatingWidgets; // not owned; watched for destruction
    bool withTitleArea;
    bool zoomStartPending = false; // a zoom asked for while the window was not shown
    QPixmap stillPicture; // the dimmed stack behind an opening window; the same memory every time
    bool firstFrameDrawn = false;
    QList<std::function<void()>> firstFrameWork; // waits for the first frame
};
