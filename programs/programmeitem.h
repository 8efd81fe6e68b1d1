#pragma once

#include "ostrel_api.h"
#include "pgnode.h"

#include <QHash>
#include <QMetaType>
#include <QTableWidgetItem>


Q_DECLARE_METATYPE(DB_NS::PGNode *)
Q_DECLARE_METATYPE(HotKeyItem *)
Q_DECLARE_METATYPE(FavHotKeyItem *)

/** Column-0 item of a programme row: answers Qt::UserRole with its PGNode*. */
class ProgrammeItem : public QTableWidgetItem
{
public:
    using Index = QHash<const DB_NS::PGNode *, QTableWidgetItem *>;

    /** Lists itself in index (may be null) and leaves it again when deleted. */
    ProgrammeItem(const QString &text, DB_NS::PGNode *programme, Index *index);
    ~ProgrammeItem() override;

    QVariant data(int role) const override;
    QTableWidgetItem *clone() const override;

    DB_NS::PGNode *programme() const { return m_programme; }

private:
    DB_NS::PGNode *m_programme;
    Index *m_index;
};

/** The programme a table item carries under Qt::UserRole, or null. */
DB_NS::PGNode *programmeOf(const QTableWidgetItem *item);
HotKeyItem *hotKeyOf(const QTableWidgetItem *item);
FavHotKeyItem *favHotKeyOf(const QTableWidgetItem *item);
