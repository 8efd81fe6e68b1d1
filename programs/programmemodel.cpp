// Which rows each view shows and what their cells say.

#include "programmemodel.h"

#include "channeldatabase.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

bool inGroup(const DB_NS::PGNode &programme, quint32 favId)
{
    const NodeAttribute *fav = programme.findAttribute(QStringLiteral("FAV"));
    if (!fav)
        return false;
    const quint32 mask = fav->value.trimmed().toUInt();
    return favId == 0 ? mask != 0 : (mask & favId) != 0;
}

/**
 * The programmes of a satellite (or of its TP only) grouped by TP in the
 * satellite's order, each TP's in the service order. Move Up and Move Down
 * there trade two places of the service order, which swaps the two rows and
 * leaves every other row where it was.
 */
QVector<const DB_NS::PGNode *> groupedByTp(const ChannelDatabase &database, const DB_NS::SatNode &sat,
                                           const DB_NS::TPNode *onlyTp)
{
    QVector<const DB_NS::PGNode *> grouped;
    grouped.reserve(int(onlyTp ? onlyTp->pgs().size() : sat.allPGs().size()));
    // The TPs' own lists, while the database keeps them in the service order.
    if (database.listsInServiceOrder()) {
        for (const DB_NS::TPNode *tp : sat.tps()) {
            if (!onlyTp || tp == onlyTp)
                std::copy(tp->pgs().begin(), tp->pgs().end(), std::back_inserter(grouped));
        }
        return grouped;
    }
    QHash<const DB_NS::TPNode *, QVector<const DB_NS::PGNode *>> byTp;
    for (const DB_NS::PGNode *programme : database.allPGs()) {
        const DB_NS::TPNode *tp = programme->parent();
        if (tp && tp->parent() == &sat && (!onlyTp || tp == onlyTp))
            byTp[tp].append(programme);
    }
    for (const DB_NS::TPNode *tp : sat.tps())
        grouped += byTp.value(tp);
    return grouped;
}

// The value of the attribute name; at is where it was last found, which the
// programmes of one database nearly always share, and is tried first.
const QString *valueOf(const DB_NS::PGNode &programme, const QString &name, int &at)
{
    const QVector<NodeAttribute> &attributes = programme.attributes();
    if (at >= 0 && at < attributes.size() && NodeAttribute::namesEqual(attributes.at(at).name, name))
        return &attributes.at(at).value;
    for (int i = 0; i < attributes.size(); ++i) {
        if (NodeAttribute::namesEqual(attributes.at(i).name, name)) {
            at = i;
            return &attributes.at(i).value;
        }
    }
    return nullptr;
}

} // namespace

ProgrammeModel::ProgrammeModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void ProgrammeModel::showView(View view, quint32 satId, quint32 tpId, quint32 favId)
{
    m_view = view;
    m_satId = satId;
    m_tpId = tpId;
    m_favId = favId;
    m_sortColumn = -1;
    m_sortOrder = Qt::AscendingOrder;
    rebuild();
}

void ProgrammeModel::refresh()
{
    rebuild();
}

void ProgrammeModel::setService(int service)
{
    m_service = service;
    if (isProgrammeView() || m_view == AllFavourites || m_view == FavouriteGroup)
        rebuild();
}

void ProgrammeModel::setNameFilter(const QString &prefix)
{
    m_nameFilter = prefix;
    if (isProgrammeView() || m_view == AllFavourites || m_view == FavouriteGroup)
        rebuild();
}

bool ProgrammeModel::passes(const DB_NS::PGNode &programme) const
{
    if (m_service == Tv || m_service == Radio) {
        const QString *vpid = valueOf(programme, QStringLiteral("V_PID"), m_vpidAt);
        const bool radio = vpid && *vpid == QLatin1String("0");
        if (radio != (m_service == Radio))
            return false;
    }
    if (m_nameFilter.isEmpty())
        return true;
    const QString *name = valueOf(programme, QStringLiteral("name"), m_nameAt);
    return name && name->startsWith(m_nameFilter, Qt::CaseInsensitive);
}

