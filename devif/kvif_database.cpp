// kvif_database.cpp
#include "kvif_database.h"

#include <QDebug>
#include <QFile>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

const char *const ConnectionName = "myConnection";
// Another process may hold the settings file; SQLite waits up to this long for its lock.
const char *const BusyTimeoutOption = "QSQLITE_BUSY_TIMEOUT=14900";

} // namespace

TDatabase::TDatabase()
{
    if (QSqlDatabase::contains(QLatin1String(ConnectionName))) {
        database = QSqlDatabase::database(QLatin1String(ConnectionName), true);
    } else {
        database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(ConnectionName));
        database.setConnectOptions(QLatin1String(BusyTimeoutOption));
    }
}

TDatabase::~TDatabase()
{
    const QString name = database.connectionName();
    if (database.isOpen())
        database.close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

void TDatabase::attachDatabaseFile(const QString &fileName)
{
    qDebug() << "void TDatabase::attachDatabaseFile(const QString&)"
             << ": filename=" << fileName;
    if (!QFile::exists(fileName))
        rebootSystem("Error: Database file " + fileName + " does not exist.", -6);

    if (!database.isOpen()) {
        database.setDatabaseName(fileName);
        if (!database.open())
            rebootSystem("Could not open file " + fileName + ".", -1);
        if (!database.isOpen())
            rebootSystem("Database expected to be open, but is not! " + database.lastError().text(), -1);
        QSqlQuery query(database);
        if (!query.exec(QStringLiteral("pragma encoding = 'UTF-8'")))
            rebootSystem("Could not set pragma encoding to UTF-8" + database.lastError().text(), -5);
        return;
    }

    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString schemaName = fileName.mid(slash + 1, dot - slash - 1);
    qDebug() << "void TDatabase::attachDatabaseFile(const QString&)"
             << ": filename: " << fileName << ", nickname: " << schemaName << ".";
    QSqlQuery query(database);
    if (!query.exec("ATTACH DATABASE '" + fileName + "' as '" + schemaName + "'"))
        rebootSystem("Could not attach database file " + fileName + ".", -6);
}

QVariant TDatabase::getValue(const QString &key, const QString &group)
{
    static const char *const function = "QVariant TDatabase::getValue(const QString&, const QString&)";
    if (!database.isValid())
        rebootSystem(QStringLiteral("Error in getValue: Database driver is not valid."), -1);
    if (!database.isOpen())
        rebootSystem(QStringLiteral("Error in getValue: Database is not open."), -1);

    const QString statement = "SELECT " + key + " FROM " + group;
    // The serial number is never written to the log.
    const bool traced = key != QLatin1String("serialNumber");
    if (traced)
        qDebug() << function << ": About to run query=" << statement;

    QSqlQuery query(database);
    if (!query.exec(statement)) {
        qCritical() << "ERROR in getting " << key << " from table " << group << ".";
        rebootSystem("Error in getValue: Error getting " + key + " from table " + group + ".", -5);
    }
    if (!query.isActive()) {
        qCritical() << "Error: Query is NOT active."
                    << " LastError: " << query.lastError() << ". LastQuery: " << query.lastQuery() << ".";
        rebootSystem("Error in getValue: Query is not active: " + query.lastQuery() + " , " + query.lastError().text() + ".", -5);
    }

    int count = 0;
    if (database.driver()->hasFeature(QSqlDriver::QuerySize))
        count = query.size();
    else if (query.last())
        count = query.at() + 1;
    if (count != 1) {
        qCritical() << "ERROR: Query size is not 1! Query size is: " << count;
        rebootSystem("Error in getValue: Number of rows is not 1. It is: " + QString::number(count) + ".", -5);
    }

    const QVariant value = query.value(0);
    if (traced)
        qDebug() << function << ": About to return value=" << value;
    return value;
}

void TDatabase::setValue(const QString &key, const QString &group, QVariant value)
{
    static const char *const function = "void TDatabase::setValue(const QString&, const QString&, QVariant)";
    if (!database.isValid())
        rebootSystem(QStringLiteral("Error in setValue: Database is not valid."), -1);
    if (!database.isOpen())
        rebootSystem(QStringLiteral("Error in setValue: Database is not open."), -1);

    const QString prefix = "UPDATE " + group + " SET " + key + "=";
    QString statement;
    QSqlQuery query(database);
    bool prepared = true;
    switch (value.type()) {
    case QVariant::Int:
        statement = prefix + QString::number(value.toInt());
        break;
    case QVariant::Bool:
        statement = prefix + (value.toBool() ? "1" : "0");
        break;
    case QVariant::String:
        // Traced as a literal, executed with the text bound: a quote in it stays data.
        statement = prefix + "'" + value.toString() + "'";
        prepared = query.prepare(prefix + "?");
        // A null string would be bound as SQL NULL; the unit's other readers expect text.
        query.addBindValue(value.toString().isNull() ? QStringLiteral("") : value.toString());
        break;
    default:
        qWarning() << "Error in setValue: Format of value not identified. Value is: " << value.toString()
                   << " with format enum value: " << int(value.type());
        rebootSystem("Error in setValue: Format of value not identified. Value is: " + value.toString()
                + " with format enum value: " + QString::number(int(value.type())),
            -5);
    }

    qDebug() << function << ": About to run query=" << statement;
    const bool executed = value.type() == QVariant::String ? prepared && query.exec() : query.exec(statement);
    if (!executed) {
        qWarning() << function << ": ERROR setting " << key << " to " << value.toString() << " in table " << group << ".";
        rebootSystem("Error in setValue: ERROR setting " + key + " to " + value.toString() + " in table " + group + ".", -5);
    }
    if (!query.isActive()) {
        qWarning() << function << ": ERROR: Query is NOT active."
                   << " LastError: " << query.lastError() << ". LastQuery: " << query.lastQuery() << ".";
        rebootSystem("Error in setValue: Query is not active: " + query.lastQuery() + " , " + query.lastError().text() + ".", -5);
    }
    // An UPDATE of a table without its row succeeds and stores nothing: that must not pass as stored.
    const int rows = query.numRowsAffected();
    if (rows != 1) {
        qWarning() << function << ": ERROR: Number of rows changed is not 1! It is: " << rows;
        rebootSystem("Error in setValue: Number of rows is not 1. It is: " + QString::number(rows) + ".", -5);
    }
}

void TDatabase::rebootSystem(const QString &message, int errorCode)
{
    qWarning() << "Error code " << QString::number(errorCode) << ". Fatal Database Error. " << message << " Now exiting program!";
    // Status 0: the unit's process supervision restarts the program on its own terms. Without the
    // static destructors: the transport thread may be inside Qt's network code at this moment, and
    // tearing down its statics under it would end the process by a fault signal instead.
    std::fflush(nullptr);
    _exit(0);
}
