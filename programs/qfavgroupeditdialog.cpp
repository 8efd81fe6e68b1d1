#include "qfavgroupeditdialog.h"

#include "dialogtable.h"

#include "channeldatabase.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

QTableWidgetItem *memberItem(bool member)
{
    auto *item = new QTableWidgetItem(member ? QStringLiteral("Yes") : QStringLiteral("No"));
    item->setData(Qt::UserRole, member);
    return item;
}

} // namespace

QFavGroupEditDialog::QFavGroupEditDialog(QWidget *parent, const ChannelDatabase *database, quint32 favId)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Favourite Group Edit"));
    setFixedSize(360, 300);
    m_table = makeDialogTable(this, 2);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Service Name"), QStringLiteral("member")});
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

    const auto button = [this](const QString &text, int y, void (QFavGroupEditDialog::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QStringLiteral("pushButton_") + text);
        b->setGeometry(300, y, 50, 30);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    button(QStringLiteral("Add"), 80, &QFavGroupEditDialog::clickedAdd);
    button(QStringLiteral("Remove"), 120, &QFavGroupEditDialog::clickedRemove);
    button(QStringLiteral("Cancel"), 160, &QFavGroupEditDialog::clickedCancel);
    button(QStringLiteral("OK"), 200, &QFavGroupEditDialog::clickedOK)->setFocus();
}

void QFavGroupEditDialog::setMember(bool member)
{
    const int row = m_table->currentRow();
    if (row < 0 || !m_table->item(row, 1))
        return;
    m_table->setItem(row, 1, memberItem(member));
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
