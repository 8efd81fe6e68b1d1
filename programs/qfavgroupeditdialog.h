#pragma once

#include "documentedits.h"

#include <QDialog>

class ChannelDatabase;
class QTableWidget;

/**
 * Lists every programme with whether it belongs to one favourite group;
 * Add and Remove change the shown answer of the current row, and OK hands
 * the answers out. A programme without "FAV" has no member cell.
 */
class QFavGroupEditDialog : public QDialog
{
    Q_OBJECT

public:
    QFavGroupEditDialog(QWidget *parent, const ChannelDatabase *database, quint32 favId);

    /** Every row with a programme and a member cell, as it stood at OK. */
    QVector<DocumentEdits::Membership> memberships() const { return m_memberships; }
    QTableWidget *table() const { return m_table; }

public slots:
    void clickedAdd();
    void clickedRemove();
    void clickedOK();
    void clickedCancel();

private:
    void setMember(bool member);

    QTableWidget *m_table = nullptr;
    QVector<DocumentEdits::Membership> m_memberships;
};
