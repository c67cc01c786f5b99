// kvgui_touch_keyboard.h
#pragma once

#include "kvgui_base_touch_keypad.h"

#include <QList>

class QHBoxLayout;
class QLabel;
class QSpacerItem;
class QTimeLine;
class TIconButton;
class TTouchKey;

// The 800-pixel on-screen keyboard of a sub-window view: four rows of keys that slide open
// under the window and type into its focus widget. The 48 key widgets are built once; a layout
// change gives every key new key data. GUI thread only.
class TTouchKeyboard : public TBaseTouchKeypad
{
    Q_OBJECT
public:
    // Plain integers underneath: a value outside the list gives the Latin lower-case layout.
    enum TKeyboardState : int
    {
        LOWER_CASE = 1,
        UPPER_CASE = 2,
        INM_C_LOWER_CASE_CYRILLIC = 3,
        INM_C_UPPER_CASE_CYRILLIC = 4,
        RADIOTELEX_LOWER_CASE_CYRILLIC = 5,
        RADIOTELEX_UPPER_CASE_CYRILLIC = 6,
        ASCII_SYMBOLS_1 = 7,
        ASCII_SYMBOLS_2 = 8,
        RADIOTELEX_SYMBOLS = 9,
        INM_C_SYMBOLS_5BIT_LATIN = 10,
        INM_C_SYMBOLS_7BIT_CYRILLIC_1 = 11,
        INM_C_SYMBOLS_7BIT_CYRILLIC_2 = 12,
        DIGIT_ONLY = 13,
        DIGIT_PLUS = 14
    };

    TTouchKeyboard(bool userHide, QWidget *parent);
    ~TTouchKeyboard() override;

    void setUserHide(bool userHide);
    bool getUserHide() const { return userHideable; }

    bool isShown() override;
    // A foreign key press closes a user-hideable keyboard.
    bool isTouchKeyboredEvent(QKeyEvent *e) override;
    void setKeyboardCharacterSet(TKeyboardCharacterSet set) override;
    TKeyboardCharacterSet getKeyboardCharacterSet() const { return characterSet; }

    TKeyboardState getState() const { return state; }
    // Values outside 1..14 give the Latin lower-case layout.
    void setState(TKeyboardState newState);
    int getSymbolPage() const { return symbolPage; }

    // Null until the keys are built by the first showKeyboard() or setKeyboardCharacterSet().
    TTouchKey *getCapsLockKey() const { return pCapsLockKey; }
    TTouchKey *getShiftKey() const { return pShiftKey; }
    TTouchKey *getCyrillicToggleKey() const { return pCyrillicToggleKeyRow4; }
    TTouchKey *getSymbolsKey() const { return pSymbolsKey; }
    TIconButton *getHideButtonUpperRight() const { return pHideButtonUpperRight; }
    TIconButton *getHideButtonLowerRight() const { return pHideButtonLowerRight; }
    TIconButton *getSymbolArrowUp() const { return pSymbolArrowUp; }
    TIconButton *getSymbolArrowDown() const { return pSymbolArrowDown; }
    QLabel *getPageLabel() const { return pPageLabel; }
    QTimeLine *getTimeLine() const { return pTimeLine; }

public slots:
    void showKeyboard(bool animatedShow);
    void showKeyboard();
    void hideKeyboard(THiddingReason reason);
    void hideKeyboard();
    void instantAnimationEnd();

signals:
    void heightChanged(int currentHeight);

protected slots:
    void keyClickedHandler(TBaseKeyData *kd) override;

private slots:
    void updateShowKeyboardStep(qreal val);
    void showKeyboardFinished();
    void symbolArrowUpKeyClickedHandler();
    void symbolArrowDownKeyClickedHandler();

private:
    void initContentFrame();
    TTouchKey *newKey(QHBoxLayout *row, int width, int font, const QList<TBaseKeyData *> &data);
    TTouchKey *newKey(QHBoxLayout *row, int width, int font, TBaseKeyData *sameInEveryState);
    void updateSelectorAndSpacers();
    void setCyrillicToggleShown(bool shown);
    bool cyrillicAlphabet() const;
    TKeyboardState caseState(bool upper) const;
    void goToCase(bool upper);
    void symbolArrowClicked();
    void registerAnimation();
    void unregisterAnimation();

    QTimeLine *pTimeLine; // child
    QFrame *pContentFrame; // child; null until the keys are built
    int symbolPage;
    QHBoxLayout *pRow1;
    QHBoxLayout *pRow2;
    QHBoxLayout *pRow3;
    QHBoxLayout *pRow4;
    QList<TBaseKeyData *> keyData[14]; // per state 1..14, one entry per key; null = empty key
    TTouchKey *pCapsLockKey;
    TTouchKey *pStarKey;
    TTouchKey *pSymbolsKey;
    TTouchKey *pBlankKey;
    TTouchKey *pShiftKey;
    TTouchKey *pAtKey;
    TTouchKey *pCyrillicExtraKeys[6];
    TTouchKey *pCyrillicToggleKeyRow4;
    TIconButton *pSymbolArrowUp;
    TIconButton *pSymbolArrowDown;
    QLabel *pPageLabel;
    QSpacerItem *pRowSpacers[4];
    bool userHideable;
    TIconButton *pHideButtonUpperRight;
    TIconButton *pHideButtonLowerRight;
    TKeyboardCharacterSet characterSet;
    TKeyboardState state;
    QList<TBaseKeyData *> ownedKeyData; // every key data object once

    // Whether Caps Lock was on when the operator entered a symbol layout; shared by all keyboards.
    static bool bCapsLock;
};
