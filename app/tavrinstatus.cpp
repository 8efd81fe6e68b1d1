// The status bar: the view shown with its row count, and the file's kind and state.
#include "tavrin.h"

#include "dbtreewidget.h"
#include "ui_tavrin.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include "programmetableview.h"
#include <QTimer>

QString Tavrin::counted(int n, const QString &one, const QString &many)
{
    return (n == 1 ? one : many).arg(QLocale(QLocale::English).toString(n));
}

void Tavrin::createStatusBar()
{
    m_viewStatus = new QLabel(this);
    m_viewStatus->setObjectName(QStringLiteral("labelViewStatus"));
    m_fileStatus = new QLabel(this);
    m_fileStatus->setObjectName(QStringLiteral("labelFileStatus"));
    // A passing message (a safety copy, an export) takes the view's place for a while.
    ui->statusBar->addWidget(m_viewStatus, 1);
    ui->statusBar->addPermanentWidget(m_fileStatus);

    // Whatever changes the rows, the view or the file, the status follows.
    QAbstractItemModel *rows = ui->programWidget->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(rows, signal, this, &Tavrin::scheduleStatusUpdate);
    connect(rows, &QAbstractItemModel::modelReset, this, &Tavrin::scheduleStatusUpdate);
    // The view is named when the tree selects it: the tree's current item
    // also follows a programme picked in the table, which changes no view.
    DBTreeWidget *tree = ui->dbTreeWidget;
    for (auto signal : {&DBTreeWidget::signal_allsrv_selected, &DBTreeWidget::signal_hotkey_selected,
                        &DBTreeWidget::signal_favhotkey_selected, &DBTreeWidget::signal_allsat_selected})
        connect(tree, signal, this, &Tavrin::rememberView);
    connect(tree, &DBTreeWidget::signal_sat_selected, this, &Tavrin::rememberView);
    connect(tree, &DBTreeWidget::signal_fav_selected, this, &Tavrin::rememberView);
    connect(tree, &DBTreeWidget::signal_tp_selected, this, &Tavrin::rememberView);
    // The table's passing words (the find's answer) take the view's place for a while.
    connect(ui->programWidget, &QDBProgramWidget::statusMessage, this,
            [this](const QString &message) { ui->statusBar->showMessage(message, 5000); });
    connect(m_document, &Document::modifiedChanged, this, &Tavrin::scheduleStatusUpdate);
    connect(m_document, &Document::fileChanged, this, &Tavrin::scheduleStatusUpdate);
    connect(m_document, &Document::documentReset, this, &Tavrin::scheduleStatusUpdate);
    // A renamed group, satellite or TP that names the view renames it. The
    // tree relabels its item on the same signals, so the name is read after.
    connect(m_document, &Document::favouriteGroupRenamed, this, [this] {
        if (m_viewKind == FavGroupItem)
            QTimer::singleShot(0, this, &Tavrin::renameView);
    });
    connect(m_document, &Document::nodeChanged, this, [this](NodeKind kind, quint32 id, quint32 satId) {
        const bool satellite = kind == NodeKind::Satellite
            && ((m_viewKind == SatItem && id == m_viewId) || (m_viewKind == TPItem && id == m_viewParentId));
        const bool tp = kind == NodeKind::Transponder && m_viewKind == TPItem && id == m_viewId && satId == m_viewParentId;
        if (satellite || tp)
            QTimer::singleShot(0, this, &Tavrin::renameView);
    });
}

void Tavrin::scheduleStatusUpdate()
{
    // Many rows change at once; one update after them is enough.
    if (m_statusPending)
        return;
    m_statusPending = true;
    QTimer::singleShot(0, this, &Tavrin::updateStatus);
}

void Tavrin::updateStatus()
{
    m_statusPending = false;
    m_viewStatus->setText(viewStatusText());
    updateFileActions();
    if (!m_document->hasDatabase()) {
        m_fileStatus->clear();
        return;
    }
    QString kind = m_registry.descriptionByExtension.value(lowerSuffix(m_document->path()));
    if (kind.isEmpty())
        kind = tr("File kind %1").arg(m_document->kind());
    m_fileStatus->setText((m_document->isModified() ? tr("%1, changed") : tr("%1, unchanged")).arg(kind));
}

void Tavrin::rememberView()
{
    const QModelIndex current = ui->dbTreeWidget->currentIndex();
    m_viewKind = DBTreeModel::kindOf(current);
    m_viewId = DBTreeModel::idOf(current);
    m_viewParentId = DBTreeModel::idOf(current.parent());
    nameViewAfter(current);
}

void Tavrin::renameView()
{
    // The tree's current row may have moved on to a picked programme's TP,
    // so the view's own row is looked up again.
    nameViewAfter(ui->dbTreeWidget->treeModel()->find(TreeItemKind(m_viewKind), m_viewId, m_viewParentId));
}

void Tavrin::nameViewAfter(const QModelIndex &index)
{
    m_viewName = index.data().toString();
    if (DBTreeModel::kindOf(index) == TPItem)
        m_viewName = index.parent().data().toString() + QStringLiteral(" / ") + m_viewName;
    scheduleStatusUpdate();
}

QString Tavrin::viewStatusText() const
{
    const QDBProgramWidget *programmes = ui->programWidget;
    if (!m_document->hasDatabase() || programmes->viewMode() == QDBProgramWidget::None)
        return QString();
    const QString &where = m_viewName;
    const int rows = programmes->table()->rowCount();
    const QString dash = QStringLiteral(" \u2014 ");
    if (programmes->viewMode() == QDBProgramWidget::HotKeys || programmes->viewMode() == QDBProgramWidget::FavHotKeys)
        return where + dash + counted(rows, tr("%1 key"), tr("%1 keys", nullptr, rows));
    QString text = where + dash + counted(rows, tr("%1 programme"), tr("%1 programmes", nullptr, rows));
    // The TV/RADIO choice hides programmes as well as the filter does; each is named.
    const int otherService = programmes->otherServiceCount();
    const int filtered = programmes->viewProgrammeCount() - rows - otherService;
    if (filtered > 0)
        text += tr(", %1 hidden by the filter").arg(QLocale(QLocale::English).toString(filtered));
    if (otherService > 0) {
        const QString hidden = programmes->showsRadio()
            ? counted(otherService, tr("%1 TV programme"), tr("%1 TV programmes", nullptr, otherService))
            : counted(otherService, tr("%1 radio programme"), tr("%1 radio programmes", nullptr, otherService));
        text += tr(", %1 not shown").arg(hidden);
    }
    return text;
}
