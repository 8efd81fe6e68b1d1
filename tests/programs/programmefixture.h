#pragma once

#include "channeldatabase.h"
#include "document.h"
#include "qdbprogramwidget.h"
#include "serviceorder.h"

#include <QAbstractItemModel>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

// What a cell of the table shows; "<none>" for a cell that has no text of its own.
inline QString cellText(const QAbstractItemModel *model, int row, int column = 0)
{
    const QVariant text = model->data(model->index(row, column));
    return text.isValid() ? text.toString() : QStringLiteral("<none>");
}

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

    ChannelDatabase *db = nullptr; // built by build(), owned by the document from attach() on
    std::unique_ptr<ChannelDatabase> staged;
    TemplateVector pgTemplate;
    TemplateMap pgFields;
    QStringList favouriteNames;
    QVector<HotKey> hotKeys;
    QVector<FavHotKey> favHotKeys;
    std::unique_ptr<Document> document = std::make_unique<Document>();

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
        staged = ChannelDatabase::build(std::move(satNodes), std::move(tpNodes), std::move(pgNodes));
        db = staged.get();
    }

    // Hands the built data to the document as a load of that file kind would, and shows it in widget.
    void attach(QDBProgramWidget &widget, int fileKind)
    {
        attach(fileKind);
        widget.setDocument(document.get());
    }

    // Hands the built data to the document as a load of that file kind would.
    void attach(int fileKind)
    {
        DocumentData data;
        if (staged && fileKind == OstrelUserDump)
            ServiceOrder::sortByDefaultOrder(*staged);
        data.database = std::move(staged);
        data.pgTemplate = pgTemplate;
        data.pgFields = pgFields;
        data.favouriteNames = favouriteNames;
        data.hotKeys = hotKeys;
        data.favHotKeys = favHotKeys;
        document->setFile(QString(), fileKind);
        document->reset(std::move(data));
    }

    void addHotKey(const QString &name, quint32 sat, quint32 tp, quint32 pg)
    {
        hotKeys.append(HotKey{name, sat, tp, pg});
    }

    void addFavHotKey(const QString &name, qint32 favIndex)
    {
        favHotKeys.append(FavHotKey{name, favIndex});
    }
};
