// kvgui_stylesheet.h
#pragma once

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPixmap>
#include <QString>

enum TStyleSheetMode
{
    DayMode = 0,
    NightMode = 1
};

// The look of every window: one style sheet text and one directory of named PNG images per
// display mode, both relative to the working directory ("res/day/", "res/night/").
// One instance, styleSheetHandler, built during static initialisation; GUI thread only.
class TStyleSheet : public QObject
{
    Q_OBJECT
public:
    enum TPixmapState
    {
        Normal = 0,
        Pressed = 1,
        Checked = 2,
        PressedChecked = 3,
        Disabled = 4
    };

    explicit TStyleSheet(TStyleSheetMode mode);

    TStyleSheetMode getMode() const { return mode; }
    void setMode(TStyleSheetMode newMode);
    QString getStyleSheet() const;
    void setUseOpenFour(bool use);
    void addStyleSheetExtension(const QString &fileName);
    QString getRecourcePath() const { return resourcePath; }

    // A null pixmap is cached too, so a missing image is looked for (and warned about) again.
    QPixmap getPixmap(const QString &name, bool useFallback);
    QPixmap getPixmap(const QString &name, TPixmapState state, bool useFallback);

    static QString stateSuffix(TPixmapState state);
    // The fonts a sheet gives in full (family and pixel size), each once, as its widgets ask for them.
    static QList<QFont> declaredFonts(const QString &sheet);

    static TStyleSheet styleSheetHandler;

signals:
    void styleSheetChanged(const QString &newStyleSheet);

private:
    void loadStyleSheet(const QString &fileName, QByteArray &sheet);

    TStyleSheetMode mode;
    QString resourcePath;
    bool useOpenFour = false;
    // Each mode's sheet as read, in UTF-8 (half the size of a QString); the variant in use is made
    // from it when first asked for and kept in currentStyleSheet, null until then.
    QByteArray dayStyleSheet;
    QByteArray nightStyleSheet;
    mutable QString currentStyleSheet;
    QMap<QString, QPixmap> dayPixmaps;
    QMap<QString, QPixmap> nightPixmaps;
    QMap<QString, QPixmap> *currentPixmaps; // one of the two maps above
};
