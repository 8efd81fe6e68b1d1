// The selection follows the document's steps: whatever a step (or its undo)
// inserted, moved or changed is selected where it now is, and after rows
// went the row that followed them is. New programmes are brought into view.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "programmetableview.h"

#include <QRadioButton>
#include <QSet>

#include <algorithm>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

bool isRadio(const DB_NS::PGNode &programme)
{
    return programme.value(QStringLiteral("V_PID")) == QLatin1String("0");
}

} // namespace

void QDBProgramWidget::followDocument(Document *document)
{
    // Before the model drops the rows, so that the rows after them are still known.
    connect(document, &Document::programmesAboutToBeRemoved, this, &QDBProgramWidget::noteRowAfter);
    const auto touched = [this](const QVector<quint32> &ids) { m_stepIds += ids; };
    connect(document, &Document::programmesInserted, this, touched);
    connect(document, &Document::programmesMoved, this, touched);
    connect(document, &Document::favouritesChanged, this, touched);
    connect(document, &Document::nodeChanged, this, [this](NodeKind kind, quint32 id, quint32) {
        if (kind == NodeKind::Programme)
            m_stepIds.append(id);
    });
    connect(document->undoStack(), &QUndoStack::indexChanged, this, &QDBProgramWidget::selectStep);
}

void QDBProgramWidget::noteRowAfter(const QVector<quint32> &ids)
{
    if (m_rowAfterRemoval.second)
        return;
    const QSet<quint32> gone(ids.cbegin(), ids.cend());
    const QVector<quint32> shown = rowIds();
    int last = int(shown.size()) - 1;
    while (last >= 0 && !gone.contains(shown.at(last)))
        --last;
    if (last < 0)
        return;
    // The row after the last one that goes, or, when none follows, the
    // nearest one above that stays.
    quint32 next = NoId;
    for (int row = last + 1; row < shown.size() && next == NoId; ++row)
        next = gone.contains(shown.at(row)) ? NoId : shown.at(row);
    for (int row = last - 1; row >= 0 && next == NoId; --row)
        next = gone.contains(shown.at(row)) ? NoId : shown.at(row);
    m_rowAfterRemoval = {next, true};
}

void QDBProgramWidget::selectStep()
{
    const QVector<quint32> ids = std::exchange(m_stepIds, {});
    const auto after = std::exchange(m_rowAfterRemoval, {NoId, false});
    // A step over much of the list (a sort, an order-like) leaves the
    // selection alone: thousands of scattered selected rows would make every
    // later move and selection change pay for them.
    constexpr int MostRowsSelected = 512;
    if (ids.size() > MostRowsSelected)
        return;
    if (!selectIds(ids) && after.second) {
        const int row = rowOf(after.first);
        if (row >= 0)
            selectRows({row});
        else
            m_table->setCurrentCell(-1, -1);
    }
}

bool QDBProgramWidget::selectIds(const QVector<quint32> &ids)
{
    QVector<int> rows;
    for (const quint32 id : ids) {
        const int row = rowOf(id);
        if (row >= 0)
            rows.append(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    selectRows(rows);
    return !rows.isEmpty();
}

void QDBProgramWidget::showNewProgrammes(const QVector<quint32> &ids, const QString &done)
{
    if (ids.isEmpty() || !m_database)
        return;
    QVector<const DB_NS::PGNode *> added;
    for (const quint32 id : ids) {
        if (const DB_NS::PGNode *programme = m_database->findPG(id))
            added.append(programme);
    }
    QStringList said{done};
    const bool choice = m_model->service() == ProgrammeModel::Tv || m_model->service() == ProgrammeModel::Radio;
    const bool anyShown = std::any_of(ids.cbegin(), ids.cend(), [this](quint32 id) { return rowOf(id) >= 0; });
    if (choice && !anyShown && !added.isEmpty()) {
        // None is in sight: the choice of the first one is shown.
        const bool radio = isRadio(*added.first());
        if (radio != showsRadio()) {
            (radio ? m_radioRadio : m_radioTv)->setChecked(true);
            radioButtonClicked(radio ? ProgrammeModel::Radio : ProgrammeModel::Tv);
            said << (radio ? tr("RADIO shown") : tr("TV shown"));
        }
    }
    int otherService = 0;
    int filtered = 0;
    for (const DB_NS::PGNode *programme : qAsConst(added)) {
        if (rowOf(programme->id()) >= 0)
            continue;
        if (choice && isRadio(*programme) != showsRadio())
            ++otherService;
        else
            ++filtered;
    }
    if (otherService > 0) {
        // Whole sentences per number, so that a translation can order its words.
        if (showsRadio())
            said << (otherService == 1 ? tr("1 TV programme not shown")
                                       : tr("%1 TV programmes not shown", nullptr, otherService).arg(otherService));
        else
            said << (otherService == 1 ? tr("1 radio programme not shown")
                                       : tr("%1 radio programmes not shown", nullptr, otherService).arg(otherService));
    }
    if (filtered > 0)
        said << tr("%1 hidden by the filter", nullptr, filtered).arg(filtered);
    selectIds(ids);
    emit statusMessage(said.join(QStringLiteral(", ")));
}
