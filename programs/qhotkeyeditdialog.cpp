#include "qhotkeyeditdialog.h"

#include "dialogbuttons.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

QHotKeyEditDialog::QHotKeyEditDialog(QWidget *parent, const QVector<HotKey> &hotKeys)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("HotKey"));
    setFixedSize(300, 80);
    auto *label = new QLabel(tr("Select HotKey"), this);
    label->setGeometry(30, 30, 70, 20);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("comboBox"));
    m_combo->setGeometry(110, 30, 110, 20);
    for (const HotKey &key : hotKeys)
        m_combo->addItem(key.name);
    addOkCancelButtons(this, &QHotKeyEditDialog::clickedOK, &QHotKeyEditDialog::clickedCancel);
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
