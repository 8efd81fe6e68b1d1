// The lzma tool as a program: what it packs, the system's lzma_alone unpacks
// and the other way round; bad input fails loudly and leaves no output.

#include <QtTest>

namespace {

const QString Tool = QStringLiteral(TAVRIN_BIN_DIR "/tavrin-lzma");
const QString Reference = QStringLiteral("/usr/bin/lzma_alone");

struct Run
{
    int exitCode = -1;
    QByteArray standardError;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    if (!process.waitForStarted() || !process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.standardError = process.readAllStandardError();
    return result;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), qint64(data.size()));
}

QByteArray randomBytes(int size)
{
    QByteArray data(size, '\0');
    quint32 state = 12345;
    for (char &c : data) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    return data;
}

quint64 headerSize(const QByteArray &packed)
{
    quint64 size = 0;
    for (int i = 0; i < 8; ++i)
        size |= quint64(quint8(packed.at(5 + i))) << (8 * i);
    return size;
}

QByteArray withHeaderSize(QByteArray packed, quint64 size)
{
    for (int i = 0; i < 8; ++i)
        packed[5 + i] = char(size >> (8 * i));
    return packed;
}

} // namespace

class TestLzmaTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void interoperates_data();
    void interoperates();
    void packsWithKnownSize();
    void unpacksEveryForm_data();
    void unpacksEveryForm();
    void failuresLeaveNoOutput_data();
    void failuresLeaveNoOutput();

private:
    QString path(const char *name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    QByteArray referencePack(const QByteArray &data, const QStringList &options = {});

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestLzmaTool::initTestCase()
{
    QVERIFY2(QFileInfo(Tool).isExecutable(), qPrintable(Tool));
}

void TestLzmaTool::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QByteArray TestLzmaTool::referencePack(const QByteArray &data, const QStringList &options)
{
    writeAll(path("ref-in"), data);
    const Run packed = run(Reference, QStringList{"e"} + options + QStringList{path("ref-in"), path("ref-out")});
    if (packed.exitCode != 0)
        return QByteArray();
    return readAll(path("ref-out"));
}

void TestLzmaTool::interoperates_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one byte") << QByteArray("x");
    QTest::newRow("text") << QByteArray("presetdata").repeated(500);
    QTest::newRow("incompressible 256 KiB") << randomBytes(256 * 1024);
    QTest::newRow("zeros 2 MiB") << QByteArray(2 * 1024 * 1024, '\0');
}

void TestLzmaTool::interoperates()
{
    if (!QFileInfo(Reference).isExecutable())
        QSKIP("lzma_alone is not installed");
    QFETCH(QByteArray, data);

    writeAll(path("in"), data);
    QCOMPARE(run(Tool, {"e", path("in"), path("ours.lzma")}).exitCode, 0);
    QCOMPARE(run(Reference, {"d", path("ours.lzma"), path("ours.out")}).exitCode, 0);
    QVERIFY(readAll(path("ours.out")) == data);

    writeAll(path("theirs.lzma"), referencePack(data));
    QCOMPARE(run(Tool, {"d", path("theirs.lzma"), path("theirs.out")}).exitCode, 0);
    QVERIFY(readAll(path("theirs.out")) == data);
}

void TestLzmaTool::packsWithKnownSize()
{
    const QByteArray data = QByteArray("channel list ").repeated(1000);
    writeAll(path("in"), data);
    QCOMPARE(run(Tool, {"e", path("in"), path("packed")}).exitCode, 0);
    const QByteArray packed = readAll(path("packed"));
    QVERIFY(packed.size() > 13);
    QCOMPARE(headerSize(packed), quint64(data.size()));
    QCOMPARE(quint8(packed.at(0)), quint8(0x5D)); // lc 3, lp 0, pb 2

    // No end marker: told that the size is unknown, a decoder finds no end.
    writeAll(path("unsized"), withHeaderSize(packed, ~quint64(0)));
    QVERIFY(run(Tool, {"d", path("unsized"), path("unsized.out")}).exitCode != 0);
    if (QFileInfo(Reference).isExecutable())
        QVERIFY(run(Reference, {"d", path("unsized"), path("unsized.ref")}).exitCode != 0);
}

