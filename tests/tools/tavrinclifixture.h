#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

/**
 * Runs the built tavrin-cli in a folder of the run's own, with the golden
 * dump at hand. Qt Test runs these private slots for every class deriving
 * from it, as if they were the test class's own.
 */
class TavrinCliFixture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

protected:
    struct Run
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    Run cli(const QStringList &args);
    QString writeFile(const QString &name, const QByteArray &bytes);
    QJsonObject exportJson(const QString &file);

    QTemporaryDir m_dir;
    QString m_golden = QStringLiteral(TAVRIN_TEST_DATA_DIR "/golden.udf");
};
