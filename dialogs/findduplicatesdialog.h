#pragma once

#include <QDialog>
#include <QStringList>
#include <QVector>

class QTreeWidget;

/**
 * Find Duplicates: the groups of programmes that are the same service, the
 * one kept first in each. Accepted means Remove.
 */
class FindDuplicatesDialog : public QDialog
{
    Q_OBJECT

public:
    /** Each group's rows, each row's texts under columns. */
    FindDuplicatesDialog(QWidget *parent, const QStringList &columns, const QVector<QVector<QStringList>> &groups);

    QTreeWidget *groupTree() const { return m_tree; }

private:
    QTreeWidget *m_tree = nullptr;
};
