// tst_option.cpp: options and the buttons that show them. (An option's slot on its parent is run end to end
// by Store in tst_system_selection.)
#include "kvgui_button_bar.h"
#include "kvgui_flash_animator.h"
#include "kvgui_icon_button.h"
#include "kvgui_icon_widget.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_icon_button.h"

#include <QPushButton>
#include <QtTest>

// Records the keys its child buttons pass on.
struct TRecorder : QWidget
{
    QList<int> pressed;
    void keyPressEvent(QKeyEvent *event) override { pressed.append(event->key()); }
};

class TestOption : public QObject
{
    Q_OBJECT
private slots:
    void subOptionList_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("list"); // empty: a leaf
        QTest::newRow("first append makes a menu option") << "append" << QStringList { "Child" };
        QTest::newRow("removing the last child makes a leaf again") << "append remove" << QStringList();
        QTest::newRow("insert beyond the end is refused") << "append insertBeyond" << QStringList { "Child" };
        QTest::newRow("insert at the front goes first") << "append insertFront" << QStringList { "Other", "Child" };
        QTest::newRow("a child added twice is removed entirely") << "append append remove" << QStringList();
    }
    void subOptionList()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, list);
        TOption menu("Menu", nullptr);
        TOption child(3, "Child", nullptr);
        TOption other("Other", nullptr);
        for (const QString &step : steps.split(' '))
            if (step == "append")
                menu.appendSubOption(&child);
            else if (step == "remove")
                menu.removeSubOption(&child);
            else
                menu.appendSubOption(&other, step == "insertFront" ? 0 : 2);
        QStringList texts;
        for (TOption *option : menu.subOptions ? *menu.subOptions : QList<TOption *>())
            texts << option->getText();
        QVERIFY(texts == list && menu.hasSubOptions() == !list.isEmpty() && menu.getId() == 0);

        // A leaf choice below a menu option is reported by it too, with the leaf's id, once.
        QSignalSpy reported(&menu, SIGNAL(leafSelected(int)));
        emit child.leafSelected(3);
        QCOMPARE(QList<QVariantList>(reported), list.contains("Child") ? QList<QVariantList> { { 3 } } : QList<QVariantList> {});
    }
    // A menu emptied at once is a leaf again, and its entries, with theirs, are gone.
    void deleteAllSubOptions()
    {
        TOption menu("Menu", nullptr);
        QPointer<TOption> child = new TOption("Child", nullptr), grandchild = new TOption("Grandchild", nullptr);
        menu.appendSubOption(child);
        child->appendSubOption(grandchild);
        menu.deleteAllSubOptions();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!menu.hasSubOptions() && child.isNull() && grandchild.isNull());
    }
    void keyRules_data()
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
    void keyRules()
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
            QScopedPointer<TOptionButton> b(
                button == "icon" ? new TOptionIconButton(&option, &parent) : new TOptionButton(&option, &parent));
            b->setMenuDirection(TAbstractMenuShower::MenuDirections(direction));
            QSignalSpy selected(&option, SIGNAL(selected(QWidget *)));
            QTest::keyClick(b.data(), Qt::Key(key));
            if (!selected.isEmpty())
                activated << QKeySequence(key).toString();
            // A key that does not activate goes on to the parent.
            QCOMPARE(parent.pressed.contains(key), selected.isEmpty());
            // A menu button never stays checked: the open menu carries that look. The menu learns that
            // the keypad opened it, until the button loses the focus.
            QVERIFY(!b->isChecked() && (!b->isCheckable() || b->isKeyActivated() == !selected.isEmpty()));
            QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(b.data(), &focusOut);
            QVERIFY(!b->isKeyActivated());
        }
        QCOMPARE(activated.join(' '), activating);
    }
    void buttonFollowsItsOption()
    {
        QWidget parent;
        TOption first(5, "&Store", "kvgui_option_ok", nullptr);
        auto *second = new TOption(6, "Second", nullptr);
        TOption child("Item", nullptr);
        TOptionButton button(&first, &parent);
        TOptionIconButton iconButton(&first, &parent);
        QStringList order;
        connect(
            &first, QOverload<QWidget *>::of(&TOption::selected), [&](QWidget *from) { order << (from == &button ? "selected" : "?"); });
        connect(&first, QOverload<int>::of(&TOption::leafSelected), [&](int id) { order << QString("leaf %1").arg(id); });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(order, (QStringList { "selected", "leaf 5" }));
        const auto shownFor
            = [](TOptionButton &b) { return QSharedPointer<QWidget>(b.createMenuShownWidget(nullptr, TAbstractMenuShower::ToTheLeft)); };
        // Nothing covers a button out of sight.
        QVERIFY(!shownFor(button));
        parent.show();
        QVERIFY(shownFor(button));
        // A flash fades in and out in 120 ms each, every later pulse a third slower; it pauses unlit
        // while hidden, and one that has stopped stays still when shown again.
        for (const bool on : { true, false }) {
            iconButton.setAnimating(on);
            auto *flash = iconButton.findChild<QSequentialAnimationGroup *>();
            const TFlashAnimator *animator = iconButton.findChild<TFlashAnimator *>();
            flash->setCurrentTime(on ? 210 : 0);
            QCOMPARE(animator->getOpacity(), on ? 0.25 : 0.0);
            iconButton.hide();
            QVERIFY(flash->state() == (on ? QAbstractAnimation::Paused : QAbstractAnimation::Stopped) && animator->getOpacity() == 0.0);
            iconButton.show();
            QCOMPARE(flash->state(), on ? QAbstractAnimation::Running : QAbstractAnimation::Stopped);
            if (on)
                flash->setCurrentTime(250); // into the second pulse, which runs on
            QCOMPARE(flash->state() == QAbstractAnimation::Running ? flash->duration() : 0, on ? 320 : 0);
        }

        // A disabled option disables its buttons; only an icon button then still shows a menu.
        first.setEnabled(false);
        QVERIFY(!button.isEnabled());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(order.count(), 2);
        QVERIFY(!shownFor(button) && shownFor(iconButton)->focusPolicy() == Qt::NoFocus); // its copy leaves the keys to the menu
        // Unbound, a button is enabled again whatever its option was; one made unbound centres its text too.
        iconButton.setOption(nullptr);
        QVERIFY(iconButton.isEnabled() && TOptionButton(&parent).getAlignment() == Qt::AlignCenter);

        // Bound to another option, a button shows it and no longer reports the first one's choices.
        button.setOption(second);
        QSignalSpy leaf(&button, SIGNAL(leafSelected()));
        emit first.leafSelected(5);
        second->setText("Renamed");
        QCOMPARE(button.text(), QString("Renamed"));
        // A sub-option appended later shows once the option reports an update, as any change of it does.
        second->appendSubOption(&child);
        second->setId(7);
        QVERIFY(button.isCheckable());
        iconButton.setOption(second);
        iconButton.setOption(nullptr);
        QVERIFY(!iconButton.isCheckable()); // nor a menu arrow
        // A destroyed option leaves an empty, inert button.
        delete second;
        QVERIFY(button.text().isEmpty() && !button.isCheckable());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(leaf.count(), 0);
    }
    // A minimisable bar opens from its tools button and closes from its own, taking the focus along;
    // it reports each leaf choice of its buttons, and of a bar within it, once.
    void buttonBar()
    {
        QWidget window;
        TButtonBar bar(&window, true);
        auto *inner = new TButtonBar(&bar, false);
        TOption edit(7, "&Edit", nullptr), tools(8, "T&ools", "kvgui_tools", nullptr), print(9, "&Print", nullptr);
        QList<QAbstractButton *> buttons { bar.addNewOptionButton(&edit), bar.addNewOptionIconButton(&tools) };
        bar.addSubButtonBar(inner);
        QPushButton next("Next", &window); // where Qt itself would move the focus of a hidden button
        buttons << inner->addNewOptionButton(&print);
        const QList<TOptionIconButton *> ends = bar.findChildren<TOptionIconButton *>(); // opens, closes
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy shown(&bar, SIGNAL(fullyShown(bool)));
        QSignalSpy leaf(&bar, SIGNAL(leafSelected()));
        ends[0]->setFocus();
        QVERIFY(!bar.getFullyShown() && !buttons[0]->isVisible() && bar.getCanMinimize());
        QTest::mouseClick(ends[0], Qt::LeftButton);
        QVERIFY(bar.getFullyShown() && buttons[0]->isVisible() && !ends[0]->isVisible() && ends[1]->hasFocus());
        for (QAbstractButton *b : buttons)
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(leaf.count(), 3);
        inner->setMinimized(); // a bar that cannot be minimised stays fully shown
        QVERIFY(inner->getFullyShown() && !inner->getCanMinimize());
        QTest::mouseClick(ends[1], Qt::LeftButton);
        bar.setMinimized();
        QVERIFY(!bar.getFullyShown() && !buttons[0]->isVisible() && ends[0]->hasFocus());
        // Hidden and shown again, a minimised bar still shows only its tools button.
        bar.hide();
        bar.show();
        QCOMPARE(QList<QVariantList>(shown), (QList<QVariantList> { { true }, { false }, { false }, { false } }));
    }
    // A missing image shows as the 32-pixel placeholder; the button keeps the touch height and logs its clicks.
    void iconButtonShorterImage()
    {
        QCOMPARE(TIconWidget("kvgui_absent", nullptr).maximumSize(), QSize(32, 32));
        TIconButton button("Keys", "kvgui_absent", nullptr);
        QVERIFY(button.minimumSize() == QSize(58, 58) && button.maximumHeight() == 58);
        QCOMPARE(button.focusPolicy(), Qt::NoFocus); // a touch target only: Tab and the arrows pass it by
        QTest::ignoreMessage(QtDebugMsg,
            R"(void TIconButton::debugTIconButtonClicked() : TIconButton with text= "Keys" , and iconName= "kvgui_absent"  was clicked.)");
        button.click(); // logged, and a missing message fails the test
    }
};

QTEST_MAIN(TestOption)
#include "tst_option.moc"
