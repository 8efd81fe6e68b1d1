#pragma once

#include "documentedits.h"

#include <QDialog>

class ChannelDatabase;
class QLineEdit;
class QTableWidget;

/**
 * Lists every programme with whether it belongs to one favourite group;
 * Add and Remove change the shown answer of the selected rows, and OK hands
 * the answers out. A programme without "FAV" has no member cell. The filter
 * box narrows the list to names holding its text, so that a long list can
 * be worked a handful of rows at a time.
 */
class QFavGroupEditDialog : public QDialog
{
    Q_OBJECT

public:
    QFavGroupEditDialog(QWidget *parent, const ChannelDatabase *database, quint32 favId);

    /** Every row with a programme and a member cell, as it stood at OK. */
    QVector<DocumentEdits::Membership> memberships() const { return m_memberships; }
    QTableWidget *table() const { return m_table; }
    QLineEdit *filterEdit() const { return m_filter; }

public slots:
    void clickedAdd();
    void clickedRemove();
    void clickedOK();
    void clickedCancel();

private:
    void setMember(bool member);
    void filterRows(const QString &text);

    QTableWidget *m_table = nullptr;
    QLineEdit *m_filter = nullptr;
    QVector<DocumentEdits::Membership> m_memberships;
};
