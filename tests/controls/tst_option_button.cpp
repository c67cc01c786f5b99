// tst_option_button.cpp
#include "kv_log_capture.h"
#include "kvgui_option.h"
#include "kvgui_option_button.h"
#include "kvgui_option_icon_button.h"

#include <QKeyEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

// Records the keys that reach it, i.e. the keys its child buttons passed on.
class TKeyRecorder : public QWidget
{
public:
    QList<int> pressed;

protected:
    void keyPressEvent(QKeyEvent *event) override { pressed.append(event->key()); }
};

class TestOptionButton : public QObject
{
    Q_OBJECT
private slots:
    void keyRules_data();
    void keyRules();
    void iconButtonIgnoresArrows_data();
    void iconButtonIgnoresArrows();
    void keypadActivationIsRemembered();
    void leafClickSelectsThenReportsLeaf();
    void menuClickLeavesButtonUnchecked();
    void disabledOptionDisablesButton();
    void destroyedOptionLeavesInertButton();
    void subOptionAppendedLaterNeedsUpdate();
    void rebindingDropsOldOption();
    void defaultMarkSetsObjectName();
    void geometry_data();
    void geometry();
    void menuShownButton_data();
    void menuShownButton();
    void menuShownButtonNeedsVisibleButton();
};

void TestOptionButton::keyRules_data()
{
    QTest::addColumn<bool>("menu");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("activates");
    QTest::addColumn<bool>("passedOn");

    const int up = TAbstractMenuShower::DropUp;
    const int right = TAbstractMenuShower::ToTheRight;
    QTest::newRow("leaf: Return activates") << false << up << int(Qt::Key_Return) << true << false;
    QTest::newRow("leaf: Space activates") << false << up << int(Qt::Key_Space) << true << false;
    QTest::newRow("leaf: Up is passed on for focus moves") << false << up << int(Qt::Key_Up) << false << true;
    QTest::newRow("leaf: Down is passed on for focus moves") << false << up << int(Qt::Key_Down) << false << true;
    QTest::newRow("drop-up menu: Up activates") << true << up << int(Qt::Key_Up) << true << false;
    QTest::newRow("drop-up menu: Space activates") << true << up << int(Qt::Key_Space) << true << false;
    QTest::newRow("drop-up menu: Menu activates") << true << up << int(Qt::Key_Menu) << true << false;
    QTest::newRow("drop-up menu: Return activates") << true << up << int(Qt::Key_Return) << true << false;
    QTest::newRow("drop-up menu: Down is passed on") << true << up << int(Qt::Key_Down) << false << true;
    QTest::newRow("drop-up menu: Left is passed on") << true << up << int(Qt::Key_Left) << false << true;
    QTest::newRow("drop-up menu: Right is passed on") << true << up << int(Qt::Key_Right) << false << true;
    QTest::newRow("right menu: Right activates") << true << right << int(Qt::Key_Right) << true << false;
    QTest::newRow("right menu: Up is passed on") << true << right << int(Qt::Key_Up) << false << true;
    QTest::newRow("drop-down menu: Down activates") << true << int(TAbstractMenuShower::DropDown) << int(Qt::Key_Down) << true << false;
    QTest::newRow("left menu: Left activates") << true << int(TAbstractMenuShower::ToTheLeft) << int(Qt::Key_Left) << true << false;
}

void TestOptionButton::keyRules()
{
    QFETCH(bool, menu);
    QFETCH(int, direction);
    QFETCH(int, key);
    QFETCH(bool, activates);
    QFETCH(bool, passedOn);

    TKeyRecorder parent;
    TOption option(QStringLiteral("&Mode"), nullptr);
    TOption child(QStringLiteral("Day"), nullptr);
    if (menu)
        option.appendSubOption(&child);
    TOptionButton button(&option, &parent);
    button.setMenuDirection(TAbstractMenuShower::MenuDirections(direction));
    QSignalSpy clicked(&button, SIGNAL(clicked()));
    QSignalSpy selected(&option, SIGNAL(selected(QWidget *)));

    QTest::keyClick(&button, Qt::Key(key));
    QCOMPARE(clicked.count(), activates ? 1 : 0);
    QCOMPARE(selected.count(), activates ? 1 : 0);
    QCOMPARE(parent.pressed.contains(key), passedOn);
    // A menu button never stays checked: the open menu carries that look.
    QVERIFY(!button.isChecked());
}

void TestOptionButton::iconButtonIgnoresArrows_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("activates");

    QTest::newRow("Up towards the menu does not activate an icon button") << int(Qt::Key_Up) << false;
    QTest::newRow("Down does not activate an icon button") << int(Qt::Key_Down) << false;
    QTest::newRow("Space still activates an icon button") << int(Qt::Key_Space) << true;
}

