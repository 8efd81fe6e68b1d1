#include "channeldatabase.h"
#include "jsonexport.h"
#include "jsonimport.h"

#include <QJsonDocument>
#include <QtTest>

using namespace DB_NS;

class TestJsonExport : public QObject
{
    Q_OBJECT

private slots:
    void textAsQtWritesIt_data();
    void textAsQtWritesIt();
    void quickReadAsTree_data();
    void quickReadAsTree();
    void quickReadAsTreeWhenChanged();
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

namespace {

// One record list of a document, as export writes it.
QByteArray records(const char *key, const QByteArray &body)
{
    return QByteArray("\"") + key + "\": [" + body + "]";
}

const QByteArray exported = "{\n    \"kind\": 2, \"satMaxNum\": 64,\n"
                            "    \"templates\": {\"satellite\": [{\"name\": \"NAME\", \"default\": \"\", "
                            "\"open\": true, \"readOnly\": false, \"editorSpec\": null}], \"programme\": []},\n"
                            "    \"favourites\": [\"News\", \"Sport \\u00e9\"],\n"
                            "    \"satellites\": [{\"id\": 1, \"parentId\": 0, \"values\": [[\"NAME\", \"Sat\"]]}],\n"
                            "    \"transponders\": [{\"id\": 2, \"parentId\": 1, \"values\": [[\"FRQ\", \"11778\"]]}],\n"
                            "    \"programmes\": [";

QByteArray withProgrammes(const QByteArray &body)
{
    return exported + body + "]\n}\n";
}

QByteArray programme(const QByteArray &id, const QByteArray &values = "[\"NAME\", \"x\"]")
{
    return "{\"id\": " + id + ", \"parentId\": 2, \"values\": [" + values + "]}";
}

} // namespace

void TestJsonExport::quickReadAsTree_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("quick");
    const int built = int(QuickRead::Built), refused = int(QuickRead::Refused), notRead = int(QuickRead::NotRead);

    QTest::newRow("exported") << withProgrammes(programme("3", "[\"NAME\", \"Das Erste\"], [\"TYPE\", \"TV\"]") + ", "
                                                + programme("4", "[\"TYPE\", \"TV\"], [\"NAME\", \"ZDF\"]"))
                              << built;
    QTest::newRow("empty-object") << QByteArray(" {} ") << built;
    QTest::newRow("repeated-field") << withProgrammes(programme("3", "[\"NAME\", \"a\"], [\"name\", \"b\"], [\"NAME\", \"c\"]"))
                                    << built;
    QTest::newRow("escapes") << withProgrammes(programme("3", "[\"N\\u0041ME\", \"\\\"\\\\\\/\\b\\f\\n\\r\\t\\u0000\\ud83d\\ude00\\udc00\"]"))
                             << built;
    QTest::newRow("utf8") << withProgrammes(programme("3", "[\"NAME\", \"\xc3\xa9\xe4\xb8\xad\xef\xbf\xbf\xef\xb7\x90\xf0\x9f\x98\x80\x7f\"]"))
                          << built;
    QTest::newRow("ids-at-the-ends") << withProgrammes(programme("-0") + ", " + programme("4294967295")) << built;
    QTest::newRow("id-too-large") << withProgrammes(programme("4294967296")) << refused;
    QTest::newRow("id-negative") << withProgrammes(programme("-1")) << refused;
    QTest::newRow("id-as-text") << withProgrammes(programme("\"3\"")) << refused;
    QTest::newRow("id-twice") << withProgrammes(programme("3") + ", " + programme("3")) << refused;
    QTest::newRow("no-parent") << withProgrammes("{\"id\": 3, \"values\": []}") << refused;
    QTest::newRow("values-null") << withProgrammes("{\"id\": 3, \"parentId\": 2, \"values\": null}") << refused;
    QTest::newRow("pair-of-three") << withProgrammes(programme("3", "[\"A\", \"1\"], [\"B\", \"2\", \"3\"]")) << refused;
    QTest::newRow("pair-with-number") << withProgrammes(programme("3", "[\"A\", 1]")) << refused;
    QTest::newRow("record-not-object") << withProgrammes("[]") << refused;
    QTest::newRow("list-not-array") << QByteArray("{\"programmes\": {}}") << refused;
    QTest::newRow("orphan") << withProgrammes("{\"id\": 3, \"parentId\": 9, \"values\": []}") << refused;
    QTest::newRow("favourite-not-text") << QByteArray("{\"favourites\": [\"a\", null, 3]}") << refused;
    QTest::newRow("first-list-first") << QByteArray("{" + records("programmes", "1") + ", " + records("satellites", "2") + "}")
                                      << refused;
    QTest::newRow("syntax-after-refusal") << withProgrammes("1, {\"id\": }") << notRead;
    QTest::newRow("id-with-fraction") << withProgrammes(programme("3.0")) << notRead;
    QTest::newRow("number-with-exponent") << QByteArray("{\"kind\": 2e0}") << notRead;
    QTest::newRow("number-leading-zero") << QByteArray("{\"kind\": 02}") << notRead;
    QTest::newRow("key-twice") << withProgrammes("{\"id\": 3, \"id\": 4, \"parentId\": 2, \"values\": []}") << notRead;
    QTest::newRow("list-twice") << QByteArray("{" + records("programmes", "") + ", " + records("programmes", "1") + "}")
                                << notRead;
    QTest::newRow("escaped-key") << withProgrammes("{\"\\u0069d\": 3, \"parentId\": 2, \"values\": []}") << notRead;
    QTest::newRow("not-an-object") << QByteArray("[]") << notRead;
    QTest::newRow("empty") << QByteArray() << notRead;
    QTest::newRow("garbage-after") << QByteArray("{} x") << notRead;
    QTest::newRow("bad-utf8") << withProgrammes(programme("3", "[\"NAME\", \"\xed\xa0\x80\"]")) << notRead;
    QTest::newRow("raw-control") << withProgrammes(programme("3", "[\"NAME\", \"a\tb\"]")) << notRead;
    QTest::newRow("trailing-comma") << QByteArray("{\"kind\": 2,}") << notRead;
}

