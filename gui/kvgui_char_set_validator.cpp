// kvgui_char_set_validator.cpp
#include "kvgui_char_set_validator.h"

#include <QDebug>
#include <QKeyEvent>

namespace {

// The repertoires of code pages 866 and 1251 as UTF-16, each an open bracket expression.
const char *const Cp866
    = "[\\x{0000}-\\x{007F}\\x{00A0}\\x{00A4}\\x{00B0}\\x{00B7}\\x{0401}\\x{0404}\\x{0407}\\x{040E}\\x{0410}-\\x{044F}\\x{0451}\\x{0454}"
      "\\x{0457}\\x{045E}\\x{2116}\\x{2219}\\x{221A}\\x{2500}\\x{2502}\\x{250C}\\x{2510}\\x{2514}\\x{2518}\\x{251C}\\x{2524}\\x{252C}"
      "\\x{2534}\\x{253C}\\x{2550}-\\x{256C}\\x{2580}\\x{2584}\\x{2588}\\x{258C}\\x{2590}\\x{2591}\\x{2592}\\x{2593}\\x{25A0}";
const char *const Cp1251
    = "[\\x{0000}-\\x{007F}\\x{00A0}\\x{00A4}\\x{00A6}\\x{00A7}\\x{00A9}\\x{00AB}-\\x{00AE}\\x{00B0}\\x{00B1}\\x{00B5}-\\x{00B7}\\x{00BB}"
      "\\x{0401}-\\x{044F}\\x{0451}-\\x{045F}\\x{0490}\\x{0491}\\x{2013}\\x{2014}\\x{2018}\\x{2019}\\x{201A}-\\x{201E}\\x{2020}-\\x{2022}"
      "\\x{2026}\\x{2030}\\x{2039}\\x{203A}\\x{20AC}\\x{2116}\\x{2122}";
// Decimal digits and white space as QChar::isDigit() and QChar::isSpace() have them, all of
// Unicode's. PCRE's \d and \s take ASCII alone, and with Unicode properties they differ again
// (U+0085, digits beyond the BMP).
const char *const Digits = "0-9\\x{0660}-\\x{0669}\\x{06F0}-\\x{06F9}\\x{07C0}-\\x{07C9}\\x{0966}-\\x{096F}\\x{09E6}-\\x{09EF}"
                           "\\x{0A66}-\\x{0A6F}\\x{0AE6}-\\x{0AEF}\\x{0B66}-\\x{0B6F}\\x{0BE6}-\\x{0BEF}\\x{0C66}-\\x{0C6F}"
                           "\\x{0CE6}-\\x{0CEF}\\x{0D66}-\\x{0D6F}\\x{0DE6}-\\x{0DEF}\\x{0E50}-\\x{0E59}\\x{0ED0}-\\x{0ED9}"
                           "\\x{0F20}-\\x{0F29}\\x{1040}-\\x{1049}\\x{1090}-\\x{1099}\\x{17E0}-\\x{17E9}\\x{1810}-\\x{1819}"
                           "\\x{1946}-\\x{194F}\\x{19D0}-\\x{19D9}\\x{1A80}-\\x{1A89}\\x{1A90}-\\x{1A99}\\x{1B50}-\\x{1B59}"
                           "\\x{1BB0}-\\x{1BB9}\\x{1C40}-\\x{1C49}\\x{1C50}-\\x{1C59}\\x{A620}-\\x{A629}\\x{A8D0}-\\x{A8D9}"
                           "\\x{A900}-\\x{A909}\\x{A9D0}-\\x{A9D9}\\x{A9F0}-\\x{A9F9}\\x{AA50}-\\x{AA59}\\x{ABF0}-\\x{ABF9}"
                           "\\x{FF10}-\\x{FF19}";
const char *const Spaces = "\\x{0009}-\\x{000D} \\x{0085}\\x{00A0}\\x{1680}\\x{2000}-\\x{200A}\\x{2028}\\x{2029}\\x{202F}\\x{205F}"
                           "\\x{3000}";
// An unknown set takes no character at all.
const char *const NoCharacter = "[^\\x{0000}-\\x{10FFFF}";

const ushort CyrillicFirst = 0x0410;
const ushort CyrillicLast = 0x044F;
const ushort HardSignUpper = 0x042A;
const ushort HardSignLower = 0x044A;

} // namespace

