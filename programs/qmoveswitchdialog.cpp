#include "qmoveswitchdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

QMoveSwitchDialog::QMoveSwitchDialog(QWidget *parent, int maximum)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setFixedSize(300, 80);
    auto *label = new QLabel(QStringLiteral("Enter another index"), this);
    label->setGeometry(30, 30, 100, 20);
    m_spinBox = new QSpinBox(this);
    m_spinBox->setObjectName(QStringLiteral("spinBox"));
    m_spinBox->setGeometry(140, 30, 80, 20);
    m_spinBox->setRange(1, maximum);
    m_spinBox->setValue(1);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    ok->setGeometry(225, 15, 50, 25);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("pushButton_Cancel"));
    cancel->setGeometry(225, 45, 50, 25);
    connect(ok, &QPushButton::clicked, this, &QMoveSwitchDialog::clickedOK);
    connect(cancel, &QPushButton::clicked, this, &QMoveSwitchDialog::clickedCancel);
    ok->setFocus();
}

void QMoveSwitchDialog::clickedOK()
{
    m_value = m_spinBox->value();
    accept();
}

void QMoveSwitchDialog::clickedCancel()
{
    reject();
}
