// tst_select_system_cfg_window.cpp: the GMDSS system selection, its password request and its
// question over real settings files in the sandbox's /appdata, driven by touches on the windows'
// own buttons.
#include "../devif/devif_test_support.h"
#include "gui_app.h"
#include "gui_test_support.h"
#include "kvgui_led_box.h"
#include "kvgui_line_edit.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"
#include "kvgui_password_req_window.h"
#include "kvgui_style.h"
#include "select_system_cfg_window.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

class TestSelectSystemCfgWindow : public GuiFixture
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        LogCatcher::install();
        QVERIFY(provision("/appdata", { "--is-primary", "1" }));
        // The default connection: the settings file as another process of the unit sees it.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
        db.setDatabaseName("/appdata/system_cfg.db");
        QVERIFY(db.open());
        QApplication::setStyle(new TStyle);
    }
    void operatorFlow_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("actions"); // "X twice": a second touch before the first one's window is open
        QTest::addColumn<int>("storedAfter");
        QTest::addColumn<QString>("shownAfter");
        const auto row = [](const char *name, int stored, const QString &actions, int storedAfter, const QString &shownAfter) {
            QTest::newRow(name) << stored << actions << storedAfter << shownAfter;
        };

        // A refused password warns and leaves the request open, its field emptied and focused for the next
        // try. The operator's whole paths (Store, Escape, Cancel, the question) are tst_operator_paths'.
        // Typed past the field's 100 characters, the last one is lost: rubbing out the extra leaves 739.
        row("at most 100 characters are typed", 1, "duplicated, type 7391" + QString(97, 'x') + QString(97, '\b'), 1,
            "duplicated TPasswordReqWindow TMessageWindow");
        // Only the exact text opens: not trimmed, not read as a number.
        row("a trailing space is refused, the field emptied", 1, "duplicated, type 7391 , ok, type 7391", 1, "duplicated");
        row("a leading zero is refused", 1, "duplicated, type 07391", 1, "duplicated TPasswordReqWindow TMessageWindow");
        row("changing back after the password is no change", 1, "duplicated, type 7391, primary, store", 1, "");
        row("after a cancelled request a tap asks again", 1, "duplicated, cancel password, duplicated", 1, "duplicated TPasswordReqWindow");
        row("after the password further taps ask nothing", 1, "duplicated, type 7391, primary, duplicated", 1, "duplicated");
        row("Return asks as Store does", 1, "duplicated, type 7391, return, yes", 0, "");
        row("a double touch on an LED asks once", 1, "duplicated twice", 1, "duplicated TPasswordReqWindow");
        row("a double touch on Store asks once", 1, "duplicated, type 7391, store twice", 1, "duplicated TMessageWindow");
        row("a double touch on Yes stores once", 1, "duplicated, type 7391, store, yes twice", 0, "");
    }
    void operatorFlow()
    {
        QFETCH(int, stored);
        QFETCH(QString, actions);
        QFETCH(int, storedAfter);
        QFETCH(QString, shownAfter);

        QVERIFY(QSqlQuery().exec(QString("UPDATE systemCfg SET isPrimary=%1").arg(stored)));
        LogCatcher::clear();
        window = new SelectSystemCfgWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->showWindow(mainWindow->getWindowView());
        // The stored role is loaded before the window shows.
        QCOMPARE(shown(), QString(stored ? "primary" : "duplicated"));
        mainWindow->forceInstantAnimationCompletion();

        for (QString action : actions.split(", ")) {
            const bool twice = action.endsWith(" twice");
            action.remove(" twice");
            if (action == "return") {
                QTest::keyClick(window, Qt::Key_Return);
            } else {
                QWidget *w = target(action);
                QVERIFY2(w, qPrintable("nothing to touch for " + action));
                QTest::mouseClick(w, Qt::LeftButton);
                if (twice)
                    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
            }
            mainWindow->forceInstantAnimationCompletion();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }

        QSqlQuery query("SELECT isPrimary FROM systemCfg");
        QCOMPARE(query.next() ? query.value(0).toInt() : -1, storedAfter);
        QCOMPARE(LogCatcher::matching(QRegularExpression("About to run query=.*UPDATE")).size(), storedAfter == stored ? 0 : 1);
        QCOMPARE(shown(), shownAfter);
    }

private:
    // The widget one operator action touches, after typing what it types; null when it is not on the screen.
    QWidget *target(const QString &action) const
    {
        auto *view = qobject_cast<TSubWindowView *>(mainWindow->getTopView());
        auto *request = qobject_cast<TPasswordReqWindow *>(view ? view->getWindow() : nullptr);
        if (action == "primary" || action == "duplicated")
            return (action == "primary" ? window->getPrimaryLed() : window->getDuplicatedLed())->getLedButton();
        if (action == "store")
            return window->getOkButton();
        if (action.startsWith("type ") && request && QApplication::focusWidget() == request->getPasswordField()) {
            QTest::keyClicks(request->getPasswordField(), action.mid(5));
            return request->getOkButton();
        }
        if (action == "cancel password" && request)
            return request->getCancelButton();
        if (auto *question = qobject_cast<TMessageWindow *>(view ? view->getWindow() : nullptr))
            for (TOptionButton *button : question->findChildren<TOptionButton *>())
                if (button->text() == (action == "yes" ? "&Yes" : action == "ok" ? "&OK" : "&No"))
                    return button;
        return nullptr;
    }

    // The open sub-windows, bottom first: the selection by its lit LED, the others by their class.
    QString shown() const
    {
        QStringList list;
        for (TSubWindowView *view : mainWindow->getSubWindows())
            if (TAbstractSubWindow *w = view->getWindow(); w && !w->isClosing())
                list << (w != window ? w->metaObject()->className() : window->getPrimaryLed()->isChecked() ? "primary" : "duplicated");
        return list.join(' ');
    }

    QPointer<SelectSystemCfgWindow> window;
};

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    TestSelectSystemCfgWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_select_system_cfg_window.moc"
