#include "dbtreewidgetitem.h"

namespace {
// Marks our items among QTreeWidgetItems, so from() needs no dynamic_cast.
constexpr int TreeItemType = QTreeWidgetItem::UserType + 1;
} // namespace

DBTreeWidgetItem::DBTreeWidgetItem(TreeItemKind kind, quint32 id, const QString &text)
    : QTreeWidgetItem(TreeItemType), m_kind(kind), m_id(id)
{
    setText(0, text);
}

DBTreeWidgetItem::~DBTreeWidgetItem() = default;

DBTreeWidgetItem *DBTreeWidgetItem::from(QTreeWidgetItem *item)
{
    return item && item->type() == TreeItemType ? static_cast<DBTreeWidgetItem *>(item) : nullptr;
}
