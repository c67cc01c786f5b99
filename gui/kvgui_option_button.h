// kvgui_option_button.h
#pragma once

#include "kvgui_abstract_menu_shower.h"

#include <QToolButton>

class QStyleOptionToolButton;
class TOption;

// A touch push button of fixed height that shows an option: it runs a leaf option, or opens the menu of a
// menu option's sub-options. Reacts to the keypad as well as to touch. Never owns its option; when the option
// is destroyed first, the button becomes empty and inert.
class TOptionButton : public QToolButton, public TAbstractMenuShower
{
    Q_OBJECT
public:
    enum ButtonType
    {
        StandardButton = 0, // screens, button bars, message windows
        MenuEntryButton = 1, // entries of an option menu
        SortColumnButton = 2, // list column header with the sort arrow
        LeftAlignedButton = 3
    };

    enum SortOrder
    {
        NoSortOrder = 0,
        SortAscending = 1,
        SortDescending = 2
    };

    TOptionButton(TOption *option, QWidget *parent, ButtonType type = StandardButton);
    explicit TOptionButton(QWidget *parent, ButtonType type = StandardButton);

    QWidget *createMenuShownWidget(TOptionMenuWindow *menu, MenuDirections direction) override;

    void setOption(TOption *option);
    TOption *getOption() const { return pOption; }

    void setDefaultOptionButton(bool on);
    bool isDefaultOptionButton() const { return defaultOptionButton; }
    void setAlignment(Qt::Alignment flags) { alignment = flags; }
    Qt::Alignment getAlignment() const { return alignment; }
    void setElideMode(Qt::TextElideMode mode);
    Qt::TextElideMode getElideMode() const { return elideMode; }
    void setSortOrder(SortOrder order);
    SortOrder getSortOrder() const { return sortOrder; }
    ButtonType getButtonType() const { return buttonType; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Where the text is drawn: the contents beside the icon and the arrow.
    QRect textArea() const;

public slots:
    void optionUpdatedHandler();
    void optionDestroyedHandler(QObject *object);

signals:
    void leafSelected();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // Hands a Space event of the same kind to the push-button handling; the incoming event takes over its
    // accepted flag.
    void sendSyntheticSpace(QKeyEvent *event);
    void initPaintOption(QStyleOptionToolButton *option) const;
    QRect contentsRectFor(const QStyleOptionToolButton &option) const;
    QPixmap arrowPixmap() const;
    void applyOption();

private slots:
    void clickHandler();
    void debugButtonPressed();

private:
    enum KeyRole
    {
        Activates,
        PassedOn, // arrow keys: ignored on press so the focus can move, dropped on release
        DefaultHandling
    };
    KeyRole keyRole(int key) const;
    void logAncestors() const;
    void applyGeometry();

    ButtonType buttonType;
    SortOrder sortOrder;
    Qt::Alignment alignment;
    bool defaultOptionButton;
    Qt::TextElideMode elideMode;
};