TCharSetValidator::TCharSetValidator(TCharSet set, QObject *parent)
    : QRegularExpressionValidator(parent)
    , charSet(set)
{
    setCharSet(set, QString());
}

void TCharSetValidator::setCharSet(TCharSet set, const QString &extraChars)
{
    charSet = set;
    const QString e = extraChars;
    const QString digits = QLatin1String(Digits);
    const QString spaces = QLatin1String(Spaces);
    QString characters; // an open bracket expression
    switch (set) {
    case CHAR_SET_RADIOTELEX:
        characters = QStringLiteral("[a-zA-Z0-9") + spaces + QStringLiteral("\\-?:()\\.,'=/+") + e;
        break;
    case CHAR_SET_INM_C_5BIT:
        characters = QStringLiteral("[a-zA-Z") + digits + spaces + QStringLiteral("\\-?$:@#%()+\\.,'/") + e;
        break;
    case CHAR_SET_ASCII:
        characters = QStringLiteral("[\\x{0000}-\\x{007F}") + e;
        break;
    case CHAR_SET_UNICODE:
        break;
    case CHAR_SET_DIGIT:
        characters = QLatin1Char('[') + digits + e;
        break;
    case CHAR_SET_DIGIT_PLUS:
        characters = QLatin1Char('[') + digits + QLatin1Char('+') + e;
        break;
    case CHAR_SET_INM_C_7BIT_CYRILLIC:
        // Without "@" and U+005B..U+005F, whose codes the 7-bit Cyrillic alphabet gives to letters.
        characters
            = QStringLiteral("[\\x{0000}-\\x{003F}\\x{0041}-\\x{005A}\\x{0060}-\\x{007F}") + e + QStringLiteral("\\x{0410}-\\x{044F}");
        break;
    case CHAR_SET_INM_C_8BIT_CYRILLIC_CP866:
        characters = QLatin1String(Cp866) + e;
        break;
    case CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251:
        characters = QLatin1String(Cp1251) + e;
        break;
    case CHAR_SET_RADIOTELEX_CYRILLIC:
        // Radiotelex has no hard sign.
        characters = QStringLiteral("[a-zA-Z0-9") + spaces + QStringLiteral("\\-?:()\\.,'=/+") + e
            + QStringLiteral("\\x{0410}-\\x{0429}\\x{042B}-\\x{0449}\\x{044B}-\\x{044F}");
        break;
    }

    if (set == CHAR_SET_UNICODE) {
        // An empty expression makes the base accept any text, as ".*" did; a pattern would refuse text
        // with a lone surrogate.
        setRegularExpression(QRegularExpression());
        setCharacter = QRegularExpression();
        return;
    }
    if (characters.isEmpty())
        characters = QLatin1String(NoCharacter);
    characters += QLatin1Char(']');
    // The base anchors the expression at both ends of the text.
    setRegularExpression(QRegularExpression(characters + QLatin1Char('*')));
    setCharacter.setPattern(QRegularExpression::anchoredPattern(characters));
}

void TCharSetValidator::fixup(QString &input) const
{
    if (charSet == CHAR_SET_UNICODE)
        return;
    // One character at a time, a surrogate pair as one: a regular expression matches nothing at all
    // in text with a lone surrogate, so those go, and a pair stays when an extra character has it.
    QString kept;
    kept.reserve(input.size());
    for (int i = 0; i < input.size(); ++i) {
        const int units = input.at(i).isHighSurrogate() && i + 1 < input.size() && input.at(i + 1).isLowSurrogate() ? 2 : 1;
        const QString c = input.mid(i, units);
        if (setCharacter.match(c).hasMatch())
            kept += c;
        i += units - 1;
    }
    input = kept;
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
