// Reading block tables, choosing the preset block, and the load/save paths.

#include "flashbuilder.h"
#include "test_flashhelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ostrel;
using flashtest::block;
using flashtest::filler;
using flashtest::table;

Q_DECLARE_METATYPE(std::vector<ostrel::FlashTablePlan>)

namespace {

// A table of count small blocks laid one after another behind the table.
FlashTablePlan tableOf(qint64 position, int count)
{
    std::vector<FlashBlockPlan> blocks;
    const uint32_t first = uint32_t(28 + 48 * count);
    for (int i = 0; i < count; ++i)
        blocks.push_back(block(0x10, "part", first + uint32_t(i) * 16, 16, char(i)));
    return table(position, blocks);
}

} // namespace

class TestFlashImage : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void nestedTablesBelongToTheirBlock();
    void presetBlockChoice_data();
    void presetBlockChoice();
    void loadPaths_data();
    void loadPaths();
    void failedUnpackFailsTheLoad();
    void savePaths_data();
    void savePaths();
    void failedSaveKeepsFileAndState();
};

void TestFlashImage::parse_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("tables");
    QTest::addColumn<int>("entries");

    QTest::newRow("no-table") << filler(4096, 3) << true << 0 << 0;
    QTest::newRow("empty-image") << QByteArray() << true << 0 << 0;

    FlashTablePlan noVersion = tableOf(0x40, 2);
    noVersion.version = '1';
    QTest::newRow("marker-without-0") << buildFlashImage(0x1000, {noVersion}) << true << 0 << 0;

    QByteArray markerAtEnd = filler(64, 5) + QByteArray("*^_^*DM(^o^)") + QByteArray(10, '0');
    QTest::newRow("marker-at-end") << markerAtEnd << true << 0 << 0;

    QByteArray cutHeader = filler(64, 5) + QByteArray("*^_^*DM(^o^)") + QByteArray(15, '0');
    QTest::newRow("header-cut-off") << cutHeader << false << 0 << 0;

    QTest::newRow("one-table") << buildFlashImage(0x1000, {tableOf(0x40, 3)}) << true << 1 << 3;
    QTest::newRow("two-tables")
        << buildFlashImage(0x20000, {tableOf(0x40, 3), tableOf(0x10000, 2)}) << true << 2 << 5;
    QTest::newRow("zero-entries") << buildFlashImage(0x1000, {tableOf(0x40, 0)}) << true << 1 << 0;
    QTest::newRow("64-entries")
        << buildFlashImage(0x20000, {tableOf(0x40, 40), tableOf(0x10000, 24)}) << true << 2 << 64;
    QTest::newRow("65-entries")
        << buildFlashImage(0x20000, {tableOf(0x40, 40), tableOf(0x10000, 25)}) << false << 0 << 0;

    FlashTablePlan countTooLarge = tableOf(0x0, 1);
    countTooLarge.entryCount = 9; // 28 + 9 * 48 bytes do not fit
    QTest::newRow("entries-past-end") << buildFlashImage(0x1b0, {countTooLarge}) << false << 0 << 0;

    QTest::newRow("block-past-end")
        << buildFlashImage(0x1000, {table(0x40, {block(1, "a", 0x100, 0x10), block(2, "b", 0xFB0, 0x20)})})
        << false << 0 << 0;

    FlashBlockPlan farAway = block(1, "far", 0xFFFFFFF0u, 0);
    farAway.size = 0x100; // offset + size wraps in 32 bits; must still be refused
    QTest::newRow("offset-wraps")
        << buildFlashImage(0x1000, {table(0x40, {farAway})}) << false << 0 << 0;

    FlashBlockPlan beyond = block(1, "beyond", 0x2000, 0);
    QTest::newRow("empty-block-beyond-end")
        << buildFlashImage(0x1000, {table(0x40, {beyond})}) << false << 0 << 0;
}

