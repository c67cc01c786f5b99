// fuzz_char_set_validator_diff.cpp: random UTF-16 text through every character set, once by
// TCharSetValidator and once by the QRegExp expressions it had before QRegularExpression (Qt 5
// only); both must give the same state, the same cursor position and the same fixup.
#include "kvgui_char_set_validator.h"

#include <QRegExpValidator>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

using V = TCharSetValidator;

// Each set with its former pattern, "~" standing for the extra characters.
struct OldSet
{
    V::TCharSet set;
    const char *pattern;
};
const OldSet OldSets[] = {
    { V::CHAR_SET_RADIOTELEX, "[a-zA-Z0-9\\s-?:()\\.,'=/+~]{0,}" },
    { V::CHAR_SET_INM_C_5BIT, "[a-zA-Z\\d\\s-?$:@#%()+\\.,'/~]{0,}" },
    { V::CHAR_SET_ASCII, "[\\x0000-\\x007F~]{0,}" },
    { V::CHAR_SET_UNICODE, ".*" },
    { V::CHAR_SET_DIGIT, "[\\d~]{0,}" },
    { V::CHAR_SET_DIGIT_PLUS, "[\\d+~]{0,}" },
    { V::CHAR_SET_INM_C_7BIT_CYRILLIC, "[\\x0000-\\x003F\\x0041-\\x005A\\x0060-\\x007F~\\x0410-\\x044F]{0,}" },
    { V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP866,
        "[\\x0000-\\x007F\\x00A0\\x00A4\\x00B0\\x00B7\\x0401\\x0404\\x0407\\x040E\\x0410-\\x044F\\x0451\\x0454\\x0457\\x045E\\x2116"
        "\\x2219\\x221A\\x2500\\x2502\\x250C\\x2510\\x2514\\x2518\\x251C\\x2524\\x252C\\x2534\\x253C\\x2550-\\x256C\\x2580\\x2584"
        "\\x2588\\x258C\\x2590\\x2591\\x2592\\x2593\\x25A0~]{0,}" },
    { V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251,
        "[\\x0000-\\x007F\\x00A0\\x00A4\\x00A6\\x00A7\\x00A9\\x00AB-\\x00AE\\x00B0\\x00B1\\x00B5-\\x00B7\\x00BB\\x0401-\\x044F"
        "\\x0451-\\x045F\\x0490\\x0491\\x2013\\x2014\\x2018\\x2019\\x201A-\\x201E\\x2020-\\x2022\\x2026\\x2030\\x2039\\x203A\\x20AC"
        "\\x2116\\x2122~]{0,}" },
    { V::CHAR_SET_RADIOTELEX_CYRILLIC, "[a-zA-Z0-9\\s-?:()\\.,'=/+~\\x0410-\\x0429\\x042B-\\x0449\\x044B-\\x044F]{0,}" },
    { V::TCharSet(3), "" },
};
// Extra characters that mean the same in both syntaxes.
const char *const Extras[] = { "", "#" };

struct Pair
{
    std::unique_ptr<V> now;
    std::unique_ptr<QRegExpValidator> before;
    QRegExp illegal; // the former fixup's expression
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static std::vector<Pair> pairs;
    if (pairs.empty()) {
        for (const char *extra : Extras) {
            for (const OldSet &old : OldSets) {
                QString pattern = QString::fromLatin1(old.pattern).replace(QLatin1Char('~'), QLatin1String(extra));
                Pair pair;
                pair.now.reset(new V(old.set, nullptr));
                pair.now->setCharSet(old.set, QLatin1String(extra));
                pair.before.reset(new QRegExpValidator(QRegExp(pattern), nullptr));
                if (old.set == V::CHAR_SET_UNICODE)
                    pair.illegal.setPattern(QString());
                else if (pattern.isEmpty())
                    pair.illegal.setPattern(QStringLiteral(".+"));
                else
                    pair.illegal.setPattern(pattern.insert(1, QLatin1Char('^')));
                pairs.push_back(std::move(pair));
            }
        }
    }
    if (size < 1)
        return 0;
    // The first byte is the cursor position; then code units little-endian.
    const int start = data[0] % 8;
    QString text;
    for (size_t i = 1; i < size; i += 2)
        text.append(QChar(ushort(data[i] | (i + 1 < size ? data[i + 1] << 8 : 0))));

    for (const Pair &pair : pairs) {
        QString nowText = text, beforeText = text;
        int nowPos = start, beforePos = start;
        const QValidator::State now = pair.now->validate(nowText, nowPos);
        const QValidator::State before = pair.before->validate(beforeText, beforePos);
        nowText = beforeText = text;
        pair.now->fixup(nowText);
        if (pair.now->getCharSet() != V::CHAR_SET_UNICODE && !pair.before->regExp().exactMatch(beforeText))
            beforeText.replace(pair.illegal, QString());
        if (now != before || nowPos != beforePos || nowText != beforeText) {
            std::fprintf(stderr, "set %d: state %d/%d, pos %d/%d, fixup %d/%d units\n", int(pair.now->getCharSet()), int(now), int(before),
                nowPos, beforePos, int(nowText.size()), int(beforeText.size()));
            __builtin_trap();
        }
    }
    return 0;
}
