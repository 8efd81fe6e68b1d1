// The edit command of the built tavrin-cli end to end: operation lists run
// on the golden dump and on each sample kind, saved and loaded again.

#include "tavrinclifixture.h"

#include "bytecompare.h"

#include <QCollator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVector>
#include <QtTest>

#include <algorithm>
#include <numeric>

class TestTavrinCliEdit : public TavrinCliFixture
{
    Q_OBJECT

private slots:
    void edit_data();
    void edit();
    void treeEdits_data();
    void treeEdits();
    void programmeEdits_data();
    void programmeEdits();

private:
    static QString treeOf(const QJsonObject &json);

public:
    // NAME and TP of every programme in the service order: by "default_order" in a dump, else as listed.
    struct Programme
    {
        quint32 id;
        quint32 tp;
        QString name;
    };

private:
    QVector<Programme> serviceOrder(const QString &file);
};

void TestTavrinCliEdit::edit_data()
{
    QTest::addColumn<QString>("ops"); // %1, %2: ids of two programmes; %3: an id nobody has; %4: %2's LCN
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // "same bytes", a text the JSON holds, or the message

    QTest::newRow("undone edits save the same bytes")
        << R"([{"op":"down","ids":[%1]},{"op":"edit","kind":"programme","id":%2,"values":{"NAME":"X"}},)"
           R"({"op":"undo"},{"op":"undo"}])"
        << "out.udf" << 0 << "same bytes";
    QTest::newRow("redo brings an edit back")
        << R"([{"op":"edit","kind":"programme","id":%1,"values":{"NAME":"Renamed"}},{"op":"undo"},{"op":"redo"},)"
           R"({"op":"renameGroup","group":0,"name":"Headlines"}])"
        << "out.json" << 0 << "\"Renamed\"|\"Headlines\"";
    QTest::newRow("edited favourites survive a reload")
        << R"([{"op":"favourite","ids":[%1],"group":0,"member":true},)"
           R"({"op":"favourite","ids":[%2],"group":3,"member":false},{"op":"renameGroup","group":3,"name":"Classics"}])"
        << "out.udf" << 0 << "FAV %1 1|FAV %2 22|\"Movies\",\"Classics\",\"Kids\"";
    QTest::newRow("favourite edit undone") << R"([{"op":"favourite","ids":[%2],"group":3,"member":false},)"
                                              R"({"op":"undo"}])"
                                           << "out.udf" << 0 << "same bytes";
    QTest::newRow("no favourite group past bit 31")
        << R"([{"op":"favourite","ids":[%1],"group":32,"member":true}])"
        << "out.udf" << 1
        << "ops[0] favourite: no favourite group 32";
    QTest::newRow("favourite of a missing programme")
        << R"([{"op":"favourite","ids":[%3],"group":0,"member":true}])"
        << "out.udf" << 1
        << "ops[0] favourite: no programme %3";
    QTest::newRow("missing programme") << R"([{"op":"up","ids":[%3]}])"
                                       << "out.udf" << 1
                                       << "ops[0] up: no programme %3";
    QTest::newRow("channel number taken")
        << R"([{"op":"edit","kind":"programme","id":%1,"values":{"LCN":"%4"}}])"
        << "out.udf" << 1
        << "ops[0] edit: Duplicate PG Index";
    QTest::newRow("numbers at the edge of their bits")
        << R"([{"op":"edit","kind":"programme","id":%1,"values":{"SID":"65535","V_PID":"8191","LOCK":"1"}}])"
        << "out.udf" << 0 << R"(["V_PID","8191"]|["SID","65535"]|["LOCK","Yes"])";
    QTest::newRow("a satellite's DISEQC sets its mode") << R"([{"op":"edit","kind":"satellite","id":0,"values":{"DISEQC":"Port 2"}}])"
                                                        << "out.udf" << 0 << R"(["DISEQC","Port 2"],["DISEQC_MODE","1.0"])";
    QTest::newRow("a mode given stands") << R"([{"op":"edit","kind":"satellite","id":0,"values":{"DISEQC":"Port 2","DISEQC_MODE":"1.1"}}])"
                                         << "out.udf" << 0 << R"(["DISEQC","Port 2"],["DISEQC_MODE","1.1"])";
    QTest::newRow("a TP's SYSTEM sets its modulation") << R"([{"op":"edit","kind":"transponder","id":1,"values":{"SYSTEM":"DVB-S"}}])"
                                                       << "out.udf" << 0 << R"(["SYSTEM","DVB-S"],["MODULATION","QPSK"])";
    QTest::newRow("not an option") << R"([{"op":"edit","kind":"programme","id":%1,"values":{"LOCK":"Maybe"}}])"
                                   << "out.udf" << 1 << "ops[0] edit: LOCK: 'Maybe' is not one of No, Yes or a number from 0 to 1";
    QTest::newRow("group name of spaces") << R"([{"op":"renameGroup","group":0,"name":"  "}])"
                                          << "out.udf" << 1 << "ops[0] renameGroup: Can't rename group 0: a group needs a name";
    QTest::newRow("nothing to undo") << R"([{"op":"undo"}])"
                                     << "out.udf" << 1 << "ops[0] undo: nothing to undo";
    QTest::newRow("unknown operation") << R"([{"op":"frobnicate"}])"
                                       << "out.udf" << 2
                                       << "ops[0] frobnicate: unknown operation";
    QTest::newRow("not an array") << R"({"op":"undo"})"
                                  << "out.udf" << 2 << "must be a JSON array";
}

