// tst_option.cpp
#include "kvgui_flash_animator.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_icon_button.h"

#include <QKeyEvent>
#include <QPointer>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QSignalSpy>
#include <QtTest>

// Records what reaches it: the keys its child buttons pass on, and the calls of its slot.
class TRecorder : public QWidget
{
    Q_OBJECT
public:
    QList<int> pressed;
    QList<QWidget *> calls;
public slots:
    void handle(QWidget *w) { calls << w; }

protected:
    void keyPressEvent(QKeyEvent *event) override { pressed.append(event->key()); }
};

// Options, the buttons that show them, and the flashing of icon buttons.
class TestOption : public QObject
{
    Q_OBJECT
private slots:
    void slotConnection_data();
    void slotConnection();
    void subOptionList_data();
    void subOptionList();
    void deleteAllSubOptionsDeletesTheTree();
    void keyRules_data();
    void keyRules();
    void buttonFollowsItsOption();
    void pulseSlowsDown();
    void flashing_data();
    void flashing();

private:
    static int fadeDuration(QObject &animator) { return animator.findChildren<QPropertyAnimation *>().first()->duration(); }
    static int groupState(QObject &animator) { return animator.findChild<QSequentialAnimationGroup *>()->state(); }
};

void TestOption::slotConnection_data()
{
    QTest::addColumn<bool>("withParent");
    QTest::addColumn<QByteArray>("slot");
    QTest::newRow("slot text with parent runs the parent's slot") << true << QByteArray(SLOT(handle(QWidget *)));
    QTest::newRow("bare signature with parent runs the parent's slot") << true << QByteArray("handle(QWidget*)");
    QTest::newRow("slot without parent is never connected") << false << QByteArray(SLOT(handle(QWidget *)));
    QTest::newRow("no slot connects nothing") << true << QByteArray();
}

void TestOption::slotConnection()
{
    QFETCH(bool, withParent);
    QFETCH(QByteArray, slot);
    TRecorder receiver;
    QWidget from;
    TOption option("&Store", withParent ? &receiver : nullptr, slot.isEmpty() ? nullptr : slot.constData());
    emit option.selected(&from);
    QCOMPARE(receiver.calls, withParent && !slot.isEmpty() ? QList<QWidget *> { &from } : QList<QWidget *> {});
}

void TestOption::subOptionList_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("list"); // empty: a leaf
    QTest::newRow("first append makes a menu option") << "append" << QStringList { "Child" };
    QTest::newRow("removing the last child makes a leaf again") << "append remove" << QStringList();
    QTest::newRow("removing an absent child changes nothing") << "append removeOther" << QStringList { "Child" };
    QTest::newRow("removing from a leaf changes nothing") << "remove" << QStringList();
    QTest::newRow("insert beyond the end is refused") << "append insertBeyond" << QStringList { "Child" };
    QTest::newRow("insert at the front goes first") << "append insertFront" << QStringList { "Other", "Child" };
    QTest::newRow("a child added twice is removed entirely") << "append append remove" << QStringList();
}

void TestOption::subOptionList()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, list);
    TOption menu("Menu", nullptr);
    TOption child(3, "Child", nullptr);
    TOption other("Other", nullptr);
    for (const QString &step : steps.split(' ')) {
        if (step == "append")
            menu.appendSubOption(&child);
        else if (step == "remove" || step == "removeOther")
            menu.removeSubOption(step == "remove" ? &child : &other);
        else
            menu.appendSubOption(&other, step == "insertFront" ? 0 : 2);
    }
    QStringList texts;
    for (TOption *option : menu.subOptions ? *menu.subOptions : QList<TOption *>())
        texts << option->getText();
    QCOMPARE(texts, list);
    QCOMPARE(menu.hasSubOptions(), !list.isEmpty());

    // A leaf choice below a menu option is reported by it too, with the leaf's id, once.
    QSignalSpy reported(&menu, SIGNAL(leafSelected(int)));
    emit child.leafSelected(3);
    QCOMPARE(QList<QVariantList>(reported), list.contains("Child") ? QList<QVariantList> { { 3 } } : QList<QVariantList> {});
}

