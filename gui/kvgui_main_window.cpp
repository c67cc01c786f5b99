// kvgui_main_window.cpp
#include "kvgui_main_window.h"

#include "kvgui_abstract_sub_window.h"
#include "kvgui_elide_label.h"
#include "kvgui_save_pixmap_thread.h"
#include "kvgui_screen.h"
#include "kvgui_stylesheet.h"
#include "kvgui_sub_window_view.h"
#include "kvgui_window_view.h"

#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMap>
#include <QPainter>
#include <QStackedLayout>
#include <QThread>
#include <QTimeLine>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

static const int TitleHeight = 70;
static const int ClockInterval = 1000;
// The live stack returns this long after the last animation ends, so back-to-back animations
// do not flicker between the still picture and the live layers.
static const int AnimateEndDelay = 100;
static const int ScalingDuration = 400;
static const int OpacityDuration = 800;
static const int TimeLineInterval = 40;
static const int DimAlpha = 160;
// Windows of this priority stay open when the screen changes.
static const int ScreenChangeSurvivorPriority = 1;

TMainWindow *TMainWindow::pInstance = nullptr;

namespace {

enum class ScreenshotChord
{
    None,
    Colour,
    Grey
};

// What an F12 key press asks for. On the standard X keymap Ctrl+Alt+F12 is the console-switch
// key: where the server passes it on at all, it arrives as that keysym with Qt's key unset, or
// (with the server's own Ctrl+Alt keys switched off) as F12 with Control and Mod1 in the core
// protocol's modifier state. Other platforms carry only Qt's modifiers.
ScreenshotChord screenshotChord(const QKeyEvent *event)
{
    static const quint32 SwitchVt12Keysym = 0x1008FE0C; // XF86XK_Switch_VT_12
    static const quint32 ControlMask = 0x04, Mod1Mask = 0x08;
    const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
    if (x11 && event->nativeVirtualKey() == SwitchVt12Keysym)
        return ScreenshotChord::Grey;
    if (event->key() != Qt::Key_F12)
        return ScreenshotChord::None;
    const quint32 native = x11 ? event->nativeModifiers() : 0;
    const bool alt = (event->modifiers() & Qt::AltModifier) || (native & Mod1Mask);
    const bool control = (event->modifiers() & Qt::ControlModifier) || (native & ControlMask);
    if (!alt)
        return ScreenshotChord::None;
    return control ? ScreenshotChord::Grey : ScreenshotChord::Colour;
}

// Runs a piece of start-up work once the window's first frame has been painted and flushed.
class AfterFirstFrame : public QObject
{
public:
    AfterFirstFrame(QWidget *window, std::function<void()> work)
        : QObject(window)
        , work(std::move(work))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The paint event comes before the flush to the screen; a zero timer after it.
            QTimer::singleShot(0, parent(), work);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> work;
};

} // namespace

// Accepts a slot as SLOT() gives it or as plain signature text.
static QByteArray slotSignature(const char *slot)
{
    QByteArray signature(slot);
    if (!signature.isEmpty() && signature.at(0) != '0' + QSLOT_CODE)
        signature.prepend(char('0' + QSLOT_CODE));
    return signature;
}

