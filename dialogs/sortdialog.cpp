#include "sortdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

SortDialog::SortDialog(QWidget *parent, const QStringList &keys, int selectedRows)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Sort"));
    auto *form = new QFormLayout;
    const QString labels[] = {tr("Sort by"), tr("Then by"), tr("Then by")};
    for (int i = 0; i < 3; ++i) {
        m_keys[i] = new QComboBox(this);
        m_keys[i]->setObjectName(QStringLiteral("comboBox_key%1").arg(i + 1));
        // Only the first key is needed; "(none)" ends the list.
        if (i > 0)
            m_keys[i]->addItem(tr("(none)"));
        m_keys[i]->addItems(keys);
        form->addRow(labels[i], m_keys[i]);
    }
    m_tvFirst = new QCheckBox(tr("TV before radio"), this);
    m_tvFirst->setObjectName(QStringLiteral("checkBox_tvFirst"));
    m_selectedOnly = new QCheckBox(selectedRows > 1 ? tr("Only the %1 selected rows, among their places").arg(selectedRows)
                                                    : tr("Only the selected rows, among their places"),
                                   this);
    m_selectedOnly->setObjectName(QStringLiteral("checkBox_selectedOnly"));
    m_selectedOnly->setEnabled(selectedRows > 1);
    m_selectedOnly->setChecked(selectedRows > 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("pushButton_OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("pushButton_Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_tvFirst);
    layout->addWidget(m_selectedOnly);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList SortDialog::keys() const
{
    QStringList chosen{m_keys[0]->currentText()};
    for (int i = 1; i < 3 && m_keys[i]->currentIndex() > 0; ++i) {
        if (!chosen.contains(m_keys[i]->currentText()))
            chosen.append(m_keys[i]->currentText());
    }
    return chosen;
}

bool SortDialog::tvFirst() const
{
    return m_tvFirst->isChecked();
}

bool SortDialog::selectedOnly() const
{
    return m_selectedOnly->isEnabled() && m_selectedOnly->isChecked();
}