void TestFlashImage::parse()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, ok);
    QFETCH(int, tables);
    QFETCH(int, entries);

    FlashImage flash;
    QCOMPARE(flash.parse(image), ok);
    QCOMPARE(flash.isLoaded(), ok);
    QCOMPARE(int(flash.tables().size()), tables);
    QCOMPARE(int(flash.entries().size()), entries);
    if (!ok)
        QVERIFY(!flash.errorString().isEmpty());
    for (const FlashEntry &e : flash.entries())
        QCOMPARE(e.block, image.mid(int(e.blockStart()), int(e.size())));
}

void TestFlashImage::nestedTablesBelongToTheirBlock()
{
    // Two blocks share tag 0x77; each holds its own table, and the inner one
    // holds a third. Every table must belong to the block whose bytes hold it.
    FlashTablePlan top = table(0x0, {block(0x77, "first", 0x1000, 0x3000), block(0x77, "second", 0x4000, 0x1000), block(0x11, "plain", 0x6000, 0x100)});
    FlashTablePlan inFirst = table(0x1100, {block(0x55, "inner", 0x200, 0x1000, 9)});
    FlashTablePlan inInner = table(0x1400, {block(0x66, "deep", 0x100, 0x80, 4)});
    FlashTablePlan inSecond = table(0x4010, {block(0x88, "other", 0x100, 0x40, 7)});
    FlashImage flash;
    QVERIFY2(flash.parse(buildFlashImage(0x8000, {top, inFirst, inInner, inSecond})),
             qPrintable(flash.errorString()));
    QCOMPARE(int(flash.tables().size()), 4);

    const int first = flashtest::entryNamed(flash, "first");
    const int second = flashtest::entryNamed(flash, "second");
    const int inner = flashtest::entryNamed(flash, "inner");
    QCOMPARE(flash.tables()[0].enclosingEntry, -1);
    QCOMPARE(flash.tables()[1].enclosingEntry, first);
    QCOMPARE(flash.tables()[2].enclosingEntry, inner);
    QCOMPARE(flash.tables()[3].enclosingEntry, second);
    QVERIFY(flash.entries()[first].containsTable);
    QVERIFY(flash.entries()[second].containsTable);
    QVERIFY(flash.entries()[inner].containsTable);
    QVERIFY(!flash.entries()[flashtest::entryNamed(flash, "plain")].containsTable);
    QCOMPARE(int(flash.entries()[flashtest::entryNamed(flash, "deep")].enclosingTag), 0x55);
    QCOMPARE(int(flash.entries()[flashtest::entryNamed(flash, "other")].enclosingTag), 0x77);
    QCOMPARE(int(flash.entries()[first].enclosingTag), 0);
    QCOMPARE(flash.entries()[flashtest::entryNamed(flash, "deep")].indexInTable, 0);
    QCOMPARE(flash.entries()[second].indexInTable, 1);
}

void TestFlashImage::presetBlockChoice_data()
{
    QTest::addColumn<std::vector<FlashTablePlan>>("tables");
    QTest::addColumn<QByteArray>("chosen");

    QTest::newRow("tag-and-name")
        << std::vector<FlashTablePlan>{table(0, {block(0x20, "boot", 0x100, 0x10), block(0x9C, "preset_db", 0x200, 0x10)})}
        << QByteArray("preset_db");
    QTest::newRow("name-without-tag")
        << std::vector<FlashTablePlan>{table(0, {block(0x20, "preset", 0x100, 0x10)})} << QByteArray();
    QTest::newRow("tag-without-name")
        << std::vector<FlashTablePlan>{table(0, {block(0x9C, "system", 0x100, 0x10)})} << QByteArray();
    QTest::newRow("name-is-case-sensitive")
        << std::vector<FlashTablePlan>{table(0, {block(0x9C, "PRESET", 0x100, 0x10)})} << QByteArray();
    QTest::newRow("lookalike-before-the-real-one")
        << std::vector<FlashTablePlan>{table(0, {block(0x21, "preset_backup", 0x100, 0x10), block(0x9C, "mypreset", 0x200, 0x10)})}
        << QByteArray("mypreset");
    QTest::newRow("last-of-two")
        << std::vector<FlashTablePlan>{table(0, {block(0x9C, "preset_a", 0x100, 0x10)}),
                                       table(0x800, {block(0x9C, "preset_b", 0x100, 0x10)})}
        << QByteArray("preset_b");
    QTest::newRow("no-table") << std::vector<FlashTablePlan>{} << QByteArray();
}

