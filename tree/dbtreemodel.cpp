#include "dbtreemodel.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "tpdisplayname.h"

#include <algorithm>

namespace {

constexpr quint32 AllSatellites = 0xFFFFFFFFu;
// A favourite group is one bit of a 32-bit mask; later groups have no bit.
constexpr int MaxFavGroups = 32;

const QString &nameField()
{
    static const QString name = QStringLiteral("NAME");
    return name;
}

} // namespace

DBTreeModel::DBTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

DBTreeModel::~DBTreeModel() = default;

void DBTreeModel::setDocument(Document *document)
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    beginReset();
    m_document = document;
    m_editable = document;
    if (document) {
        connect(document, &Document::aboutToReset, this, &DBTreeModel::beginReset);
        connect(document, &Document::documentReset, this, [this] {
            beginReset();
            endReset();
        });
        connect(document, &Document::nodeChanged, this, &DBTreeModel::showNodeName);
        connect(document, &Document::nodesChanged, this, &DBTreeModel::showNodes);
        connect(document, &Document::favouriteGroupRenamed, this, &DBTreeModel::showGroupName);
        connect(document, &Document::destroyed, this, [this] {
            beginReset();
            m_document = nullptr;
            m_editable = nullptr;
            endReset();
        });
    }
    endReset();
}

void DBTreeModel::clear()
{
    if (isEmpty())
        return;
    beginResetModel();
    m_root.children.clear();
    m_satelliteRoot = nullptr;
    m_favouritesRoot = nullptr;
    m_satRows.clear();
    endResetModel();
}

void DBTreeModel::beginReset()
{
    // A document announces a reset before it drops its data; the rows that
    // name that data go at once.
    if (m_resetting)
        return;
    m_resetting = true;
    beginResetModel();
    m_root.children.clear();
    m_satelliteRoot = nullptr;
    m_favouritesRoot = nullptr;
    m_satRows.clear();
}

void DBTreeModel::endReset()
{
    if (!m_resetting)
        return;
    build();
    m_resetting = false;
    endResetModel();
}

void DBTreeModel::build()
{
    const ChannelDatabase *database = m_document ? m_document->database() : nullptr;
    if (!database)
        return;
    Row *allServices = addRow(&m_root, AllServicesRoot, 0);
    if (!m_document->favouriteNames().isEmpty()) {
        m_favouritesRoot = addRow(&m_root, AllFavouritesRoot, 0);
        const int count = std::min(int(m_document->favouriteNames().size()), MaxFavGroups);
        for (int i = 0; i < count; ++i)
            addRow(m_favouritesRoot, FavGroupItem, 1u << i);
    }
    if (!m_document->hotKeys().isEmpty())
        addRow(&m_root, HotKeyRoot, 0);
    if (!m_document->favHotKeys().isEmpty())
        addRow(&m_root, FavHotKeyRoot, 0);
    m_satelliteRoot = addRow(allServices, SatelliteRoot, AllSatellites);
    // A satellite without NAME has no row.
    for (const DB_NS::SatNode *sat : database->sats()) {
        if (sat->hasAttribute(nameField()))
            addTransponderRows(addRow(m_satelliteRoot, SatItem, sat->id()));
    }
}

DBTreeModel::Row *DBTreeModel::addRow(Row *parent, TreeItemKind kind, quint32 id)
{
    auto row = std::make_unique<Row>();
    row->kind = kind;
    row->id = id;
    row->parent = parent;
    row->row = int(parent->children.size());
    parent->children.push_back(std::move(row));
    Row *added = parent->children.back().get();
    if (kind == SatItem)
        m_satRows.insert(id, added);
    return added;
}

void DBTreeModel::addTransponderRows(Row *satRow)
{
    const DB_NS::SatNode *sat = m_document->database()->findSat(satRow->id);
    if (!sat)
        return;
    satRow->children.reserve(size_t(sat->tps().size()));
    for (const DB_NS::TPNode *tp : sat->tps())
        addRow(satRow, TPItem, tp->id());
}

QModelIndex DBTreeModel::rootIndex(TreeItemKind kind) const
{
    if (kind == SatelliteRoot)
        return indexOf(m_satelliteRoot);
    for (const auto &row : m_root.children) {
        if (row->kind == kind)
            return indexOf(row.get());
    }
    return QModelIndex();
}

QModelIndex DBTreeModel::satelliteIndex(quint32 satId) const
{
    return indexOf(m_satRows.value(satId));
}

QModelIndex DBTreeModel::transponderIndex(quint32 satId, quint32 tpId) const
{
    const Row *sat = m_satRows.value(satId);
    return sat ? indexOf(findChild(sat, tpId)) : QModelIndex();
}