TMainWindow::TMainWindow(QWidget *parent, const QString &name, bool withTitleArea)
    : QFrame(parent)
    , pHomeScreen(nullptr)
    , pTopLayout(nullptr)
    , pAnimateEndTimer(nullptr)
    , pWindowView(nullptr)
    , pGridLayout(nullptr)
    , pCurrentScreen(nullptr)
    , pPreviousScreen(nullptr)
    , pGraphicsView(nullptr)
    , pScene(nullptr)
    , pScalingTimeLine(nullptr)
    , pOpacityTimeLine(nullptr)
    , pScalingScreen(nullptr)
    , pOpacityScreen(nullptr)
    , pTitleLayout(nullptr)
    , pPageLabel(nullptr)
    , pScreenLabel(nullptr)
    , pTimeLabel(nullptr)
    , pZoneLabel(nullptr)
    , pSavePixmapThread(nullptr)
    , withTitleArea(withTitleArea)
{
    QThread::currentThread()->setObjectName("Main GUI thread");
    pInstance = this;

    setWindowFlags(
        (windowFlags() | Qt::FramelessWindowHint) & ~(Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    setGeometry(0, 0, 800, 600);
    setFrameStyle(QFrame::NoFrame | QFrame::Plain);

    pTopLayout = new QStackedLayout(this);
    pTopLayout->setContentsMargins(0, 0, 0, 0);

    pWindowView = new TWindowView();
    pWindowView->setObjectName(name);
    pWindowView->setAttribute(Qt::WA_NoSystemBackground, false);
    pWindowView->setParent(this);
    pWindowView->setMinimumSize(800, 600);
    pTopLayout->addWidget(pWindowView);
    pGridLayout = new QGridLayout(pWindowView);
    pGridLayout->setSpacing(0);
    pGridLayout->setContentsMargins(0, 0, 0, 0);

    if (withTitleArea) {
        QWidget *titleWidget = new QWidget(this);
        titleWidget->setMinimumSize(800, TitleHeight);
        titleWidget->setMaximumHeight(TitleHeight);
        pGridLayout->addWidget(titleWidget, 0, 0);
        pTitleLayout = new QHBoxLayout(titleWidget);
        pTitleLayout->setSpacing(5);
        pTitleLayout->setContentsMargins(0, 0, 0, 0);

        QVBoxLayout *clockLayout = new QVBoxLayout();
        clockLayout->setSpacing(0);
        clockLayout->setContentsMargins(0, 0, 0, 2);
        pTimeLabel = new TElideLabel(QString(), Qt::ElideRight, titleWidget);
        pTimeLabel->setObjectName("pTimeLabel");
        pTimeLabel->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        pTimeLabel->setFixedWidth(95);
        pZoneLabel = new TElideLabel(tr("UTC"), Qt::ElideRight, titleWidget);
        pZoneLabel->setObjectName("pTimeLabel");
        pZoneLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        pZoneLabel->setFixedWidth(95);
        clockLayout->addWidget(pTimeLabel);
        clockLayout->addWidget(pZoneLabel);
        pTitleLayout->addLayout(clockLayout);
        setTimeFormat("hh:mm");
        QTimer *clockTimer = new QTimer(this);
        connect(clockTimer, SIGNAL(timeout()), this, SLOT(updateTime()));
        clockTimer->start(ClockInterval);

        QWidget *headingWidget = new QWidget(this);
        headingWidget->setMinimumSize(360, TitleHeight);
        pPageLabel = new TElideLabel(QString(), Qt::ElideRight, headingWidget);
        pPageLabel->setObjectName("pPageLabel");
        pPageLabel->setGeometry(15, 30, 345, 51);
        pPageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        pScreenLabel = new TElideLabel(QString(), Qt::ElideRight, headingWidget);
        pScreenLabel->setObjectName("pScreenLabel");
        pScreenLabel->setGeometry(0, 5, 360, 29);
        pScreenLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        pTitleLayout->addWidget(headingWidget);
    }

    pGraphicsView = new QGraphicsView(pWindowView);
    pGraphicsView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pGraphicsView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pGraphicsView->setObjectName("pGraphicsView");
    pGraphicsView->setFocusPolicy(Qt::NoFocus);
    pGraphicsView->setFrameStyle(QFrame::NoFrame);
    pGraphicsView->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pGraphicsView->setCacheMode(QGraphicsView::CacheNone);
    pGraphicsView->setMinimumSize(800, withTitleArea ? 600 - TitleHeight : 600);
    pGridLayout->addWidget(pGraphicsView, 1, 0);

    setStyleSheet(TStyleSheet::styleSheetHandler.getStyleSheet());
    // The application object restyles every window; a plain QApplication (tests, tools) has no such slot.
    if (qApp && qApp->metaObject()->indexOfSlot("changeStyleSheet(QString)") >= 0)
        connect(&TStyleSheet::styleSheetHandler, SIGNAL(styleSheetChanged(QString)), qApp, SLOT(changeStyleSheet(QString)),
            Qt::QueuedConnection);

    pAnimateEndTimer = new QTimer(this);
    pAnimateEndTimer->setSingleShot(true);
    pAnimateEndTimer->setInterval(AnimateEndDelay);
    connect(pAnimateEndTimer, SIGNAL(timeout()), this, SLOT(animateEndTimeoutHandler()));
    pScalingTimeLine = new QTimeLine(ScalingDuration, pGraphicsView);
    pOpacityTimeLine = new QTimeLine(OpacityDuration, pGraphicsView);
    for (QTimeLine *timeLine : { pScalingTimeLine, pOpacityTimeLine }) {
        timeLine->setUpdateInterval(TimeLineInterval);
        timeLine->setEasingCurve(QEasingCurve::Linear);
        connect(timeLine, SIGNAL(finished()), this, SLOT(animationFinished()));
    }
    connect(pScalingTimeLine, SIGNAL(valueChanged(qreal)), this, SLOT(updateScalingStep(qreal)));
    connect(pOpacityTimeLine, SIGNAL(valueChanged(qreal)), this, SLOT(updateOpacityStep(qreal)));

    pScene = new QGraphicsScene(pGraphicsView);
    // The scene never holds more than the home screen and a picture per screen: a plain list
    // finds them as fast as a BSP tree, whose index the first frame would otherwise build.
    pScene->setItemIndexMethod(QGraphicsScene::NoIndex);
    pGraphicsView->setScene(pScene);
    pGraphicsView->setTransform(QTransform::fromScale(1, 1));
    pGraphicsView->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);

    // Matching loads faces the first frame may not draw, and the answer only goes to the log.
    whenFirstFrameDrawn([this] {
        if (!QFontInfo(QFont("Droid Sans")).exactMatch() || !QFontInfo(QFont("Droid Sans Mono")).exactMatch())
            qWarning() << "Warning: The system does not contain all the specified fonts!";
        // While the operator reads the first screen, so that the first touch opens its window sooner:
        // the sheet's fonts (about 0.4 ms each when first asked for), a view, and the memory of the
        // still picture behind it.
        for (const QFont &font : TStyleSheet::declaredFonts(TStyleSheet::styleSheetHandler.getStyleSheet()))
            QFontMetrics(font).height();
        TAbstractSubWindow::prepareView();
        if (stillPicture.isNull()) {
            stillPicture = QPixmap(size());
            stillPicture.fill(Qt::black);
        }
    });
    new AfterFirstFrame(this, [this] {
        firstFrameDrawn = true;
        for (const std::function<void()> &work : qAsConst(firstFrameWork))
            work();
        firstFrameWork.clear();
    });
}

void TMainWindow::whenFirstFrameDrawn(std::function<void()> work)
{
    if (firstFrameDrawn)
        QTimer::singleShot(0, this, std::move(work));
    else
        firstFrameWork.append(std::move(work));
}

TMainWindow::~TMainWindow()
{
    if (pInstance == this)
        pInstance = nullptr;
    if (pSavePixmapThread) {
        // Queued behind the pictures still waiting, so every pressed screenshot is written.
        QMetaObject::invokeMethod(pSavePixmapThread, "quit", Qt::QueuedConnection);
        pSavePixmapThread->wait();
        delete pSavePixmapThread;
    }
    // The views and other registered widgets die after this part of the main window.
    for (QWidget *w : qAsConst(animatingWidgets))
        disconnect(w, SIGNAL(destroyed(QObject *)), this, SLOT(animatingWidgetDestroyed(QObject *)));
}

TMainWindow *TMainWindow::getInstance()
{
    return pInstance;
}

void TMainWindow::showMainScreen() { }

TWindowView *TMainWindow::getTopView() const
{
    return static_cast<TWindowView *>(pTopLayout->currentWidget());
}

bool TMainWindow::subWindowsStacked() const
{
    return pTopLayout->count() > 1;
}

QPixmap TMainWindow::dimmed(QPixmap &&picture) const
{
    // Painted in place and returned after the painter has ended: a shared or still painted picture
    // would be copied whole (twice 1.9 MB at 800 x 600) on the way.
    {
        QPainter painter(&picture);
        painter.fillRect(picture.rect(), QColor(0, 0, 0, DimAlpha));
    }
    return picture;
}

void TMainWindow::grabDimmedStill()
{
    // Rendered into the picture of the last opening, which no view shows any more: a new 800 x 600
    // picture costs a page fault for every 4 KB of it, about half a millisecond here.
    if (stillPicture.size() != size())
        stillPicture = QPixmap(size());
    if (testAttribute(Qt::WA_TranslucentBackground))
        stillPicture.fill(Qt::transparent);
    render(&stillPicture, QPoint(), QRegion(rect()), DrawWindowBackground | DrawChildren | IgnoreMask);
    stillPicture = dimmed(std::move(stillPicture));
}

void TMainWindow::ensureSnapshot(TScreen *screen)
{
    if (!screen->getSnapshotItem()) {
        screen->resize(pGraphicsView->size());
        screen->setSnapshotItem(pScene->addPixmap(screen->grab()));
    } else {
        screen->getSnapshotItem()->setPixmap(screen->grab());
    }
}

// A screen that zooms in starts at scale 0, so its picture is taken when the first step that
// shows it runs: the frame before (the very first one at start-up) neither waits for the grab
// nor holds the picture's memory. A null pixmap marks the picture as still to be taken.
void TMainWindow::prepareZoomSnapshot(TScreen *screen)
{
    if (!screen->getSnapshotItem())
        screen->setSnapshotItem(pScene->addPixmap(QPixmap()));
    else
        screen->getSnapshotItem()->setPixmap(QPixmap());
    screen->resize(pGraphicsView->size());
}

void TMainWindow::showNewScreen(TScreen *pNewScreen)
{
    if (!pNewScreen || pNewScreen == pCurrentScreen)
        return;
    if (isAnimating())
        forceInstantAnimationCompletion();

    setFocus();
    // Before the first show the layouts have not run yet; the snapshot needs the real size.
    if (!isVisible()) {
        pTopLayout->activate();
        pGridLayout->activate();
    }
    pScene->setSceneRect(0, 0, pGraphicsView->width(), pGraphicsView->height());
    TScreen *oldScreen = pCurrentScreen;
    if (pNewScreen == pHomeScreen) {
        pNewScreen->prepareShow();
        showHomeScreen(oldScreen);
    } else {
        // Inside the window view before the first grab, so the snapshot already carries the
        // main window's style sheet.
        if (pNewScreen->parentWidget() != pWindowView)
            pNewScreen->setParent(pWindowView);
        pNewScreen->hide();
        pNewScreen->prepareShow();
        prepareZoomSnapshot(pNewScreen);
        if (pHomeScreen && pHomeScreen->getProxyItem())
            pHomeScreen->getProxyItem()->setOpacity(0);

        pScalingTimeLine->stop();
        pScalingTimeLine->setDirection(QTimeLine::Forward);
        pNewScreen->getSnapshotItem()->setTransform(QTransform::fromScale(0, 0));
        pScalingScreen = pNewScreen;
        setAnimating(this, SLOT(instantAnimationEnd()));
        // A window not yet on screen would spend the zoom's first steps unseen, before its own first
        // frame: the zoom starts when the window is shown.
        zoomStartPending = !isVisible();
        if (!zoomStartPending)
            pScalingTimeLine->start();

        if (oldScreen && oldScreen != pHomeScreen) {
            ensureSnapshot(oldScreen);
            oldScreen->getSnapshotItem()->setZValue(0);
            pNewScreen->getSnapshotItem()->setZValue(1);
        }
    }

    connect(pNewScreen, SIGNAL(headingsChanged()), this, SLOT(handleHeadingsChanged()));
    if (oldScreen) {
        oldScreen->prepareHide();
        oldScreen->hide();
        disconnect(oldScreen, SIGNAL(headingsChanged()), this, SLOT(handleHeadingsChanged()));
        if (oldScreen != pHomeScreen)
            pGridLayout->removeWidget(oldScreen);
    }

    const QList<TSubWindowView *> shown = subWindows;
    for (TSubWindowView *view : shown) {
        if (subWindows.contains(view) && !view->getShownAsEventInfo() && view->getPriority() != ScreenChangeSurvivorPriority)
            view->close();
    }

    pPreviousScreen = oldScreen;
    pCurrentScreen = pNewScreen;
    handleHeadingsChanged();
}

void TMainWindow::showHomeScreen(TScreen *oldScreen)
{
    QGraphicsProxyWidget *proxy = pHomeScreen->getProxyItem();
    const bool firstShow = !proxy;
    if (firstShow) {
        // Live in the scene rather than in the grid: screens zoom in over it and back out of it.
        pHomeScreen->setParent(nullptr);
        pHomeScreen->setStyleSheet(TStyleSheet::styleSheetHandler.getStyleSheet());
        pHomeScreen->resize(pGraphicsView->size());
        proxy = pScene->addWidget(pHomeScreen);
        proxy->setZValue(-1);
        pHomeScreen->setProxyItem(proxy);
    }
    proxy->setOpacity(0);
    pOpacityScreen = pHomeScreen;
    setAnimating(this, SLOT(instantAnimationEnd()));
    if (firstShow || !oldScreen) {
        fadeInHomeScreen();
        return;
    }
    // The old screen zooms back out; the home screen fades in when it has gone.
    ensureSnapshot(oldScreen);
    oldScreen->getSnapshotItem()->setZValue(1);
    oldScreen->getSnapshotItem()->setTransform(QTransform());
    pScalingScreen = oldScreen;
    pScalingTimeLine->stop();
    pScalingTimeLine->setDirection(QTimeLine::Backward);
    pScalingTimeLine->start();
}

void TMainWindow::fadeInHomeScreen()
{
    pHomeScreen->show();
    pOpacityTimeLine->stop();
    pOpacityTimeLine->setDirection(QTimeLine::Forward);
    pOpacityTimeLine->start();
}

void TMainWindow::updateScalingStep(qreal val)
{
    if (!pScalingScreen || !pScalingScreen->getSnapshotItem())
        return;
    QGraphicsPixmapItem *item = pScalingScreen->getSnapshotItem();
    if (val > 0.0 && item->pixmap().isNull())
        item->setPixmap(pScalingScreen->grab());
    if (val >= 1.0) {
        item->setTransform(QTransform());
    } else {
        const qreal dx = (1 - val) * pGraphicsView->width() * 0.5;
        const qreal dy = (1 - val) * pGraphicsView->height() * 0.5;
        item->setTransform(QTransform(val, 0, 0, val, dx, dy));
    }
    if (val <= 0.0 && pScalingTimeLine->direction() == QTimeLine::Backward && pHomeScreen && pCurrentScreen == pHomeScreen
        && pOpacityTimeLine->state() != QTimeLine::Running && pHomeScreen->getProxyItem()->opacity() < 1.0) {
        fadeInHomeScreen();
        return;
    }
    if (val < 1.0 || pScalingTimeLine->direction() != QTimeLine::Forward || !pCurrentScreen)
        return;

    pGraphicsView->viewport()->update();
    pGridLayout->addWidget(pCurrentScreen, 1, 0);
    pCurrentScreen->show();
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !pCurrentScreen->isAncestorOf(focus))
        pCurrentScreen->setFocus(Qt::OtherFocusReason);
    if (pPreviousScreen && pPreviousScreen != pHomeScreen && pPreviousScreen->getSnapshotItem())
        pPreviousScreen->getSnapshotItem()->setTransform(QTransform::fromScale(0, 0));
}

