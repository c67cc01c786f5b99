// tst_stylesheet.cpp
#include "kvgui_stylesheet.h"

#include <QImage>
#include <QtTest>

namespace {

// The warnings logged during the current case.
QStringList warned;

void collect(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtWarningMsg)
        warned << text;
}

// Warnings that contain the given text.
int warnings(const QString &part)
{
    return warned.filter(part).size();
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
    void init()
    {
        warned.clear();
        previous = qInstallMessageHandler(collect);
        const QString dir = root.path() + "/" + QTest::currentTestFunction() + "/" + QTest::currentDataTag();
        QVERIFY(QDir(dir).mkpath("res/day") && QDir(dir).mkpath("res/night") && QDir::setCurrent(dir));
    }
    void cleanup() { qInstallMessageHandler(previous); }

    void imageRequests_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("state"); // -1: the overload without state
        QTest::addColumn<QString>("warnedPath"); // how the path in the warning starts; empty: silent

        QTest::newRow("missing image warns on every request") << "kvgui_absent" << -1 << "kvgui_absent.png";
        QTest::newRow("missing state warns with its suffix") << "kvgui_absent" << int(TStyleSheet::Pressed) << "kvgui_absent_pressed.png";
        QTest::newRow("any name ending in disabled is silent") << "kvgui_keydisabled" << -1 << "";
        QTest::newRow("disabled inside the name warns") << "kvgui_disabled_a" << -1 << "kvgui_disabled_a.png";
        QTest::newRow("antenna probe is silent") << "tlx_ant_singleAnt_inNone_outNone_normal" << -1 << "";
        QTest::newRow("empty name is never looked up") << "" << -1 << "";
    }
    void imageRequests()
    {
        QFETCH(QString, name);
        QFETCH(int, state);
        QFETCH(QString, warnedPath);
        // Were the empty name looked up like any other, it would find this file.
        writeImage("res/day/.png", Qt::red);
        TStyleSheet styleSheet(DayMode);
        warned.clear();

        for (int request = 0; request < 2; ++request)
            QVERIFY((state < 0 ? styleSheet.getPixmap(name, false) : styleSheet.getPixmap(name, TStyleSheet::TPixmapState(state), false))
                        .isNull());
        const int expected = warnedPath.isEmpty() ? 0 : 2;
        QCOMPARE(qMakePair(warnings("Missing image "), warnings("\"res/day/" + warnedPath)), qMakePair(expected, expected));
    }
    void placeholderStaysCached()
    {
        writeImage("res/day/kvgui_no_image.png", Qt::green);
        TStyleSheet styleSheet(DayMode);
        warned.clear();

        const QPixmap first = styleSheet.getPixmap("kvgui_gone", true);
        QCOMPARE(first.toImage().pixelColor(0, 0), QColor(Qt::green));
        // Even an image that appears later is not loaded: the placeholder is what the cache holds.
        writeImage("res/day/kvgui_gone.png", Qt::red);
        QVERIFY(styleSheet.getPixmap("kvgui_gone", false).cacheKey() == first.cacheKey() && warnings("Missing image ") == 1);
    }
    void nightModeWithoutItsStyleSheet()
    {
        // A family that has an Open Four variant: the plain sheet is the one served until asked otherwise.
        const QString day = "D { font-family: \"Droid Sans\" }";
        QFile sheet("res/day/kvgui_stylesheet.css");
        QVERIFY(sheet.open(QIODevice::WriteOnly) && sheet.write(day.toUtf8()) == day.size());
        sheet.close();
        writeImage("res/day/kvgui_lamp_normal.png", Qt::red);
        writeImage("res/night/kvgui_lamp_normal.png", Qt::blue);
        TStyleSheet styleSheet(DayMode);
        QCOMPARE(qMakePair(warnings("Missing style sheet "), styleSheet.getStyleSheet()), qMakePair(1, day));
        QCOMPARE(styleSheet.getPixmap("kvgui_lamp", TStyleSheet::Normal, true).toImage().pixelColor(0, 0), QColor(Qt::red));

        QSignalSpy changed(&styleSheet, &TStyleSheet::styleSheetChanged);
        styleSheet.setMode(NightMode);
        QVERIFY(changed.count() == 1 && changed.at(0).at(0).toString().isEmpty());
        QCOMPARE(styleSheet.getPixmap("kvgui_lamp", TStyleSheet::Normal, true).toImage().pixelColor(0, 0), QColor(Qt::blue));

        // Back in day mode the cached image is served without reading the file; no sheet is read again.
        QVERIFY(QFile::remove("res/day/kvgui_lamp_normal.png"));
        styleSheet.setMode(DayMode);
        QCOMPARE(styleSheet.getPixmap("kvgui_lamp", TStyleSheet::Normal, false).toImage().pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(qMakePair(warnings("Missing style sheet "), changed.at(1).at(0).toString()), qMakePair(1, day));
        // The Open Four families are announced as any other change.
        styleSheet.setUseOpenFour(true);
        QCOMPARE(changed.at(2).at(0).toString(), "D { font-family: \"Droid Sans Open Four\" }");
        // The fonts warmed after the first frame: only rules that fix both family and size, each once.
        const QString rule = "{ font-family: \"F\"; font-size: 20px; font-weight: bold }";
        const QList<QFont> fonts = TStyleSheet::declaredFonts("A " + rule + " B { font-size: 9px } C " + rule);
        QVERIFY(fonts.size() == 1 && fonts[0].family() == "F" && fonts[0].pixelSize() == 20 && fonts[0].bold());
    }

private:
    QTemporaryDir root;
    QtMessageHandler previous = nullptr;
};

QTEST_MAIN(TestStyleSheet)
#include "tst_stylesheet.moc"
