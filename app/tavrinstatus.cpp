// The status bar: the view shown with its row count, and the file's kind and state.
#include "tavrin.h"

#include "dbtreewidgetitem.h"
#include "ui_tavrin.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QTimer>

QString Tavrin::counted(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(QLocale(QLocale::English).toString(n), QLatin1String(n == 1 ? one : many));
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
    QAbstractItemModel *rows = ui->programWidget->table()->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(rows, signal, this, &Tavrin::scheduleStatusUpdate);
    connect(rows, &QAbstractItemModel::modelReset, this, &Tavrin::scheduleStatusUpdate);
    // The view is named when the tree selects it: the tree's current item
    // also follows a programme picked in the table, which changes no view.
    DBTreeWidget *tree = ui->dbTreeWidget;
    for (auto signal : {&DBTreeWidget::signal_allsrv_selected, &DBTreeWidget::signal_hotkey_selected,
                        &DBTreeWidget::signal_favhotkey_selected})
        connect(tree, signal, this, &Tavrin::rememberView);
    connect(tree, &DBTreeWidget::signal_sat_selected, this, &Tavrin::rememberView);
    connect(tree, &DBTreeWidget::signal_fav_selected, this, &Tavrin::rememberView);
    connect(tree, &DBTreeWidget::signal_tp_selected, this, &Tavrin::rememberView);
    connect(m_document, &Document::modifiedChanged, this, &Tavrin::scheduleStatusUpdate);
    connect(m_document, &Document::fileChanged, this, &Tavrin::scheduleStatusUpdate);
    connect(m_document, &Document::documentReset, this, &Tavrin::scheduleStatusUpdate);
    // A renamed group that the table shows renames the view.
    connect(m_document, &Document::favouriteGroupRenamed, this, [this] {
        if (ui->programWidget->viewMode() == QDBProgramWidget::FavouriteGroup)
            rememberView();
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
    findChild<QAction *>(QStringLiteral("actionExportList"))->setEnabled(ui->programWidget->table()->columnCount() > 0);
    if (!m_document->hasDatabase()) {
        m_fileStatus->clear();
        return;
    }
    QString kind = m_registry.descriptionByExtension.value(lowerSuffix(m_document->path()));
    if (kind.isEmpty())
        kind = QStringLiteral("File kind %1").arg(m_document->kind());
    m_fileStatus->setText(kind + (m_document->isModified() ? QStringLiteral(", changed") : QStringLiteral(", unchanged")));
}

void Tavrin::rememberView()
{
    const auto *current = DBTreeWidgetItem::from(ui->dbTreeWidget->currentItem());
    m_viewName = current ? current->text(0) : QString();
    if (current && current->kind() == TPItem && current->parent())
        m_viewName = current->parent()->text(0) + QStringLiteral(" / ") + m_viewName;
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
        return where + dash + counted(rows, "key", "keys");
    QString text = where + dash + counted(rows, "programme", "programmes");
    const int hidden = programmes->viewProgrammeCount() - rows;
    if (hidden > 0)
        text += QStringLiteral(", %1 hidden by the filter").arg(QLocale(QLocale::English).toString(hidden));
    return text;
}
