// The table's views: which programmes each tree selection lists, and the
// columns and rows that show them.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "programmeitem.h"
#include "programmeorder.h"

#include <QHash>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

/**
 * Which column each attribute of a programme lands in. Programmes of one
 * database nearly always share one attribute layout, so the plan is worked
 * out once and reused while the names stay the same, instead of looking
 * every attribute up in the field map again.
 */
class ColumnPlan
{
public:
    explicit ColumnPlan(const TemplateMap &fields)
        : m_fields(fields) {}

    // Column offset per attribute (from the first column), -1 for none.
    const QVector<int> &columnsFor(const DB_NS::PGNode &programme)
    {
        const QVector<NodeAttribute> &attributes = programme.attributes();
        if (!sameLayout(attributes)) {
            m_names.resize(attributes.size());
            m_columns.resize(attributes.size());
            int column = 0;
            for (int i = 0; i < attributes.size(); ++i) {
                m_names[i] = attributes.at(i).name;
                const auto field = m_fields.constFind(attributes.at(i).name);
                if (field == m_fields.constEnd()) {
                    m_columns[i] = -1;
                    ++column; // unknown attributes leave their cell alone
                } else if (!field->open) {
                    m_columns[i] = -1;
                } else {
                    m_columns[i] = column++;
                }
            }
            m_valid = true;
        }
        return m_columns;
    }

private:
    bool sameLayout(const QVector<NodeAttribute> &attributes) const
    {
        if (!m_valid || attributes.size() != m_names.size())
            return false;
        for (int i = 0; i < attributes.size(); ++i) {
            if (attributes.at(i).name != m_names.at(i))
                return false;
        }
        return true;
    }

    const TemplateMap &m_fields;
    QVector<QString> m_names;
    QVector<int> m_columns;
    bool m_valid = false;
};

/**
 * The programmes of a satellite (or of its TP only) grouped by TP in the
 * satellite's order, each TP's in the service order. Move Up and Move Down
 * there trade two places of the service order, which swaps the two rows and
 * leaves every other row where it was.
 */
QVector<DB_NS::PGNode *> groupedByTp(const ChannelDatabase &database, const DB_NS::SatNode &sat,
                                     const DB_NS::TPNode *onlyTp)
{
    QHash<const DB_NS::TPNode *, QVector<DB_NS::PGNode *>> byTp;
    for (DB_NS::PGNode *programme : database.allPGs()) {
        const DB_NS::TPNode *tp = programme->parent();
        if (tp && tp->parent() == &sat && (!onlyTp || tp == onlyTp))
            byTp[tp].append(programme);
    }
    QVector<DB_NS::PGNode *> grouped;
    grouped.reserve(int(onlyTp ? onlyTp->pgs().size() : sat.allPGs().size()));
    for (const DB_NS::TPNode *tp : sat.tps())
        grouped += byTp.value(tp);
    return grouped;
}

} // namespace

void QDBProgramWidget::allSrvSelected()
{
    if (!m_database)
        return;
    m_viewMode = AllServices;
    m_currentSatId = m_currentTpId = m_currentFavId = NoId;
    resetTable();
    fillRows(viewCandidates());
}

void QDBProgramWidget::satSelected(unsigned int id)
{
    if (!m_database)
        return;
    m_currentSatId = id;
    m_currentTpId = m_currentFavId = NoId;
    m_viewMode = Satellite;
    resetTable();
    fillRows(viewCandidates());
}

void QDBProgramWidget::allSatSelected()
{
    if (!m_database)
        return;
    m_currentSatId = m_currentTpId = m_currentFavId = NoId;
    m_viewMode = NoSatellite;
    resetTable();
}

void QDBProgramWidget::tpSelected(unsigned int satId, unsigned int tpId)
{
    if (!m_database)
        return;
    m_viewMode = Transponder;
    m_currentSatId = satId;
    m_currentTpId = tpId;
    m_currentFavId = NoId;
    resetTable();
    fillRows(viewCandidates());
}

void QDBProgramWidget::favSelected(unsigned int id)
{
    if (!m_database)
        return;
    m_currentSatId = m_currentTpId = NoId;
    m_currentFavId = id;
    m_viewMode = id == 0 ? AllFavourites : FavouriteGroup;
    resetTable();
    fillRows(viewCandidates());
}

