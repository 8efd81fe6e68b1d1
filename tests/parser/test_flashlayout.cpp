// Laying an image out again around a new preset block.

#include "flashbuilder.h"
#include "test_flashhelpers.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace ostrel;
using flashtest::block;
using flashtest::filler;
using flashtest::table;
using flashtest::u32At;

namespace {

const FlashEntry &entry(const FlashImage &image, const char *name)
{
    static const FlashEntry none;
    const int index = flashtest::entryNamed(image, name);
    return index >= 0 ? image.entries()[index] : none;
}

} // namespace

class TestFlashLayout : public QObject
{
    Q_OBJECT

private slots:
    void unchangedPresetKeepsEveryByte();
    void checksumsRefreshedExceptNcrc();
    void alignedTags_data();
    void alignedTags();
    void presetSizeChange_data();
    void presetSizeChange();
    void blockPushedPastImageFails_data();
    void blockPushedPastImageFails();
    void movedTableKeepsItsHeader();
    void nestedTableMovesWithItsBlock();
    void nestedGrowthStaysInsideEnclosingBlock_data();
    void nestedGrowthStaysInsideEnclosingBlock();
    void presetHoldingATableIsRefused();
    void secondLayoutChangesNothing();
    void corruptedTablesNeverBreakTheImage();
};

void TestFlashLayout::unchangedPresetKeepsEveryByte()
{
    const QByteArray image = buildFlashImage(
        0x30000, {table(0x100, {block(0x20, "boot", 0x100, 0x300), block(0x9C, "preset", 0x400, 0x500), block(0xA4, "kernel", 0xFF00, 0x800), block(0x31, "logo", 0x10800, 0x100)}), table(0x20000, {block(0x40, "fs", 0x100, 0x200)})});
    FlashImage flash;
    QVERIFY(flash.parse(image));
    const QByteArray preset = flash.entries()[flash.presetEntry()].block;
    QVERIFY(flash.replacePresetBlock(preset));
    QCOMPARE(flash.image(), image);
}

void TestFlashLayout::checksumsRefreshedExceptNcrc()
{
    FlashBlockPlan raw = block(0x50, "raw", 0x300, 0x80);
    raw.noChecksum = true;
    QByteArray image = buildFlashImage(
        0x2000, {table(0, {block(0x9C, "preset", 0x100, 0x100), raw, block(0x51, "sum", 0x400, 0x80)})});
    // Spoil the checksum of "sum" so that only a fresh one can make it right.
    const qint64 sumCrc = 28 + 48 * 2 + 12;
    image.replace(int(sumCrc), 4, QByteArrayLiteral("\x78\x56\x34\x12"));

    FlashImage flash;
    QVERIFY(flash.parse(image));
    QVERIFY(flash.replacePresetBlock(filler(0xC0, 77)));
    const QByteArray out = flash.image();
    QCOMPARE(out.mid(28 + 48 * 1 + 12, 4), QByteArrayLiteral("NCRC"));
    QCOMPARE(u32At(out, sumCrc), crc32Mpeg2(out.mid(0x400, 0x80)));
    QCOMPARE(u32At(out, 28 + 12), crc32Mpeg2(filler(0xC0, 77)));
    QCOMPARE(flashtest::inconsistency(out), QString());
}

void TestFlashLayout::alignedTags_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<qint64>("tablePosition");
    QTest::addColumn<uint>("offset");
    QTest::addColumn<qint64>("expectedStart");

    QTest::newRow("a4-unaligned") << 0xA4 << qint64(0) << 0x12345u << qint64(0x20000);
    QTest::newRow("a8-unaligned") << 0xA8 << qint64(0) << 0x8000u << qint64(0x10000);
    QTest::newRow("a4-aligned-stays") << 0xA4 << qint64(0) << 0x10000u << qint64(0x10000);
    QTest::newRow("other-tag-stays") << 0xA5 << qint64(0) << 0x8000u << qint64(0x8000);
    // The boundary is one of the image: a table off the boundary does not shift it.
    QTest::newRow("a4-aligned-in-image") << 0xA4 << qint64(0x200) << 0xFE00u << qint64(0x10000);
    QTest::newRow("a4-aligned-offset-only") << 0xA4 << qint64(0x200) << 0x10000u << qint64(0x20000);
}

