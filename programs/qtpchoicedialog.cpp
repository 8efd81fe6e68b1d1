#include "qtpchoicedialog.h"

#include "satnode.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

QTPChoiceDialog::QTPChoiceDialog(QWidget *parent, const DB_NS::TPNode *sourceTp)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint), m_sourceTp(sourceTp)
{
    //: TP: a transponder, one frequency of a satellite.
    setWindowTitle(tr("TP Choice"));
    setFixedSize(360, 300);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("tableWidget"));
    m_table->setGeometry(20, 20, 270, 263);
    m_table->setColumnCount(1);
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->verticalHeader()->setSectionsClickable(false);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("pushButton_OK"));
    m_ok->setGeometry(300, 160, 50, 30);
    m_ok->setEnabled(false);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("pushButton_Cancel"));
    cancel->setGeometry(300, 200, 50, 30);
    connect(m_ok, &QPushButton::clicked, this, &QTPChoiceDialog::clickedOK);
    connect(cancel, &QPushButton::clicked, this, &QTPChoiceDialog::clickedCancel);
    connect(m_table, &QTableWidget::currentItemChanged, this, &QTPChoiceDialog::currentItemChanged);

    const DB_NS::SatNode *sat = sourceTp ? sourceTp->parent() : nullptr;
    if (!sat)
        return;
    m_table->setRowCount(int(sat->tps().size()));
    int row = 0;
    int sourceRow = -1;
    for (const DB_NS::TPNode *tp : sat->tps()) {
        QString text = QStringLiteral("TP");
        for (const char *name : {"FRQ", "POL", "SYM"}) {
            if (const NodeAttribute *attribute = tp->findAttribute(QLatin1String(name)))
                text += QLatin1Char('_') + attribute->value;
        }
        auto *item = new QTableWidgetItem(text);
        item->setData(Qt::UserRole, tp->id());
        m_table->setItem(row, 0, item);
        if (tp == sourceTp)
            sourceRow = row;
        ++row;
    }
    if (sourceRow >= 0)
        m_table->setCurrentCell(sourceRow, 0);
    m_table->resizeColumnsToContents();
    m_table->setFocus();
}

const DB_NS::TPNode *QTPChoiceDialog::tpOf(const QTableWidgetItem *item) const
{
    const DB_NS::SatNode *sat = m_sourceTp ? m_sourceTp->parent() : nullptr;
    return item && sat ? sat->findTP(item->data(Qt::UserRole).toUInt()) : nullptr;
}

void QTPChoiceDialog::currentItemChanged(QTableWidgetItem *current, QTableWidgetItem *)
{
    const DB_NS::TPNode *tp = tpOf(current);
    m_ok->setEnabled(tp && tp != m_sourceTp);
}

void QTPChoiceDialog::clickedOK()
{
    m_chosenTp = tpOf(m_table->currentItem());
    accept();
}

void QTPChoiceDialog::clickedCancel()
{
    reject();
}
