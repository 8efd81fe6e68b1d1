#include "filetyperegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using KindMap = QMap<QString, int>;
using LibraryMap = QMap<int, QString>;

class TestFileTypeRegistry : public QObject
{
    Q_OBJECT

private slots:
    void readsGroups_data();
    void readsGroups();
    void missingFileLeavesEverythingEmpty();
    void lookupsUseLowerCaseSuffix_data();
    void lookupsUseLowerCaseSuffix();
    void shippedFileServesTheParser();

private:
    QString writeIni(const QByteArray &text);
    QTemporaryDir m_dir;
};

QString TestFileTypeRegistry::writeIni(const QByteArray &text)
{
    const QString path = m_dir.filePath(QStringLiteral("Tavrin_%1.ini").arg(QTest::currentDataTag()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(text);
    return path;
}

void TestFileTypeRegistry::readsGroups_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<KindMap>("kinds");
    QTest::addColumn<LibraryMap>("libraries");
    QTest::addColumn<QString>("filter");

    QTest::newRow("three-kinds")
        << QByteArray("[type]\nflash=1\nuserdb=2\ndefaultdb=3\n"
                      "[dll]\nabs=ostrel\nudf=ostrel\nddf=ostrel\n"
                      "[ext]\nabs=flash\nudf=userdb\nddf=defaultdb\n"
                      "[desc]\nabs=Flash image\nudf=User dump\nddf=Default database\n")
        << KindMap{{"abs", 1}, {"udf", 2}, {"ddf", 3}}
        << LibraryMap{{1, "ostrel"}, {2, "ostrel"}, {3, "ostrel"}}
        << QStringLiteral("Flash image (*.abs);;Default database (*.ddf);;User dump (*.udf)");

    QTest::newRow("ext-names-unknown-type")
        << QByteArray("[type]\nuserdb=2\n[dll]\nudf=libA\nxyz=libX\n[ext]\nudf=userdb\nxyz=nosuchtype\n"
                      "[desc]\nudf=Dump\nxyz=Other\n")
        << KindMap{{"udf", 2}, {"xyz", 0}}
        << LibraryMap{{0, "libX"}, {2, "libA"}}
        << QStringLiteral("Dump (*.udf);;Other (*.xyz)");

    // Keys come back in ascending order, so "bin" is read after "abs".
    QTest::newRow("same-kind-last-wins")
        << QByteArray("[type]\nflash=1\n[dll]\nabs=libA\nbin=libB\n[ext]\nabs=flash\nbin=flash\n")
        << KindMap{{"abs", 1}, {"bin", 1}}
        << LibraryMap{{1, "libB"}}
        << QStringLiteral(" (*.abs);; (*.bin)");

    QTest::newRow("ext-without-library")
        << QByteArray("[type]\nuserdb=2\n[ext]\nudf=userdb\n[desc]\nudf=Dump\n")
        << KindMap{{"udf", 2}}
        << LibraryMap{}
        << QString();

    QTest::newRow("library-without-ext")
        << QByteArray("[dll]\nudf=libA\n[desc]\nudf=Dump\n")
        << KindMap{}
        << LibraryMap{}
        << QStringLiteral("Dump (*.udf)");

    QTest::newRow("no-groups")
        << QByteArray("lastopendir=/tmp\n")
        << KindMap{} << LibraryMap{} << QString();
}

void TestFileTypeRegistry::readsGroups()
{
    QFETCH(QByteArray, ini);
    QFETCH(KindMap, kinds);
    QFETCH(LibraryMap, libraries);
    QFETCH(QString, filter);

    const FileTypeRegistry registry = FileTypeRegistry::fromFile(writeIni(ini));
    QCOMPARE(registry.kindByExtension, kinds);
    QCOMPARE(registry.libraryByType, libraries);
    QCOMPARE(registry.openFilter(), filter);
}

void TestFileTypeRegistry::missingFileLeavesEverythingEmpty()
{
    const FileTypeRegistry registry = FileTypeRegistry::fromFile(m_dir.filePath(QStringLiteral("absent.ini")));
    QVERIFY(registry.libraryByExtension.isEmpty());
    QVERIFY(registry.descriptionByExtension.isEmpty());
    QVERIFY(registry.libraryByType.isEmpty());
    QVERIFY(registry.kindByExtension.isEmpty());
    QCOMPARE(registry.openFilter(), QString());
    QCOMPARE(registry.libraryForPath(QStringLiteral("/data/a.udf")), QString());
    QCOMPARE(registry.kindForPath(QStringLiteral("/data/a.udf")), 0);
}

void TestFileTypeRegistry::lookupsUseLowerCaseSuffix_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("library");
    QTest::addColumn<int>("kind");

    QTest::newRow("lower") << "/data/box.udf"
                           << "ostrel" << 2;
    QTest::newRow("upper") << "/data/BOX.UDF"
                           << "ostrel" << 2;
    QTest::newRow("mixed") << "/data/Box.Abs"
                           << "ostrel" << 1;
    QTest::newRow("dots-in-folder") << "/data/v1.udf/box.ddf"
                                    << "ostrel" << 3;
    QTest::newRow("customer-prefix") << "defaultdb;/data/box.abs"
                                     << "ostrel" << 1;
    QTest::newRow("unknown") << "/data/box.txt"
                             << "" << 0;
    QTest::newRow("no-suffix") << "/data/udf"
                               << "" << 0;
}

void TestFileTypeRegistry::lookupsUseLowerCaseSuffix()
{
    QFETCH(QString, path);
    QFETCH(QString, library);
    QFETCH(int, kind);

    const FileTypeRegistry registry = FileTypeRegistry::fromFile(
        writeIni("[type]\nflash=1\nuserdb=2\ndefaultdb=3\n[dll]\nabs=ostrel\nudf=ostrel\nddf=ostrel\n"
                 "[ext]\nabs=flash\nudf=userdb\nddf=defaultdb\n"));
    QCOMPARE(registry.libraryForPath(path), library);
    QCOMPARE(registry.kindForPath(path), kind);
}

void TestFileTypeRegistry::shippedFileServesTheParser()
{
    const FileTypeRegistry registry = FileTypeRegistry::fromFile(QStringLiteral(TAVRIN_SOURCE_DIR "/conf/Tavrin.ini"));
    QCOMPARE(registry.kindByExtension, (KindMap{{"abs", 1}, {"udf", 2}, {"ddf", 3}}));
    QCOMPARE(registry.libraryByType, (LibraryMap{{1, "ostrel"}, {2, "ostrel"}, {3, "ostrel"}}));
}

QTEST_GUILESS_MAIN(TestFileTypeRegistry)
#include "tst_filetyperegistry.moc"
