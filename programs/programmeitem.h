#pragma once

#include <QHash>
#include <QTableWidgetItem>

/**
 * Column-0 item of a programme row: answers Qt::UserRole with the
 * programme's id and keeps the widget's id-to-row index in step.
 */
class ProgrammeItem : public QTableWidgetItem
{
public:
    using Index = QHash<quint32, QTableWidgetItem *>;

    /** Lists itself in index (may be null) and leaves it again when deleted. */
    ProgrammeItem(const QString &text, quint32 programmeId, Index *index);
    ~ProgrammeItem() override;

    QVariant data(int role) const override;
    QTableWidgetItem *clone() const override;

    quint32 programmeId() const { return m_programmeId; }

private:
    quint32 m_programmeId;
    Index *m_index;
};

/** The programme id a row's column-0 item carries, or NoId. */
quint32 programmeIdOf(const QTableWidgetItem *item);
/** The index into the document's hot keys (or favourite hot keys) a row's item carries, or -1. */
int keyIndexOf(const QTableWidgetItem *item);
