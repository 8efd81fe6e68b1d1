// Find Duplicates, Sort and Order Like on the document: the order, masks
// and hot keys each leaves and its message; undo gives the state before
// exactly and redo the state after.

#include "documentedits.h"
#include "documentsnapshot.h"
#include "orderlike.h"
#include "sortorder.h"

#include <QTest>

#include <algorithm>
#include <random>

namespace {

//   sat 1: TP 10 (11778 H), TP 11 (11779 H), TP 12 (12000 V); sat 2: TP 20 (11778 H)
//   service order: 100 101 102 103 104 105 106; 102 is 100 found again one unit off.
DocumentData orderFixture()
{
    std::vector<std::unique_ptr<DB_NS::SatNode>> sats;
    std::vector<std::unique_ptr<DB_NS::TPNode>> tps;
    std::vector<std::unique_ptr<DB_NS::PGNode>> pgs;
    for (const quint32 id : {1u, 2u})
        sats.push_back(std::make_unique<DB_NS::SatNode>(id));
    const struct
    {
        quint32 sat, id;
        const char *frq, *pol;
    } tpRows[] = {
        {1, 10, "11778", "H"}, {1, 11, "11779", "H"}, {1, 12, "12000", "V"}, {2, 20, "11778", "H"}};
    for (const auto &t : tpRows) {
        tps.push_back(std::make_unique<DB_NS::TPNode>(t.id));
        tps.back()->setParentId(t.sat);
        tps.back()->addAttribute(QStringLiteral("FRQ"), QString::fromLatin1(t.frq));
        tps.back()->addAttribute(QStringLiteral("POL"), QString::fromLatin1(t.pol));
    }
    const struct
    {
        quint32 tp, id;
        const char *name, *sid, *vpid, *fav;
    } pgRows[] = {
        {10, 100, "Sport 10", "5", "1", "1"}, {10, 101, "sport 2", "6", "0", "0"}, {11, 102, "Sport 10", "5", "1", "2"}, {12, 103, "\xc3\x89mile", "7", "1", "0"}, {20, 104, "Sport 10", "5", "1", "0"}, {12, 105, "\xe6\x9d\xb1\xe4\xba\xac", "8", "1", "0"}, {12, 106, "Alpha", "9", "1", "0"}};
    DocumentData data;
    for (const char *name : {"NAME", "SID", "V_PID", "FAV"}) {
        TemplateField field;
        field.name = QString::fromLatin1(name);
        data.pgTemplate << field;
        data.pgFields.insert(field.name, field);
    }
    for (const auto &p : pgRows) {
        pgs.push_back(std::make_unique<DB_NS::PGNode>(p.id));
        pgs.back()->setParentId(p.tp);
        for (const auto &value : {std::make_pair("NAME", p.name), std::make_pair("SID", p.sid),
                                  std::make_pair("V_PID", p.vpid), std::make_pair("FAV", p.fav)})
            pgs.back()->addAttribute(QString::fromLatin1(value.first), QString::fromUtf8(value.second));
    }
    data.database = ChannelDatabase::build(std::move(sats), std::move(tps), std::move(pgs));
    data.hotKeys << HotKey{QStringLiteral("Red"), 1, 11, 102} << HotKey{QStringLiteral("Green"), 1, 12, 106};
    return data;
}

// The service order as id/FAV, then where each hot key points.
QString state(const Document &document)
{
    QStringList parts;
    for (const DB_NS::PGNode *pg : document.database()->allPGs())
        parts << QStringLiteral("%1/%2").arg(pg->id()).arg(pg->value(QStringLiteral("FAV")));
    parts << QStringLiteral("keys");
    for (const HotKey &key : document.hotKeys())
        parts << QString::number(key.pgId);
    return parts.join(QLatin1Char(' '));
}

// "dedupe", "sort KEY... [tvFirst] [locale NAME] [ids ID...]" or "like NAME#SID|NAME...".
EditValue<QString> run(Document &document, const QString &op)
{
    QStringList words = op.split(QLatin1Char(' '));
    const QString name = words.takeFirst();
    if (name == QLatin1String("dedupe"))
        return document.edits().removeDuplicates();
    if (name == QLatin1String("like")) {
        QVector<ReferenceEntry> reference;
        for (const QString &entry : words.join(QLatin1Char(' ')).split(QLatin1Char('|')))
            reference.append({entry.section(QLatin1Char('#'), 0, 0), entry.section(QLatin1Char('#'), 1)});
        return document.edits().orderLike(reference, QStringLiteral("REF"));
    }
    SortRequest request;
    request.collation = SortRequest::Collation::CodePoint;
    while (!words.isEmpty()) {
        const QString word = words.takeFirst();
        if (word == QLatin1String("tvFirst")) {
            request.tvFirst = true;
        } else if (word == QLatin1String("locale")) {
            request.collation = SortRequest::Collation::Locale;
            request.locale = QLocale(words.takeFirst());
        } else if (word == QLatin1String("ids")) {
            for (const QString &id : qAsConst(words))
                request.ids << id.toUInt();
            words.clear();
        } else {
            request.keys << word;
        }
    }
    return document.edits().sortProgrammes(request);
}

} // namespace

class TestOrderCommands : public QObject
{
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void shuffledListOrderedLikeItsOriginal();
};

