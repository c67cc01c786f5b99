// tst_resources.cpp
//
// The built resource tree (res/ in the working directory, the build tree) against the sources:
// every image name that the code can ask for is painted for both modes in every form, and the
// style sheets parse and name existing images.
#include "style_test_support.h"

#include <QImage>
#include <QLabel>
#include <QtTest>

namespace {

const QStringList Modes = { "day", "night" };

const QStringList SourceDirs = { KV_TEST_SOURCE_DIR "/gui", KV_TEST_SOURCE_DIR "/app", KV_TEST_SOURCE_DIR "/devif" };

// What controls append to a name: the states, each also after the flash overlay.
const QStringList Forms = { "", "_normal", "_pressed", "_checked", "_pressed_checked", "_disabled", "_over", "_over_normal",
    "_over_pressed", "_over_checked", "_over_pressed_checked", "_over_disabled" };

// Literals that are completed with a number at run time, and the numbers in use.
const QMap<QString, QList<int>> NumberedPrefixes = { { "kvgui_key", { 58, 87, 117, 147, 294 } } };

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll()) : QString();
}

// The base names of the images that the "kvgui_..." literals in the sources stand for; a literal
// may already carry the overlay or a state.
QStringList imageNames(const QStringList &dirs)
{
    static const QRegularExpression literal("\"(kvgui_[A-Za-z0-9_]+?)(_over)?(_normal|_pressed|_checked|_pressed_checked|_disabled)?\"");
    QStringList names;
    for (const QString &dir : dirs) {
        QDirIterator it(dir, { "*.cpp", "*.h" }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            for (auto matches = literal.globalMatch(readText(it.next())); matches.hasNext();) {
                const QString name = matches.next().captured(1);
                for (int number : NumberedPrefixes.value(name))
                    names.append(name + QString::number(number));
                if (!NumberedPrefixes.contains(name) && name != "kvgui_stylesheet")
                    names.append(name);
            }
        }
    }
    names.removeDuplicates();
    names.sort();
    return names;
}

QStringList missingForms(const QString &mode, const QString &name)
{
    QStringList missing;
    for (const QString &form : Forms) {
        if (QImage("res/" + mode + "/" + name + form + ".png").isNull())
            missing.append(name + form);
    }
    return missing;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void checkerReportsWhatIsMissing();
    void imagesOfSourceNames_data();
    void imagesOfSourceNames();
    void styleSheets_data();
    void styleSheets();
};

void TestResources::checkerReportsWhatIsMissing()
{
    // An empty result would mean the scan missed the sources and every image check below passed.
    QVERIFY2(!imageNames(SourceDirs).isEmpty(), KV_TEST_SOURCE_DIR);

    QTemporaryDir sources;
    QVERIFY(QDir(sources.path()).mkpath("gui/deeper"));
    QFile file(sources.path() + "/gui/deeper/kvgui_sample.cpp");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("auto a = getPixmap(\"kvgui_never_painted\", true);\n"
               "auto b = QString(\"kvgui_key\") + QString::number(width);\n"
               "auto c = \"kvgui_stylesheet\"; auto d = \"kvgui_key58_checked\"; auto e = \"kvgui_tools_over\";\n"
               "auto f = \"other_name\";\n");
    file.close();

    QCOMPARE(imageNames({ sources.path() + "/gui" }),
        QStringList(
            { "kvgui_key117", "kvgui_key147", "kvgui_key294", "kvgui_key58", "kvgui_key87", "kvgui_never_painted", "kvgui_tools" }));
    QCOMPARE(missingForms("day", "kvgui_never_painted").size(), 12);
    QVERIFY(missingForms("day", "kvgui_key58").isEmpty());
}

void TestResources::imagesOfSourceNames_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("name");

    const QStringList names = imageNames(SourceDirs);
    for (const QString &mode : Modes) {
        for (const QString &name : names)
            QTest::newRow(qPrintable(mode + ": " + name)) << mode << name;
        // Shown for every image that is missing; not necessarily named in the code.
        QTest::newRow(qPrintable(mode + ": placeholder")) << mode << QStringLiteral("kvgui_no_image");
    }
}

void TestResources::imagesOfSourceNames()
{
    QFETCH(QString, mode);
    QFETCH(QString, name);
    const QStringList missing = missingForms(mode, name);
    QVERIFY2(missing.isEmpty(), qPrintable("missing or unreadable: " + missing.join(", ")));
}

void TestResources::styleSheets_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<bool>("parses");

    for (const QString &mode : Modes)
        QTest::newRow(qPrintable(mode)) << mode << readText("res/" + mode + "/kvgui_stylesheet.css") << true;
    QTest::newRow("a broken sheet is noticed") << "day" << QString("QLabel { color: red; ") << false;
}

void TestResources::styleSheets()
{
    QFETCH(QString, mode);
    QFETCH(QString, sheet);
    QFETCH(bool, parses);
    QVERIFY(!sheet.isEmpty());

    WarningCapture warnings;
    QLabel label("label");
    label.setStyleSheet(sheet);
    label.ensurePolished();
    QCOMPARE(warnings.count("Could not parse") == 0, parses);

    // Resolved against the working directory, like every resource of the programs.
    static const QRegularExpression url("url\\(\\s*\"?([^\")\\s]+)\"?\\s*\\)");
    for (auto matches = url.globalMatch(sheet); matches.hasNext();) {
        const QString image = matches.next().captured(1);
        QVERIFY2(image.startsWith("res/" + mode + "/") && !QImage(image).isNull(), qPrintable(image + ": not an image of this mode"));
    }
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