QVector<DB_NS::PGNode *> QDBProgramWidget::viewCandidates() const
{
    QVector<DB_NS::PGNode *> candidates;
    if (!m_database)
        return candidates;
    const auto take = [&candidates](const DB_NS::IndexedList<DB_NS::PGNode> &list) {
        candidates.reserve(int(list.size()));
        for (DB_NS::PGNode *programme : list)
            candidates.append(programme);
    };
    switch (m_viewMode) {
    case AllServices:
        // The service order, whatever view was shown before.
        take(m_database->allPGs());
        break;
    case Satellite:
        if (const DB_NS::SatNode *sat = m_database->findSat(m_currentSatId))
            candidates = groupedByTp(*m_database, *sat, nullptr);
        break;
    case Transponder: {
        const DB_NS::SatNode *sat = m_database->findSat(m_currentSatId);
        if (const DB_NS::TPNode *tp = sat ? sat->findTP(m_currentTpId) : nullptr)
            candidates = groupedByTp(*m_database, *sat, tp);
        break;
    }
    case AllFavourites:
    case FavouriteGroup:
        for (DB_NS::PGNode *programme : m_database->allPGs()) {
            const NodeAttribute *fav = programme->findAttribute(QStringLiteral("FAV"));
            if (!fav)
                continue;
            const quint32 mask = fav->value.trimmed().toUInt();
            if (m_currentFavId == 0 ? mask != 0 : (mask & m_currentFavId) != 0)
                candidates.append(programme);
        }
        break;
    case None:
    case NoSatellite:
    case HotKeys:
    case FavHotKeys:
        break;
    }
    return candidates;
}

void QDBProgramWidget::hotkeySelected()
{
    if (!m_database)
        return;
    m_viewMode = HotKeys;
    resetTable();
}

void QDBProgramWidget::favhotkeySelected()
{
    if (!m_database)
        return;
    m_viewMode = FavHotKeys;
    resetTable();
}

void QDBProgramWidget::refreshView()
{
    switch (m_viewMode) {
    case AllServices:
        allSrvSelected();
        break;
    case NoSatellite:
        allSatSelected();
        break;
    case Satellite:
        satSelected(m_currentSatId);
        break;
    case Transponder:
        tpSelected(m_currentSatId, m_currentTpId);
        break;
    case AllFavourites:
    case FavouriteGroup:
        favSelected(m_currentFavId);
        break;
    case None:
    case HotKeys:
    case FavHotKeys:
        break;
    }
}

void QDBProgramWidget::resetTable()
{
    m_table->setRowCount(0);
    m_table->setColumnCount(0);
    m_table->clear();
    // Hits are row numbers of the old content.
    m_findHits.clear();
    // Another view starts at its top, not at the old view's scroll position.
    m_table->verticalScrollBar()->setValue(0);
    m_radioTv->setEnabled(false);
    m_radioRadio->setEnabled(false);
    if (m_viewMode == HotKeys) {
        buildHotKeyView();
    } else if (m_viewMode == FavHotKeys) {
        buildFavHotKeyView();
    } else {
        m_radioTv->setEnabled(true);
        m_radioRadio->setEnabled(true);
        buildProgrammeColumns();
    }
}

QStringList QDBProgramWidget::openFieldNames() const
{
    QStringList names;
    if (m_pgTemplate) {
        for (const TemplateField &field : qAsConst(*m_pgTemplate)) {
            if (field.open)
                names.append(field.name);
        }
    }
    return names;
}

void QDBProgramWidget::buildProgrammeColumns()
{
    const QStringList labels = openFieldNames();
    m_table->setColumnCount(labels.size());
    m_table->setHorizontalHeaderLabels(labels);
    resizeColumns();
}

void QDBProgramWidget::resizeColumns()
{
    m_table->resizeColumnsToContents();
}

int QDBProgramWidget::otherServiceCount() const
{
    const QVector<DB_NS::PGNode *> candidates = viewCandidates();
    return int(std::count_if(candidates.cbegin(), candidates.cend(), [this](const DB_NS::PGNode *programme) {
        return programme && !ProgrammeOrder::passesService(*programme, m_serviceFilter);
    }));
}

bool QDBProgramWidget::passesServiceAndFilter(const DB_NS::PGNode *programme) const
{
    return ProgrammeOrder::passesService(*programme, m_serviceFilter)
        && ProgrammeOrder::passesNameFilter(*programme, m_filterEdit->text());
}