void TMainWindow::updateOpacityStep(qreal val)
{
    if (pOpacityScreen && pOpacityScreen->getProxyItem())
        pOpacityScreen->getProxyItem()->setOpacity(val);
    if (val >= 1.0 && pOpacityScreen && pOpacityScreen == pCurrentScreen) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus || !pOpacityScreen->isAncestorOf(focus))
            pOpacityScreen->setFocus(Qt::OtherFocusReason);
    }
}

void TMainWindow::animationFinished()
{
    if (pScalingTimeLine->state() != QTimeLine::Running && pOpacityTimeLine->state() != QTimeLine::Running)
        clrAnimating(this, SLOT(instantAnimationEnd()));
}

void TMainWindow::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    if (zoomStartPending) {
        zoomStartPending = false;
        pScalingTimeLine->start();
    }
}

void TMainWindow::changeEvent(QEvent *event)
{
    // A frame asks its style for its width on every style change. Before the window's first
    // polish that caches the window's style rules, and the polish then drops them together with
    // the parsed sheet: the sheet would be parsed twice at start-up. QFrame takes its width again
    // right after the polish.
    if (event->type() == QEvent::StyleChange && !testAttribute(Qt::WA_WState_Polished)) {
        QWidget::changeEvent(event);
        return;
    }
    QFrame::changeEvent(event);
}

