// tst_char_set_validator.cpp
#include "kvgui_char_set_validator.h"

#include <QKeyEvent>
#include <QtTest>

Q_DECLARE_METATYPE(TCharSetValidator::TCharSet)

class TestCharSetValidator : public QObject
{
    Q_OBJECT
private slots:
    void validate_data();
    void validate();
    void fixup_data();
    void fixup();
    void isCyrillicKey_data();
    void isCyrillicKey();

private:
    static QString ch(ushort c) { return QString(QChar(c)); }
};

void TestCharSetValidator::validate_data()
{
    QTest::addColumn<TCharSetValidator::TCharSet>("set");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("acceptable");

    using V = TCharSetValidator;
    const auto row = [](const char *name, V::TCharSet set, const QString &input, bool acceptable, const QString &extra = QString()) {
        QTest::newRow(name) << set << extra << input << acceptable;
    };
    row("radiotelex takes letters, digits and telex punctuation", V::CHAR_SET_RADIOTELEX, "Az09 -?:().,'=/+", true);
    for (const char *c : { "@", "!", "<", ">", "*", "[", "_" })
        row(qPrintable(QString("radiotelex refuses %1").arg(c)), V::CHAR_SET_RADIOTELEX, c, false);
    row("radiotelex refuses Russian letters", V::CHAR_SET_RADIOTELEX, ch(0x0416), false);
    row("5-bit takes its symbols", V::CHAR_SET_INM_C_5BIT, "aZ9 -?$:@#%()+.,'/", true);
    for (const char *c : { "=", "&", "!", "<" })
        row(qPrintable(QString("5-bit refuses %1").arg(c)), V::CHAR_SET_INM_C_5BIT, c, false);
    row("ascii takes U+0000 and U+007F", V::CHAR_SET_ASCII, ch(0x0000) + ch(0x007F), true);
    row("ascii refuses U+0080", V::CHAR_SET_ASCII, ch(0x0080), false);
    row("unicode takes anything", V::CHAR_SET_UNICODE, ch(0x0416) + ch(0x20AC) + "\n" + ch(0xD83D) + ch(0xDE00), true);
    row("digits take all ten", V::CHAR_SET_DIGIT, "0123456789", true);
    row("digits refuse +", V::CHAR_SET_DIGIT, "+", false);
    row("digits plus take +", V::CHAR_SET_DIGIT_PLUS, "+4417", true);
    row("digits plus refuse -", V::CHAR_SET_DIGIT_PLUS, "-", false);
    row("extra characters are taken", V::CHAR_SET_DIGIT, "1#2", true, "#");
    row("extra characters are not taken by default", V::CHAR_SET_DIGIT, "1#2", false);
    row("7-bit cyrillic takes the edges of its ranges", V::CHAR_SET_INM_C_7BIT_CYRILLIC,
        ch(0x0000) + ch(0x003F) + ch(0x0041) + ch(0x005A) + ch(0x0060) + ch(0x007F) + ch(0x0410) + ch(0x044F), true);
    for (ushort c : { 0x0040, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F, 0x0080, 0x0401, 0x0451 })
        row(qPrintable(QString("7-bit cyrillic refuses U+%1").arg(c, 4, 16, QChar('0'))), V::CHAR_SET_INM_C_7BIT_CYRILLIC, ch(c), false);
    row("cp866 takes box drawing and its letters", V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP866,
        ch(0x2500) + ch(0x2550) + ch(0x256C) + ch(0x25A0) + ch(0x0401) + ch(0x045E) + ch(0x2116), true);
    for (ushort c : { 0x2501, 0x256D, 0x20AC, 0x0402 })
        row(qPrintable(QString("cp866 refuses U+%1").arg(c, 4, 16, QChar('0'))), V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP866, ch(c), false);
    row("cp1251 takes the euro sign and its letters", V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251,
        ch(0x20AC) + ch(0x0402) + ch(0x045F) + ch(0x0490) + ch(0x2122) + ch(0x00AB) + ch(0x00AE), true);
    for (ushort c : { 0x2500, 0x0450, 0x00AA, 0x2123 })
        row(qPrintable(QString("cp1251 refuses U+%1").arg(c, 4, 16, QChar('0'))), V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251, ch(c), false);
    row("radiotelex cyrillic takes the letters around the hard signs", V::CHAR_SET_RADIOTELEX_CYRILLIC,
        ch(0x0410) + ch(0x0429) + ch(0x042B) + ch(0x0449) + ch(0x044B) + ch(0x044F) + "A1=", true);
    for (ushort c : { 0x042A, 0x044A, 0x0401, 0x0450, 0x0040 })
        row(qPrintable(QString("radiotelex cyrillic refuses U+%1").arg(c, 4, 16, QChar('0'))), V::CHAR_SET_RADIOTELEX_CYRILLIC, ch(c),
            false);
    row("an unknown set takes empty text", V::TCharSet(3), "", true);
    row("an unknown set refuses any character", V::TCharSet(3), "a", false);
}

