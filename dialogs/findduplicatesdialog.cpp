#include "findduplicatesdialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

FindDuplicatesDialog::FindDuplicatesDialog(QWidget *parent, const QStringList &columns,
                                           const QVector<QVector<QStringList>> &groups)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Find Duplicates"));
    int removed = 0;
    for (const QVector<QStringList> &group : groups)
        removed += group.size() - 1;
    const auto counted = [](int n, const QString &one, const QString &many) { return (n == 1 ? one : many).arg(n); };
    const int groupCount = groups.size();
    auto *label = new QLabel(tr("%1 of the same service. Remove keeps the first of each, with the "
                                "favourite groups and hot key of the others, and deletes %2.")
                                 .arg(counted(groupCount, tr("%1 group"), tr("%1 groups", nullptr, groupCount)),
                                      counted(removed, tr("%1 programme"), tr("%1 programmes", nullptr, removed))),
                             this);
    label->setWordWrap(true);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("treeWidget_duplicates"));
    m_tree->setHeaderLabels(QStringList{QString()} + columns);
    m_tree->setRootIsDecorated(false);
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setResizeContentsPrecision(50);
    QList<QTreeWidgetItem *> items;
    for (const QVector<QStringList> &group : groups) {
        for (int i = 0; i < group.size(); ++i) {
            auto *item = new QTreeWidgetItem(QStringList{i == 0 ? tr("Keep") : tr("Remove")} + group.at(i));
            if (i == 0) {
                QFont bold = item->font(0);
                bold.setBold(true);
                for (int c = 0; c <= columns.size(); ++c)
                    item->setFont(c, bold);
            }
            items.append(item);
        }
    }
    m_tree->addTopLevelItems(items);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *remove = buttons->addButton(tr("Remove"), QDialogButtonBox::AcceptRole);
    remove->setObjectName(QStringLiteral("pushButton_Remove"));
    buttons->addButton(QDialogButtonBox::Close)->setObjectName(QStringLiteral("pushButton_Close"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(640, 420);
}
