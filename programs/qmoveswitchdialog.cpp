#include "qmoveswitchdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

QMoveSwitchDialog::QMoveSwitchDialog(QWidget *parent, int maximum)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    auto *label = new QLabel(tr("Enter another index"), this);
    m_spinBox = new QSpinBox(this);
    m_spinBox->setObjectName(QStringLiteral("spinBox"));
    m_spinBox->setRange(1, maximum);
    m_spinBox->setValue(1);
    label->setBuddy(m_spinBox);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("pushButton_Cancel"));
    // Enter in the number box reaches the dialog only through its default button.
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QMoveSwitchDialog::clickedOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QMoveSwitchDialog::clickedCancel);

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_spinBox);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Typed digits replace the offered position.
    m_spinBox->setFocus();
    m_spinBox->selectAll();
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
