// kvgui_message_window.h
#pragma once

#include "kvgui_abstract_sub_window.h"

#include <QDateTime>

class QLabel;
class QVBoxLayout;
class TButtonBar;
class TIconWidget;

// Notices, warnings, errors and yes/no questions. Always made through the static functions, which build the
// window, mark it to delete itself when closed and show it: growing out of the widget that caused it, or as
// event information when there is none. Any leaf chosen in its bar closes it.
class TMessageWindow : public TAbstractSubWindow
{
    Q_OBJECT
public:
    enum MessageType
    {
        Info = 0,
        Warning = 1,
        Error = 2,
        Question = 3,
        NewMessage = 4,
        Distress = 5,
        NewDistressMessage = 6
    };

    TMessageWindow(MessageType type, const QString &header, const QString &description, TButtonBar *customButtonBar,
        TOptionButton *defaultOptionButton);
    ~TMessageWindow() override;

    static void message(MessageType type, const QString &header, const QString &description, const QDateTime &dateTime, QWidget *comingFrom,
        TButtonBar *customButtonBar, TOptionButton *defaultOptionButton);
    static void error(const QString &header, const QString &description, QWidget *comingFrom, TButtonBar *customButtonBar = nullptr,
        TOptionButton *defaultOptionButton = nullptr);
    static void warning(const QString &header, const QString &description, QWidget *comingFrom, TButtonBar *customButtonBar = nullptr,
        TOptionButton *defaultOptionButton = nullptr);
    static void info(const QString &header, const QString &description, QWidget *comingFrom, TButtonBar *customButtonBar = nullptr,
        TOptionButton *defaultOptionButton = nullptr);
    static void error(const QString &header, const QString &description, const QDateTime &dateTime, TButtonBar *customButtonBar = nullptr,
        TOptionButton *defaultOptionButton = nullptr);
    static void warning(const QString &header, const QString &description, const QDateTime &dateTime, TButtonBar *customButtonBar = nullptr,
        TOptionButton *defaultOptionButton = nullptr);
    static void info(const QString &header, const QString &description, const QDateTime &dateTime, TButtonBar *customButtonBar = nullptr,
        TOptionButton *defaultOptionButton = nullptr);
    // Returns at once; the answer arrives only through the slots (null: the answer just closes).
    static void yesNoQuestion(const QString &header, const QString &description, QWidget *comingFrom, QObject *responseHandler,
        const char *yesSlot, const char *noSlot);

    void showMessage(QWidget *comingFrom);
    QString getHeader() const;
    QString getDescription() const;
    void setHeader(const QString &text);
    void setDescription(const QString &text);
    QString getTimeStamp() const;
    void setTimeStamp(const QDateTime &dateTime);
    TButtonBar *getButtonBar() const { return buttonBar; }
    static QString getIconName(int type);

    static bool use24HourClock; // time stamps "hh:mm" instead of "hh:mm ap"

protected:
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void debugButtonBar();

private:
    QVBoxLayout *mainLayout;
    QLabel *headerLabel; // "Header"
    QLabel *descriptionLabel; // "Description"
    QString description;
    QLabel *timeStampLabel; // "TimeStamp"; kept in the top-right corner, outside
                            // the layout
    TIconWidget *iconWidget;
    TButtonBar *buttonBar; // child
};
