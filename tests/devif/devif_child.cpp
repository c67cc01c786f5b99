// devif_child.cpp: the other side of the settings tests, as a process of its own.
//
//   devif_child hold-lock FILE MS    writes in one transaction held open for MS ms; prints
//                                    "locked" when the lock is taken
//   devif_child fatal CASE           as the application: GuiApp, then one fatal database path;
//                                    prints "survived" if the process goes on

#include "gui_app.h"
#include "kvif_common_database.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

namespace {

int holdLock(const QString &file, int ms)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
    db.setDatabaseName(file);
    if (!db.open())
        return 3;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) || !query.exec(QStringLiteral("UPDATE systemCfg SET serialNumber='held'"))) {
        std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
        return 4;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    QThread::msleep(ulong(ms));
    if (!query.exec(QStringLiteral("COMMIT")))
        return 5;
    std::printf("released\n");
    return 0;
}

void fatal(const QString &name)
{
    if (name == QLatin1String("open-settings")) {
        CommonDatabase::getCommonDatabase();
    } else if (name == QLatin1String("no-row") || name == QLatin1String("two-rows")) {
        CommonDatabase::getCommonDatabase()->getValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg"));
    } else if (name == QLatin1String("unknown-column")) {
        CommonDatabase::getCommonDatabase()->getValue(QStringLiteral("noSuchKey"), QStringLiteral("systemCfg"));
    } else if (name == QLatin1String("double-value")) {
        CommonDatabase::getCommonDatabase()->setValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg"), QVariant(1.5));
    } else if (name == QLatin1String("unknown-table")) {
        CommonDatabase::getCommonDatabase()->setValue(QStringLiteral("isPrimary"), QStringLiteral("noTable"), QVariant(true));
    } else if (name == QLatin1String("attach-twice")) {
        CommonDatabase::getCommonDatabase()->attachDatabaseFile(QStringLiteral("/appdata/system_cfg.db"));
    } else if (name == QLatin1String("not-open")) {
        TDatabase database;
        database.getValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg"));
    } else if (name == QLatin1String("not-open-set")) {
        TDatabase database;
        database.setValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg"), QVariant(1));
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "hold-lock") == 0) {
        QCoreApplication app(argc, argv);
        return holdLock(QString::fromLocal8Bit(argv[2]), atoi(argv[3]));
    }
    if (argc != 3 || qstrcmp(argv[1], "fatal") != 0)
        return 2;
    GuiApp::createInstance(argc, argv);
    fatal(QString::fromLocal8Bit(argv[2]));
    std::printf("survived\n");
    return 7;
}
