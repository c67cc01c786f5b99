// kvgui_abstract_sub_window.h
#pragma once

#include <QFrame>
#include <QList>
#include <QPointer>
#include <QSize>

class QPoint;
class TOptionButton;
class TSubWindowView;

// Base of every dialog-like window. A sub-window is a parentless frame that is never shown by itself: it
// borrows a view from the pool, and the view carries it into the main window's stack. GUI thread only.
class TAbstractSubWindow : public QFrame
{
    Q_OBJECT
public:
    typedef int Priority;
    typedef int ShowEffects;
    typedef int OptionFlags;

    // How the view animates the opening.
    enum ShowEffect
    {
        SlideIn = 0, // the frame slides from the start point
        GrowFromPoint = 1, // the frame grows out of the start point
        Unfold = 2 // the frame unfolds sideways, or downwards with fold up-down
    };

    enum OptionFlag
    {
        // Keep the lower 228 pixels free for the touch keyboard, which the view shows.
        KeyboardRoom = 0x1,
        // The view wants the keyboard but starts it hidden by the user.
        KeyboardUserHidden = 0x2
    };

    TAbstractSubWindow(ShowEffects showEffect, OptionFlags optionFlags);
    ~TAbstractSubWindow() override;

    void showWindow(QWidget *pFromCenterOf);
    void showWindow(const QPoint &startPoint);
    void showWindow(const QPoint &start, const QPoint &end, QWidget *pExtra);
    void showEventInfo();

    QSize getWindowSize();
    ShowEffects getShowEffect() const { return showEffect; }
    void setShowEffect(ShowEffects effect) { showEffect = effect; }
    bool getFoldUpDown() const { return foldUpDown; }
    OptionFlags getOptionFlags() const { return optionFlags; }
    bool isClosing() const { return closing; }
    void setUseEscapeClose(bool use) { useEscapeClose = use; }
    bool getUseEscapeClose() const { return useEscapeClose; }
    Priority getPriority() const { return priority; }
    void setPriority(Priority newPriority) { priority = newPriority; }
    void setDefaultFocusWidget(QWidget *w) { pDefaultFocusWidget = w; }
    void setDefaultOptionButton(TOptionButton *b);
    TOptionButton *getDefaultOptionButton() const { return pDefaultOptionButton; }
    TSubWindowView *getView() const { return pView; }

    // Shown as event information, oldest first.
    static QList<TAbstractSubWindow *> currentEventInfos;
    // Views not in use. Views live for the whole run; a destroyed view leaves the pool.
    static QList<TSubWindowView *> freeFrameList;
    // Makes a free view ready while the screen is idle, so the first window opened pays for less.
    static void prepareView();

signals:
    void aboutToShow();
    void busyEnded();

protected:
    void holdInView();
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    void setFoldUpDown(bool fold) { foldUpDown = fold; }

private slots:
    void handleObjectDestroy(QObject *pObject);

private:
    void takeView();
    static TSubWindowView *newView();
    void returnView();
    bool forwardReturnToDefaultButton(QKeyEvent *event);
    void applyCurrentStyleSheet();

    bool foldUpDown;
    int eventInfoSlot; // 1 to 5 while shown as event information
    bool closing;
    bool useEscapeClose;
    Priority priority;
    TOptionButton *pDefaultOptionButton; // not owned; watched for destruction
    QSize windowSize; // width below 1: not computed since the last close
    ShowEffects showEffect;
    OptionFlags optionFlags;
    TSubWindowView *pView; // borrowed from the pool while shown
    QPointer<QWidget> pDefaultFocusWidget; // not owned
};
