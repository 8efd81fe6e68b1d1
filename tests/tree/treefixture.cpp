#include "treefixture.h"

#include "dbtreewidget.h"

namespace {

const QString HotKeyName = QStringLiteral("Key 1");

DB_NS::TPNode *makeTP(quint32 id, const QString &frq, const QString &pol, const QString &sym)
{
    auto *tp = new DB_NS::TPNode(id);
    tp->addAttribute(QStringLiteral("id"), QString::number(id));
    tp->addAttribute(QStringLiteral("FRQ"), frq);
    tp->addAttribute(QStringLiteral("POL"), pol);
    tp->addAttribute(QStringLiteral("SYM"), sym);
    return tp;
}

void addSat(ChannelDatabase &db, quint32 id, const QString &name, const QVector<DB_NS::TPNode *> &tps)
{
    auto *sat = new DB_NS::SatNode(id);
    sat->addAttribute(QStringLiteral("id"), QString::number(id));
    if (!name.isNull())
        sat->addAttribute(QStringLiteral("NAME"), name);
    db.addSat(sat);
    for (DB_NS::TPNode *tp : tps) {
        tp->setParentId(id);
        sat->addTP(tp);
    }
}

} // namespace

TreeFixture::TreeFixture()
{
    doc.database = std::make_unique<ChannelDatabase>();
    ChannelDatabase &db = *doc.database;
    const QString h = QStringLiteral("H"), v = QStringLiteral("V");
    addSat(db, 10, QStringLiteral("Alpha 1"),
           {makeTP(100, frq(100), h, QStringLiteral("27500")), makeTP(101, frq(101), v, QStringLiteral("22000")),
            makeTP(102, frq(102), h, QStringLiteral("27500"))});
    addSat(db, 20, QStringLiteral("Beta"), {makeTP(200, frq(200), v, QStringLiteral("22000"))});
    addSat(db, 40, QString(), {makeTP(400, frq(400), h, QStringLiteral("27500"))});
    addSat(db, 30, QStringLiteral("Gamma Alpha"),
           {makeTP(300, frq(300), h, QStringLiteral("27500")), makeTP(301, frq(301), v, QStringLiteral("27500"))});

    TemplateField name;
    name.name = QStringLiteral("NAME");
    doc.satTemplate << name;
    TemplateField frqField;
    frqField.name = QStringLiteral("FRQ");
    doc.tpTemplate << frqField;

    doc.favouriteNames = QStringList{QStringLiteral("News"), QStringLiteral("Sport"), QStringLiteral("Movies"),
                                     QStringLiteral("Music")};
    doc.hotKeys << HotKey{HotKeyName, 10, 100, 5};
    doc.favHotKeys << FavHotKey{HotKeyName, 1};
}

QString TreeFixture::frq(quint32 tpId)
{
    static const QHash<quint32, QString> values{{100, QStringLiteral("11778")}, {101, QStringLiteral("11800")}, {102, QStringLiteral("12000")}, {200, QStringLiteral("10700")}, {300, QStringLiteral("12100")}, {301, QStringLiteral("12200")}, {400, QStringLiteral("11000")}};
    return values.value(tpId);
}

bool TreeFixture::attach(DBTreeWidget &tree)
{
    if (doc.database)
        document.reset(std::move(doc));
    return tree.setDocument(&document);
}

QModelIndex itemAtPath(DBTreeWidget &tree, const QString &path)
{
    static const QHash<QString, TreeItemKind> roots{{QStringLiteral("A"), AllServicesRoot},
                                                    {QStringLiteral("S"), SatelliteRoot},
                                                    {QStringLiteral("F"), AllFavouritesRoot},
                                                    {QStringLiteral("H"), HotKeyRoot},
                                                    {QStringLiteral("K"), FavHotKeyRoot}};
    const QStringList parts = path.split(QLatin1Char('/'));
    const DBTreeModel *model = tree.treeModel();
    QModelIndex index = model->rootIndex(roots.value(parts.first(), NoKind));
    for (int i = 1; index.isValid() && i < parts.size(); ++i)
        index = model->index(parts.at(i).toInt(), 0, index);
    return index;
}

QStringList childTexts(DBTreeWidget &tree, const QModelIndex &parent, bool visibleOnly)
{
    const DBTreeModel *model = tree.treeModel();
    QStringList texts;
    for (int i = 0, n = model->rowCount(parent); i < n; ++i) {
        if (!visibleOnly || !tree.isRowHidden(i, parent))
            texts << model->index(i, 0, parent).data().toString();
    }
    return texts;
}
