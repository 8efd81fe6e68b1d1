#include "programmeitem.h"

#include "node.h"

ProgrammeItem::ProgrammeItem(const QString &text, quint32 programmeId, Index *index)
    : QTableWidgetItem(text, QTableWidgetItem::UserType), m_programmeId(programmeId), m_index(index)
{
    if (m_index)
        m_index->insert(m_programmeId, this);
}

ProgrammeItem::~ProgrammeItem()
{
    // A newer item for the same programme may have taken the slot already.
    if (!m_index)
        return;
    const auto it = m_index->constFind(m_programmeId);
    if (it != m_index->constEnd() && it.value() == this)
        m_index->erase(it);
}

QVariant ProgrammeItem::data(int role) const
{
    if (role == Qt::UserRole)
        return QVariant(m_programmeId);
    return QTableWidgetItem::data(role);
}

QTableWidgetItem *ProgrammeItem::clone() const
{
    // A clone is not the row's item, so it stays out of the index.
    return new ProgrammeItem(text(), m_programmeId, nullptr);
}

quint32 programmeIdOf(const QTableWidgetItem *item)
{
    if (!item || item->type() != QTableWidgetItem::UserType)
        return DB_NS::NoId;
    return static_cast<const ProgrammeItem *>(item)->programmeId();
}

int keyIndexOf(const QTableWidgetItem *item)
{
    bool ok = false;
    const int index = item ? item->data(Qt::UserRole).toInt(&ok) : -1;
    return ok ? index : -1;
}
