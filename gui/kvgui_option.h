// kvgui_option.h
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QWidget;
class TAbstractSubWindow;

// The command behind a button or a menu entry. An option with sub-options is a menu option, one without is a
// leaf. Owned by the screen or window that creates it (its QObject parent); buttons showing it never own it.
class TOption : public QObject
{
    Q_OBJECT
public:
    // With a slot and a parent, selected(QWidget*) runs that slot of the parent. The slot is given as
    // SLOT(...) text or as a bare normalised signature.
    TOption(const QString &text, QObject *parent, const char *slot = nullptr);
    TOption(const QString &text, const QString &iconName, QObject *parent, const char *slot = nullptr);
    TOption(int id, const QString &text, QObject *parent);
    TOption(int id, const QString &text, const QString &iconName, QObject *parent);
    TOption(TAbstractSubWindow *popUpWindow, const QString &text, QObject *parent);
    TOption(TAbstractSubWindow *popUpWindow, const QString &text, const QString &iconName, QObject *parent);
    ~TOption() override;

    QString getText() const { return text; }
    int getId() const { return id; }
    bool isEnabled() const { return enabled; }
    QString getIconName() const { return iconName; }
    QString getMenuHeading() const { return menuHeading; }
    bool hasSubOptions() const { return subOptions != nullptr; }

    void setText(const QString &newText);
    void setIconName(const QString &name);
    void setId(int newId);
    void setEnabled(bool on);
    void setMenuHeading(const QString &heading) { menuHeading = heading; }

    void appendSubOption(TOption *option);
    void appendSubOption(TOption *option, int index);
    void removeSubOption(TOption *option);
    void deleteAllSubOptions();

    int id;
    QString text; // "&" marks the mnemonic letter
    QString iconName; // image name without extension or state suffix
    QString menuHeading;
    TAbstractSubWindow *pPopUpWindow; // not owned
    bool enabled;
    QList<TOption *> *subOptions; // list owned, entries not; null for a leaf

signals:
    void updated();
    void selected(QWidget *pEmittedBy);
    void selected();
    void leafSelected(int id);
    void leafSelected();

private slots:
    void debugTOptionSelected(QWidget *fromWidget);

private:
    void init(const char *function, const char *slot);
};
