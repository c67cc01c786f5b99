// translations.h: the operator's language.
#pragma once

#include <QLocale>
#include <QStringList>

// Installs the translation of the first of the languages that has one in dir ("kestra_<name>.qm",
// the name tried whole, then cut at each '_' from the right); Qt's own texts stay English. English
// is the source language: without a usable file every text stays English. Logs one line naming the
// file loaded or why none is; returns the file's path, empty for English.
QString installTranslations(
    const QString &dir = QStringLiteral("res/translations"), const QStringList &languages = QLocale::system().uiLanguages());
