// tst_stylesheet.cpp
#include "kvgui_stylesheet.h"
#include "style_test_support.h"

#include <QImage>
#include <QtTest>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

// One colour per file, so a test can tell which file a pixmap came from.
void writeImage(const QString &path, const QColor &colour)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "PNG"));
}

} // namespace

// Every case runs in a fresh working directory of its own with a crafted res/ tree, since the
// object reads its files relative to the working directory.
class TestStyleSheet : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openFourFonts_data();
    void openFourFonts();
    void imageRequests_data();
    void imageRequests();
    void placeholderStaysCached();
    void nightModeWithoutItsStyleSheet();
    void declaredFonts_data();
    void declaredFonts();

private:
    QTemporaryDir root;
    QScopedPointer<WarningCapture> warnings;
};

void TestStyleSheet::init()
{
    const QString dir = root.path() + "/" + QTest::currentTestFunction() + "/" + QTest::currentDataTag();
    QVERIFY(QDir(dir).mkpath("res/day") && QDir(dir).mkpath("res/night") && QDir::setCurrent(dir));
    warnings.reset(new WarningCapture);
}

void TestStyleSheet::cleanup()
{
    warnings.reset();
}

void TestStyleSheet::openFourFonts_data()
{
    QTest::addColumn<QByteArray>("sheet");
    QTest::addColumn<QString>("openFour");

    QTest::newRow("every occurrence of both families gets the Open Four variant")
        << QByteArray("\"Droid Sans\" \"Droid Sans Mono\" \"Droid Sans\"")
        << QString("\"Droid Sans Open Four\" \"Droid Sans Mono Open Four\" \"Droid Sans Open Four\"");
    QTest::newRow("unquoted family is left alone") << QByteArray("font-family: Droid Sans;") << QString("font-family: Droid Sans;");
    QTest::newRow("other case is left alone") << QByteArray("\"droid sans\"") << QString("\"droid sans\"");
}

void TestStyleSheet::openFourFonts()
{
    QFETCH(QByteArray, sheet);
    QFETCH(QString, openFour);
    writeFile("res/day/kvgui_stylesheet.css", sheet);
    writeFile("res/night/kvgui_stylesheet.css", "\"Droid Sans\"");
    writeFile("res/night/extra.css", " \"Droid Sans Mono\"");
    TStyleSheet styleSheet(DayMode);
    QSignalSpy changed(&styleSheet, &TStyleSheet::styleSheetChanged);
    // Joins both forms of night; the missing day file leaves day as it was. Only changes are announced.
    styleSheet.addStyleSheetExtension("extra.css");
    QCOMPARE(styleSheet.getStyleSheet(), QString::fromUtf8(sheet));
    styleSheet.setUseOpenFour(false);
    styleSheet.setUseOpenFour(true);
    styleSheet.setUseOpenFour(true);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), openFour);
    styleSheet.setMode(NightMode);
    QCOMPARE(styleSheet.getStyleSheet(), QString("\"Droid Sans Open Four\" \"Droid Sans Mono Open Four\""));
    styleSheet.setUseOpenFour(false);
    QCOMPARE(styleSheet.getStyleSheet(), QString("\"Droid Sans\" \"Droid Sans Mono\""));
}

void TestStyleSheet::imageRequests_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("state"); // -1: the overload without state
    QTest::addColumn<QString>("warnedPath"); // how the path in the warning starts; empty: silent

    QTest::newRow("missing image warns on every request") << "kvgui_absent" << -1 << "kvgui_absent.png";
    QTest::newRow("missing state warns with its suffix") << "kvgui_absent" << int(TStyleSheet::Pressed) << "kvgui_absent_pressed.png";
    QTest::newRow("missing disabled state is silent") << "kvgui_absent" << int(TStyleSheet::Disabled) << "";
    QTest::newRow("any name ending in disabled is silent") << "kvgui_keydisabled" << -1 << "";
    QTest::newRow("Disabled in another case warns") << "kvgui_a_Disabled" << -1 << "kvgui_a_Disabled.png";
    QTest::newRow("disabled inside the name warns") << "kvgui_disabled_a" << -1 << "kvgui_disabled_a.png";
    QTest::newRow("antenna probe is silent") << "tlx_ant_singleAnt_inNone_outNone_normal" << -1 << "";
    QTest::newRow("empty name is never looked up") << "" << -1 << "";
    QTest::newRow("odd name: parent directory") << "../.." << -1 << "../...png";
    QTest::newRow("odd name: very long") << QString(5000, 'k') << -1 << QString(5000, 'k');
    QTest::newRow("odd name: unicode") << QString::fromUtf8("kvgui_\xc3\xa4\xe2\x9c\x93\xf0\x9f\x9a\xa2") << -1 << "kvgui_";
    QTest::newRow("odd name: line break") << "kvgui_a\nb" << int(TStyleSheet::Pressed) << "kvgui_a";
    QTest::newRow("odd name: percent and quote") << "kvgui_%1\"" << -1 << "kvgui_%1";
}

