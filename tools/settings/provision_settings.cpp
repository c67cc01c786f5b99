// provision_settings.cpp
//
// Creates the unit's settings files in a folder (the one bound at /appdata): common_settings.db
// and system_cfg.db from their schema files, with the one row of "systemCfg" holding the given
// values. The application itself never creates tables.
//
//   provision-settings --appdata DIR [--force] [--is-primary N] [--serial-number TEXT]
//                      [--deamon-version N] [--version N] [--bootloader-version N]
//                      [--application-name TEXT] [--unit-bom TEXT]

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <cstdio>

namespace {

// Empty texts are stored as empty texts, never as NULL.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

bool fail(const QString &text)
{
    std::fprintf(stderr, "provision-settings: %s\n", qPrintable(text));
    return false;
}

// Runs every statement of a schema file, then the given insert with its bound values.
bool createFile(const QString &path, const QString &schema, const QString &insert, const QVariantList &values)
{
    QFile schemaFile(schema);
    if (!schemaFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read ") + schema);
    const QString text = QString::fromUtf8(schemaFile.readAll());
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("provision"));
        db.setDatabaseName(path);
        if (!db.open())
            return fail(QStringLiteral("cannot create ") + path + QStringLiteral(": ") + db.lastError().text());
        QSqlQuery query(db);
        QString statements;
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            if (!line.trimmed().startsWith(QLatin1String("--")))
                statements += line + QLatin1Char('\n');
        }
        for (const QString &statement : statements.split(QLatin1Char(';'))) {
            if (statement.trimmed().isEmpty())
                continue;
            if (!query.exec(statement)) {
                ok = fail(path + QStringLiteral(": ") + query.lastError().text());
                break;
            }
        }
        if (ok && !insert.isEmpty()) {
            query.prepare(insert);
            for (const QVariant &value : values)
                query.addBindValue(value);
            if (!query.exec())
                ok = fail(path + QStringLiteral(": ") + query.lastError().text());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("provision"));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Creates common_settings.db and system_cfg.db in a folder."));
    parser.addHelpOption();
    const QCommandLineOption appdataOption(QStringLiteral("appdata"), QStringLiteral("Folder for the two files."), QStringLiteral("DIR"));
    const QCommandLineOption forceOption(QStringLiteral("force"), QStringLiteral("Replace files that exist."));
    const QCommandLineOption primaryOption(
        QStringLiteral("is-primary"), QStringLiteral("1 primary, 0 duplicated."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption serialOption(
        QStringLiteral("serial-number"), QStringLiteral("Serial number."), QStringLiteral("TEXT"), QStringLiteral(""));
    const QCommandLineOption deamonOption(
        QStringLiteral("deamon-version"), QStringLiteral("Daemon version (build << 16)."), QStringLiteral("N"), QStringLiteral("0x30000"));
    const QCommandLineOption versionOption(
        QStringLiteral("version"), QStringLiteral("IO processor version (build << 16)."), QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption bootloaderOption(QStringLiteral("bootloader-version"), QStringLiteral("Bootloader version (build << 16)."),
        QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption applicationOption(QStringLiteral("application-name"), QStringLiteral("Installed application edition."),
        QStringLiteral("TEXT"), QStringLiteral("kv20931c-gmdss"));
    const QCommandLineOption bomOption(
        QStringLiteral("unit-bom"), QStringLiteral("Unit bill of materials."), QStringLiteral("TEXT"), QStringLiteral(""));
    parser.addOptions({ appdataOption, forceOption, primaryOption, serialOption, deamonOption, versionOption, bootloaderOption,
        applicationOption, bomOption });
    parser.process(app);
    if (!parser.isSet(appdataOption))
        return fail(QStringLiteral("--appdata DIR is required")), 2;

    const QDir dir(parser.value(appdataOption));
    if (!dir.exists() && !QDir().mkpath(dir.path()))
        return fail(QStringLiteral("cannot create ") + dir.path()), 1;

    QVariantList values;
    for (const QCommandLineOption *option : { &primaryOption, &deamonOption, &versionOption, &bootloaderOption }) {
        bool ok = false;
        const qlonglong number = parser.value(*option).toLongLong(&ok, 0);
        if (!ok || number < INT_MIN || number > INT_MAX)
            return fail(QStringLiteral("not a number: ") + parser.value(*option)), 2;
        values.append(int(number));
    }
    values.insert(1, text(parser.value(serialOption)));
    values.append(text(parser.value(applicationOption)));
    values.append(text(parser.value(bomOption)));

    const QString common = dir.filePath(QStringLiteral("common_settings.db"));
    const QString system = dir.filePath(QStringLiteral("system_cfg.db"));
    for (const QString &path : { common, system }) {
        if (QFile::exists(path)) {
            if (!parser.isSet(forceOption))
                return fail(path + QStringLiteral(" exists; --force replaces it")), 1;
            if (!QFile::remove(path))
                return fail(QStringLiteral("cannot remove ") + path), 1;
        }
    }
    if (!createFile(common, QStringLiteral(":/schema/common_settings.sql"), QString(), {}))
        return 1;
    if (!createFile(system, QStringLiteral(":/schema/system_cfg.sql"),
            QStringLiteral("INSERT INTO systemCfg (isPrimary, serialNumber, deamonVersion, version, bootloaderVersion, "
                           "applicationName, unitBom) VALUES (?, ?, ?, ?, ?, ?, ?)"),
            values))
        return 1;
    std::printf("%s\n%s\n", qPrintable(common), qPrintable(system));
    return 0;
}
