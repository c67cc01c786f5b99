// kvgui_window_view.h
#pragma once

#include "kvgui_animation_pixmap_widget.h"

// One layer of the main window. A covered layer is disabled and remembers where its focus was,
// so uncovering it puts the focus back.
class TWindowView : public TAnimationPixmapWidget
{
    Q_OBJECT
public:
    explicit TWindowView(QWidget *parent = nullptr);
    ~TWindowView() override;

    virtual int getPriority() const;

    void setWindowOnTop(bool onTop);

protected:
    void closeEvent(QCloseEvent *event) override;

    QWidget *pDefaultFocusWidget; // the view itself
    QWidget *pLastFocusWidget; // not owned; watched for destruction, null once destroyed

private slots:
    void handleLastFocusWidgetDestroyed(QObject *pDestroyedObject);
};
