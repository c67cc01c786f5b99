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
    void clickRunsTheOptionUnlessDisabled();
    void optionBinding();
    void menuShownButton();
    void pulseSlowsDown();
    void pauseAndClear_data();
    void pauseAndClear();
    void iconButtonFlashesOnlyWhileShown();

private:
    static int fadeDuration(QObject &animator) { return animator.findChildren<QPropertyAnimation *>().first()->duration(); }
    static int groupState(QObject &animator) { return animator.findChild<QSequentialAnimationGroup *>()->state(); }
};

void TestOption::slotConnection_data()
{
    QTest::addColumn<bool>("withParent");
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<bool>("reached");

    QTest::newRow("slot text with parent runs the parent's slot") << true << QByteArray(SLOT(handle(QWidget *))) << true;
    QTest::newRow("bare signature with parent runs the parent's slot") << true << QByteArray("handle(QWidget*)") << true;
    QTest::newRow("slot without parent is never connected") << false << QByteArray(SLOT(handle(QWidget *))) << false;
    QTest::newRow("no slot connects nothing") << true << QByteArray() << false;
}

void TestOption::slotConnection()
{
    QFETCH(bool, withParent);
    QFETCH(QByteArray, slot);
    QFETCH(bool, reached);

    TRecorder receiver;
    QWidget from;
    TOption option(QStringLiteral("&Store"), withParent ? &receiver : nullptr, slot.isEmpty() ? nullptr : slot.constData());
    emit option.selected(&from);
    QCOMPARE(receiver.calls, reached ? QList<QWidget *> { &from } : QList<QWidget *> {});
}

void TestOption::subOptionList_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<bool>("isMenu");
    QTest::addColumn<QStringList>("list");

    QTest::newRow("first append makes a menu option") << "append" << true << QStringList { "Child" };
    QTest::newRow("removing the last child makes a leaf again") << "append remove" << false << QStringList {};
    QTest::newRow("removing an absent child changes nothing") << "append removeOther" << true << QStringList { "Child" };
    QTest::newRow("removing from a leaf changes nothing") << "remove" << false << QStringList {};
    QTest::newRow("refused insert still creates the empty list") << "insertBeyond" << true << QStringList {};
    QTest::newRow("insert at the front goes first") << "append insertFront" << true << QStringList { "Other", "Child" };
    QTest::newRow("a child added twice is removed entirely") << "append append remove" << false << QStringList {};
}

void TestOption::subOptionList()
{
    QFETCH(QString, steps);
    QFETCH(bool, isMenu);
    QFETCH(QStringList, list);

    TOption menu(QStringLiteral("Menu"), nullptr);
    TOption child(3, QStringLiteral("Child"), nullptr);
    TOption other(QStringLiteral("Other"), nullptr);
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        if (step == QLatin1String("append"))
            menu.appendSubOption(&child);
        else if (step == QLatin1String("remove"))
            menu.removeSubOption(&child);
        else if (step == QLatin1String("removeOther"))
            menu.removeSubOption(&other);
        else
            menu.appendSubOption(&other, step == QLatin1String("insertFront") ? 0 : 1);
    }
    QCOMPARE(menu.hasSubOptions(), isMenu);
    QStringList texts;
    for (TOption *option : menu.subOptions ? *menu.subOptions : QList<TOption *>())
        texts << option->getText();
    QCOMPARE(texts, list);

    // A leaf choice below a menu option is reported by it too, with the leaf's id, once.
    QSignalSpy reported(&menu, SIGNAL(leafSelected(int)));
    emit child.leafSelected(3);
    QCOMPARE(QList<QVariantList>(reported), list.contains("Child") ? QList<QVariantList> { { 3 } } : QList<QVariantList> {});
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

    TOption option(QStringLiteral("&Mode"), QStringLiteral("kvgui_tools"), nullptr);
    TOption child(QStringLiteral("Day"), nullptr);
    if (button != QLatin1String("leaf"))
        option.appendSubOption(&child);
    QStringList activated;
    for (int key : { Qt::Key_Return, Qt::Key_Space, Qt::Key_Menu, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right }) {
        TRecorder parent;
        QScopedPointer<TOptionButton> b(
            button == QLatin1String("icon") ? new TOptionIconButton(&option, &parent) : new TOptionButton(&option, &parent));
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
    QCOMPARE(activated.join(QLatin1Char(' ')), activating);
}

void TestOption::clickRunsTheOptionUnlessDisabled()
{
    TOption option(5, QStringLiteral("&Store"), nullptr);
    TOptionButton button(&option, nullptr);
    TOptionButton other(&option, nullptr);
    QStringList order;
    connect(&option, QOverload<QWidget *>::of(&TOption::selected), [&](QWidget *from) { order << (from == &button ? "selected" : "?"); });
    connect(&option, QOverload<int>::of(&TOption::leafSelected), [&](int id) { order << QStringLiteral("leaf %1").arg(id); });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(order, (QStringList { "selected", "leaf 5" }));

    // Disabling the option disables every button that shows it.
    option.setEnabled(false);
    QVERIFY(!button.isEnabled() && !other.isEnabled());
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(order.count(), 2);
    option.setEnabled(true);
    QVERIFY(button.isEnabled() && other.isEnabled());
}