void TestFlashImage::presetBlockChoice()
{
    QFETCH(std::vector<FlashTablePlan>, tables);
    QFETCH(QByteArray, chosen);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.abs"));
    const QByteArray image = buildFlashImage(0x1000, tables);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(image);
    file.close();

    flashtest::StubCodec stub;
    FlashImage flash;
    const bool loaded = flash.load(QStringLiteral("defaultdb;") + path, stub.codec());
    // An image without its preset block is no list: a load error, never an empty one.
    if (chosen.isEmpty()) {
        QVERIFY(!loaded);
        QVERIFY2(flash.errorString().contains(tables.empty() ? "no block table" : "no preset block"),
                 qPrintable(flash.errorString()));
        QVERIFY(!flash.isLoaded());
        QVERIFY(stub.unpacked.empty());
        return;
    }
    QVERIFY2(loaded, qPrintable(flash.errorString()));
    QVERIFY(flash.presetEntry() >= 0);
    const FlashEntry &entry = flash.entries()[flash.presetEntry()];
    QCOMPARE(entry.name(), chosen);
    QCOMPARE(int(stub.unpacked.size()), 1);
    QCOMPARE(stub.unpacked.front(), entry.block);
}

void TestFlashImage::loadPaths_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("ok");

    const QString image = QStringLiteral("image.abs");
    QTest::newRow("defaultdb") << QStringLiteral("defaultdb;") << image << true;
    QTest::newRow("userdb") << QStringLiteral("userdb;") << image << false;
    QTest::newRow("no-prefix") << QString() << image << false;
    QTest::newRow("prefix-in-wrong-case") << QStringLiteral("DefaultDB;") << image << false;
    QTest::newRow("missing-file") << QStringLiteral("defaultdb;") << QStringLiteral("other.abs") << false;
    QTest::newRow("empty-file") << QStringLiteral("defaultdb;") << QStringLiteral("empty.abs") << false;
}

