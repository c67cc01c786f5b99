// kvgui_message_window.cpp
#include "kvgui_message_window.h"

#include "kvgui_button_bar.h"
#include "kvgui_icon_widget.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"

#include <QByteArray>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

bool TMessageWindow::use24HourClock = false;

namespace {
const int MinimumWidth = 500;
const int MinimumHeight = 150;
const int TimeStampWidth = 70;

// Accepts SLOT(...) text as well as a bare signature.
QByteArray slotMember(const char *slot)
{
    QByteArray member(slot);
    if (!member.isEmpty() && (member.at(0) < '0' || member.at(0) > '9'))
        member.prepend('1');
    return member;
}
} // namespace

TMessageWindow::TMessageWindow(
    MessageType type, const QString &header, const QString &text, TButtonBar *customButtonBar, TOptionButton *defaultOptionButton)
    : TAbstractSubWindow(SlideIn, 0)
    , description(text)
{
    qDebug() << "TMessageWindow::TMessageWindow(TMessageWindow::MessageType, const QString&, const QString&, TButtonBar*, TOptionButton*)"
             << ": Constructor for TMessageWindow. this=" << this << ", header=" << header << ", description=" << text
             << ", (void*) TButtonBar=" << static_cast<void *>(customButtonBar)
             << ", (void*) TOptionButton=" << static_cast<void *>(defaultOptionButton);
    setMinimumSize(MinimumWidth, MinimumHeight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Minimum);

    mainLayout = new QVBoxLayout(this);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(2);

    auto *topRow = new QHBoxLayout();
    topRow->setContentsMargins(0, 0, 0, 0);
    topRow->setSpacing(2);
    iconWidget = new TIconWidget(getIconName(type), this);
    topRow->addWidget(iconWidget);
    headerLabel = new QLabel(header, this);
    headerLabel->setObjectName(QStringLiteral("Header"));
    headerLabel->setWordWrap(true);
    headerLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    headerLabel->setAlignment(Qt::AlignCenter);
    headerLabel->setMinimumWidth(2 * (248 - iconWidget->minimumWidth()));
    topRow->addWidget(headerLabel);
    // As wide as the icon, so the header is centred over the window.
    topRow->addSpacing(iconWidget->maximumWidth());
    mainLayout->addLayout(topRow);

    timeStampLabel = new QLabel(this);
    timeStampLabel->setObjectName(QStringLiteral("TimeStamp"));
    timeStampLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    timeStampLabel->setFixedWidth(TimeStampWidth);

    descriptionLabel = new QLabel(text, this);
    descriptionLabel->setObjectName(QStringLiteral("Description"));
    descriptionLabel->setWordWrap(true);
    descriptionLabel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    descriptionLabel->setMinimumWidth(MinimumWidth);
    mainLayout->addWidget(descriptionLabel);

    if (customButtonBar) {
        buttonBar = customButtonBar;
        buttonBar->setParent(this);
        connect(buttonBar, SIGNAL(leafSelected()), this, SLOT(debugButtonBar()));
        connect(buttonBar, SIGNAL(leafSelected()), this, SLOT(close()));
        setDefaultOptionButton(defaultOptionButton);
    } else {
        buttonBar = new TButtonBar(this, false);
        connect(buttonBar, SIGNAL(leafSelected()), this, SLOT(debugButtonBar()));
        auto *ok = new TOption(tr("&OK"), this, SLOT(close()));
        setDefaultOptionButton(buttonBar->addNewOptionButton(ok, 0, Qt::AlignCenter));
    }

    if (type == Distress || type == NewDistressMessage)
        setPriority(1);
    mainLayout->addWidget(buttonBar);
}

TMessageWindow::~TMessageWindow()
{
    qDebug() << "TMessageWindow::~TMessageWindow()"
             << ": Destructor for TMessageWindow with this=" << this;
}

QString TMessageWindow::getIconName(int type)
{
    switch (type) {
    case Warning:
        return QStringLiteral("kvgui_message_warning");
    case Error:
        return QStringLiteral("kvgui_message_error");
    case Question:
        return QStringLiteral("kvgui_message_question");
    case NewMessage:
        return QStringLiteral("kvgui_message_new_message");
    case Distress:
        return QStringLiteral("kvgui_message_distress");
    case NewDistressMessage:
        return QStringLiteral("kvgui_message_new_distress_message");
    default:
        return QStringLiteral("kvgui_message_info");
    }
}

void TMessageWindow::message(MessageType type, const QString &header, const QString &text, const QDateTime &dateTime, QWidget *comingFrom,
    TButtonBar *customButtonBar, TOptionButton *defaultOptionButton)
{
    auto *window = new TMessageWindow(type, header, text, customButtonBar, defaultOptionButton);
    if (dateTime.isValid())
        window->setTimeStamp(dateTime);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMessage(comingFrom);
}

void TMessageWindow::error(
    const QString &header, const QString &text, QWidget *comingFrom, TButtonBar *customButtonBar, TOptionButton *defaultOptionButton)
{
    message(Error, header, text, QDateTime(), comingFrom, customButtonBar, defaultOptionButton);
}

void TMessageWindow::warning(
    const QString &header, const QString &text, QWidget *comingFrom, TButtonBar *customButtonBar, TOptionButton *defaultOptionButton)
{
    message(Warning, header, text, QDateTime(), comingFrom, customButtonBar, defaultOptionButton);
}

void TMessageWindow::info(
    const QString &header, const QString &text, QWidget *comingFrom, TButtonBar *customButtonBar, TOptionButton *defaultOptionButton)
{
    message(Info, header, text, QDateTime(), comingFrom, customButtonBar, defaultOptionButton);
}

