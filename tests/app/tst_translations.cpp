// tst_translations.cpp: the operator's language. walk() builds the application as main() does,
// in the language of the process locale (CTest runs it under the pseudo locale, Russian and
// English), visits every window an operator can reach and checks each visible text: that it fits
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

template<typename T> T *shown(QWidget *in)
{
    for (T *w : in->findChildren<T *>()) {
        if (w->isVisible())
            return w;
    }
    return nullptr;
}

void settle(MainWindow &window)
{
    QTRY_VERIFY_WITH_TIMEOUT(!window.isAnimating(), 5000);
    QTest::qWait(400);
}

void tap(QWidget *w)
{
    QVERIFY(w);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
}

TOptionButton *button(QWidget *in, const QString &text)
{
    for (TOptionButton *b : in->findChildren<TOptionButton *>()) {
        if (b->isVisible() && b->text() == text)
            return b;
    }
    return nullptr;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void walk();
    void badTranslation_data();
    void badTranslation();

private:
    void check(QWidget *window, const QStringList &openedBy);

    enum
    {
        English,
        Russian,
        Pseudo
    } language
        = English;
    QHash<QString, QSet<QString>> contextsOf; // pseudo text: the contexts translating a source into it
    QStringList problems;
};

// Every visible text under window. Width: labels against their contents rectangle (the style
// sheet's border and padding are its margins) less margin(), word-wrapped when the label wraps;
// option buttons against the room beside their icon and arrow, on one line when they elide; check
// boxes against the style's caption rectangle; keys against their label area. Each with the
// control's own font, mnemonic '&' not counted. TElideLabel elides by design. Key labels of one
// character are characters, the same in every language.
void TestTranslations::check(QWidget *window, const QStringList &openedBy)
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
            problems << QString("%1 needs %2 x %3 pixels, has %4 x %5")
                            .arg(what)
                            .arg(need.width())
                            .arg(need.height())
                            .arg(room.width())
                            .arg(room.height());

        if (language == Russian) {
            static const QRegularExpression latin("[A-Za-z]+");
            static const QStringList names = { "KESTRA", "UTC", "ALT", "SHIFT" };
            for (auto it = latin.globalMatch(text); it.hasNext();) {
                const QString word = it.next().captured();
                if (!names.contains(word))
                    problems << QString("%1: English \"%2\"").arg(what, word);
            }
        } else if (language == Pseudo) {
            // The classes that show the text: the control, its windows, and who opened the window.
            QSet<QString> shownBy(openedBy.begin(), openedBy.end());
            for (QObject *o = w; o; o = o->parent()) {
                for (const QMetaObject *m = o->metaObject(); m; m = m->superClass())
                    shownBy.insert(m->className());
            }
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

void TestTranslations::walk()
{
    const QByteArray locale = qgetenv("LANG");
    language = locale.startsWith("qps") ? Pseudo : locale.startsWith("ru") ? Russian : English;
    QCOMPARE(QFileInfo(loaded).fileName(), QString(language == Pseudo ? "kestra_qps.qm" : language == Russian ? "kestra_ru.qm" : ""));
    if (language == Pseudo) {
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
        QVERIFY(contextsOf.size() > 50);
    }
    const QString tool = qEnvironmentVariable("KV_BUILD_DIR") + "/tools/settings/provision-settings";
    QCOMPARE(QProcess::execute(tool, { "--appdata", "/appdata", "--force", "--is-primary", "1" }), 0);

    MainWindow window(nullptr);
    window.setVisible(true);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    settle(window);
    check(&window, { "MainScreen" });
    const QList<TOptionButton *> menu = window.findChild<MainScreen *>()->findChildren<TOptionButton *>();
    QCOMPARE(menu.size(), 3);

    tap(menu[0]);
    settle(window);
    auto *selection = shown<SelectSystemCfgWindow>(&window);
    QVERIFY(selection);
    check(selection->parentWidget(), {});

    tap(selection->getDuplicatedLed()->getLedButton());
    settle(window);
    auto *request = shown<TPasswordReqWindow>(&window);
    auto *keyboard = shown<TTouchKeyboard>(&window);
    QVERIFY(request && keyboard);
    QWidget *requestView = keyboard->parentWidget();
    check(requestView, {});
    tap(keyboard->getSymbolsKey());
    check(requestView, {});
    keyboard->setKeyboardCharacterSet(KEYBOARD_CHARACTER_SET_INM_C_7BIT_CYRILLIC);
    check(requestView, {});

    request->getPasswordField()->setText("739");
    tap(button(request, TAbstractCfgWindow::tr("&OK")));
    settle(window);
    auto *warning = shown<TMessageWindow>(&window);
    QVERIFY(warning);
    check(warning->parentWidget(), { "TPasswordReqWindow" });
    tap(button(warning, TMessageWindow::tr("&OK")));
    settle(window);
    request->getPasswordField()->setText("7391");
    tap(button(request, TAbstractCfgWindow::tr("&OK")));
    settle(window);
    tap(button(selection, SelectSystemCfgWindow::tr("&Store")));
    settle(window);
    auto *question = shown<TMessageWindow>(&window);
    QVERIFY(question);
    check(question->parentWidget(), { "SelectSystemCfgWindow" });
    tap(button(question, TMessageWindow::tr("&No")));
    tap(button(selection, TAbstractCfgWindow::tr("&Cancel")));
    settle(window);

    for (int type = TMessageWindow::Info; type <= TMessageWindow::NewDistressMessage; ++type) {
        TMessageWindow::message(TMessageWindow::MessageType(type), TLineEdit::tr("Illegal input character"),
            TLineEdit::tr("Cyrillic characters not allowed. Switch between cyrillic and latin keyboard with ALT+SHIFT, or disable "
                          "cyrillic in System Settings."),
            QDateTime(), menu[1], nullptr, nullptr);
        settle(window);
        auto *message = shown<TMessageWindow>(&window);
        QVERIFY(message);
        check(message->parentWidget(), { "TLineEdit" });
        message->close();
        settle(window);
    }
    if (!problems.isEmpty())
        QFAIL(qPrintable("\n" + problems.join('\n')));
}

void TestTranslations::badTranslation_data()
{
    QTest::addColumn<QString>("source"); // of the file given as kestra_ru.qm; empty: the build's own
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("log");

    const QString ts = "<TS version=\"2.1\" language=\"ru_RU\"><context><name>MainScreen</name>"
                       "<message><source>CONFIGURATION</source><translation>КОНФИГУРАЦИЯ</translation></message>"
                       "<message><source>%1 of %2</source><translation>%1 из</translation></message></context></TS>";
    QTest::newRow("sound file loads") << ""
                                      << "ru-RU"
                                      << "КОНФИГУРАЦИЯ"
                                      << "kestra_ru.qm\" loaded";
    QTest::newRow("placeholder lost") << ts << "ru-RU"
                                      << "CONFIGURATION"
                                      << "lacks a placeholder";
    QTest::newRow("file cut short") << "truncate"
                                    << "ru"
                                    << "CONFIGURATION"
                                    << "not used";
    QTest::newRow("not a translation") << "garbage"
                                       << "ru"
                                       << "CONFIGURATION"
                                       << "not a translation";
    QTest::newRow("locale without translation") << ""
                                                << "de-DE"
                                                << "CONFIGURATION"
                                                << "none for";
}

void TestTranslations::badTranslation()
{
    QFETCH(QString, source);
    QFETCH(QString, language);
    QFETCH(QString, configuration);
    QFETCH(QString, log);
    QVERIFY(loaded.isEmpty());

    QTemporaryDir dir;
    const QString built = QDir::currentPath() + "/res/translations/kestra_ru.qm", qm = dir.path() + "/kestra_ru.qm";
    QFile file(source.startsWith('<') ? dir.path() + "/bad.ts" : qm);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (source == "truncate") {
        QFile original(built);
        QVERIFY(original.open(QIODevice::ReadOnly));
        file.write(original.readAll().left(int(original.size() * 2 / 3)));
    } else {
        file.write(source == "garbage" ? QByteArray(400, 'x') : source.toUtf8());
    }
    file.close();
    if (source.startsWith('<'))
        QCOMPARE(QProcess::execute(KV_LRELEASE, { "-silent", file.fileName(), "-qm", qm }), 0);

    logged.clear();
    const QtMessageHandler routed = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) { logged << m; });
    const QString path = installTranslations(source.isEmpty() ? QFileInfo(built).path() : dir.path(), { language });
    qInstallMessageHandler(routed);
    QCOMPARE(logged.size(), 1);
    QVERIFY2(logged[0].contains(log), qPrintable(logged[0]));
    QCOMPARE(MainScreen::tr("CONFIGURATION"), configuration);
    for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

int main(int argc, char **argv)
{
    GuiApp::createInstance(argc, argv);
    loaded = installTranslations();
    QApplication::setStyle(new TStyle);
    TestTranslations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