void TestOptionButton::iconButtonIgnoresArrows()
{
    QFETCH(int, key);
    QFETCH(bool, activates);

    TKeyRecorder parent;
    TOption option(QStringLiteral("Tools"), QStringLiteral("kvgui_tools"), nullptr);
    TOption child(QStringLiteral("Item"), nullptr);
    option.appendSubOption(&child);
    TOptionIconButton button(&option, &parent);
    button.setMenuDirection(TAbstractMenuShower::DropUp);
    QSignalSpy clicked(&button, SIGNAL(clicked()));

    QTest::keyClick(&button, Qt::Key(key));
    QCOMPARE(clicked.count(), activates ? 1 : 0);
    QCOMPARE(parent.pressed.contains(key), !activates);
}

void TestOptionButton::keypadActivationIsRemembered()
{
    TOption option(QStringLiteral("Menu"), nullptr);
    TOption child(QStringLiteral("Item"), nullptr);
    option.appendSubOption(&child);
    TOptionButton button(&option, nullptr);
    QVERIFY(!button.isKeyActivated());

    QTest::keyClick(&button, Qt::Key_Space);
    QVERIFY(button.isKeyActivated());

    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&button, &focusOut);
    QVERIFY(!button.isKeyActivated());

    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(!button.isKeyActivated());
}

void TestOptionButton::leafClickSelectsThenReportsLeaf()
{
    TLogCapture log;
    TLogCapture::lines().clear();
    TOption option(5, QStringLiteral("&Store"), nullptr);
    TOptionButton button(&option, nullptr);
    QList<QString> order;
    connect(&option, QOverload<QWidget *>::of(&TOption::selected), this, [&order] { order << QStringLiteral("selected"); });
    QObject::connect(&option, QOverload<int>::of(&TOption::leafSelected), [&order](int id) { order << QStringLiteral("leaf %1").arg(id); });
    QSignalSpy buttonLeaf(&button, SIGNAL(leafSelected()));
    QSignalSpy selectedFrom(&option, SIGNAL(selected(QWidget *)));

    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(order, (QList<QString> { QStringLiteral("selected"), QStringLiteral("leaf 5") }));
    QCOMPARE(selectedFrom.first().first().value<QWidget *>(), &button);
    QCOMPARE(buttonLeaf.count(), 1);
    QVERIFY(TLogCapture::contains(
        QStringLiteral("void TOptionButton::clickHandler() : Button with buttonText= \"&Store\"  was clicked! this=")));
}

void TestOptionButton::menuClickLeavesButtonUnchecked()
{
    TOption option(QStringLiteral("Menu"), nullptr);
    TOption child(QStringLiteral("Item"), nullptr);
    option.appendSubOption(&child);
    TOptionButton button(&option, nullptr);
    QVERIFY(button.isCheckable());
    QSignalSpy leaf(&option, SIGNAL(leafSelected(int)));

    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(!button.isChecked());
    QCOMPARE(leaf.count(), 0);
}

void TestOptionButton::disabledOptionDisablesButton()
{
    TOption option(QStringLiteral("Store"), nullptr);
    TOptionButton first(&option, nullptr);
    TOptionButton second(&option, nullptr);
    QSignalSpy selected(&option, SIGNAL(selected(QWidget *)));

    option.setEnabled(false);
    QVERIFY(!first.isEnabled());
    QVERIFY(!second.isEnabled());
    first.resize(120, 58);
    QTest::mouseClick(&first, Qt::LeftButton);
    QCOMPARE(selected.count(), 0);

    option.setEnabled(true);
    QVERIFY(first.isEnabled());
}

void TestOptionButton::destroyedOptionLeavesInertButton()
{
    auto *option = new TOption(QStringLiteral("Store"), nullptr);
    TOption child(QStringLiteral("Item"), nullptr);
    option->appendSubOption(&child);
    TOptionButton button(option, nullptr);
    delete option;

    QVERIFY(!button.getOption());
    QVERIFY(button.text().isEmpty());
    QVERIFY(!button.isCheckable());
    QSignalSpy leaf(&button, SIGNAL(leafSelected()));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(leaf.count(), 0);
}

void TestOptionButton::subOptionAppendedLaterNeedsUpdate()
{
    TOption option(QStringLiteral("Menu"), nullptr);
    TOption child(QStringLiteral("Item"), nullptr);
    TOptionButton button(&option, nullptr);
    option.appendSubOption(&child);
    QVERIFY(!button.isCheckable());
    emit option.updated();
    QVERIFY(button.isCheckable());
}

void TestOptionButton::rebindingDropsOldOption()
{
    TOption first(QStringLiteral("First"), nullptr);
    TOption second(QStringLiteral("Second"), nullptr);
    TOptionButton button(&first, nullptr);
    button.setOption(&second);
    QSignalSpy firstSelected(&first, SIGNAL(selected(QWidget *)));
    QSignalSpy secondSelected(&second, SIGNAL(selected(QWidget *)));

    first.setText(QStringLiteral("Changed"));
    QCOMPARE(button.text(), QStringLiteral("Second"));
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(firstSelected.count(), 0);
    QCOMPARE(secondSelected.count(), 1);

    button.setOption(nullptr);
    QVERIFY(button.text().isEmpty());
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(secondSelected.count(), 1);
}

