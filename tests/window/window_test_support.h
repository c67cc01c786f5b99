// window_test_support.h
#pragma once

#include "kvgui_abstract_sub_window.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

// Collects the log lines of one test; installed in init(), removed in cleanup().
class LogCapture
{
public:
    LogCapture()
    {
        clear();
        previous = qInstallMessageHandler(&LogCapture::handler);
    }
    ~LogCapture() { qInstallMessageHandler(previous); }

    QStringList lines() const
    {
        QMutexLocker locker(&mutex());
        return captured();
    }
    bool contains(const QString &text) const
    {
        const QStringList all = lines();
        for (const QString &line : all) {
            if (line.contains(text))
                return true;
        }
        return false;
    }
    int count(const QString &text) const
    {
        int n = 0;
        const QStringList all = lines();
        for (const QString &line : all)
            n += line.contains(text) ? 1 : 0;
        return n;
    }
    void clear()
    {
        QMutexLocker locker(&mutex());
        captured().clear();
    }

private:
    static QMutex &mutex()
    {
        static QMutex m;
        return m;
    }
    static QStringList &captured()
    {
        static QStringList list;
        return list;
    }
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        QMutexLocker locker(&mutex());
        captured().append(message);
    }

    QtMessageHandler previous;
};

// A plain sub-window of a fixed size with two buttons to move the focus between.
class TestSubWindow : public TAbstractSubWindow
{
    Q_OBJECT
public:
    TestSubWindow(int effect, int flags, const QSize &size, int priority = 0)
        : TAbstractSubWindow(effect, flags)
    {
        setPriority(priority);
        setFixedSize(size);
        QVBoxLayout *layout = new QVBoxLayout(this);
        first = new QPushButton("first", this);
        second = new QPushButton("second", this);
        layout->addWidget(first);
        layout->addWidget(second);
    }

    void foldUpDown() { setFoldUpDown(true); }

    QPushButton *first;
    QPushButton *second;
};