QVector<const DB_NS::PGNode *> ProgrammeModel::viewProgrammes() const
{
    QVector<const DB_NS::PGNode *> programmes;
    const ChannelDatabase *database = m_document ? m_document->database() : nullptr;
    if (!database)
        return programmes;
    switch (m_view) {
    case AllServices:
        programmes.reserve(int(database->allPGs().size()));
        for (const DB_NS::PGNode *programme : database->allPGs())
            programmes.append(programme);
        break;
    case Satellite:
        if (const DB_NS::SatNode *sat = database->findSat(m_satId))
            programmes = groupedByTp(*database, *sat, nullptr);
        break;
    case Transponder: {
        const DB_NS::SatNode *sat = database->findSat(m_satId);
        if (const DB_NS::TPNode *tp = sat ? sat->findTP(m_tpId) : nullptr)
            programmes = groupedByTp(*database, *sat, tp);
        break;
    }
    case AllFavourites:
    case FavouriteGroup:
        for (const DB_NS::PGNode *programme : database->allPGs()) {
            if (inGroup(*programme, m_favId))
                programmes.append(programme);
        }
        break;
    case None:
    case NoSatellite:
    case HotKeys:
    case FavHotKeys:
        break;
    }
    return programmes;
}

int ProgrammeModel::otherServiceCount() const
{
    if (m_service != Tv && m_service != Radio)
        return 0;
    const QVector<const DB_NS::PGNode *> programmes = viewProgrammes();
    return int(std::count_if(programmes.cbegin(), programmes.cend(), [this](const DB_NS::PGNode *programme) {
        const QString *vpid = valueOf(*programme, QStringLiteral("V_PID"), m_vpidAt);
        const bool radio = vpid && *vpid == QLatin1String("0");
        return radio != (m_service == Radio);
    }));
}

QVector<quint32> ProgrammeModel::shownIds() const
{
    QVector<quint32> ids;
    if (!m_document || m_document->fieldsOf(NodeKind::Programme).isEmpty())
        return ids;
    const auto add = [this, &ids](const DB_NS::PGNode *programme) {
        if (passes(*programme))
            ids.append(programme->id());
    };
    // All Services straight from the list: no copy of it for every move.
    if (m_view == AllServices && m_document->database()) {
        const auto &all = m_document->database()->allPGs();
        ids.reserve(int(all.size()));
        std::for_each(all.begin(), all.end(), add);
    } else {
        const QVector<const DB_NS::PGNode *> programmes = viewProgrammes();
        ids.reserve(programmes.size());
        std::for_each(programmes.cbegin(), programmes.cend(), add);
    }
    sortIds(ids);
    return ids;
}

QStringList ProgrammeModel::openFieldNames() const
{
    QStringList names;
    if (!m_document || !m_document->hasDatabase())
        return names;
    for (const TemplateField &field : m_document->templateOf(NodeKind::Programme)) {
        if (field.open)
            names.append(field.name);
    }
    return names;
}

void ProgrammeModel::rebuild()
{
    beginResetModel();
    m_headers.clear();
    m_rows.clear();
    m_keyRows = 0;
    m_layoutNames.clear();
    forgetRowIndex();
    if (m_document && m_document->hasDatabase()) {
        if (m_view == HotKeys) {
            m_keyRows = m_document->hotKeys().size();
            //: Column caption: the hot key's number.
            if (m_keyRows > 0)
                m_headers = QStringList{tr("HotKey")} + openFieldNames();
        } else if (m_view == FavHotKeys) {
            m_keyRows = m_document->favHotKeys().size();
            //: Column caption: the favourite group a hot key calls up.
            const QString fav = tr("Fav");
            if (m_keyRows > 0)
                m_headers = QStringList{tr("HotKey"), fav};
        } else if (m_view != None) {
            m_headers = openFieldNames();
            m_rows = shownIds();
        }
    }
    endResetModel();
}

const DB_NS::PGNode *ProgrammeModel::programmeAt(int row) const
{
    if (row < 0 || row >= m_rows.size() || !m_document || !m_document->database())
        return nullptr;
    return m_document->database()->findPG(m_rows.at(row));
}

QVector<quint32> ProgrammeModel::rowIds() const
{
    return isHotKeyView() ? QVector<quint32>(m_keyRows, NoId) : m_rows;
}

