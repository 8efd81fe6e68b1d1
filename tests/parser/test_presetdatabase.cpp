// Default databases: a preset image packed by the lzma tool. Also keeps the
// committed sample in step with its generator (sampleImage()); run with
// TAVRIN_WRITE_SAMPLES=1 to remake samples/sample.ddf.

#include "defaultdatabase.h"
#include "externaltool.h"
#include "test_presetimage.h"

#include <QtTest>

using namespace ostrel;
using presettest::describe;

namespace {

const QString Tool = QStringLiteral(TAVRIN_BIN_DIR "/tavrin-lzma");
const QString Sample = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/sample.ddf");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

bool save(const QString &path, LoadedDatabase &db, const PresetColumns &columns, ExternalTool &tool)
{
    return writeDefaultDatabase(path, *db.satellites.head(), *db.transponders.head(),
                                *db.programmes.head(), columns, tool);
}

} // namespace

class TestPresetDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void sampleMatchesItsGenerator();
    void saveThenLoadKeepsEverything();
    void unpackedSaveEqualsOriginalImage();
    void loadFailures_data();
    void loadFailures();
    void saveFailuresKeepTheOldFile_data();
    void saveFailuresKeepTheOldFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPresetDatabase::initTestCase()
{
    QVERIFY2(QFileInfo(Tool).isExecutable(), qPrintable(Tool));
    if (qEnvironmentVariableIsSet("TAVRIN_WRITE_SAMPLES")) {
        QTemporaryDir work;
        ExternalTool tool(Tool, work.path());
        QByteArray packed;
        QVERIFY(tool.pack(presettest::sampleImage(), packed));
        QVERIFY(writeAll(Sample, packed));
    }
}

void TestPresetDatabase::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPresetDatabase::sampleMatchesItsGenerator()
{
    ExternalTool tool(Tool, m_dir->path());
    LoadedDatabase db;
    PresetColumns columns;
    QVERIFY(readDefaultDatabase(Sample, db, columns, tool));
    QByteArray image;
    QVERIFY(tool.unpack(readAll(Sample), image));
    QCOMPARE(image.toHex(), presettest::sampleImage().toHex());
    QCOMPARE(db.satellites.size(), 3);
    QCOMPARE(db.programmes.size(), 6);
}

void TestPresetDatabase::saveThenLoadKeepsEverything()
{
    ExternalTool tool(Tool, m_dir->path());
    LoadedDatabase db;
    PresetColumns columns;
    QVERIFY(readDefaultDatabase(Sample, db, columns, tool));
    const QStringList before = describe(db);

    const QString saved = m_dir->filePath("saved.ddf");
    QVERIFY(save(saved, db, columns, tool));
    LoadedDatabase again;
    PresetColumns againColumns;
    QVERIFY(readDefaultDatabase(saved, again, againColumns, tool));
    QCOMPARE(describe(again), before);
    QCOMPARE(againColumns.programme, columns.programme);
    QCOMPARE(againColumns.satellite, columns.satellite);
}

void TestPresetDatabase::unpackedSaveEqualsOriginalImage()
{
    ExternalTool tool(Tool, m_dir->path());
    LoadedDatabase db;
    PresetColumns columns;
    QVERIFY(readDefaultDatabase(Sample, db, columns, tool));

    const QString first = m_dir->filePath("first.ddf");
    const QString second = m_dir->filePath("second.ddf");
    QVERIFY(save(first, db, columns, tool));
    LoadedDatabase reloaded;
    QVERIFY(readDefaultDatabase(first, reloaded, columns, tool));
    // The saved file unpacks to the image we started from.
    QByteArray image;
    QVERIFY(tool.unpack(readAll(first), image));
    QCOMPARE(image.toHex(), presettest::sampleImage().toHex());
    // Saving the saved file again gives the same bytes.
    QVERIFY(save(second, reloaded, columns, tool));
    QCOMPARE(readAll(second), readAll(first));
}

void TestPresetDatabase::loadFailures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("toolPresent");
    QTest::addColumn<QString>("reason");

    QTest::newRow("tool missing, nothing unpacked") << "sample" << false << "cannot unpack";
    QTest::newRow("file missing") << "missing" << true << "missing.ddf";
    // The user's file and the failed step, never the tool's working files.
    QTest::newRow("not lzma data") << "garbage" << true << "in.ddf: cannot unpack the preset data: ";
    QTest::newRow("cut file") << "cut" << true << "in.ddf: cannot unpack the preset data: ";
    // An empty file never reaches the tool.
    QTest::newRow("empty file") << "empty" << false << "the file is empty";
}

void TestPresetDatabase::loadFailures()
{
    QFETCH(QString, file);
    QFETCH(bool, toolPresent);
    QFETCH(QString, reason);

    const QByteArray sample = readAll(Sample);
    QVERIFY(!sample.isEmpty());
    QString path = m_dir->filePath("in.ddf");
    if (file == "sample")
        QVERIFY(writeAll(path, sample));
    else if (file == "garbage")
        QVERIFY(writeAll(path, QByteArray("not a default database at all")));
    else if (file == "cut")
        QVERIFY(writeAll(path, sample.left(sample.size() / 2)));
    else if (file == "empty")
        QVERIFY(writeAll(path, QByteArray()));
    else
        path = m_dir->filePath("missing.ddf");

    ExternalTool tool(toolPresent ? Tool : m_dir->filePath("no-tool"), m_dir->path());
    LoadedDatabase db;
    PresetColumns columns;
    db.satellites.append(99, 0, 0); // left from an earlier load
    QString error;
    QVERIFY(!readDefaultDatabase(path, db, columns, tool, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY2(!error.contains(QLatin1String("tavrin-work")), qPrintable(error));
    QCOMPARE(db.satellites.size(), 0);
}

void TestPresetDatabase::saveFailuresKeepTheOldFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("tool missing") << "tool";
    QTest::newRow("image over the limits") << "limits";
    QTest::newRow("target folder missing") << "target";
}

void TestPresetDatabase::saveFailuresKeepTheOldFile()
{
    QFETCH(QString, failure);

    ExternalTool good(Tool, m_dir->path());
    LoadedDatabase db;
    PresetColumns columns;
    QVERIFY(readDefaultDatabase(Sample, db, columns, good));
    if (failure == "limits") {
        while (columns.satellite.size() <= PresetColumnLimit)
            columns.satellite << QStringLiteral("X%1").arg(columns.satellite.size());
    }

    QString target = m_dir->filePath("target.ddf");
    const QByteArray old("the user's old file");
    QVERIFY(writeAll(target, old));
    if (failure == "target")
        target = m_dir->filePath("missing/target.ddf");
    ExternalTool tool(failure == "tool" ? m_dir->filePath("no-tool") : Tool, m_dir->path());

    QVERIFY(!save(target, db, columns, tool));
    QCOMPARE(readAll(m_dir->filePath("target.ddf")), old);
}

QTEST_GUILESS_MAIN(TestPresetDatabase)
#include "test_presetdatabase.moc"
