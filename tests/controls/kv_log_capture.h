// kv_log_capture.h
#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects the text of every Qt message while alive; the previous handler is restored after.
class TLogCapture
{
public:
    TLogCapture() { previous = qInstallMessageHandler(&TLogCapture::handler); }
    ~TLogCapture() { qInstallMessageHandler(previous); }

    static QStringList &lines()
    {
        static QStringList captured;
        return captured;
    }

    static bool contains(const QString &part)
    {
        for (const QString &line : lines())
            if (line.contains(part))
                return true;
        return false;
    }

    static int count(const QString &part)
    {
        int n = 0;
        for (const QString &line : lines())
            if (line.contains(part))
                ++n;
        return n;
    }

private:
    static void handler(QtMsgType, const QMessageLogContext &, const QString &message) { lines().append(message); }

    QtMessageHandler previous;
};