void TestOption::optionBinding()
{
    TOption first(QStringLiteral("First"), nullptr);
    auto *second = new TOption(QStringLiteral("Second"), nullptr);
    TOption child(QStringLiteral("Item"), nullptr);
    TOptionButton button(&first, nullptr);
    button.setOption(second);
    QSignalSpy leaf(&button, SIGNAL(leafSelected()));

    // Changes reach the button from the bound option only.
    first.setText(QStringLiteral("Changed"));
    second->setText(QStringLiteral("Renamed"));
    QCOMPARE(button.text(), QStringLiteral("Renamed"));
    // A sub-option appended later shows only once the option reports an update.
    second->appendSubOption(&child);
    QVERIFY(!button.isCheckable());
    emit second->updated();
    QVERIFY(button.isCheckable());

    // A destroyed option leaves an empty, inert button.
    delete second;
    QVERIFY(button.text().isEmpty() && !button.isCheckable());
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(leaf.count(), 0);
}

void TestOption::menuShownButton()
{
    QWidget parent;
    TOption option(QStringLiteral("Menu"), QStringLiteral("kvgui_option_ok"), nullptr);
    TOptionButton button(&option, &parent);
    TOptionIconButton iconButton(&option, &parent);
    button.setGeometry(10, 10, 150, 58);
    const auto shownFor = [](TOptionButton &b) { return b.createMenuShownWidget(nullptr, TAbstractMenuShower::ToTheLeft); };
    QVERIFY(!shownFor(button));
    parent.show();
    // While the menu is open a checked copy covers the button.
    QScopedPointer<TOptionButton> shown(static_cast<TOptionButton *>(shownFor(button)));
    QCOMPARE(shown->objectName(), QStringLiteral("toTheLeftMenuButton"));
    QCOMPARE(shown->size(), button.size());
    QVERIFY(shown->isChecked() && shown->text() == option.getText());
    // A disabled button has none; a disabled icon button still has one.
    option.setEnabled(false);
    QVERIFY(!shownFor(button));
    QVERIFY(QScopedPointer<QWidget>(shownFor(iconButton)));
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

void TestOption::pauseAndClear_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("state");

    QTest::newRow("pausing the only flashing widget pauses the pulse") << "pauseA" << int(QAbstractAnimation::Paused);
    QTest::newRow("a paused widget coming back resumes the pulse") << "pauseA setA" << int(QAbstractAnimation::Running);
    QTest::newRow("pausing one of two keeps the pulse running") << "setB pauseA" << int(QAbstractAnimation::Running);
    QTest::newRow("clearing the last widget stops the pulse") << "clearA" << int(QAbstractAnimation::Stopped);
    QTest::newRow("clearing with a paused widget left only pauses") << "setB pauseB clearA" << int(QAbstractAnimation::Paused);
    QTest::newRow("pausing a widget that is not flashing does nothing") << "pauseB" << int(QAbstractAnimation::Running);
}

void TestOption::pauseAndClear()
{
    QFETCH(QString, steps);
    QFETCH(int, state);

    TFlashAnimator animator(nullptr);
    QWidget a;
    QWidget b;
    animator.setAnimating(&a);
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        QWidget *w = step.endsWith(QLatin1Char('A')) ? &a : &b;
        if (step.startsWith(QLatin1String("set")))
            animator.setAnimating(w);
        else if (step.startsWith(QLatin1String("pause")))
            animator.pauseAnimating(w);
        else
            animator.clearAnimating(w);
    }
    QCOMPARE(groupState(animator), state);
    if (state != QAbstractAnimation::Running)
        QCOMPARE(animator.getOpacity(), 0.0);
}

void TestOption::iconButtonFlashesOnlyWhileShown()
{
    QWidget parent;
    TOption option(QStringLiteral("Alarm"), QStringLiteral("kvgui_tools"), nullptr);
    auto *button = new TOptionIconButton(&option, &parent);
    parent.show();
    button->setAnimating(true);
    auto *animator = button->findChild<TFlashAnimator *>();
    QTRY_VERIFY(animator->getOpacity() > 0.0);
    button->hide();
    QCOMPARE(groupState(*animator), int(QAbstractAnimation::Paused));
    button->setAnimating(false);
    QCOMPARE(groupState(*animator), int(QAbstractAnimation::Stopped));
    QCOMPARE(animator->getOpacity(), 0.0);
    // A button that starts flashing while hidden joins the pulse only once shown.
    button->setAnimating(true);
    QCOMPARE(groupState(*animator), int(QAbstractAnimation::Stopped));
    button->show();
    QCOMPARE(groupState(*animator), int(QAbstractAnimation::Running));
}

QTEST_MAIN(TestOption)
#include "tst_option.moc"