void TestTavrinCliEdit::edit()
{
    QFETCH(QString, ops);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);

    const QJsonArray pgs = exportJson(m_golden).value(QStringLiteral("programmes")).toArray();
    QVERIFY(pgs.size() > 4);
    const auto idOf = [&pgs](int i) { return pgs.at(i).toObject().value(QStringLiteral("id")).toVariant().toLongLong(); };
    QString otherNumber;
    for (const QJsonValue &v : pgs.at(4).toObject().value(QStringLiteral("values")).toArray()) {
        if (v.toArray().at(0).toString() == QLatin1String("LCN"))
            otherNumber = v.toArray().at(1).toString();
    }
    const auto fill = [&](QString text) {
        return text.replace(QLatin1String("%1"), QString::number(idOf(3)))
            .replace(QLatin1String("%2"), QString::number(idOf(4)))
            .replace(QLatin1String("%3"), QStringLiteral("4000000000"))
            .replace(QLatin1String("%4"), otherNumber);
    };
    const QString opsFile = writeFile(QStringLiteral("ops.json"), fill(ops).toUtf8());
    const QString out = m_dir.filePath(output);
    QFile::remove(out);

    const Run r = cli({QStringLiteral("edit"), m_golden, QStringLiteral("--ops"), opsFile, QStringLiteral("-o"), out});
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(QString::fromUtf8(r.err).contains(fill(expected)), r.err.constData());
        QVERIFY(!QFile::exists(out));
        return;
    }
    QFile written(out);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    if (expected == QLatin1String("same bytes")) {
        QFile golden(m_golden);
        QVERIFY(golden.open(QIODevice::ReadOnly));
        QVERIFY(bytes == golden.readAll());
        return;
    }
    // A saved dump is checked as it loads again.
    const QJsonObject reloaded = output.endsWith(QLatin1String(".udf")) ? exportJson(out) : QJsonObject();
    const QByteArray text = reloaded.isEmpty() ? bytes : QJsonDocument(reloaded).toJson(QJsonDocument::Compact);
    for (const QString &part : fill(expected).split(QLatin1Char('|'))) {
        const QStringList words = part.split(QLatin1Char(' '));
        if (words.first() != QLatin1String("FAV")) {
            QVERIFY2(text.contains(part.toUtf8()), qPrintable(part));
            continue;
        }
        // "FAV id value": that programme's mask.
        QString mask;
        for (const QJsonValue &pg : reloaded.value(QStringLiteral("programmes")).toArray()) {
            if (pg.toObject().value(QStringLiteral("id")).toVariant().toString() != words.at(1))
                continue;
            for (const QJsonValue &v : pg.toObject().value(QStringLiteral("values")).toArray()) {
                if (v.toArray().at(0).toString() == QLatin1String("FAV"))
                    mask = v.toArray().at(1).toString();
            }
        }
        QCOMPARE(mask, words.at(2));
    }
}

