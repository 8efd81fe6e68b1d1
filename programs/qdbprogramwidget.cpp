#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "documentedits.h"
#include "programmeitem.h"
#include "programmeorder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr quint32 NoId = DB_NS::NoId;

// Rows measured when columns are sized to their contents; a bounded sample
// keeps a view of many thousand rows as quick as a small one.
constexpr int ResizeSampleRows = 40;

/**
 * Which column each attribute of a programme lands in. Programmes of one
 * database nearly always share one attribute layout, so the plan is worked
 * out once and reused while the names stay the same, instead of looking
 * every attribute up in the field map again.
 */
class ColumnPlan
{
public:
    explicit ColumnPlan(const TemplateMap &fields) : m_fields(fields) {}

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

bool isProgrammeView(QDBProgramWidget::ViewMode mode)
{
    return mode == QDBProgramWidget::AllServices || mode == QDBProgramWidget::Satellite
        || mode == QDBProgramWidget::Transponder;
}

} // namespace

QDBProgramWidget::QDBProgramWidget(QWidget *parent) : QWidget(parent)
{
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("tableWidget"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->verticalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setResizeContentsPrecision(ResizeSampleRows);
    m_table->verticalHeader()->setResizeContentsPrecision(ResizeSampleRows);
    m_table->installEventFilter(this);

    const auto addAction = [this](const char *name, const QString &text, void (QDBProgramWidget::*slot)()) {
        auto *action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_actEditChannel = addAction("actEditChannel", QStringLiteral("Edit Channel \t Enter"),
                                 &QDBProgramWidget::actEditChannelTriggered);
    m_actCopyChannel = addAction("actCopyChannel", QStringLiteral("Copy Channel \t Ctrl+C"),
                                 &QDBProgramWidget::actCopyChannelTriggered);
    m_actPasteChannel = addAction("actPasteChannel", QStringLiteral("Paste Channel \t Ctrl+V"),
                                  &QDBProgramWidget::actPasteChannelTriggered);
    m_actEditHotKey = addAction("actEditHotKey", QStringLiteral("Edit HotKey"),
                                &QDBProgramWidget::actEditHotKeyTriggered);
    m_actMoveUp = addAction("actMoveUp", QStringLiteral("Move Up \t -"), &QDBProgramWidget::actMoveUpChannelTriggered);
    m_actMoveDown = addAction("actMoveDown", QStringLiteral("Move Down \t +"),
                              &QDBProgramWidget::actMoveDownChannelTriggered);
    m_actMoveChannel = addAction("actMoveChannel", QStringLiteral("Move Channel"),
                                 &QDBProgramWidget::actMoveChannelTriggered);
    m_actSwitchChannel = addAction("actSwitchChannel", QStringLiteral("Switch Channel"),
                                   &QDBProgramWidget::actSwitchChannelTriggered);
    m_actInsertChannel = addAction("actInsertChannel", QStringLiteral("Insert Channel \t Insert"),
                                   &QDBProgramWidget::actInsertChannelTriggered);
    m_actDeleteChannel = addAction("actDeleteChannel", QStringLiteral("Delete Channel \t Delete"),
                                   &QDBProgramWidget::actDeleteChannelTriggered);
    m_actCopyChannelTo = addAction("actCopyChannelTo", QStringLiteral("Copy Channel To"),
                                   &QDBProgramWidget::actCopyChannelToTriggered);
    m_actCutChannelTo = addAction("actCutChannelTo", QStringLiteral("Cut Channel To"),
                                  &QDBProgramWidget::actCutChannelToTriggered);
    m_actEditGroup = addAction("actEditGroup", QStringLiteral("Edit Group"), &QDBProgramWidget::actEditGroupTriggered);
    m_actRemoveItem = addAction("actRemoveItem", QStringLiteral("Remove channel"),
                                &QDBProgramWidget::actRemoveItemTriggered);
    m_actRenameGroup = addAction("actRenameGroup", QStringLiteral("Rename Group"),
                                 &QDBProgramWidget::actRenameGroupTriggered);

    m_radioTv = new QRadioButton(QStringLiteral("TV"), this);
    m_radioTv->setObjectName(QStringLiteral("radioButton_TV"));
    m_radioRadio = new QRadioButton(QStringLiteral("RADIO"), this);
    m_radioRadio->setObjectName(QStringLiteral("radioButton_RADIO"));
    // Part of the group so that id 2 exists, but not offered in the bar.
    m_radioTvRadio = new QRadioButton(QStringLiteral("TV/RADIO"), this);
    m_radioTvRadio->setObjectName(QStringLiteral("radioButton_TVRADIO"));
    m_radioTvRadio->hide();
    m_radioGroup = new QButtonGroup(this);
    m_radioGroup->setExclusive(true);
    m_radioGroup->addButton(m_radioTv, 0);
    m_radioGroup->addButton(m_radioRadio, 1);
    m_radioGroup->addButton(m_radioTvRadio, 2);
    m_radioTv->setChecked(true);

    m_filterLabel = new QLabel(QStringLiteral("filtrate:"), this);
    m_filterEdit = new QLineEdit(this);
    m_filterEdit->setObjectName(QStringLiteral("lineEdit_filter"));
    m_findLabel = new QLabel(QStringLiteral("find:"), this);
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("lineEdit_find"));
    m_findUpButton = new QPushButton(QStringLiteral("find up"), this);
    m_findUpButton->setObjectName(QStringLiteral("pushButton_findUp"));
    m_findNextButton = new QPushButton(QStringLiteral("find next"), this);
    m_findNextButton->setObjectName(QStringLiteral("pushButton_findNext"));

    // The corner button has no text of its own; we draw "Index" on it and
    // keep the row header wide enough for that text.
    if (auto *corner = m_table->findChild<QAbstractButton *>()) {
        corner->setText(QStringLiteral("Index"));
        corner->installEventFilter(this);
        QStyleOptionHeader option;
        option.text = corner->text();
        const QSize size = corner->style()
                               ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), corner)
                               .expandedTo(QApplication::globalStrut());
        m_table->verticalHeader()->setMinimumWidth(size.width());
    }

    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(10);
    bar->addWidget(m_radioTv);
    bar->addWidget(m_radioRadio);
    bar->addWidget(m_filterLabel);
    bar->addWidget(m_filterEdit);
    bar->addWidget(m_findLabel);
    bar->addWidget(m_findEdit);
    bar->addWidget(m_findUpButton);
    bar->addWidget(m_findNextButton);
    bar->addItem(new QSpacerItem(40, 10, QSizePolicy::Expanding, QSizePolicy::Minimum));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(bar);
    column->addWidget(m_table);

    connect(m_table, &QTableWidget::cellDoubleClicked, this, &QDBProgramWidget::tableCellDoubleClicked);
    connect(m_radioGroup, &QButtonGroup::idClicked, this, &QDBProgramWidget::radioButtonClicked);
    connect(m_filterEdit, &QLineEdit::textChanged, this, &QDBProgramWidget::slotFilterChanged);
    connect(m_findEdit, &QLineEdit::textChanged, this, &QDBProgramWidget::slotFindCurrentRow);
    connect(m_findEdit, &QLineEdit::returnPressed, m_table, qOverload<>(&QWidget::setFocus));
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &QDBProgramWidget::itemSelectionChanged);
    connect(m_findUpButton, &QPushButton::clicked, this, &QDBProgramWidget::slotFindUpSearchRes);
    connect(m_findNextButton, &QPushButton::clicked, this, &QDBProgramWidget::slotFindNextSearchRes);
}

