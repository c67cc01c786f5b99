// kvgui_touch_keyboard.cpp
#include "kvgui_touch_keyboard.h"

#include "kvgui_control_key_data.h"
#include "kvgui_icon_button.h"
#include "kvgui_main_window.h"
#include "kvgui_standard_key_data.h"
#include "kvgui_touch_key.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QSpacerItem>
#include <QTimeLine>
#include <QVBoxLayout>

bool TTouchKeyboard::bCapsLock = false;

namespace {
const int KeyboardWidth = 800;
const int KeyboardHeight = 240;
const int SlideDuration = 300;
const int SlideUpdateInterval = 40;
const int StateCount = 14;
const int SelectorWidth = 60;
// Row spacers: the selector column (60 + 1 spacing) when it is hidden, or the narrow indent of
// the Cyrillic letter layouts, whose two extra keys take that room.
const int WideSpacer = 61;
const int NarrowSpacer = 2;
// Codes of the two mode keys, outside Qt's key range.
const Qt::Key CyrillicToggleKeyCode = Qt::Key(0x01100000);
const Qt::Key SymbolsKeyCode = Qt::Key(0x01010000);

// Character keys of one row, in creation order, one character per key; a blank is an empty key.
// Row 1: first key, two Cyrillic extras, nine keys. Row 2: first key, two extras, eight keys.
// Row 3: star, two extras, seven keys, comma, period, at.
struct Layout
{
    TTouchKeyboard::TKeyboardState state;
    const char *rows[3]; // UTF-8
};

const Layout layouts[] = {
    { TTouchKeyboard::LOWER_CASE, { "q  wertyuiop", "a  sdfghjkl", "   zxcvbnm,. " } },
    { TTouchKeyboard::UPPER_CASE, { "Q  WERTYUIOP", "A  SDFGHJKL", "   ZXCVBNM,. " } },
    { TTouchKeyboard::INM_C_LOWER_CASE_CYRILLIC, { "йцукенгшщзхъ", "фывапролджэ", " ячсмитьбю,. " } },
    { TTouchKeyboard::INM_C_UPPER_CASE_CYRILLIC, { "ЙЦУКЕНГШЩЗХЪ", "ФЫВАПРОЛДЖЭ", " ЯЧСМИТЬБЮ,. " } },
    { TTouchKeyboard::RADIOTELEX_LOWER_CASE_CYRILLIC, { "йцукенгшщзх ", "фывапролджэ", " ячсмитьбю,. " } },
    { TTouchKeyboard::RADIOTELEX_UPPER_CASE_CYRILLIC, { "ЙЦУКЕНГШЩЗХ ", "ФЫВАПРОЛДЖЭ", " ЯЧСМИТЬБЮ,. " } },
    { TTouchKeyboard::ASCII_SYMBOLS_1, { "1  234567890", "!  \"#$%&/()", "*  =?+-;:'<>@" } },
    { TTouchKeyboard::ASCII_SYMBOLS_2, { "[  ]{}\\^_|~`", "           ", "             " } },
    { TTouchKeyboard::RADIOTELEX_SYMBOLS, { "1  234567890", "        /()", "   =?+- :'   " } },
    { TTouchKeyboard::INM_C_SYMBOLS_5BIT_LATIN, { "1  234567890", "    #$% /()", "    ?+- :'  @" } },
    { TTouchKeyboard::INM_C_SYMBOLS_7BIT_CYRILLIC_1, { "1  234567890", "!  \"#$%&/()", "*  =?+-;:'<> " } },
    { TTouchKeyboard::INM_C_SYMBOLS_7BIT_CYRILLIC_2, { "    {}   |~`", "           ", "             " } },
    { TTouchKeyboard::DIGIT_ONLY, { "1  234567890", "           ", "             " } },
    { TTouchKeyboard::DIGIT_PLUS, { "1  234567890", "           ", "     +       " } },
};

const char *stateName(int state)
{
    static const char *const names[] = { "LOWER_CASE", "UPPER_CASE", "INM_C_LOWER_CASE_CYRILLIC", "INM_C_UPPER_CASE_CYRILLIC",
        "RADIOTELEX_LOWER_CASE_CYRILLIC", "RADIOTELEX_UPPER_CASE_CYRILLIC", "ASCII_SYMBOLS_1", "ASCII_SYMBOLS_2", "RADIOTELEX_SYMBOLS",
        "INM_C_SYMBOLS_5BIT_LATIN", "INM_C_SYMBOLS_7BIT_CYRILLIC_1", "INM_C_SYMBOLS_7BIT_CYRILLIC_2", "DIGIT_ONLY", "DIGIT_PLUS" };
    return state >= 1 && state <= StateCount ? names[state - 1] : "LOWER_CASE (unknown state)";
}

// Index into the key data lists; 0 and unknown states use the Latin lower case.
int listIndex(int state)
{
    return state >= 1 && state <= StateCount ? state - 1 : 0;
}

Qt::Key keyCodeOf(QChar c)
{
    const ushort u = c.unicode();
    if (u >= 'a' && u <= 'z')
        return Qt::Key(u - 'a' + 'A');
    // Every Cyrillic letter travels as Key_A; its text tells it apart.
    if (c.script() == QChar::Script_Cyrillic)
        return Qt::Key_A;
    return Qt::Key(u);
}

bool isArrow(Qt::Key key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

bool isCyrillicLetterState(int state)
{
    return state >= TTouchKeyboard::INM_C_LOWER_CASE_CYRILLIC && state <= TTouchKeyboard::RADIOTELEX_UPPER_CASE_CYRILLIC;
}
} // namespace

TTouchKeyboard::TTouchKeyboard(bool userHide, QWidget *parent)
    : TBaseTouchKeypad(parent)
    , pTimeLine(new QTimeLine(SlideDuration, this))
    , pContentFrame(nullptr)
    , symbolPage(0)
    , pRow1(nullptr)
    , pRow2(nullptr)
    , pRow3(nullptr)
    , pRow4(nullptr)
    , pCapsLockKey(nullptr)
    , pStarKey(nullptr)
    , pSymbolsKey(nullptr)
    , pBlankKey(nullptr)
    , pShiftKey(nullptr)
    , pAtKey(nullptr)
    , pCyrillicExtraKeys {}
    , pCyrillicToggleKeyRow4(nullptr)
    , pSymbolArrowUp(nullptr)
    , pSymbolArrowDown(nullptr)
    , pPageLabel(nullptr)
    , pRowSpacers {}
    , userHideable(userHide)
    , pHideButtonUpperRight(nullptr)
    , pHideButtonLowerRight(nullptr)
    , characterSet(KEYBOARD_CHARACTER_SET_ASCII)
    , state(TKeyboardState(0))
{
    setFrameShape(QFrame::NoFrame);
    setFrameShadow(QFrame::Plain);
    setMinimumHeight(0);
    setMaximumHeight(0);
    setFixedWidth(KeyboardWidth);
    hide();
    pTimeLine->setUpdateInterval(SlideUpdateInterval);
    connect(pTimeLine, SIGNAL(valueChanged(qreal)), this, SLOT(updateShowKeyboardStep(qreal)));
    connect(pTimeLine, SIGNAL(finished()), this, SLOT(showKeyboardFinished()));
}

TTouchKeyboard::~TTouchKeyboard()
{
    unregisterAnimation();
    qDeleteAll(ownedKeyData);
}

void TTouchKeyboard::setUserHide(bool userHide)
{
    userHideable = userHide;
    // The keys may already be built: the hide key must follow at once, not at the next layout change.
    if (pContentFrame) {
        const bool extrasShown = isCyrillicLetterState(state);
        pHideButtonUpperRight->setVisible(userHideable && !extrasShown);
        pHideButtonLowerRight->setVisible(userHideable && extrasShown);
    }
}

TTouchKey *TTouchKeyboard::newKey(QHBoxLayout *row, int width, int font, const QList<TBaseKeyData *> &data)
{
    TTouchKey *key = new TTouchKey(this, TTouchKey::TKeyWidth(width), TTouchKey::TKeyFont(font));
    addNewKey(key);
    row->addWidget(key);
    for (int i = 0; i < StateCount; ++i)
        keyData[i].append(data.value(i));
    return key;
}

TTouchKey *TTouchKeyboard::newKey(QHBoxLayout *row, int width, int font, TBaseKeyData *sameInEveryState)
{
    if (sameInEveryState)
        ownedKeyData.append(sameInEveryState);
    QList<TBaseKeyData *> data;
    for (int i = 0; i < StateCount; ++i)
        data.append(sameInEveryState);
    return newKey(row, width, font, data);
}

void TTouchKeyboard::initContentFrame()
{
    if (pContentFrame)
        return;
    pContentFrame = new QFrame(this);
    pContentFrame->setGeometry(0, 0, KeyboardWidth, KeyboardHeight);
    QHBoxLayout *frameLayout = new QHBoxLayout(pContentFrame);
    frameLayout->setSpacing(0);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout *rows = new QVBoxLayout;
    rows->setSpacing(0);
    rows->setContentsMargins(0, 4, 0, 4);
    frameLayout->addLayout(rows);

    pHideButtonUpperRight = new TIconButton("", "kvgui_close_cross", pContentFrame);
    pHideButtonLowerRight = new TIconButton("", "kvgui_close_cross", pContentFrame);
    pHideButtonUpperRight->setAccessibleName(tr("Hide keyboard"));
    pHideButtonLowerRight->setAccessibleName(tr("Hide keyboard"));
    connect(pHideButtonUpperRight, SIGNAL(clicked()), this, SLOT(hideKeyboard()));
    connect(pHideButtonLowerRight, SIGNAL(clicked()), this, SLOT(hideKeyboard()));
    pHideButtonUpperRight->setVisible(userHideable);
    pHideButtonLowerRight->setVisible(false);

    QHBoxLayout **rowLayouts[] = { &pRow1, &pRow2, &pRow3, &pRow4 };
    for (int r = 0; r < 4; ++r) {
        QHBoxLayout *row = new QHBoxLayout;
        row->setSpacing(1);
        row->setContentsMargins(0, 0, 0, 0);
        pRowSpacers[r] = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
        row->addSpacerItem(pRowSpacers[r]);
        rows->addLayout(row);
        *rowLayouts[r] = row;
    }

    // One data object per character, shared by every layout that has it.
    QHash<QChar, TBaseKeyData *> characters;
    auto characterKey = [&](int row, int position) {
        QList<TBaseKeyData *> data;
        for (const Layout &layout : layouts) {
            const QString text = QString::fromUtf8(layout.rows[row]);
            const QChar c = text.at(position);
            TBaseKeyData *kd = nullptr;
            if (c != QLatin1Char(' ')) {
                kd = characters.value(c);
                if (!kd) {
                    kd = new TStandardKeyData(keyCodeOf(c), QString(c), QString(), QString(), false);
                    characters.insert(c, kd);
                    ownedKeyData.append(kd);
                }
            }
            data.append(kd);
        }
        return data;
    };
    const int large = TTouchKey::LargeFont;
    const int small = TTouchKey::SmallFont;

    // Row 1.
    pSymbolArrowUp = new TIconButton("", "kvgui_selecter_arrow_up", pContentFrame);
    pSymbolArrowUp->setFixedWidth(SelectorWidth);
    pSymbolArrowUp->setAccessibleName(tr("Previous page"));
    connect(pSymbolArrowUp, SIGNAL(clicked()), this, SLOT(symbolArrowUpKeyClickedHandler()));
    pRow1->addWidget(pSymbolArrowUp);
    newKey(pRow1, 58, large, characterKey(0, 0));
    pCyrillicExtraKeys[0] = newKey(pRow1, 58, large, characterKey(0, 1));
    pCyrillicExtraKeys[1] = newKey(pRow1, 58, large, characterKey(0, 2));
    for (int i = 3; i < 12; ++i)
        newKey(pRow1, 58, large, characterKey(0, i));
    newKey(pRow1, 87, small, new TStandardKeyData(Qt::Key_Backspace, QString(), tr("Back\nspace"), "kvgui_key_backspace", true));
    pRow1->addStretch();
    pRow1->addWidget(pHideButtonUpperRight);

    // Row 2.
    pPageLabel = new QLabel(QString(), pContentFrame);
    pPageLabel->setAlignment(Qt::AlignCenter);
    pPageLabel->setFixedWidth(SelectorWidth);
    pRow2->addWidget(pPageLabel);
    newKey(pRow2, 87, large, characterKey(1, 0));
    pCyrillicExtraKeys[2] = newKey(pRow2, 58, large, characterKey(1, 1));
    pCyrillicExtraKeys[3] = newKey(pRow2, 58, large, characterKey(1, 2));
    for (int i = 3; i < 11; ++i)
        newKey(pRow2, 58, large, characterKey(1, i));
    newKey(pRow2, 117, small, new TStandardKeyData(Qt::Key_Enter, QString(), tr("Enter"), "kvgui_key_enter", false));
    pRow2->addStretch();

    // Row 3.
    pSymbolArrowDown = new TIconButton("", "kvgui_selecter_arrow_down", pContentFrame);
    pSymbolArrowDown->setFixedWidth(SelectorWidth);
    pSymbolArrowDown->setAccessibleName(tr("Next page"));
    connect(pSymbolArrowDown, SIGNAL(clicked()), this, SLOT(symbolArrowDownKeyClickedHandler()));
    pRow3->addWidget(pSymbolArrowDown);
    pCapsLockKey = newKey(pRow3, 58, small, new TControlKeyData(Qt::Key_CapsLock, tr("Caps\nLock"), QString()));
    pStarKey = newKey(pRow3, 58, large, characterKey(2, 0));
    pCyrillicExtraKeys[4] = newKey(pRow3, 58, large, characterKey(2, 1));
    pCyrillicExtraKeys[5] = newKey(pRow3, 58, large, characterKey(2, 2));
    for (int i = 3; i < 12; ++i) // seven letters, comma and period
        newKey(pRow3, 58, large, characterKey(2, i));
    pShiftKey = newKey(pRow3, 87, small, new TControlKeyData(Qt::Key_Shift, tr("Shift"), "kvgui_key_shift"));
    pAtKey = newKey(pRow3, 87, large, characterKey(2, 12));
    pRow3->addStretch();

    // Row 4.
    pCyrillicToggleKeyRow4 = newKey(pRow4, 58, small, new TControlKeyData(CyrillicToggleKeyCode, tr("[CY]"), QString()));
    pSymbolsKey = newKey(pRow4, 147, small, new TControlKeyData(SymbolsKeyCode, tr("123, symbols"), QString()));
    pBlankKey = newKey(pRow4, 147, large, nullptr);
    newKey(pRow4, 294, small, new TStandardKeyData(Qt::Key_Space, " ", tr("Space"), QString(), false));
    newKey(pRow4, 58, large, new TStandardKeyData(Qt::Key_Left, QString(), QString(), "kvgui_key_arrow_left", true))
        ->setAccessibleName(tr("Left"));
    newKey(pRow4, 58, large, new TStandardKeyData(Qt::Key_Up, QString(), QString(), "kvgui_key_arrow_up", true))
        ->setAccessibleName(tr("Up"));
    newKey(pRow4, 58, large, new TStandardKeyData(Qt::Key_Right, QString(), QString(), "kvgui_key_arrow_right", true))
        ->setAccessibleName(tr("Right"));
    newKey(pRow4, 58, large, new TStandardKeyData(Qt::Key_Down, QString(), QString(), "kvgui_key_arrow_down", true))
        ->setAccessibleName(tr("Down"));
    pRow4->addStretch();
    pRow4->addWidget(pHideButtonLowerRight);

    const bool cyrillicSet
        = characterSet == KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC || characterSet == KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC;
    setCyrillicToggleShown(cyrillicSet);
    if (!cyrillicSet)
        pCyrillicToggleKeyRow4->setChecked(false);
    // Until the first setState() the keys show the layout the keyboard treats state 0 as.
    for (int i = 0; i < keys.size(); ++i)
        keys.at(i)->setKeyData(keyData[0].at(i));
    for (TTouchKey *extra : pCyrillicExtraKeys)
        extra->setVisible(false);
    pStarKey->setVisible(false);
    pAtKey->setVisible(false);
    pBlankKey->setVisible(false);
    updateSelectorAndSpacers();
}

void TTouchKeyboard::setCyrillicToggleShown(bool shown)
{
    pRowSpacers[3]->changeSize(shown ? NarrowSpacer : WideSpacer, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    pCyrillicToggleKeyRow4->setVisible(shown);
}

void TTouchKeyboard::updateSelectorAndSpacers()
{
    const bool paged = symbolPage == 1 || symbolPage == 2;
    pSymbolArrowUp->setVisible(paged);
    pPageLabel->setVisible(paged);
    pSymbolArrowDown->setVisible(paged);
    int spacer = 0;
    if (paged)
        pPageLabel->setText(tr("Page") + "\n" + (symbolPage == 1 ? tr("1 of 2") : tr("2 of 2")));
    else
        spacer = isCyrillicLetterState(state) ? NarrowSpacer : WideSpacer;
    for (int r = 0; r < 3; ++r)
        pRowSpacers[r]->changeSize(spacer, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    for (QHBoxLayout *row : { pRow1, pRow2, pRow3, pRow4 })
        row->invalidate();
}

void TTouchKeyboard::setState(TKeyboardState newState)
{
    if (newState == state)
        return;
    initContentFrame();
    state = newState;
    qDebug() << "void TTouchKeyboard::setState(TTouchKeyboard::TKeyboardState)"
             << "newState ==" << stateName(newState);

    const QList<TBaseKeyData *> &data = keyData[listIndex(newState)];
    for (int i = 0; i < keys.size(); ++i)
        keys.at(i)->setKeyData(data.at(i));

    enum Check
    {
        Unchanged,
        Unchecked,
        CheckedKey
    };
    bool extras = false, capsShown = true, shiftShown = true, starAtShown = false, symbolsShown = true, blankShown = false;
    Check caps = Unchecked, shift = Unchecked, symbols = Unchecked, cyrillic = Unchecked;
    int page = 0;
    switch (newState) {
    case UPPER_CASE:
        caps = Unchanged;
        shift = CheckedKey;
        break;
    case INM_C_LOWER_CASE_CYRILLIC:
    case RADIOTELEX_LOWER_CASE_CYRILLIC:
        extras = true;
        cyrillic = CheckedKey;
        break;
    case INM_C_UPPER_CASE_CYRILLIC:
    case RADIOTELEX_UPPER_CASE_CYRILLIC:
        extras = true;
        caps = Unchanged;
        shift = CheckedKey;
        cyrillic = CheckedKey;
        break;
    case ASCII_SYMBOLS_1:
    case INM_C_SYMBOLS_7BIT_CYRILLIC_1:
    case ASCII_SYMBOLS_2:
    case INM_C_SYMBOLS_7BIT_CYRILLIC_2:
    case RADIOTELEX_SYMBOLS:
    case INM_C_SYMBOLS_5BIT_LATIN:
        page = (newState == ASCII_SYMBOLS_1 || newState == INM_C_SYMBOLS_7BIT_CYRILLIC_1) ? 1
            : (newState == ASCII_SYMBOLS_2 || newState == INM_C_SYMBOLS_7BIT_CYRILLIC_2)  ? 2
                                                                                          : 0;
        capsShown = shiftShown = false;
        starAtShown = true;
        symbols = CheckedKey;
        cyrillic = Unchanged;
        break;
    case DIGIT_ONLY:
    case DIGIT_PLUS:
        capsShown = shiftShown = symbolsShown = false;
        starAtShown = blankShown = true;
        symbols = CheckedKey;
        cyrillic = Unchanged;
        break;
    default: // LOWER_CASE, 0 and unknown values
        break;
    }
    const auto apply = [](TTouchKey *key, bool shown, Check check) {
        key->setVisible(shown);
        if (check != Unchanged)
            key->setChecked(check == CheckedKey);
    };
    for (TTouchKey *extra : pCyrillicExtraKeys)
        extra->setVisible(extras);
    symbolPage = page;
    apply(pCapsLockKey, capsShown, caps);
    apply(pShiftKey, shiftShown, shift);
    pStarKey->setVisible(starAtShown);
    pAtKey->setVisible(starAtShown);
    apply(pSymbolsKey, symbolsShown, symbols);
    pBlankKey->setVisible(blankShown);
    if (cyrillic != Unchanged)
        pCyrillicToggleKeyRow4->setChecked(cyrillic == CheckedKey);

    pHideButtonUpperRight->setVisible(userHideable && !extras);
    pHideButtonLowerRight->setVisible(userHideable && extras);
    updateSelectorAndSpacers();
}

void TTouchKeyboard::setKeyboardCharacterSet(TKeyboardCharacterSet set)
{
    initContentFrame();
    qDebug() << "void TTouchKeyboard::setKeyboardCharacterSet(TKeyboardCharacterSet)" << int(characterSet) << "->" << int(set);
    if (set == characterSet)
        return;
    characterSet = set;
    setCyrillicToggleShown(false);
    switch (set) {
    case KEYBOARD_CHARACTER_SET_ASCII:
    case KEYBOARD_CHARACTER_SET_INM_C_5BIT:
    case KEYBOARD_CHARACTER_SET_RADIOTELEX:
        setState(LOWER_CASE);
        break;
    case KEYBOARD_CHARACTER_SET_DIGIT:
        setState(DIGIT_ONLY);
        break;
    case KEYBOARD_CHARACTER_SET_DIGIT_PLUS:
        setState(DIGIT_PLUS);
        break;
    case KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC:
    case KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC:
        setCyrillicToggleShown(true);
        setState(INM_C_LOWER_CASE_CYRILLIC);
        break;
    case KEYBOARD_CHARACTER_SET_RADIOTELEX_CYRILLIC:
        setCyrillicToggleShown(true);
        setState(LOWER_CASE);
        break;
    default:
        break;
    }
    updateSelectorAndSpacers();
}

bool TTouchKeyboard::cyrillicAlphabet() const
{
    return pCyrillicToggleKeyRow4 && pCyrillicToggleKeyRow4->isChecked();
}

// Each alphabet's upper-case state follows its lower-case one; 0 for a set without this alphabet.
TTouchKeyboard::TKeyboardState TTouchKeyboard::caseState(bool upper) const
{
    int lower = 0;
    if (!cyrillicAlphabet())
        lower = LOWER_CASE;
    else if (characterSet == KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC || characterSet == KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC)
        lower = INM_C_LOWER_CASE_CYRILLIC;
    else if (characterSet == KEYBOARD_CHARACTER_SET_RADIOTELEX_CYRILLIC)
        lower = RADIOTELEX_LOWER_CASE_CYRILLIC;
    return TKeyboardState(lower && upper ? lower + 1 : lower);
}

void TTouchKeyboard::goToCase(bool upper)
{
    const TKeyboardState next = caseState(upper);
    if (next == 0) {
        qDebug() << "void TTouchKeyboard::keyClickedHandler(TBaseKeyData*)"
                 << ": WARNING: Unexpected characterset = " << int(characterSet);
        return;
    }
    setState(next);
}

void TTouchKeyboard::keyClickedHandler(TBaseKeyData *kd)
{
    if (!kd || !pContentFrame)
        return;
    if (!kd->isCheckable()) {
        const bool shift = pShiftKey->isChecked();
        sendKeyEvent(kd->createKeyPressEvent(shift ? Qt::ShiftModifier : Qt::NoModifier));
        if (shift && !pCapsLockKey->isChecked() && !isArrow(kd->getKey())) {
            pShiftKey->setChecked(false);
            goToCase(false);
        }
        return;
    }
    switch (int(kd->getKey())) {
    case Qt::Key_CapsLock:
        if (pCapsLockKey->isChecked()) {
            if (!pShiftKey->isChecked())
                goToCase(true);
        } else {
            goToCase(false);
        }
        break;
    case Qt::Key_Shift:
    case int(CyrillicToggleKeyCode):
        goToCase(pShiftKey->isChecked());
        break;
    case int(SymbolsKeyCode):
        if (pSymbolsKey->isChecked()) {
            TKeyboardState symbols = TKeyboardState(0);
            switch (characterSet) {
            case KEYBOARD_CHARACTER_SET_ASCII:
            case KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC:
                symbols = ASCII_SYMBOLS_1;
                break;
            case KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC:
                symbols = INM_C_SYMBOLS_7BIT_CYRILLIC_1;
                break;
            case KEYBOARD_CHARACTER_SET_INM_C_5BIT:
                symbols = INM_C_SYMBOLS_5BIT_LATIN;
                break;
            case KEYBOARD_CHARACTER_SET_RADIOTELEX:
            case KEYBOARD_CHARACTER_SET_RADIOTELEX_CYRILLIC:
                symbols = RADIOTELEX_SYMBOLS;
                break;
            default:
                break;
            }
            if (symbols == 0) {
                qDebug() << "Character set not supported yet. characterSet=" << int(characterSet);
                // Nothing changed, so the key must not stay latched on a letter layout.
                pSymbolsKey->setChecked(false);
                break;
            }
            bCapsLock = pCapsLockKey->isChecked();
            symbolPage = 1;
            setState(symbols);
        } else if (bCapsLock) {
            goToCase(true);
            pCapsLockKey->setChecked(true);
            pShiftKey->setChecked(true);
        } else {
            goToCase(false);
        }
        break;
    default:
        break;
    }
}

void TTouchKeyboard::symbolArrowClicked()
{
    const bool sevenBit = characterSet == KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC;
    if (symbolPage == 2)
        setState(sevenBit ? INM_C_SYMBOLS_7BIT_CYRILLIC_1 : ASCII_SYMBOLS_1);
    else
        setState(sevenBit ? INM_C_SYMBOLS_7BIT_CYRILLIC_2 : ASCII_SYMBOLS_2);
}

void TTouchKeyboard::symbolArrowUpKeyClickedHandler()
{
    symbolArrowClicked();
}

void TTouchKeyboard::symbolArrowDownKeyClickedHandler()
{
    symbolArrowClicked();
}

bool TTouchKeyboard::isShown()
{
    return isVisible() && pTimeLine->direction() == QTimeLine::Forward;
}

bool TTouchKeyboard::isTouchKeyboredEvent(QKeyEvent *e)
{
    if (TBaseTouchKeypad::isTouchKeyboredEvent(e))
        return true;
    if (userHideable)
        hideKeyboard(HIDDING_BY_KEY_PRESS);
    return false;
}

void TTouchKeyboard::registerAnimation()
{
    if (TMainWindow *mainWindow = TMainWindow::getInstance())
        mainWindow->setAnimating(this, SLOT(instantAnimationEnd()));
}

void TTouchKeyboard::unregisterAnimation()
{
    if (TMainWindow *mainWindow = TMainWindow::getInstance())
        mainWindow->clrAnimating(this, SLOT(instantAnimationEnd()));
}

void TTouchKeyboard::showKeyboard(bool animatedShow)
{
    initContentFrame();
    if (isShown())
        return;
    switch (characterSet) {
    case KEYBOARD_CHARACTER_SET_DIGIT:
        setState(DIGIT_ONLY);
        break;
    case KEYBOARD_CHARACTER_SET_DIGIT_PLUS:
        setState(DIGIT_PLUS);
        break;
    case KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC:
    case KEYBOARD_CHARACTER_SET_INM_C_8BIT_CYRILLIC:
        if (state == INM_C_UPPER_CASE_CYRILLIC || (state != INM_C_LOWER_CASE_CYRILLIC && cyrillicAlphabet()))
            setState(INM_C_LOWER_CASE_CYRILLIC);
        else if (state != INM_C_LOWER_CASE_CYRILLIC)
            setState(LOWER_CASE);
        break;
    case KEYBOARD_CHARACTER_SET_RADIOTELEX_CYRILLIC:
        if (state == RADIOTELEX_UPPER_CASE_CYRILLIC || (state != RADIOTELEX_LOWER_CASE_CYRILLIC && cyrillicAlphabet()))
            setState(RADIOTELEX_LOWER_CASE_CYRILLIC);
        else if (state != RADIOTELEX_LOWER_CASE_CYRILLIC)
            setState(LOWER_CASE);
        break;
    default:
        setState(LOWER_CASE);
        break;
    }
    pTimeLine->setDirection(QTimeLine::Forward);
    if (animatedShow) {
        pTimeLine->stop();
        if (!isVisible()) {
            pTimeLine->setCurrentTime(0);
            updateShowKeyboardStep(0.0);
        }
        registerAnimation();
        pTimeLine->start();
    } else {
        if (pTimeLine->state() == QTimeLine::Running) {
            pTimeLine->stop();
            pTimeLine->setCurrentTime(0);
            unregisterAnimation();
        }
        updateShowKeyboardStep(1.0);
    }
    setVisible(true);
    emit showing();
}

void TTouchKeyboard::showKeyboard()
{
    showKeyboard(true);
}

void TTouchKeyboard::hideKeyboard(THiddingReason reason)
{
    if (isShown()) {
        pTimeLine->setDirection(QTimeLine::Backward);
        pTimeLine->stop();
        registerAnimation();
        pTimeLine->start();
    } else {
        pTimeLine->setDirection(QTimeLine::Backward);
        if (isVisible() && pTimeLine->state() != QTimeLine::Running)
            pTimeLine->start();
    }
    emit hidding(reason);
}

void TTouchKeyboard::hideKeyboard()
{
    hideKeyboard(HIDDING_BY_REQUEST);
}

void TTouchKeyboard::updateShowKeyboardStep(qreal val)
{
    const int height = int(KeyboardHeight * val);
    setMinimumHeight(height);
    setMaximumHeight(height);
    emit heightChanged(height);
}

void TTouchKeyboard::showKeyboardFinished()
{
    if (pTimeLine->direction() == QTimeLine::Backward)
        hide();
    unregisterAnimation();
}

void TTouchKeyboard::instantAnimationEnd()
{
    if (pTimeLine->state() != QTimeLine::Running) {
        unregisterAnimation();
        return;
    }
    pTimeLine->stop();
    pTimeLine->setCurrentTime(0);
    updateShowKeyboardStep(pTimeLine->direction() == QTimeLine::Forward ? 1.0 : 0.0);
    showKeyboardFinished();
}