void TMessageWindow::error(
    const QString &header, const QString &text, const QDateTime &dateTime, TButtonBar *customButtonBar, TOptionButton *defaultOptionButton)
{
    qDebug() << "static void TMessageWindow::error(const QString&, const QString&, const QDateTime&, TButtonBar*, TOptionButton*)"
             << ": Constructor for TMessageWindow. header=" << header << ", description=" << text
             << ", (void*) pCustomButtonBar=" << static_cast<void *>(customButtonBar)
             << ", (void*) pDefaultOptionButton=" << static_cast<void *>(defaultOptionButton);
    message(Error, header, text, dateTime, nullptr, customButtonBar, defaultOptionButton);
}

void TMessageWindow::warning(
    const QString &header, const QString &text, const QDateTime &dateTime, TButtonBar *customButtonBar, TOptionButton *defaultOptionButton)
{
    qDebug() << "static void TMessageWindow::warning(const QString&, const QString&, const QDateTime&, TButtonBar*, TOptionButton*)"
             << ": Constructor for TMessageWindow. header=" << header << ", description=" << text
             << ", (void*) pCustomButtonBar=" << static_cast<void *>(customButtonBar)
             << ", (void*) pDefaultOptionButton=" << static_cast<void *>(defaultOptionButton);
    message(Warning, header, text, dateTime, nullptr, customButtonBar, defaultOptionButton);
}

void TMessageWindow::info(
    const QString &header, const QString &text, const QDateTime &dateTime, TButtonBar *customButtonBar, TOptionButton *defaultOptionButton)
{
    qDebug() << "static void TMessageWindow::info(const QString&, const QString&, const QDateTime&, TButtonBar*, TOptionButton*)"
             << ": Constructor for TMessageWindow. header=" << header << ", description=" << text
             << ", (void*) pCustomButtonBar=" << static_cast<void *>(customButtonBar)
             << ", (void*) pDefaultOptionButton=" << static_cast<void *>(defaultOptionButton);
    message(Info, header, text, dateTime, nullptr, customButtonBar, defaultOptionButton);
}

void TMessageWindow::yesNoQuestion(
    const QString &header, const QString &text, QWidget *comingFrom, QObject *responseHandler, const char *yesSlot, const char *noSlot)
{
    qDebug() << "static void TMessageWindow::yesNoQuestion(const QString&, const QString&, QWidget*, QObject*, const char*, const char*)"
             << ": Constructor for TMessageWindow. header=" << header << ", description=" << text
             << "(void*) pCommingFrom=" << static_cast<void *>(comingFrom)
             << ", (void*) pResponseHandler=" << static_cast<void *>(responseHandler);
    auto *bar = new TButtonBar(nullptr, false);

    auto *yes = new TOption(tr("&Yes"), QStringLiteral("kvgui_option_ok"), bar);
    if (yesSlot && *yesSlot && responseHandler)
        connect(yes, SIGNAL(selected(QWidget *)), responseHandler, slotMember(yesSlot).constData());
    TOptionButton *yesButton = bar->addNewOptionButton(yes, 0, Qt::AlignCenter);

    auto *no = new TOption(tr("&No"), QStringLiteral("kvgui_option_cancel"), bar);
    if (noSlot && *noSlot && responseHandler)
        connect(no, SIGNAL(selected(QWidget *)), responseHandler, slotMember(noSlot).constData());
    bar->addNewOptionButton(no, 0, Qt::AlignCenter);

    message(Question, header, text, QDateTime(), comingFrom, bar, yesButton);
}

void TMessageWindow::showMessage(QWidget *comingFrom)
{
    static const char *const function = "void TMessageWindow::showMessage(QWidget*)";
    qDebug() << function << ": Start of function. this=" << this << ", (void*) pCommingFrom=" << static_cast<void *>(comingFrom);
    if (comingFrom) {
        setShowEffect(GrowFromPoint);
        qDebug() << function << ": About to run showWindow(pFromCenterOf) with header=" << getHeader()
                 << " and description=" << getDescription();
        showWindow(comingFrom);
    } else {
        setShowEffect(SlideIn);
        showEventInfo();
    }
    qDebug() << function << ": End of function. this=" << this;
}

QString TMessageWindow::getHeader() const
{
    qDebug() << "QString TMessageWindow::getHeader() const"
             << ": Start of function.";
    return headerLabel->text();
}

QString TMessageWindow::getDescription() const
{
    qDebug() << "QString TMessageWindow::getDescription() const"
             << ": Start of function.";
    return descriptionLabel->text();
}

void TMessageWindow::setHeader(const QString &text)
{
    headerLabel->setText(text);
}

void TMessageWindow::setDescription(const QString &text)
{
    description = text;
    descriptionLabel->setText(text);
}

QString TMessageWindow::getTimeStamp() const
{
    return timeStampLabel->text();
}

void TMessageWindow::setTimeStamp(const QDateTime &dateTime)
{
    const QString format = use24HourClock ? QStringLiteral("hh:mm") : QStringLiteral("hh:mm ap");
    timeStampLabel->setText(dateTime.toTimeSpec(Qt::UTC).toString(format));
}

void TMessageWindow::resizeEvent(QResizeEvent *event)
{
    TAbstractSubWindow::resizeEvent(event);
    timeStampLabel->move(width() - timeStampLabel->width(), 0);
}

void TMessageWindow::debugButtonBar()
{
    qDebug() << "void TMessageWindow::debugButtonBar()"
             << ": Button bar leaf was selected. Will probably now close TMessageWindow with this=" << this;
}
