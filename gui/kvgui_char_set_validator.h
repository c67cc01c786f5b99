// kvgui_char_set_validator.h
#pragma once

#include <QRegularExpression>
#include <QRegularExpressionValidator>

class QKeyEvent;

// Accepts only the characters of one of the terminal's message character sets; fixup strips the rest.
class TCharSetValidator : public QRegularExpressionValidator
{
    Q_OBJECT
public:
    // One value at a time; bit values so that callers can keep sets of them.
    enum TCharSet
    {
        CHAR_SET_RADIOTELEX = 1,
        CHAR_SET_INM_C_5BIT = 2,
        CHAR_SET_ASCII = 4,
        CHAR_SET_UNICODE = 8,
        CHAR_SET_DIGIT = 16,
        CHAR_SET_DIGIT_PLUS = 32,
        CHAR_SET_INM_C_7BIT_CYRILLIC = 64,
        CHAR_SET_INM_C_8BIT_CYRILLIC_CP866 = 128,
        CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251 = 256,
        CHAR_SET_RADIOTELEX_CYRILLIC = 512
    };

    TCharSetValidator(TCharSet set, QObject *parent);

    // extraChars are characters of a QRegularExpression bracket expression, inserted verbatim: "]", "\\",
    // "^" and "-" need a backslash, ranges ("\\x{00C0}-\\x{00FF}") and characters beyond U+FFFF work.
    void setCharSet(TCharSet set, const QString &extraChars);
    TCharSet getCharSet() const { return charSet; }

    void fixup(QString &input) const override;

    // A Russian letter that the radiotelex alphabet can carry (all but the hard sign).
    static bool isCyrillicKey(QKeyEvent *e);

private:
    TCharSet charSet;
    QRegularExpression setCharacter; // one character of the set, whole subject; unused for CHAR_SET_UNICODE
};