void TMainWindow::instantAnimationEnd()
{
    if (zoomStartPending) {
        zoomStartPending = false;
        updateScalingStep(1.0);
    }
    if (pScalingTimeLine->state() == QTimeLine::Running) {
        pScalingTimeLine->stop();
        pScalingTimeLine->setCurrentTime(0);
        updateScalingStep(pScalingTimeLine->direction() == QTimeLine::Forward ? 1.0 : 0.0);
    }
    if (pOpacityTimeLine->state() == QTimeLine::Running) {
        pOpacityTimeLine->stop();
        pOpacityTimeLine->setCurrentTime(0);
        updateOpacityStep(pOpacityTimeLine->direction() == QTimeLine::Forward ? 1.0 : 0.0);
    }
    if (pScalingTimeLine->state() != QTimeLine::Running && pOpacityTimeLine->state() != QTimeLine::Running)
        clrAnimating(this, SLOT(instantAnimationEnd()));
}

void TMainWindow::handleHeadingsChanged()
{
    if (!pCurrentScreen)
        return;
    if (withTitleArea) {
        pScreenLabel->setText(pCurrentScreen->getHeadingText());
        pPageLabel->setText(pCurrentScreen->getSubHeadingText());
    }
    qDebug() << "Screen: " << pCurrentScreen->getHeadingText() << ", page: " << pCurrentScreen->getSubHeadingText();
}

