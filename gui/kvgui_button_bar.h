// kvgui_button_bar.h
#pragma once

#include <QFrame>

class QHBoxLayout;
class QLabel;
class QLayout;
class QSpacerItem;
class TIconWidget;
class TOption;
class TOptionButton;
class TOptionIconButton;

// A row of option buttons, 58 pixels high, that reports each leaf choice of any of its buttons once. A
// minimisable bar shows only a tools button until it is expanded. Everything added is a child of the bar (or
// of its option frame).
class TButtonBar : public QFrame
{
    Q_OBJECT
public:
    TButtonBar(QWidget *parent, bool canMinimize);

    TOptionButton *addNewOptionButton(TOption *option, int stretch = 0, Qt::Alignment alignment = Qt::Alignment());
    TOptionButton *addNewOptionButton(int index, TOption *option, int stretch = 0, Qt::Alignment alignment = Qt::Alignment());
    TOptionIconButton *addNewOptionIconButton(TOption *option, int stretch = 0, Qt::Alignment alignment = Qt::Alignment());
    void addSubButtonBar(TButtonBar *bar, int stretch = 0, Qt::Alignment alignment = Qt::Alignment());
    TIconWidget *addIcon(const QString &iconName, int stretch = 0, Qt::Alignment alignment = Qt::Alignment());
    QLabel *addLabel(const QString &text, int stretch = 0, Qt::Alignment alignment = Qt::Alignment());
    void addSpacing(int size);
    void addStretch(int stretch = 0);
    void addSpacerItem(QSpacerItem *item);
    void addLayout(QLayout *layout, int stretch = 0);

    void setAlignment(Qt::Alignment flags);
    Qt::Alignment alignment() const;
    bool getCanMinimize() const { return closeToolsButton != nullptr; }
    bool getFullyShown() const;

    void setVisible(bool visible) override;

public slots:
    void setFullyShown();
    void setMinimized();

signals:
    void leafSelected();
    void fullyShown(bool shown);

private:
    bool barHasFocus() const;

    QHBoxLayout *outerLayout;
    QWidget *optionFrame; // the bar itself unless minimisable
    QHBoxLayout *buttonLayout; // the outer layout unless minimisable
    TOptionIconButton *toolsButton; // minimisable bars only
    TOptionIconButton *closeToolsButton; // minimisable bars only
    bool minimized;
};
