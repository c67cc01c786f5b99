// tst_char_set_validator.cpp
#include "kvgui_char_set_validator.h"

#include <QKeyEvent>
#include <QtTest>

Q_DECLARE_METATYPE(TCharSetValidator::TCharSet)

static QString u(std::initializer_list<ushort> codes)
{
    QString s;
    for (ushort c : codes)
        s += QChar(c);
    return s;
}

class TestCharSetValidator : public QObject
{
    Q_OBJECT
private slots:
    void repertoire_data()
    {
        QTest::addColumn<TCharSetValidator::TCharSet>("set");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QString>("accepted"); // the characters at the edges of the set
        QTest::addColumn<QString>("refused"); // those just outside, each refused alone

        using V = TCharSetValidator;
        QTest::newRow("radiotelex") << V::CHAR_SET_RADIOTELEX << ""
                                    << "Az09 -?:().,'=/+"
                                    << "@!<>*[_" + u({ 0x0416 });
        QTest::newRow("5-bit") << V::CHAR_SET_INM_C_5BIT << ""
                               << "aZ9 -?$:@#%()+.,'/"
                               << "=&!<";
        QTest::newRow("ascii") << V::CHAR_SET_ASCII << "" << u({ 0x0000, 0x007F }) << u({ 0x0080, 0x20AC });
        QTest::newRow("unicode") << V::CHAR_SET_UNICODE << "" << u({ 0x0416, 0x20AC, '\n', 0xD83D, 0xDE00 }) << "";
        QTest::newRow("unicode, a lone surrogate") << V::CHAR_SET_UNICODE << "" << u({ 0xD800, 'a' }) << "";
        QTest::newRow("5-bit, digits and spaces of every script")
            << V::CHAR_SET_INM_C_5BIT << "" << u({ 0x0660, 0xFF19, 0x00A0, 0x3000, 0x0085 }) << u({ 0x00B2, 0x180E, 0xD800 });
        QTest::newRow("digits") << V::CHAR_SET_DIGIT << ""
                                << "0123456789"
                                << "+a";
        // Interleaved by code unit, the refused pair splits into lone surrogates around an accepted unit.
        QTest::newRow("digits with an extra beyond U+FFFF")
            << V::CHAR_SET_DIGIT << u({ 0xD83D, 0xDE00 }) << u({ '1', 0xD83D, 0xDE00, '2' }) << u({ 0xD83D, 0xDE01 });
        QTest::newRow("digits plus") << V::CHAR_SET_DIGIT_PLUS << ""
                                     << "+4417"
                                     << "-#";
        QTest::newRow("7-bit cyrillic, without @ and U+005B..U+005F")
            << V::CHAR_SET_INM_C_7BIT_CYRILLIC << "" << u({ 0x0000, 0x003F, 0x0041, 0x005A, 0x0060, 0x007F, 0x0410, 0x044F })
            << u({ 0x0040, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F, 0x0080, 0x0401, 0x0451 });
        QTest::newRow("cp866 with box drawing")
            << V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP866 << "" << u({ 0x2500, 0x2550, 0x256C, 0x25A0, 0x0401, 0x045E, 0x2116 })
            << u({ 0x2501, 0x256D, 0x20AC, 0x0402 });
        QTest::newRow("cp1251 with the euro sign")
            << V::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251 << "" << u({ 0x20AC, 0x0402, 0x045F, 0x0490, 0x2122, 0x00AB, 0x00AE })
            << u({ 0x2500, 0x0450, 0x00AA, 0x2123 });
        QTest::newRow("radiotelex cyrillic, without the hard signs")
            << V::CHAR_SET_RADIOTELEX_CYRILLIC << "" << u({ 0x0410, 0x0429, 0x042B, 0x0449, 0x044B, 0x044F, 'A', '1', '=' })
            << u({ 0x042A, 0x044A, 0x0401, 0x0450, 0x0040 });
        QTest::newRow("an unknown set takes nothing") << V::TCharSet(3) << ""
                                                      << ""
                                                      << "a0 ";
    }

    void repertoire()
    {
        QFETCH(TCharSetValidator::TCharSet, set);
        QFETCH(QString, extra);
        QFETCH(QString, accepted);
        QFETCH(QString, refused);

        TCharSetValidator validator(TCharSetValidator::CHAR_SET_RADIOTELEX, nullptr); // changed from a narrow set: nothing of it stays
        validator.setCharSet(set, extra);
        QCOMPARE(validator.getCharSet(), set);
        int pos = 0;
        QCOMPARE(validator.validate(accepted, pos), QValidator::Acceptable);
        QString mixed;
        for (int i = 0; i < qMax(accepted.size(), refused.size()); ++i) {
            QString c = refused.mid(i, 1);
            if (!c.isEmpty())
                QVERIFY2(validator.validate(c, pos) != QValidator::Acceptable, qPrintable(QString::number(c.at(0).unicode(), 16)));
            mixed += c + accepted.mid(i, 1);
        }
        // fixup keeps exactly the characters of the set.
        validator.fixup(mixed);
        QCOMPARE(mixed, accepted);
    }

    void isCyrillicKey_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cyrillic");

        QTest::newRow("no text") << "" << false;
        QTest::newRow("latin letter") << "a" << false;
        QTest::newRow("first russian letter") << u({ 0x0410 }) << true;
        QTest::newRow("last russian letter") << u({ 0x044F }) << true;
        QTest::newRow("upper hard sign") << u({ 0x042A }) << false;
        QTest::newRow("lower hard sign") << u({ 0x044A }) << false;
        QTest::newRow("letters outside the range") << u({ 0x040F }) << false;
        QTest::newRow("several characters") << u({ 0x0416, 0x0416 }) << false;
    }

    void isCyrillicKey()
    {
        QFETCH(QString, text);
        QFETCH(bool, cyrillic);

        QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text);
        QCOMPARE(TCharSetValidator::isCyrillicKey(&event), cyrillic);
    }
};

QTEST_GUILESS_MAIN(TestCharSetValidator)
#include "tst_char_set_validator.moc"