// "Astra 5.0E[11295 12013] Hotbird 42.1E[12489] #60": each satellite with the
// FRQs of its TPs in file order, and the number of programmes.
QString TestTavrinCliEdit::treeOf(const QJsonObject &json)
{
    const auto valueOf = [](const QJsonObject &record, const QString &name) {
        for (const QJsonValue &pair : record.value(QStringLiteral("values")).toArray()) {
            if (pair.toArray().at(0).toString() == name)
                return pair.toArray().at(1).toString();
        }
        return QString();
    };
    QStringList sats;
    for (const QJsonValue &sat : json.value(QStringLiteral("satellites")).toArray()) {
        QStringList frqs;
        for (const QJsonValue &tp : json.value(QStringLiteral("transponders")).toArray()) {
            if (tp.toObject().value(QStringLiteral("parentId")) == sat.toObject().value(QStringLiteral("id")))
                frqs << valueOf(tp.toObject(), QStringLiteral("FRQ"));
        }
        sats << QStringLiteral("%1[%2]").arg(valueOf(sat.toObject(), QStringLiteral("NAME")), frqs.join(QLatin1Char(' ')));
    }
    return sats.join(QLatin1Char(' ')) + QStringLiteral(" #%1").arg(json.value(QStringLiteral("programmes")).toArray().size());
}

