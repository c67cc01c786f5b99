// kvgui_stylesheet.h
#pragma once

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
    void loadStyleSheet(const QString &fileName, QString &plain, QString &openFour);

    TStyleSheetMode mode;
    QString resourcePath;
    bool useOpenFour = false;
    QString dayStyleSheet;
    QString dayStyleSheetOpenFour;
    QString nightStyleSheet;
    QString nightStyleSheetOpenFour;
    QMap<QString, QPixmap> dayPixmaps;
    QMap<QString, QPixmap> nightPixmaps;
    QMap<QString, QPixmap> *currentPixmaps; // one of the two maps above
};