void TestFlashLayout::alignedTags()
{
    QFETCH(int, tag);
    QFETCH(qint64, tablePosition);
    QFETCH(uint, offset);
    QFETCH(qint64, expectedStart);

    const QByteArray data = filler(0x400, 11);
    const QByteArray image = buildFlashImage(
        0x30000, {table(tablePosition, {block(0x9C, "preset", 0x100, 0x100), block(uint8_t(tag), "k", offset, 0x400, 11)})});
    FlashImage flash;
    QVERIFY(flash.parse(image));
    QVERIFY2(flash.replacePresetBlock(filler(0x100, 5)), qPrintable(flash.errorString()));

    FlashImage reread;
    QVERIFY(reread.parse(flash.image()));
    QCOMPARE(entry(reread, "k").blockStart(), expectedStart);
    QCOMPARE(entry(reread, "k").block, data);
    QCOMPARE(flashtest::inconsistency(flash.image()), QString());
    if (expectedStart != tablePosition + offset) {
        // Nothing of the old copy may be left where the block was.
        QCOMPARE(flash.image().mid(int(tablePosition + offset), 0x10), QByteArray(0x10, char(0xFF)));
    }
}

void TestFlashLayout::presetSizeChange_data()
{
    QTest::addColumn<int>("newSize");
    QTest::addColumn<int>("nextTag");
    QTest::addColumn<qint64>("nextStart");
    QTest::addColumn<qint64>("lastStart");

    // preset at 0x100 (0x100 bytes), next block at 0x200 (0xA4: at 0x10000), last at 0x20000
    QTest::newRow("grown-pushes-next") << 0x180 << 0x31 << qint64(0x280) << qint64(0x20000);
    QTest::newRow("same-size-keeps-next") << 0x100 << 0x31 << qint64(0x200) << qint64(0x20000);
    QTest::newRow("shrunk-keeps-next") << 0x40 << 0x31 << qint64(0x200) << qint64(0x20000);
    QTest::newRow("a4-with-room-stays") << 0x180 << 0xA4 << qint64(0x10000) << qint64(0x20000);
    QTest::newRow("pushed-a4-goes-to-boundary") << 0x10000 << 0xA4 << qint64(0x20000) << qint64(0x20100);
}

void TestFlashLayout::presetSizeChange()
{
    QFETCH(int, newSize);
    QFETCH(int, nextTag);
    QFETCH(qint64, nextStart);
    QFETCH(qint64, lastStart);

    const QByteArray nextData = filler(0x100, 21);
    // The table sits at 0, so offsets are image positions; an aligned block
    // starts out on its boundary.
    const uint32_t nextOffset = nextTag == 0xA4 ? 0x10000 : 0x200;
    const QByteArray image = buildFlashImage(
        0x30000, {table(0, {block(0x9C, "preset", 0x100, 0x100), block(uint8_t(nextTag), "next", nextOffset, 0x100, 21), block(0x32, "last", 0x20000, 0x100, 31)})});

    FlashImage flash;
    QVERIFY(flash.parse(image));
    QCOMPARE(entry(flash, "preset").blockStart(), qint64(0x100));
    QCOMPARE(entry(flash, "next").blockStart(), qint64(nextOffset));

    const QByteArray preset = filler(newSize, 99);
    QVERIFY2(flash.replacePresetBlock(preset), qPrintable(flash.errorString()));
    const QByteArray out = flash.image();
    QCOMPARE(out.size(), image.size());
    QCOMPARE(flashtest::inconsistency(out), QString());

    FlashImage reread;
    QVERIFY(reread.parse(out));
    QCOMPARE(entry(reread, "preset").block, preset);
    QCOMPARE(entry(reread, "next").blockStart(), nextStart);
    QCOMPARE(entry(reread, "next").block, nextData);
    QCOMPARE(entry(reread, "last").blockStart(), lastStart);
    QCOMPARE(entry(reread, "last").block, image.mid(0x20000, 0x100));
    if (newSize < 0x100) {
        // The shrunk block's old tail holds nothing that could be read as data.
        QCOMPARE(out.mid(0x100 + newSize, 0x100 - newSize), QByteArray(0x100 - newSize, char(0xFF)));
    }
}