void TestStyleSheet::imageRequests()
{
    QFETCH(QString, name);
    QFETCH(int, state);
    QFETCH(QString, warnedPath);
    // Were the empty name looked up like any other, it would find this file.
    writeImage("res/day/.png", Qt::red);
    TStyleSheet styleSheet(DayMode);
    warnings->clear();

    for (int request = 0; request < 2; ++request)
        QVERIFY(
            (state < 0 ? styleSheet.getPixmap(name, false) : styleSheet.getPixmap(name, TStyleSheet::TPixmapState(state), false)).isNull());
    const int expected = warnedPath.isEmpty() ? 0 : 2;
    QCOMPARE(warnings->count("Missing image "), expected);
    QCOMPARE(warnings->count("\"res/day/" + warnedPath), expected);
}

void TestStyleSheet::placeholderStaysCached()
{
    writeImage("res/day/kvgui_no_image.png", Qt::green);
    TStyleSheet styleSheet(DayMode);
    warnings->clear();

    const QPixmap first = styleSheet.getPixmap("kvgui_gone", true);
    QCOMPARE(first.toImage().pixelColor(0, 0), QColor(Qt::green));
    // Even an image that appears later is not loaded: the placeholder is what the cache holds.
    writeImage("res/day/kvgui_gone.png", Qt::red);
    QCOMPARE(styleSheet.getPixmap("kvgui_gone", false).cacheKey(), first.cacheKey());
    QCOMPARE(warnings->count("Missing image "), 1);
}

void TestStyleSheet::nightModeWithoutItsStyleSheet()
{
    writeFile("res/day/kvgui_stylesheet.css", "D {}");
    writeImage("res/day/kvgui_lamp_normal.png", Qt::red);
    writeImage("res/night/kvgui_lamp_normal.png", Qt::blue);
    TStyleSheet styleSheet(DayMode);
    QCOMPARE(warnings->count("Missing style sheet "), 1);
    QCOMPARE(styleSheet.getStyleSheet(), QString("D {}"));
    QCOMPARE(styleSheet.getPixmap("kvgui_lamp", TStyleSheet::Normal, true).toImage().pixelColor(0, 0), QColor(Qt::red));

    QSignalSpy changed(&styleSheet, &TStyleSheet::styleSheetChanged);
    styleSheet.setMode(NightMode);
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.at(0).at(0).toString().isEmpty());
    QCOMPARE(styleSheet.getPixmap("kvgui_lamp", TStyleSheet::Normal, true).toImage().pixelColor(0, 0), QColor(Qt::blue));

    // Back in day mode the cached image is served without reading the file; no sheet is read again.
    QVERIFY(QFile::remove("res/day/kvgui_lamp_normal.png"));
    styleSheet.setMode(DayMode);
    QCOMPARE(styleSheet.getPixmap("kvgui_lamp", TStyleSheet::Normal, false).toImage().pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(changed.at(1).at(0).toString(), QString("D {}"));
    QCOMPARE(warnings->count("Missing style sheet "), 1);
}

// Fonts loaded ahead of need: only rules that give family and pixel size, each font once.
void TestStyleSheet::declaredFonts_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QStringList>("fonts"); // family/pixels/bold

    QTest::newRow("full rules, bold or not")
        << "#a { font-family: \"Droid Sans\"; font-size: 20px; font-weight: bold; }\n"
           "QLabel, #b {\n    font-weight: normal;\n    font-size:14px;\n    font-family:\"Droid Sans Mono\";\n}"
        << QStringList { "Droid Sans/20/1", "Droid Sans Mono/14/0" };
    QTest::newRow("a rule without family or size is left out")
        << "#a { font-size: 20px; } #b { font-family: \"Droid Sans\"; } #c { color: red; }" << QStringList();
    QTest::newRow("the same font from two rules once")
        << "#a { font-family: \"Droid Sans\"; font-size: 17px; } #b { color: #fff; font-size: 17px; font-family: \"Droid Sans\"; }"
        << QStringList { "Droid Sans/17/0" };
}

void TestStyleSheet::declaredFonts()
{
    QFETCH(QString, sheet);
    QFETCH(QStringList, fonts);
    QStringList found;
    for (const QFont &font : TStyleSheet::declaredFonts(sheet))
        found << QString("%1/%2/%3").arg(font.family()).arg(font.pixelSize()).arg(font.bold());
    QCOMPARE(found, fonts);
}

QTEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
