#include "qmoveswitchdialog.h"

#include "dialogbuttons.h"

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
    addOkCancelButtons(this, &QMoveSwitchDialog::clickedOK, &QMoveSwitchDialog::clickedCancel);
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