void TestLzmaTool::unpacksEveryForm_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("known size") << "known";
    QTest::newRow("unknown size with end marker") << "eos";
    QTest::newRow("known size with end marker") << "known+eos";
    QTest::newRow("known size, zero padding") << "known+zeros";
    QTest::newRow("known size, garbage after") << "known+garbage";
    QTest::newRow("end marker, garbage after") << "eos+garbage";
}

void TestLzmaTool::unpacksEveryForm()
{
    QFETCH(QString, form);
    const QByteArray data = QByteArray("Nordlicht 11836 27500 H ").repeated(300) + randomBytes(3000);

    QByteArray packed;
    if (form.startsWith("known")) {
        writeAll(path("in"), data);
        QCOMPARE(run(Tool, {"e", path("in"), path("packed")}).exitCode, 0);
        packed = readAll(path("packed"));
    }
    if (form.contains("eos")) {
        if (!QFileInfo(Reference).isExecutable())
            QSKIP("lzma_alone is not installed");
        packed = referencePack(data, {"-eos"});
        QCOMPARE(headerSize(packed), ~quint64(0));
        if (form == "known+eos")
            packed = withHeaderSize(packed, quint64(data.size()));
    }
    if (form.endsWith("zeros"))
        packed += QByteArray(4096, '\0');
    if (form.endsWith("garbage"))
        packed += randomBytes(777);

    writeAll(path("packed"), packed);
    const Run unpacked = run(Tool, {"d", path("packed"), path("out")});
    QVERIFY2(unpacked.exitCode == 0, unpacked.standardError.constData());
    QVERIFY(readAll(path("out")) == data);
}

void TestLzmaTool::failuresLeaveNoOutput_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");

    const QByteArray data = QByteArray("preset ").repeated(2000);
    QTemporaryDir dir;
    writeAll(dir.filePath("in"), data);
    run(Tool, {"e", dir.filePath("in"), dir.filePath("packed")});
    const QByteArray packed = readAll(dir.filePath("packed"));
    QVERIFY(!packed.isEmpty());

    QTest::newRow("missing input") << QStringList{"d", "IN-MISSING", "OUT"} << QByteArray();
    QTest::newRow("shorter than the header") << QStringList{"d", "IN", "OUT"} << packed.left(12);
    QTest::newRow("header only") << QStringList{"d", "IN", "OUT"} << packed.left(13);
    QByteArray badProps = packed;
    badProps[0] = char(0xE1);
    QTest::newRow("bad properties byte") << QStringList{"d", "IN", "OUT"} << badProps;
    QByteArray wideLiterals = packed;
    wideLiterals[0] = char(4 * 9 + 3); // lc 3 + lp 4 is beyond LZMA1
    QTest::newRow("lc plus lp too large") << QStringList{"d", "IN", "OUT"} << wideLiterals;
    QTest::newRow("truncated stream") << QStringList{"d", "IN", "OUT"} << packed.left(packed.size() / 2);
    QTest::newRow("size larger than the stream")
        << QStringList{"d", "IN", "OUT"} << withHeaderSize(packed, quint64(data.size()) + 1);
    QTest::newRow("not lzma at all") << QStringList{"d", "IN", "OUT"} << data;
    QTest::newRow("output folder missing") << QStringList{"e", "IN", "NO-DIR/OUT"} << data;
    QTest::newRow("unknown mode") << QStringList{"x", "IN", "OUT"} << data;
    QTest::newRow("too few arguments") << QStringList{"e", "IN"} << data;
}

void TestLzmaTool::failuresLeaveNoOutput()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);

    writeAll(path("IN"), input);
    // An OUT from before must survive a failed run untouched.
    const QByteArray previous("previous output");
    writeAll(path("OUT"), previous);
    for (QString &argument : arguments) {
        if (argument != "d" && argument != "e" && argument != "x")
            argument = m_dir->filePath(argument);
    }

    const Run result = run(Tool, arguments);
    QVERIFY(result.exitCode > 0);
    QVERIFY(!result.standardError.trimmed().isEmpty());
    QCOMPARE(readAll(path("OUT")), previous);
    // No temporary file is left behind either.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"IN", "OUT"}));
}

QTEST_GUILESS_MAIN(TestLzmaTool)
#include "test_lzmatool.moc"
