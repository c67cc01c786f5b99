// tst_elide_label.cpp
#include "kvgui_elide_label.h"

#include <QtTest>

class TestElideLabel : public QObject
{
    Q_OBJECT
private slots:
    void painting_data();
    void painting();
};

static const QString LongText = QStringLiteral("Select GMDSS system for this terminal");

// The label must paint exactly as a plain label showing the text it is expected to show.
void TestElideLabel::painting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<bool>("elided");

    QTest::newRow("right elision keeps the beginning") << LongText << int(Qt::ElideRight) << false << true;
    QTest::newRow("left elision keeps the end") << LongText << int(Qt::ElideLeft) << false << true;
    QTest::newRow("middle elision keeps both ends") << LongText << int(Qt::ElideMiddle) << false << true;
    QTest::newRow("no elision behaves as a plain label") << LongText << int(Qt::ElideNone) << false << false;
    QTest::newRow("word wrap behaves as a plain label") << LongText << int(Qt::ElideRight) << true << false;
    QTest::newRow("short text is shown whole") << QStringLiteral("UTC") << int(Qt::ElideRight) << false << false;
}

void TestElideLabel::painting()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    QFETCH(bool, wordWrap);
    QFETCH(bool, elided);

    TElideLabel label(text, Qt::TextElideMode(mode), nullptr);
    label.setWordWrap(wordWrap);
    label.setFixedSize(120, 30);

    QString expectedText = text;
    if (elided) {
        // Elided within the width less the indent of one pixel.
        expectedText = label.fontMetrics().elidedText(text, Qt::TextElideMode(mode), 120 - 1);
        QVERIFY(expectedText.contains(QChar(0x2026)));
    }
    QLabel reference(expectedText, nullptr);
    reference.setIndent(1);
    reference.setWordWrap(wordWrap);
    reference.setFixedSize(120, 30);
    QCOMPARE(label.grab().toImage(), reference.grab().toImage());
}

QTEST_MAIN(TestElideLabel)
#include "tst_elide_label.moc"
