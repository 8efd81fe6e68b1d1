#include "bitstream.h"
#include "crc32mpeg2.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace ostrel;

namespace {

// Bit-at-a-time CRC, as the parameters define it, to check the table-driven one against.
uint32_t referenceCrc(const QByteArray &data)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= uint32_t(uint8_t(c)) << 24;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

QByteArray ones(int bytes)
{
    return QByteArray(bytes, char(0xFF));
}

} // namespace

class TestBitStream : public QObject
{
    Q_OBJECT

private slots:
    void readUInt_data();
    void readUInt();
    void readText_data();
    void readText();
    void readBits();
    void writeKeepsNeighbours();
    void writeWideFieldZerosHighBits();
    void writeText();
    void writeBitsCopiesShorterSource();
    void writeOutsideChangesNothing();
    void crcCheckValue();
    void crcMatchesReference();
};

void TestBitStream::readUInt_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<qulonglong>("position");
    QTest::addColumn<qulonglong>("width");
    QTest::addColumn<uint>("expected");
    QTest::addColumn<bool>("ok");

    const QByteArray bytes = QByteArray::fromHex("78563412f0");
    QTest::newRow("aligned-32-little-endian") << bytes << 0ull << 32ull << 0x12345678u << true;
    QTest::newRow("aligned-8") << bytes << 8ull << 8ull << 0x56u << true;
    QTest::newRow("low-nibble") << bytes << 0ull << 4ull << 0x8u << true;
    QTest::newRow("across-bytes") << bytes << 4ull << 8ull << 0x67u << true;
    QTest::newRow("unaligned-32") << bytes << 4ull << 32ull << 0x01234567u << true;
    QTest::newRow("single-bit") << QByteArray::fromHex("04") << 2ull << 1ull << 1u << true;
    QTest::newRow("wider-than-32-keeps-low") << bytes << 0ull << 40ull << 0x12345678u << true;
    QTest::newRow("width-zero") << bytes << 3ull << 0ull << 0u << true;
    QTest::newRow("ends-at-last-bit") << bytes << 36ull << 4ull << 0xFu << true;
    QTest::newRow("one-bit-past-end") << bytes << 37ull << 4ull << 0u << false;
    QTest::newRow("starts-past-end") << bytes << 41ull << 1ull << 0u << false;
    QTest::newRow("huge-position") << bytes << ~0ull << 8ull << 0u << false;
    QTest::newRow("huge-width") << bytes << 8ull << ~0ull << 0u << false;
    QTest::newRow("empty-data") << QByteArray() << 0ull << 1ull << 0u << false;
}

void TestBitStream::readUInt()
{
    QFETCH(QByteArray, data);
    QFETCH(qulonglong, position);
    QFETCH(qulonglong, width);
    QFETCH(uint, expected);
    QFETCH(bool, ok);
    bool inside = !ok;
    QCOMPARE(BitReader(data).readUInt(position, width, &inside), expected);
    QCOMPARE(inside, ok);
}

void TestBitStream::readText_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<qulonglong>("position");
    QTest::addColumn<qulonglong>("width");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("ok");

    const QByteArray abc = QByteArray::fromHex("410042004300");
    QTest::newRow("whole") << abc << 0ull << 48ull << QStringLiteral("ABC") << true;
    QTest::newRow("cut-at-field-end") << abc << 0ull << 32ull << QStringLiteral("AB") << true;
    QTest::newRow("partial-unit-dropped") << abc << 0ull << 40ull << QStringLiteral("AB") << true;
    QTest::newRow("stops-at-zero") << QByteArray::fromHex("410000004300") << 0ull << 48ull << QStringLiteral("A") << true;
    QTest::newRow("non-latin") << QByteArray::fromHex("1504") << 0ull << 16ull << QStringLiteral(u"\u0415") << true;
    // "A" shifted up by four bits.
    QTest::newRow("unaligned") << QByteArray::fromHex("100400") << 4ull << 16ull << QStringLiteral("A") << true;
    QTest::newRow("outside") << abc << 16ull << 48ull << QString() << false;
}

void TestBitStream::readText()
{
    QFETCH(QByteArray, data);
    QFETCH(qulonglong, position);
    QFETCH(qulonglong, width);
    QFETCH(QString, expected);
    QFETCH(bool, ok);
    bool inside = !ok;
    QCOMPARE(BitReader(data).readText(position, width, &inside), expected);
    QCOMPARE(inside, ok);
}

void TestBitStream::readBits()
{
    const BitReader reader(QByteArray::fromHex("f00f"));
    QCOMPARE(reader.readBits(4, 8), QByteArray::fromHex("ff"));
    QCOMPARE(reader.readBits(4, 9), QByteArray::fromHex("ff00"));
    QCOMPARE(reader.readBits(0, 3), QByteArray::fromHex("00"));
    bool ok = true;
    QVERIFY(reader.readBits(9, 8, &ok).isEmpty());
    QVERIFY(!ok);
}

