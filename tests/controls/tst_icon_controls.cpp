// tst_icon_controls.cpp
#include "kv_log_capture.h"
#include "kvgui_icon_button.h"
#include "kvgui_icon_widget.h"
#include "kvgui_stylesheet.h"

#include <QSignalSpy>
#include <QTimeLine>
#include <QtTest>

class TestIconControls : public QObject
{
    Q_OBJECT
private slots:
    void iconButtonSize_data();
    void iconButtonSize();
    void fadeHideOnHiddenButtonDoesNothing();
    void fadeHideHidesTheButton();
    void fadeShowReversesAFadeOut();
    void clickIsTraced();
    void iconWidgetIsAsLargeAsItsImage_data();
    void iconWidgetIsAsLargeAsItsImage();
};

void TestIconControls::iconButtonSize_data()
{
    QTest::addColumn<QString>("iconName");

    QTest::newRow("small image is raised to 58 by 58") << "kvgui_option_ok";
    QTest::newRow("wide key image keeps its width") << "kvgui_key294";
}

void TestIconControls::iconButtonSize()
{
    QFETCH(QString, iconName);

    const QSize image = TStyleSheet::styleSheetHandler.getPixmap(iconName, TStyleSheet::Normal, true).size();
    QVERIFY(!image.isEmpty());
    TIconButton button(QStringLiteral("Key"), iconName, nullptr);
    QCOMPARE(button.minimumSize(), image.expandedTo(QSize(58, 58)));
    QCOMPARE(button.maximumHeight(), image.height());
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);
}

void TestIconControls::fadeHideOnHiddenButtonDoesNothing()
{
    QWidget parent;
    auto *button = new TIconButton(QStringLiteral("Key"), QStringLiteral("kvgui_keyboard"), &parent);
    parent.show();
    button->hide();
    button->fadeHide();
    QVERIFY(!button->findChild<QTimeLine *>());
    QVERIFY(button->isHidden());
}

void TestIconControls::fadeHideHidesTheButton()
{
    QWidget parent;
    auto *button = new TIconButton(QStringLiteral("Key"), QStringLiteral("kvgui_keyboard"), &parent);
    parent.show();
    button->fadeHide();
    QVERIFY(button->isVisible());
    QTRY_VERIFY(button->isHidden());
    // A hidden button is ready to show fully again.
    QCOMPARE(button->getFadeOpacity(), 1.0);
}

void TestIconControls::fadeShowReversesAFadeOut()
{
    QWidget parent;
    auto *button = new TIconButton(QStringLiteral("Key"), QStringLiteral("kvgui_keyboard"), &parent);
    parent.show();
    button->fadeHide();
    auto *timeLine = button->findChild<QTimeLine *>();
    QVERIFY(timeLine);
    QTRY_VERIFY(button->getFadeOpacity() < 0.9);
    button->fadeShow();
    QCOMPARE(timeLine->direction(), QTimeLine::Forward);
    QTRY_COMPARE(timeLine->state(), QTimeLine::NotRunning);
    QVERIFY(button->isVisible());
    QVERIFY(button->getFadeOpacity() > 0.99);
}

void TestIconControls::clickIsTraced()
{
    TLogCapture log;
    TIconButton button(QStringLiteral("Hide"), QStringLiteral("kvgui_keyboard"), nullptr);
    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(TLogCapture::contains(QStringLiteral(
        "void TIconButton::debugTIconButtonClicked() : TIconButton with text= \"Hide\" , and iconName= \"kvgui_keyboard\"  was clicked.")));
}

void TestIconControls::iconWidgetIsAsLargeAsItsImage_data()
{
    QTest::addColumn<QString>("iconName");

    QTest::newRow("message icon") << "kvgui_message_warning";
    QTest::newRow("menu arrow") << "kvgui_option_menu_arrow_up";
}

void TestIconControls::iconWidgetIsAsLargeAsItsImage()
{
    QFETCH(QString, iconName);

    const QSize image = TStyleSheet::styleSheetHandler.getPixmap(iconName, true).size();
    QVERIFY(!image.isEmpty());
    TIconWidget widget(QStringLiteral("kvgui_key294"), nullptr);
    widget.setIconName(iconName);
    QCOMPARE(widget.minimumSize(), image);
    QCOMPARE(widget.maximumSize(), image);
    QCOMPARE(widget.getAlignment(), Qt::Alignment(Qt::AlignCenter));
}

QTEST_MAIN(TestIconControls)
#include "tst_icon_controls.moc"
