#include "programmeitem.h"

ProgrammeItem::ProgrammeItem(const QString &text, DB_NS::PGNode *programme, Index *index)
    : QTableWidgetItem(text), m_programme(programme), m_index(index)
{
    if (m_index && m_programme)
        m_index->insert(m_programme, this);
}

ProgrammeItem::~ProgrammeItem()
{
    // A newer item for the same programme may have taken the slot already.
    if (!m_index || !m_programme)
        return;
    const auto it = m_index->constFind(m_programme);
    if (it != m_index->constEnd() && it.value() == this)
        m_index->erase(it);
}

QVariant ProgrammeItem::data(int role) const
{
    if (role == Qt::UserRole)
        return QVariant::fromValue(m_programme);
    return QTableWidgetItem::data(role);
}

QTableWidgetItem *ProgrammeItem::clone() const
{
    // A clone is not the row's item, so it stays out of the index.
    return new ProgrammeItem(text(), m_programme, nullptr);
}

DB_NS::PGNode *programmeOf(const QTableWidgetItem *item)
{
    return item ? item->data(Qt::UserRole).value<DB_NS::PGNode *>() : nullptr;
}

HotKeyItem *hotKeyOf(const QTableWidgetItem *item)
{
    return item ? item->data(Qt::UserRole).value<HotKeyItem *>() : nullptr;
}

FavHotKeyItem *favHotKeyOf(const QTableWidgetItem *item)
{
    return item ? item->data(Qt::UserRole).value<FavHotKeyItem *>() : nullptr;
}
