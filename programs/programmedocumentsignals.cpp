// Following the document: its signals keep the rows in step with every edit,
// whichever view or window made it.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "programmeitem.h"

#include <QLineEdit>
#include <QSet>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

} // namespace

void QDBProgramWidget::setDocument(Document *document)
{
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    if (m_document) {
        connect(m_document, &Document::documentReset, this, &QDBProgramWidget::documentWasReset);
        connect(m_document, &Document::programmesMoved, this, &QDBProgramWidget::programmesWereMoved);
        connect(m_document, &Document::programmesRemoved, this, &QDBProgramWidget::programmesWereRemoved);
        connect(m_document, &Document::programmesInserted, this, &QDBProgramWidget::programmesWereInserted);
        connect(m_document, &Document::nodeChanged, this,
                [this](NodeKind kind, quint32 id, quint32) { nodeWasChanged(kind, id); });
        connect(m_document, &Document::favouriteGroupRenamed, this, &QDBProgramWidget::groupWasRenamed);
        connect(m_document, &Document::favouritesChanged, this, &QDBProgramWidget::favouritesWereChanged);
        connect(m_document, &Document::hotKeysChanged, this, &QDBProgramWidget::hotKeysWereChanged);
        // Satellites or TPs came or went with their programmes.
        connect(m_document, &Document::nodesChanged, this, &QDBProgramWidget::refreshView);
        connect(m_document, &Document::destroyed, this, [this] {
            m_document = nullptr;
            documentWasReset();
        });
    }
    documentWasReset();
}

void QDBProgramWidget::documentWasReset()
{
    m_viewMode = None;
    m_table->setRowCount(0);
    m_table->setColumnCount(0);
    m_table->clear();
    m_findHits.clear();
    m_filterEdit->clear();
    m_findEdit->clear();
    m_currentSatId = m_currentTpId = m_currentFavId = NoId;
    const bool loaded = m_document && m_document->database();
    m_database = loaded ? m_document->database() : nullptr;
    m_pgFields = loaded ? &m_document->fieldsOf(NodeKind::Programme) : nullptr;
    m_pgTemplate = loaded ? &m_document->templateOf(NodeKind::Programme) : nullptr;
    m_favouriteNames = loaded ? &m_document->favouriteNames() : nullptr;
    m_hotKeys = loaded ? &m_document->hotKeys() : nullptr;
    m_favHotKeys = loaded ? &m_document->favHotKeys() : nullptr;
}

void QDBProgramWidget::programmesWereMoved(const QVector<quint32> &ids)
{
    if (m_viewMode == None || m_viewMode == NoSatellite || m_viewMode == HotKeys || m_viewMode == FavHotKeys)
        return;
    QVector<DB_NS::PGNode *> shown;
    for (DB_NS::PGNode *programme : viewCandidates()) {
        if (passesServiceAndFilter(programme))
            shown.append(programme);
    }
    if (shown.size() != m_table->rowCount()) {
        refreshView();
        return;
    }
    // Only the moved programmes' rows are taken out and put back where the
    // new order has them; every other row keeps its items.
    const QSet<quint32> moved(ids.cbegin(), ids.cend());
    const bool updates = m_table->updatesEnabled();
    m_table->setUpdatesEnabled(false);
    {
        const QSignalBlocker quiet(m_table->selectionModel());
        for (const quint32 id : ids) {
            const int row = rowOf(id);
            if (row >= 0)
                m_table->removeRow(row);
        }
        for (int row = 0; row < shown.size(); ++row) {
            DB_NS::PGNode *programme = shown.at(row);
            if (moved.contains(programme->id()) && rowOf(programme->id()) < 0) {
                m_table->insertRow(row);
                fillProgrammeRow(row, programme);
            }
        }
    }
    m_table->setUpdatesEnabled(updates);
    // A relink may also have reordered programmes that nobody moved (the
    // first reorder of a dump whose TPs were not in service order).
    for (int row = 0; row < shown.size(); ++row) {
        if (programmeIdOf(m_table->item(row, 0)) != shown.at(row)->id()) {
            refreshView();
            return;
        }
    }
}

void QDBProgramWidget::programmesWereRemoved(const QVector<quint32> &ids)
{
    if (m_viewMode == HotKeys) {
        resetTable();
        return;
    }
    QVector<int> rows;
    for (const quint32 id : ids) {
        const int row = rowOf(id);
        if (row >= 0)
            rows.append(row);
    }
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    m_findHits.clear();
    const bool updates = m_table->updatesEnabled();
    m_table->setUpdatesEnabled(false);
    // From the bottom, a run of neighbouring rows at a time.
    for (int end = rows.size(); end > 0;) {
        int begin = end - 1;
        while (begin > 0 && rows.at(begin - 1) == rows.at(begin) - 1)
            --begin;
        m_table->model()->removeRows(rows.at(begin), end - begin);
        end = begin;
    }
    m_table->setUpdatesEnabled(updates);
}

void QDBProgramWidget::programmesWereInserted(const QVector<quint32> &ids)
{
    if (m_viewMode == HotKeys) {
        resetTable();
        return;
    }
    if (m_viewMode == None || m_viewMode == NoSatellite || m_viewMode == FavHotKeys)
        return;
    const QSet<quint32> added(ids.cbegin(), ids.cend());
    QVector<DB_NS::PGNode *> shown;
    for (DB_NS::PGNode *programme : viewCandidates()) {
        if (passesServiceAndFilter(programme))
            shown.append(programme);
    }
    // The new programmes get rows where the view's order has them (none
    // when the filter or the TV/RADIO choice hides them); the other rows stay.
    m_findHits.clear();
    const bool updates = m_table->updatesEnabled();
    m_table->setUpdatesEnabled(false);
    for (int row = 0; row < shown.size(); ++row) {
        DB_NS::PGNode *programme = shown.at(row);
        if (added.contains(programme->id()) && rowOf(programme->id()) < 0) {
            m_table->insertRow(row);
            fillProgrammeRow(row, programme);
        }
    }
    m_table->setUpdatesEnabled(updates);
    if (m_table->rowCount() != shown.size())
        refreshView();
}

void QDBProgramWidget::nodeWasChanged(NodeKind kind, quint32 id)
{
    if (kind != NodeKind::Programme || !m_database)
        return;
    if (m_viewMode == AllFavourites || m_viewMode == FavouriteGroup) {
        // The programme may have joined or left the group.
        refreshView();
        return;
    }
    if (m_viewMode == HotKeys) {
        resetTable();
        return;
    }
    const int row = rowOf(id);
    if (row >= 0)
        fillProgrammeRow(row, m_database->findPG(id));
}

void QDBProgramWidget::groupWasRenamed(int, const QString &)
{
    if (m_viewMode == FavHotKeys)
        resetTable();
}
