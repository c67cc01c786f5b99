// style_test_support.h
#pragma once

#include <QStringList>

// Collects the warnings logged while it exists instead of printing them; one at a time.
class WarningCapture
{
public:
    WarningCapture() { lines.clear(); }
    ~WarningCapture() { qInstallMessageHandler(previous); }
    // Lines that contain the given text.
    int count(const QString &part) const { return lines.filter(part).size(); }
    void clear() { lines.clear(); }

private:
    static void collect(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtWarningMsg)
            lines.append(text);
    }
    inline static QStringList lines;
    QtMessageHandler previous = qInstallMessageHandler(collect);
};
