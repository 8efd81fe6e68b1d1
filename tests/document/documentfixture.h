#pragma once
// A small dump-like document: two satellites, three TPs and six programmes
// whose file order disagrees with their "default_order", so that an undo
// must give back each TP's own order, not only the service order.
//   sat 1 "Astra":    TP 10 (100 Alpha, 101 Beta), TP 11 (102 Gamma, 105 Zeta)
//   sat 2 "Hot Bird": TP 20 (103 Delta, 104 Epsilon)
//   service order: 101 102 100 104 103 105

#include "document.h"
#include "serviceorder.h"

inline DocumentData documentFixtureData()
{
    std::vector<std::unique_ptr<DB_NS::SatNode>> sats;
    for (const auto &s : {std::make_pair(1u, "Astra"), std::make_pair(2u, "Hot Bird")}) {
        auto sat = std::make_unique<DB_NS::SatNode>(s.first);
        sat->addAttribute(QStringLiteral("NAME"), QString::fromLatin1(s.second));
        sats.push_back(std::move(sat));
    }
    std::vector<std::unique_ptr<DB_NS::TPNode>> tps;
    for (const auto &t : {std::make_pair(1u, 10u), std::make_pair(1u, 11u), std::make_pair(2u, 20u)}) {
        auto tp = std::make_unique<DB_NS::TPNode>(t.second);
        tp->setParentId(t.first);
        tp->addAttribute(QStringLiteral("FRQ"), QString::number(11000 + t.second));
        tps.push_back(std::move(tp));
    }
    struct Pg
    {
        quint32 tp, id;
        const char *name;
        int order;
    };
    const Pg pgs[] = {{10, 100, "Alpha", 2}, {10, 101, "Beta", 0}, {11, 102, "Gamma", 1}, {20, 103, "Delta", 4}, {20, 104, "Epsilon", 3}, {11, 105, "Zeta", 5}};
    std::vector<std::unique_ptr<DB_NS::PGNode>> programmes;
    for (const Pg &p : pgs) {
        auto pg = std::make_unique<DB_NS::PGNode>(p.id);
        pg->setParentId(p.tp);
        pg->addAttribute(QStringLiteral("NAME"), QString::fromLatin1(p.name));
        pg->addAttribute(QStringLiteral("V_PID"), QString::number(p.id));
        pg->addAttribute(QStringLiteral("FAV"), QStringLiteral("1"));
        pg->addAttribute(QStringLiteral("default_order"), QString::number(p.order));
        programmes.push_back(std::move(pg));
    }
    DocumentData data;
    data.database = ChannelDatabase::build(std::move(sats), std::move(tps), std::move(programmes));
    ServiceOrder::sortByDefaultOrder(*data.database);
    for (const char *name : {"NAME", "V_PID", "FAV", "default_order"}) {
        TemplateField field;
        field.name = QString::fromLatin1(name);
        field.duplicateCheck = field.name == QLatin1String("NAME");
        data.pgTemplate << field;
        data.pgFields.insert(field.name, field);
    }
    TemplateField satName;
    satName.name = QStringLiteral("NAME");
    data.satTemplate << satName;
    data.favouriteNames = QStringList{QStringLiteral("News"), QStringLiteral("Sport")};
    data.hotKeys << HotKey{QStringLiteral("Red"), 2, 20, 104};
    data.favHotKeys << FavHotKey{QStringLiteral("F1"), 1};
    return data;
}

inline void loadDocumentFixture(Document &document)
{
    document.setFile(QStringLiteral("fixture.udf"), OstrelUserDump);
    document.reset(documentFixtureData());
}

// The document's lists for a test to arrange before the edits it tries;
// nothing but the document's own commands changes them in the editor.
inline ChannelDatabase &arrangedData(Document &document)
{
    return const_cast<ChannelDatabase &>(*document.database());
}