void TestFlashLayout::blockPushedPastImageFails_data()
{
    QTest::addColumn<int>("imageSize");
    QTest::addColumn<int>("lastTag");

    // the last block sits at 0x1000 with 0x100 bytes; the preset grows by 0x80
    QTest::newRow("pushed-past-end") << 0x1100 << 0x31;
    QTest::newRow("raised-past-end") << 0xFFFF << 0xA8;
}

void TestFlashLayout::blockPushedPastImageFails()
{
    QFETCH(int, imageSize);
    QFETCH(int, lastTag);

    const QByteArray image = buildFlashImage(
        imageSize, {table(0, {block(0x9C, "preset", 0x100, 0x100), block(0x30, "mid", 0x200, 0xE00), block(uint8_t(lastTag), "last", 0x1000, 0x100)})});
    FlashImage flash;
    QVERIFY(flash.parse(image));
    const std::vector<FlashEntry> before = flash.entries();
    QVERIFY(!flash.replacePresetBlock(filler(0x180, 1)));
    QVERIFY(flash.errorString().contains(QLatin1String("last")));
    QCOMPARE(flash.image(), image);
    QCOMPARE(flash.entries()[flash.presetEntry()].block, before[flash.presetEntry()].block);
}

void TestFlashLayout::movedTableKeepsItsHeader()
{
    FlashTablePlan second = table(0x10000, {block(0x40, "fs", 0x100, 0x200, 3), block(0xA4, "app", 0x10000, 0x100, 4)});
    second.reserved = "second-table";
    const QByteArray image = buildFlashImage(
        0x40000, {table(0, {block(0x20, "boot", 0x100, 0x100), block(0x9C, "preset", 0x8000, 0x7000)}), second});
    FlashImage flash;
    QVERIFY(flash.parse(image));

    // The preset now runs over the second table's old place.
    QVERIFY2(flash.replacePresetBlock(filler(0x8100, 8)), qPrintable(flash.errorString()));
    const QByteArray out = flash.image();
    QCOMPARE(flashtest::inconsistency(out), QString());

    FlashImage reread;
    QVERIFY(reread.parse(out));
    QCOMPARE(int(reread.tables().size()), 2);
    QCOMPARE(reread.tables()[1].position, qint64(0x20000));
    QCOMPARE(reread.tables()[1].header, image.mid(0x10000, 28));
    QCOMPARE(entry(reread, "fs").blockStart(), qint64(0x20100));
    QCOMPARE(entry(reread, "fs").block, filler(0x200, 3));
    QCOMPARE(entry(reread, "app").blockStart(), qint64(0x30000));
    QCOMPARE(entry(reread, "app").block, filler(0x100, 4));
    QCOMPARE(entry(reread, "preset").block, filler(0x8100, 8));
}

