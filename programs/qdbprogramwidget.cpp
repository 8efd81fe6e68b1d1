// The table's construction, its rows and selection, and the pgSelected
// notification of a click.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"
#include "columnwidths.h"
#include "documentedits.h"
#include "programmetableview.h"

#include <QAction>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <algorithm>

static_assert(int(QDBProgramWidget::AllServices) == int(ProgrammeModel::AllServices)
                  && int(QDBProgramWidget::FavouriteGroup) == int(ProgrammeModel::FavouriteGroup)
                  && int(QDBProgramWidget::FavHotKeys) == int(ProgrammeModel::FavHotKeys),
              "the table's views are the model's");

bool QDBProgramWidget::isProgrammeView(ViewMode mode)
{
    return mode == AllServices || mode == Satellite || mode == Transponder;
}

QDBProgramWidget::QDBProgramWidget(QWidget *parent)
    : QWidget(parent)
{
    m_model = new ProgrammeModel(this);
    m_table = new ProgrammeTableView(this);
    m_table->setObjectName(QStringLiteral("tableWidget"));
    m_table->setModel(m_model);
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
    //: After the tab: the key that does the same, shown beside the text.
    m_actEditChannel = addAction("actEditChannel", tr("Edit Channel \t Enter"),
                                 &QDBProgramWidget::actEditChannelTriggered);
    m_actCopyChannel = addAction("actCopyChannel", tr("Copy Channel \t Ctrl+C"),
                                 &QDBProgramWidget::actCopyChannelTriggered);
    m_actPasteChannel = addAction("actPasteChannel", tr("Paste Channel \t Ctrl+V"),
                                  &QDBProgramWidget::actPasteChannelTriggered);
    m_actEditHotKey = addAction("actEditHotKey", tr("Edit HotKey"),
                                &QDBProgramWidget::actEditHotKeyTriggered);
    m_actMoveUp = addAction("actMoveUp", tr("Move Up \t -"), &QDBProgramWidget::actMoveUpChannelTriggered);
    m_actMoveDown = addAction("actMoveDown", tr("Move Down \t +"),
                              &QDBProgramWidget::actMoveDownChannelTriggered);
    m_actMoveChannel = addAction("actMoveChannel", tr("Move Channel"),
                                 &QDBProgramWidget::actMoveChannelTriggered);
    m_actSwitchChannel = addAction("actSwitchChannel", tr("Switch Channel"),
                                   &QDBProgramWidget::actSwitchChannelTriggered);
    m_actInsertChannel = addAction("actInsertChannel", tr("Insert Channel \t Insert"),
                                   &QDBProgramWidget::actInsertChannelTriggered);
    m_actDeleteChannel = addAction("actDeleteChannel", tr("Delete Channel \t Delete"),
                                   &QDBProgramWidget::actDeleteChannelTriggered);
    m_actCopyChannelTo = addAction("actCopyChannelTo", tr("Copy Channel To"),
                                   &QDBProgramWidget::actCopyChannelToTriggered);
    m_actCutChannelTo = addAction("actCutChannelTo", tr("Cut Channel To"),
                                  &QDBProgramWidget::actCutChannelToTriggered);
    m_actEditGroup = addAction("actEditGroup", tr("Edit Group"), &QDBProgramWidget::actEditGroupTriggered);
    m_actRemoveItem = addAction("actRemoveItem", tr("Remove channel"),
                                &QDBProgramWidget::actRemoveItemTriggered);
    m_actRenameGroup = addAction("actRenameGroup", tr("Rename Group"),
                                 &QDBProgramWidget::actRenameGroupTriggered);

    m_radioTv = new QRadioButton(tr("TV"), this);
    m_radioTv->setObjectName(QStringLiteral("radioButton_TV"));
    m_radioRadio = new QRadioButton(tr("RADIO"), this);
    m_radioRadio->setObjectName(QStringLiteral("radioButton_RADIO"));
    // Part of the group so that id 2 exists, but not offered in the bar.
    m_radioTvRadio = new QRadioButton(tr("TV/RADIO"), this);
    m_radioTvRadio->setObjectName(QStringLiteral("radioButton_TVRADIO"));
    m_radioTvRadio->hide();
    m_radioGroup = new QButtonGroup(this);
    m_radioGroup->setExclusive(true);
    m_radioGroup->addButton(m_radioTv, 0);
    m_radioGroup->addButton(m_radioRadio, 1);
    m_radioGroup->addButton(m_radioTvRadio, 2);
    m_radioTv->setChecked(true);

    m_filterLabel = new QLabel(tr("filter:"), this);
    m_filterEdit = new QLineEdit(this);
    m_filterEdit->setObjectName(QStringLiteral("lineEdit_filter"));
    m_findLabel = new QLabel(tr("find:"), this);
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("lineEdit_find"));
    m_findUpButton = new QPushButton(tr("find up"), this);
    m_findUpButton->setObjectName(QStringLiteral("pushButton_findUp"));
    m_findNextButton = new QPushButton(tr("find next"), this);
    m_findNextButton->setObjectName(QStringLiteral("pushButton_findNext"));

    setUpCornerButton();
    setUpOrdering();

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

    connect(m_table, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { tableCellDoubleClicked(index.row(), index.column()); });
    connect(m_radioGroup, &QButtonGroup::idClicked, this, &QDBProgramWidget::radioButtonClicked);
    connect(m_filterEdit, &QLineEdit::textChanged, this, &QDBProgramWidget::slotFilterChanged);
    connect(m_findEdit, &QLineEdit::textChanged, this, &QDBProgramWidget::slotFindCurrentRow);
    connect(m_findEdit, &QLineEdit::returnPressed, m_table, qOverload<>(&QWidget::setFocus));
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &QDBProgramWidget::itemSelectionChanged);
    // The find's answer is row numbers: other rows end it, moved rows only
    // renumber it.
    const auto dropFindHits = [this] { m_findHits.clear(); };
    const auto renumberFindHits = [this] { m_findHitsStale = !m_findHits.isEmpty(); };
    connect(m_model, &QAbstractItemModel::modelReset, this, dropFindHits);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, dropFindHits);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, dropFindHits);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, renumberFindHits);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, renumberFindHits);
    // Widths follow what comes into the rows or into sight; they never narrow while the user works.
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [this] { ColumnWidths::widenToSample(m_table, ResizeSampleRows); });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        ColumnWidths::widenForRows(m_table, first, last, ResizeSampleRows);
    });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
                ColumnWidths::widenForRows(m_table, topLeft.row(), bottomRight.row(), ResizeSampleRows);
            });
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { ColumnWidths::widenForVisibleRows(m_table); });
    connect(m_findUpButton, &QPushButton::clicked, this, &QDBProgramWidget::slotFindUpSearchRes);
    connect(m_findNextButton, &QPushButton::clicked, this, &QDBProgramWidget::slotFindNextSearchRes);
}

QDBProgramWidget::~QDBProgramWidget() = default;

QVector<quint32> QDBProgramWidget::storeRowOrder() const
{
    return m_document ? m_document->serviceOrder() : QVector<quint32>();
}

void QDBProgramWidget::clearAll()
{
    m_database = nullptr;
    m_model->showView(ProgrammeModel::None);
    m_findHits.clear();
    if (m_document)
        m_document->edits().clearClipboard();
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
    // A run of neighbouring rows is one range, so a sort's thousands of moved rows stay cheap.
    for (int first = 0; first < rows.size();) {
        int last = first;
        while (last + 1 < rows.size() && rows.at(last + 1) == rows.at(last) + 1)
            ++last;
        selection.select(m_model->index(rows.at(first), 0), m_model->index(rows.at(last), lastColumn));
        first = last + 1;
    }
    m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void QDBProgramWidget::itemSelectionChanged()
{
    if (!isProgrammeView(viewMode()) && viewMode() != NoSatellite)
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
