#pragma once

#include <QTreeWidgetItem>
#include <QtGlobal>

/** What a tree item stands for; the numbers are stable. */
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
 * An item of the database tree. It refers to its node by id only: satellites
 * and TPs by their node id, favourite groups by their bit in the mask.
 * Created detached; the creator attaches it.
 */
class DBTreeWidgetItem : public QTreeWidgetItem
{
public:
    DBTreeWidgetItem(TreeItemKind kind, quint32 id, const QString &text);
    ~DBTreeWidgetItem() override;

    TreeItemKind kind() const { return m_kind; }
    void setKind(TreeItemKind kind) { m_kind = kind; }
    quint32 id() const { return m_id; }
    void setId(quint32 id) { m_id = id; }

    /** The item as a tree item, or null for a foreign or null item. */
    static DBTreeWidgetItem *from(QTreeWidgetItem *item);

private:
    TreeItemKind m_kind;
    quint32 m_id;
};
