// tst_translations.cpp: the operator's language. walk() builds the application as main() does,
// in the language of the process locale (CTest runs it under the pseudo locale and Russian),
// visits every window an operator can reach and checks each visible text: that it fits
// its control and, per language, that it is translated in the context of a class that shows it.
// badTranslation() feeds the loader broken files.
#include "gui_app.h"
#include "kvgui_base_key_data.h"
#include "kvgui_elide_label.h"
#include "kvgui_led_box.h"
#include "kvgui_line_edit.h"
#include "kvgui_message_window.h"
#include "kvgui_option_button.h"
#include "kvgui_password_req_window.h"
#include "kvgui_style.h"
#include "kvgui_touch_key.h"
#include "kvgui_touch_keyboard.h"
#include "main_screen.h"
#include "main_window.h"
#include "select_system_cfg_window.h"
#include "translations.h"

#include <QCheckBox>
#include <QStyleOptionButton>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

QString loaded; // the translation main() installed
QStringList logged;
QtMessageHandler toLog; // the handler before the walk's
QAtomicInt refusedInEnglish, otherSocketErrors; // counted on the transport thread

// Touches w (if any), lets every animation end, and returns the shown window of class T.
template<typename T> T *touch(QWidget *w)
{
    if (w)
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    (void)QTest::qWaitFor([] { return !TMainWindow::getInstance()->isAnimating(); }, 5000);
    QTest::qWait(400);
    for (T *shown : TMainWindow::getInstance()->findChildren<T *>())
        if (shown->isVisible())
            return shown;
    return nullptr;
}