QDBProgramWidget::~QDBProgramWidget()
{
    // The rows' items leave m_rowItems as they die, so they must go while it
    // still exists (children are otherwise deleted after our members).
    delete m_table;
    m_table = nullptr;
}

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

QVector<quint32> QDBProgramWidget::storeRowOrder() const
{
    return m_document ? m_document->serviceOrder() : QVector<quint32>();
}

void QDBProgramWidget::clearAll()
{
    m_viewMode = None;
    m_database = nullptr;
    m_table->setRowCount(0);
    m_table->setColumnCount(0);
    m_table->clear();
    m_findHits.clear();
    if (m_document)
        m_document->edits().clearClipboard();
}

DB_NS::PGNode *QDBProgramWidget::programmeAt(int row) const
{
    if (!m_database || row < 0 || row >= m_table->rowCount())
        return nullptr;
    const quint32 id = programmeIdOf(m_table->item(row, 0));
    return id == NoId ? nullptr : m_database->findPG(id);
}

int QDBProgramWidget::rowOf(quint32 programmeId) const
{
    QTableWidgetItem *item = m_rowItems.value(programmeId);
    return item ? m_table->row(item) : -1;
}

QVector<quint32> QDBProgramWidget::rowIds() const
{
    QVector<quint32> ids(m_table->rowCount(), NoId);
    for (int row = 0; row < ids.size(); ++row)
        ids[row] = programmeIdOf(m_table->item(row, 0));
    return ids;
}

