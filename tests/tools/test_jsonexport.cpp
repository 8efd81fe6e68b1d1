#include "channeldatabase.h"
#include "jsonexport.h"

#include <QJsonDocument>
#include <QtTest>

using namespace DB_NS;

class TestJsonExport : public QObject
{
    Q_OBJECT

private slots:
    void textAsQtWritesIt_data();
    void textAsQtWritesIt();
};

void TestJsonExport::textAsQtWritesIt_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<quint32>("id");
    QTest::addColumn<bool>("database");
    QTest::newRow("plain") << QStringLiteral("Das Erste HD") << 7u << true;
    QTest::newRow("empty") << QString() << 0u << true;
    QTest::newRow("quote-backslash-slash") << QStringLiteral("a\"b\\c/d") << 1u << true;
    QTest::newRow("control-characters") << QStringLiteral("\t\n\r\b\f\x01\x1f\x7f") << 2u << true;
    QTest::newRow("non-ascii") << QStringLiteral("Zweites Deutsches Fernsehen \u00e9\u4e2d") << 3u << true;
    QTest::newRow("surrogates") << QString::fromUtf16(u"\U0001F600 \xd800 lone") << 4u << true;
    QTest::newRow("largest-id") << QStringLiteral("x") << 0xFFFFFFFFu << true;
    QTest::newRow("no-database") << QString() << 0u << false;
}

void TestJsonExport::textAsQtWritesIt()
{
    QFETCH(QString, value);
    QFETCH(quint32, id);
    QFETCH(bool, database);

    DocumentData doc;
    doc.favouriteNames = QStringList{QStringLiteral("News"), value};
    doc.satMaxNum = 12;
    if (database) {
        std::vector<std::unique_ptr<SatNode>> sats;
        std::vector<std::unique_ptr<TPNode>> tps;
        std::vector<std::unique_ptr<PGNode>> pgs;
        sats.push_back(std::make_unique<SatNode>(id));
        sats.back()->addAttribute(QStringLiteral("NAME"), value);
        tps.push_back(std::make_unique<TPNode>(5));
        tps.back()->setParentId(id);
        for (quint32 p : {10u, 11u}) {
            pgs.push_back(std::make_unique<PGNode>(p));
            pgs.back()->setParentId(5);
            pgs.back()->addAttribute(QStringLiteral("NAME"), value + QString::number(p));
            pgs.back()->addAttribute(value.isEmpty() ? QStringLiteral("E") : value, QStringLiteral("1"));
        }
        doc.database = ChannelDatabase::build(std::move(sats), std::move(tps), std::move(pgs));
        QCOMPARE(doc.database->allPGs().size(), 2);
    }
    const QByteArray expected = QJsonDocument(documentToJson(doc, 2)).toJson(QJsonDocument::Indented);
    QCOMPARE(documentJsonText(doc, 2), expected);
}

QTEST_GUILESS_MAIN(TestJsonExport)
#include "test_jsonexport.moc"