namespace {

// Where the quick reader's result differs from the document tree's (the same
// records, favourites and refusals); empty when they agree or it did not read.
QString disagreement(const QByteArray &json, QuickRead *quick)
{
    ImportedDocument fromTree, fromQuick;
    QString treeError, quickError;
    const bool treeBuilt = documentFromJsonTree(json, fromTree, &treeError);
    *quick = quickDocumentFromJson(json, fromQuick, &quickError);
    if (*quick == QuickRead::NotRead)
        return QString();
    if ((*quick == QuickRead::Built) != treeBuilt || quickError != treeError)
        return QStringLiteral("quick '%1', tree '%2'").arg(quickError, treeError);
    if (fromQuick.favourites != fromTree.favourites)
        return QStringLiteral("favourites differ");
    if (!treeBuilt)
        return QString();
    DocumentData treeDoc, quickDoc;
    treeDoc.database = std::move(fromTree.database);
    quickDoc.database = std::move(fromQuick.database);
    return documentJsonText(quickDoc, 2) == documentJsonText(treeDoc, 2) ? QString() : QStringLiteral("records differ");
}

} // namespace

void TestJsonExport::quickReadAsTree()
{
    QFETCH(QByteArray, json);
    QFETCH(int, quick);
    QuickRead read = QuickRead::NotRead;
    QCOMPARE(disagreement(json, &read), QString());
    QCOMPARE(int(read), quick);
}

// Every byte of a document cut off or replaced: whatever the quick reader
// still reads, it reads as the document tree does.
void TestJsonExport::quickReadAsTreeWhenChanged()
{
    const QByteArray json = withProgrammes(programme("3", "[\"NAME\", \"a\\u00e9\"], [\"name\", \"b\"]") + ", " + programme("4"));
    const QByteArray replacements("\"\\,:[]{}09- xe.\x80\xc3");
    int read = 0;
    for (int i = 0; i < json.size(); ++i) {
        QList<QByteArray> changed{json.left(i)};
        for (char c : replacements)
            changed << QByteArray(json).replace(i, 1, &c, 1);
        for (const QByteArray &text : changed) {
            QuickRead quick = QuickRead::NotRead;
            const QString why = disagreement(text, &quick);
            QVERIFY2(why.isEmpty(), qPrintable(QString::fromUtf8(text) + QStringLiteral(": ") + why));
            read += quick != QuickRead::NotRead;
        }
    }
    QVERIFY(read > json.size()); // most changes leave text that it reads
}

QTEST_GUILESS_MAIN(TestJsonExport)
#include "test_jsonexport.moc"