void TestFlashLayout::nestedTableMovesWithItsBlock()
{
    // Two blocks with one tag, each holding a table: each table must travel
    // with its own block when the grown preset pushes both up.
    FlashTablePlan top = table(0, {block(0x9C, "preset", 0x100, 0x100), block(0x77, "one", 0x200, 0x400), block(0x77, "two", 0x600, 0x400)});
    FlashTablePlan inOne = table(0x210, {block(0x55, "one-a", 0x80, 0x40, 2), block(0x56, "one-b", 0xC0, 0x40, 3)});
    FlashBlockPlan raw = block(0x57, "two-a", 0x80, 0x40, 4);
    raw.noChecksum = true;
    FlashTablePlan inTwo = table(0x610, {raw});
    const QByteArray image = buildFlashImage(0x2000, {top, inOne, inTwo});
    FlashImage flash;
    QVERIFY(flash.parse(image));

    QVERIFY2(flash.replacePresetBlock(filler(0x130, 6)), qPrintable(flash.errorString()));
    const QByteArray out = flash.image();
    QCOMPARE(flashtest::inconsistency(out), QString());

    FlashImage reread;
    QVERIFY(reread.parse(out));
    QCOMPARE(int(reread.tables().size()), 3);
    QCOMPARE(int(reread.entries().size()), 6);
    QCOMPARE(reread.tables()[1].position, qint64(0x240));
    QCOMPARE(reread.tables()[2].position, qint64(0x640));
    QCOMPARE(reread.tables()[1].enclosingEntry, flashtest::entryNamed(reread, "one"));
    QCOMPARE(reread.tables()[2].enclosingEntry, flashtest::entryNamed(reread, "two"));
    QCOMPARE(entry(reread, "one-a").block, filler(0x40, 2));
    QCOMPARE(entry(reread, "one-b").block, filler(0x40, 3));
    QCOMPARE(entry(reread, "two-a").block, filler(0x40, 4));
    // The enclosing block moved as one piece.
    QCOMPARE(entry(reread, "one").block, image.mid(0x200, 0x400));
}

void TestFlashLayout::nestedGrowthStaysInsideEnclosingBlock_data()
{
    QTest::addColumn<int>("presetSize");
    QTest::addColumn<bool>("ok");

    // the preset (0x80 bytes) and the block after it live in a 0x400-byte block
    QTest::newRow("shrinks") << 0x40 << true;
    QTest::newRow("fits") << 0x100 << true;
    QTest::newRow("exactly-fits") << 0x400 - 0x20 - 28 - 96 - 0x40 << true;
    QTest::newRow("overflows-enclosing-block") << 0x400 - 0x20 - 28 - 96 - 0x40 + 1 << false;
}

void TestFlashLayout::nestedGrowthStaysInsideEnclosingBlock()
{
    QFETCH(int, presetSize);
    QFETCH(bool, ok);

    // enclosing block at 0x200..0x600; nested table at 0x220 (ends 0x29C)
    FlashTablePlan top = table(0, {block(0x20, "boot", 0x100, 0x100), block(0x70, "outer", 0x200, 0x400), block(0x21, "after", 0x800, 0x100, 5)});
    FlashTablePlan nested = table(0x220, {block(0x9C, "preset", 28 + 96, 0x80, 2), block(0x22, "tail", 28 + 96 + 0x80, 0x40, 3)});
    const QByteArray image = buildFlashImage(0x2000, {top, nested});
    FlashImage flash;
    QVERIFY(flash.parse(image));
    QCOMPARE(entry(flash, "preset").enclosingTag, uint8_t(0x70));

    QCOMPARE(flash.replacePresetBlock(filler(presetSize, 9)), ok);
    if (!ok) {
        QVERIFY(flash.errorString().contains(QLatin1String("tail")));
        QCOMPARE(flash.image(), image);
        return;
    }
    const QByteArray out = flash.image();
    QCOMPARE(flashtest::inconsistency(out), QString());
    FlashImage reread;
    QVERIFY(reread.parse(out));
    QCOMPARE(entry(reread, "outer").blockStart(), qint64(0x200));
    const qint64 presetEnd = 0x220 + 28 + 96 + presetSize;
    const qint64 tailStart = std::max(presetEnd, qint64(0x220 + 28 + 96 + 0x80));
    QCOMPARE(entry(reread, "tail").blockStart(), tailStart);
    // What lies between the blocks inside the enclosing block is erased, not stale.
    QCOMPARE(out.mid(int(presetEnd), int(tailStart - presetEnd)), QByteArray(int(tailStart - presetEnd), char(0xFF)));
    QCOMPARE(entry(reread, "tail").block, filler(0x40, 3));
    QCOMPARE(entry(reread, "preset").block, filler(presetSize, 9));
    // Blocks outside the enclosing one are untouched.
    QCOMPARE(out.left(0x200), image.left(0x200).replace(28 + 48 + 12, 4, out.mid(28 + 48 + 12, 4)));
    QCOMPARE(out.mid(0x600), image.mid(0x600));
}