void TestTavrinCliEdit::treeEdits_data()
{
    QTest::addColumn<QByteArray>("ops");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("result"); // treeOf() the reloaded file, or the message

    const QString astra = QStringLiteral("Astra 5.0E[11295 12013 11009 12516]"),
                  hotbird = QStringLiteral("Hotbird 42.1E[12489 11313 11582 10943]"),
                  eutelsat = QStringLiteral("Eutelsat 79.2W[11024 12291 10998 11413]"),
                  turksat = QStringLiteral("Turksat 116.3E[11768 12291 12049 12640]");
    const auto tree = [](const QStringList &sats, int programmes) -> QString {
        return sats.join(QLatin1Char(' ')) + QStringLiteral(" #%1").arg(programmes);
    };
    QTest::newRow("delete satellite") << QByteArray(R"([{"op":"delete","kind":"satellite","ids":[1]}])") << 0
                                      << tree({astra, eutelsat, turksat}, 44);
    QTest::newRow("delete transponders") << QByteArray(R"([{"op":"delete","kind":"transponder","ids":[12,4]}])") << 0
                                         << tree({"Astra 5.0E[11295 11009]", hotbird, eutelsat, turksat}, 52);
    QTest::newRow("add satellite and transponder")
        << QByteArray(R"([{"op":"add","kind":"satellite","values":{"NAME":"Nilesat 7.0W"}},)"
                      R"({"op":"add","kind":"transponder","parent":2,"values":{"FRQ":"11900","POL":"V"}}])")
        << 0 << tree({astra, hotbird, "Eutelsat 79.2W[11024 12291 10998 11413 11900]", turksat, "Nilesat 7.0W[]"}, 60);
    // The first new satellite takes 4294967295 and its TP 4294967294; scripts name them so.
    QTest::newRow("add satellite, transponder and programme")
        << QByteArray(R"([{"op":"add","kind":"satellite","values":{"NAME":"Nilesat 7.0W"}},)"
                      R"({"op":"add","kind":"transponder","parent":4294967295,"values":{"FRQ":"11900"}},)"
                      R"({"op":"add","kind":"programme","parent":4294967294,"values":{"NAME":"Nile TV"}}])")
        << 0 << tree({astra, hotbird, eutelsat, turksat, "Nilesat 7.0W[11900]"}, 61);
    QTest::newRow("move transponders to the front")
        << QByteArray(R"([{"op":"moveTo","kind":"transponder","ids":[12,4],"before":0}])") << 0
        << tree({"Astra 5.0E[12013 12516 11295 11009]", hotbird, eutelsat, turksat}, 60);
    QTest::newRow("move satellite") << QByteArray(R"([{"op":"moveTo","kind":"satellite","ids":[3],"before":1}])") << 0
                                    << tree({astra, turksat, hotbird, eutelsat}, 60);
    QTest::newRow("exchange satellites") << QByteArray(R"([{"op":"exchange","kind":"satellite","id":0,"with":2}])")
                                         << 0 << tree({eutelsat, hotbird, astra, turksat}, 60);
    QTest::newRow("paste transponders")
        << QByteArray(R"([{"op":"pasteTransponders","ids":[0,4],"satellite":1},)"
                      R"({"op":"pasteTransponders","ids":[3],"satellite":3}])")
        << 0 << tree({astra, "Hotbird 42.1E[12489 11313 11582 10943 12013 11295]", eutelsat, "Turksat 116.3E[11768 12291 12049 12640 11769]"}, 60);
    QTest::newRow("undo a delete") << QByteArray(R"([{"op":"delete","kind":"satellite","ids":[0]},{"op":"undo"}])")
                                   << 0 << tree({astra, hotbird, eutelsat, turksat}, 60);
    QTest::newRow("missing transponder") << QByteArray(R"([{"op":"delete","kind":"transponder","ids":[99]}])") << 1
                                         << "ops[0] delete: no transponder 99";
    QTest::newRow("target among the moved") << QByteArray(R"([{"op":"moveTo","kind":"satellite","ids":[1],"before":1}])")
                                            << 1 << "ops[0] moveTo: 1 is moved itself";
    QTest::newRow("programme kind") << QByteArray(R"([{"op":"exchange","kind":"programme","id":1,"with":2}])") << 2
                                    << "ops[0] exchange: 'kind' must be satellite or transponder";
}

// Each operation as the editor runs it on the small sample, saved, reloaded.
void TestTavrinCliEdit::treeEdits()
{
    QFETCH(QByteArray, ops);
    QFETCH(int, exitCode);
    QFETCH(QString, result);

    const QString opsPath = writeFile(QStringLiteral("tree-ops.json"), ops);
    const QString out = m_dir.filePath(QStringLiteral("tree-edited.udf"));
    QFile::remove(out);
    const Run r = cli({QStringLiteral("edit"), QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf"),
                       QStringLiteral("--ops"), opsPath, QStringLiteral("-o"), out});
    QCOMPARE(r.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY2(r.err.contains(result.toUtf8()), r.err.constData());
        QVERIFY(!QFile::exists(out));
        return;
    }
    QCOMPARE(treeOf(exportJson(out)), result);
    // An undone edit leaves nothing behind: the file saves as it was.
    if (ops.contains("undo")) {
        QFile original(QStringLiteral(TAVRIN_SOURCE_DIR "/samples/small.udf")), saved(out);
        QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
        COMPARE_BYTES(saved.readAll(), original.readAll());
    }
}

static TestTavrinCliEdit::Programme programmeOf(const QJsonObject &record, QString *order)
{
    TestTavrinCliEdit::Programme p{quint32(record.value(QStringLiteral("id")).toDouble()),
                                   quint32(record.value(QStringLiteral("parentId")).toDouble()), QString()};
    for (const QJsonValue &value : record.value(QStringLiteral("values")).toArray()) {
        const QJsonArray pair = value.toArray();
        if (pair.at(0).toString() == QLatin1String("NAME"))
            p.name = pair.at(1).toString();
        else if (pair.at(0).toString() == QLatin1String("default_order"))
            *order = pair.at(1).toString();
    }
    return p;
}

