#include "qfavgrouprenamedialog.h"

#include <QLineEdit>
#include <QPushButton>

QFavGroupRenameDialog::QFavGroupRenameDialog(QWidget *parent, const QString &currentName)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Group Rename"));
    setFixedSize(300, 80);
    m_lineEdit = new QLineEdit(currentName, this);
    m_lineEdit->setObjectName(QStringLiteral("lineEdit_name"));
    m_lineEdit->setGeometry(30, 30, 170, 20);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    ok->setGeometry(225, 15, 50, 25);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("pushButton_Cancel"));
    cancel->setGeometry(225, 45, 50, 25);
    connect(ok, &QPushButton::clicked, this, &QFavGroupRenameDialog::clickedOK);
    connect(cancel, &QPushButton::clicked, this, &QFavGroupRenameDialog::clickedCancel);
    ok->setFocus();
}

void QFavGroupRenameDialog::setMaxNameLength(int units)
{
    if (units > 0)
        m_lineEdit->setMaxLength(qMax(units, m_lineEdit->text().size()));
}

void QFavGroupRenameDialog::clickedOK()
{
    m_name = m_lineEdit->text();
    accept();
}

void QFavGroupRenameDialog::clickedCancel()
{
    reject();
}