QVector<int> QDBProgramWidget::selectedRows() const
{
    QVector<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void QDBProgramWidget::selectRows(const QVector<int> &rows)
{
    if (rows.isEmpty())
        return;
    m_table->setCurrentCell(rows.last(), 0);
    QItemSelection selection;
    const int lastColumn = m_table->columnCount() - 1;
    for (const int row : rows)
        selection.select(m_table->model()->index(row, 0), m_table->model()->index(row, lastColumn));
    m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

// ---- views ---------------------------------------------------------------

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
    if (id == NoId) {
        m_viewMode = NoSatellite;
        resetTable();
        return;
    }
    m_viewMode = Satellite;
    resetTable();
    fillRows(viewCandidates());
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
            take(sat->allPGs());
        break;
    case Transponder: {
        const DB_NS::SatNode *sat = m_database->findSat(m_currentSatId);
        if (const DB_NS::TPNode *tp = sat ? sat->findTP(m_currentTpId) : nullptr)
            take(tp->pgs());
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

void QDBProgramWidget::buildProgrammeColumns()
{
    QStringList labels;
    if (m_pgTemplate) {
        for (const TemplateField &field : qAsConst(*m_pgTemplate)) {
            if (field.open)
                labels.append(field.name);
        }
    }
    m_table->setColumnCount(labels.size());
    m_table->setHorizontalHeaderLabels(labels);
    resizeColumns();
}

void QDBProgramWidget::resizeColumns()
{
    m_table->resizeColumnsToContents();
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

void QDBProgramWidget::addProgrammeRow(int row, DB_NS::PGNode *programme)
{
    if (!m_pgFields || !programme)
        return;
    if (!passesServiceAndFilter(programme))
        return;
    row = qBound(0, row, m_table->rowCount());
    m_table->insertRow(row);
    fillProgrammeRow(row, programme);
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
    QStringList labels{QStringLiteral("HotKey")};
    if (m_pgTemplate) {
        for (const TemplateField &field : qAsConst(*m_pgTemplate)) {
            if (field.open)
                labels.append(field.name);
        }
    }
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

// ---- bar -----------------------------------------------------------------

void QDBProgramWidget::radioButtonClicked(int id)
{
    if (id == m_serviceFilter)
        return;
    m_serviceFilter = id;
    refreshView();
}

void QDBProgramWidget::slotFilterChanged(const QString &)
{
    m_findEdit->setText(QString());
    m_findHits.clear();
    refreshView();
}

void QDBProgramWidget::slotFindCurrentRow(const QString &text)
{
    m_findHits.clear();
    if (text.isEmpty())
        return;
    // Hot-key rows carry no programme and are passed over.
    for (int row = 0, rows = m_table->rowCount(); row < rows; ++row) {
        const DB_NS::PGNode *programme = programmeAt(row);
        if (programme && programme->value(QStringLiteral("NAME")).startsWith(text, Qt::CaseInsensitive))
            m_findHits.append(row);
    }
    // The box keeps the keyboard, so the next letters extend the search and
    // never reach the table's move and delete keys.
    if (!m_findHits.isEmpty())
        selectFindTarget(m_findHits.first(), false);
}

void QDBProgramWidget::slotFindUpSearchRes()
{
    stepFind(true);
}

void QDBProgramWidget::slotFindNextSearchRes()
{
    stepFind(false);
}

void QDBProgramWidget::stepFind(bool up)
{
    if (m_findHits.isEmpty())
        return;
    const int current = m_table->currentRow();
    int target = 0; // a current row outside the hits starts again at the top
    const auto hit = std::lower_bound(m_findHits.cbegin(), m_findHits.cend(), current);
    if (hit != m_findHits.cend() && *hit == current) {
        const int i = int(hit - m_findHits.cbegin());
        const int next = up ? i - 1 : i + 1;
        if (next < 0 || next >= m_findHits.size()) {
            m_table->setFocus();
            return;
        }
        target = m_findHits.at(next);
    }
    selectFindTarget(target);
}

void QDBProgramWidget::selectFindTarget(int row, bool focusTable)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->clearSelection();
    // Whole rows, as a click would select them.
    const auto command = QItemSelectionModel::SelectCurrent | QItemSelectionModel::Rows;
    if (QTableWidgetItem *item = m_table->item(row, 0))
        m_table->setCurrentItem(item, command);
    else
        m_table->setCurrentCell(row, 0, command);
    m_table->scrollTo(m_table->model()->index(row, 0));
    if (focusTable)
        m_table->setFocus();
}

// ---- selection and row order ---------------------------------------------

void QDBProgramWidget::itemSelectionChanged()
{
    if (!isProgrammeView(m_viewMode) && m_viewMode != NoSatellite)
        return;
    const QModelIndexList selected = m_table->selectionModel()->selectedIndexes();
    if (selected.isEmpty() || selected.size() != m_table->columnCount())
        return;
    const int row = selected.first().row();
    for (const QModelIndex &index : selected) {
        if (index.row() != row)
            return;
    }
    const DB_NS::PGNode *programme = programmeAt(row);
    const DB_NS::TPNode *tp = programme ? programme->parent() : nullptr;
    if (tp)
        emit pgSelected(tp->getParentId(), tp->id(), programme->id());
}

// ---- events --------------------------------------------------------------

bool QDBProgramWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched != m_table) {
        if (auto *button = qobject_cast<QAbstractButton *>(watched)) {
            paintCornerButton(button);
            return true;
        }
    }
    if (watched == m_table && event->type() == QEvent::KeyPress)
        return routeTableKey(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

void QDBProgramWidget::paintCornerButton(QWidget *widget)
{
    auto *button = static_cast<QAbstractButton *>(widget);
    QStyleOptionHeader option;
    option.initFrom(button);
    option.state = QStyle::State_None;
    option.rect = button->rect();
    option.text = button->text();
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QStylePainter painter(button);
    painter.drawControl(QStyle::CE_Header, option);
}

bool QDBProgramWidget::routeTableKey(QKeyEvent *event)
{
    const int key = event->key();
    const bool hasCurrent = m_table->currentRow() >= 0;
    if (isProgrammeView(m_viewMode)) {
        switch (key) {
        case Qt::Key_Return:
            if (hasCurrent)
                actEditChannelTriggered();
            return true;
        case Qt::Key_Plus:
            actMoveDownChannelTriggered();
            return false;
        case Qt::Key_Equal:
            if (event->modifiers() & Qt::ShiftModifier)
                actMoveDownChannelTriggered();
            return false;
        case Qt::Key_Minus:
            actMoveUpChannelTriggered();
            return false;
        case Qt::Key_Delete:
            if (hasCurrent)
                actDeleteChannelTriggered();
            return true;
        case Qt::Key_Insert:
            if (m_viewMode != Transponder)
                return false;
            if (hasCurrent)
                actInsertChannelTriggered();
            return true;
        case Qt::Key_C:
            // The table would take Ctrl+C for its own clipboard copy of one
            // cell, so the widget's Ctrl+C would never arrive.
            if (m_viewMode == Transponder && (event->modifiers() & Qt::ControlModifier)) {
                actCopyChannelTriggered();
                return true;
            }
            return false;
        default:
            return false;
        }
    }
    if (m_viewMode == FavouriteGroup) {
        if (key == Qt::Key_Return) {
            if (hasCurrent)
                actEditGroupTriggered();
            return true;
        }
        if (key == Qt::Key_Delete) {
            if (hasCurrent)
                actRemoveItemTriggered();
            return true;
        }
    }
    return false;
}

void QDBProgramWidget::keyPressEvent(QKeyEvent *event)
{
    if (m_viewMode == Transponder && (event->modifiers() & Qt::ControlModifier)) {
        if (event->key() == Qt::Key_C) {
            actCopyChannelTriggered();
            return;
        }
        if (event->key() == Qt::Key_V) {
            actPasteChannelTriggered();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void QDBProgramWidget::tableCellDoubleClicked(int, int)
{
    if (isProgrammeView(m_viewMode) || m_viewMode == FavouriteGroup)
        actEditChannelTriggered();
}

void QDBProgramWidget::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    if (m_viewMode == None || m_viewMode == NoSatellite || m_viewMode == AllFavourites)
        return;

    // Where the cursor is on the table's own viewport, whatever the size of
    // the bar and the headers above and beside it.
    const QPoint at = m_table->viewport()->mapFromGlobal(event->globalPos());
    const bool overItem = m_table->rowCount() > 0 && m_table->itemAt(at) != nullptr;
    const int rows = m_table->rowCount();

    QMenu menu(this);
    if (isProgrammeView(m_viewMode)) {
        // Rows of the selected items, so that a row whose programme lacks
        // some columns still counts as one selected row.
        const QVector<int> selectedRows = this->selectedRows();
        const bool allServices = m_viewMode == AllServices;
        const bool transponder = m_viewMode == Transponder;

        bool edit = false, moveUp = false, moveDown = false, moveTo = false, copyTo = false, remove = false;
        if (overItem && selectedRows.size() == 1) {
            const int row = m_table->row(m_table->itemAt(at));
            moveUp = allServices && row != 0;
            moveDown = allServices && row != rows - 1;
            moveTo = allServices && rows > 1;
            copyTo = allServices;
            edit = remove = true;
        } else if (overItem && !selectedRows.isEmpty()) {
            moveUp = allServices && selectedRows.first() != 0;
            moveDown = allServices && selectedRows.last() != rows - 1;
            moveTo = allServices && rows > 1;
            remove = true;
        } else if (!overItem) {
            m_table->setCurrentCell(-1, -1);
        }
        if (!m_filterEdit->text().isEmpty())
            moveUp = moveDown = moveTo = copyTo = false;

        m_actEditChannel->setEnabled(edit);
        m_actEditHotKey->setEnabled(edit);
        m_actInsertChannel->setEnabled(transponder && (!overItem || selectedRows.size() == 1));
        m_actDeleteChannel->setEnabled(remove);
        m_actMoveUp->setEnabled(moveUp);
        m_actMoveDown->setEnabled(moveDown);
        m_actMoveChannel->setEnabled(moveTo);
        m_actSwitchChannel->setEnabled(moveTo);
        m_actCopyChannelTo->setEnabled(copyTo);
        m_actCutChannelTo->setEnabled(copyTo);
        m_actCopyChannel->setEnabled(overItem);
        m_actPasteChannel->setEnabled(m_document && m_document->edits().hasClipboard());

        menu.addAction(m_actEditChannel);
        if (m_hotKeys && !m_hotKeys->isEmpty())
            menu.addAction(m_actEditHotKey);
        if (transponder) {
            menu.addAction(m_actCopyChannel);
            menu.addAction(m_actPasteChannel);
        }
        menu.addSeparator();
        if (allServices) {
            menu.addActions({m_actMoveUp, m_actMoveDown, m_actMoveChannel, m_actSwitchChannel, m_actCopyChannelTo,
                             m_actCutChannelTo});
        }
        menu.addAction(m_actInsertChannel);
        menu.addAction(m_actDeleteChannel);
    } else {
        bool editGroup = true;
        bool removeItem = overItem;
        if (overItem && m_viewMode != FavouriteGroup) {
            const QTableWidgetItem *first = m_table->item(m_table->currentRow(), 0);
            editGroup = first != nullptr;
            if (m_viewMode == HotKeys) {
                const int key = keyIndexOf(first);
                removeItem = m_hotKeys && key >= 0 && key < m_hotKeys->size() && m_hotKeys->at(key).pgId != NoId;
            } else {
                const int key = keyIndexOf(first);
                removeItem = m_favHotKeys && key >= 0 && key < m_favHotKeys->size()
                    && m_favHotKeys->at(key).favIndex != -1;
            }
        } else if (!overItem) {
            editGroup = m_viewMode == FavouriteGroup;
            m_table->setCurrentCell(-1, -1);
        }
        if (m_viewMode == FavouriteGroup)
            editGroup = canEditGroup();
        m_actEditGroup->setEnabled(editGroup);
        m_actRemoveItem->setEnabled(removeItem);
        menu.addAction(m_actEditGroup);
        menu.addAction(m_actRemoveItem);
        if (m_viewMode == FavouriteGroup) {
            m_actRenameGroup->setEnabled(canEditGroup());
            menu.addAction(m_actRenameGroup);
        }
    }
    menu.exec(event->globalPos());
}
