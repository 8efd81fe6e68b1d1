#pragma once

#include "channeldatabase.h"
#include "templatefield.h"

#include <QStringList>
#include <QVector>

#include <memory>
#include <deque>
#include <string>
#include <vector>

// A small database with the lists the main window would hand to the table.
// Programme attributes follow the template: NAME, V_PID, A_PID (not shown),
// FAV, default_order; a null QString leaves the attribute out.
struct ProgrammeFixture
{
    struct Pg
    {
        quint32 tp;
        quint32 id;
        QString name;
        QString vpid;
        QString fav;
        QString order;
    };

    std::vector<std::pair<quint32, quint32>> tps; // (satellite, TP)
    std::vector<quint32> sats;
    std::vector<Pg> pgs;

    std::unique_ptr<ChannelDatabase> db;
    TemplateVector pgTemplate;
    TemplateMap pgFields;
    QStringList favouriteNames;
    std::deque<std::u16string> keyNames; // a deque never moves its strings
    QVector<HotKeyItem> hotKeys;
    QVector<FavHotKeyItem> favHotKeys;

    void build()
    {
        pgTemplate.clear();
        pgFields.clear();
        const QStringList names{QStringLiteral("NAME"), QStringLiteral("V_PID"), QStringLiteral("A_PID"),
                                QStringLiteral("FAV"), QStringLiteral("default_order")};
        for (const QString &name : names) {
            TemplateField field;
            field.name = name;
            field.open = name != QLatin1String("A_PID");
            pgTemplate.append(field);
            pgFields.insert(name, field);
        }
        std::vector<std::unique_ptr<DB_NS::SatNode>> satNodes;
        for (quint32 id : sats)
            satNodes.push_back(std::make_unique<DB_NS::SatNode>(id));
        std::vector<std::unique_ptr<DB_NS::TPNode>> tpNodes;
        for (const auto &tp : tps) {
            auto node = std::make_unique<DB_NS::TPNode>(tp.second);
            node->setParentId(tp.first);
            tpNodes.push_back(std::move(node));
        }
        std::vector<std::unique_ptr<DB_NS::PGNode>> pgNodes;
        for (const Pg &pg : pgs) {
            auto node = std::make_unique<DB_NS::PGNode>(pg.id);
            node->setParentId(pg.tp);
            const QString values[] = {pg.name, pg.vpid, QStringLiteral("7"), pg.fav, pg.order};
            for (int i = 0; i < names.size(); ++i) {
                if (!values[i].isNull())
                    node->addAttribute(names.at(i), values[i]);
            }
            pgNodes.push_back(std::move(node));
        }
        db = ChannelDatabase::build(std::move(satNodes), std::move(tpNodes), std::move(pgNodes));
    }

    void addHotKey(const QString &name, quint32 sat, quint32 tp, quint32 pg)
    {
        keyNames.push_back(name.toStdU16String());
        hotKeys.append(HotKeyItem{keyNames.back().c_str(), sat, tp, pg});
    }

    void addFavHotKey(const QString &name, qint32 favIndex)
    {
        keyNames.push_back(name.toStdU16String());
        favHotKeys.append(FavHotKeyItem{keyNames.back().c_str(), favIndex});
    }
};
