#include "qfavgrouprenamedialog.h"

#include "dialogbuttons.h"
#include "documentedits.h"

#include <QLineEdit>
#include <QPushButton>

QFavGroupRenameDialog::QFavGroupRenameDialog(QWidget *parent, const QString &currentName)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Group Rename"));
    setFixedSize(300, 80);
    m_lineEdit = new QLineEdit(currentName, this);
    m_lineEdit->setObjectName(QStringLiteral("lineEdit_name"));
    m_lineEdit->setGeometry(30, 30, 170, 20);
    addOkCancelButtons(this, &QFavGroupRenameDialog::clickedOK, &QFavGroupRenameDialog::clickedCancel);
    // OK waits for a name the group can keep.
    auto *ok = findChild<QPushButton *>(QStringLiteral("pushButton_OK"));
    const auto offerOk = [this, ok] { ok->setEnabled(DocumentEdits::isGroupName(m_lineEdit->text())); };
    connect(m_lineEdit, &QLineEdit::textChanged, this, offerOk);
    offerOk();
}

void QFavGroupRenameDialog::setMaxNameLength(int units)
{
    if (units > 0)
        m_lineEdit->setMaxLength(qMax(units, m_lineEdit->text().size()));
}

void QFavGroupRenameDialog::clickedOK()
{
    if (!DocumentEdits::isGroupName(m_lineEdit->text()))
        return;
    m_name = m_lineEdit->text();
    accept();
}

void QFavGroupRenameDialog::clickedCancel()
{
    reject();
}