void TestOptionButton::defaultMarkSetsObjectName()
{
    TOption option(QStringLiteral("OK"), nullptr);
    TOptionButton button(&option, nullptr);
    button.setDefaultOptionButton(true);
    QCOMPARE(button.objectName(), QStringLiteral("defaultOptionButton"));
    button.setDefaultOptionButton(false);
    QVERIFY(button.objectName().isEmpty());
}

void TestOptionButton::geometry_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("verticalPolicy");
    QTest::addColumn<int>("horizontalAlignment");

    QTest::newRow("standard button centres its text")
        << int(TOptionButton::StandardButton) << int(QSizePolicy::Fixed) << int(Qt::AlignHCenter);
    QTest::newRow("menu entry is left aligned and fixed high")
        << int(TOptionButton::MenuEntryButton) << int(QSizePolicy::Fixed) << int(Qt::AlignLeft);
    QTest::newRow("left aligned button is laid out like a menu entry")
        << int(TOptionButton::LeftAlignedButton) << int(QSizePolicy::Fixed) << int(Qt::AlignLeft);
}

void TestOptionButton::geometry()
{
    QFETCH(int, type);
    QFETCH(int, verticalPolicy);
    QFETCH(int, horizontalAlignment);

    TOption option(QStringLiteral("A very long text that needs space"), QStringLiteral("kvgui_option_ok"), nullptr);
    TOptionButton button(&option, nullptr, TOptionButton::ButtonType(type));
    QCOMPARE(button.minimumHeight(), 58);
    QCOMPARE(button.maximumHeight(), 58);
    QCOMPARE(button.minimumWidth(), 120);
    QCOMPARE(int(button.getAlignment() & Qt::AlignHorizontal_Mask), horizontalAlignment);
    if (type != TOptionButton::StandardButton)
        QCOMPARE(int(button.sizePolicy().verticalPolicy()), verticalPolicy);
    // Room for the icon, the gap and the text.
    QVERIFY(button.sizeHint().width() >= 32 + 5 + button.fontMetrics().horizontalAdvance(option.getText()));
    QCOMPARE(button.minimumSizeHint(), button.sizeHint());
}

void TestOptionButton::menuShownButton_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("objectName");

    QTest::newRow("drop up") << int(TAbstractMenuShower::DropUp) << "dropUpMenuButton";
    QTest::newRow("drop down") << int(TAbstractMenuShower::DropDown) << "dropDownMenuButton";
    QTest::newRow("to the left") << int(TAbstractMenuShower::ToTheLeft) << "toTheLeftMenuButton";
    QTest::newRow("to the right") << int(TAbstractMenuShower::ToTheRight) << "toTheRightMenuButton";
}

void TestOptionButton::menuShownButton()
{
    QFETCH(int, direction);
    QFETCH(QString, objectName);

    QWidget parent;
    TOption option(QStringLiteral("Menu"), QStringLiteral("kvgui_option_ok"), nullptr);
    TOptionButton button(&option, &parent);
    button.setElideMode(Qt::ElideMiddle);
    button.setGeometry(10, 10, 150, 58);
    parent.show();

    QScopedPointer<QWidget> shown(button.createMenuShownWidget(nullptr, TAbstractMenuShower::MenuDirections(direction)));
    QVERIFY(shown);
    auto *shownButton = qobject_cast<TOptionButton *>(shown.data());
    QVERIFY(shownButton);
    QCOMPARE(shown->objectName(), objectName);
    QCOMPARE(shown->size(), button.size());
    QVERIFY(shownButton->isChecked());
    QCOMPARE(shown->focusPolicy(), Qt::NoFocus);
    QCOMPARE(shownButton->getElideMode(), Qt::ElideMiddle);
    QCOMPARE(shownButton->getOption()->getText(), option.getText());
    QCOMPARE(shownButton->getOption()->getIconName(), option.getIconName());
    QCOMPARE(int(shownButton->getMenuDirection()), direction);
}

void TestOptionButton::menuShownButtonNeedsVisibleButton()
{
    QWidget parent;
    TOption option(QStringLiteral("Menu"), nullptr);
    TOptionButton button(&option, &parent);
    TOptionIconButton iconButton(&option, &parent);
    QVERIFY(!button.createMenuShownWidget(nullptr, TAbstractMenuShower::DropUp));
    parent.show();

    option.setEnabled(false);
    QVERIFY(!button.createMenuShownWidget(nullptr, TAbstractMenuShower::DropUp));
    // An icon button shows its menu-shown look even when disabled.
    QScopedPointer<QWidget> shown(iconButton.createMenuShownWidget(nullptr, TAbstractMenuShower::DropUp));
    QVERIFY(shown);
    QCOMPARE(shown->toolTip(), QStringLiteral("Close menu"));
}

QTEST_MAIN(TestOptionButton)
#include "tst_option_button.moc"