void TestOrderCommands::command_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("after"); // empty: no step
    QTest::addColumn<QString>("message");

    const int dump = OstrelUserDump;
    const int grouped = OstrelDefaultDatabase;
    QTest::newRow("duplicates one FRQ unit apart; SID on another satellite is not one")
        << dump << "dedupe"
        << "100/3 101/0 103/0 104/0 105/0 106/0 keys 100 106"
        << "1 duplicate removed";
    QTest::newRow("code points after folding, numbers by value, stable")
        << dump << "sort NAME"
        << "106/0 101/0 100/1 102/2 104/0 103/0 105/0 keys 102 106"
        << "7 programmes sorted";
    QTest::newRow("locale: accents among letters, CJK after Latin")
        << dump << "sort NAME locale de_DE"
        << "106/0 103/0 101/0 100/1 102/2 104/0 105/0 keys 102 106"
        << "7 programmes sorted";
    QTest::newRow("TV before radio")
        << dump << "sort NAME tvFirst"
        << "106/0 100/1 102/2 104/0 103/0 105/0 101/0 keys 102 106"
        << "7 programmes sorted";
    QTest::newRow("selected rows among their places")
        << dump << "sort NAME ids 105 103 106"
        << "100/1 101/0 102/2 106/0 104/0 103/0 105/0 keys 102 106"
        << "3 programmes sorted";
    QTest::newRow("satellite, then a field")
        << dump << "sort satellite SID"
        << "100/1 102/2 101/0 103/0 105/0 106/0 104/0 keys 102 106"
        << "7 programmes sorted";
    QTest::newRow("equal keys stay") << dump << "sort NAME ids 102 100"
                                     << ""
                                     << "The programmes are in that order already";
    QTest::newRow("nothing to sort") << dump << "sort NAME ids 999"
                                     << ""
                                     << "Nothing to sort";
    QTest::newRow("unknown key") << dump << "sort BOGUS"
                                 << ""
                                 << "Can't sort by BOGUS";
    QTest::newRow("grouped: a sort across TPs is refused")
        << grouped << "sort NAME"
        << ""
        << "Can't sort: a default database keeps each transponder's programmes together";
    QTest::newRow("grouped: a sort within each TP is stored")
        << grouped << "sort satellite FRQ NAME"
        << "101/0 100/1 102/2 106/0 103/0 105/0 104/0 keys 102 106"
        << "7 programmes sorted";
    QTest::newRow("repeated names take the next programme; NAME and SID first")
        << dump << "like  sport 10 |Sport 10#5|ALPHA|Sport 10|missing"
        << "102/2 100/1 106/0 104/0 101/0 103/0 105/0 keys 102 106"
        << "4 programmes ordered like REF, 3 not found in it";
    QTest::newRow("no match") << dump << "like Nobody"
                              << ""
                              << "No programme found in REF";
}

void TestOrderCommands::command()
{
    QFETCH(int, kind);
    QFETCH(QString, op);
    QFETCH(QString, after);
    QFETCH(QString, message);
    Document document;
    document.setFile(QStringLiteral("fixture"), kind);
    document.reset(orderFixture());
    const QStringList before = documentSnapshot(document);
    const QString stateBefore = state(document);

    const EditValue<QString> outcome = run(document, op);
    QCOMPARE(outcome.isRefused() ? outcome.refusal : outcome.value, message);
    QCOMPARE(document.undoStack()->count(), after.isEmpty() ? 0 : 1);
    QCOMPARE(state(document), after.isEmpty() ? stateBefore : after);
    if (after.isEmpty())
        return;
    document.undoStack()->undo();
    QCOMPARE(documentSnapshot(document), before);
    document.undoStack()->redo();
    QCOMPARE(state(document), after);
}

void TestOrderCommands::shuffledListOrderedLikeItsOriginal()
{
    // Names repeat; NAME and SID together do not, so the order comes back exactly.
    std::vector<std::unique_ptr<DB_NS::SatNode>> sats;
    std::vector<std::unique_ptr<DB_NS::TPNode>> tps;
    std::vector<std::unique_ptr<DB_NS::PGNode>> pgs;
    sats.push_back(std::make_unique<DB_NS::SatNode>(1));
    for (quint32 tp = 0; tp < 100; ++tp) {
        tps.push_back(std::make_unique<DB_NS::TPNode>(tp));
        tps.back()->setParentId(1);
    }
    for (quint32 id = 0; id < 10000; ++id) {
        pgs.push_back(std::make_unique<DB_NS::PGNode>(id));
        pgs.back()->setParentId(id % 100);
        pgs.back()->addAttribute(QStringLiteral("NAME"), QStringLiteral("Channel %1").arg(id % 3000));
        pgs.back()->addAttribute(QStringLiteral("SID"), QString::number(id));
    }
    DocumentData data;
    data.database = ChannelDatabase::build(std::move(sats), std::move(tps), std::move(pgs));
    Document document;
    document.setFile(QStringLiteral("generated"), OstrelUserDump);
    document.reset(std::move(data));
    const QVector<quint32> original = document.serviceOrder();
    const QVector<ReferenceEntry> reference = OrderLike::fromDatabase(*document.database());

    auto &lists = const_cast<ChannelDatabase &>(*document.database());
    std::vector<DB_NS::PGNode *> shuffled(lists.allPGs().begin(), lists.allPGs().end());
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(27));
    lists.setAllPGsOrder(shuffled);
    lists.relinkProgrammes();
    QVERIFY(document.serviceOrder() != original);

    QCOMPARE(document.edits().orderLike(reference, QStringLiteral("REF")).value,
             QStringLiteral("10000 programmes ordered like REF, 0 not found in it"));
    QCOMPARE(document.serviceOrder(), original);
}

QTEST_MAIN(TestOrderCommands)
#include "tst_ordercommands.moc"