void TMainWindow::restackLayers()
{
    for (int i = 0; i < pTopLayout->count(); ++i)
        pTopLayout->widget(i)->raise();
}

QPixmap TMainWindow::layersPicture() const
{
    QPixmap picture(size());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    for (int i = 0; i < pTopLayout->count() - 1; ++i) {
        QWidget *layer = pTopLayout->widget(i);
        layer->render(&painter, layer->pos(), QRegion(), DrawWindowBackground | DrawChildren);
    }
    return picture;
}

bool TMainWindow::showSubWindow(TSubWindowView *view, bool animate)
{
    // A view shown again while still stacked is restacked, not stacked twice.
    if (subWindows.contains(view))
        hideSubWindow(view);
    subWindows.append(view);

    TWindowView *top = getTopView();
    if (top->getPriority() <= view->getPriority()) {
        if (isAnimating())
            forceInstantAnimationCompletion();
        top->setWindowOnTop(false);
        if (pHomeScreen && pHomeScreen->getProxyItem())
            pHomeScreen->getProxyItem()->setEnabled(false);
        pTopLayout->addWidget(view);
        pTopLayout->setCurrentWidget(view);
        if (TSubWindowView *down = qobject_cast<TSubWindowView *>(top))
            down->clrBackGround();
        if (animate)
            setAnimating(view, SLOT(instantAnimationEnd()));
        else
            pTopLayout->setStackingMode(QStackedLayout::StackAll);
        view->setWindowOnTop(true);
        return true;
    }

    int index = pTopLayout->count() - 1;
    while (index > 0 && static_cast<TWindowView *>(pTopLayout->widget(index - 1))->getPriority() > view->getPriority())
        --index;
    const int actIndex = pTopLayout->insertWidget(index, view);
    qDebug() << "indert widget req index " << index << " act index " << actIndex;
    restackLayers();
    // Covered layers stay in sight under the topmost one, unless the top shows its still picture.
    view->setWindowOnTop(false);
    if (pTopLayout->stackingMode() == QStackedLayout::StackAll)
        view->show();
    return false;
}

