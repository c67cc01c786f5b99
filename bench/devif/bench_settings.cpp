// bench_settings.cpp: getValue and setValue per call on the two attached settings files.
#include "kvif_database.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

class BenchSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/../../tools/settings/provision-settings");
        QCOMPARE(QProcess::execute(tool, { QStringLiteral("--appdata"), dir.path() }), 0);
        qInstallMessageHandler(quiet);
        database.reset(new TDatabase);
        database->attachDatabaseFile(dir.filePath(QStringLiteral("common_settings.db")));
        database->attachDatabaseFile(dir.filePath(QStringLiteral("system_cfg.db")));
    }
    void getValue()
    {
        QBENCHMARK
        {
            database->getValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg"));
        }
    }
    void setValueBool()
    {
        bool value = false;
        QBENCHMARK
        {
            database->setValue(QStringLiteral("isPrimary"), QStringLiteral("systemCfg"), QVariant(value = !value));
        }
    }
    void setValueString()
    {
        int n = 0;
        QBENCHMARK
        {
            database->setValue(QStringLiteral("unitBom"), QStringLiteral("systemCfg"), QVariant(QString::number(++n)));
        }
    }

private:
    QTemporaryDir dir;
    std::unique_ptr<TDatabase> database;
};

QTEST_GUILESS_MAIN(BenchSettings)
#include "bench_settings.moc"
