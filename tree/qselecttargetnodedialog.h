#pragma once

#include <QDialog>
#include <QVector>

class QTableWidget;

namespace DB_NS {
class Node;
}

/**
 * Picks the other satellite or TP for Switch To and Move To from a list of
 * candidates (not owned), one row each in their order. After an accepted
 * run selectedNode() is the candidate of the current row, or null when no
 * row was current.
 */
class QSelectTargetNodeDialog : public QDialog
{
    Q_OBJECT

public:
    QSelectTargetNodeDialog(QWidget *parent, const QVector<const DB_NS::Node *> &candidates);

    const DB_NS::Node *selectedNode() const { return m_selectedNode; }
    QTableWidget *table() const { return m_table; }

public slots:
    void clickedOK();
    void clickedCancel();

private:
    QTableWidget *m_table = nullptr;
    const DB_NS::Node *m_selectedNode = nullptr;
};
