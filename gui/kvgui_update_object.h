// kvgui_update_object.h
#pragma once

#include <QObject>
#include <QString>

class QWidget;

// A connection from a data source to a screen widget that is live only while started, so a
// hidden screen does no refresh work. Owned by its receiver.
class TUpdateObject : public QObject
{
    Q_OBJECT
public:
    // The signatures carry Qt's markers, as SIGNAL() and SLOT() give them.
    TUpdateObject(QObject *sender, const char *signal, QWidget *receiver, const char *slot);

    bool isUpdating() const { return updating; }

signals:
    void stateChanged(bool updating);

public slots:
    void start();
    void stop();

private:
    QObject *pSender; // not owned
    QString signal;
    QWidget *pReceiver; // also the parent
    QString slot;
    bool updating;
};