void TMainWindow::hideSubWindow(TSubWindowView *view)
{
    subWindows.removeAll(view);
    const int index = pTopLayout->indexOf(view);
    if (index < 0)
        return;
    pTopLayout->removeWidget(view);
    if (index == pTopLayout->count()) {
        pTopLayout->setStackingMode(QStackedLayout::StackAll);
        getTopView()->setWindowOnTop(true);
        if (!subWindowsStacked() && pHomeScreen && pHomeScreen->getProxyItem())
            pHomeScreen->getProxyItem()->setEnabled(true);
        return;
    }
    if (isAnimating()) {
        if (TSubWindowView *top = qobject_cast<TSubWindowView *>(getTopView()))
            top->setBackGround(dimmed(layersPicture()));
    }
}

void TMainWindow::setAnimating(QWidget *w, const char *slot)
{
    if (!w || animatingWidgets.contains(w))
        return;
    if (animatingWidgets.isEmpty() && subWindowsStacked()) {
        TSubWindowView *top = qobject_cast<TSubWindowView *>(getTopView());
        // Still showing the last still picture: grab the live stack, not that picture again.
        pAnimateEndTimer->stop();
        if (top)
            top->clrBackGround();
        pTopLayout->setStackingMode(QStackedLayout::StackAll);
        grabDimmedStill();
        if (top)
            top->setBackGround(stillPicture);
        pTopLayout->setStackingMode(QStackedLayout::StackOne);
    }
    connect(this, SIGNAL(instantAnimationCompletion()), w, slotSignature(slot).constData());
    connect(w, SIGNAL(destroyed(QObject *)), this, SLOT(animatingWidgetDestroyed(QObject *)));
    animatingWidgets.append(w);
}