QVector<TestTavrinCliEdit::Programme> TestTavrinCliEdit::serviceOrder(const QString &file)
{
    QFile text(file);
    const QJsonObject json = file.endsWith(QLatin1String(".json")) && text.open(QIODevice::ReadOnly)
        ? QJsonDocument::fromJson(text.readAll()).object()
        : exportJson(file);
    QVector<QPair<int, Programme>> listed;
    for (const QJsonValue &record : json.value(QStringLiteral("programmes")).toArray()) {
        QString order;
        const Programme p = programmeOf(record.toObject(), &order);
        listed.append({json.value(QStringLiteral("kind")).toInt() == 2 ? order.toInt() : listed.size(), p});
    }
    std::stable_sort(listed.begin(), listed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QVector<Programme> programmes;
    for (const auto &entry : listed)
        programmes.append(entry.second);
    return programmes;
}

void TestTavrinCliEdit::programmeEdits_data()
{
    // $0, $1, $2: ids of the first rows of All Services; $tp: the TP of row 0;
    // $other: another TP of row 0's satellite. The expected names (in the
    // service order of the saved file) use n0, n1, ... for the first rows and
    // "..." for the rest; a "~" first compares as a multiset only, for preset
    // files, which keep their TP grouping, and a "!" last expects the save to
    // say that the service order could not be kept.
    QTest::addColumn<QString>("ops");
    QTest::addColumn<QString>("expected");
    const char *samples[] = {"small.udf", "sample.ddf", "factory.abs"};
    for (const char *sample : samples) {
        const bool dump = QByteArray(sample).endsWith(".udf");
        const auto row = [sample](const char *name) -> QTestData & { return QTest::addRow("%s %s", sample, name); };
        row("move") << R"([{"op":"move","ids":[$0],"to":2}])"
                    << "n1 n0 n2 ...";
        row("switch") << R"([{"op":"switch","ids":[$1],"to":1}])"
                      << "n1 n0 n2 ...";
        row("delete") << R"([{"op":"delete","kind":"programme","ids":[$1]}])"
                      << "n0 n2 ...";
        row("add") << R"([{"op":"add","kind":"programme","parent":$tp,"before":$0,"values":{"NAME":"Added"}}])"
                   << "Added n0 n1 ...";
        // A preset file's copies go last in their TP, where the save keeps them.
        row("copyTo") << R"([{"op":"copyTo","id":$0,"tp":$other}])" << (dump ? "n0 n1 ... n0" : "~ n0 n1 ... n0");
        // A cut keeps its place; a preset file puts it last in the TP, where it is saved.
        row("cutTo") << R"([{"op":"cutTo","id":$0,"tp":$other}])" << (dump ? "n0 n1 ..." : "~ n0 n1 ...");
        row("paste") << R"([{"op":"paste","ids":[$0,$1],"tp":$other}])" << (dump ? "n0 n1 ... n0 n1" : "~ n0 n1 ... n0 n1");
        row("paste in the table's order") << R"([{"op":"paste","ids":[$1,$0],"tp":$other}])"
                                          << (dump ? "n0 n1 ... n0 n1" : "~ n0 n1 ... n0 n1");
        row("all undone") << R"([{"op":"move","ids":[$0],"to":2},{"op":"delete","kind":"programme","ids":[$1]},
                                 {"op":"cutTo","id":$0,"tp":$other},{"op":"undo"},{"op":"undo"},{"op":"undo"}])"
                          << "n0 n1 n2 ...";
        // Past every other TP: a dump keeps it, the preset kinds keep their grouping and say so.
        const QString grouped = QStringLiteral(": a default database keeps each transponder's programmes together");
        row("move across") << R"([{"op":"move","ids":[$0],"to":$last}])"
                           << (dump ? QStringLiteral("n1 n2 ... n0") : "ops[0] move: Can't move to $last" + grouped);
        // Row 3 of each preset sample is the last of its TP.
        row("down across") << R"([{"op":"down","ids":[$2]}])"
                           << (dump ? QStringLiteral("n0 n1 n3 n2 ...") : "ops[0] down: Can't move to 4" + grouped);
        row("refused") << R"([{"op":"delete","kind":"programme","ids":[$2]},{"op":"switch","ids":[$0],"to":1}])"
                       << "ops[1] switch: Can't switch to 1";
        // Numbers the receiver's fields cannot hold are refused, in every kind.
        row("not a number") << R"([{"op":"edit","kind":"programme","id":$0,"values":{"SID":"abc"}}])"
                            << "ops[0] edit: SID: 'abc' is not a number from 0 to 65535";
        row("beyond the bits") << R"([{"op":"edit","kind":"programme","id":$0,"values":{"V_PID":"99999999"}}])"
                               << "ops[0] edit: V_PID: '99999999' is not a number from 0 to 8191";
        row("negative") << R"([{"op":"edit","kind":"programme","id":$0,"values":{"SID":"-1"}}])"
                        << "ops[0] edit: SID: '-1' is not a number from 0 to 65535";
        row("just in range") << R"([{"op":"edit","kind":"programme","id":$0,"values":{"NAME":"Edge","SID":"65535","V_PID":"8191"}}])"
                             << "Edge n1 n2 ...";
        row("added out of range") << R"([{"op":"add","kind":"programme","parent":$tp,"values":{"NAME":"Added","SID":"65536"}}])"
                                  << "ops[0] add: SID: '65536' is not a number from 0 to 65535";
        // Bringing a list into order: the reference loads through the binding
        // beside the edited file, names match case-insensitively and trimmed.
        row("reorderLike names") << R"([{"op":"reorderLike","names":[" $name1 ","$NAME0"]}])"
                                 << "n1 n0 n2 ...";
        row("reorderLike file") << R"([{"op":"move","ids":[$0],"to":2},{"op":"reorderLike","file":"$input"}])"
                                << "n0 n1 n2 ...";
        row("reorderLike no match") << R"([{"op":"reorderLike","names":["no such programme"]},{"op":"undo"}])"
                                    << "ops[1] undo: nothing to undo";
        row("sort selected") << R"([{"op":"reorderLike","names":["$name1"]},{"op":"sort","by":["NAME"],"ids":[$1,$0],"locale":"de_DE"}])"
                             << "$sorted n2 ...";
        row("dedupe") << R"([{"op":"add","kind":"programme","parent":$tp,"before":$0,"values":{"NAME":"Twin","SID":"4321"}},
                             {"op":"add","kind":"programme","parent":$tp,"before":$0,"values":{"NAME":"Twin 2","SID":"4321"}},
                             {"op":"dedupe"},{"op":"dedupe"}])"
                      << "Twin n0 n1 ...";
        if (QByteArray(sample).endsWith(".abs"))
            continue;
        row("sort across") << R"([{"op":"sort","by":["NAME"],"locale":"de_DE"}])"
                           << (dump ? QStringLiteral("$allsorted") : "ops[0] sort: Can't sort" + grouped);
        // A JSON OUT holds what the save writes, "default_order" renumbered.
        if (dump)
            row("move, as JSON") << R"([{"op":"move","ids":[$0],"to":2}])"
                                 << "n1 n0 n2 ...";
    }
}

