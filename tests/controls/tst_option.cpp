// tst_option.cpp
#include "kv_log_capture.h"
#include "kvgui_option.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

class TReceiver : public QObject
{
    Q_OBJECT
public:
    int calls = 0;
    QWidget *from = nullptr;
public slots:
    void handle(QWidget *w)
    {
        ++calls;
        from = w;
    }
};

class TestOption : public QObject
{
    Q_OBJECT
private slots:
    void slotConnection_data();
    void slotConnection();
    void updatedSignal_data();
    void updatedSignal();
    void subOptionList_data();
    void subOptionList();
    void leafChoiceReachesEveryAncestorOnce();
    void removedChildNoLongerReported();
    void deleteAllSubOptionsDeletesTheTree();
    void traceLines();
};

void TestOption::slotConnection_data()
{
    QTest::addColumn<bool>("withParent");
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<int>("calls");

    QTest::newRow("slot text with parent runs the parent's slot") << true << QByteArray(SLOT(handle(QWidget *))) << 1;
    QTest::newRow("bare signature with parent runs the parent's slot") << true << QByteArray("handle(QWidget*)") << 1;
    QTest::newRow("slot without parent is never connected") << false << QByteArray(SLOT(handle(QWidget *))) << 0;
    QTest::newRow("no slot connects nothing") << true << QByteArray() << 0;
}

void TestOption::slotConnection()
{
    QFETCH(bool, withParent);
    QFETCH(QByteArray, slot);
    QFETCH(int, calls);

    TLogCapture log;
    TReceiver receiver;
    QWidget from;
    TOption option(QStringLiteral("&Store"), withParent ? &receiver : nullptr, slot.isEmpty() ? nullptr : slot.constData());
    emit option.selected(&from);

    QCOMPARE(receiver.calls, calls);
    if (calls)
        QCOMPARE(receiver.from, &from);
    // Every activation is traced, connected or not.
    QVERIFY(TLogCapture::contains(
        QStringLiteral("void TOption::debugTOptionSelected(QWidget*) : TOption with text= \"&Store\"  was pressed from widget=")));
}

void TestOption::updatedSignal_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("updates");

    QTest::newRow("same text twice updates twice") << "text" << 2;
    QTest::newRow("same icon twice updates twice") << "icon" << 2;
    QTest::newRow("same id twice updates twice") << "id" << 2;
    QTest::newRow("enabled state updates only when it changes") << "enabled" << 1;
    QTest::newRow("menu heading never updates") << "heading" << 0;
}

void TestOption::updatedSignal()
{
    QFETCH(QString, change);
    QFETCH(int, updates);

    TOption option(QStringLiteral("A"), nullptr);
    QSignalSpy spy(&option, SIGNAL(updated()));
    for (int i = 0; i < 2; ++i) {
        if (change == QLatin1String("text"))
            option.setText(QStringLiteral("B"));
        else if (change == QLatin1String("icon"))
            option.setIconName(QStringLiteral("kvgui_option_ok"));
        else if (change == QLatin1String("id"))
            option.setId(4);
        else if (change == QLatin1String("enabled"))
            option.setEnabled(false);
        else
            option.setMenuHeading(QStringLiteral("Heading"));
    }
    QCOMPARE(spy.count(), updates);
}

void TestOption::subOptionList_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("isMenu");
    QTest::addColumn<int>("count");

    QTest::newRow("first append makes a menu option") << "append" << true << 1;
    QTest::newRow("removing the last child makes a leaf again") << "append remove" << false << 0;
    QTest::newRow("removing an absent child changes nothing") << "append removeOther" << true << 1;
    QTest::newRow("removing from a leaf changes nothing") << "remove" << false << 0;
    QTest::newRow("refused insert still creates the empty list") << "insertBeyond" << true << 0;
    QTest::newRow("insert at the front goes first") << "append insertFront" << true << 2;
    QTest::newRow("a child added twice is removed entirely") << "append append remove" << false << 0;
}

void TestOption::subOptionList()
{
    QFETCH(QString, steps);
    QFETCH(bool, isMenu);
    QFETCH(int, count);

    TOption menu(QStringLiteral("Menu"), nullptr);
    TOption child(QStringLiteral("Child"), nullptr);
    TOption other(QStringLiteral("Other"), nullptr);
    const QStringList list = steps.split(QLatin1Char(' '));
    for (const QString &step : list) {
        if (step == QLatin1String("append"))
            menu.appendSubOption(&child);
        else if (step == QLatin1String("remove"))
            menu.removeSubOption(&child);
        else if (step == QLatin1String("removeOther"))
            menu.removeSubOption(&other);
        else if (step == QLatin1String("insertBeyond"))
            menu.appendSubOption(&other, 1);
        else if (step == QLatin1String("insertFront"))
            menu.appendSubOption(&other, 0);
    }
    QCOMPARE(menu.hasSubOptions(), isMenu);
    QCOMPARE(menu.subOptions ? menu.subOptions->count() : 0, count);
    if (steps.endsWith(QLatin1String("insertFront")))
        QCOMPARE(menu.subOptions->first(), &other);
}

void TestOption::leafChoiceReachesEveryAncestorOnce()
{
    TOption root(QStringLiteral("Root"), nullptr);
    TOption middle(QStringLiteral("Middle"), nullptr);
    TOption leaf(7, QStringLiteral("Leaf"), nullptr);
    root.appendSubOption(&middle);
    middle.appendSubOption(&leaf);

    QSignalSpy rootIds(&root, SIGNAL(leafSelected(int)));
    QSignalSpy rootPlain(&root, SIGNAL(leafSelected()));
    QSignalSpy middleIds(&middle, SIGNAL(leafSelected(int)));
    emit leaf.leafSelected(leaf.getId());

    QCOMPARE(rootIds.count(), 1);
    QCOMPARE(rootIds.first().first().toInt(), 7);
    QCOMPARE(rootPlain.count(), 1);
    QCOMPARE(middleIds.count(), 1);
}

void TestOption::removedChildNoLongerReported()
{
    TOption menu(QStringLiteral("Menu"), nullptr);
    TOption child(3, QStringLiteral("Child"), nullptr);
    menu.appendSubOption(&child);
    menu.removeSubOption(&child);
    QSignalSpy spy(&menu, SIGNAL(leafSelected(int)));
    emit child.leafSelected(3);
    QCOMPARE(spy.count(), 0);
}

void TestOption::deleteAllSubOptionsDeletesTheTree()
{
    TOption root(QStringLiteral("Root"), nullptr);
    QPointer<TOption> child = new TOption(QStringLiteral("Child"), nullptr);
    QPointer<TOption> grandChild = new TOption(QStringLiteral("Grandchild"), nullptr);
    root.appendSubOption(child);
    child->appendSubOption(grandChild);

    root.deleteAllSubOptions();
    QVERIFY(!root.hasSubOptions());
    QVERIFY(child);
    QTRY_VERIFY(!child && !grandChild);
}

void TestOption::traceLines()
{
    TLogCapture log;
    TLogCapture::lines().clear();
    {
        TOption option(QStringLiteral("&Exit"), nullptr);
    }
    QVERIFY(TLogCapture::contains(QStringLiteral(": Start of function. text= \"&Exit\" , this=")));
    QVERIFY(TLogCapture::contains(QStringLiteral(": About to destruct TOption (this=")));
    QVERIFY(TLogCapture::contains(QStringLiteral(" with text= \"&Exit\"")));
}

QTEST_MAIN(TestOption)
#include "tst_option.moc"
