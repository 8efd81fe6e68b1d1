#pragma once

#include "document.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QVector>

#include <memory>
#include <vector>

/** What a row of the tree stands for; the numbers are stable. */
enum TreeItemKind {
    NoKind = 0,
    AllServicesRoot = 1,
    AllFavouritesRoot = 2,
    HotKeyRoot = 3,
    FavHotKeyRoot = 4,
    SatelliteRoot = 5,
    FavGroupItem = 6,
    SatItem = 7,
    TPItem = 8,
};

/**
 * The left-hand tree's rows over a document: "All Services" holding
 * "Satellite Information" with the named satellites and their TPs, "All
 * Favourites" with the groups, and the two hot-key roots. A row refers to
 * its node by id only (a favourite group by its bit in the mask) and reads
 * its text from the document when asked; the document's signals become row
 * insertions, removals, moves and dataChanged, so a change to one node
 * touches one row.
 *
 * Reads the document only; the one edit it takes, a group's new name, goes
 * to the document's rename command.
 */
class DBTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Role {
        KindRole = Qt::UserRole + 1, // a TreeItemKind
        IdRole,                      // node id, group bit, 4294967295 for "Satellite Information"
    };

    explicit DBTreeModel(QObject *parent = nullptr);
    ~DBTreeModel() override;

    /** Shows document (not owned) and follows it; no rows while it holds no database. */
    void setDocument(Document *document);
    /** Drops every row until the document is reset or set again. */
    void clear();
    bool isEmpty() const { return m_root.children.empty(); }

    /** The root of that kind ("Satellite Information" included); invalid when not shown. */
    QModelIndex rootIndex(TreeItemKind kind) const;
    QModelIndex satelliteIndex(quint32 satId) const;
    QModelIndex transponderIndex(quint32 satId, quint32 tpId) const;
    /** The row of that kind and id whose parent row has parentId (0 for a root's). */
    QModelIndex find(TreeItemKind kind, quint32 id, quint32 parentId) const;

    static TreeItemKind kindOf(const QModelIndex &index);
    static quint32 idOf(const QModelIndex &index);
    /** The satellite a TP row belongs to; 4294967295 for any other row. */
    static quint32 satIdOf(const QModelIndex &index);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Row
    {
        TreeItemKind kind = NoKind;
        quint32 id = 0;
        Row *parent = nullptr;
        int row = 0;
        std::vector<std::unique_ptr<Row>> children;
    };

    void beginReset();
    void endReset();
    void build();
    Row *addRow(Row *parent, TreeItemKind kind, quint32 id);
    void addTransponderRows(Row *satRow);
    QModelIndex indexOf(const Row *row) const;
    Row *rowOf(const QModelIndex &index) const;
    Row *findChild(const Row *parent, quint32 id) const;
    QString text(const Row &row) const;

    void showNodeName(NodeKind kind, quint32 id, quint32 satId);
    void showGroupName(int index);
    // Row sync after a change to the tree's structure (dbtreemodelsync.cpp).
    void showNodes(NodeKind kind, quint32 satId);
    void syncChildren(Row *parent, TreeItemKind kind, const QVector<quint32> &wanted);
    void removeAbsent(Row *parent, const QVector<quint32> &wanted);
    void placeRow(Row *parent, TreeItemKind kind, quint32 id, int after);
    void renumber(Row *parent, int from, int to);

    const Document *m_document = nullptr;
    Document *m_editable = nullptr; // only for the rename command
    Row m_root;
    Row *m_satelliteRoot = nullptr;
    Row *m_favouritesRoot = nullptr;
    QHash<quint32, Row *> m_satRows;
    bool m_resetting = false;
};