QModelIndex DBTreeModel::find(TreeItemKind kind, quint32 id, quint32 parentId) const
{
    switch (kind) {
    case SatItem:
        return satelliteIndex(id);
    case TPItem:
        return transponderIndex(parentId, id);
    case FavGroupItem:
        return indexOf(findChild(m_favouritesRoot, id));
    case NoKind:
        return QModelIndex();
    default:
        return rootIndex(kind);
    }
}

TreeItemKind DBTreeModel::kindOf(const QModelIndex &index)
{
    return index.isValid() ? static_cast<const Row *>(index.internalPointer())->kind : NoKind;
}

quint32 DBTreeModel::idOf(const QModelIndex &index)
{
    return index.isValid() ? static_cast<const Row *>(index.internalPointer())->id : 0;
}

quint32 DBTreeModel::satIdOf(const QModelIndex &index)
{
    const Row *row = index.isValid() ? static_cast<const Row *>(index.internalPointer()) : nullptr;
    return row && row->kind == TPItem ? row->parent->id : DB_NS::NoId;
}

QModelIndex DBTreeModel::indexOf(const Row *row) const
{
    return row ? createIndex(row->row, 0, const_cast<Row *>(row)) : QModelIndex();
}

DBTreeModel::Row *DBTreeModel::rowOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Row *>(index.internalPointer()) : const_cast<Row *>(&m_root);
}

DBTreeModel::Row *DBTreeModel::findChild(const Row *parent, quint32 id) const
{
    if (!parent)
        return nullptr;
    for (const auto &child : parent->children) {
        if (child->id == id)
            return child.get();
    }
    return nullptr;
}

QModelIndex DBTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    const Row *parentRow = rowOf(parent);
    if (column != 0 || row < 0 || size_t(row) >= parentRow->children.size())
        return QModelIndex();
    return createIndex(row, 0, parentRow->children[size_t(row)].get());
}

QModelIndex DBTreeModel::parent(const QModelIndex &child) const
{
    const Row *row = child.isValid() ? static_cast<const Row *>(child.internalPointer()) : nullptr;
    return row && row->parent != &m_root ? indexOf(row->parent) : QModelIndex();
}

int DBTreeModel::rowCount(const QModelIndex &parent) const
{
    return parent.column() > 0 ? 0 : int(rowOf(parent)->children.size());
}

int DBTreeModel::columnCount(const QModelIndex & /*parent*/) const
{
    return 1;
}

QString DBTreeModel::text(const Row &row) const
{
    switch (row.kind) {
    case AllServicesRoot:
        return tr("All Services");
    case AllFavouritesRoot:
        return tr("All Favourites");
    case HotKeyRoot:
        //: Root of the programmes called up by a hot key.
        return tr("HotKey");
    case FavHotKeyRoot:
        //: Root of the favourite groups called up by a hot key; Fav: favourite group.
        return tr("Fav HotKey");
    case SatelliteRoot:
        return tr("Satellite Information");
    case FavGroupItem:
        return m_document ? m_document->favouriteNames().value(row.row) : QString();
    case SatItem:
        if (const DB_NS::Node *sat = m_document ? m_document->findNode(NodeKind::Satellite, row.id) : nullptr)
            return sat->value(nameField());
        break;
    case TPItem:
        if (const DB_NS::Node *tp = m_document ? m_document->findNode(NodeKind::Transponder, row.id, row.parent->id)
                                               : nullptr)
            return tpDisplayName(*static_cast<const DB_NS::TPNode *>(tp));
        break;
    case NoKind:
        break;
    }
    return QString();
}

QVariant DBTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const Row &row = *static_cast<const Row *>(index.internalPointer());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(row);
    case KindRole:
        return int(row.kind);
    case IdRole:
        return row.id;
    default:
        return QVariant();
    }
}

bool DBTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || kindOf(index) != FavGroupItem || !m_editable)
        return false;
    // The document announces the new name; a refused one (empty) leaves the
    // row showing the group's name, as it reads it from there.
    return bool(m_editable->edits().renameGroup(index.row(), value.toString()));
}

Qt::ItemFlags DBTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (kindOf(index) == FavGroupItem)
        flags |= Qt::ItemIsEditable;
    return flags;
}

void DBTreeModel::showNodeName(NodeKind kind, quint32 id, quint32 satId)
{
    const QModelIndex index = kind == NodeKind::Satellite ? satelliteIndex(id)
        : kind == NodeKind::Transponder                   ? transponderIndex(satId, id)
                                                          : QModelIndex();
    if (index.isValid())
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
}

void DBTreeModel::showGroupName(int index)
{
    if (m_favouritesRoot && index >= 0 && size_t(index) < m_favouritesRoot->children.size()) {
        const QModelIndex group = indexOf(m_favouritesRoot->children[size_t(index)].get());
        emit dataChanged(group, group, {Qt::DisplayRole, Qt::EditRole});
    }
}
