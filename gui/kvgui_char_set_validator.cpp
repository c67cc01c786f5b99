// kvgui_char_set_validator.cpp
#include "kvgui_char_set_validator.h"

#include <QDebug>
#include <QKeyEvent>

namespace {

// The repertoires of code pages 866 and 1251 as UTF-16, each an open bracket expression.
const char *const Cp866 = "[\\x0000-\\x007F\\x00A0\\x00A4\\x00B0\\x00B7\\x0401\\x0404\\x0407\\x040E\\x0410-\\x044F\\x0451\\x0454"
                          "\\x0457\\x045E\\x2116\\x2219\\x221A\\x2500\\x2502\\x250C\\x2510\\x2514\\x2518\\x251C\\x2524\\x252C"
                          "\\x2534\\x253C\\x2550-\\x256C\\x2580\\x2584\\x2588\\x258C\\x2590\\x2591\\x2592\\x2593\\x25A0";
const char *const Cp1251 = "[\\x0000-\\x007F\\x00A0\\x00A4\\x00A6\\x00A7\\x00A9\\x00AB-\\x00AE\\x00B0\\x00B1\\x00B5-\\x00B7\\x00BB"
                           "\\x0401-\\x044F\\x0451-\\x045F\\x0490\\x0491\\x2013\\x2014\\x2018\\x2019\\x201A-\\x201E\\x2020-\\x2022"
                           "\\x2026\\x2030\\x2039\\x203A\\x20AC\\x2116\\x2122";
const char *const SetEnd = "]{0,}";

const ushort CyrillicFirst = 0x0410;
const ushort CyrillicLast = 0x044F;
const ushort HardSignUpper = 0x042A;
const ushort HardSignLower = 0x044A;

} // namespace

TCharSetValidator::TCharSetValidator(TCharSet set, QObject *parent)
    : QRegExpValidator(parent)
    , charSet(set)
{
    setCharSet(set, QString());
}

void TCharSetValidator::setCharSet(TCharSet set, const QString &extraChars)
{
    charSet = set;
    const QString e = extraChars;
    QString pattern;
    switch (set) {
    case CHAR_SET_RADIOTELEX:
        pattern = QStringLiteral("[a-zA-Z0-9\\s-?:()\\.,'=/+") + e + SetEnd;
        break;
    case CHAR_SET_INM_C_5BIT:
        pattern = QStringLiteral("[a-zA-Z\\d\\s-?$:@#%()+\\.,'/") + e + SetEnd;
        break;
    case CHAR_SET_ASCII:
        pattern = QStringLiteral("[\\x0000-\\x007F") + e + SetEnd;
        break;
    case CHAR_SET_UNICODE:
        pattern = QStringLiteral(".*");
        break;
    case CHAR_SET_DIGIT:
        pattern = QStringLiteral("[\\d") + e + SetEnd;
        break;
    case CHAR_SET_DIGIT_PLUS:
        pattern = QStringLiteral("[\\d+") + e + SetEnd;
        break;
    case CHAR_SET_INM_C_7BIT_CYRILLIC:
        // Without "@" and U+005B..U+005F, whose codes the 7-bit Cyrillic alphabet gives to letters.
        pattern = QStringLiteral("[\\x0000-\\x003F\\x0041-\\x005A\\x0060-\\x007F") + e + QStringLiteral("\\x0410-\\x044F") + SetEnd;
        break;
    case CHAR_SET_INM_C_8BIT_CYRILLIC_CP866:
        pattern = QLatin1String(Cp866) + e + SetEnd;
        break;
    case CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251:
        pattern = QLatin1String(Cp1251) + e + SetEnd;
        break;
    case CHAR_SET_RADIOTELEX_CYRILLIC:
        // Radiotelex has no hard sign.
        pattern
            = QStringLiteral("[a-zA-Z0-9\\s-?:()\\.,'=/+") + e + QStringLiteral("\\x0410-\\x0429\\x042B-\\x0449\\x044B-\\x044F") + SetEnd;
        break;
    }
    setRegExp(QRegExp(pattern, Qt::CaseSensitive, QRegExp::RegExp));

    if (set == CHAR_SET_UNICODE) {
        illegalCharacters.setPattern(QString());
    } else if (pattern.isEmpty()) {
        // An unknown set accepts only empty text, so fixup has to remove every character.
        illegalCharacters.setPattern(QStringLiteral(".+"));
    } else {
        pattern.insert(1, QLatin1Char('^'));
        illegalCharacters.setPattern(pattern);
    }
}

void TCharSetValidator::fixup(QString &input) const
{
    if (charSet == CHAR_SET_UNICODE)
        return;
    if (!regExp().exactMatch(input))
        input.replace(illegalCharacters, QString());
}

bool TCharSetValidator::isCyrillicKey(QKeyEvent *e)
{
    const QString text = e->text();
    if (text.isEmpty())
        return false;
    if (text.size() > 1) {
        qDebug() << "static bool TCharSetValidator::isCyrillicKey(QKeyEvent*)"
                 << ": Unexpected keysize. Keysize=" << text.size();
        return false;
    }
    const ushort c = text.at(0).unicode();
    return c >= CyrillicFirst && c <= CyrillicLast && c != HardSignUpper && c != HardSignLower;
}
