// kvif_database.h
#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

// The process's one path to the settings files: the shared SQLite connection "myConnection",
// whose first file is the main database and whose later files are attached to it. A value is
// addressed by group (a table of one row) and key (a column). Every failure ends the process.
class TDatabase : public QObject
{
    Q_OBJECT
public:
    TDatabase();
    ~TDatabase() override;

    void attachDatabaseFile(const QString &fileName);
    QVariant getValue(const QString &key, const QString &group);
    void setValue(const QString &key, const QString &group, QVariant value);
    [[noreturn]] void rebootSystem(const QString &message, int errorCode);

private:
    Q_DISABLE_COPY(TDatabase)

    QSqlDatabase database; // shared by name with every TDatabase of the process
};
