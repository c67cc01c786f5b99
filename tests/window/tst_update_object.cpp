// tst_update_object.cpp
#include "kvgui_update_object.h"

#include <QPointer>
#include <QWidget>
#include <QtTest>

class Source : public QObject
{
    Q_OBJECT
signals:
    void changed(int value);
};

class Receiver : public QWidget
{
    Q_OBJECT
public:
    int deliveries = 0;
public slots:
    void refresh(int) { ++deliveries; }
};

class TestUpdateObject : public QObject
{
    Q_OBJECT
private slots:
    void startStop_data();
    void startStop();
    void destroyedWithReceiver();
};

// Each row is a sequence of start and stop calls; one signal is emitted after it.
void TestUpdateObject::startStop_data()
{
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QList<bool>>("reports");
    QTest::addColumn<int>("deliveries");

    QTest::newRow("start connects") << QStringList { "start" } << QList<bool> { true } << 1;
    QTest::newRow("start twice connects once") << QStringList { "start", "start" } << QList<bool> { true } << 1;
    QTest::newRow("stop before start emits nothing") << QStringList { "stop" } << QList<bool> {} << 0;
    QTest::newRow("stop disconnects") << QStringList { "start", "stop" } << QList<bool> { true, false } << 0;
    QTest::newRow("stop twice reports once") << QStringList { "start", "stop", "stop" } << QList<bool> { true, false } << 0;
    QTest::newRow("restart connects again once") << QStringList { "start", "stop", "start" } << QList<bool> { true, false, true } << 1;
}

void TestUpdateObject::startStop()
{
    QFETCH(QStringList, calls);
    QFETCH(QList<bool>, reports);
    QFETCH(int, deliveries);

    Source source;
    Receiver receiver;
    TUpdateObject *update = new TUpdateObject(&source, SIGNAL(changed(int)), &receiver, SLOT(refresh(int)));
    QSignalSpy spy(update, SIGNAL(stateChanged(bool)));
    for (const QString &call : calls) {
        if (call == "start")
            update->start();
        else
            update->stop();
    }
    emit source.changed(7);

    QCOMPARE(receiver.deliveries, deliveries);
    QCOMPARE(spy.count(), reports.size());
    for (int i = 0; i < reports.size(); ++i)
        QCOMPARE(spy.at(i).first().toBool(), reports.at(i));
    QCOMPARE(update->isUpdating(), calls.last() == "start");
}

void TestUpdateObject::destroyedWithReceiver()
{
    Source source;
    Receiver *receiver = new Receiver;
    QPointer<TUpdateObject> update = new TUpdateObject(&source, SIGNAL(changed(int)), receiver, SLOT(refresh(int)));
    update->start();
    delete receiver;
    QVERIFY(update.isNull());
    emit source.changed(1);
}

QTEST_MAIN(TestUpdateObject)
#include "tst_update_object.moc"
