#include "qselecttargetnodedialog.h"

#include "satnode.h"
#include "tpdisplayname.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

// A satellite without NAME shows its id in brackets, so it can still be chosen.
QString rowText(const DB_NS::Node *node)
{
    if (dynamic_cast<const DB_NS::SatNode *>(node)) {
        const NodeAttribute *name = node->findAttribute(QStringLiteral("NAME"));
        return name ? name->value : QStringLiteral("[%1]").arg(node->id());
    }
    if (const auto *tp = dynamic_cast<const DB_NS::TPNode *>(node))
        return tpDisplayName(*tp);
    return QString();
}

} // namespace

QSelectTargetNodeDialog::QSelectTargetNodeDialog(QWidget *parent, const QVector<const DB_NS::Node *> &candidates)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Select target node"));
    setFixedSize(360, 400);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("tableWidget"));
    m_table->setGeometry(20, 20, 270, 363);
    m_table->setColumnCount(1);
    m_table->setHorizontalHeaderLabels({QStringLiteral("name")});
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setRowCount(candidates.size());
    for (int row = 0; row < candidates.size(); ++row) {
        auto *item = new QTableWidgetItem(rowText(candidates.at(row)));
        item->setData(Qt::UserRole, QVariant::fromValue(const_cast<void *>(static_cast<const void *>(candidates.at(row)))));
        m_table->setItem(row, 0, item);
    }
    m_table->resizeColumnToContents(0);

    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("pushButton_Cancel"));
    cancel->setGeometry(300, 160, 50, 30);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    ok->setGeometry(300, 200, 50, 30);
    connect(cancel, &QPushButton::clicked, this, &QSelectTargetNodeDialog::clickedCancel);
    connect(ok, &QPushButton::clicked, this, &QSelectTargetNodeDialog::clickedOK);
}

void QSelectTargetNodeDialog::clickedOK()
{
    if (const QTableWidgetItem *item = m_table->item(m_table->currentRow(), 0))
        m_selectedNode = static_cast<const DB_NS::Node *>(item->data(Qt::UserRole).value<void *>());
    accept();
}

void QSelectTargetNodeDialog::clickedCancel()
{
    reject();
}
