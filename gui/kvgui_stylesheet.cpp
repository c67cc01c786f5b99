// kvgui_stylesheet.cpp
#include "kvgui_stylesheet.h"

#include <QDebug>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

TStyleSheet TStyleSheet::styleSheetHandler(DayMode);

TStyleSheet::TStyleSheet(TStyleSheetMode initialMode)
    : mode(initialMode)
    , currentPixmaps(&dayPixmaps)
{
    setMode(initialMode);
    useOpenFour = false;
    loadStyleSheet(QStringLiteral("res/day/kvgui_stylesheet.css"), dayStyleSheet);
    loadStyleSheet(QStringLiteral("res/night/kvgui_stylesheet.css"), nightStyleSheet);
}

void TStyleSheet::setMode(TStyleSheetMode newMode)
{
    mode = newMode;
    resourcePath = QStringLiteral("res/");
    if (newMode == DayMode) {
        resourcePath += QStringLiteral("day/");
        currentPixmaps = &dayPixmaps;
    } else if (newMode == NightMode) {
        resourcePath += QStringLiteral("night/");
        currentPixmaps = &nightPixmaps;
    }
    currentStyleSheet = QString();
    emit styleSheetChanged(getStyleSheet());
}

QString TStyleSheet::getStyleSheet() const
{
    if (currentStyleSheet.isNull()) {
        currentStyleSheet = QString::fromUtf8(mode == NightMode ? nightStyleSheet : dayStyleSheet);
        if (useOpenFour) {
            // The quotes belong to the pattern, so the first replacement leaves the Mono family alone.
            currentStyleSheet.replace(QStringLiteral("\"Droid Sans\""), QStringLiteral("\"Droid Sans Open Four\""));
            currentStyleSheet.replace(QStringLiteral("\"Droid Sans Mono\""), QStringLiteral("\"Droid Sans Mono Open Four\""));
        }
    }
    return currentStyleSheet;
}

void TStyleSheet::setUseOpenFour(bool use)
{
    if (use == useOpenFour)
        return;
    useOpenFour = use;
    currentStyleSheet = QString();
    emit styleSheetChanged(getStyleSheet());
}

void TStyleSheet::addStyleSheetExtension(const QString &fileName)
{
    loadStyleSheet(QStringLiteral("res/day/") + fileName, dayStyleSheet);
    loadStyleSheet(QStringLiteral("res/night/") + fileName, nightStyleSheet);
}

void TStyleSheet::loadStyleSheet(const QString &fileName, QByteArray &sheet)
{
    qDebug() << "void TStyleSheet::loadStyleSheet(const QString&, QString&, QString&)" << fileName;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning() << "void TStyleSheet::loadStyleSheet(const QString&, QString&, QString&)"
                   << "Missing style sheet " << fileName;
        return;
    }
    // Decoded as a text stream decodes it; UTF-8 gives that text back unchanged.
    QTextStream stream(&file);
    sheet += stream.readAll().toUtf8();
    currentStyleSheet = QString();
}

QList<QFont> TStyleSheet::declaredFonts(const QString &sheet)
{
    static const QRegularExpression block(QStringLiteral("\\{([^}]*)\\}"));
    static const QRegularExpression family(QStringLiteral("font-family\\s*:\\s*\"([^\"]+)\""));
    static const QRegularExpression size(QStringLiteral("font-size\\s*:\\s*(\\d+)px"));
    static const QRegularExpression bold(QStringLiteral("font-weight\\s*:\\s*bold"));
    QList<QFont> fonts;
    QRegularExpressionMatchIterator blocks = block.globalMatch(sheet);
    while (blocks.hasNext()) {
        const QString body = blocks.next().captured(1);
        const QRegularExpressionMatch familyMatch = family.match(body);
        const QRegularExpressionMatch sizeMatch = size.match(body);
        // A rule that leaves the family or the size to its widget says nothing certain.
        if (!familyMatch.hasMatch() || !sizeMatch.hasMatch())
            continue;
        QFont font(familyMatch.captured(1));
        font.setPixelSize(sizeMatch.captured(1).toInt());
        font.setBold(bold.match(body).hasMatch());
        if (!fonts.contains(font))
            fonts.append(font);
    }
    return fonts;
}

QString TStyleSheet::stateSuffix(TPixmapState state)
{
    switch (state) {
    case Normal:
        return QStringLiteral("_normal");
    case Pressed:
        return QStringLiteral("_pressed");
    case Checked:
        return QStringLiteral("_checked");
    case PressedChecked:
        return QStringLiteral("_pressed_checked");
    case Disabled:
        return QStringLiteral("_disabled");
    }
    return QString();
}

QPixmap TStyleSheet::getPixmap(const QString &name, TPixmapState state, bool useFallback)
{
    return getPixmap(name + stateSuffix(state), useFallback);
}

QPixmap TStyleSheet::getPixmap(const QString &name, bool useFallback)
{
    const auto cached = currentPixmaps->constFind(name);
    if (cached != currentPixmaps->constEnd() && !cached->isNull())
        return *cached;
    if (name.isEmpty())
        return QPixmap();

    const QString path = resourcePath + name + QStringLiteral(".png");
    QPixmap pixmap(path);
    if (pixmap.isNull()) {
        // Optional disabled looks are probed for; their absence is normal.
        if (!name.endsWith(QLatin1String("disabled")) && name != QLatin1String("tlx_ant_singleAnt_inNone_outNone_normal"))
            qWarning() << "QPixmap TStyleSheet::getPixmap(const QString&, bool)"
                       << "Missing image " << path;
        if (useFallback)
            pixmap = QPixmap(resourcePath + QStringLiteral("kvgui_no_image.png"));
    }
    currentPixmaps->insert(name, pixmap);
    return pixmap;
}
