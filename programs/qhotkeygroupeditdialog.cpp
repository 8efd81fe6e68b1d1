#include "qhotkeygroupeditdialog.h"

#include "dialogtable.h"

#include "channeldatabase.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace {

QTableWidget *makePickTable(QDialog *dialog)
{
    QTableWidget *table = makeDialogTable(dialog, 1);
    table->horizontalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setFocus();
    return table;
}

template<typename Dialog>
void addButtons(Dialog *dialog)
{
    auto *ok = new QPushButton(QCoreApplication::translate("DialogButtons", "OK"), dialog);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    ok->setGeometry(300, 160, 50, 30);
    auto *cancel = new QPushButton(QCoreApplication::translate("DialogButtons", "Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("pushButton_Cancel"));
    cancel->setGeometry(300, 200, 50, 30);
    QObject::connect(ok, &QPushButton::clicked, dialog, &Dialog::clickedOK);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &Dialog::clickedCancel);
}

} // namespace

QHotKeyGroupEditDialog::QHotKeyGroupEditDialog(QWidget *parent, const ChannelDatabase *database, const HotKey &key)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("HotKey Group Edit"));
    setFixedSize(360, 300);
    m_table = makePickTable(this);
    int current = -1;
    if (database) {
        m_table->setRowCount(int(database->allPGs().size()));
        int row = 0;
        for (const DB_NS::PGNode *programme : database->allPGs()) {
            if (const NodeAttribute *name = programme->findAttribute(QStringLiteral("NAME"))) {
                auto *item = new QTableWidgetItem(name->value);
                item->setData(Qt::UserRole, programme->id());
                m_table->setItem(row, 0, item);
            }
            const DB_NS::TPNode *tp = programme->parent();
            if (current < 0 && programme->id() == key.pgId && tp && tp->id() == key.tpId && tp->parent()
                && tp->parent()->id() == key.satId)
                current = row;
            ++row;
        }
    }
    if (current >= 0)
        m_table->setCurrentCell(current, 0);
    addButtons(this);
}

void QHotKeyGroupEditDialog::clickedOK()
{
    const int row = m_table->currentRow();
    const QTableWidgetItem *item = row >= 0 ? m_table->item(row, 0) : nullptr;
    m_chosen = item ? item->data(Qt::UserRole).toUInt() : DB_NS::NoId;
    accept();
}

void QHotKeyGroupEditDialog::clickedCancel()
{
    reject();
}

QFavHotKeyGroupEditDialog::QFavHotKeyGroupEditDialog(QWidget *parent, const QStringList &favouriteNames,
                                                     const FavHotKey &key)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
    , m_favIndex(key.favIndex)
{
    //: Fav: favourite group.
    setWindowTitle(tr("Fav HotKey Group Edit"));
    setFixedSize(360, 300);
    m_table = makePickTable(this);
    m_table->setRowCount(favouriteNames.size());
    for (int row = 0; row < favouriteNames.size(); ++row)
        m_table->setItem(row, 0, new QTableWidgetItem(favouriteNames.at(row)));
    if (key.favIndex >= 0 && key.favIndex < favouriteNames.size())
        m_table->setCurrentCell(key.favIndex, 0);
    addButtons(this);
}

void QFavHotKeyGroupEditDialog::clickedOK()
{
    const int row = m_table->currentRow();
    if (row >= 0 && m_table->item(row, 0))
        m_favIndex = row;
    accept();
}

void QFavHotKeyGroupEditDialog::clickedCancel()
{
    reject();
}
