#include "qfavgroupeditdialog.h"

#include "dialogtable.h"

#include "channeldatabase.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidgetItem *memberItem(bool member)
{
    auto *item = new QTableWidgetItem(member ? QFavGroupEditDialog::tr("Yes") : QFavGroupEditDialog::tr("No"));
    item->setData(Qt::UserRole, member);
    return item;
}

} // namespace

QFavGroupEditDialog::QFavGroupEditDialog(QWidget *parent, const ChannelDatabase *database, quint32 favId)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Favourite Group Edit"));
    // As small as it always was, and larger for a long list when the user wants.
    setMinimumSize(360, 300);
    resize(360, 300);
    m_table = makeDialogTable(this, 2);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setHorizontalHeaderLabels({tr("Service Name"), tr("member")});
    if (database) {
        m_table->setRowCount(int(database->allPGs().size()));
        int row = 0;
        for (const DB_NS::PGNode *programme : database->allPGs()) {
            if (const NodeAttribute *name = programme->findAttribute(QStringLiteral("NAME"))) {
                auto *item = new QTableWidgetItem(name->value);
                item->setData(Qt::UserRole, programme->id());
                m_table->setItem(row, 0, item);
            }
            if (const NodeAttribute *fav = programme->findAttribute(QStringLiteral("FAV")))
                m_table->setItem(row, 1, memberItem((fav->value.trimmed().toUInt() & favId) != 0));
            ++row;
        }
    }
    m_table->resizeColumnsToContents();

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("lineEdit_filter"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, this, &QFavGroupEditDialog::filterRows);

    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    // The object name stays English whatever language the text is in.
    const auto button = [this, buttons](const char *name, const QString &text, void (QFavGroupEditDialog::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QStringLiteral("pushButton_") + QLatin1String(name));
        b->setMinimumSize(50, 30);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button("Add", tr("Add"), &QFavGroupEditDialog::clickedAdd);
    button("Remove", tr("Remove"), &QFavGroupEditDialog::clickedRemove);
    button("Cancel", tr("Cancel"), &QFavGroupEditDialog::clickedCancel);
    button("OK", tr("OK"), &QFavGroupEditDialog::clickedOK)->setFocus();
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(tr("filter:"), this));
    filterRow->addWidget(m_filter);
    grid->addLayout(filterRow, 0, 0);
    grid->addWidget(m_table, 1, 0);
    grid->addLayout(buttons, 1, 1);
}

void QFavGroupEditDialog::filterRows(const QString &text)
{
    const QString wanted = text.trimmed();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *name = m_table->item(row, 0);
        const bool shown = wanted.isEmpty() || (name && name->text().contains(wanted, Qt::CaseInsensitive));
        m_table->setRowHidden(row, !shown);
    }
}

void QFavGroupEditDialog::setMember(bool member)
{
    // Rows the filter hides stay as they are, even when they were selected before.
    QVector<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && m_table->currentRow() >= 0)
        rows.append(m_table->currentRow());
    for (const int row : qAsConst(rows)) {
        if (!m_table->isRowHidden(row) && m_table->item(row, 1))
            m_table->setItem(row, 1, memberItem(member));
    }
}

void QFavGroupEditDialog::clickedAdd()
{
    setMember(true);
}

void QFavGroupEditDialog::clickedRemove()
{
    setMember(false);
}

void QFavGroupEditDialog::clickedOK()
{
    m_memberships.clear();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *name = m_table->item(row, 0);
        const QTableWidgetItem *member = m_table->item(row, 1);
        if (name && member)
            m_memberships.append({name->data(Qt::UserRole).toUInt(), member->data(Qt::UserRole).toBool()});
    }
    accept();
}

void QFavGroupEditDialog::clickedCancel()
{
    reject();
}