void TMainWindow::clrAnimating(QWidget *w, const char *slot)
{
    if (!animatingWidgets.removeAll(w))
        return;
    disconnect(this, SIGNAL(instantAnimationCompletion()), w, slotSignature(slot).constData());
    disconnect(w, SIGNAL(destroyed(QObject *)), this, SLOT(animatingWidgetDestroyed(QObject *)));
    if (animatingWidgets.isEmpty() && subWindowsStacked())
        pAnimateEndTimer->start();
}

void TMainWindow::animatingWidgetDestroyed(QObject *pObj)
{
    qDebug() << "animating widget destroyed";
    // The widget is half destroyed: compare addresses only.
    for (int i = animatingWidgets.size() - 1; i >= 0; --i) {
        if (static_cast<void *>(animatingWidgets.at(i)) == static_cast<void *>(pObj))
            animatingWidgets.removeAt(i);
    }
    if (animatingWidgets.isEmpty() && subWindowsStacked())
        pAnimateEndTimer->start();
}

void TMainWindow::animateEndTimeoutHandler()
{
    if (!animatingWidgets.isEmpty() || !subWindowsStacked())
        return;
    if (TSubWindowView *top = qobject_cast<TSubWindowView *>(getTopView()))
        top->clrBackGround();
    pTopLayout->setStackingMode(QStackedLayout::StackAll);
}