void TestCharSetValidator::validate()
{
    QFETCH(TCharSetValidator::TCharSet, set);
    QFETCH(QString, extra);
    QFETCH(QString, input);
    QFETCH(bool, acceptable);

    TCharSetValidator validator(TCharSetValidator::CHAR_SET_UNICODE, nullptr);
    validator.setCharSet(set, extra);
    QCOMPARE(validator.getCharSet(), set);
    int pos = 0;
    QCOMPARE(validator.validate(input, pos) == QValidator::Acceptable, acceptable);
}

void TestCharSetValidator::fixup_data()
{
    QTest::addColumn<TCharSetValidator::TCharSet>("set");
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    using V = TCharSetValidator;
    QTest::newRow("digits lose letters") << V::CHAR_SET_DIGIT << ""
                                         << "12a3"
                                         << "123";
    QTest::newRow("unicode stays unchanged") << V::CHAR_SET_UNICODE << ""
                                             << "12a3" + ch(0x0416) << "12a3" + ch(0x0416);
    QTest::newRow("extra characters survive") << V::CHAR_SET_DIGIT << "#"
                                              << "1#2x"
                                              << "1#2";
    QTest::newRow("7-bit cyrillic loses @ and brackets") << V::CHAR_SET_INM_C_7BIT_CYRILLIC << ""
                                                         << "a@b[\\]c"
                                                         << "abc";
    QTest::newRow("radiotelex cyrillic loses the hard signs")
        << V::CHAR_SET_RADIOTELEX_CYRILLIC << "" << ch(0x042A) + ch(0x0430) + ch(0x044A) + "Z" << ch(0x0430) + "Z";
    QTest::newRow("acceptable text stays") << V::CHAR_SET_RADIOTELEX << ""
                                           << "CQ CQ"
                                           << "CQ CQ";
    QTest::newRow("a whole illegal text goes") << V::CHAR_SET_ASCII << "" << ch(0x20AC) + ch(0x0416) << "";
    QTest::newRow("an unknown set empties the text") << V::TCharSet(0) << ""
                                                     << "abc"
                                                     << "";
}

void TestCharSetValidator::fixup()
{
    QFETCH(TCharSetValidator::TCharSet, set);
    QFETCH(QString, extra);
    QFETCH(QString, input);
    QFETCH(QString, output);

    TCharSetValidator validator(TCharSetValidator::CHAR_SET_UNICODE, nullptr);
    validator.setCharSet(set, extra);
    validator.fixup(input);
    QCOMPARE(input, output);
    int pos = 0;
    QCOMPARE(validator.validate(input, pos), QValidator::Acceptable);
}

void TestCharSetValidator::isCyrillicKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("cyrillic");

    QTest::newRow("no text") << "" << false;
    QTest::newRow("latin letter") << "a" << false;
    QTest::newRow("first russian letter") << ch(0x0410) << true;
    QTest::newRow("last russian letter") << ch(0x044F) << true;
    QTest::newRow("upper hard sign") << ch(0x042A) << false;
    QTest::newRow("lower hard sign") << ch(0x044A) << false;
    QTest::newRow("letter before the range") << ch(0x040F) << false;
    QTest::newRow("letter after the range") << ch(0x0450) << false;
    QTest::newRow("several characters") << ch(0x0416) + ch(0x0416) << false;
}

void TestCharSetValidator::isCyrillicKey()
{
    QFETCH(QString, text);
    QFETCH(bool, cyrillic);

    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
    QCOMPARE(TCharSetValidator::isCyrillicKey(&event), cyrillic);
}

QTEST_GUILESS_MAIN(TestCharSetValidator)
#include "tst_char_set_validator.moc"
