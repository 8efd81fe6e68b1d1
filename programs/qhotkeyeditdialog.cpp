#include "qhotkeyeditdialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

QHotKeyEditDialog::QHotKeyEditDialog(QWidget *parent, const QVector<HotKey> &hotKeys)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("HotKey"));
    setFixedSize(300, 80);
    auto *label = new QLabel(QStringLiteral("Select HotKey"), this);
    label->setGeometry(30, 30, 70, 20);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("comboBox"));
    m_combo->setGeometry(110, 30, 110, 20);
    for (const HotKey &key : hotKeys)
        m_combo->addItem(key.name);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("pushButton_OK"));
    ok->setGeometry(225, 15, 50, 25);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("pushButton_Cancel"));
    cancel->setGeometry(225, 45, 50, 25);
    connect(ok, &QPushButton::clicked, this, &QHotKeyEditDialog::clickedOK);
    connect(cancel, &QPushButton::clicked, this, &QHotKeyEditDialog::clickedCancel);
    ok->setFocus();
}

void QHotKeyEditDialog::clickedOK()
{
    m_chosen = m_combo->currentIndex();
    accept();
}

void QHotKeyEditDialog::clickedCancel()
{
    reject();
}
