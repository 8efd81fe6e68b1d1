#include "qselecttargetnodedialog.h"

#include "satnode.h"
#include "tpdisplayname.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

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

QSelectTargetNodeDialog::QSelectTargetNodeDialog(QWidget *parent, const QVector<const DB_NS::Node *> &candidates,
                                                 const QString &instruction)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Select target node"));

    auto *label = new QLabel(instruction, this);
    label->setObjectName(QStringLiteral("label_instruction"));
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("tableWidget"));
    label->setBuddy(m_table);
    m_table->setColumnCount(1);
    m_table->setHorizontalHeaderLabels({tr("name")});
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
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
    // No row is current until the user moves there, so the first arrow key
    // picks the first row instead of moving past an unselected current one.
    m_table->setCurrentIndex(QModelIndex());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("pushButton_Cancel"));
    // Only a selected row is a pick, and Enter means OK once there is one.
    ok->setDefault(true);
    ok->setEnabled(false);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, ok,
            [this, ok] { ok->setEnabled(pickedNode() != nullptr); });
    connect(ok, &QPushButton::clicked, this, &QSelectTargetNodeDialog::clickedOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QSelectTargetNodeDialog::clickedCancel);
    connect(m_table, &QTableWidget::itemDoubleClicked, this, &QSelectTargetNodeDialog::clickedOK);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 400)));
}

const DB_NS::Node *QSelectTargetNodeDialog::pickedNode() const
{
    const QList<QTableWidgetItem *> picked = m_table->selectedItems();
    return picked.isEmpty() ? nullptr
                            : static_cast<const DB_NS::Node *>(picked.first()->data(Qt::UserRole).value<void *>());
}

void QSelectTargetNodeDialog::clickedOK()
{
    m_selectedNode = pickedNode();
    if (m_selectedNode)
        accept();
}

void QSelectTargetNodeDialog::clickedCancel()
{
    reject();
}
