// kvgui_option.cpp
#include "kvgui_option.h"

#include <QByteArray>
#include <QDebug>
#include <QWidget>

TOption::TOption(const QString &optionText, QObject *parent, const char *slot)
    : QObject(parent)
    , id(0)
    , text(optionText)
    , pPopUpWindow(nullptr)
    , enabled(true)
    , subOptions(nullptr)
{
    init("TOption::TOption(const QString&, QObject*, const char*)", slot);
}

TOption::TOption(const QString &optionText, const QString &icon, QObject *parent, const char *slot)
    : QObject(parent)
    , id(0)
    , text(optionText)
    , iconName(icon)
    , pPopUpWindow(nullptr)
    , enabled(true)
    , subOptions(nullptr)
{
    init("TOption::TOption(const QString&, const QString&, QObject*, const char*)", slot);
}

TOption::TOption(int optionId, const QString &optionText, QObject *parent)
    : QObject(parent)
    , id(optionId)
    , text(optionText)
    , pPopUpWindow(nullptr)
    , enabled(true)
    , subOptions(nullptr)
{
    init("TOption::TOption(int, const QString&, QObject*)", nullptr);
}

TOption::TOption(int optionId, const QString &optionText, const QString &icon, QObject *parent)
    : QObject(parent)
    , id(optionId)
    , text(optionText)
    , iconName(icon)
    , pPopUpWindow(nullptr)
    , enabled(true)
    , subOptions(nullptr)
{
    init("TOption::TOption(int, const QString&, const QString&, QObject*)", nullptr);
}

TOption::TOption(TAbstractSubWindow *popUpWindow, const QString &optionText, QObject *parent)
    : QObject(parent)
    , id(0)
    , text(optionText)
    , pPopUpWindow(popUpWindow)
    , enabled(true)
    , subOptions(nullptr)
{
    init("TOption::TOption(TAbstractSubWindow*, const QString&, QObject*)", nullptr);
}

TOption::TOption(TAbstractSubWindow *popUpWindow, const QString &optionText, const QString &icon, QObject *parent)
    : QObject(parent)
    , id(0)
    , text(optionText)
    , iconName(icon)
    , pPopUpWindow(popUpWindow)
    , enabled(true)
    , subOptions(nullptr)
{
    init("TOption::TOption(TAbstractSubWindow*, const QString&, const QString&, QObject*)", nullptr);
}

void TOption::init(const char *function, const char *slot)
{
    qDebug() << function << ": Start of function. text=" << text << ", this=" << this;
    // The argument-less forms follow the full ones, so listeners of either see every choice.
    connect(this, SIGNAL(selected(QWidget *)), this, SIGNAL(selected()));
    connect(this, SIGNAL(leafSelected(int)), this, SIGNAL(leafSelected()));
    connect(this, SIGNAL(selected(QWidget *)), this, SLOT(debugTOptionSelected(QWidget *)));
    if (slot && *slot && parent()) {
        QByteArray member(slot);
        // Accept SLOT(...) text as well as a bare signature.
        if (member.at(0) < '0' || member.at(0) > '9')
            member.prepend('1');
        connect(this, SIGNAL(selected(QWidget *)), parent(), member.constData());
    }
}

TOption::~TOption()
{
    qDebug() << "TOption::~TOption()"
             << ": About to destruct TOption (this=" << this << " with text=" << text;
    delete subOptions;
}

void TOption::setText(const QString &newText)
{
    text = newText;
    emit updated();
}

void TOption::setIconName(const QString &name)
{
    iconName = name;
    emit updated();
}

void TOption::setId(int newId)
{
    id = newId;
    emit updated();
}

void TOption::setEnabled(bool on)
{
    if (enabled == on)
        return;
    enabled = on;
    emit updated();
}

void TOption::appendSubOption(TOption *option)
{
    if (!subOptions)
        subOptions = new QList<TOption *>;
    connect(option, SIGNAL(leafSelected(int)), this, SIGNAL(leafSelected(int)));
    subOptions->append(option);
}

void TOption::appendSubOption(TOption *option, int index)
{
    if (!subOptions)
        subOptions = new QList<TOption *>;
    if (index < 0 || index > subOptions->count())
        return;
    connect(option, SIGNAL(leafSelected(int)), this, SIGNAL(leafSelected(int)));
    subOptions->insert(index, option);
}

void TOption::removeSubOption(TOption *option)
{
    if (!subOptions || !subOptions->contains(option))
        return;
    subOptions->removeAll(option);
    disconnect(option, SIGNAL(leafSelected(int)), this, SIGNAL(leafSelected(int)));
    if (subOptions->isEmpty()) {
        delete subOptions;
        subOptions = nullptr;
    }
}

void TOption::deleteAllSubOptions()
{
    if (!subOptions)
        return;
    while (!subOptions->isEmpty()) {
        TOption *child = subOptions->takeFirst();
        child->deleteAllSubOptions();
        child->deleteLater();
    }
    delete subOptions;
    subOptions = nullptr;
}

void TOption::debugTOptionSelected(QWidget *fromWidget)
{
    qDebug() << "void TOption::debugTOptionSelected(QWidget*)"
             << ": TOption with text=" << text << " was pressed from widget=" << static_cast<void *>(fromWidget);
}
