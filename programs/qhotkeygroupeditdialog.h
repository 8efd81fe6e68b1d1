#pragma once

#include "documentdata.h"

#include <QDialog>

class ChannelDatabase;
class QTableWidget;

/**
 * Lists the programmes (QHotKeyGroupEditDialog) or the favourite groups
 * (QFavHotKeyGroupEditDialog) to pick one for a hot key; the key's present
 * choice is the current row.
 */
class QHotKeyGroupEditDialog : public QDialog
{
    Q_OBJECT

public:
    QHotKeyGroupEditDialog(QWidget *parent, const ChannelDatabase *database, const HotKey &key);

    /** The chosen programme's id; NoId until OK, and when OK found no choice. */
    quint32 chosenProgramme() const { return m_chosen; }
    QTableWidget *table() const { return m_table; }

public slots:
    void clickedOK();
    void clickedCancel();

private:
    QTableWidget *m_table = nullptr;
    quint32 m_chosen = DB_NS::NoId;
};

class QFavHotKeyGroupEditDialog : public QDialog
{
    Q_OBJECT

public:
    QFavHotKeyGroupEditDialog(QWidget *parent, const QStringList &favouriteNames, const FavHotKey &key);

    /** The group index the key points at after OK: the chosen row, or the key's own without a choice. */
    int favIndex() const { return m_favIndex; }
    QTableWidget *table() const { return m_table; }

public slots:
    void clickedOK();
    void clickedCancel();

private:
    QTableWidget *m_table = nullptr;
    int m_favIndex = -1;
};