// Each programme operation on each sample kind; the saved file reloads with
// the expected order.
void TestTavrinCliEdit::programmeEdits()
{
    QFETCH(QString, ops);
    QFETCH(QString, expected);
    const QString sample = QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(' '), 0, 0);
    const QString input = QStringLiteral(TAVRIN_SOURCE_DIR "/samples/") + sample;
    const QVector<Programme> before = serviceOrder(input);
    QVERIFY(before.size() > 3);
    const QJsonObject json = exportJson(input);
    quint32 sat = 0, other = 0;
    for (const QJsonValue &tp : json.value(QStringLiteral("transponders")).toArray()) {
        if (quint32(tp.toObject().value(QStringLiteral("id")).toDouble()) == before.at(0).tp)
            sat = quint32(tp.toObject().value(QStringLiteral("parentId")).toDouble());
    }
    for (const QJsonValue &tp : json.value(QStringLiteral("transponders")).toArray()) {
        const quint32 id = quint32(tp.toObject().value(QStringLiteral("id")).toDouble());
        if (!other && id != before.at(0).tp && quint32(tp.toObject().value(QStringLiteral("parentId")).toDouble()) == sat)
            other = id;
    }
    QVERIFY(other);
    ops.replace(QLatin1String("$other"), QString::number(other)).replace(QLatin1String("$tp"), QString::number(before.at(0).tp));
    ops.replace(QLatin1String("$last"), QString::number(before.size()));
    for (int i = 0; i < 3; ++i) {
        ops.replace(QStringLiteral("$%1").arg(i), QString::number(before.at(i).id));
        ops.replace(QStringLiteral("$name%1").arg(i), before.at(i).name);
        ops.replace(QStringLiteral("$NAME%1").arg(i), before.at(i).name.toUpper());
    }
    ops.replace(QLatin1String("$input"), input);
    // What a sort by NAME gives: the rows as a collator orders their names.
    const auto byName = [&before](int count) {
        QVector<int> rows(count);
        std::iota(rows.begin(), rows.end(), 0);
        QCollator collator{QLocale(QStringLiteral("de_DE"))};
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return collator.compare(before.at(a).name, before.at(b).name) < 0; });
        return rows;
    };
    QStringList sortedRows;
    for (const int row : byName(2))
        sortedRows << QStringLiteral("n%1").arg(row);
    expected.replace(QLatin1String("$sorted"), sortedRows.join(QLatin1Char(' ')));

    const bool asJson = QByteArray(QTest::currentDataTag()).endsWith("JSON");
    const QString out = m_dir.filePath(QStringLiteral("edited-") + sample + (asJson ? QStringLiteral(".json") : QString()));
    QFile::remove(out);
    const Run r = cli({QStringLiteral("edit"), input, QStringLiteral("--ops"),
                       writeFile(QStringLiteral("ops.json"), ops.toUtf8()), QStringLiteral("-o"), out});
    expected.replace(QLatin1String("$last"), QString::number(before.size()));
    if (expected.startsWith(QLatin1String("ops["))) {
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(QString::fromUtf8(r.err).contains(expected), r.err.constData());
        QVERIFY(!QFile::exists(out));
        return;
    }
    QVERIFY2(r.exitCode == 0, r.err.constData());
    // A "!" last: the save says that the order could not be kept.
    QCOMPARE(r.err.contains("cannot store"), expected.endsWith(QLatin1Char('!')));

    // "..." stands for every row after the last one named before it.
    QStringList want;
    int next = 0;
    const QStringList parts = expected.split(QLatin1Char(' '));
    for (const QString &part : parts) {
        const bool row = part.size() == 2 && part.startsWith(QLatin1Char('n'));
        if (part == QLatin1String("~") || part == QLatin1String("!"))
            continue;
        if (part == QLatin1String("...")) {
            for (int i = next; i < before.size(); ++i)
                want << before.at(i).name;
            next = before.size();
        } else if (row) {
            want << before.at(part.mid(1).toInt()).name;
            next = qMax(next, part.mid(1).toInt() + 1);
        } else {
            want << part;
        }
    }
    if (expected == QLatin1String("$allsorted")) {
        want.clear();
        for (const int row : byName(before.size()))
            want << before.at(row).name;
    }
    QStringList got;
    for (const Programme &p : serviceOrder(out))
        got << p.name;
    if (expected.startsWith(QLatin1Char('~'))) {
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
    }
    QCOMPARE(got, want);
}

QTEST_GUILESS_MAIN(TestTavrinCliEdit)
#include "test_tavrincliedit.moc"