void TestOption::deleteAllSubOptionsDeletesTheTree()
{
    TOption root("Root", nullptr);
    QPointer<TOption> child = new TOption("Child", nullptr);
    QPointer<TOption> grandChild = new TOption("Grandchild", nullptr);
    root.appendSubOption(child);
    child->appendSubOption(grandChild);
    root.deleteAllSubOptions();
    QVERIFY(!root.hasSubOptions());
    // Deleted later, so handlers still running on a child are safe.
    QVERIFY(child);
    QTRY_VERIFY(!child && !grandChild);
}

void TestOption::keyRules_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("activating"); // the rest of Return, Space, Menu and the arrows is passed on
    const int up = TAbstractMenuShower::DropUp;
    QTest::newRow("leaf: arrows are passed on for focus moves") << "leaf" << up << "Return Space";
    QTest::newRow("drop-up menu opens by Up") << "menu" << up << "Return Space Menu Up";
    QTest::newRow("drop-down menu opens by Down") << "menu" << int(TAbstractMenuShower::DropDown) << "Return Space Menu Down";
    QTest::newRow("left menu opens by Left") << "menu" << int(TAbstractMenuShower::ToTheLeft) << "Return Space Menu Left";
    QTest::newRow("right menu opens by Right") << "menu" << int(TAbstractMenuShower::ToTheRight) << "Return Space Menu Right";
    QTest::newRow("icon button menu opens by no arrow") << "icon" << up << "Return Space Menu";
}

void TestOption::keyRules()
{
    QFETCH(QString, button);
    QFETCH(int, direction);
    QFETCH(QString, activating);
    TOption option("&Mode", "kvgui_tools", nullptr);
    TOption child("Day", nullptr);
    if (button != "leaf")
        option.appendSubOption(&child);
    QStringList activated;
    for (int key : { Qt::Key_Return, Qt::Key_Space, Qt::Key_Menu, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right }) {
        TRecorder parent;
        QScopedPointer<TOptionButton> b(button == "icon" ? new TOptionIconButton(&option, &parent) : new TOptionButton(&option, &parent));
        b->setMenuDirection(TAbstractMenuShower::MenuDirections(direction));
        QSignalSpy selected(&option, SIGNAL(selected(QWidget *)));
        QTest::keyClick(b.data(), Qt::Key(key));
        if (!selected.isEmpty())
            activated << QKeySequence(key).toString();
        // A key that does not activate goes on to the parent.
        QCOMPARE(parent.pressed.contains(key), selected.isEmpty());
        // A menu button never stays checked: the open menu carries that look.
        QVERIFY(!b->isChecked());
        // The menu learns that the keypad opened it, until the button loses the focus.
        if (b->isCheckable())
            QCOMPARE(b->isKeyActivated(), !selected.isEmpty());
        QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(b.data(), &focusOut);
        QVERIFY(!b->isKeyActivated());
    }
    QCOMPARE(activated.join(' '), activating);
}

void TestOption::buttonFollowsItsOption()
{
    QWidget parent;
    TOption first(5, "&Store", "kvgui_option_ok", nullptr);
    auto *second = new TOption(6, "Second", nullptr);
    TOption child("Item", nullptr);
    TOptionButton button(&first, &parent);
    TOptionIconButton iconButton(&first, &parent);
    QStringList order;
    connect(&first, QOverload<QWidget *>::of(&TOption::selected), [&](QWidget *from) { order << (from == &button ? "selected" : "?"); });
    connect(&first, QOverload<int>::of(&TOption::leafSelected), [&](int id) { order << QString("leaf %1").arg(id); });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(order, (QStringList { "selected", "leaf 5" }));
    const auto shownFor
        = [](TOptionButton &b) { return QSharedPointer<QWidget>(b.createMenuShownWidget(nullptr, TAbstractMenuShower::ToTheLeft)); };
    // Nothing covers a button out of sight.
    QVERIFY(!shownFor(button));
    parent.show();
    QVERIFY(shownFor(button));

    // A disabled option disables its buttons; only an icon button then still shows a menu.
    first.setEnabled(false);
    QVERIFY(!button.isEnabled());
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(order.count(), 2);
    QVERIFY(!shownFor(button) && shownFor(iconButton));

    // Bound to another option, a button shows it and no longer reports the first one's choices.
    button.setOption(second);
    QSignalSpy leaf(&button, SIGNAL(leafSelected()));
    emit first.leafSelected(5);
    second->setText("Renamed");
    QCOMPARE(button.text(), QString("Renamed"));
    // A sub-option appended later shows once the option reports an update.
    second->appendSubOption(&child);
    emit second->updated();
    QVERIFY(button.isCheckable());
    // A destroyed option leaves an empty, inert button.
    delete second;
    QVERIFY(button.text().isEmpty() && !button.isCheckable());
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(leaf.count(), 0);
}