bool TMainWindow::isAnimating() const
{
    return !animatingWidgets.isEmpty();
}

void TMainWindow::forceInstantAnimationCompletion()
{
    qDebug() << "Force animation completion";
    emit instantAnimationCompletion();
}

QPoint TMainWindow::posWithinMainWindow(QWidget *w, const QPoint &p)
{
    if (!w || !pInstance)
        return QPoint(-1, -1);
    if (w == pInstance)
        return p;
    if (!pInstance->isAncestorOf(w))
        return QPoint(-1, -1);
    return w->mapTo(pInstance, p);
}

bool TMainWindow::topWindowHasVisibleKeyborad() const
{
    TSubWindowView *top = qobject_cast<TSubWindowView *>(getTopView());
    return top && top->hasVisibleKeyboard();
}

void TMainWindow::setTimeFormat(const QString &format)
{
    timeFormat = format;
    updateTime();
}

void TMainWindow::updateTime()
{
    if (pTimeLabel)
        pTimeLabel->setText(QDateTime::currentDateTime().toUTC().toString(timeFormat));
}

void TMainWindow::savePixmap(const QPixmap &picture, bool grayScale)
{
    if (!pSavePixmapThread) {
        // Without a parent: it lives in itself; the main window ends it when the pictures are written.
        pSavePixmapThread = new TSavePixmapThread(nullptr);
        pSavePixmapThread->start(QThread::currentThread()->priority());
    }
    QMetaObject::invokeMethod(
        pSavePixmapThread, "handleSaveImage", Qt::QueuedConnection, Q_ARG(QImage, picture.toImage()), Q_ARG(bool, grayScale));
}

void TMainWindow::showSystemStatusWindow()
{
    // No system-status window is registered in this application.
}

void TMainWindow::logWidgetStatistics()
{
    const QWidgetList widgets = QApplication::allWidgets();
    QMap<QString, int> counts;
    for (QWidget *widget : widgets)
        ++counts[QString::fromLatin1(widget->metaObject()->className())];
    qDebug() << "+++++ Total widgets count" << widgets.size();
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        qDebug() << "+++++" << it.key() << "count" << it.value();
}

void TMainWindow::keyPressEvent(QKeyEvent *event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    switch (event->key()) {
    case Qt::Key_F1:
        showSystemStatusWindow();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        if (subWindows.isEmpty() && pHomeScreen && pCurrentScreen != pHomeScreen && pCurrentScreen && pCurrentScreen->getUseEscapeClose())
            showNewScreen(pHomeScreen);
        return;
    case Qt::Key_F11:
        if (alt)
            logWidgetStatistics();
        event->accept();
        return;
    default:
        break;
    }
    const ScreenshotChord chord = screenshotChord(event);
    if (chord != ScreenshotChord::None)
        savePixmap(grab(), chord == ScreenshotChord::Grey);
    if (chord != ScreenshotChord::None || event->key() == Qt::Key_F12) {
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void TMainWindow::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    const QRectF target(0, 0, width(), withTitleArea ? height() - TitleHeight : height());
    if (pScene->sceneRect() == target)
        return;
    qDebug() << "TMainWindow::resizeEvent NEW SIZE " << target;
    pScene->setSceneRect(target);
    if (pScalingTimeLine->state() == QTimeLine::Running && pCurrentScreen) {
        pCurrentScreen->resize(target.size().toSize());
        if (pCurrentScreen->getSnapshotItem())
            pCurrentScreen->getSnapshotItem()->setPixmap(pCurrentScreen->grab());
    }
}