void QDBProgramWidget::fillRows(const QVector<DB_NS::PGNode *> &candidates)
{
    if (!m_pgFields) {
        resizeColumns();
        return;
    }
    QVector<DB_NS::PGNode *> shown;
    shown.reserve(candidates.size());
    for (DB_NS::PGNode *programme : candidates) {
        if (programme && passesServiceAndFilter(programme))
            shown.append(programme);
    }

    // One row count, and no change signal or repaint per cell: the rows are
    // new, so one repaint afterwards tells the view all it needs.
    const bool updates = m_table->updatesEnabled();
    m_table->setUpdatesEnabled(false);
    m_table->setRowCount(shown.size());
    QSignalBlocker quiet(m_table->model());
    ColumnPlan plan(*m_pgFields);
    const int columns = m_table->columnCount();
    for (int row = 0; row < shown.size(); ++row) {
        DB_NS::PGNode *programme = shown.at(row);
        const QVector<int> &targets = plan.columnsFor(*programme);
        const QVector<NodeAttribute> &attributes = programme->attributes();
        for (int i = 0; i < attributes.size(); ++i) {
            const int column = targets.at(i);
            if (column < 0)
                continue;
            if (column >= columns)
                break;
            const QString &value = attributes.at(i).value;
            m_table->setItem(row, column,
                             column == 0 ? new ProgrammeItem(value, programme->id(), &m_rowItems)
                                         : new QTableWidgetItem(value));
        }
    }
    quiet.unblock();
    m_table->setUpdatesEnabled(updates);
    m_table->viewport()->update();
    resizeColumns();
}

void QDBProgramWidget::fillProgrammeRow(int row, DB_NS::PGNode *programme)
{
    if (!programme || row < 0 || row >= m_table->rowCount() || !m_pgFields)
        return;
    fillProgrammeCells(row, 0, programme, true);
}

void QDBProgramWidget::fillProgrammeCells(int row, int firstColumn, DB_NS::PGNode *programme, bool withReference)
{
    ColumnPlan plan(*m_pgFields);
    const QVector<int> &targets = plan.columnsFor(*programme);
    const QVector<NodeAttribute> &attributes = programme->attributes();
    const int columns = m_table->columnCount();
    for (int i = 0; i < attributes.size(); ++i) {
        if (targets.at(i) < 0)
            continue;
        const int column = firstColumn + targets.at(i);
        if (column >= columns)
            break; // an item beyond the last column would never be shown nor freed
        const QString &value = attributes.at(i).value;
        m_table->setItem(row, column,
                         withReference && column == 0 ? new ProgrammeItem(value, programme->id(), &m_rowItems)
                                                      : new QTableWidgetItem(value));
    }
}

void QDBProgramWidget::buildHotKeyView()
{
    if (!m_hotKeys || m_hotKeys->isEmpty())
        return;
    const QStringList labels = QStringList{QStringLiteral("HotKey")} + openFieldNames();
    m_table->setColumnCount(labels.size());
    m_table->setHorizontalHeaderLabels(labels);
    m_table->setRowCount(m_hotKeys->size());
    for (int row = 0; row < m_hotKeys->size(); ++row) {
        const HotKey &key = m_hotKeys->at(row);
        auto *nameItem = new QTableWidgetItem(key.name);
        nameItem->setData(Qt::UserRole, row);
        m_table->setItem(row, 0, nameItem);

        const DB_NS::SatNode *sat = m_database ? m_database->findSat(key.satId) : nullptr;
        const DB_NS::TPNode *tp = sat ? sat->findTP(key.tpId) : nullptr;
        DB_NS::PGNode *programme = tp ? tp->findPG(key.pgId) : nullptr;
        if (programme && m_pgFields) {
            fillProgrammeCells(row, 1, programme, false);
        } else {
            for (int column = 1; column < labels.size(); ++column)
                m_table->setItem(row, column, new QTableWidgetItem);
        }
    }
    resizeColumns();
}

void QDBProgramWidget::buildFavHotKeyView()
{
    if (!m_favHotKeys || m_favHotKeys->isEmpty())
        return;
    m_table->setColumnCount(2);
    m_table->setHorizontalHeaderLabels({QStringLiteral("HotKey"), QStringLiteral("Fav")});
    m_table->setRowCount(m_favHotKeys->size());
    const int names = m_favouriteNames ? m_favouriteNames->size() : 0;
    for (int row = 0; row < m_favHotKeys->size(); ++row) {
        const FavHotKey &key = m_favHotKeys->at(row);
        auto *nameItem = new QTableWidgetItem(key.name);
        nameItem->setData(Qt::UserRole, row);
        m_table->setItem(row, 0, nameItem);
        const bool named = key.favIndex >= 0 && key.favIndex < names;
        m_table->setItem(row, 1, new QTableWidgetItem(named ? m_favouriteNames->at(key.favIndex) : QString()));
    }
    resizeColumns();
}