void TestBitStream::writeKeepsNeighbours()
{
    // Fields written in any order at any position read back, and no write disturbs
    // the bits next to it.
    QRandomGenerator random(7);
    for (int round = 0; round < 500; ++round) {
        BitWriter writer(12);
        writer.writeBits(0, 96, ones(12), 96);
        const uint64_t width = random.bounded(1, 33);
        const uint64_t position = random.bounded(0, int(96 - width + 1));
        const uint32_t value = random.generate();
        QVERIFY(writer.writeUInt(position, width, value));
        const BitReader reader(writer.data());
        const uint32_t mask = width == 32 ? 0xFFFFFFFFu : (1u << width) - 1;
        QCOMPARE(reader.readUInt(position, width), value & mask);
        if (position > 0)
            QCOMPARE(reader.readUInt(0, std::min<uint64_t>(position, 32)),
                     uint32_t((uint64_t(1) << std::min<uint64_t>(position, 32)) - 1));
        const uint64_t after = position + width;
        if (after < 96)
            QCOMPARE(reader.readUInt(after, 1), 1u);
        if (position > 0)
            QCOMPARE(reader.readUInt(position - 1, 1), 1u);
    }
}

void TestBitStream::writeWideFieldZerosHighBits()
{
    BitWriter writer(8);
    writer.writeBits(0, 64, ones(8), 64);
    QVERIFY(writer.writeUInt(3, 44, 0xA5A5A5A5u));
    const BitReader reader(writer.data());
    QCOMPARE(reader.readUInt(3, 32), 0xA5A5A5A5u);
    QCOMPARE(reader.readUInt(35, 12), 0u);
    QCOMPARE(reader.readUInt(0, 3), 7u);
    QCOMPARE(reader.readUInt(47, 17), 0x1FFFFu);
}

void TestBitStream::writeText()
{
    BitWriter writer(8);
    writer.writeBits(0, 64, ones(8), 64);
    QVERIFY(writer.writeText(4, 40, QStringLiteral("XYZW")));
    const BitReader reader(writer.data());
    QCOMPARE(reader.readText(4, 40), QStringLiteral("XY"));
    // The field's spare bits are cleared; bits outside it are not.
    QCOMPARE(reader.readUInt(36, 8), 0u);
    QCOMPARE(reader.readUInt(0, 4), 0xFu);
    QCOMPARE(reader.readUInt(44, 20), 0xFFFFFu);

    QVERIFY(writer.writeText(4, 40, QStringLiteral("Q")));
    QCOMPARE(BitReader(writer.data()).readText(4, 40), QStringLiteral("Q"));
}

void TestBitStream::writeBitsCopiesShorterSource()
{
    BitWriter writer(4);
    writer.writeBits(0, 32, ones(4), 32);
    QVERIFY(writer.writeBits(2, 20, QByteArray::fromHex("5a03"), 10));
    const BitReader reader(writer.data());
    QCOMPARE(reader.readUInt(2, 10), 0x35Au & 0x3FFu);
    QCOMPARE(reader.readUInt(12, 10), 0u);
    QCOMPARE(reader.readUInt(22, 10), 0x3FFu);
}

void TestBitStream::writeOutsideChangesNothing()
{
    BitWriter writer(2);
    QVERIFY(!writer.writeUInt(10, 7, 0x7F));
    QVERIFY(!writer.writeText(0, 32, QStringLiteral("AB")));
    QVERIFY(!writer.writeBits(~0ull - 3, 8, ones(1), 8));
    QCOMPARE(writer.data(), QByteArray(2, '\0'));
    QVERIFY(writer.writeUInt(9, 7, 0x7F));
    QCOMPARE(writer.data(), QByteArray::fromHex("00fe"));
}

void TestBitStream::crcCheckValue()
{
    QCOMPARE(crc32Mpeg2(QByteArrayLiteral("123456789")), 0x0376E6E7u);
    QCOMPARE(crc32Mpeg2(QByteArray()), 0xFFFFFFFFu);
    QCOMPARE(crc32Mpeg2(nullptr, 0), 0xFFFFFFFFu);
}

void TestBitStream::crcMatchesReference()
{
    QRandomGenerator random(11);
    QByteArray data;
    for (int size = 0; size < 70; ++size) {
        QCOMPARE(crc32Mpeg2(data), referenceCrc(data));
        data.append(char(random.bounded(256)));
    }
    // Continuing over pieces gives the CRC of the whole.
    const uint32_t first = crc32Mpeg2(data.constData(), 13);
    QCOMPARE(crc32Mpeg2(data.constData() + 13, size_t(data.size() - 13), first), referenceCrc(data));
}

QTEST_GUILESS_MAIN(TestBitStream)
#include "test_bitstream.moc"