void TestOption::pulseSlowsDown()
{
    TFlashAnimator animator(nullptr);
    QWidget widget;
    animator.setAnimating(&widget);
    QTRY_VERIFY(fadeDuration(animator) > 120);
    // Started again, the pulse is quick again; the later pulses are driven at once.
    animator.clearAnimating(&widget);
    animator.setAnimating(&widget);
    QList<int> durations { fadeDuration(animator) };
    for (int loop = 0; loop < 9; ++loop) {
        QVERIFY(QMetaObject::invokeMethod(&animator, "handleLoopChanged", Q_ARG(int, 1)));
        durations << fadeDuration(animator);
    }
    QCOMPARE(durations, (QList<int> { 120, 160, 213, 284, 378, 504, 672, 896, 1000, 1000 }));
    // Both fades of a pulse share the duration, and the pulse keeps running.
    QCOMPARE(animator.findChildren<QPropertyAnimation *>().at(1)->duration(), 1000);
    QCOMPARE(groupState(animator), int(QAbstractAnimation::Running));
}

// A flashing icon button A, hidden and shown, stopped and started, shares its pulse with a plain widget B
// driven directly.
void TestOption::flashing_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("state");
    QTest::newRow("hiding the only flashing widget pauses the pulse") << "hideA" << int(QAbstractAnimation::Paused);
    QTest::newRow("a hidden widget shown again resumes the pulse") << "hideA showA" << int(QAbstractAnimation::Running);
    QTest::newRow("hiding one of two keeps the pulse running") << "setB hideA" << int(QAbstractAnimation::Running);
    QTest::newRow("stopping the last widget stops the pulse") << "offA" << int(QAbstractAnimation::Stopped);
    QTest::newRow("stopping with a paused widget left only pauses") << "setB pauseB offA" << int(QAbstractAnimation::Paused);
    QTest::newRow("pausing a widget that is not flashing keeps nothing to resume") << "pauseB offA" << int(QAbstractAnimation::Stopped);
    QTest::newRow("a button started while hidden waits") << "offA hideA onA" << int(QAbstractAnimation::Stopped);
    QTest::newRow("a button started while hidden joins once shown") << "offA hideA onA showA" << int(QAbstractAnimation::Running);
}

void TestOption::flashing()
{
    QFETCH(QString, steps);
    QFETCH(int, state);
    QWidget b; // outlives the button's animator, which still knows it
    QWidget parent;
    TOption option("Alarm", "kvgui_tools", nullptr);
    TOptionIconButton a(&option, &parent);
    parent.show();
    a.setAnimating(true);
    TFlashAnimator &animator = *a.findChild<TFlashAnimator *>();
    for (const QString &step : steps.split(' ')) {
        if (step == "hideA" || step == "showA")
            a.setVisible(step == "showA");
        else if (step == "onA" || step == "offA")
            a.setAnimating(step == "onA");
        else if (step == "setB")
            animator.setAnimating(&b);
        else
            animator.pauseAnimating(&b);
    }
    QCOMPARE(groupState(animator), state);
    if (state == QAbstractAnimation::Running)
        QTRY_VERIFY(animator.getOpacity() > 0.0);
    else
        QCOMPARE(animator.getOpacity(), 0.0);
}

QTEST_MAIN(TestOption)
#include "tst_option.moc"
