// The view sort of the model's rows, and rows dragged and dropped: both
// order what the table shows, the drop through the document.

#include "programmemodel.h"

#include "channeldatabase.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDataStream>
#include <QLocale>
#include <QMimeData>

#include <algorithm>
#include <vector>

namespace {

const QString IdsMimeType = QStringLiteral("application/x-tavrin-programme-ids");

// Ids mean something only to the model that dragged them: another window's
// or another process's programmes that share an id are not these.
quint64 originOf(const ProgrammeModel *model)
{
    return quint64(quintptr(model)) ^ (quint64(QCoreApplication::applicationPid()) << 48);
}

QVector<quint32> idsIn(const QMimeData *data, const ProgrammeModel *model)
{
    QVector<quint32> ids;
    if (!data || !data->hasFormat(IdsMimeType))
        return ids;
    QDataStream stream(data->data(IdsMimeType));
    quint64 origin = 0;
    stream >> origin >> ids;
    return stream.status() == QDataStream::Ok && origin == originOf(model) ? ids : QVector<quint32>();
}

} // namespace

void ProgrammeModel::sort(int column, Qt::SortOrder order)
{
    const bool programmeRows = isProgrammeView() || m_view == AllFavourites || m_view == FavouriteGroup;
    if (column < 0 || column >= m_headers.size() || !programmeRows)
        column = -1;
    if (column == m_sortColumn && (column < 0 || order == m_sortOrder))
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    // The same rows in another order: selections and the current row go with their programmes.
    relayout(shownIds());
}

void ProgrammeModel::sortIds(QVector<quint32> &ids) const
{
    if (m_sortColumn < 0 || ids.size() < 2 || !m_document || !m_document->database())
        return;
    // The C locale's collator compares code units only, without case or
    // numbers, so a machine without a locale sorts as English does.
    const QLocale locale = QLocale().language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                              : QLocale();
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    // One key per row, so the sort compares bytes rather than asking the collator each time.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(std::size_t(ids.size()));
    const ChannelDatabase &database = *m_document->database();
    for (const quint32 id : qAsConst(ids)) {
        const DB_NS::PGNode *programme = database.findPG(id);
        const QString *text = programme ? programmeCell(*programme, m_sortColumn) : nullptr;
        keys.push_back(collator.sortKey(text ? *text : QString()));
    }
    std::vector<int> places(std::size_t(ids.size()));
    for (int i = 0; i < ids.size(); ++i)
        places[std::size_t(i)] = i;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(places.begin(), places.end(), [&keys, descending](int a, int b) {
        const int order = keys[std::size_t(a)].compare(keys[std::size_t(b)]);
        return descending ? order > 0 : order < 0;
    });
    const QVector<quint32> unsorted = ids;
    for (int i = 0; i < ids.size(); ++i)
        ids[i] = unsorted.at(places[std::size_t(i)]);
}

bool ProgrammeModel::acceptsDrops() const
{
    return m_view == AllServices && showsMoves() && m_dropHandler;
}

Qt::DropActions ProgrammeModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions ProgrammeModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList ProgrammeModel::mimeTypes() const
{
    return {IdsMimeType};
}

QMimeData *ProgrammeModel::mimeData(const QModelIndexList &indexes) const
{
    QVector<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid() && index.row() < m_rows.size())
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.isEmpty() || isHotKeyView())
        return nullptr;
    QVector<quint32> ids;
    ids.reserve(rows.size());
    for (const int row : qAsConst(rows))
        ids.append(m_rows.at(row));
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << originOf(this) << ids;
    auto *data = new QMimeData;
    data->setData(IdsMimeType, bytes);
    return data;
}

bool ProgrammeModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                     const QModelIndex &parent) const
{
    Q_UNUSED(column)
    // A view may still drop on a row itself (row -1 under it): in front of that row.
    const bool onRow = parent.isValid() && parent.model() == this && row < 0;
    return action == Qt::MoveAction && acceptsDrops() && (onRow || !parent.isValid()) && row <= m_rows.size()
        && data && data->hasFormat(IdsMimeType);
}

bool ProgrammeModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                  const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    const QVector<quint32> ids = idsIn(data, this);
    if (ids.isEmpty())
        return false;
    // A row of -1 is the space below the rows.
    if (parent.isValid())
        row = parent.row();
    const quint32 beforeId = row >= 0 && row < m_rows.size() ? m_rows.at(row) : DB_NS::NoId;
    return m_dropHandler(ids, beforeId);
}
