// tst_screen.cpp
#include "kvgui_screen.h"
#include "kvgui_update_object.h"

#include <QtTest>

using Strings = QStringList;
using Bools = QList<bool>;

// A screen that is also the source of its updates; records the order in which its refresh and
// update slots run. Update objects serve screens only, so their start and stop rules are tested
// here, through the screen's show and hide.
class RecordingScreen : public TScreen
{
    Q_OBJECT
public:
    RecordingScreen()
        : TScreen("Heading", "Sub-heading", nullptr)
    {
        addUpdateObject(older = new TUpdateObject(this, SIGNAL(changed()), this, SLOT(fromOlder())));
        addUpdateObject(new TUpdateObject(this, SIGNAL(changed()), this, SLOT(fromNewer())));
    }
    TUpdateObject *older; // owned by this screen, its receiver
    QStringList calls;
signals:
    void changed();
public slots:
    void refreshScreen() override { calls << "refresh"; }
    void fromOlder() { calls << "older"; }
    void fromNewer() { calls << "newer"; }
};

class TestScreen : public QObject
{
    Q_OBJECT
private slots:
    void updateObjects_data();
    void updateObjects();
};

// Each row shows and hides the screen in turn; then the source emits once.
void TestScreen::updateObjects_data()
{
    QTest::addColumn<Strings>("steps");
    QTest::addColumn<Strings>("calls");
    QTest::addColumn<Bools>("olderStates");

    QTest::newRow("shown: refreshed, then updated newest first")
        << Strings { "show" } << Strings { "refresh", "newer", "older" } << Bools { true };
    QTest::newRow("start twice connects once") << Strings { "show", "show" } << Strings { "refresh", "refresh", "newer", "older" }
                                               << Bools { true };
    QTest::newRow("stop before start emits nothing, nor updates") << Strings { "hide" } << Strings {} << Bools {};
    QTest::newRow("hidden: no longer updated") << Strings { "show", "hide" } << Strings { "refresh" } << Bools { true, false };
    QTest::newRow("shown again: updated once") << Strings { "show", "hide", "show" } << Strings { "refresh", "refresh", "newer", "older" }
                                               << Bools { true, false, true };
}

void TestScreen::updateObjects()
{
    QFETCH(Strings, steps);
    QFETCH(Strings, calls);
    QFETCH(Bools, olderStates);

    RecordingScreen screen;
    QSignalSpy spy(screen.older, SIGNAL(stateChanged(bool)));
    for (const QString &step : steps)
        step == "show" ? screen.prepareShow() : screen.prepareHide();
    emit screen.changed();
    QCOMPARE(screen.calls, calls);
    Bools states;
    for (const QList<QVariant> &arguments : qAsConst(spy))
        states << arguments.first().toBool();
    QCOMPARE(states, olderStates);
    QCOMPARE(screen.older->isUpdating(), steps.value(steps.size() - 1) == "show");
}

QTEST_MAIN(TestScreen)
#include "tst_screen.moc"