void TestFlashImage::loadPaths()
{
    QFETCH(QString, prefix);
    QFETCH(QString, fileName);
    QFETCH(bool, ok);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.abs"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(buildFlashImage(0x1000, {table(0x10, {block(0x9C, "preset", 0x100, 0x40)})}));
    file.close();
    QFile empty(dir.filePath(QStringLiteral("empty.abs")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();

    flashtest::StubCodec stub;
    FlashImage flash;
    QCOMPARE(flash.load(prefix + dir.filePath(fileName), stub.codec()), ok);
    QCOMPARE(flash.isLoaded(), ok);
    QCOMPARE(int(stub.unpacked.size()), ok ? 1 : 0);
}

void TestFlashImage::failedUnpackFailsTheLoad()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.abs"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(buildFlashImage(0x1000, {table(0x10, {block(0x9C, "preset", 0x100, 0x40)})}));
    file.close();

    flashtest::StubCodec stub;
    stub.unpackResult = false;
    FlashImage flash;
    QVERIFY(!flash.load(QStringLiteral("defaultdb;") + path, stub.codec()));
    QVERIFY(!flash.isLoaded());
    // Nothing of the failed load may be saved over a file.
    stub.nextPacked = "PACKED";
    QVERIFY(!flash.save(QStringLiteral("defaultdb;") + dir.filePath(QStringLiteral("out.abs")),
                        RecordList{0, nullptr}, RecordList{0, nullptr}, RecordList{0, nullptr},
                        stub.codec()));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.abs"))));
}

void TestFlashImage::savePaths_data()
{
    QTest::addColumn<QString>("target"); // below the temporary folder, with its prefix
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("wholeImage"); // else the packed preset alone

    QTest::newRow("abs") << QStringLiteral("defaultdb;new.abs") << true << true;
    QTest::newRow("abs-upper-case") << QStringLiteral("defaultdb;NEW.ABS") << true << true;
    QTest::newRow("udf") << QStringLiteral("defaultdb;preset.udf") << true << false;
    QTest::newRow("userdb") << QStringLiteral("userdb;new.abs") << false << false;
    QTest::newRow("no-prefix") << QStringLiteral("new.abs") << false << false;
    QTest::newRow("other-suffix") << QStringLiteral("defaultdb;new.bin") << false << false;
    QTest::newRow("abs-only-in-folder") << QStringLiteral("defaultdb;x.abs/new.bin") << false << false;
    QTest::newRow("abs-inside-name") << QStringLiteral("defaultdb;new.abs.bak") << false << false;
    QTest::newRow("udf-only-in-folder") << QStringLiteral("defaultdb;x.udf/new") << false << false;
}

void TestFlashImage::savePaths()
{
    QFETCH(QString, target);
    QFETCH(bool, ok);
    QFETCH(bool, wholeImage);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("x.abs")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("x.udf")));
    const QString source = dir.filePath(QStringLiteral("source.abs"));
    const QByteArray image = buildFlashImage(0x1000, {table(0x10, {block(0x9C, "preset", 0x100, 0x40), block(0x30, "logo", 0x200, 0x80)})});
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(image);
    file.close();

    flashtest::StubCodec stub;
    FlashImage flash;
    QVERIFY(flash.load(QStringLiteral("defaultdb;") + source, stub.codec()));
    stub.nextPacked = filler(0x40, 42);

    const int split = target.indexOf(QLatin1Char(';')) + 1;
    const QString prefixed = target.left(split) + dir.filePath(target.mid(split));
    const QString written = dir.filePath(target.mid(split));
    QCOMPARE(flash.save(prefixed, RecordList{0, nullptr}, RecordList{0, nullptr},
                        RecordList{0, nullptr}, stub.codec()),
             ok);
    QCOMPARE(QFileInfo(written).isFile(), ok);
    if (!ok)
        return;
    QFile out(written);
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    if (!wholeImage) {
        QCOMPARE(bytes, stub.nextPacked);
        return;
    }
    QCOMPARE(bytes.size(), image.size());
    QCOMPARE(bytes.mid(0x110, 0x40), stub.nextPacked);
    QCOMPARE(flashtest::inconsistency(bytes), QString());
}

void TestFlashImage::failedSaveKeepsFileAndState()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.abs"));
    const QByteArray image = buildFlashImage(0x1000, {table(0x10, {block(0x9C, "preset", 0x100, 0x40), block(0x30, "logo", 0x200, 0x80)})});
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(image);
    file.close();

    flashtest::StubCodec stub;
    FlashImage flash;
    QVERIFY(flash.load(QStringLiteral("defaultdb;") + source, stub.codec()));

    // A preset that no longer fits the image: the save fails, the file on disk
    // and the loaded image stay as they were.
    stub.nextPacked = filler(0x1000, 3);
    QVERIFY(!flash.save(QStringLiteral("defaultdb;") + source, RecordList{0, nullptr},
                        RecordList{0, nullptr}, RecordList{0, nullptr}, stub.codec()));
    QVERIFY(!flash.errorString().isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), image);
    file.close();
    QCOMPARE(flash.image(), image);

    // Packing that fails writes nothing either.
    stub.nextPacked.clear();
    QVERIFY(!flash.save(QStringLiteral("defaultdb;") + source, RecordList{0, nullptr},
                        RecordList{0, nullptr}, RecordList{0, nullptr}, stub.codec()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), image);
}

QTEST_GUILESS_MAIN(TestFlashImage)
#include "test_flashimage.moc"