TOptionButton *button(QWidget *in, const QString &text)
{
    for (TOptionButton *b : in->findChildren<TOptionButton *>())
        if (b->isVisible() && b->text() == text)
            return b;
    return nullptr;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void walk()
    {
        language = qgetenv("LANG").left(2);
        QCOMPARE(QFileInfo(loaded).fileName(), QString(language == "qp" ? "kestra_qps.qm" : language == "ru" ? "kestra_ru.qm" : ""));
        if (language == "qp") {
            QFile ts(qEnvironmentVariable("KV_SOURCE_DIR") + "/translations/kestra_ru.ts");
            QVERIFY(ts.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&ts);
            QString context;
            while (xml.readNextStartElement() || !xml.atEnd()) {
                if (xml.name() == QLatin1String("name"))
                    context = xml.readElementText();
                else if (xml.name() == QLatin1String("source"))
                    contextsOf[QCoreApplication::translate(context.toUtf8(), xml.readElementText().toUtf8())].insert(context);
            }
        }
        const QString tool = qEnvironmentVariable("KV_BUILD_DIR") + "/tools/settings/provision-settings";
        QCOMPARE(QProcess::execute(tool, { "--appdata", "/appdata", "--force", "--is-primary", "1" }), 0);
        toLog = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &m) {
            if (m.startsWith("Socket error"))
                (m.contains("\"Connection refused\"") ? refusedInEnglish : otherSocketErrors).ref();
            toLog(type, context, m);
        });

        MainWindow window(nullptr);
        window.setVisible(true);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        touch<QWidget>(nullptr);
        check(&window, { "MainScreen" });
        const QList<TOptionButton *> menu = window.findChild<MainScreen *>()->findChildren<TOptionButton *>();

        auto *selection = touch<SelectSystemCfgWindow>(menu[0]);
        QVERIFY(selection);
        check(selection->parentWidget(), {});
        auto *request = touch<TPasswordReqWindow>(selection->getDuplicatedLed()->getLedButton());
        auto *keyboard = touch<TTouchKeyboard>(nullptr);
        QVERIFY(request && keyboard);
        check(keyboard->parentWidget(), {});
        touch<QWidget>(keyboard->getSymbolsKey());
        check(keyboard->parentWidget(), {});
        keyboard->setKeyboardCharacterSet(KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC);
        check(keyboard->parentWidget(), {});

        request->getPasswordField()->setText("739");
        auto *warning = touch<TMessageWindow>(button(request, TAbstractCfgWindow::tr("&OK")));
        QVERIFY(warning);
        check(warning->parentWidget(), { "TPasswordReqWindow" });
        touch<QWidget>(button(warning, TMessageWindow::tr("&OK")));
        request->getPasswordField()->setText("7391");
        touch<QWidget>(button(request, TAbstractCfgWindow::tr("&OK")));
        auto *question = touch<TMessageWindow>(button(selection, SelectSystemCfgWindow::tr("&Store")));
        QVERIFY(question);
        check(question->parentWidget(), { "SelectSystemCfgWindow" });
        touch<QWidget>(button(question, TMessageWindow::tr("&No")));
        touch<QWidget>(button(selection, TAbstractCfgWindow::tr("&Cancel")));

        for (int type = TMessageWindow::Info; type <= TMessageWindow::NewDistressMessage; ++type) {
            TMessageWindow::message(TMessageWindow::MessageType(type), TLineEdit::tr("Illegal input character"),
                TLineEdit::tr("Cyrillic characters not allowed. Switch between cyrillic and latin keyboard with ALT+SHIFT, or disable "
                              "cyrillic in System Settings."),
                QDateTime(), menu[1], nullptr, nullptr);
            auto *message = touch<TMessageWindow>(nullptr);
            QVERIFY(message);
            check(message->parentWidget(), { "TLineEdit" });
            message->close();
        }
        // Without a daemon in the sandbox's network the selection's first use is refused; service
        // tools read Qt's reason in the log, in English whatever the operator's language.
        QTRY_VERIFY(refusedInEnglish.loadAcquire() > 0);
        QCOMPARE(otherSocketErrors.loadAcquire(), 0);
        if (!problems.isEmpty())
            QFAIL(qPrintable("\n" + problems.join('\n')));
    }

    void badTranslation_data()
    {
        // What is given as kestra_ru.qm (none: the build's own), the language asked for, the log line.
        QTest::addColumn<QStringList>("given");
        const QString ts = "<TS version=\"2.1\" language=\"ru_RU\"><context><name>MainScreen</name>"
                           "<message><source>CONFIGURATION</source><translation>КОНФИГУРАЦИЯ</translation></message>"
                           "<message><source>%1 of %2</source><translation>%1 из</translation></message></context></TS>";
        QTest::newRow("sound file loads") << QStringList { "", "ru-RU", "kestra_ru.qm\" loaded" };
        QTest::newRow("placeholder lost") << QStringList { ts, "ru-RU", "lacks a placeholder" };
        QTest::newRow("placeholders reordered") << QStringList { QString(ts).replace("%1 из", "%2 из %1"), "ru-RU", "loaded" };
        QTest::newRow("file cut short") << QStringList { "truncate", "ru", "not used" };
        QTest::newRow("not a translation") << QStringList { "garbage", "ru", "not a translation" };
        QTest::newRow("locale without translation") << QStringList { "", "de-DE", "none for" };
    }

    void badTranslation()
    {
        QFETCH(QStringList, given);
        const QString source = given[0];
        QVERIFY(loaded.isEmpty());
        QTemporaryDir dir;
        const QString built = QDir::currentPath() + "/res/translations/kestra_ru.qm", qm = dir.path() + "/kestra_ru.qm";
        QFile file(source.startsWith('<') ? dir.path() + "/bad.ts" : qm), original(built);
        QVERIFY(file.open(QIODevice::WriteOnly) && original.open(QIODevice::ReadOnly));
        file.write(source == "truncate" ? original.readAll().left(int(original.size() * 2 / 3))
                : source == "garbage"   ? QByteArray(400, 'x')
                                        : source.toUtf8());
        file.close();
        if (source.startsWith('<'))
            QCOMPARE(QProcess::execute(KV_LRELEASE, { "-silent", file.fileName(), "-qm", qm }), 0);

        logged.clear();
        const auto routed = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) { logged << m; });
        const QString path = installTranslations(source.isEmpty() ? QFileInfo(built).path() : dir.path(), { given[1] });
        qInstallMessageHandler(routed);
        QCOMPARE(logged.size(), 1);
        QVERIFY2(logged[0].contains(given[2]), qPrintable(logged[0]));
        QCOMPARE(MainScreen::tr("CONFIGURATION"), QString(path.isEmpty() ? "CONFIGURATION" : "КОНФИГУРАЦИЯ"));
        QCOMPARE(path.isEmpty(), !given[2].endsWith("loaded"));
        qDeleteAll(qApp->findChildren<QTranslator *>()); // each one leaves the application as it goes
    }