int ProgrammeModel::rowOf(quint32 programmeId) const
{
    if (!m_rowIndexValid) {
        m_rowIndex.clear();
        m_rowIndex.reserve(m_rows.size());
        for (int row = 0; row < m_rows.size(); ++row)
            m_rowIndex.insert(m_rows.at(row), row);
        m_rowIndexValid = true;
    }
    return m_rowIndex.value(programmeId, -1);
}

const DB_NS::PGNode *ProgrammeModel::hotKeyProgramme(int row) const
{
    const ChannelDatabase *database = m_document ? m_document->database() : nullptr;
    if (m_view != HotKeys || !database || row < 0 || row >= m_document->hotKeys().size())
        return nullptr;
    const HotKey &key = m_document->hotKeys().at(row);
    const DB_NS::SatNode *sat = database->findSat(key.satId);
    const DB_NS::TPNode *tp = sat ? sat->findTP(key.tpId) : nullptr;
    return tp ? tp->findPG(key.pgId) : nullptr;
}

const QString *ProgrammeModel::programmeCell(const DB_NS::PGNode &programme, int column) const
{
    // Columns follow the open fields; an attribute the field map does not
    // know still takes a column's place and leaves its cell empty.
    const QVector<NodeAttribute> &attributes = programme.attributes();
    bool same = attributes.size() == m_layoutNames.size();
    for (int i = 0; same && i < attributes.size(); ++i)
        same = attributes.at(i).name == m_layoutNames.at(i);
    if (!same) {
        const TemplateMap &fields = m_document->fieldsOf(NodeKind::Programme);
        m_layoutNames.resize(attributes.size());
        m_attributeOfColumn.fill(-1, m_headers.size());
        int next = 0;
        for (int i = 0; i < attributes.size(); ++i) {
            m_layoutNames[i] = attributes.at(i).name;
            const auto field = fields.constFind(attributes.at(i).name);
            if (field == fields.constEnd()) {
                ++next;
            } else if (field->open) {
                if (next < m_attributeOfColumn.size())
                    m_attributeOfColumn[next] = i;
                ++next;
            }
        }
    }
    const int attribute = column >= 0 && column < m_attributeOfColumn.size() ? m_attributeOfColumn.at(column) : -1;
    return attribute < 0 ? nullptr : &attributes.at(attribute).value;
}

int ProgrammeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return isHotKeyView() ? m_keyRows : m_rows.size();
}

int ProgrammeModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_headers.size();
}

QVariant ProgrammeModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || !m_document)
        return QVariant();
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::UserRole)
        return column != 0 ? QVariant() : isHotKeyView() ? QVariant(row)
                                                         : QVariant(m_rows.at(row));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();

    if (m_view == FavHotKeys) {
        const QVector<FavHotKey> &keys = m_document->favHotKeys();
        if (row >= keys.size())
            return QVariant();
        if (column == 0)
            return keys.at(row).name;
        const QStringList &names = m_document->favouriteNames();
        const int group = keys.at(row).favIndex;
        return group >= 0 && group < names.size() ? names.at(group) : QString();
    }
    if (m_view == HotKeys) {
        if (row >= m_document->hotKeys().size())
            return QVariant();
        if (column == 0)
            return m_document->hotKeys().at(row).name;
        // A key without its programme shows empty cells; one with it shows
        // the programme's cells (those it lacks stay without text).
        const DB_NS::PGNode *programme = hotKeyProgramme(row);
        if (!programme)
            return QString();
        const QString *text = programmeCell(*programme, column - 1);
        return text ? QVariant(*text) : QVariant();
    }
    const DB_NS::PGNode *programme = programmeAt(row);
    if (!programme)
        return QVariant();
    const QString *text = programmeCell(*programme, column);
    return text ? QVariant(*text) : QVariant();
}

QVariant ProgrammeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section >= 0 && section < m_headers.size() ? QVariant(m_headers.at(section)) : QVariant();
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ProgrammeModel::flags(const QModelIndex &index) const
{
    // Rows land between rows, never on one; the space below them takes them to the end.
    if (!index.isValid())
        return acceptsDrops() ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    const Qt::ItemFlags drag = m_view == AllServices && showsMoves() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | drag;
}
