// kvgui_screen.h
#pragma once

#include <QFrame>
#include <QList>
#include <QString>

class QGraphicsPixmapItem;
class QGraphicsProxyWidget;
class TUpdateObject;

// One full page below the title area. The main window shows one screen at a time and calls
// prepareShow() and prepareHide() around it; update objects are live only while it is shown.
class TScreen : public QFrame
{
    Q_OBJECT
public:
    TScreen(const QString &headingText, const QString &subHeadingText, QWidget *parent);

    QString getHeadingText() const { return headingText; }
    QString getSubHeadingText() const { return subHeadingText; }
    bool getUseEscapeClose() const { return useEscapeClose; }
    void setUseEscapeClose(bool use) { useEscapeClose = use; }
    void addUpdateObject(TUpdateObject *updateObject);

    // Items of the main window's graphics scene; the scene owns them, the screen only carries them.
    QGraphicsProxyWidget *getProxyItem() const { return pProxyItem; }
    void setProxyItem(QGraphicsProxyWidget *item) { pProxyItem = item; }
    QGraphicsPixmapItem *getSnapshotItem() const { return pSnapshotItem; }
    void setSnapshotItem(QGraphicsPixmapItem *item) { pSnapshotItem = item; }

    virtual void prepareShow();
    virtual void prepareHide();

signals:
    void headingsChanged();

protected slots:
    virtual void handleHomeSelected();

public slots:
    virtual void resetScreen();
    virtual void refreshScreen();

protected:
    void setHeadingText(const QString &text);
    void setSubHeadingText(const QString &text);

private:
    QGraphicsProxyWidget *pProxyItem;
    QGraphicsPixmapItem *pSnapshotItem;
    QString headingText;
    QString subHeadingText;
    QList<TUpdateObject *> updateObjects; // newest first; owned by their receivers
    bool useEscapeClose;
};
