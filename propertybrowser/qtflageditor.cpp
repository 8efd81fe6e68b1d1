#include "qtflageditor.h"

#include <QCheckBox>
#include <QHBoxLayout>

QtFlagEditor::QtFlagEditor(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);
    layout->addStretch(1);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void QtFlagEditor::setFlagNames(const QStringList &names)
{
    const int oldValue = value();
    qDeleteAll(m_boxes);
    m_boxes.clear();
    m_names = names.mid(0, 32);
    auto *row = static_cast<QHBoxLayout *>(layout());
    for (int i = 0; i < m_names.size(); ++i) {
        auto *box = new QCheckBox(m_names.at(i), this);
        box->setObjectName(QStringLiteral("flag%1").arg(i));
        row->insertWidget(i, box);
        m_boxes.append(box);
        connect(box, &QCheckBox::toggled, this, [this] { emit valueChanged(value()); });
    }
    // The first box takes the focus the browser gives the editor, so the
    // keyboard works at once and focus stays inside while the user clicks.
    setFocusProxy(m_boxes.isEmpty() ? nullptr : m_boxes.constFirst());
    setValue(oldValue);
}

int QtFlagEditor::value() const
{
    quint32 bits = 0;
    for (int i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes.at(i)->isChecked())
            bits |= 1u << i;
    }
    return int(bits);
}

void QtFlagEditor::setValue(int value)
{
    const int before = this->value();
    for (int i = 0; i < m_boxes.size(); ++i) {
        QCheckBox *box = m_boxes.at(i);
        const QSignalBlocker blocker(box);
        box->setChecked(quint32(value) & (1u << i));
    }
    if (this->value() != before)
        emit valueChanged(this->value());
}