private:
    // Every visible text under window. Width: labels against their contents rectangle (the style
    // sheet's border and padding are its margins) less margin(), word-wrapped when the label wraps;
    // option buttons against the room beside their icon and arrow, on one line when they elide; check
    // boxes against the style's caption rectangle; keys against their label area. Each with the
    // control's own font, mnemonic '&' not counted. TElideLabel elides by design. Key labels of one
    // character are characters, the same in every language.
    void check(QWidget *window, const QStringList &openedBy)
    {
        QSet<QChar> mnemonics;
        const QList<QWidget *> widgets = window->findChildren<QWidget *>() + QList<QWidget *> { window };
        for (QWidget *w : widgets) {
            QString text;
            QRect room;
            int flags = Qt::TextShowMnemonic;
            if (auto *label = qobject_cast<QLabel *>(w)) {
                text = label->text();
                room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
                flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            } else if (auto *option = qobject_cast<TOptionButton *>(w)) {
                text = option->text();
                room = option->textArea();
                flags |= option->getElideMode() == Qt::ElideNone ? Qt::TextWordWrap : Qt::TextSingleLine;
                const int at = text.indexOf('&');
                if (at >= 0 && at + 1 < text.size() && w->isVisible()) {
                    if (mnemonics.contains(text.at(at + 1).toLower()))
                        problems << QString("mnemonic of \"%1\" used twice in one window").arg(text);
                    mnemonics.insert(text.at(at + 1).toLower());
                }
            } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
                text = box->text();
                QStyleOptionButton option;
                option.initFrom(box);
                option.text = text;
                room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            } else if (auto *key = qobject_cast<TTouchKey *>(w)) {
                text = key->getKeyData() ? key->getKeyData()->getName() : QString();
                room = key->labelArea();
                flags = Qt::AlignCenter;
                if (text.size() < 2)
                    continue;
            }
            if (!w->isVisible() || text.trimmed().isEmpty())
                continue;
            const QString what = QString("%1 \"%2\"").arg(w->metaObject()->className(), text);
            const QRect need = w->fontMetrics().boundingRect(room, flags, text);
            if (!qobject_cast<TElideLabel *>(w) && (need.width() > room.width() || need.height() > room.height()))
                problems << what + QString::asprintf(" needs %dx%d, has %dx%d", need.width(), need.height(), room.width(), room.height());

            if (language == "ru") {
                // Latin words, names excepted.
                static const QRegularExpression english("(?<![A-Za-z])(?!(?:KESTRA|UTC|ALT|SHIFT)(?![A-Za-z]))[A-Za-z]+");
                for (auto it = english.globalMatch(text); it.hasNext();)
                    problems << QString("%1: English \"%2\"").arg(what, it.next().captured());
            } else if (language == "qp") {
                // The classes that show the text: the control, its windows, and who opened the window.
                QSet<QString> shownBy(openedBy.begin(), openedBy.end());
                for (QObject *o = w; o; o = o->parent())
                    for (const QMetaObject *m = o->metaObject(); m; m = m->superClass())
                        shownBy.insert(m->className());
                QString outside;
                int depth = 0, start = 0;
                for (int i = 0; i < text.size(); ++i) {
                    if (text[i] == '[' && depth++ == 0)
                        start = i;
                    else if (text[i] == ']' && depth > 0 && --depth == 0
                        && !contextsOf.value(text.mid(start, i - start + 1)).intersects(shownBy))
                        problems << QString("%1: \"%2\" is no translation in a context of %3")
                                        .arg(what, text.mid(start, i - start + 1), QStringList(shownBy.values()).join(' '));
                    else if (depth == 0)
                        outside += text[i];
                }
                if (depth != 0 || outside.contains(QRegularExpression("[^\\W\\d_]")))
                    problems << what + ": not translated";
            }
        }
    }

    QByteArray language; // the start of LANG: en, ru, or qp for the pseudo locale
    QHash<QString, QSet<QString>> contextsOf; // pseudo text: the contexts translating a source into it
    QStringList problems;
};

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    loaded = installTranslations();
    QApplication::setStyle(new TStyle);
    TestTranslations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
