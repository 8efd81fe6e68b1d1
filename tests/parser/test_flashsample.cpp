// The shipped sample image through the real preset codec and lzma tool.

#include "defaultdatabase.h"
#include "externaltool.h"
#include "flashpresetcodec.h"
#include "test_flashhelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ostrel;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList describe(const RecordList &list)
{
    QStringList lines;
    for (uint32_t i = 0; i < list.count; ++i) {
        const DataRecord &r = *list.records[i];
        QString line = QStringLiteral("%1/%2:").arg(r.id).arg(r.parentId);
        for (uint32_t v = 0; v < r.count; ++v)
            line += readText(r.values[v].name, OstrelNameUnits) + QLatin1Char('=')
                + readText(r.values[v].text, OstrelTextUnits) + QLatin1Char(';');
        lines << line;
    }
    return lines;
}

// A loaded image with the database and columns its codec fills.
struct Session
{
    LoadedDatabase db;
    PresetColumns columns;
    ExternalTool tool;
    FlashImage flash;
    FlashPresetCodec codec;

    explicit Session(const QString &workDir)
        : tool(QStringLiteral(TAVRIN_BIN_DIR "/tavrin-lzma"), workDir), codec(makeFlashPresetCodec(db, columns, tool))
    {
    }
    bool load(const QString &path) { return flash.load(QStringLiteral("defaultdb;") + path, codec); }
    bool save(const QString &path)
    {
        return flash.save(QStringLiteral("defaultdb;") + path, *db.satellites.head(),
                          *db.transponders.head(), *db.programmes.head(), codec);
    }
};

} // namespace

class TestFlashSample : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loadsTheSample();
    void unchangedSaveKeepsTheImage();
    void savedPresetAloneLoadsAsDefaultDatabase();

private:
    QString m_sample = QStringLiteral(FLASH_SAMPLE);
};

void TestFlashSample::initTestCase()
{
    QVERIFY2(QFile::exists(QStringLiteral(TAVRIN_BIN_DIR "/tavrin-lzma")), "the lzma tool is not built");
    QVERIFY(QFile::exists(m_sample));
}

void TestFlashSample::loadsTheSample()
{
    QTemporaryDir work;
    Session s(work.path());
    QVERIFY2(s.load(m_sample), qPrintable(s.flash.errorString()));
    QCOMPARE(int(s.flash.tables().size()), 3);
    QCOMPARE(int(s.flash.entries().size()), 10);
    QCOMPARE(s.flash.tables()[1].enclosingEntry, flashtest::entryNamed(s.flash, "rootfs"));
    QCOMPARE(s.flash.tables()[2].position % 0x10000, qint64(0));
    QCOMPARE(s.flash.entries()[s.flash.presetEntry()].name(), QByteArray("preset"));
    QCOMPARE(flashtest::inconsistency(s.flash.image()), QString());

    QCOMPARE(s.db.satellites.size(), 3);
    QCOMPARE(s.db.transponders.size(), 7);
    QCOMPARE(s.db.programmes.size(), 12);
    QCOMPARE(fieldText(*s.db.satellites.head()->records[1], QStringLiteral("LONGITUDE")),
             QStringLiteral("35818"));
}

void TestFlashSample::unchangedSaveKeepsTheImage()
{
    QTemporaryDir work;
    Session first(work.path());
    QVERIFY(first.load(m_sample));
    const QByteArray original = first.flash.image();
    const FlashEntry preset = first.flash.entries()[first.flash.presetEntry()];
    QByteArray unpackedBefore;
    QVERIFY(first.tool.unpack(preset.block, unpackedBefore));

    const QString saved = work.filePath(QStringLiteral("saved.abs"));
    QVERIFY2(first.save(saved), qPrintable(first.flash.errorString()));
    const QByteArray bytes = readAll(saved);
    QCOMPARE(bytes.size(), original.size());

    // Every byte outside the preset block and its table entry is the same.
    const qint64 entryAt = preset.tablePosition + flash::HeaderSize + flash::EntrySize * preset.indexInTable;
    const qint64 blockEnd = preset.blockStart()
        + std::max(preset.size(), first.flash.entries()[first.flash.presetEntry()].size());
    for (qint64 i = 0; i < bytes.size(); ++i) {
        if ((i >= entryAt && i < entryAt + flash::EntrySize) || (i >= preset.blockStart() && i < blockEnd))
            continue;
        if (bytes[int(i)] != original[int(i)])
            QFAIL(qPrintable(QStringLiteral("byte 0x%1 changed").arg(i, 0, 16)));
    }

    // The saved image loads with the same records and the same unpacked preset.
    Session second(work.path());
    QVERIFY2(second.load(saved), qPrintable(second.flash.errorString()));
    QCOMPARE(describe(*second.db.satellites.head()), describe(*first.db.satellites.head()));
    QCOMPARE(describe(*second.db.transponders.head()), describe(*first.db.transponders.head()));
    QCOMPARE(describe(*second.db.programmes.head()), describe(*first.db.programmes.head()));
    QByteArray unpackedAfter;
    QVERIFY(second.tool.unpack(second.flash.entries()[second.flash.presetEntry()].block, unpackedAfter));
    QCOMPARE(unpackedAfter, unpackedBefore);

    // Saving the saved image again gives the same bytes.
    const QString again = work.filePath(QStringLiteral("again.abs"));
    QVERIFY(second.save(again));
    QCOMPARE(readAll(again), bytes);
}

void TestFlashSample::savedPresetAloneLoadsAsDefaultDatabase()
{
    QTemporaryDir work;
    Session s(work.path());
    QVERIFY(s.load(m_sample));
    const QString udf = work.filePath(QStringLiteral("preset.udf"));
    QVERIFY2(s.save(udf), qPrintable(s.flash.errorString()));

    LoadedDatabase db;
    PresetColumns columns;
    QVERIFY(readDefaultDatabase(udf, db, columns, s.tool));
    QCOMPARE(describe(*db.programmes.head()), describe(*s.db.programmes.head()));
    QCOMPARE(columns.programme, s.columns.programme);
}

QTEST_GUILESS_MAIN(TestFlashSample)
#include "test_flashsample.moc"