void TestFlashLayout::presetHoldingATableIsRefused()
{
    FlashTablePlan top = table(0, {block(0x9C, "preset", 0x100, 0x400)});
    FlashTablePlan nested = table(0x110, {block(0x22, "inside", 0x100, 0x40)});
    const QByteArray image = buildFlashImage(0x1000, {top, nested});
    FlashImage flash;
    QVERIFY(flash.parse(image));
    QVERIFY(!flash.replacePresetBlock(filler(0x400, 1)));
    QCOMPARE(flash.image(), image);
}

void TestFlashLayout::secondLayoutChangesNothing()
{
    FlashTablePlan nested = table(0x20020, {block(0x55, "inner", 0x100, 0x200, 2)});
    const QByteArray image = buildFlashImage(
        0x50000, {table(0x100, {block(0x20, "boot", 0x100, 0x100), block(0x9C, "preset", 0x200, 0x800), block(0x31, "logo", 0xA00, 0x100), block(0xA8, "app", 0xFF00, 0x300)}), table(0x18000, {block(0x77, "holder", 0x8000, 0x1000)}), nested});
    FlashImage flash;
    QVERIFY(flash.parse(image));
    const QByteArray preset = filler(0x10000, 4); // moves logo, app and the second table
    QVERIFY2(flash.replacePresetBlock(preset), qPrintable(flash.errorString()));
    const QByteArray once = flash.image();
    QCOMPARE(flashtest::inconsistency(once), QString());

    FlashImage again;
    QVERIFY(again.parse(once));
    QCOMPARE(again.entries().size(), flash.entries().size());
    QVERIFY(again.replacePresetBlock(preset));
    QCOMPARE(again.image(), once);
    // The same object saved twice lands on the same bytes too.
    QVERIFY(flash.replacePresetBlock(preset));
    QCOMPARE(flash.image(), once);
}

void TestFlashLayout::corruptedTablesNeverBreakTheImage()
{
    FlashTablePlan nested = table(0x2040, {block(0x55, "inner", 0x100, 0x200, 2), block(0xA4, "al", 0x400, 0x80, 3)});
    const QByteArray image = buildFlashImage(
        0x20000, {table(0x40, {block(0x20, "boot", 0x100, 0x100), block(0x9C, "preset", 0x200, 0x400), block(0x60, "holder", 0x2000 - 0x40, 0x1000), block(0xA8, "app", 0x4000, 0x300)}), nested});
    // Damage the table bytes (where every offset, size and count lives) at random.
    QRandomGenerator random(20240611);
    const int tableBytes[] = {0x40, 0x40 + 28 + 48 * 4, 0x2040, 0x2040 + 28 + 48 * 2};
    int laidOut = 0;
    for (int round = 0; round < 800; ++round) {
        QByteArray damaged = image;
        for (int hits = 1 + random.bounded(4); hits > 0; --hits) {
            const int which = 2 * random.bounded(2);
            const int at = tableBytes[which] + random.bounded(tableBytes[which + 1] - tableBytes[which]);
            damaged[at] = char(random.bounded(256));
        }
        FlashImage flash;
        if (!flash.parse(damaged))
            continue;
        for (const FlashEntry &e : flash.entries())
            QVERIFY(e.blockStart() >= 0 && e.blockStart() + e.size() <= damaged.size());
        if (flash.presetEntry() < 0)
            continue;
        const QByteArray before = flash.image();
        if (flash.replacePresetBlock(filler(random.bounded(0x100, 0x2000), 1))) {
            ++laidOut;
            QCOMPARE(flash.image().size(), damaged.size());
        } else {
            QCOMPARE(flash.image(), before);
        }
    }
    QVERIFY(laidOut > 10);
}

QTEST_GUILESS_MAIN(TestFlashLayout)
#include "test_flashlayout.moc"
